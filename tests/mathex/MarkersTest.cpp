// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>

#include "mathex/Markers.h"
#include "mathex/SmartNumber.h"
#include "support/RecordingPainter.h"

namespace MathEx {
namespace {

using testing_support::RecordingPainter;
using testing_support::Shape;

struct AngleCase {
    double dx, dy, angle;
};

class QuadrantAngleTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(QuadrantAngleTest, ByQuadrantAndOnTheAxes) {
    EXPECT_NEAR(QuadrantAngle(GetParam().dx, GetParam().dy), GetParam().angle, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rays, QuadrantAngleTest,
                         ::testing::Values(AngleCase{1, 1, std::acos(1 / std::sqrt(2.0))},
                                           AngleCase{-1, 1, std::acos(1 / std::sqrt(2.0)) + kHalfPi},
                                           AngleCase{-1, -1, std::acos(1 / std::sqrt(2.0)) + kPi},
                                           AngleCase{1, -1, kTwoPi - std::acos(1 / std::sqrt(2.0))},
                                           AngleCase{0, 2, kHalfPi}, AngleCase{-2, 0, kPi},
                                           AngleCase{0, -2, kThreeHalfPi}, AngleCase{2, 0, 0},
                                           AngleCase{0, 0, 0}));

// All the markers go to the painter at once, filled in the fill colour, then
// in the outline colour as rims (or filled); the painter keeps them round.
TEST(DiscMarkers, AllAtOnceFillThenOutline) {
    const PointF centres[] = {{1, 2}, {3, 4}, {-5, 0}};
    RecordingPainter s;
    DrawDiscMarkers(s, centres, 0.5, 3, ColorF(1, 0, 0), ColorF(0, 0, 1), false);
    ASSERT_EQ(s.shapes.size(), 2u);
    EXPECT_EQ(s.shapes[0].shape, Shape::Discs);
    EXPECT_EQ(s.shapes[0].color, ColorF(1, 0, 0));
    EXPECT_EQ(s.shapes[1].shape, Shape::Rims);
    EXPECT_EQ(s.shapes[1].color, ColorF(0, 0, 1));
    EXPECT_EQ(s.shapes[1].lineWidth, 3);
    for (const auto& shape : s.shapes) {
        EXPECT_EQ(shape.points, std::vector<PointF>(std::begin(centres), std::end(centres)));
        EXPECT_DOUBLE_EQ(shape.size, 0.5);
    }

    // Filled in an opaque outline colour, the fill underneath never shows.
    RecordingPainter filled;
    DrawDiscMarkers(filled, centres, 1, 1, ColorF(1, 1, 1), ColorF(0, 0, 0), true);
    ASSERT_EQ(filled.shapes.size(), 1u);
    EXPECT_EQ(filled.shapes[0].shape, Shape::Discs);
    EXPECT_EQ(filled.shapes[0].color, ColorF(0, 0, 0));
    // A see-through one lets it show: both are drawn.
    RecordingPainter glassy;
    DrawDiscMarkers(glassy, centres, 1, 1, ColorF(1, 1, 1), ColorF(0, 0, 0, 0.5f), true);
    ASSERT_EQ(glassy.shapes.size(), 2u);
    EXPECT_EQ(glassy.shapes[0].color, ColorF(1, 1, 1));
}


struct ArcCase {
    PointF first, second;
    double start, end;  // of the vector arc, degrees
};

class AngleArcTest : public ::testing::TestWithParam<ArcCase> {};

// The arc always takes the smaller angle, in both outputs.
TEST_P(AngleArcTest, CoversTheSmallerAngle) {
    const ArcCase& c = GetParam();
    RecordingPainter raster;
    DrawAngleArc(raster, PointF(0, 0), c.first, c.second);
    ASSERT_EQ(raster.shapes.size(), 1u);
    const auto& strip = raster.shapes[0].points;
    ASSERT_EQ(strip.size(), 100u);
    EXPECT_NEAR(std::hypot(strip[50].x, strip[50].y), std::hypot(c.first.x, c.first.y), 1e-5);
    double mid = (c.start + c.end) / 2;
    if (c.end < c.start) mid += 180;
    EXPECT_NEAR(std::atan2(strip[50].y, strip[50].x), std::atan2(std::sin(mid * kPi / 180), std::cos(mid * kPi / 180)), 0.02);

    RecordingPainter vector(true);
    DrawAngleArc(vector, PointF(0, 0), c.first, c.second);
    ASSERT_EQ(vector.arcs.size(), 1u);
    EXPECT_NEAR(vector.arcs[0].start, c.start, 1e-6);
    EXPECT_NEAR(vector.arcs[0].end, c.end, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Rays, AngleArcTest,
                         ::testing::Values(ArcCase{PointF(1, 0), PointF(0, 1), 0, 90},
                                           ArcCase{PointF(0, 2), PointF(2, 0), 0, 90},
                                           ArcCase{PointF(1, -1), PointF(1, 1), 315, 45},
                                           ArcCase{PointF(-1, 1), PointF(-1, -1), 135, 225}));

}  // namespace
}  // namespace MathEx
