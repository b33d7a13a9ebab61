// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "RandomExpression.h"
#include "TreeDump.h"
#include "mathex/MathExp.h"

namespace MathEx {
namespace {

using testing::Dump;
using testing::RandomExpression;

struct TextCase {
    const char* text;
    const char* plain;
    const char* latex;
};

class TextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextTest, WritesPlainAndLatex) {
    MathExp m;
    ASSERT_TRUE(m.Parse(GetParam().text));
    EXPECT_EQ(m.ToText(TEXT_PLAIN), GetParam().plain);
    EXPECT_EQ(m.ToText(TEXT_LATEX), GetParam().latex);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TextTest,
    ::testing::Values(
        TextCase{"y = 2*x + 1", "y=2*x+1", "y=2 \\cdot x+1"},
        TextCase{"y = x^2/(x+1)", "y=x^2/(x+1)", "y=\\frac{{x}^{2}}{x+1}"},
        TextCase{"y = (x+1)^2", "y=(x+1)^2", "y={(x+1)}^{2}"},
        TextCase{"y = -(x - 1)", "y=-(x-1)", "y=-(x-1)"},
        TextCase{"y = sin(2*x)", "y=sin(2*x)", "y=\\sin{2 \\cdot x}"},
        TextCase{"y = sqrt(x+1)", "y=sqrt(x+1)", "y=\\sqrt{(x+1)}"},
        TextCase{"y = abs(x)", "y=abs(x)", "y=\\abs{x}"},
        TextCase{"y = 0.5*PI", "y=0.5*PI", "y=0.5 \\cdot PI"},
        TextCase{"f(x) = x", "f(x)=x", "f(x)=x"},
        TextCase{"(1, 2)", "(1,2)", "(1,2)"},
        // Euler's number reads back only as "E"
        TextCase{"y = E^x", "y=E^x", "y={e}^{x}"},
        // operands the parser would group differently get parentheses
        TextCase{"y = a - (b - c)", "y=a-(b-c)", "y=a-(b-c)"},
        TextCase{"y = a + (b + c)", "y=a+(b+c)", "y=a+b+c"},
        TextCase{"y = a/(b*c)", "y=a/(b*c)", "y=\\frac{a}{b \\cdot c}"},
        TextCase{"y = 2^(2*x)", "y=2^(2*x)", "y={2}^{2 \\cdot x}"},
        TextCase{"y = (2*x)^3", "y=(2*x)^3", "y={2 \\cdot x}^{3}"},
        TextCase{"y = 2^(3^x)", "y=2^(3^x)", "y={2}^{{3}^{x}}"},
        TextCase{"y = -(x^2)", "y=-x^2", "y=-{x}^{2}"},
        TextCase{"y = (-x)^2", "y=(-x)^2", "y={-x}^{2}"},
        TextCase{"y = -(2*x)", "y=-(2*x)", "y=-2 \\cdot x"},
        TextCase{"y = (sin x)^2", "y=sin(x)^2", "y={\\sin{x}}^{2}"},
        TextCase{"y = sin x^2", "y=sin(x^2)", "y=\\sin{{x}^{2}}"},
        TextCase{"y = (-sin x)^2", "y=(-sin(x))^2", "y={-\\sin{x}}^{2}"},
        TextCase{"y = (2^sin x)^2", "y=2^sin(x)^2", "y={{2}^{\\sin{x}}}^{2}"},
        TextCase{"y = 2^-x", "y=2^(-x)", "y={2}^{-x}"},
        // the typed shorthand is written out in full
        TextCase{"y = 2x(x-1)", "y=2*x*(x-1)", "y=2 \\cdot x \\cdot (x-1)"},
        TextCase{"y = e^x + ln x + |x|", "y=E^x+log(x)+abs(x)", "y={e}^{x}+\\log{x}+\\abs{x}"},
        TextCase{"y = exp(2x)", "y=E^(2*x)", "y={e}^{2 \\cdot x}"},
        TextCase{"y = x_n + x_(n+1)", "y=x_n+x_(n+1)", "y={x}_{n}+{x}_{n+1}"}));

TEST(TextOfMathExp, EmptyWithoutTree) {
    MathExp m;
    EXPECT_EQ(m.ToText(TEXT_PLAIN), "");
    EXPECT_EQ(m.ToText(TEXT_LATEX), "");
}

// Random trees from a small grammar: whatever the parser builds, its plain
// text must parse back into the very same tree, and the exact text into the
// same numbers.
TEST(TextRoundTrip, PlainTextParsesBackToTheSameTree) {
    RandomExpression gen(20261210);
    int parsed = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string text = gen.Make(1 + i % 5);
        MathExp m;
        if (!m.Parse(text)) continue;
        ++parsed;
        // Only the explicit notation: no bars, no ln, exp or e, every product with its "*".
        const std::string plain = m.ToText(TEXT_PLAIN);
        EXPECT_EQ(plain.find_first_of("|e"), std::string::npos) << text << " -> " << plain;
        EXPECT_EQ(plain.find("ln"), std::string::npos) << text << " -> " << plain;
        MathExp again;
        ASSERT_TRUE(again.Parse(m.ToText(TEXT_PLAIN))) << text << " -> " << m.ToText(TEXT_PLAIN);
        // Display precision may round the numbers, never the shape.
        EXPECT_EQ(Dump(again, false), Dump(m, false)) << text << " -> " << m.ToText(TEXT_PLAIN);
        MathExp copy(m);
        EXPECT_EQ(copy.ToExactText(), m.ToExactText()) << text;
        SetDisplayPrecision(17);
        EXPECT_EQ(Dump(copy), Dump(m)) << text;
        SetDisplayPrecision(2);
    }
    EXPECT_GT(parsed, 2000);
}

// A copy is the same tree: whole numbers beyond 32 bits included.
TEST(TextRoundTrip, CopyIsExact) {
    MathExp m;
    ASSERT_TRUE(m.Parse("x^2*78.24 + (y-2147483648.0)^2 - 1 = 0"));
    MathExp copy(m);
    EXPECT_EQ(copy.type, m.type);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(copy.coeffs[i], m.coeffs[i]) << i;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(copy.conic[i], m.conic[i]) << i;
    EXPECT_EQ(copy.Value(0.1, 2147483648.0), m.Value(0.1, 2147483648.0));

    // Large whole numbers also read back exactly from both texts.
    ASSERT_TRUE(m.Parse("y = 2147483648*x + 99999999999"));
    EXPECT_EQ(m.coeffs[0], 2147483648.0);
    EXPECT_EQ(m.coeffs[1], 99999999999.0);
    for (const std::string& text : {m.ToText(TEXT_PLAIN), m.ToExactText()}) {
        MathExp back;
        ASSERT_TRUE(back.Parse(text)) << text;
        EXPECT_EQ(back.coeffs[0], 2147483648.0) << text;
        EXPECT_EQ(back.coeffs[1], 99999999999.0) << text;
    }
}

TEST(TextRoundTrip, CopyKeepsEveryDigit) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = 0.333333333*x + 1e-7"));
    MathExp copy(m);
    EXPECT_EQ(copy.type, PT_LINE);
    EXPECT_EQ(copy.coeffs[0], m.coeffs[0]);
    EXPECT_EQ(copy.coeffs[1], m.coeffs[1]);
    MathExp assigned;
    assigned = m;
    EXPECT_EQ(assigned.coeffs[0], 0.333333333);
    EXPECT_DOUBLE_EQ(assigned.Evaluate(3), m.Evaluate(3));
}

}  // namespace
}  // namespace MathEx
