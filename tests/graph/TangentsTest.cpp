// SPDX-License-Identifier: MIT
// Tangent lines: the text of the tangent at a point on a curve, and the texts
// of the tangents from a point to a quadratic, cubic or quartic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <locale>
#include <string>
#include <vector>

#include "graph/Tangents.h"
#include "mathex/MathExp.h"

using MathEx::MathExp;

namespace {

MathExp Parsed(const std::string& text) {
    MathExp e;
    EXPECT_TRUE(e.Parse(text)) << text;
    return e;
}

struct AtPointCase {
    const char* curve;
    PointF p;
    const char* expected;
};

// The slope comes from the curve's derivative at p.x; the intercept from p itself.
const AtPointCase kAtPoint[] = {
    {"y=x^2", {1, 1}, "y=2*x-1"},
    {"y=x^2+1", {1, 2}, "y=2*x"},          // intercept 0: the text ends in "*x"
    {"y=x^2+2", {1, 3}, "y=2*x+1"},        // positive intercept gets its "+"
    {"y=x^2", {-1, 1}, "y=-2*x-1"},
    {"y=x^2", {0, 0}, "y=0*x"},
    {"y=x^3", {0.5, 0.125}, "y=0.75*x-0.25"},
    {"y=x^3", {1.0f / 3, 1.0f / 27}, "y=0.333333*x-0.0740741"},  // six significant digits
    {"y=2*x+1", {3, 7}, "y=2*x+1"},
    {"x^2+y^2-4=0", {2, 0}, ""},           // implicit: no tangent
};

TEST(TangentAtPoint, TextFollowsSlopeAndIntercept) {
    for (const AtPointCase& c : kAtPoint)
        EXPECT_EQ(TangentAtPointText(Parsed(c.curve), c.p), c.expected) << c.curve;
}

TEST(TangentAtPoint, TextIsALineThroughThePoint) {
    for (const AtPointCase& c : kAtPoint) {
        const std::string text = TangentAtPointText(Parsed(c.curve), c.p);
        if (text.empty() || text == "y=0*x") continue;
        const MathExp line = Parsed(text);
        ASSERT_EQ(line.type, MathEx::PT_LINE) << text;
        EXPECT_NEAR(line.coeffs[0] * c.p.x + line.coeffs[1], c.p.y, 1e-5) << text;
    }
}

TEST(TangentAtPoint, NonFiniteSlopeGivesNoText) {
    const char* curves[] = {"y=1/x", "y=sqrt(x)"};
    for (const char* curve : curves) EXPECT_EQ(TangentAtPointText(Parsed(curve), PointF(0, 0)), "") << curve;
}

struct FromPointCase {
    const char* curve;
    PointF from;
    std::vector<std::string> expected;
};

const FromPointCase kFromPoint[] = {
    {"y=x^2", {0, -1}, {"y = 2.0000*x + -1.0000", "y = -2.0000*x + -1.0000"}},
    {"y=x^2", {2, 3}, {"y = 6.0000*x + -9.0000", "y = 2.0000*x + -1.0000"}},
    {"y=-(x^2)", {0, 1}, {"y = -2.0000*x + 1.0000", "y = 2.0000*x + 1.0000"}},
    {"y=x^2+4", {0, 0}, {"y = 4.0000*x + 0.0000", "y = -4.0000*x + 0.0000"}},
    {"y=x^2", {1, 1}, {}},   // on the curve: t − g = 0
    {"y=x^2", {0, 1}, {}},   // inside the parabola: no real touching point
    {"y=2*x+1", {0, 5}, {}}, // not a quadratic, cubic or quartic
    {"y=sin(x)", {0, 5}, {}},
};

TEST(TangentsFromPoint, Texts) {
    for (const FromPointCase& c : kFromPoint)
        EXPECT_EQ(TangentsFromPointTexts(Parsed(c.curve), c.from), c.expected) << c.curve;
}

// f and f' of a polynomial with coefficients highest power first.
double Poly(const MathExp& e, double x, bool derivative) {
    const int degree = int(e.type);
    double y = 0;
    for (int i = 0; i <= degree; ++i) {
        const int power = degree - i;
        if (derivative) y += power == 0 ? 0 : power * e.coeffs[i] * std::pow(x, power - 1);
        else y += e.coeffs[i] * std::pow(x, power);
    }
    return y;
}

// A touching abscissa of the line y = m·x + b: where the curve's slope is m
// (Newton on f' − m from a spread of starts) and the curve meets the line.
bool TouchesAt(const MathExp& e, double m, double b, double& touching) {
    for (double start = -6; start <= 6; start += 0.25) {
        double t = start;
        for (int k = 0; k < 60; ++k) {
            const double h = 1e-6;
            const double g = Poly(e, t, true) - m;
            const double dg = (Poly(e, t + h, true) - Poly(e, t - h, true)) / (2 * h);
            if (dg == 0) break;
            t -= g / dg;
        }
        const double tolerance = 2e-3 * (1 + std::fabs(m) + std::fabs(t));
        if (std::fabs(Poly(e, t, true) - m) < tolerance && std::fabs(Poly(e, t, false) - (m * t + b)) < tolerance) {
            touching = t;
            return true;
        }
    }
    return false;
}

struct TouchingCase {
    const char* curve;
    PointF from;
    size_t lines;  // how many tangents the point has
};

const TouchingCase kTouching[] = {
    {"y=x^3", {0, -1}, 1},
    {"y=x^3-3*x", {0, 5}, 1},
    {"y=x^3-3*x", {3, 0}, 3},
    {"y=0.5*x^3+x^2-2*x+1", {-1, -4}, 1},
    {"y=x^4-2*x^2", {0, -3}, 2},
    {"y=x^4-2*x^2", {2, -10}, 2},
    {"y=x^4-2*x^2", {3, 0}, 4},     // one of them the horizontal tangent at the hump
    {"y=x^4-2*x^2", {0, 0.5}, 0},   // above the hump, inside the outer arms
    {"y=x^4-4*x^2+x", {0, -10}, 2},
};

TEST(TangentsFromPoint, CubicAndQuarticLinesTouchTheCurveAndPassThePoint) {
    for (const TouchingCase& c : kTouching) {
        const MathExp curve = Parsed(c.curve);
        const std::vector<std::string> texts = TangentsFromPointTexts(curve, c.from);
        EXPECT_EQ(texts.size(), c.lines) << c.curve << " from " << c.from.x << ", " << c.from.y;
        for (const std::string& text : texts) {
            double m = NAN, b = NAN;
            ASSERT_EQ(std::sscanf(text.c_str(), "y = %lf*x + %lf", &m, &b), 2) << text;
            EXPECT_NEAR(m * c.from.x + b, c.from.y, 1e-3 * (1 + std::fabs(c.from.x))) << c.curve << ": " << text;
            double t = NAN;
            EXPECT_TRUE(TouchesAt(curve, m, b, t)) << c.curve << ": " << text;
            // The typed line reads back as the same line.
            const MathExp line = Parsed(text);
            EXPECT_EQ(line.type, MathEx::PT_LINE) << text;
            EXPECT_NEAR(line.coeffs[0], m, 1e-9) << text;
            EXPECT_NEAR(line.coeffs[1], b, 1e-9) << text;
        }
    }
}

// A user locale with a decimal comma must not leak into equation text.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(TangentTexts, IgnoreTheUserLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const std::string at = TangentAtPointText(Parsed("y=x^3"), PointF(0.5, 0.125));
    const std::vector<std::string> from = TangentsFromPointTexts(Parsed("y=x^2"), PointF(0, -1));
    std::locale::global(previous);
    EXPECT_EQ(at, "y=0.75*x-0.25");
    ASSERT_FALSE(from.empty());
    EXPECT_EQ(from[0], "y = 2.0000*x + -1.0000");
}

}  // namespace
