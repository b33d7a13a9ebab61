// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cmath>

#include "mathex/MathExp.h"
#include "mathex/Roots.h"

namespace MathEx {

namespace {

// The critical points of a quartic are the real roots of its derivative
// 4a·x³ + 3b·x² + 2c·x + d. Three distinct roots alternate minimum, maximum,
// minimum (for a > 0). A double root is an inflection, not an extremum: of the
// two roots reported, the extremum is the one with the lower value for a > 0
// (higher for a < 0). A triple root (y = x⁴) is one extremum.
std::vector<double> QuarticCriticalPoints(const MathExp& m, double a, std::vector<bool>& minimum) {
    std::vector<double> roots = CubicRoots(4 * a, 3 * m.coeffs[1], 2 * m.coeffs[2], m.coeffs[3]);
    minimum.clear();
    const bool allSame = roots.size() == 3 && roots[0] == roots[1] && roots[1] == roots[2];
    if (roots.size() == 1 || allSame) {
        minimum = {a > 0};
        return {roots[0]};
    }
    if (roots.size() == 2) {
        const double v0 = m.Evaluate(roots[0]), v1 = m.Evaluate(roots[1]);
        const bool firstIsExtremum = a > 0 ? v0 < v1 : v0 > v1;
        minimum = {a > 0};
        return {firstIsExtremum ? roots[0] : roots[1]};
    }
    if (roots.size() == 3) {
        std::sort(roots.begin(), roots.end());
        minimum = {a > 0, a < 0, a > 0};
        return roots;
    }
    return {};
}

}  // namespace

std::vector<ExtremePoint> MathExp::ExtremePoints() const {
    std::vector<double> xs;
    std::vector<bool> minimum;
    const double a = coeffs[0], b = coeffs[1], c = coeffs[2];
    switch (type) {
        case PT_QUADRATIC:
            xs = {-b / (2 * a)};
            minimum = {a > 0};
            break;
        case PT_CUBIC: {
            const double d = b * b - 3 * a * c;
            // A horizontal inflection (y = −0.5(x + 1.7)³ + 1.25) gives d = 0
            // in exact arithmetic and a few ulps either way in ours: two
            // critical points that coincide within the coefficients' rounding
            // are none, and the cubic is monotonic.
            const double noise = 1e-9 * (b * b + std::fabs(3 * a * c));
            // The first root is always the maximum and the second the minimum:
            // for a < 0 the division turns the order of the roots round too.
            if (d > noise) {
                xs = {(-std::sqrt(d) - b) / (3 * a), (std::sqrt(d) - b) / (3 * a)};
                minimum = {false, true};
            }
            break;
        }
        case PT_QUARTIC: xs = QuarticCriticalPoints(*this, a, minimum); break;
        default: break;
    }
    std::vector<ExtremePoint> points;
    if (!main_) return points;
    for (size_t i = 0; i < xs.size(); ++i) {
        const float x = float(xs[i]);
        const float y = float(Evaluate(x));
        // A degenerate polynomial can put its critical point nowhere.
        if (!IsFinite(x) || !IsFinite(y)) continue;
        points.emplace_back(x, y, minimum[i]);
    }
    return points;
}

}  // namespace MathEx
