// SPDX-License-Identifier: MIT
#pragma once
#include <vector>

#include "sketch/RecognizedShape.h"
#include "sketch/ShapeCandidate.h"
#include "sketch/Stroke.h"

// Decides what the (resampled) strokes of a gesture mean. One stroke is a line,
// quadratic, cubic, arc or axis-aligned ellipse. Two strokes are an axis line
// and a curve: the curve crossing the axis twice is an ellipse, once a parabola,
// never a hyperbola. Anything else is ST_NONE, and so is any stroke that is
// empty, holds a non-finite coordinate, or defines no usable model.
class ShapeRecognizer {
public:
    RecognizedShape recognize(const std::vector<Stroke>& strokes);

    // The five fitter candidates, in fitter order, of the stroke whose
    // classification decided the shape: the one stroke, or the curve stroke of a
    // two-stroke gesture rotated onto its axis. Empty when no such stroke was
    // classified (no strokes, three or more, or a two-stroke gesture that failed
    // before its curve).
    const std::vector<ShapeCandidate>& fits() const { return fits_; }

private:
    ShapeCandidate classifyDeciding(const Stroke& stroke);
    RecognizedShape recognizeOneStroke(const Stroke& stroke);
    RecognizedShape recognizeTwoStrokes(const Stroke& axis, const Stroke& curve);

    std::vector<ShapeCandidate> fits_;
};
