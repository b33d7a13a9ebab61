// SPDX-License-Identifier: MIT
// Crossings in closed form: a line or x = k against a line or a conic, and
// x = k against a curve y = f(x), worked out by hand below.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "mathex/ExactCrossings.h"
#include "mathex/MathExp.h"

namespace MathEx {
namespace {

const double kRoot2 = std::sqrt(2.0), kRoot3 = std::sqrt(3.0), kE = std::exp(1.0);

struct CrossingCase {
    const char* name;
    const char* first;
    const char* second;
    std::optional<std::vector<Crossing>> expected;  // nothing: no closed form, the graph searches
};

const CrossingCase kCases[] = {
    // x² + (x + 1)² = 25: x² + x − 12 = 0.
    {"line and circle", "y = x + 1", "x^2 + y^2 = 25", std::vector<Crossing>{{-4, -3}, {3, 4}}},
    {"circle and line, either way round", "x^2 + y^2 = 25", "y = x + 1", std::vector<Crossing>{{-4, -3}, {3, 4}}},
    // 2x² = 4.
    {"line and circle at irrational points", "y = x", "x^2 + y^2 = 4",
     std::vector<Crossing>{{-kRoot2, -kRoot2}, {kRoot2, kRoot2}}},
    // A circle of radius r = 10⁶ through the origin, cut just above its
    // centre line: x² + 2r·x + 1 = 0. The small root, −r + √(r² − 1) =
    // −1/(2r) − 1/(8r³) − …, is the difference of two near numbers in the
    // school formula, which keeps only four of its digits.
    {"a root beside a huge one keeps its digits", "y = 1", "(x + 1000000)^2 + y^2 = 1000000000000",
     std::vector<Crossing>{{-2e6 + 5.00000000000125e-7, 1}, {-5.00000000000125e-7, 1}}},
    // Distance √2 from the centre (1, 2) to x − y + 3 = 0, the radius: the foot is (0, 3).
    {"a tangent touches once", "y = x + 3", "(x-1)^2 + (y-2)^2 = 2", std::vector<Crossing>{{0, 3}}},
    {"a level tangent", "y = 2", "x^2 + y^2 = 4", std::vector<Crossing>{{0, 2}}},
    {"an implicit tangent", "3x + 4y = 25", "x^2 + y^2 = 25", std::vector<Crossing>{{3, 4}}},
    // Tenths binary cannot hold: the discriminant comes out a rounding below
    // zero, and the touch must not be lost.
    {"a tangent in tenths", "y = 0.9", "(x-0.1)^2 + (y-0.7)^2 = 0.04", std::vector<Crossing>{{0.1, 0.9}}},
    {"an upright tangent in tenths", "x = 0.3", "(x-0.1)^2 + (y-0.7)^2 = 0.04", std::vector<Crossing>{{0.3, 0.7}}},
    {"a line missing the circle", "y = x + 10", "x^2 + y^2 = 25", std::vector<Crossing>{}},
    // x²/4 − (x/2 + 1)² = 1: −x − 1 = 1.
    {"a line along an asymptote's direction", "y = 0.5x + 1", "x^2/4 - y^2 = 1", std::vector<Crossing>{{-2, 0}}},
    // (y − x/10)(y + x) = 1 in tenths: along its asymptote's direction the
    // square term −0.1 + 0.9·0.1 + 0.1² is a rounding, not 0. On y − x/10 = 1,
    // y + x = 1.
    {"a line along an asymptote, in tenths", "y = 0.1x + 1", "y^2 + 0.9x*y - 0.1x^2 = 1", std::vector<Crossing>{{0, 1}}},
    {"an asymptote meets its hyperbola nowhere", "y = 0.7x", "(y - 0.7x)*(y + 0.2x) = 1", std::vector<Crossing>{}},
    // xy = 1 is a hyperbola turned by 45°; y = 2 runs along its asymptote y = 0.
    {"the same, on a turned hyperbola", "y = 2", "x*y = 1", std::vector<Crossing>{{0.5, 2}}},
    // x² + x·x + x² = 3.
    {"a turned ellipse", "y = x", "x^2 + x*y + y^2 = 3", std::vector<Crossing>{{-1, -1}, {1, 1}}},
    // 1/4 + y² = 1.
    {"vertical line and ellipse", "x = 1", "x^2/4 + y^2 = 1",
     std::vector<Crossing>{{1, -kRoot3 / 2}, {1, kRoot3 / 2}}},
    {"vertical line beside the ellipse", "x = 2.5", "x^2/4 + y^2 = 1", std::vector<Crossing>{}},
    {"vertical tangent to the ellipse", "x + 2 = 0", "x^2/4 + y^2 = 1", std::vector<Crossing>{{-2, 0}}},
    // (x − 3)² = 4x: x² − 10x + 9 = 0.
    {"line and parabola", "y = x - 3", "y^2 = 4x", std::vector<Crossing>{{1, -2}, {9, 6}}},
    {"line along the parabola's axis", "y = 2", "y^2 = 4x", std::vector<Crossing>{{1, 2}}},
    {"vertical line and parabola", "x - 1 = 0", "y^2 = 4x", std::vector<Crossing>{{1, -2}, {1, 2}}},
    // (x − 1)² = 4(y − 2) opens upwards: y = 2 + (x − 1)²/4; at x = 3, y = 3.
    {"vertical line and upright parabola", "x = 3", "(x-1)^2 = 4(y-2)", std::vector<Crossing>{{3, 3}}},
    // x² − y² = 0 is the pair of lines y = ±x: x = −1 on one, −1/3 on the other.
    {"line and a pair of lines", "y = 2x + 1", "x^2 - y^2 = 0", std::vector<Crossing>{{-1, -1}, {-1.0 / 3, 1.0 / 3}}},
    {"a line along one of the pair", "y = x", "x^2 - y^2 = 0", std::vector<Crossing>{}},

    {"vertical line and exponential", "x = 1", "y = e^x", std::vector<Crossing>{{1, kE}}},
    {"vertical line and a power of 2", "x - 3 = 0", "y = 2^(x+1) + 3", std::vector<Crossing>{{3, 19}}},
    {"vertical line where the logarithm is undefined", "x = 0", "y = log(x)", std::vector<Crossing>{}},
    {"vertical line left of the logarithm", "x = -1", "y = ln(x)", std::vector<Crossing>{}},
    {"vertical line and logarithm", "x = 1", "y = 2ln(x) + 5", std::vector<Crossing>{{1, 5}}},
    {"vertical line and cubic", "x = -1", "y = x^3 - 3x", std::vector<Crossing>{{-1, 2}}},
    {"vertical line and cosine", "x = 0", "y = 2cos(x) - 1", std::vector<Crossing>{{0, 1}}},
    {"vertical line and a curve of no family", "x = 2", "y = x*sin(0*x) + sqrt(x + 2)", std::vector<Crossing>{{2, 2}}},

    {"crossing lines", "y = 2x + 1", "y = -x + 4", std::vector<Crossing>{{1, 3}}},
    {"parallel lines", "y = 2x + 1", "y = 2x - 3", std::vector<Crossing>{}},
    {"a line written twice", "y = 2x + 1", "4x - 2y + 2 = 0", std::vector<Crossing>{}},
    {"vertical line and line", "x = 3", "y = 2x + 1", std::vector<Crossing>{{3, 7}}},
    {"parallel vertical lines", "x = 1", "x = 2", std::vector<Crossing>{}},
    {"a vertical line written twice", "x = 1", "2x - 2 = 0", std::vector<Crossing>{}},

    {"two circles", "x^2 + y^2 = 25", "(x-6)^2 + y^2 = 25", std::nullopt},
    {"line and sine", "y = x", "y = sin(x)", std::nullopt},
    {"circle and quadratic", "y = x^2", "x^2 + y^2 = 4", std::nullopt},
    {"vertical line and a cubic curve in x and y", "x = 1", "x^3 + y^3 = 9", std::nullopt},
};

MathExp Parsed(const char* text) {
    MathExp m;
    EXPECT_TRUE(m.Parse(text)) << text;
    return m;
}

TEST(ExactCrossings, PointsWorkedOutByHand) {
    for (const CrossingCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::vector<Crossing>> found = ExactCrossings(Parsed(c.first), Parsed(c.second));
        ASSERT_EQ(found.has_value(), c.expected.has_value());
        if (!found) continue;
        ASSERT_EQ(found->size(), c.expected->size());
        for (size_t k = 0; k < found->size(); ++k) {
            const Crossing want = (*c.expected)[k], got = (*found)[k];
            EXPECT_NEAR(got.x, want.x, 1e-12 * (1 + std::abs(want.x))) << "#" << k;
            EXPECT_NEAR(got.y, want.y, 1e-12 * (1 + std::abs(want.y))) << "#" << k;
        }
    }
}

}  // namespace
}  // namespace MathEx
