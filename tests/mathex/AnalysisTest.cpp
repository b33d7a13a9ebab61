// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "mathex/MathExp.h"

namespace MathEx {
namespace {

struct AnalysisCase {
    const char* text;
    EquationForm form;
    PrimitiveType type;
    std::vector<double> coeffs;  // leading ones to compare; empty to skip
};

class AnalysisTest : public ::testing::TestWithParam<AnalysisCase> {};

TEST_P(AnalysisTest, ClassifiesFormTypeAndCoefficients) {
    const AnalysisCase& c = GetParam();
    MathExp m;
    ASSERT_TRUE(m.Parse(c.text)) << c.text;
    EXPECT_EQ(m.form, c.form) << c.text;
    EXPECT_EQ(m.type, c.type) << c.text;
    for (size_t i = 0; i < c.coeffs.size(); ++i) EXPECT_NEAR(m.coeffs[i], c.coeffs[i], 1e-9) << c.text << " c" << i;
}

INSTANTIATE_TEST_SUITE_P(
    Explicit, AnalysisTest,
    ::testing::Values(
        AnalysisCase{"y = 3", FORM_EXPLICIT, PT_LINE, {0, 3}},
        AnalysisCase{"y = 2*x + 1", FORM_EXPLICIT, PT_LINE, {2, 1}},
        AnalysisCase{"y = 2*x^2 - 3*x + 1", FORM_EXPLICIT, PT_QUADRATIC, {2, -3, 1}},
        // the true degree counts: leading terms that cancel or are zero do not
        AnalysisCase{"y = x^2 - x^2 + x", FORM_EXPLICIT, PT_LINE, {1, 0}},
        AnalysisCase{"y = x^2 + 0*x^4", FORM_EXPLICIT, PT_QUADRATIC, {1, 0, 0}},
        AnalysisCase{"y = (x-1)*(x+1)*x/2", FORM_EXPLICIT, PT_CUBIC, {0.5, 0, -0.5, 0}},
        AnalysisCase{"y = -(x^4) + 2*x^2", FORM_EXPLICIT, PT_QUARTIC, {-1, 0, 2, 0, 0}},
        AnalysisCase{"y = (x^2)^0 + x", FORM_EXPLICIT, PT_LINE, {1, 1}},
        AnalysisCase{"y = (x+1)^5", FORM_EXPLICIT, PT_POLYNOMIAL, {}},
        AnalysisCase{"y = x^1000000000", FORM_EXPLICIT, PT_POLYNOMIAL, {}},
        AnalysisCase{"y = (x^100000)^0", FORM_EXPLICIT, PT_LINE, {0, 1}},
        AnalysisCase{"y = 2*sin(3*x + 1) - 4", FORM_EXPLICIT, PT_SINE, {2, 3, 1, -4}},
        AnalysisCase{"y = cos(x)/2 + 1", FORM_EXPLICIT, PT_COSINE, {0.5, 1, 0, 1}},
        AnalysisCase{"y = 3*(tan(2*x - 1) + 1)", FORM_EXPLICIT, PT_TANGENT, {3, 2, -1, 3}},
        AnalysisCase{"y = log(x)", FORM_EXPLICIT, PT_LOG, {1, 1, 0, 0}},
        // a constant minus the term, and a negated term, turn the curve over
        AnalysisCase{"y = 1 - sin(x)", FORM_EXPLICIT, PT_SINE, {-1, 1, 0, 1}},
        AnalysisCase{"y = 5 - 2*log(x + 1)", FORM_EXPLICIT, PT_LOG, {-2, 1, 1, 5}},
        AnalysisCase{"y = -sin(x)", FORM_EXPLICIT, PT_SINE, {-1, 1, 0, 0}},
        AnalysisCase{"y = -(2*cos(x) + 3)", FORM_EXPLICIT, PT_COSINE, {-2, 1, 0, -3}},
        AnalysisCase{"y = sin(x^2)", FORM_EXPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"y = 2^(x+1) + 3", FORM_EXPLICIT, PT_EXP, {2, 1, 3}},
        AnalysisCase{"y = E^x - 1", FORM_EXPLICIT, PT_EXP, {2.718281828459, 0, -1}},
        AnalysisCase{"y = 2^(2*x)", FORM_EXPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"y = 2*2^x", FORM_EXPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"y = 5 - 2^(x+1)", FORM_EXPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"y = sqrt(x)", FORM_EXPLICIT, PT_COMPLEX, {}}));

INSTANTIATE_TEST_SUITE_P(
    Forms, AnalysisTest,
    ::testing::Values(AnalysisCase{"2*PI", FORM_CONSTANT, PT_COMPLEX, {}},
                      AnalysisCase{"x + 1", FORM_NONE, PT_COMPLEX, {}},
                      AnalysisCase{"y = a*x", FORM_NONE, PT_COMPLEX, {}},
                      AnalysisCase{"x^2 + y^2 = 4", FORM_IMPLICIT, PT_ELLIPSE, {2, 2, 0, 0, 0}},
                      AnalysisCase{"x = 3", FORM_IMPLICIT, PT_VERTICAL_LINE, {0, 3}},
                      AnalysisCase{"x^3 + y = 0", FORM_IMPLICIT, PT_COMPLEX, {}},
                      AnalysisCase{"x^3 + y^3 - 3*x*y = 0", FORM_IMPLICIT, PT_COMPLEX, {}}));

INSTANTIATE_TEST_SUITE_P(
    Conics, AnalysisTest,
    ::testing::Values(
        AnalysisCase{"x - 3 = 0", FORM_IMPLICIT, PT_VERTICAL_LINE, {0, 3}},
        AnalysisCase{"2*x - 6 = 0", FORM_IMPLICIT, PT_VERTICAL_LINE, {0, 3}},
        AnalysisCase{"x + 2 = 0", FORM_IMPLICIT, PT_VERTICAL_LINE, {0, -2}},
        AnalysisCase{"5 = 0", FORM_IMPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"x^2/4 + y^2 - 1 = 0", FORM_IMPLICIT, PT_ELLIPSE, {2, 1, 0, 0, 0}},
        AnalysisCase{"(x-1)^2/4 + (y+2)^2 - 1 = 0", FORM_IMPLICIT, PT_ELLIPSE, {2, 1, 1, -2, 0}},
        AnalysisCase{"x^2 - y^2 - 1 = 0", FORM_IMPLICIT, PT_HYPERBOLA, {1, 1, 0, 0, 0}},
        AnalysisCase{"y^2/4 - x^2/9 - 1 = 0", FORM_IMPLICIT, PT_HYPERBOLA, {2, 3, 0, 0, kHalfPi}},
        AnalysisCase{"y^2 - 4*x = 0", FORM_IMPLICIT, PT_PARABOLA, {1, 0, 0, 0}},
        AnalysisCase{"x^2 - 8*(y - 1) = 0", FORM_IMPLICIT, PT_PARABOLA, {2, 0, 1, kHalfPi}},
        // a linear equation is the line it describes
        AnalysisCase{"y - x = 0", FORM_IMPLICIT, PT_LINE, {1, 0}},
        // degenerate conics are general curves
        AnalysisCase{"x^2 + y^2 + 1 = 0", FORM_IMPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"x^2 + y^2 = 0", FORM_IMPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"x^2 - y^2 = 0", FORM_IMPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"x^2 - 1 = 0", FORM_IMPLICIT, PT_COMPLEX, {}}));

// The equations teachers type, with the curve each must give.
INSTANTIATE_TEST_SUITE_P(
    Teacher, AnalysisTest,
    ::testing::Values(
        AnalysisCase{"y = -x^2 + 4", FORM_EXPLICIT, PT_QUADRATIC, {-1, 0, 4}},
        AnalysisCase{"y = 2x + 1", FORM_EXPLICIT, PT_LINE, {2, 1}},
        AnalysisCase{"y = (x-1)(x+2)", FORM_EXPLICIT, PT_QUADRATIC, {1, 1, -2}},
        AnalysisCase{"y = 3x^2 - 2x - 1", FORM_EXPLICIT, PT_QUADRATIC, {3, -2, -1}},
        AnalysisCase{"y = -2x^2", FORM_EXPLICIT, PT_QUADRATIC, {-2, 0, 0}},
        AnalysisCase{"y = 1/2x", FORM_EXPLICIT, PT_LINE, {0.5, 0}},
        AnalysisCase{"y = sin(x)^2", FORM_EXPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"y = 2sin(3x + 1) - 4", FORM_EXPLICIT, PT_SINE, {2, 3, 1, -4}},
        AnalysisCase{"y = e^x", FORM_EXPLICIT, PT_EXP, {kE, 0, 0}},
        AnalysisCase{"y = exp(x) + 1", FORM_EXPLICIT, PT_EXP, {kE, 0, 1}},
        AnalysisCase{"y = ln(x)", FORM_EXPLICIT, PT_LOG, {1, 1, 0, 0}},
        AnalysisCase{"y = ln x", FORM_EXPLICIT, PT_LOG, {1, 1, 0, 0}},
        AnalysisCase{"y = |x|", FORM_EXPLICIT, PT_COMPLEX, {}},
        AnalysisCase{"y = x\xc2\xb2 \xe2\x88\x92 1", FORM_EXPLICIT, PT_QUADRATIC, {1, 0, -1}},
        AnalysisCase{"2x + 1 = y", FORM_EXPLICIT, PT_LINE, {2, 1}},
        AnalysisCase{"x^2 + y^2 = 25", FORM_IMPLICIT, PT_ELLIPSE, {5, 5, 0, 0, 0}},
        AnalysisCase{"x = 3", FORM_IMPLICIT, PT_VERTICAL_LINE, {0, 3}},
        AnalysisCase{"y^2 = 4*x", FORM_IMPLICIT, PT_PARABOLA, {1, 0, 0, 0}},
        AnalysisCase{"2x + 3y = 6", FORM_IMPLICIT, PT_LINE, {-2.0 / 3, 2}},
        AnalysisCase{"2*x + 3*y - 6 = 0", FORM_IMPLICIT, PT_LINE, {-2.0 / 3, 2}},
        // coefficients that are not finite describe no curve
        AnalysisCase{"y = 1/0", FORM_EXPLICIT, PT_COMPLEX, {0, 0}},
        AnalysisCase{"y = x/0", FORM_EXPLICIT, PT_COMPLEX, {0, 0}},
        AnalysisCase{"y = 1e300*x*(1e300*x^2+1)", FORM_EXPLICIT, PT_COMPLEX, {0, 0, 0, 0}},
        AnalysisCase{"x/0 + y^2 = 1", FORM_IMPLICIT, PT_COMPLEX, {}}));

TEST(Analysis, TeacherEquationsKeepTheirTextAndDrawTheirCurve) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = -x^2 + 4"));
    const auto top = m.ExtremePoints();
    ASSERT_EQ(top.size(), 1u);
    EXPECT_FALSE(top[0].isMinimum);
    EXPECT_EQ(top[0].x, 0.0f);
    EXPECT_EQ(top[0].y, 4.0f);

