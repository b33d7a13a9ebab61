// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "ScopedPrecision.h"
#include "mathex/MathExp.h"
#include "mathex/Power.h"

namespace MathEx {
namespace {

struct NumberCase {
    double value;
    int precision;
    const char* text;
};

class SmartNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SmartNumberTest, PrintsWithDisplayPrecision) {
    ScopedPrecision guard(GetParam().precision);
    EXPECT_EQ(SmartNumber(GetParam().value).ToString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SmartNumberTest,
    ::testing::Values(NumberCase{2.718281828459, 2, "e"}, NumberCase{3.141592653, 2, "PI"},
                      NumberCase{2.0, 2, "2"}, NumberCase{-3.0, 2, "-3"}, NumberCase{-0.0, 2, "0"},
                      NumberCase{2.5, 2, "2.5"}, NumberCase{1.5, 2, "1.5"}, NumberCase{0.333, 2, "0.33"},
                      NumberCase{2.004, 2, "2.0"}, NumberCase{1e-5, 2, "0.0"}, NumberCase{0.125, 3, "0.125"},
                      NumberCase{10.4, 0, "10"}, NumberCase{100.4, 0, "100"}, NumberCase{-2.5, 1, "-2.5"},
                      NumberCase{3e9, 2, "3000000000.0"}, NumberCase{2147483647.0, 2, "2147483647"},
                      NumberCase{1.5e200, 2, "1.5e+200"}, NumberCase{1e300, 0, "1e+300"},
                      NumberCase{HUGE_VAL, 2, "1e999"}));

TEST(SmartNumberText, StaysBoundedAtAnyPrecision) {
    for (int p : {0, 5, 17, 100, -4}) {
        ScopedPrecision guard(p);
        for (double v : {1.7976931348623157e308, -1e200, 1e-300, 123.456})
            EXPECT_LE(SmartNumber(v).ToString().size(), 127u) << v << " at " << p;
    }
}

struct EvalCase {
    const char* text;
    double x, y;
    double evaluate;  // MathExp::Evaluate(x); NaN to skip
    double value;     // MathExp::Value(x, y)
    double slope;     // MathExp::Slope(x, y)
};

class EvaluationTest : public ::testing::TestWithParam<EvalCase> {};

void ExpectSame(double expected, double actual, const std::string& what) {
    if (std::isnan(expected)) EXPECT_TRUE(std::isnan(actual)) << what << " = " << actual;
    else EXPECT_DOUBLE_EQ(expected, actual) << what;
}

TEST_P(EvaluationTest, EvaluatesValueAndSlope) {
    const EvalCase& c = GetParam();
    MathExp m;
    ASSERT_TRUE(m.Parse(c.text));
    if (m.Main()) ExpectSame(c.evaluate, m.Evaluate(c.x), std::string(c.text) + " Evaluate");
    ExpectSame(c.value, m.Value(c.x, c.y), std::string(c.text) + " Value");
    ExpectSame(c.slope, m.Slope(c.x, c.y), std::string(c.text) + " Slope");
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Equations, EvaluationTest,
    ::testing::Values(
        EvalCase{"y = 2*x + 1", 3, 7, 7, 7, 2},
        // Evaluate and Slope read every name as x; only Value tells x from y
        EvalCase{"x^2 + y^2 - 4 = 0", 2, 0, 4, 0, 8},
        EvalCase{"x^2 + y^2 - 4 = 0", 0, 0, -4, -4, 0},
        EvalCase{"2*PI", 5, 0, 6.283185306, 6.283185306, 0},
        EvalCase{"y = log(x)", 1, 0, 0, 0, 1},
        EvalCase{"y = log(x)", -1, 0, kNaN, kNaN, -1},
        EvalCase{"y = x^3", 2, 0, 8, 8, 12},
        EvalCase{"y = x^3", -2, 0, -8, -8, 12},
        // the power rule at a zero base
        EvalCase{"y = x^2", 0, 0, 0, 0, 0},
        EvalCase{"y = x^0", 0, 0, 1, 1, 0},
        EvalCase{"y = x^0.5", 4, 0, 2, 2, 0.25},
        EvalCase{"y = 2^x", 0, 0, 1, 1, std::log(2.0)},
        EvalCase{"y = sqrt(x)*abs(x-3)", 4, 0, 2, 2, 0.25 + 2 * 1},
        EvalCase{"y = sin(x)/cos(x) - tan(x)", 0.5, 0, 0, 0, 0},
        EvalCase{"y = 1/x", 0, 0, HUGE_VAL, HUGE_VAL, kNaN},
        // every name is x in one variable; in two, only "x" is x
        EvalCase{"y = x", 2, 9, 2, 2, 1},
        EvalCase{"x*y - 6 = 0", 2, 3, 2 * 2 - 6, 0, 4},
        EvalCase{"x + t", 2, 5, 4, 7, 2},
        // no main expression: Value is 0 where the tree holds an "="
        EvalCase{"y = a*x", 2, 3, kNaN, 0, 0},
        // an equation with a right side is L − (R) = 0
        EvalCase{"x^2 + y^2 = 4", 2, 1, 8, 1, 8},
        EvalCase{"2x + 3y = 6", 3, 1, 0, 3, 5}));

TEST(Evaluation, WithoutMainExpressionThrowsNotSupported) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = a*x"));
    EXPECT_EQ(m.form, FORM_NONE);
    try {
        m.Evaluate(1);
        FAIL() << "expected NotSupportedException";
    } catch (const NotSupportedException& e) {
        EXPECT_STREQ(e.what(), "MathEx::MathExp::Evaluate");
    }
}

// The compiled program must give exactly the bits of the tree walk, one point
// at a time and in batches.
TEST(Evaluation, CompiledProgramIsBitIdenticalToTreeWalk) {
    const char* equations[] = {"y = 2*sin(3*x+1)-4", "y = x^4-3*x^3+x-7", "y = sqrt(abs(x))*log(x^2+1)",
                               "y = (x+1)^5/(x^2+1)", "y = 2^(x+1)+3", "y = -x^2/(3-x)*tan(x/7)",
                               "y = 2*3^2 - PI*x + (1/3)*x", "y = 5 - x - (x - 2)"};
    std::vector<double> xs;
    for (int i = 0; i <= 2000; ++i) xs.push_back(-10.0 + 20.0 * i / 2000.0);
    xs.push_back(0.0);
    xs.push_back(-0.0);
    xs.push_back(HUGE_VAL);
    std::vector<double> batch(xs.size());
    for (const char* text : equations) {
        MathExp m;
        ASSERT_TRUE(m.Parse(text)) << text;
        m.Evaluate(xs.data(), batch.data(), xs.size());
        for (size_t i = 0; i < xs.size(); ++i) {
            const double tree = m.GetRoot()->Child(1)->EvaluateAt(xs[i]);
            const double scalar = m.Evaluate(xs[i]);
            EXPECT_EQ(0, std::memcmp(&tree, &scalar, sizeof tree)) << text << " at " << xs[i];
            EXPECT_EQ(0, std::memcmp(&tree, &batch[i], sizeof tree)) << text << " at " << xs[i];
        }
    }
}

// The whole-number powers 2 … 8 are chains of multiplications: within their
// roundings of the C library's pow, and exactly pow wherever pow is zero,
// infinite or not a number. Every other exponent is pow itself.
TEST(Evaluation, WholePowersAreWithinTheirRoundingsOfPow) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> scale(-200, 200);
    const auto expectClose = [](double x, int n) {
        const double fast = Power(x, n), libm = std::pow(x, double(n));
        if (std::isnan(libm)) {
            EXPECT_TRUE(std::isnan(fast)) << x << "^" << n;
        } else if (n < 2 || n > 8 || !std::isfinite(libm) || libm == 0) {
            EXPECT_EQ(0, std::memcmp(&fast, &libm, sizeof fast)) << x << "^" << n;
        } else {
            // n − 1 roundings of the chain, pow's own half unit, and the spacing of subnormals.
            EXPECT_LE(std::fabs(fast - libm), (n + 1) * 0x1p-53 * std::fabs(libm) + n * 0x1p-1074) << x << "^" << n;
        }
    };
    for (int n = 1; n <= 9; ++n) {
        for (int i = 0; i < 200000; ++i) {
            const double x = std::ldexp(mantissa(rng), i % 4 == 0 ? scale(rng) : scale(rng) / 40);
            expectClose(x, n);
            if (HasFailure()) return;
        }
        for (double x : {0.0, -0.0, 1.0, -1.0, HUGE_VAL, -HUGE_VAL, std::nan(""), 1e300, 1e-300, 4.9e-324})
            expectClose(x, n);
    }
}

TEST(Evaluation, ImplicitValueIsLeftMinusRight) {
    MathExp m;
    ASSERT_TRUE(m.Parse("x*y + y^2 - 3 = 0"));
    const double xs[3] = {-2.0, 0.5, 3.0};
    for (double y : {-1.0, 0.0, 2.5}) {
        double row[3];
        m.Value(xs, y, row, 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_DOUBLE_EQ(m.Value(xs[i], y), xs[i] * y + y * y - 3);
            EXPECT_EQ(row[i], m.Value(xs[i], y));  // a row at once gives the same values
        }
    }
}

}  // namespace
}  // namespace MathEx
