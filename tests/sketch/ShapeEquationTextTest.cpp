// SPDX-License-Identifier: MIT
#include <string>

#include <gtest/gtest.h>

#include "mathex/MathExp.h"
#include "mathex/SmartNumber.h"
#include "sketch/ShapeEquationText.h"

namespace {

RecognizedShape Line(PointF start, PointF end) {
    RecognizedShape shape;
    shape.shapeType = ST_LINE;
    shape.startPoint = start;
    shape.endPoint = end;
    return shape;
}

RecognizedShape WithCoeffs(ShapeType type, double a, double b, double c, double d = 0) {
    RecognizedShape shape;
    shape.shapeType = type;
    shape.coeffs[0] = a, shape.coeffs[1] = b, shape.coeffs[2] = c, shape.coeffs[3] = d;
    return shape;
}

struct TextCase {
    const char* name;
    RecognizedShape shape;
    const char* text;
    MathEx::PrimitiveType analysed;  // what the engine makes of the text
};

const TextCase kTextCases[] = {
    {"RisingLine", Line({0, 1}, {2, 5}), "y=2*x+1", MathEx::PT_LINE},
    {"FallingLine", Line({1, 1}, {3, 0}), "y=-0.5*x+1.5", MathEx::PT_LINE},
    {"NegativeIntercept", Line({0, -2}, {1, 0}), "y=2*x-2", MathEx::PT_LINE},
    {"ThroughOrigin", Line({-1, -1}, {1, 1}), "y=1*x+0", MathEx::PT_LINE},
    {"RoundedToThePrecision", Line({0, 0}, {3, 1}), "y=0.33*x+0", MathEx::PT_LINE},
    {"UprightAtPositiveX", Line({2.5f, -1}, {2.5f, 4}), "x-2.5=0", MathEx::PT_VERTICAL_LINE},
    {"UprightAtNegativeX", Line({-3, 4}, {-3, -1}), "x+3=0", MathEx::PT_VERTICAL_LINE},
    {"UprightOnTheYAxis", Line({0, 0}, {0, 2}), "x=0", MathEx::PT_VERTICAL_LINE},
    {"Quadratic", WithCoeffs(ST_QUADRATIC, 1, -2, 0), "y=1*x^2-2*x", MathEx::PT_QUADRATIC},
    {"QuadraticWithoutLinearTerm", WithCoeffs(ST_QUADRATIC, 0.5, 0, 3), "y=0.5*x^2+3", MathEx::PT_QUADRATIC},
    {"QuadraticOpeningDown", WithCoeffs(ST_QUADRATIC, -1, 0.25, -0.75), "y=-1*x^2+0.25*x-0.75", MathEx::PT_QUADRATIC},
    {"Cubic", WithCoeffs(ST_CUBIC, 1, 0, -3, 0), "y=1*x^3-3*x", MathEx::PT_CUBIC},
    {"CubicAllTerms", WithCoeffs(ST_CUBIC, 2, 1, 1, 1), "y=2*x^3+1*x^2+1*x+1", MathEx::PT_CUBIC},
    {"CubicNegativeTerms", WithCoeffs(ST_CUBIC, -0.1, -2, 0, -4), "y=-0.1*x^3-2*x^2-4", MathEx::PT_CUBIC},
    {"ArcHasNoText", WithCoeffs(ST_ARC, 2, 0, 0), "", MathEx::PT_COMPLEX},
    {"EllipseHasNoText", WithCoeffs(ST_ELLIPSE, 2, 1, 0), "", MathEx::PT_COMPLEX},
    {"NothingHasNoText", RecognizedShape{}, "", MathEx::PT_COMPLEX},
};

class ShapeEquationTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ShapeEquationTextTest, WritesTheTextTheSketchAdds) {
    const TextCase& c = GetParam();
    ASSERT_EQ(MathEx::DisplayPrecision(), 2);
    const std::string text = shapeEquationText(c.shape);
    EXPECT_EQ(text, c.text);
    if (text.empty()) return;
    MathEx::MathExp equation;
    ASSERT_TRUE(equation.Parse(text));
    EXPECT_EQ(equation.type, c.analysed);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeEquationTextTest, testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ConicCase {
    const char* name;
    ShapeType type;
    double coeffs[2];
    PointF center;
    double angle;
    MathEx::PrimitiveType analysed;
    const char* canonical;
};

const ConicCase kConicCases[] = {
    {"Ellipse", ST_ELLIPSE, {2, 1}, {1, -2}, 0, MathEx::PT_ELLIPSE,
     "(x - 1.00000)^2/4.00000 + (y + 2.00000)^2 - 1 = 0 "},
    {"UprightHyperbola", ST_HYPERBOLA, {1, 2}, {0, 0}, MathEx::kHalfPi, MathEx::PT_HYPERBOLA,
     "y^2 - x^2/4.00000 - 1 = 0 "},
    {"UprightParabola", ST_PARABOLA, {1, 0}, {0, 0}, MathEx::kHalfPi, MathEx::PT_PARABOLA, "x^2 - 4.00000*y = 0"},
    {"LevelParabola", ST_PARABOLA, {-0.5, 0}, {2, 1}, 0, MathEx::PT_PARABOLA,
     "(y - 1.00000)^2 + 2.00000*(x - 2.00000) = 0"},
};

class ShapeConicTest : public testing::TestWithParam<ConicCase> {};

TEST_P(ShapeConicTest, SetsTheConicFromItsParameters) {
    const ConicCase& c = GetParam();
    RecognizedShape shape;
    shape.shapeType = c.type;
    shape.coeffs[0] = c.coeffs[0];
    shape.coeffs[1] = c.coeffs[1];
    shape.center = c.center;
    shape.angle = c.angle;
    MathEx::MathExp conic;
    ASSERT_TRUE(shapeConicExpression(shape, conic));
    EXPECT_EQ(conic.type, c.analysed);
    EXPECT_EQ(conic.form, MathEx::FORM_IMPLICIT);
    EXPECT_EQ(conic.CanonicalText(), c.canonical);
    ASSERT_TRUE(conic.Rebuild());
    EXPECT_EQ(conic.type, c.analysed);

    // Read back as typed text, it is the same curve.
    MathEx::MathExp typed;
    ASSERT_TRUE(typed.Parse(c.canonical));
    EXPECT_EQ(typed.type, c.analysed);
}

INSTANTIATE_TEST_SUITE_P(Conics, ShapeConicTest, testing::ValuesIn(kConicCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShapeConicTest, OtherShapesLeaveTheExpressionAlone) {
    for (ShapeType type : {ST_NONE, ST_LINE, ST_QUADRATIC, ST_CUBIC, ST_ARC}) {
        RecognizedShape shape;
        shape.shapeType = type;
        MathEx::MathExp expression;
        ASSERT_TRUE(expression.Parse("y = x^2"));
        EXPECT_FALSE(shapeConicExpression(shape, expression));
        EXPECT_EQ(expression.type, MathEx::PT_QUADRATIC);
        EXPECT_EQ(expression.coeffs[0], 1.0);
    }
}

}  // namespace
