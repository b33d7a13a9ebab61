// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <numbers>

#include <cmath>
#include <string>
#include <vector>

#include "TreeDump.h"
#include "mathex/MathExp.h"

namespace MathEx {
namespace {

MathExp Shape(PrimitiveType type, std::vector<double> c) {
    MathExp m;
    m.type = type;
    for (size_t i = 0; i < c.size() && i < 5; ++i) m.coeffs[i] = c[i];
    return m;
}

struct CanonicalCase {
    PrimitiveType type;
    std::vector<double> coeffs;
    const char* text;
};

class CanonicalTextTest : public ::testing::TestWithParam<CanonicalCase> {};

// The exact text, and that it reads back as the same type and coefficients.
TEST_P(CanonicalTextTest, WritesTextThatReadsBack) {
    const CanonicalCase& c = GetParam();
    const MathExp m = Shape(c.type, c.coeffs);
    EXPECT_EQ(m.CanonicalText(), c.text);
    MathExp back;
    ASSERT_TRUE(back.Parse(c.text)) << c.text;
    EXPECT_EQ(back.type, c.type) << c.text;
    for (size_t i = 0; i < c.coeffs.size(); ++i) EXPECT_NEAR(back.coeffs[i], c.coeffs[i], 1e-9) << c.text << " c" << i;
}

INSTANTIATE_TEST_SUITE_P(
    Types, CanonicalTextTest,
    ::testing::Values(
        CanonicalCase{PT_VERTICAL_LINE, {0, 3}, "x - 3.00000 = 0"},
        CanonicalCase{PT_VERTICAL_LINE, {0, -2}, "x + 2.00000 = 0"},
        CanonicalCase{PT_VERTICAL_LINE, {0, 0}, "x = 0"},
        CanonicalCase{PT_LINE, {2, -1}, "y = 2.00000*x-1.00000"},
        CanonicalCase{PT_LINE, {1, 2}, "y = x + 2.00000"},
        CanonicalCase{PT_LINE, {-1, 0}, "y = -x"},
        CanonicalCase{PT_LINE, {0, 4}, "y = 4.00000"},
        CanonicalCase{PT_LINE, {0, 0}, "y = 0"},
        CanonicalCase{PT_QUADRATIC, {1, -1, 0}, "y = x^2- x"},
        CanonicalCase{PT_QUADRATIC, {-1, 2, -3}, "y = -(x^2) + 2.00000*x-3.00000"},
        CanonicalCase{PT_QUADRATIC, {0.5, 1, 1}, "y = 0.50000*x^2 + x + 1.00000"},
        CanonicalCase{PT_CUBIC, {1, -1, 1, 5}, "y = x^3 - x^2 + x + 5.00000"},
        CanonicalCase{PT_CUBIC, {-1, 0, -2, 0}, "y = -(x^3)-2.00000*x"},
        CanonicalCase{PT_QUARTIC, {-1, 0, 2, 0, 0}, "y = -(x^4) + 2.00000*x^2"},
        CanonicalCase{PT_QUARTIC, {2, -1, 0, 1, -1}, "y = 2.00000*x^4 - x^3 + x-1.00000"},
        CanonicalCase{PT_SINE, {2, 3, 1, -4}, "y = 2.00000*sin(3.00000*x + 1.00000)-4.00000"},
        CanonicalCase{PT_COSINE, {-1, -1, 0, 1}, "y = -cos(-x) + 1.00000"},
        CanonicalCase{PT_TANGENT, {1, 2, -1, 0}, "y = tan(2.00000*x-1.00000)"},
        CanonicalCase{PT_LOG, {-0.5, 1, 2, 3}, "y = -0.50000*log(x + 2.00000) + 3.00000"},
        CanonicalCase{PT_EXP, {-2, 1, 0}, "y = (-2.00000)^(x+1.00000)"},
        CanonicalCase{PT_EXP, {2, 0, -3}, "y = 2.00000^x-3.00000"},
        CanonicalCase{PT_ELLIPSE, {2, 1, 1, -2, 0}, "(x - 1.00000)^2/4.00000 + (y + 2.00000)^2 - 1 = 0 "},
        CanonicalCase{PT_HYPERBOLA, {1, 3, 0, 0, 0}, "x^2 - y^2/9.00000 - 1 = 0 "},
        CanonicalCase{PT_HYPERBOLA, {2, 3, 1, 0, kHalfPi}, "y^2/4.00000 - (x - 1.00000)^2/9.00000 - 1 = 0 "},
        CanonicalCase{PT_PARABOLA, {1, 0, 0, 0}, "y^2 - 4.00000*x = 0"},
        CanonicalCase{PT_PARABOLA, {-0.5, 1, 2, 0}, "(y - 2.00000)^2 + 2.00000*(x - 1.00000) = 0"},
        CanonicalCase{PT_PARABOLA, {2, -1, 0, kHalfPi}, "(x + 1.00000)^2 - 8.00000*y = 0"},
        // coefficients that five decimals would round away keep their digits
        CanonicalCase{PT_PARABOLA, {-2e-67, 0, 0, 0}, "y^2 + 8e-67*x = 0"},
        CanonicalCase{PT_QUADRATIC, {1e-6, 0, 2}, "y = 1e-06*x^2 + 2.00000"}));

TEST(CanonicalText, NoTextForGeneralCurves) {
    EXPECT_EQ(Shape(PT_POLYNOMIAL, {}).CanonicalText(), "");
    EXPECT_EQ(Shape(PT_COMPLEX, {}).CanonicalText(), "");
}

TEST(Rebuild, FollowsAMoveAndKeepsTypeAndCoefficients) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = 2*sin(3*x + 1) - 4"));
    m.Translate(1, 2);
    const double moved[4] = {m.coeffs[0], m.coeffs[1], m.coeffs[2], m.coeffs[3]};
    ASSERT_TRUE(m.Rebuild());
    EXPECT_EQ(m.ToText(TEXT_PLAIN), "y=2*sin(3*x-2)-2");
    EXPECT_EQ(m.form, FORM_EXPLICIT);
    EXPECT_EQ(m.type, PT_SINE);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(m.coeffs[i], moved[i]);
    EXPECT_NEAR(m.Evaluate(1), 2 * std::sin(1.0) - 2, 1e-12);
}

TEST(Rebuild, ImplicitRebuildRefreshesConicCoefficients) {
    MathExp m;
    ASSERT_TRUE(m.Parse("x^2/4 + y^2 - 1 = 0"));
    m.Translate(1, 0);
    ASSERT_TRUE(m.Rebuild());
    EXPECT_EQ(m.form, FORM_IMPLICIT);
    EXPECT_NEAR(m.Value(3, 0), 0, 1e-12);
    EXPECT_NEAR(m.conic[3], -0.5, 1e-12);  // D of (x − 1)²/4
}

TEST(Rebuild, FailureLeavesEverythingAsItWas) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = (x+1)^5"));
    ASSERT_EQ(m.type, PT_POLYNOMIAL);
    const std::string before = testing::Dump(m);
    EXPECT_FALSE(m.Rebuild());
    EXPECT_EQ(testing::Dump(m), before);
    EXPECT_EQ(m.form, FORM_EXPLICIT);
    EXPECT_DOUBLE_EQ(m.Evaluate(1), 32);

