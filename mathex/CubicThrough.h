// SPDX-License-Identifier: MIT
#pragma once
// The cubic through four points: the sketch fits one to a stroke, and dragging
// a cubic's control point refits it through the point moved and three others.

namespace MathEx {

// a, b, c, d of y = a·x³ + b·x² + c·x + d through (x[i], y[i]), i = 0 … 3, by
// elimination with partial pivoting; false when two x coincide or nearly so
// (no cubic, or one with coefficients that mean nothing) or a coefficient is
// not finite.
bool CubicThrough(const double (&x)[4], const double (&y)[4], double (&coeffs)[4]);

}  // namespace MathEx
