// SPDX-License-Identifier: MIT
#pragma once
// Tangent lines offered by the graph's popups: at a point on a curve, and from
// a point in white space to a polynomial. Both produce equation text that the
// graph adds like any typed equation.
#include <string>
#include <vector>

#include "core/PointF.h"
#include "mathex/MathExp.h"

// Text of the tangent to an explicit curve at p ("y=2*x-1"); empty when the
// curve is not explicit or the slope or intercept is not finite.
std::string TangentAtPointText(const MathEx::MathExp& curve, PointF p);

// Texts of the tangents from the point `from` to a quadratic, cubic or quartic,
// in solver order ("y = 2.0000*x + -1.0000"); empty for other types or when no
// tangent exists. A touching point whose line is not finite (the point lies on
// the curve there) gives no text.
std::vector<std::string> TangentsFromPointTexts(const MathEx::MathExp& polynomial, PointF from);