    MathExp broken;
    ASSERT_TRUE(broken.Parse("y = 2*x"));
    broken.coeffs[0] = std::nan("");
    EXPECT_FALSE(broken.Rebuild());
    EXPECT_EQ(broken.form, FORM_EXPLICIT);
    EXPECT_DOUBLE_EQ(broken.Evaluate(1), 2);
}

// A rebuild whose text would read back as another kind of curve fails and
// keeps the old text.
TEST(Rebuild, TextOfAnotherTypeFailsAndKeepsTheOldText) {
    MathExp tiny;
    ASSERT_TRUE(tiny.Parse("y^2 - 8e-67*x = 0"));
    ASSERT_EQ(tiny.type, PT_PARABOLA);
    EXPECT_TRUE(tiny.CanRebuild());
    ASSERT_TRUE(tiny.Rebuild());
    EXPECT_EQ(tiny.type, PT_PARABOLA);
    MathExp back;
    ASSERT_TRUE(back.Parse(tiny.ToExactText()));
    EXPECT_EQ(back.type, PT_PARABOLA);

    MathExp m;
    ASSERT_TRUE(m.Parse("y = x^3"));
    m.coeffs[0] = 0;  // a cubic whose text would be a line
    EXPECT_FALSE(m.CanRebuild());
    EXPECT_FALSE(m.Rebuild());
    EXPECT_EQ(m.ToText(TEXT_PLAIN), "y=x^3");
    EXPECT_EQ(m.type, PT_CUBIC);
}

