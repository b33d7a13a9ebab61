// SPDX-License-Identifier: MIT
// Painted domains: the same-region test and the column hatching.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "graph/PaintedDomain.h"
#include "support/Equations.h"
#include "support/RecordingPainter.h"

using testing_support::RecordedShape;
using testing_support::MakeEquations;
using testing_support::RecordingPainter;
using testing_support::Shape;

namespace {


const RectF kGraph(10, -10, -10, 10);  // top, bottom, left, right

struct RegionCase {
    const char* name;
    std::vector<std::string> equations;
    PointF seed, q;
    bool same;
};

const RegionCase kRegions[] = {
    {"no curves: upper half", {}, {1, 1}, {-7, 9}, true},
    {"no curves: lower half", {}, {1, -1}, {8, -0.5f}, true},
    {"no curves: across the axis", {}, {1, 1}, {1, -1}, false},
    {"seed on the axis", {}, {3, 0}, {3, 0}, false},
    {"point on the axis", {}, {3, 1}, {5, 0}, false},
    {"between curve and axis", {"y=x^2-4"}, {0, -1}, {1.5f, -0.5f}, true},
    {"below the curve", {"y=x^2-4"}, {0, -1}, {0, -5}, false},
    {"beyond the curve's root", {"y=x^2-4"}, {0, -1}, {3, -1}, false},
    {"on the curve", {"y=x^2-4"}, {0, -1}, {1, -3}, false},
    {"mirrored pocket counts as the same side", {"y=x^2-4"}, {3, 1}, {-3, 1}, true},
    {"inside a circle", {"x^2+y^2-4=0"}, {0, 1}, {1, 1}, true},
    {"outside a circle", {"x^2+y^2-4=0"}, {0, 1}, {0, 3}, false},
    {"between two lines", {"y=1", "y=3"}, {0, 2}, {5, 2.5f}, true},
    {"above both lines", {"y=1", "y=3"}, {0, 2}, {5, 4}, false},
    {"a bare number cuts nothing", {"3"}, {0, 2}, {5, 8}, true},
};

TEST(PaintedRegion, SameRegion) {
    for (const RegionCase& c : kRegions)
        EXPECT_EQ(SameRegion(MakeEquations(c.equations), c.seed, c.q), c.same) << c.name;
}

// One column's stretch of the region, as a vertical segment.
struct Column {
    std::vector<PointF> points;
};

// The columns worked out for one domain.
std::vector<Column> Hatch(const EquationList& equations, PointF seed, double scale = 1, const RectF& rect = kGraph,
                          const RectF& visible = RectF(std::numeric_limits<float>::infinity(),
                                                       -std::numeric_limits<float>::infinity(),
                                                       -std::numeric_limits<float>::infinity(),
                                                       std::numeric_limits<float>::infinity())) {
    std::vector<Column> columns;
    for (const HatchSegment& c :
         HatchPaintedDomain(PaintedDomain{ColorF(0.2f, 0.4f, 0.6f, 0.3f), seed}, equations, rect, scale, visible))
        columns.push_back({{PointF(float(c.x), float(c.from)), PointF(float(c.x), float(c.to))}});
    return columns;
}

float MinX(const std::vector<Column>& segments) {
    float m = std::numeric_limits<float>::infinity();
    for (const auto& s : segments) m = std::min(m, s.points[0].x);
    return m;
}

float MaxX(const std::vector<Column>& segments) {
    float m = -std::numeric_limits<float>::infinity();
    for (const auto& s : segments) m = std::max(m, s.points[0].x);
    return m;
}

// Whether p lies inside (or on) a counter-clockwise convex ring.
bool Inside(const std::vector<PointF>& ring, PointF p) {
    for (size_t i = 0; i < ring.size(); ++i) {
        const PointF a = ring[i], b = ring[(i + 1) % ring.size()];
        if (double(b.x - a.x) * (p.y - a.y) - double(b.y - a.y) * (p.x - a.x) < -1e-9) return false;
    }
    return true;
}

bool Covered(const std::vector<std::vector<PointF>>& rings, PointF p) {
    return std::any_of(rings.begin(), rings.end(), [&](const auto& ring) { return Inside(ring, p); });
}

// A domain is one filled shape in a light, opaque tint of its colour: the
// same on screen and on paper, and the grid and curves drawn over it show.
TEST(PaintedRegion, OneFilledShapeInATintOfTheDomainColour) {
    RecordingPainter painter;
    DrawPaintedDomain(painter, PaintedDomain{ColorF(0.2f, 0.4f, 0.6f, 0.3f), PointF(0, -1)},
                      MakeEquations({"y=x^2-4"}), kGraph, 1);
    ASSERT_EQ(painter.shapes.size(), 1u);
    const RecordedShape& region = painter.shapes[0];
    EXPECT_EQ(region.shape, Shape::Region);
    EXPECT_EQ(region.color, ColorF(0.76f, 0.82f, 0.88f, 1));
    EXPECT_GT(region.rings.size(), 50u);
    for (const auto& ring : region.rings) {
        ASSERT_EQ(ring.size(), 4u);
        double area = 0;
        for (size_t i = 0; i < 4; ++i) area += double(ring[i].x) * ring[(i + 1) % 4].y - double(ring[(i + 1) % 4].x) * ring[i].y;
        EXPECT_GT(area, 0) << "counter-clockwise";
    }
    EXPECT_EQ(PaintTint(ColorF(1, 0, 0, 1)), ColorF(1, 0.7f, 0.7f, 1));
    EXPECT_EQ(PaintTint(ColorF(0, 0, 0, 0.2f)), ColorF(0.7f, 0.7f, 0.7f, 1));
}

// Between the region's first and last columns every point of it is covered,
// with no stripe left between columns: the region under y = 0 above
// y = x² − 4, sampled far finer than its columns.
TEST(PaintedRegion, CoversTheRegionWithoutGapsBetweenColumns) {
    const EquationList equations = MakeEquations({"y=x^2-4"});
    const auto columns = HatchPaintedDomain(PaintedDomain{ColorF(1, 0, 0, 1), PointF(0, -1)}, equations, kGraph, 1,
                                            RectF(10, -10, -10, 10));
    const auto rings = RegionRings(columns);
    ASSERT_FALSE(rings.empty());
    const float first = float(MinX(Hatch(equations, PointF(0, -1)))), last = float(MaxX(Hatch(equations, PointF(0, -1))));
    int inside = 0;
    for (float x = first + 0.001f; x < last; x += 0.0137f)
        for (float y = -3.99f; y < 0; y += 0.0113f) {
            const float curve = x * x - 4;
            // Within a column's width of the curve the polygon cuts the corner.
            if (y < curve + 0.2f) continue;
            ++inside;
            ASSERT_TRUE(Covered(rings, PointF(x, y))) << x << ", " << y;
        }
    EXPECT_GT(inside, 10000);
    // And nothing outside it: below the curve, above the axis.
    for (const PointF p : {PointF(0, -4.5f), PointF(0, 0.5f), PointF(2.5f, -1), PointF(-2.5f, -1)})
        EXPECT_FALSE(Covered(rings, p)) << p.x << ", " << p.y;
}

// Where a column's stretch meets two in the next (a region parting round a
// circle), each pair is joined; stretches that do not overlap are not.
TEST(PaintedRegion, RingsJoinOverlappingStretchesOfNeighbouringColumns) {
    const std::vector<HatchSegment> columns = {{1, 0, 4}, {0, 0, 4}, {1, 5, 6}, {2, 0, 1}, {2, 3, 4.5}, {3, 7, 8}};
    const auto rings = RegionRings(columns);
    const std::vector<std::vector<PointF>> expected = {
        {{0, 0}, {1, 0}, {1, 4}, {0, 4}},
        {{1, 0}, {2, 0}, {2, 1}, {1, 4}},
        {{1, 0}, {2, 3}, {2, 4.5f}, {1, 4}},
    };
    EXPECT_EQ(rings, expected);
    EXPECT_TRUE(RegionRings({}).empty());
    EXPECT_TRUE(RegionRings({{0, 1, 1}, {1, 1, 1}}).empty()) << "empty stretches";
}

struct HalfPlaneCase {
    PointF seed;
    double scale;
    float from, to;  // the segment every column draws
};

const HalfPlaneCase kHalfPlanes[] = {
    {{0, 1}, 1.0, 0, 10},
    {{2.5f, -4}, 1.0, -10, 0},
    {{0, 1}, 2.0, 0, 10},
};

TEST(PaintedHatching, WithoutCurvesTheRegionsAreTheHalfPlanes) {
    for (const HalfPlaneCase& c : kHalfPlanes) {
        const auto segments = Hatch(EquationList(), c.seed, c.scale);
        const double step = 0.05 * c.scale;
        // Columns from the seed outwards up to the first at or beyond each edge.
        const double expected = std::floor((10 - c.seed.x) / step) + std::floor((10 + c.seed.x) / step) + 1;
        EXPECT_NEAR(double(segments.size()), expected, 2.0) << c.seed.x << " " << c.scale;
        for (const auto& s : segments) {
            EXPECT_EQ(std::min(s.points[0].y, s.points[1].y), c.from);
            EXPECT_EQ(std::max(s.points[0].y, s.points[1].y), c.to);
        }
        EXPECT_FLOAT_EQ(segments.front().points[0].x, c.seed.x);  // the seed column comes first
        EXPECT_GE(MaxX(segments), 10 - 1e-3);
        EXPECT_LE(MinX(segments), -10 + 1e-3);
    }
}

TEST(PaintedHatching, SeedOnTheAxisPaintsNothing) {
    EXPECT_TRUE(Hatch(EquationList(), PointF(3, 0)).empty());
    EXPECT_TRUE(Hatch(MakeEquations({"y=x^2-4"}), PointF(0, 0)).empty());
}

TEST(PaintedHatching, SeedOnACurvePaintsNothing) {
    EXPECT_TRUE(Hatch(MakeEquations({"y=x^2-4"}), PointF(1, -3)).empty());
}

struct BoundedCase {
    const char* name;
    std::vector<std::string> equations;
    PointF seed;
    float left, right;  // the columns lie strictly inside
    double (*lower)(double x);
    double (*upper)(double x);
};

const BoundedCase kBounded[] = {
    {"under y = x² − 4 between its roots", {"y=x^2-4"}, {0, -1}, -2, 2,
     [](double x) { return x * x - 4; }, [](double) { return 0.0; }},
    {"inside the upper half of a circle", {"x^2+y^2-4=0"}, {0.5f, 1}, -2, 2,
     [](double) { return 0.0; }, [](double x) { return std::sqrt(4 - x * x); }},
    {"between a line and the axis", {"y=x"}, {3, 1}, 0, 10.01f,
     [](double) { return 0.0; }, [](double x) { return x; }},
};

TEST(PaintedHatching, ColumnsStopWhereTheRegionEnds) {
    for (const BoundedCase& c : kBounded) {
        const auto segments = Hatch(MakeEquations(c.equations), c.seed);
        ASSERT_FALSE(segments.empty()) << c.name;
        for (const auto& s : segments) {
            const double x = s.points[0].x;
            EXPECT_GT(x, c.left) << c.name;
            EXPECT_LT(x, c.right) << c.name;
            EXPECT_NEAR(std::min(s.points[0].y, s.points[1].y), c.lower(x), 1e-4) << c.name << " at " << x;
            EXPECT_NEAR(std::max(s.points[0].y, s.points[1].y), c.upper(x), 1e-4) << c.name << " at " << x;
        }
        EXPECT_LT(MinX(segments), c.left + 0.05 + 1e-3) << c.name;
        EXPECT_GT(MaxX(segments), std::min(c.right, 10.0f) - 0.05 - 1e-3) << c.name;
    }
}

TEST(PaintedHatching, ARegionCutOffFurtherOutIsNotFilledBeyond) {
    // Above the axis and below y = x² − 4 on both sides of the roots: the same
    // region by the sign test, but the fill from x = 3 stops at the root x = 2.
    const EquationList equations = MakeEquations({"y=x^2-4"});
    ASSERT_TRUE(SameRegion(equations, PointF(3, 1), PointF(-3, 1)));
    const auto segments = Hatch(equations, PointF(3, 1));
    ASSERT_FALSE(segments.empty());
    EXPECT_GT(MinX(segments), 2);
    EXPECT_LT(MinX(segments), 2.05 + 1e-3);
}

TEST(PaintedHatching, MovingTheCurveMovesTheHatching) {
    EquationList equations = MakeEquations({"y=x^2-4"});
    const auto before = Hatch(equations, PointF(0.5f, -1));
    equations[0]->translate(1, 0);
    const auto after = Hatch(equations, PointF(0.5f, -1));
    EXPECT_LT(MinX(before), -1.9);
    EXPECT_GT(MinX(after), -1);
    EXPECT_LT(MinX(after), -0.9);
    EXPECT_LT(MaxX(before), 2);
    EXPECT_GT(MaxX(after), 2.9);
}

struct GuardCase {
    const char* name;
    PointF seed;
    double scale;
    RectF rect;
    size_t maxSegments;
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

const GuardCase kGuards[] = {
    {"zero step draws the seed column only", {0, 1}, 0.0, kGraph, 1},
    {"negative step draws the seed column only", {0, 1}, -1.0, kGraph, 1},
    {"step not a number draws the seed column only", {0, 1}, std::nan(""), kGraph, 1},
    {"seed not a number", {kNaN, 1}, 1.0, kGraph, 0},
    {"rectangle edge not a number", {0, 1}, 1.0, RectF(10, -10, -10, kNaN), 0},
};

TEST(PaintedHatching, EndsOnUnusableInput) {
    for (const GuardCase& c : kGuards)
        EXPECT_LE(Hatch(EquationList(), c.seed, c.scale, c.rect).size(), c.maxSegments) << c.name;
}

TEST(PaintedHatching, InfiniteRectangleStopsAtTheRegionsEnd) {
    const float inf = std::numeric_limits<float>::infinity();
    const auto segments = Hatch(MakeEquations({"y=x^2-4"}), PointF(0, -1), 1.0, RectF(inf, -inf, -inf, inf));
    ASSERT_FALSE(segments.empty());
    EXPECT_GT(MinX(segments), -2);
    EXPECT_LT(MaxX(segments), 2);
}

// Only the columns in the window are drawn; the ones out of sight still end
// the hatching where the region ends.
struct SightCase {
    const char* name;
    std::vector<std::string> equations;
    PointF seed;
    float left, right;        // the window's x range
    float drawnFrom, drawnTo;  // the x range the drawn columns must cover (none when from > to)
};

const SightCase kSights[] = {
    {"seed in the window", {}, {0, 1}, -1, 1, -1, 1},
    {"seed left of the window", {}, {-8, 1}, 4, 5, 4, 5},
    // The region below y = x² − 4 ends at x = 2, before the window begins.
    {"region ends before the window", {"y=x^2-4"}, {0, -1}, 3, 5, 1, 0},
    // Above the axis and under the curve from x = 2 on: a pocket, cut off at the root.
    {"pocket seen from beside it", {"y=x^2-4"}, {3, 1}, -3, -2.5f, 1, 0},
};

TEST(PaintedHatching, DrawsOnlyTheColumnsInSight) {
    for (const SightCase& c : kSights) {
        const RectF visible(10, -10, c.left, c.right);
        const auto segments = Hatch(MakeEquations(c.equations), c.seed, 1, kGraph, visible);
        if (c.drawnFrom > c.drawnTo) {
            EXPECT_TRUE(segments.empty()) << c.name;
            continue;
        }
        ASSERT_FALSE(segments.empty()) << c.name;
        EXPECT_GE(MinX(segments), c.left - 0.05 - 1e-3) << c.name;
        EXPECT_LE(MaxX(segments), c.right + 0.05 + 1e-3) << c.name;
        EXPECT_LE(MinX(segments), c.drawnFrom + 1e-3) << c.name;
        EXPECT_GE(MaxX(segments), c.drawnTo - 1e-3) << c.name;
    }
}

// The kept hatching is the one worked out afresh after every change it depends on.
TEST(HatchingCache, GivesWhatAFreshHatchingGivesAfterEveryChange) {
    struct View {
        PointF seed;
        double scale;
        RectF visible;
    };
    using Edit = void (*)(EquationList&, View&);
    struct Step {
        const char* name;
        Edit edit;
    };
    const Step steps[] = {
        {"as made", [](EquationList&, View&) {}},
        {"nothing changed", [](EquationList&, View&) {}},
        {"a bounding curve moved", [](EquationList& l, View&) { l[0]->translate(0.5, -1); }},
        {"a curve added", [](EquationList& l, View&) { l.push_back(testing_support::MakeEquation("y=-1")); }},
        {"a curve deleted", [](EquationList& l, View&) { l.erase(l.begin()); }},
        {"the seed moved", [](EquationList&, View& v) { v.seed = PointF(0.5f, -0.5f); }},
        {"zoomed", [](EquationList&, View& v) { v.scale = 0.5; }},
        {"panned", [](EquationList&, View& v) { v.visible = RectF(10, -10, -2, 3); }},
    };
    EquationList equations = MakeEquations({"y=x^2-4", "x^2+y^2-9=0"});
    View view{PointF(0, -1), 1.0, RectF(10, -10, -10, 10)};
    HatchingCache cache;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.edit(equations, view);
        const PaintedDomain domain{ColorF(0, 0, 1, 1), view.seed};
        const auto fresh = HatchPaintedDomain(domain, equations, kGraph, view.scale, view.visible);
        const auto& shape = cache.of(0, domain, equations, kGraph, view.scale, view.visible);
        const auto& kept = shape.columns;
        EXPECT_EQ(shape.rings, RegionRings(fresh));
        ASSERT_EQ(kept.size(), fresh.size());
        for (size_t k = 0; k < fresh.size(); ++k) {
            EXPECT_EQ(kept[k].x, fresh[k].x);
            EXPECT_EQ(kept[k].from, fresh[k].from);
            EXPECT_EQ(kept[k].to, fresh[k].to);
        }
    }
}

}  // namespace
