#include <gtest/gtest.h>

#include <string>

#include "graph/EquationObject.h"
#include "support/Equations.h"
#include "support/RecordingSurface.h"

namespace {

using testing_support::RecordingSurface;
using Primitive = Surface::Primitive;

using testing_support::MakeEquation;

TEST(EquationDrawing, ClipsToThePlotBoxAndDrawsEachPieceWithItsStyle) {
    auto o = MakeEquation("y = 1/x");
    o->setColour(ColorF(0, 0, 1, 1));
    o->setLineWidth(3);
    o->setLineStipple(0xF0F0);
    RecordingSurface s;
    o->draw(s, 1.3, 1, 1);
    ASSERT_EQ(s.clips.size(), 2u);
    EXPECT_EQ(s.clips[0], o->plotBox());
    EXPECT_EQ(s.clips[1], RectF());  // cleared after the curve
    ASSERT_EQ(s.primitives.size(), o->pieces().size());
    for (const auto& p : s.primitives) {
        EXPECT_EQ(p.primitive, Primitive::LineStrip);
        EXPECT_EQ(p.color, ColorF(0, 0, 1, 1));
        EXPECT_EQ(p.lineWidth, 3);
        EXPECT_EQ(p.stipple, 0xF0F0);
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
    RecordingSurface raster;
    o->draw(raster, 1.3, 1, 1);
    ASSERT_EQ(raster.primitives.size(), GetParam().patterns.size());
    for (size_t i = 0; i < raster.primitives.size(); ++i) EXPECT_EQ(raster.primitives[i].stipple, GetParam().patterns[i]) << i;
    // The page draws every piece with the equation's own pattern.
    RecordingSurface page(true);
    o->draw(page, 1.3, 1, 1, true);
    for (const auto& p : page.primitives) EXPECT_EQ(p.stipple, 0xFFFF);
}

INSTANTIATE_TEST_SUITE_P(Types, DomainStippleTest,
                         ::testing::Values(StippleCase{EquationObject::STIPPLE_NONE, {0xFFFF}},
                                           StippleCase{EquationObject::STIPPLE_LEFT, {0xFFFF, 0x5555}},
                                           StippleCase{EquationObject::STIPPLE_RIGHT, {0xFFFF, 0x5555}},
                                           StippleCase{EquationObject::STIPPLE_BOTH, {0xFFFF, 0x5555, 0x5555}}));

TEST(EquationDrawing, SelectionFrameControlPointsAndExtremaOnScreenOnly) {
    auto o = MakeEquation("y = x^2 - 2*x");
    o->setExtremePointsShown(true);
    o->setControlPointPinned(0, true);
    RecordingSurface raster;
    o->draw(raster, 1.3, 1, 1, true);
    // curve, frame, three control points, one extreme point
    ASSERT_EQ(raster.primitives.size(), 1u + 1 + 3 + 1);
    const auto& frame = raster.primitives[1];
    EXPECT_EQ(frame.stipple, 0xF0F0);
    EXPECT_EQ(frame.points.front(), PointF(-9, 9));
    EXPECT_EQ(raster.primitives[2].color, ColorF(0, 1, 0, 1));  // pinned
    EXPECT_EQ(raster.primitives[3].color, ColorF(0, 0, 1, 1));
    const auto& extreme = raster.primitives[5];
    EXPECT_EQ(extreme.color, ColorF(1, 0, 0, 1));
    EXPECT_FLOAT_EQ(extreme.points[0].x, 1 - 0.65f);
    EXPECT_FLOAT_EQ(extreme.points[1].y, -1);

    RecordingSurface page(true);
    o->draw(page, 1.3, 1, 1, true);
    EXPECT_EQ(page.primitives.size(), 1u);
}

TEST(EquationDrawing, HyperbolaAsymptotesWhenSelected) {
    auto o = MakeEquation("x^2 - y^2/4 - 1 = 0");
    RecordingSurface s;
    o->draw(s, 1.3, 1, 1, true);
    // two branches, then the asymptotes as one set of segments (y = ±2x)
    ASSERT_GE(s.primitives.size(), 3u);
    const auto& asymptotes = s.primitives[2];
    EXPECT_EQ(asymptotes.primitive, Primitive::Lines);
    EXPECT_EQ(asymptotes.stipple, 0xFF00);
    ASSERT_EQ(asymptotes.points.size(), 4u);
    EXPECT_NEAR(asymptotes.points[1].y / asymptotes.points[1].x, 2, 1e-5);
    EXPECT_NEAR(asymptotes.points[3].y / asymptotes.points[3].x, -2, 1e-5);
}

TEST(EquationDrawing, LabelIsAnImageOnScreenAndVectorTextOnThePage) {
    auto o = MakeEquation("y = x^2");
    o->setDisplayText(true);
    o->setLabelPosition(PointF(2, 3));
    RecordingSurface raster;
    o->draw(raster, 1.3, 1, 1);
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

    RecordingSurface page(true);
    o->draw(page, 1.3, 1, 1, true);
    EXPECT_TRUE(page.images.empty());
    EXPECT_FALSE(page.texts.empty());  // y, =, x and 2 as glyphs
    for (const auto& t : page.texts) {
        EXPECT_GE(t.origin.x, 2 - 1e-4);
        EXPECT_GE(t.origin.y, 3 - 1e-4);
    }
}

TEST(EquationDrawing, TextOnlyObjectDrawsOnlyItsLabel) {
    auto o = MakeEquation("2*PI");
    RecordingSurface s;
    o->draw(s, 1.3, 1, 1);
    EXPECT_TRUE(s.primitives.empty());
    ASSERT_EQ(s.images.size(), 1u);
    EXPECT_TRUE(s.clips.empty());
}

}  // namespace