TEST(Rebuild, AFittedShapeWithoutTextGetsTheFormOfItsText) {
    MathExp m = Shape(PT_QUADRATIC, {1, 0, -1});
    ASSERT_TRUE(m.Rebuild());
    EXPECT_EQ(m.form, FORM_EXPLICIT);
    EXPECT_DOUBLE_EQ(m.Evaluate(2), 3);
    MathExp e = Shape(PT_ELLIPSE, {2, 1, 0, 0, 0.3});
    ASSERT_TRUE(e.Rebuild());
    EXPECT_EQ(e.form, FORM_IMPLICIT);
}

// --- Conics: parameters, canonical text and curve stay one curve. ---

struct Conic {
    PrimitiveType type;
    double c[5];
};

// Points of the curve from its parameters.
std::vector<std::pair<double, double>> Sample(const Conic& k) {
    std::vector<std::pair<double, double>> pts;
    if (k.type == PT_PARABOLA) {
        const double p = k.c[0], th = k.c[3];
        for (double v = -3; v <= 3; v += 0.5) {
            const double u = v * v / (4 * p);  // v² = 4pu along the axis θ
            pts.push_back({k.c[1] + u * std::cos(th) + v * std::sin(th), k.c[2] + u * std::sin(th) - v * std::cos(th)});
        }
        return pts;
    }
    const double a = k.c[0], b = k.c[1], th = k.c[4];
    for (double t = -1.2; t <= 1.2; t += 0.2) {
        for (int branch : {1, -1}) {
            const double p = k.type == PT_ELLIPSE ? a * std::cos(t + (branch > 0 ? 0 : 3)) : branch * a / std::cos(t);
            const double q = k.type == PT_ELLIPSE ? b * std::sin(t + (branch > 0 ? 0 : 3)) : b * std::tan(t);
            pts.push_back({k.c[2] + p * std::cos(th) - q * std::sin(th), k.c[3] + p * std::sin(th) + q * std::cos(th)});
        }
    }
    return pts;
}

// Dimensionless distance of a point from the curve given by the parameters.
double Residual(const Conic& k, double x, double y) {
    if (k.type == PT_PARABOLA) {
        const double p = k.c[0], s = std::sin(k.c[3]), c = std::cos(k.c[3]);
        const double u = c * (x - k.c[1]) + s * (y - k.c[2]);
        const double v = s * (x - k.c[1]) - c * (y - k.c[2]);
        return (v * v - 4 * p * u) / (v * v + std::fabs(4 * p * u) + p * p);
    }
    const double s = std::sin(k.c[4]), c = std::cos(k.c[4]);
    const double u = (c * (x - k.c[2]) + s * (y - k.c[3])) / k.c[0];
    const double v = (-s * (x - k.c[2]) + c * (y - k.c[3])) / k.c[1];
    return k.type == PT_ELLIPSE ? u * u + v * v - 1 : (u * u - v * v - 1) / (u * u + v * v + 1);
}

