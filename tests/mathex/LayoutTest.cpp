// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "mathex/MathExp.h"

namespace MathEx {
namespace {

// left, right, top, bottom (layout y grows downward)
struct Box {
    float left, right, top, bottom;
};

void ExpectBox(const RectF& r, Box b, const std::string& what) {
    EXPECT_NEAR(r.left, b.left, 1e-5) << what << " left";
    EXPECT_NEAR(r.right, b.right, 1e-5) << what << " right";
    EXPECT_NEAR(r.top, b.top, 1e-5) << what << " top";
    EXPECT_NEAR(r.bottom, b.bottom, 1e-5) << what << " bottom";
}

const ExpNode* Laid(MathExp& m, const char* text) {
    EXPECT_TRUE(m.Parse(text)) << text;
    return m.GetRoot();
}

// Hundreds of nested subscripts keep a finite, small box.
TEST(Layout, DeepSubscriptChainStaysBounded) {
    std::string text;
    for (int i = 0; i < 400; ++i) text += "a_";
    MathExp m;
    const ExpNode* n = Laid(m, (text + "a").c_str());
    EXPECT_TRUE(std::isfinite(n->box.height()));
    EXPECT_LT(n->box.height(), 3.0f);
    EXPECT_GT(n->box.width(), 1.0f);
}

TEST(Layout, Subscript) {
    MathExp m;
    const ExpNode* n = Laid(m, "x_n");
    ExpectBox(n->Child(0)->box, {0, 1, 0, 1}, "name");
    ExpectBox(n->Child(1)->box, {1, 1.5f, 0.75f, 1.25f}, "subscript at half size, lowered");
    ExpectBox(n->box, {0, 1.5f, 0, 1.25f}, "whole");
}

TEST(Layout, ProductShowsASignOnlyBetweenNumbers) {
    MathExp m;
    const ExpNode* n = Laid(m, "2*x");
    EXPECT_FALSE(n->showSign);
    ExpectBox(n->Child(1)->box, {1.2f, 2.2f, 0, 1}, "x beside the 2");
    ExpectBox(n->symbolBox, {1.1f, 1.1f, 0.5f, 0.5f}, "no sign");

    n = Laid(m, "2*3");
    EXPECT_TRUE(n->showSign);
    ExpectBox(n->symbolBox, {1.1f, 2.1f, 0, 1}, "sign");
    ExpectBox(n->Child(1)->box, {2.2f, 3.2f, 0, 1}, "3 after the sign");

    EXPECT_FALSE(Laid(m, "x*3")->showSign);
    EXPECT_TRUE(Laid(m, "2*(1/x)")->showSign);
}

TEST(Layout, PowerRaisesASmallExponentAndMovesDown) {
    MathExp m;
    const ExpNode* n = Laid(m, "x^2");
    ExpectBox(n->Child(0)->box, {0, 1, 0.4f, 1.4f}, "base moved down by the exponent height");
    ExpectBox(n->Child(1)->box, {1, 1.4f, 0.24f, 0.64f}, "exponent at 0.4 size, raised");
    ExpectBox(n->box, {0, 1.4f, 0.24f, 1.4f}, "whole");
}

TEST(Layout, FractionCentresTheNarrowerPart) {
    MathExp m;
    const ExpNode* n = Laid(m, "1/(x+1)");
    ExpectBox(n->symbolBox, {0, 3.2f, 1, 1.5f}, "bar spans the denominator");
    ExpectBox(n->Child(0)->box, {1.1f, 2.1f, 0, 1}, "numerator centred");
    ExpectBox(n->Child(1)->box, {0, 3.2f, 1.5f, 2.5f}, "denominator under the bar");
    ExpectBox(n->box, {0, 3.2f, 0, 2.5f}, "whole");
}

TEST(Layout, RadicalStartsHalfACellLeftAndAbove) {
    MathExp m;
    const ExpNode* n = Laid(m, "sqrt(x)");
    ExpectBox(n->box, {0, 1.5f, 0, 1.5f}, "radical");
    ExpectBox(n->Child(0)->box, {0.5f, 1.5f, 0.5f, 1.5f}, "radicand");
}

TEST(Layout, SumsInsideProductsAndDifferencesAreParenthesised) {
    MathExp m;
    const ExpNode* n = Laid(m, "2*(x+1)");
    EXPECT_TRUE(n->Child(1)->parenthesised);
    ExpectBox(n->Child(1)->box, {1.2f, 5.65f, 0, 1}, "wrapped sum, widened by 0.5 and 0.75");
    n = Laid(m, "x-(x-1)");
    EXPECT_TRUE(n->Child(1)->parenthesised);
    EXPECT_FALSE(n->Child(0)->parenthesised);
    n = Laid(m, "(1,2)");
    EXPECT_TRUE(n->parenthesised);
    ExpectBox(n->box, {0, 3.1f, 0, 1}, "pair");
}

TEST(Layout, EquationAndFunctionsLineUp) {
    MathExp m;
    const ExpNode* n = Laid(m, "y=sin(x)");
    ExpectBox(n->Child(0)->box, {0, 1, 0, 1}, "y");
    ExpectBox(n->symbolBox, {1.1f, 2.1f, 0, 1}, "equals sign");
    ExpectBox(n->Child(1)->box, {2.6f, 6.6f, 0, 1}, "sin x");
    ExpectBox(n->Child(1)->symbolBox, {2.6f, 5.6f, 0, 1}, "the word sin");
    n = Laid(m, "-f(x)");
    ExpectBox(n->box, {0, 4.25f, 0, 1}, "negated call with its parentheses");
}

// A second layout of the same tree gives the same boxes (no stale moves).
TEST(Layout, IsRepeatable) {
    MathExp m;
    ExpNode* n = const_cast<ExpNode*>(Laid(m, "y = (x^2+1)/(2*x) - sqrt(x_n)"));
    const RectF first = n->box;
    n->Layout();
    EXPECT_EQ(n->box, first);
}

}  // namespace
}  // namespace MathEx
