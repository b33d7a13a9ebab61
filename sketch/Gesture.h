// SPDX-License-Identifier: MIT
#pragma once
#include <vector>

#include "sketch/RecognizedShape.h"
#include "sketch/Stroke.h"

// A sketch: the finished strokes in the order they were drawn, and what they
// were recognised as.
class Gesture {
public:
    RecognizedShape shape;
    std::vector<Stroke> strokes;

    Gesture() = default;
    Gesture(const Gesture&) = default;
    Gesture& operator=(const Gesture&) = default;
    ~Gesture() = default;

    void addStroke(const Stroke& stroke) { strokes.push_back(stroke); }
    // Every stroke to ten points spaced equally along it (see Stroke::resample).
    void resampleStrokes();
    // Fills `shape` from the (resampled) strokes and returns a copy of it.
    RecognizedShape recognize();
};
