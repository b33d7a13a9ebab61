// SPDX-License-Identifier: MIT
#pragma once
// x^y exactly as std::pow gives it, but fast for the small whole exponents
// (2 … 8) that equations are full of.
//
// For such exponents x^n is formed in extended precision (relative error below
// 8·2⁻⁶⁴, under 0.004 units in the last place of a double) and rounded to a
// double r. When that product lies within 0.4 ulp of r, every other double is
// more than 0.59 ulp from the true power, while the C library's pow is
// documented to stay within 0.54 ulp of it: its answer can only be r. Only the
// rare products near a rounding boundary, and anything not finite and normal,
// go to std::pow itself. So the result is always the very bits of std::pow.
#include <bit>
#include <cmath>
#include <cstdint>

namespace MathEx {

// n when y is a whole number in 2..8, else 0.
inline int SmallWholeExponent(double y) {
    return (y >= 2.0 && y <= 8.0 && y == double(int(y))) ? int(y) : 0;
}

// The fast candidate for x^n (n in 2..8); false when it cannot be trusted.
inline bool TryWholePower(double x, int n, double& result) {
    const long double lx = x;
    long double p = lx * lx;
    for (int i = 2; i < n; ++i) p *= lx;
    const double r = double(p);
    if (!std::isnormal(r)) return false;
    const uint64_t bits = std::bit_cast<uint64_t>(r);
    double ulp = std::bit_cast<double>(bits & 0x7ff0000000000000ull) * 0x1p-52;
    if ((bits & 0x000fffffffffffffull) == 0) ulp *= 0.5;  // spacing halves below a power of two
    result = r;
    return std::fabs(double(p - (long double)r)) <= 0.4 * ulp;
}

inline double Power(double x, double y) {
    const int n = SmallWholeExponent(y);
    double r;
    if (n != 0 && TryWholePower(x, n, r)) return r;
    return std::pow(x, y);
}

}  // namespace MathEx
