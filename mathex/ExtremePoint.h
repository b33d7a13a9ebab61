// SPDX-License-Identifier: MIT
#pragma once
#include "core/PointF.h"

namespace MathEx {

// A local minimum (isMinimum) or maximum of an equation.
class ExtremePoint : public PointF {
public:
    ExtremePoint() = default;
    ExtremePoint(float x_, float y_, bool minimum) : PointF(x_, y_), isMinimum(minimum) {}
    bool isMinimum = false;
};

}  // namespace MathEx