    ASSERT_TRUE(m.Parse("2x + 3y = 6"));
    EXPECT_EQ(m.ToText(TEXT_PLAIN), "2*x+3*y=6");  // the tree as typed, not the line's text
    EXPECT_DOUBLE_EQ(m.Evaluate(3), 0);            // y of the line at x = 3
    EXPECT_DOUBLE_EQ(m.Value(0, 2), 0);
    EXPECT_EQ(m.CanonicalText(), "y = -0.66667*x + 2.00000");
    MathExp copy(m);
    EXPECT_DOUBLE_EQ(copy.Evaluate(6), -2);

    // Typed coefficients that are not finite, and conics whose finite
    // coefficients overflow on the way to their equation: complex, no text.
    for (const char* bad : {"y = 1/0", "y = x/0", "y = 1e300*x*(1e300*x^2+1)", "x*y + 1e200 = 0",
                            "0*x^2+46.816*x*y+12*y^2-1e150*x-12.0*y+10 = 0"}) {
        ASSERT_TRUE(m.Parse(bad));
        EXPECT_EQ(m.type, PT_COMPLEX) << bad;
        EXPECT_EQ(m.CanonicalText(), "") << bad;
        EXPECT_FALSE(m.Rebuild()) << bad;
    }
}

// A move whose arithmetic overflows leaves a complex equation, never a curve
// with a coefficient that is not finite.
TEST(Analysis, AnOverflowingTranslationMakesTheEquationComplex) {
    const struct {
        const char* text;
        double dx, dy;
    } rows[] = {{"y = 1e17*x - 1e308", -1e308, 0}, {"y = x^2", 1e200, 0}, {"y = x^3 + 2x", 1e120, 0}};
    for (const auto& r : rows) {
        MathExp m;
        ASSERT_TRUE(m.Parse(r.text));
        m.Translate(r.dx, r.dy);
        EXPECT_EQ(m.type, PT_COMPLEX) << r.text;
        for (double c : m.coeffs) EXPECT_EQ(c, 0) << r.text;
        EXPECT_EQ(m.CanonicalText(), "") << r.text;
    }
    MathExp fine;
    ASSERT_TRUE(fine.Parse("y = 2x + 1"));
    fine.Translate(1, 1);
    EXPECT_EQ(fine.type, PT_LINE);
}

TEST(Analysis, ReparseNeverKeepsAStaleType) {
    MathExp m;
    ASSERT_TRUE(m.Parse("x^2/4 + y^2 - 1 = 0"));
    ASSERT_EQ(m.type, PT_ELLIPSE);
    ASSERT_TRUE(m.Parse("y = a*x"));
    EXPECT_EQ(m.type, PT_COMPLEX);
    for (double c : m.coeffs) EXPECT_EQ(c, 0);
    for (double c : m.conic) EXPECT_EQ(c, 0);
}

TEST(Analysis, ConicCoefficientsOfImplicitEquations) {
    MathExp m;
    ASSERT_TRUE(m.Parse("2*x^2 - 3*x*y + y^2/2 + 4*x - y + 7 = 0"));
    const double expected[6] = {2, -3, 0.5, 4, -1, 7};
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(m.conic[i], expected[i]) << i;
}

struct MoveCase {
    const char* text;
    double dx, dy;
    const char* moved;  // the same curve typed at its new place
};

class TranslateTest : public ::testing::TestWithParam<MoveCase> {};

// Moving changes the coefficients exactly as typing the moved curve would.
TEST_P(TranslateTest, MatchesTheMovedCurve) {
    const MoveCase& c = GetParam();
    MathExp m, expected;
    ASSERT_TRUE(m.Parse(c.text));
    ASSERT_TRUE(expected.Parse(c.moved));
    m.Translate(c.dx, c.dy);
    EXPECT_EQ(m.type, expected.type);
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(m.coeffs[i], expected.coeffs[i], 1e-9) << c.text << " c" << i;
}

INSTANTIATE_TEST_SUITE_P(
    Types, TranslateTest,
    ::testing::Values(MoveCase{"x - 1 = 0", 2, 5, "x - 3 = 0"},
                      MoveCase{"y = 2*x + 1", 1, 3, "y = 2*(x-1) + 1 + 3"},
                      MoveCase{"y = 2*x^2 - x + 3", -1.5, 2, "y = 2*(x+1.5)^2 - (x+1.5) + 3 + 2"},
                      MoveCase{"y = x^3 - 2*x^2 + 3*x - 1", 2, -1, "y = (x-2)^3 - 2*(x-2)^2 + 3*(x-2) - 1 - 1"},
                      MoveCase{"y = 2*x^4 - x^3 + x^2 - 3*x + 5", 0.5, 1,
                               "y = 2*(x-0.5)^4 - (x-0.5)^3 + (x-0.5)^2 - 3*(x-0.5) + 5 + 1"},
                      MoveCase{"y = 2*sin(3*x + 1) - 4", 1, 2, "y = 2*sin(3*(x-1) + 1) - 2"},
                      MoveCase{"y = log(2*x)", -1, 0, "y = log(2*(x+1))"},
                      MoveCase{"y = 2^(x+1) + 3", 2, -3, "y = 2^(x-1)"},
                      MoveCase{"x^2/4 + y^2 - 1 = 0", 1, -2, "(x-1)^2/4 + (y+2)^2 - 1 = 0"},
                      MoveCase{"x^2 - y^2 - 1 = 0", -3, 1, "(x+3)^2 - (y-1)^2 - 1 = 0"},
                      MoveCase{"y^2 - 4*x = 0", 2, 3, "(y-3)^2 - 4*(x-2) = 0"}));

}  // namespace
}  // namespace MathEx
