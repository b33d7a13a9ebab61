// SPDX-License-Identifier: MIT
#pragma once
// The families of primitive the graph treats alike, defined once: the closed
// polynomials (coefficients highest power first in MathExp::coeffs) and the
// conics (drawn and reshaped in their own frame, never cut by a domain of x).
#include "mathex/MathExp.h"

// Degree of a line, quadratic, cubic or quartic; 0 for every other kind.
inline int PolynomialDegree(MathEx::PrimitiveType type) {
    return type >= MathEx::PT_LINE && type <= MathEx::PT_QUARTIC ? int(type) : 0;
}

inline bool IsConic(MathEx::PrimitiveType type) {
    return type == MathEx::PT_ELLIPSE || type == MathEx::PT_HYPERBOLA || type == MathEx::PT_PARABOLA;
}
