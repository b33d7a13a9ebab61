// SPDX-License-Identifier: MIT
#pragma once
// The coordinates written beside an equation's extreme points: "(x, y)" at the
// display precision, as the attribute points' value labels print numbers,
// centred above a maximum and below a minimum, where the curve near the point
// does not go. The drawing and the axis numbers (which keep clear of it) both
// place it here.
#include <vector>

#include "core/RectF.h"
#include "core/Painter.h"
#include "mathex/ExtremePoint.h"
#include "mathex/MathExp.h"

struct ExtremeLabel {
    MathEx::ExtremePoint point;  // finite
    MathEx::MathExp text;        // empty when the coordinates could not be written
    PointF corner;               // lower left, graph units
    double width = 0, height = 0;

    RectF box() const {
        return RectF(float(corner.y + height), corner.y, corner.x, float(corner.x + width));
    }
};

// One per finite extreme point of `expression`, in its order, measured on this painter.
std::vector<ExtremeLabel> PlaceExtremeLabels(const MathEx::MathExp& expression, Painter& painter);
