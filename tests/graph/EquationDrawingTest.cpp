// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "graph/EquationObject.h"
#include "mathex/SmartNumber.h"
#include "support/Equations.h"
#include "support/RecordingPainter.h"

namespace {

using testing_support::RecordingPainter;
using testing_support::Shape;

using testing_support::MakeEquation;

TEST(EquationDrawing, ClipsToThePlotBoxAndDrawsEachPieceWithItsStyle) {
    auto o = MakeEquation("y = 1/x");
    o->setColour(ColorF(0, 0, 1, 1));
    o->setLineWidth(3);
    o->setLineStipple(0xF0F0);
    RecordingPainter s;
    s.setView({1.3, 1, 1});
    o->draw(s);
    ASSERT_EQ(s.clips.size(), 2u);
    EXPECT_EQ(s.clips[0], o->plotBox());
    EXPECT_EQ(s.clips[1], RectF());  // cleared after the curve
    ASSERT_EQ(s.shapes.size(), o->pieces().size());
    for (const auto& p : s.shapes) {
        EXPECT_EQ(p.shape, Shape::Polyline);
        EXPECT_EQ(p.color, ColorF(0, 0, 1, 1));
        EXPECT_EQ(p.lineWidth, 3);
        EXPECT_TRUE(p.patterned(0xF0F0, 5));  // the curve pattern's bits are 5 pixels
    }
}

struct StippleCase {
    int stippletype;
    std::vector<uint16_t> patterns;  // per piece, raster output
};

class DomainStippleTest : public ::testing::TestWithParam<StippleCase> {};

TEST_P(DomainStippleTest, OutsideTheDomainIsDotted) {
    auto o = MakeEquation("y = x");
    o->setDomain(-1, 1);
    o->setStippleType(GetParam().stippletype);
    o->resample();
    RecordingPainter raster;
    raster.setView({1.3, 1, 1});
    o->draw(raster);
    ASSERT_EQ(raster.shapes.size(), GetParam().patterns.size());
    for (size_t i = 0; i < raster.shapes.size(); ++i) EXPECT_TRUE(raster.shapes[i].patterned(GetParam().patterns[i], 5)) << i;
    // The page draws every piece with the equation's own pattern.
    RecordingPainter page(true);
    page.setView({1.3, 1, 1});
    o->draw(page, true);
    for (const auto& p : page.shapes) EXPECT_TRUE(p.patterned(0xFFFF));
}

INSTANTIATE_TEST_SUITE_P(Types, DomainStippleTest,
                         ::testing::Values(StippleCase{EquationObject::STIPPLE_NONE, {0xFFFF}},
                                           StippleCase{EquationObject::STIPPLE_LEFT, {0xFFFF, 0x5555}},
                                           StippleCase{EquationObject::STIPPLE_RIGHT, {0xFFFF, 0x5555}},
                                           StippleCase{EquationObject::STIPPLE_BOTH, {0xFFFF, 0x5555, 0x5555}}));

TEST(EquationDrawing, SelectionFrameAndControlPointsOnScreenOnly) {
    auto o = MakeEquation("y = x^2 - 2*x");
    o->setExtremePointsShown(true);
    o->setControlPointPinned(0, true);
    RecordingPainter raster;
    raster.setView({1.3, 1, 1});
    o->draw(raster, true);
    // curve, frame, the control points by colour, one extreme point
    ASSERT_EQ(raster.shapes.size(), 1u + 1 + 2 + 1);
    const auto& frame = raster.shapes[1];
    EXPECT_TRUE(frame.patterned(0xF0F0));
    EXPECT_EQ(frame.points.front(), PointF(-9, 9));
    const auto& free = raster.shapes[2];
    const auto& pinned = raster.shapes[3];
    EXPECT_EQ(free.shape, Shape::Dots);
    EXPECT_EQ(free.color, ColorF(0, 0, 1, 1));
    EXPECT_EQ(free.points.size(), 2u);
    EXPECT_EQ(pinned.color, ColorF(0, 1, 0, 1));
    ASSERT_EQ(pinned.points.size(), 1u);
    EXPECT_EQ(pinned.points[0].x, o->controlPoints()[0].x);
    EXPECT_EQ(free.size, 5) << "control points are 5 pixels across";
    const auto& extreme = raster.shapes[4];
    EXPECT_EQ(extreme.color, ColorF(1, 0, 0, 1));
    EXPECT_FLOAT_EQ(extreme.points[0].x, 1 - 0.65f);
    EXPECT_FLOAT_EQ(extreme.points[1].y, -1);

    // The page has the curve and the extreme point the user asked for, not
    // what is there only to edit by.
    RecordingPainter page(true);
    page.setView({1.3, 1, 1});
    o->draw(page, true);
    ASSERT_GE(page.shapes.size(), 2u);
    EXPECT_EQ(page.shapes[1].color, ColorF(1, 0, 0, 1));
    EXPECT_EQ(page.shapes[1].points, extreme.points);
    for (const auto& p : page.shapes) {
        EXPECT_FALSE(p.patterned(0xF0F0)) << "no selection frame";
        EXPECT_NE(p.shape, Shape::Dots) << "no control points";
    }
}

// ---------------------------------------------------------------- extreme points' coordinates

struct ExtremeLabel {
    std::string latex;
    bool above;  // a maximum: the text above the mark; a minimum: below it
};

struct ExtremeCase {
    const char* text;
    int precision;
    std::vector<ExtremeLabel> labels;  // in the order of the extreme points
};

class ExtremeLabelTest : public ::testing::TestWithParam<ExtremeCase> {
protected:
    void TearDown() override { MathEx::SetDisplayPrecision(2); }
};

TEST_P(ExtremeLabelTest, CoordinatesBesideTheMarkOffTheCurve) {
    const ExtremeCase& c = GetParam();
    MathEx::SetDisplayPrecision(c.precision);
    auto o = MakeEquation(c.text);
    const std::vector<MathEx::ExtremePoint> extremes = o->expression()->ExtremePoints();
    ASSERT_EQ(extremes.size(), c.labels.size()) << c.text;

    RecordingPainter hidden;
    hidden.setView({1.3, 1, 1});
    o->draw(hidden);
    EXPECT_TRUE(hidden.images.empty()) << "only with Display Extreme Points";

    o->setExtremePointsShown(true);
    RecordingPainter s;
    s.setView({1.3, 1, 1});
    o->draw(s);
    ASSERT_EQ(s.images.size(), c.labels.size()) << c.text;
    const double unit = 1.3 / 40;  // graph units per pixel
    for (size_t i = 0; i < extremes.size(); ++i) {
        const auto& image = s.images[i];
        const ExtremeLabel& expected = c.labels[i];
        EXPECT_EQ(image.text, expected.latex) << c.text;
        // The recorder's images are 8 pixels per character by 20.
        const double w = 8 * image.text.size() * unit, h = 20 * unit;
        EXPECT_NEAR(image.origin.x + w / 2, extremes[i].x, 1e-5) << expected.latex << " centred on the point";
        if (expected.above) {
            EXPECT_NEAR(image.origin.y, extremes[i].y + 4 * unit, 1e-5) << expected.latex;
        } else {
            EXPECT_NEAR(image.origin.y + h, extremes[i].y - 4 * unit, 1e-5) << expected.latex;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExtremeLabelTest,
    ::testing::Values(ExtremeCase{"y = x^2 - 2*x + 3", 2, {{"(1,2)", false}}},
                      ExtremeCase{"y = -x^2", 2, {{"(0,0)", true}}},  // not "-0" at the top
                      ExtremeCase{"y = x^3 - 3*x", 2, {{"(-1,2)", true}, {"(1,-2)", false}}},
                      ExtremeCase{"y = x^2 - 2*x/3", 2, {{"(0.33,-0.11)", false}}},
                      ExtremeCase{"y = x^2 - 2*x/3", 1, {{"(0.3,-0.1)", false}}},
                      ExtremeCase{"y = x^4 - 2*x^2", 2, {{"(-1,-1)", false}, {"(0,0)", true}, {"(1,-1)", false}}},
                      ExtremeCase{"y = sin(x)", 2, {}}));

// The page shows the same coordinates, typeset above the maximum.
TEST(EquationDrawing, ExtremeCoordinatesOnThePage) {
    auto o = MakeEquation("y = 1 - x^2");
    o->setExtremePointsShown(true);
    RecordingPainter page(true);
    page.setView({1.3, 1, 1});
    o->draw(page);
    ASSERT_EQ(page.images.size(), 1u);
    EXPECT_EQ(page.images[0].text, "(0,1)");
    EXPECT_GT(page.images[0].origin.y, 1) << "above the maximum at (0, 1)";
    EXPECT_LT(std::fabs(page.images[0].origin.x), 1);
}

TEST(EquationDrawing, HyperbolaAsymptotesWhenSelected) {
    auto o = MakeEquation("x^2 - y^2/4 - 1 = 0");
    RecordingPainter s;
    s.setView({1.3, 1, 1});
    o->draw(s, true);
    // two branches, then the asymptotes as one set of segments (y = ±2x)
    ASSERT_GE(s.shapes.size(), 3u);
    const auto& asymptotes = s.shapes[2];
    EXPECT_EQ(asymptotes.shape, Shape::Segments);
    EXPECT_TRUE(asymptotes.patterned(0xFF00));
    ASSERT_EQ(asymptotes.points.size(), 4u);
    EXPECT_NEAR(asymptotes.points[1].y / asymptotes.points[1].x, 2, 1e-5);
    EXPECT_NEAR(asymptotes.points[3].y / asymptotes.points[3].x, -2, 1e-5);
}

TEST(EquationDrawing, TheLabelIsTypesetOnScreenAndPageAlike) {
    auto o = MakeEquation("y = x^2");
    o->setDisplayText(true);
    o->setLabelPosition(PointF(2, 3));
    RecordingPainter raster;
    raster.setView({1.3, 1, 1});
    o->draw(raster);
    ASSERT_EQ(raster.images.size(), 1u);
    EXPECT_EQ(raster.images[0].text, "y={x}^{2}");
    EXPECT_EQ(raster.images[0].origin, PointF(2, 3));
    // The recorder's image is 8 px per character by 20 px: 72 × 20 px at 1.3 units per 40 px.
    const RectF box = o->labelBox();
    EXPECT_FLOAT_EQ(box.left, 2);
    EXPECT_NEAR(box.right, 2 + 72 * 1.3 / 40, 1e-5);
    EXPECT_NEAR(box.top, 3 + 20 * 1.3 / 40, 1e-5);
    EXPECT_TRUE(o->labelContains(PointF(2.5f, 3.2f)));
    EXPECT_FALSE(o->labelContains(PointF(1.5f, 3.2f)));

    RecordingPainter page(true);
    page.setView({1.3, 1, 1});
    o->draw(page, true);
    ASSERT_EQ(page.images.size(), 1u);
    EXPECT_EQ(page.images[0].text, raster.images[0].text);
    EXPECT_EQ(page.images[0].origin, raster.images[0].origin);
    EXPECT_TRUE(page.texts.empty()) << "no glyph-by-glyph layout beside it";
}

TEST(EquationDrawing, TextOnlyObjectDrawsOnlyItsLabel) {
    auto o = MakeEquation("2*PI");
    RecordingPainter s;
    s.setView({1.3, 1, 1});
    o->draw(s);
    EXPECT_TRUE(s.shapes.empty());
    ASSERT_EQ(s.images.size(), 1u);
    EXPECT_TRUE(s.clips.empty());
}

}  // namespace
