// SPDX-License-Identifier: MIT
// Closed-form real roots of cubics and quartics, the direction angle of a
// vector and the finiteness test that guards values on their way to output.
// Double precision throughout; degenerate input yields infinities or NaNs for
// the callers to filter rather than an error.

#include "mathex/Roots.h"

#include <algorithm>
#include <cmath>

#include "mathex/SmartNumber.h"

namespace MathEx {

namespace {

// Below this a discriminant, a resolvent root or a root separation counts as
// zero: the coefficients come from sketches and typed decimals, so anything
// finer is noise.
constexpr double kTolerance = 0.00001;

constexpr double kThird = 0.3333333333333333;

// Real cube root keeping the sign, so that a negative radicand gives the
// negative root instead of the NaN of pow.
double RealCubeRoot(double v) {
    const double magnitude = std::pow(std::fabs(v), kThird);
    return v < 0.0 ? -magnitude : magnitude;
}

// Appends the pair (first, second) of quartic candidates; a pair closer than
// the tolerance is one double root and is listed once.
void AppendPair(std::vector<double>& roots, double first, double second) {
    roots.push_back(first);
    if (std::fabs(second - first) >= kTolerance) roots.push_back(second);
}

// Depressed quartic y⁴ + P·y² + R with no usable resolvent root: solve the
// quadratic in u = y² and take ±√u of every non-negative root. shift is e1/4,
// undoing the substitution y = x + e1/4.
std::vector<double> BiquadraticRoots(double p, double r, double shift) {
    std::vector<double> roots;
    const double discriminant = p * p - 4.0 * r;
    if (discriminant < 0.0) return roots;
    const double root = std::sqrt(discriminant);
    std::vector<double> squares{(-p - root) / 2.0};
    if (discriminant > 0.0) squares.push_back((-p + root) / 2.0);
    for (double u : squares) {
        if (u < 0.0) continue;
        const double y = std::sqrt(u);
        AppendPair(roots, -y - shift, y - shift);
    }
    return roots;
}

}  // namespace

std::vector<double> CubicRoots(double a, double b, double c, double d) {
    const double e = b / a;
    const double f = c / a;
    const double g = d / a;
    const double p = (f - e * e / 3.0) / 3.0;
    const double q = (g - e * f / 3.0 + 2.0 * e * e * e / 27.0) / 2.0;
    const double h = p * p * p + q * q;

    std::vector<double> roots;
    if (std::fabs(h) < kTolerance) {
        if (std::fabs(q) < kTolerance) {
            roots = {0.0, 0.0, 0.0};
        } else {
            const double m = -RealCubeRoot(q);
            roots = {2.0 * m, -m};
        }
    } else if (h < 0.0) {
        // Three real roots (trigonometric form). The clamp keeps a ratio that
        // rounding pushed a hair past ±1 from turning the roots into NaN.
        const double r = 2.0 * std::sqrt(-p);
        const double ratio = std::clamp(-q / std::sqrt(-(p * p * p)), -1.0, 1.0);
        const double phi = std::acos(ratio) / 3.0;
        roots = {r * std::cos(phi), -r * std::cos(phi + kThirdPi), -r * std::cos(phi - kThirdPi)};
    } else {
        const double s = std::sqrt(h);
        roots = {RealCubeRoot(s - q) + RealCubeRoot(-s - q)};
    }
    for (double& root : roots) root -= e / 3.0;
    return roots;
}

std::vector<double> QuarticRoots(double a, double b, double c, double d, double e) {
    const double e1 = b / a;
    const double ca = c / a;
    const double da = d / a;
    const double e1Squared = e1 * e1;
    const double P = ca - 3.0 * e1Squared / 8.0;
    const double Q = da - e1 * ca / 2.0 + e1 * e1Squared / 8.0;
    const double R = e / a - e1 * da / 4.0 + ca * e1Squared / 16.0 - 3.0 * e1Squared * e1Squared * 0.00390625;
    const double shift = e1 / 4.0;

    // The last clearly positive root of the resolvent cubic; one at the level
    // of the tolerance is rounding residue of a zero root.
    const std::vector<double> resolvent = CubicRoots(1.0, P / 2.0, (P * P - 4.0 * R) / 16.0, -Q * Q * 0.015625);
    double z = 0.0;
    for (double root : resolvent) {
        if (root > kTolerance) z = root;
    }
    if (z == 0.0) {
        // Without a positive resolvent root only an (almost) even depressed
        // quartic still has real roots, and those come from the quadratic in y².
        if (std::fabs(Q) < kTolerance) return BiquadraticRoots(P, R, shift);
        return {};
    }

    const double w = std::sqrt(z);
    const double A = 2.0 * z + P / 2.0;
    const double B = Q / (4.0 * w);
    // A radicand of (about) zero is a double root, as in (x² − 1)²: it must
    // count, not vanish for being a rounding hair below zero.
    std::vector<double> roots;
    if (z - (A - B) > -kTolerance) {
        const double t = std::sqrt(std::max(0.0, z - (A - B)));
        AppendPair(roots, -t - w - shift, t - w - shift);
    }
    if (z - (A + B) > -kTolerance) {
        const double t = std::sqrt(std::max(0.0, z - (A + B)));
        AppendPair(roots, w - t - shift, t + w - shift);
    }
    return roots;
}

double VectorAngle(double x, double y) {
    if (x == 0.0 && y == 0.0) return 0.0;
    // The length is kept in single precision like every stored coordinate;
    // its rounding can push |x/r| just past 1, hence the clamp.
    const float r = static_cast<float>(std::sqrt(x * x + y * y));
    const double cosine = std::clamp(x / r, -1.0, 1.0);
    if (y > 0.0) return std::acos(cosine);
    return kTwoPi - std::acos(cosine);
}

}  // namespace MathEx
