// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "TreeDump.h"
#include "mathex/MathExp.h"
#include "mathex/Parser.h"

namespace MathEx {
namespace {

using testing::Dump;
using testing::ParseAndDump;

struct TreeCase {
    const char* text;
    const char* tree;  // "error" for a syntax error
};

class ParserTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(ParserTreeTest, BuildsTree) { EXPECT_EQ(ParseAndDump(GetParam().text), GetParam().tree) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(
    Grammar, ParserTreeTest,
    ::testing::Values(
        TreeCase{"y=2*x+1", "(= y (+ (* 2 x) 1))"},
        TreeCase{"((x))", "x"},
        TreeCase{"f(x)=x", "(= (f x) x)"},
        TreeCase{"(1,2)", "(, 1 2)"},
        TreeCase{"x*(1,2)", "(* x (, 1 2))"},
        TreeCase{"PI", "PI"},
        TreeCase{"E", "e"},
        // precedence and associativity: unary minus between "*" and "^"
        TreeCase{"-x^2", "(neg (^ x 2))"},
        TreeCase{"-2*x", "(* (neg 2) x)"},
        TreeCase{"-x^2*3", "(* (neg (^ x 2)) 3)"},
        TreeCase{"2^3^2", "(^ (^ 2 3) 2)"},
        TreeCase{"a-b-c", "(- (- a b) c)"},
        TreeCase{"a/b/c", "(/ (/ a b) c)"},
        TreeCase{"a = b = c", "error"},  // one equation at a time
        TreeCase{"1+2*3^4", "(+ 1 (* 2 (^ 3 4)))"},
        TreeCase{"2^-x", "(^ 2 (neg x))"},
        TreeCase{"E^-x^2", "(^ e (neg (^ x 2)))"},
        TreeCase{"--x", "(neg (neg x))"},
        // prefix functions: a group in parentheses is the whole argument;
        // otherwise the argument runs over "^" and implicit products
        TreeCase{"sin x^2", "(sin (^ x 2))"},
        TreeCase{"sin x*2", "(* (sin x) 2)"},
        TreeCase{"sqrt x+1", "(+ (sqrt x) 1)"},
        TreeCase{"sin(x)^2", "(^ (sin x) 2)"},
        TreeCase{"log(x)^2", "(^ (log x) 2)"},
        TreeCase{"sin(x^2)", "(sin (^ x 2))"},
        TreeCase{"sin 2x", "(sin (* 2 x))"},
        TreeCase{"sin 2x^2", "(sin (* 2 (^ x 2)))"},
        TreeCase{"cos xy", "(cos (* x y))"},
        TreeCase{"sin x cos x", "(* (sin x) (cos x))"},
        TreeCase{"2sin x", "(* 2 (sin x))"},
        TreeCase{"2sin(x)", "(* 2 (sin x))"},
        TreeCase{"sinx", "(sin x)"},
        TreeCase{"-sin x", "(neg (sin x))"},
        TreeCase{"sin -x^2", "(sin (neg (^ x 2)))"},
        TreeCase{"abs log tan cos x", "(abs (log (tan (cos x))))"},
        TreeCase{"ln(x)", "(log x)"},
        TreeCase{"ln x^2", "(log (^ x 2))"},
        TreeCase{"exp(x)", "(^ e x)"},
        TreeCase{"exp(x)^2", "(^ (^ e x) 2)"},
        // implicit products, at the precedence of "*"
        TreeCase{"2x", "(* 2 x)"},
        TreeCase{"y = 2 x", "(= y (* 2 x))"},
        TreeCase{"1/2x", "(* (/ 1 2) x)"},
        TreeCase{"2x^2", "(* 2 (^ x 2))"},
        TreeCase{"-2x^2", "(* (neg 2) (^ x 2))"},
        TreeCase{"xy", "(* x y)"},
        TreeCase{"2xy", "(* (* 2 x) y)"},
        TreeCase{"3pi", "(* 3 PI)"},
        TreeCase{"PI x", "(* PI x)"},
        TreeCase{"pix", "(* PI x)"},
        TreeCase{"2(x+1)", "(* 2 (+ x 1))"},
        TreeCase{"x(x+1)", "(* x (+ x 1))"},
        TreeCase{"(x-1)(x+2)", "(* (- x 1) (+ x 2))"},
        TreeCase{"(x+1)x", "(* (+ x 1) x)"},
        TreeCase{"(x+1)2", "(* (+ x 1) 2)"},
        TreeCase{"(x)(y)", "(* x y)"},
        // numbers and constants
        TreeCase{"2e5", "200000"},
        TreeCase{"10e5", "1000000"},
        TreeCase{"1.5E-3", "0.0"},
        TreeCase{".5", "0.5"},
        TreeCase{"5.", "5"},
        TreeCase{"2e", "(* 2 e)"},
        TreeCase{"1e", "(* 1 e)"},
        TreeCase{"e", "e"},
        TreeCase{"Pi", "PI"},
        TreeCase{"\xcf\x80", "PI"},
        TreeCase{"x\xc2\xb2", "(^ x 2)"},
        TreeCase{"x\xc2\xb3", "(^ x 3)"},
        TreeCase{"2\xc2\xb7x", "(* 2 x)"},
        TreeCase{"2\xc3\x97x", "(* 2 x)"},
        TreeCase{"\xe2\x88\x92x", "(neg x)"},
        // absolute bars
        TreeCase{"|x|", "(abs x)"},
        TreeCase{"2|x|", "(* 2 (abs x))"},
        TreeCase{"|x||y|", "(* (abs x) (abs y))"},
        TreeCase{"||x|-1|", "(abs (- (abs x) 1))"},
        // names, calls and subscripts
        TreeCase{"f(x+1)", "(f (+ x 1))"},
        TreeCase{"x_n+1", "(+ (_ x n) 1)"},
        TreeCase{"x_(n+1)", "(_ x (+ n 1))"},
        TreeCase{"x_n^2", "(^ (_ x n) 2)"},
        TreeCase{"x_y_z", "(_ x (_ y z))"},
        // syntax errors
        TreeCase{"", "error"},
        TreeCase{"   ", "error"},
        TreeCase{"2 3", "error"},
        TreeCase{"x2", "error"},
        TreeCase{"f(a,b)", "error"},
        TreeCase{"(1,2,3)", "error"},
        TreeCase{"integral(x)", "error"},
        TreeCase{"sigma", "error"},
        TreeCase{"x'", "x'"},
        TreeCase{"'", "error"},
        TreeCase{"\"", "error"},
        TreeCase{"x $ y", "error"},
        TreeCase{"(x", "error"},
        TreeCase{"x)", "error"},
        TreeCase{"x +", "error"},
        TreeCase{"* x", "error"},
        TreeCase{"2_n", "error"},
        TreeCase{"x_", "error"},
        TreeCase{"|x", "error"},
        TreeCase{".", "error"},
        TreeCase{"y = x\xc3\xa9", "error"}));

// The classroom equations, with the tree each must give.
INSTANTIATE_TEST_SUITE_P(
    Teacher, ParserTreeTest,
    ::testing::Values(
        TreeCase{"y = -x^2 + 4", "(= y (+ (neg (^ x 2)) 4))"},
        TreeCase{"y = sin(x)^2", "(= y (^ (sin x) 2))"},
        TreeCase{"y = 2x + 1", "(= y (+ (* 2 x) 1))"},
        TreeCase{"y = (x-1)(x+2)", "(= y (* (- x 1) (+ x 2)))"},
        TreeCase{"y = e^x", "(= y (^ e x))"},
        TreeCase{"y = ln(x)", "(= y (log x))"},
        TreeCase{"y = |x|", "(= y (abs x))"},
        TreeCase{"x^2 + y^2 = 25", "(= (+ (^ x 2) (^ y 2)) 25)"},
        TreeCase{"x = 3", "(= x 3)"},
        TreeCase{"y^2 = 4x", "(= (^ y 2) (* 4 x))"},
        TreeCase{"2x + 3y = 6", "(= (+ (* 2 x) (* 3 y)) 6)"},
        TreeCase{"y = 3x^2 - 2x + 1", "(= y (+ (- (* 3 (^ x 2)) (* 2 x)) 1))"},
        TreeCase{"y = 2sin(3x) - 1", "(= y (- (* 2 (sin (* 3 x))) 1))"},
        TreeCase{"y = -2(x - 1)^2 + 3", "(= y (+ (* (neg 2) (^ (- x 1) 2)) 3))"},
        TreeCase{"y = 1/2 x^2", "(= y (* (/ 1 2) (^ x 2)))"},
        TreeCase{"y = \xcf\x80r\xc2\xb2", "(= y (* PI (^ r 2)))"}));

// Errors say why and where: the column (from 1) of the first token that
// cannot continue the equation, or one past the end.
struct ErrorCase {
    const char* text;
    ParseStatus status;
    int position;
    const char* message;
};

class ParserErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ParserErrorTest, SaysWhyAndWhere) {
    const ErrorCase& c = GetParam();
    MathExp m;
    EXPECT_FALSE(m.Parse(c.text)) << c.text;
    EXPECT_EQ(m.LastError().status, c.status) << c.text;
    EXPECT_EQ(m.LastError().position, c.position) << c.text;
    EXPECT_EQ(m.LastError().message, c.message) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ParserErrorTest,
    ::testing::Values(
        ErrorCase{"y = 2x +", ParseStatus::SyntaxError, 9, "expected a number, a name or '(' after '+'"},
        ErrorCase{"y = 2x + * 3", ParseStatus::SyntaxError, 10, "expected a number, a name or '(' after '+'"},
        ErrorCase{"y = (x + 1", ParseStatus::SyntaxError, 11, "missing ')' for the '(' at column 5"},
        ErrorCase{"y = sin(x", ParseStatus::SyntaxError, 10, "missing ')' for the '(' at column 8"},
        ErrorCase{"y = |x + 1", ParseStatus::SyntaxError, 11, "missing '|' for the '|' at column 5"},
        ErrorCase{"y = x)", ParseStatus::SyntaxError, 6, "')' without a matching '('"},
        ErrorCase{"y = #x", ParseStatus::SyntaxError, 5, "unknown character '#'"},
        ErrorCase{"y = \xcf\x80x\xc3\xa9", ParseStatus::SyntaxError, 7, "unknown character '\xc3\xa9'"},
        ErrorCase{"y = 2 3", ParseStatus::SyntaxError, 7, "expected an operator before '3'"},
        ErrorCase{"y = integral(x)", ParseStatus::SyntaxError, 5, "'integral' is not supported"},
        ErrorCase{"", ParseStatus::SyntaxError, 1, "the equation is empty"},
        ErrorCase{"= x", ParseStatus::SyntaxError, 1, "expected a number, a name or '(' at the start"},
        ErrorCase{"x_", ParseStatus::SyntaxError, 3, "expected a number, a name or '(' after '_'"},
        ErrorCase{"y = xy = 2", ParseStatus::SyntaxError, 8, "'=' may stand only once (there is one at column 3)"},
        ErrorCase{"x = (y = 2)", ParseStatus::SyntaxError, 8, "'=' may stand only once (there is one at column 3)"}));

TEST(ParserErrors, TooDeepAndTooLongAreTheirOwnKinds) {
    MathExp m;
    EXPECT_FALSE(m.Parse("y = " + std::string(20000, '(') + "x" + std::string(20000, ')')));
    EXPECT_EQ(m.LastError().status, ParseStatus::TooDeep);
    EXPECT_EQ(m.LastError().message, "the equation is too deeply nested");
    std::string longSum = "y = x";
    while (longSum.size() <= kMaxEquationLength) longSum += "+x";
    EXPECT_FALSE(m.Parse(longSum));
    EXPECT_EQ(m.LastError().status, ParseStatus::TooLong);
    EXPECT_EQ(m.LastError().message, "the equation is longer than 100000 characters");
    EXPECT_TRUE(m.Parse(longSum.substr(0, kMaxEquationLength - 1)));
    EXPECT_EQ(m.LastError().status, ParseStatus::Ok);
    EXPECT_EQ(m.LastError().message, "");
}

TEST(ParserBytes, EmbeddedNulIsAnOrdinaryBadCharacter) {
    MathExp m;
    EXPECT_FALSE(m.Parse(std::string("y = x\0 + 1", 11)));
}

TEST(ParserFailure, KeepsThePreviousTreeAndForm) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = 2*x + 1"));
    const EquationForm form = m.form;
    for (const char* bad : {"", "y = 2 3", "((((", "y = sin"}) {
        EXPECT_FALSE(m.Parse(bad)) << bad;
        EXPECT_EQ(Dump(m), "(= y (+ (* 2 x) 1))");
        EXPECT_EQ(m.form, form);
        EXPECT_EQ(m.type, PT_LINE);
        EXPECT_DOUBLE_EQ(m.Evaluate(3), 7);
    }
}

TEST(ParserFailure, NeverParsedEquationHasErrorFormAndComplexType) {
    MathExp m;
    EXPECT_EQ(m.form, FORM_SYNTAX_ERROR);
    EXPECT_EQ(m.type, PT_COMPLEX);
    EXPECT_FALSE(m.Parse("y ="));
    EXPECT_EQ(m.form, FORM_SYNTAX_ERROR);
    EXPECT_EQ(m.GetRoot(), nullptr);
    EXPECT_THROW(m.Evaluate(1), NotSupportedException);
}

TEST(ParserLimits, NestingDeeperThanTheStackFailsCleanly) {
    const auto nested = [](int depth) {
        return std::string(depth, '(') + "x" + std::string(depth, ')');
    };
    EXPECT_EQ(ParseExpression(nested(5000)).status, ParseStatus::Ok);
    EXPECT_EQ(ParseExpression(nested(9990)).status, ParseStatus::Ok);
    EXPECT_EQ(ParseExpression(nested(10000)).status, ParseStatus::TooDeep);
    EXPECT_EQ(ParseExpression(nested(40000)).status, ParseStatus::TooDeep);
    EXPECT_EQ(ParseExpression(nested(60000)).status, ParseStatus::TooLong);
    EXPECT_EQ(ParseExpression(std::string(100000, '(')).status, ParseStatus::TooDeep);
    EXPECT_EQ(ParseExpression(std::string(20000, '-') + "x").status, ParseStatus::TooDeep);

    MathExp m;
    ASSERT_TRUE(m.Parse("y = x"));
    EXPECT_FALSE(m.Parse("y = " + nested(40000)));
    EXPECT_EQ(Dump(m), "(= y x)");
    EXPECT_EQ(m.form, FORM_EXPLICIT);
}

}  // namespace
}  // namespace MathEx
