// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "mathex/MathExp.h"

namespace MathEx {
namespace {

struct Extreme {
    float x, y;
    bool minimum;
};

struct ExtremeCase {
    const char* text;
    std::vector<Extreme> points;
};

class ExtremePointsTest : public ::testing::TestWithParam<ExtremeCase> {};

TEST_P(ExtremePointsTest, FindsMinimaAndMaxima) {
    MathExp m;
    ASSERT_TRUE(m.Parse(GetParam().text));
    const auto points = m.ExtremePoints();
    const auto& expected = GetParam().points;
    ASSERT_EQ(points.size(), expected.size()) << GetParam().text;
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].x, expected[i].x, 1e-4) << GetParam().text << " #" << i;
        EXPECT_NEAR(points[i].y, expected[i].y, 1e-4) << GetParam().text << " #" << i;
        EXPECT_EQ(points[i].isMinimum, expected[i].minimum) << GetParam().text << " #" << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Polynomials, ExtremePointsTest,
    ::testing::Values(ExtremeCase{"y = x^2 - 2*x + 3", {{1, 2, true}}},
                      ExtremeCase{"y = -x^2", {{0, 0, false}}},  // −(x²)
                      ExtremeCase{"y = -x^2 + 4", {{0, 4, false}}},
                      ExtremeCase{"y = (-x)^2", {{0, 0, true}}},
                      ExtremeCase{"y = -(x^2)", {{0, 0, false}}},
                      ExtremeCase{"y = x^3 - 3*x", {{-1, 2, false}, {1, -2, true}}},
                      ExtremeCase{"y = -x^3 + 3*x", {{1, 2, false}, {-1, -2, true}}},
                      ExtremeCase{"y = x^3", {}},
                      // horizontal inflections: the two critical points are one, and none
                      ExtremeCase{"y = -0.5(x+1.7)^3+1.25", {}},
                      ExtremeCase{"y = (x-1)^3 + 2", {}},
                      ExtremeCase{"y = 3(x-0.1)^3 - 7", {}},
                      ExtremeCase{"y = 0.01x^3 - 0.3x^2 + 3x", {}},  // (x − 10)³/100, written out
                      ExtremeCase{"y = x^3 - 0.000003x", {{-0.001f, 2e-9f, false}, {0.001f, -2e-9f, true}}},
                      ExtremeCase{"y = x^4 - 2*x^2", {{-1, -1, true}, {0, 0, false}, {1, -1, true}}},
                      ExtremeCase{"y = -(x^4) + 2*x^2", {{-1, 1, false}, {0, 0, true}, {1, 1, false}}},
                      // y = x⁴: the derivative's triple root is one minimum
                      ExtremeCase{"y = x^4", {{0, 0, true}}},
                      ExtremeCase{"y = x^4 + 1", {{0, 1, true}}},
                      // a double root of the derivative is an inflection; the simple root is the extremum
                      ExtremeCase{"y = x^4 - 4*x^3", {{3, -27, true}}},
                      ExtremeCase{"y = -(x^4) + 4*x^3", {{3, 27, false}}},
                      ExtremeCase{"y = sin(x)", {}},
                      ExtremeCase{"y = 2*x + 1", {}},
                      ExtremeCase{"x^2 + y^2 - 1 = 0", {}}));

// A polynomial is classified by its true degree: zero leading coefficients
// give no extreme point at a place that is not finite.
TEST(ExtremePoints, ZeroLeadingCoefficientsDoNotCount) {
    for (const char* text : {"y = 0*x^2 + x", "y = 0*x^2", "y = 0*x^3 + 0*x^2 + 5"}) {
        MathExp m;
        ASSERT_TRUE(m.Parse(text));
        EXPECT_EQ(m.type, PT_LINE) << text;
        EXPECT_TRUE(m.ExtremePoints().empty()) << text;
    }
    MathExp m;
    ASSERT_TRUE(m.Parse("y = x^2 + 0*x^4"));
    EXPECT_EQ(m.type, PT_QUADRATIC);
    const auto points = m.ExtremePoints();
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, 0.0f);
    EXPECT_EQ(points[0].y, 0.0f);
    EXPECT_TRUE(points[0].isMinimum);
}

}  // namespace
}  // namespace MathEx
