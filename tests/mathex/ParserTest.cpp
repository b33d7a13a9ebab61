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
        // precedence and associativity
        TreeCase{"-x^2", "(^ (neg x) 2)"},
        TreeCase{"-2*x", "(* (neg 2) x)"},
        TreeCase{"2^3^2", "(^ (^ 2 3) 2)"},
        TreeCase{"a-b-c", "(- (- a b) c)"},
        TreeCase{"a/b/c", "(/ (/ a b) c)"},
        TreeCase{"a = b = c", "(= (= a b) c)"},
        TreeCase{"1+2*3^4", "(+ 1 (* 2 (^ 3 4)))"},
        TreeCase{"2^-x", "(^ 2 (neg x))"},
        TreeCase{"--x", "(neg (neg x))"},
        // prefix functions take a following ^ but stop before * / + - =
        TreeCase{"sin x^2", "(sin (^ x 2))"},
        TreeCase{"sin x*2", "(* (sin x) 2)"},
        TreeCase{"sqrt x+1", "(+ (sqrt x) 1)"},
        TreeCase{"sin(x)^2", "(sin (^ x 2))"},
        TreeCase{"-sin x", "(neg (sin x))"},
        TreeCase{"sin -x^2", "(sin (^ (neg x) 2))"},
        TreeCase{"abs log tan cos x", "(abs (log (tan (cos x))))"},
        // names, calls and subscripts
        TreeCase{"x(x+1)", "(x (+ x 1))"},
        TreeCase{"x_n+1", "(+ (_ x n) 1)"},
        TreeCase{"x_(n+1)", "(_ x (+ n 1))"},
        TreeCase{"x_n^2", "(^ (_ x n) 2)"},
        TreeCase{"x_y_z", "(_ x (_ y z))"},
        // syntax errors
        TreeCase{"", "error"},
        TreeCase{"   ", "error"},
        TreeCase{"y = 2 x", "error"},
        TreeCase{"2x", "error"},
        TreeCase{"2(x+1)", "error"},
        TreeCase{"(x)(y)", "error"},
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
        TreeCase{"5.", "error"},
        TreeCase{"y = x\xc3\xa9", "error"}));

TEST(ParserBytes, EmbeddedNulIsAnOrdinaryBadCharacter) {
    MathExp m;
    EXPECT_FALSE(m.Parse(std::string("y = x\0 + 1", 11)));
}

TEST(ParserFailure, KeepsThePreviousTreeAndForm) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = 2*x + 1"));
    const EquationForm form = m.form;
    for (const char* bad : {"", "y = 2 x", "((((", "y = sin"}) {
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
    EXPECT_EQ(ParseExpression(nested(100000)).status, ParseStatus::TooDeep);
    EXPECT_EQ(ParseExpression(std::string(100000, '(')).status, ParseStatus::TooDeep);
    EXPECT_EQ(ParseExpression(std::string(20000, '-') + "x").status, ParseStatus::TooDeep);

    MathExp m;
    ASSERT_TRUE(m.Parse("y = x"));
    EXPECT_FALSE(m.Parse("y = " + nested(100000)));
    EXPECT_EQ(Dump(m), "(= y x)");
    EXPECT_EQ(m.form, FORM_EXPLICIT);
}

}  // namespace
}  // namespace MathEx
