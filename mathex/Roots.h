// SPDX-License-Identifier: MIT
#pragma once
// Polynomial roots: the companion-matrix root finder and the closed-form
// cubic and quartic solvers, plus the small numeric helpers built on them.

#include <string>
#include <vector>

#include "mathex/Numeric.h"

namespace MathEx {

// Outcome of zrhqr. Failures are reported, never fatal.
enum class RootStatus {
    Ok,
    BadArguments,      // degree outside 1..50 or a zero leading coefficient
    TooManyIterations  // one eigenvalue needed 30 QR iterations
};

// Message text of a status ("bad args in zrhqr", "Too many iterations in hqr"; empty for Ok).
std::string RootStatusMessage(RootStatus status);

// All complex roots of a[0] + a[1]·x + … + a[m]·x^m (constant term first), as the
// eigenvalues of the balanced companion matrix, sorted by ascending real part.
// realParts and imagParts receive m entries each on success; real roots have an
// imaginary part of exactly 0. Single precision throughout, as the callers expect.
RootStatus zrhqr(const float* a, int m, float* realParts, float* imagParts);

// Convenience for callers holding doubles (highest power LAST as above): strips
// zero leading coefficients first, so a polynomial whose nominal leading
// coefficient vanished is solved at its true degree. Returns Ok with no roots
// for a non-zero constant; BadArguments when every coefficient is zero.
struct ComplexRoots {
    RootStatus status = RootStatus::Ok;
    std::vector<float> re, im;
};
ComplexRoots PolynomialRoots(const std::vector<double>& ascending);

// Real roots of a·x³ + b·x² + c·x + d (Cardano), in the documented order.
std::vector<double> CubicRoots(double a, double b, double c, double d);

// Real roots of a·x⁴ + b·x³ + c·x² + d·x + e, unsorted, in the documented order.
std::vector<double> QuarticRoots(double a, double b, double c, double d, double e);

// Direction of (x, y) in (0, 2π]; 0 only for the zero vector.
double VectorAngle(double x, double y);

}  // namespace MathEx
