// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "mathex/ExpressionPainter.h"
#include "mathex/MathExp.h"
#include "support/RecordingPainter.h"

namespace MathEx {
namespace {

using testing_support::RecordingPainter;
using testing_support::Shape;

RecordingPainter Paint(const char* text) {
    MathExp m;
    EXPECT_TRUE(m.Parse(text)) << text;
    RecordingPainter painter;
    PaintExpression(*m.GetRoot(), painter);
    return painter;
}

void ExpectPoint(PointF p, double x, double y, const std::string& what) {
    EXPECT_NEAR(p.x, x, 1e-5) << what;
    EXPECT_NEAR(p.y, y, 1e-5) << what;
}

// Where glyph `text` was drawn: its origin (y upward) and scale.
const testing_support::RecordedText* Glyph(const RecordingPainter& s, const std::string& text) {
    for (const auto& t : s.texts)
        if (t.text == text) return &t;
    ADD_FAILURE() << "no glyph " << text;
    return nullptr;
}

TEST(ExpressionPainter, ProductOfNamesHasNoSign) {
    const RecordingPainter s = Paint("2*x");
    EXPECT_TRUE(s.shapes.empty());
    ASSERT_EQ(s.texts.size(), 2u);
    // "2" in its cell from 0, numbers at 0.8 size; the pen starts 20 glyph units in.
    ExpectPoint(Glyph(s, "2")->origin, 20 * 0.008, -1, "2");
    EXPECT_NEAR(Glyph(s, "2")->sx, 0.008, 1e-9);
    ExpectPoint(Glyph(s, "x")->origin, 1.2 + 20 * 0.01, -1, "x beside the 2");
}

TEST(ExpressionPainter, ProductOfNumbersDrawsATimesSign) {
    const RecordingPainter s = Paint("2*3");
    ASSERT_EQ(s.shapes.size(), 2u);
    ExpectPoint(s.shapes[0].points[0], 1.2, -0.1, "first diagonal");
    ExpectPoint(s.shapes[0].points[1], 2.0, -0.9, "first diagonal");
    ExpectPoint(s.shapes[1].points[0], 1.2, -0.9, "second diagonal");
    ExpectPoint(s.shapes[1].points[1], 2.0, -0.1, "second diagonal");
    ExpectPoint(Glyph(s, "3")->origin, 2.2 + 20 * 0.008, -1, "3 after the sign");
    EXPECT_EQ(s.shapes[0].color, ColorF(0, 0, 0, 1));
}

TEST(ExpressionPainter, PowerDrawsASmallRaisedExponent) {
    const RecordingPainter s = Paint("x^2");
    ExpectPoint(Glyph(s, "x")->origin, 0.2, -1.4, "base");
    ExpectPoint(Glyph(s, "2")->origin, 1 + 8 * 0.0032, -0.64, "exponent");
    EXPECT_NEAR(Glyph(s, "2")->sx, 0.0032, 1e-7);
}

TEST(ExpressionPainter, FractionBarAndCentredNumerator) {
    const RecordingPainter s = Paint("1/(x+1)");
    ASSERT_EQ(s.shapes.size(), 3u);  // the bar and the two strokes of "+"
    ExpectPoint(s.shapes[0].points[0], 0, -1.25, "bar");
    ExpectPoint(s.shapes[0].points[1], 3.2, -1.25, "bar");
    ExpectPoint(s.shapes[1].points[0], 1.2, -2.0, "plus, across");
    ExpectPoint(s.shapes[2].points[0], 1.6, -1.6, "plus, down");
    ExpectPoint(s.shapes[2].points[1], 1.6, -2.4, "plus, down");
    // "1" is drawn with the extra 14 units a "1" gets.
    ASSERT_EQ(s.texts.size(), 3u);
    ExpectPoint(s.texts[0].origin, 1.1 + 34 * 0.008, -1, "numerator centred over the bar");
}

TEST(ExpressionPainter, RadicalStartsHalfACellLeftAndAbove) {
    const RecordingPainter s = Paint("sqrt(x)");
    ASSERT_EQ(s.shapes.size(), 1u);
    const auto& strip = s.shapes[0];
    EXPECT_EQ(strip.shape, Shape::Polyline);
    ASSERT_EQ(strip.points.size(), 4u);
    ExpectPoint(strip.points[0], 0, -1.0, "raised start");
    ExpectPoint(strip.points[1], 0.25, -1.5, "foot");
    ExpectPoint(strip.points[2], 0.5, 0, "top left of the radicand");
    ExpectPoint(strip.points[3], 1.5, 0, "along the top");
    ExpectPoint(Glyph(s, "x")->origin, 0.7, -1.5, "radicand");
}

TEST(ExpressionPainter, SubscriptAtHalfSizeBelowTheBaseline) {
    const RecordingPainter s = Paint("x_n");
    ExpectPoint(Glyph(s, "n")->origin, 1 + 10 * 0.005, -1.25, "subscript");
    EXPECT_NEAR(Glyph(s, "n")->sy, 0.005, 1e-9);
}

TEST(ExpressionPainter, ParenthesesAroundWrappedSums) {
    const RecordingPainter s = Paint("2*(x+1)");
    const auto* open = Glyph(s, "(");
    const auto* close = Glyph(s, ")");
    ASSERT_TRUE(open && close);
    EXPECT_NEAR(open->origin.x, 1.2, 1e-5);
    EXPECT_NEAR(close->origin.x, 5.65 - 0.25, 1e-5);
    EXPECT_NEAR(open->origin.y, -(1 - 0.2), 1e-5);
    EXPECT_NEAR(open->sy, 0.007, 1e-7);
}

}  // namespace
}  // namespace MathEx