struct ConicCase {
    Conic conic;
    double dx, dy;
};

std::string Describe(const ConicCase& c) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "type %d (%g, %g, %g, %g, %g) moved by (%g, %g)", c.conic.type, c.conic.c[0],
                  c.conic.c[1], c.conic.c[2], c.conic.c[3], c.conic.c[4], c.dx, c.dy);
    return buf;
}

class ConicRoundTripTest : public ::testing::TestWithParam<ConicCase> {};

TEST_P(ConicRoundTripTest, MovedConicReadsBackAsTheSameCurve) {
    const ConicCase& c = GetParam();
    MathExp m;
    m.type = c.conic.type;
    std::copy(c.conic.c, c.conic.c + 5, m.coeffs);
    ASSERT_TRUE(m.Rebuild()) << Describe(c);
    m.Translate(c.dx, c.dy);
    ASSERT_TRUE(m.Rebuild()) << Describe(c);

    Conic expected = c.conic;
    const int centre = expected.type == PT_PARABOLA ? 1 : 2;
    expected.c[centre] += c.dx;
    expected.c[centre + 1] += c.dy;

    MathExp back;
    ASSERT_TRUE(back.Parse(m.CanonicalText())) << Describe(c) << ": " << m.CanonicalText();
    ASSERT_EQ(back.type, expected.type) << Describe(c) << ": " << m.CanonicalText();
    Conic got{back.type, {}};
    std::copy(back.coeffs, back.coeffs + 5, got.c);
    for (auto [x, y] : Sample(expected)) {
        EXPECT_NEAR(Residual(got, x, y), 0, 1e-4) << Describe(c) << " at (" << x << ", " << y << ")";
        EXPECT_NEAR(m.Value(x, y) / (std::fabs(m.conic[0]) + std::fabs(m.conic[1]) + std::fabs(m.conic[2])), 0, 1e-4)
            << Describe(c) << " text " << m.CanonicalText();
    }
    for (auto [x, y] : Sample(got)) EXPECT_NEAR(Residual(expected, x, y), 0, 1e-4) << Describe(c);
}

std::vector<ConicCase> ConicCases() {
    const double off = 0.05;  // about three degrees
    const double tilt = 3e-6;  // a sketch a few millionths of a radian off an axis
    const double angles[] = {0, off, kHalfPi - off, kHalfPi, kHalfPi + off, kPi - off, kPi, kPi + off,
                             kThreeHalfPi - off, kThreeHalfPi, kThreeHalfPi + off, kTwoPi - off,
                             0.7, 2.3, 4.0, 5.5, std::numbers::pi, 3 * std::numbers::pi / 2};
    std::vector<ConicCase> cases;
    for (double th : {kHalfPi + tilt, kPi - tilt, tilt}) {
        cases.push_back({{PT_PARABOLA, {0.75, 1, -1, th}}, 1.5, 0.5});
        cases.push_back({{PT_PARABOLA, {-1.25, -2, 0.5, th}}, -0.5, 3});
    }
    for (double th : angles) {
        cases.push_back({{PT_ELLIPSE, {3, 1.5, 1, -2, th}}, 2, 1});
        cases.push_back({{PT_ELLIPSE, {1, 2.5, -1, 0.5, th}}, -1.5, 0.25});
        cases.push_back({{PT_HYPERBOLA, {2, 1, 0.5, 1, th}}, -1, 2});
        cases.push_back({{PT_HYPERBOLA, {1, 3, -2, 0, th}}, 0.5, -0.5});
        cases.push_back({{PT_PARABOLA, {0.75, 1, -1, th}}, 1.5, 0.5});
        cases.push_back({{PT_PARABOLA, {-1.25, -2, 0.5, th}}, -0.5, 3});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Angles, ConicRoundTripTest, ::testing::ValuesIn(ConicCases()));

}  // namespace
}  // namespace MathEx
