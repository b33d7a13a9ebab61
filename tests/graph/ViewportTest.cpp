// SPDX-License-Identifier: MIT
#include "graph/Viewport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <limits>
#include <string>
#include <vector>

#include "support/RecordingPainter.h"

using testing_support::RecordedShape;
using testing_support::RecordingPainter;
using testing_support::Shape;

namespace {

constexpr double kTol = 1e-5;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

Viewport MakeViewport(double scale, double xZoom, double yZoom, PointF pan = PointF(), int width = 1000,
                      int height = 750) {
    Viewport v;
    v.scale = scale;
    v.setZoom(xZoom, yZoom);
    v.pan = pan;
    v.width = width;
    v.height = height;
    return v;
}

struct Segment {
    PointF a, b;
};

std::vector<Segment> Pairs(const RecordedShape& p) {
    std::vector<Segment> out;
    for (size_t i = 0; i + 1 < p.points.size(); i += 2) out.push_back({p.points[i], p.points[i + 1]});
    return out;
}

bool IsVertical(const Segment& s) { return s.a.x == s.b.x; }

void ExpectPoint(PointF p, double x, double y, const std::string& what) {
    EXPECT_NEAR(p.x, x, kTol) << what;
    EXPECT_NEAR(p.y, y, kTol) << what;
}

// ---------------------------------------------------------------- defaults

// A new graph, and one reset after zooming and panning, shows the origin at
// the centre of the window and 1.3 units per 40 pixels along both axes: at
// 1000 × 750, x from −16.25 to 16.25 and y from −12.19 to 12.19.
TEST(ViewportDefaults, ANewGraphShowsTheOriginAtTheCentre) {
    Viewport fresh;
    Viewport reset = MakeViewport(3.0, 2.0, 4.0, PointF(5, -6), 640, 480);
    reset.reset();
    const struct {
        const char* name;
        const Viewport& v;
        double halfWidth, halfHeight;  // graph units from the centre to the edges
    } rows[] = {{"new", fresh, 16.25, 12.1875}, {"reset at 640 x 480", reset, 10.4, 7.8}};
    for (const auto& r : rows) {
        const PointF centre = r.v.screenToGraph(r.v.width / 2.0, r.v.height / 2.0);
        EXPECT_NEAR(centre.x, 0, 1e-6) << r.name;
        EXPECT_NEAR(centre.y, 0, 1e-6) << r.name;
        const PointF topLeft = r.v.screenToGraph(0, 0), bottomRight = r.v.screenToGraph(r.v.width, r.v.height);
        EXPECT_NEAR(topLeft.x, -r.halfWidth, 1e-4) << r.name;
        EXPECT_NEAR(topLeft.y, r.halfHeight, 1e-4) << r.name;
        EXPECT_NEAR(bottomRight.x, r.halfWidth, 1e-4) << r.name;
        EXPECT_NEAR(bottomRight.y, -r.halfHeight, 1e-4) << r.name;
        // The grid and axes span ±10 at zoom 1.
        EXPECT_EQ(r.v.graphRect, RectF(10, -10, -10, 10)) << r.name;
    }
}

// ---------------------------------------------------------------- conversions

struct ConversionCase {
    const char* name;
    double scale, xZoom, yZoom;
    PointF pan;
    int width, height;
    double px, py;
    double x, y;
};

const ConversionCase kConversions[] = {
    {"centre is the origin", 1.3, 1, 1, {}, 1000, 750, 500, 375, 0, 0},
    {"40 px right is 1.3", 1.3, 1, 1, {}, 1000, 750, 540, 375, 1.3, 0},
    {"40 px up is 1.3", 1.3, 1, 1, {}, 1000, 750, 500, 335, 0, 1.3},
    {"pixel y grows downwards", 1.3, 1, 1, {}, 1000, 750, 500, 415, 0, -1.3},
    {"top left corner", 1.3, 1, 1, {}, 1000, 750, 0, 0, -16.25, 12.1875},
    {"scale 1: 40 px per unit", 1.0, 1, 1, {}, 800, 600, 0, 0, -10, 7.5},
    {"x zoom 2 doubles x only", 1.3, 2, 1, {}, 1000, 750, 540, 335, 2.6, 1.3},
    {"y zoom 0.5 halves y only", 1.3, 1, 0.5, {}, 1000, 750, 540, 335, 1.3, 0.65},
    {"pan moves -pan to the centre", 1.3, 1, 1, {2, -1}, 1000, 750, 500, 375, -2, 1},
    {"pan and zoom", 1.0, 2, 3, {1, 1}, 1000, 750, 520, 365, 0, -0.25},
    {"odd window size", 1.3, 1, 1, {}, 999, 751, 499.5, 375.5, 0, 0},
};

class ViewportConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(ViewportConversion, ScreenToGraph) {
    const ConversionCase& c = GetParam();
    const Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom, c.pan, c.width, c.height);
    ExpectPoint(v.screenToGraph(c.px, c.py), c.x, c.y, c.name);
}

TEST_P(ViewportConversion, GraphToScreenIsTheInverse) {
    const ConversionCase& c = GetParam();
    const Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom, c.pan, c.width, c.height);
    const PointF pixel = v.graphToScreen(c.x, c.y);
    EXPECT_NEAR(pixel.x, c.px, 1e-3) << c.name;
    EXPECT_NEAR(pixel.y, c.py, 1e-3) << c.name;
}

// The projection the view applies must put every graph point (translated by
// pan, as the redraw does) on the pixel screenToGraph maps back to it.
TEST_P(ViewportConversion, ProjectionAgreesWithScreenToGraph) {
    const ConversionCase& c = GetParam();
    const Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom, c.pan, c.width, c.height);
    const Viewport::Ortho o = v.setProjection();
    const double modelX = c.x + c.pan.x, modelY = c.y + c.pan.y;
    const double windowX = o.x + (modelX - o.left) / (o.right - o.left) * o.width;
    const double windowY = o.y + (modelY - o.bottom) / (o.top - o.bottom) * o.height;
    EXPECT_NEAR(windowX, c.px, 1e-3) << c.name;
    EXPECT_NEAR(c.height - windowY, c.py, 1e-3) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportConversion, testing::ValuesIn(kConversions));

// ---------------------------------------------------------------- projection

struct ProjectionCase {
    double scale, xZoom, yZoom;
    int width, height;
    double right, top;
};

const ProjectionCase kProjections[] = {
    {1.3, 1, 1, 1000, 750, 16.25, 12.1875},
    {1.0, 1, 1, 800, 600, 10, 7.5},
    {1.3, 2, 1, 1000, 750, 32.5, 12.1875},
    {1.3, 1, 0.5, 1000, 750, 16.25, 6.09375},
    {5.0, 1, 1, 80, 40, 5, 2.5},
    {0.001, 10, 10, 1000, 750, 0.125, 0.09375},
};

class ViewportProjection : public testing::TestWithParam<ProjectionCase> {};

TEST_P(ViewportProjection, OrthoOverTheWholeWindow) {
    const ProjectionCase& c = GetParam();
    const Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom, PointF(3, 4), c.width, c.height);
    const Viewport::Ortho o = v.setProjection();
    EXPECT_EQ(o.x, 0);
    EXPECT_EQ(o.y, 0);
    EXPECT_EQ(o.width, c.width);
    EXPECT_EQ(o.height, c.height);
    EXPECT_NEAR(o.right, c.right, 1e-9);
    EXPECT_NEAR(o.left, -c.right, 1e-9);
    EXPECT_NEAR(o.top, c.top, 1e-9);
    EXPECT_NEAR(o.bottom, -c.top, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportProjection, testing::ValuesIn(kProjections));

// ---------------------------------------------------------------- setZoom

struct ZoomCase {
    const char* name;
    double fromX, fromY, toX, toY;
    bool applied;
    double xFactor, yFactor;
};

const ZoomCase kZooms[] = {
    {"(1,1) to (2,1) doubles x", 1, 1, 2, 1, true, 2, 1},
    {"(1,1) to (1,3) triples y", 1, 1, 1, 3, true, 1, 3},
    {"(2,4) to (0.5,1) quarters both", 2, 4, 0.5, 1, true, 0.25, 0.25},
    {"same zoom", 1.5, 1.5, 1.5, 1.5, true, 1, 1},
    {"slider minimum", 1, 1, 0.1, 0.1, true, 0.1, 0.1},
    {"slider maximum", 1, 1, 10, 10, true, 10, 10},
    {"zero x refused", 1, 1, 0, 1, false, 1, 1},
    {"zero y refused", 2, 2, 2, 0, false, 1, 1},
    {"negative refused", 1, 1, -1, 1, false, 1, 1},
    {"both zero refused", 1, 1, 0, 0, false, 1, 1},
    {"not a number refused", 1, 1, kNaN, 1, false, 1, 1},
    {"infinite refused", 1, 1, 1, kInf, false, 1, 1},
};

class ViewportSetZoom : public testing::TestWithParam<ZoomCase> {};

TEST_P(ViewportSetZoom, ZoomsRectAndFactors) {
    const ZoomCase& c = GetParam();
    Viewport v = MakeViewport(1.3, c.fromX, c.fromY);
    const RectF before = v.graphRect;
    const Viewport::ZoomChange change = v.setZoom(c.toX, c.toY);
    EXPECT_EQ(change.applied, c.applied) << c.name;
    EXPECT_NEAR(change.xFactor, c.xFactor, 1e-12) << c.name;
    EXPECT_NEAR(change.yFactor, c.yFactor, 1e-12) << c.name;
    const double x = c.applied ? c.toX : c.fromX, y = c.applied ? c.toY : c.fromY;
    EXPECT_DOUBLE_EQ(v.xZoom, x) << c.name;
    EXPECT_DOUBLE_EQ(v.yZoom, y) << c.name;
    EXPECT_EQ(v.graphRect, RectF(float(10 * y), float(-10 * y), float(-10 * x), float(10 * x))) << c.name;
    if (!c.applied) {
        EXPECT_EQ(v.graphRect, before) << c.name;
    }
    EXPECT_DOUBLE_EQ(v.scale, 1.3) << "scale is not a zoom";
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportSetZoom, testing::ValuesIn(kZooms));

TEST(ViewportSetZoomPlotBox, FromOneToTwoWidensAPlotBox) {
    Viewport v;
    RectF plotBox(9, -9, -9, 9);
    const Viewport::ZoomChange change = v.setZoom(2, 1);
    ASSERT_TRUE(change.applied);
    plotBox.left = float(plotBox.left * change.xFactor);
    plotBox.right = float(plotBox.right * change.xFactor);
    plotBox.top = float(plotBox.top * change.yFactor);
    plotBox.bottom = float(plotBox.bottom * change.yFactor);
    EXPECT_EQ(plotBox, RectF(9, -9, -18, 18));
}

// An arrowhead drag changes the zoom without touching graphRect; the next
// zoom bar step still rescales by the ratio to the dragged zoom.
TEST(ViewportSetZoomPlotBox, FactorIsRelativeToADraggedZoom) {
    Viewport v;
    ASSERT_TRUE(v.dragXArrow(1.0));
    EXPECT_EQ(v.graphRect, RectF(10, -10, -10, 10));
    const Viewport::ZoomChange change = v.setZoom(2.2, 1);
    EXPECT_NEAR(change.xFactor, 2.0, 1e-12);
    EXPECT_EQ(v.graphRect, RectF(10, -10, -22, 22));
}

// A zoom written straight into the field cannot make the factor divide by zero.
TEST(ViewportSetZoomPlotBox, UnusableOldZoomLeavesBoxesAlone) {
    Viewport v;
    v.xZoom = 0;
    const Viewport::ZoomChange change = v.setZoom(2, 2);
    EXPECT_TRUE(change.applied);
    EXPECT_DOUBLE_EQ(change.xFactor, 1.0);
    EXPECT_DOUBLE_EQ(change.yFactor, 2.0);
    EXPECT_DOUBLE_EQ(v.xZoom, 2.0);
}

// ---------------------------------------------------------------- wheel

struct WheelCase {
    double from;
    int delta;
    double to;
};

const WheelCase kWheels[] = {
    {1.3, 120, 1.17},       {1.3, -120, 1.43},  {1.3, 1, 1.17},   {1.3, 0, 1.43},
    {0.0011, 120, 0.001},   {0.001, 120, 0.001}, {4.9, -120, 5.0}, {5.0, -120, 5.0},
    {5.0, 120, 4.5},        {0.001, -120, 0.0011},
};

class ViewportWheel : public testing::TestWithParam<WheelCase> {};

TEST_P(ViewportWheel, ScalesAndClamps) {
    const WheelCase& c = GetParam();
    Viewport v;
    v.scale = c.from;
    v.wheel(c.delta);
    EXPECT_NEAR(v.scale, c.to, 1e-12) << c.from << " by " << c.delta;
    EXPECT_DOUBLE_EQ(v.xZoom, 1.0);
    EXPECT_EQ(v.graphRect, RectF(10, -10, -10, 10));
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportWheel, testing::ValuesIn(kWheels));

TEST(ViewportWheelLimits, ManyTurnsStopAtTheBounds) {
    for (int delta : {120, -120}) {
        Viewport v;
        for (int i = 0; i < 200; ++i) v.wheel(delta);
        EXPECT_DOUBLE_EQ(v.scale, delta > 0 ? Viewport::kMinScale : Viewport::kMaxScale);
    }
}

// ---------------------------------------------------------------- pan

struct PanCase {
    double scale, xZoom, yZoom;
    PointF start;
    double dx, dy;
    double panX, panY;
};

const PanCase kPans[] = {
    {1.3, 1, 1, {}, 40, 0, 1.3, 0},        {1.3, 1, 1, {}, 0, 40, 0, -1.3},
    {1.3, 1, 1, {}, -40, -40, -1.3, 1.3},  {1.0, 2, 1, {}, 40, 40, 2, -1},
    {1.0, 1, 3, {1, 1}, 20, -20, 1.5, 2.5}, {1.3, 1, 1, {2, 2}, 0, 0, 2, 2},
};

class ViewportPan : public testing::TestWithParam<PanCase> {};

TEST_P(ViewportPan, AddsXSubtractsY) {
    const PanCase& c = GetParam();
    Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom, c.start);
    v.panByPixels(c.dx, c.dy);
    ExpectPoint(v.pan, c.panX, c.panY, "pan");
}

// Dragging carries the graph with the pointer: the graph point under the
// pointer before the motion is under it after.
TEST_P(ViewportPan, GraphFollowsThePointer) {
    const PanCase& c = GetParam();
    Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom, c.start);
    const PointF before = v.screenToGraph(300, 200);
    v.panByPixels(c.dx, c.dy);
    const PointF after = v.screenToGraph(300 + c.dx, 200 + c.dy);
    ExpectPoint(after, before.x, before.y, "point under the pointer");
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportPan, testing::ValuesIn(kPans));

// ---------------------------------------------------------------- arrowhead drag

struct DragCase {
    const char* name;
    double from;
    std::vector<double> motions;  // graph-unit motion along the axis per move event
    double to;
    bool lastChanged;
};

const DragCase kDrags[] = {
    {"toward larger grows", 1.0, {0.5}, 1.1, true},
    {"toward smaller shrinks", 1.0, {-0.5}, 0.9, true},
    {"no motion along the axis shrinks", 1.0, {0.0}, 0.9, true},
    {"one step per event, not per distance", 1.0, {5, 5, 5}, 1.3, true},
    {"at 0.1 nothing changes upward", 0.1, {1}, 0.1, false},
    {"at 0.1 nothing changes downward", 0.1, {-1}, 0.1, false},
    {"below 0.1 stays", 0.05, {1}, 0.05, false},
    {"shrinking stops at 0.1", 0.15, {-1}, 0.1, true},
    {"ten tenths down from 1 stop at 0.1", 1.0, std::vector<double>(10, -1.0), 0.1, true},
    {"and stay there", 1.0, std::vector<double>(20, -1.0), 0.1, false},
    {"up from 0.2", 0.2, {1, 1}, 0.4, true},
};

class ViewportArrowDrag : public testing::TestWithParam<DragCase> {};

TEST_P(ViewportArrowDrag, StepsTheZoomOfItsAxis) {
    const DragCase& c = GetParam();
    for (bool xAxis : {true, false}) {
        Viewport v;
        double& zoom = xAxis ? v.xZoom : v.yZoom;
        const double other = 1.0;
        zoom = c.from;
        bool changed = false;
        for (double m : c.motions) {
            changed = xAxis ? v.dragXArrow(m) : v.dragYArrow(m);
            EXPECT_GE(zoom, std::min(c.from, 0.1)) << c.name << ": never below 0.1";
        }
        EXPECT_NEAR(zoom, c.to, 1e-9) << c.name;
        EXPECT_EQ(changed, c.lastChanged) << c.name;
        EXPECT_DOUBLE_EQ(xAxis ? v.yZoom : v.xZoom, other) << c.name;
        EXPECT_EQ(v.graphRect, RectF(10, -10, -10, 10)) << c.name << ": graphRect stays";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportArrowDrag, testing::ValuesIn(kDrags));

// ---------------------------------------------------------------- arrowhead hit tests

// Points given from the arrowhead's tip: `back` along the axis (in units of
// that axis's zoom) and `across` it (in units of the other's).
struct HitCase {
    double xZoom, yZoom;
    double back, across;
    bool hits;
};

const HitCase kHits[] = {
    {1, 1, 0.1, 0, true},      {1, 1, 0.25, 0.05, true}, {1, 1, 0.1, -0.09, true}, {1, 1, 0.35, 0, false},
    {1, 1, 0, 0, false},       {1, 1, -0.1, 0, false},   {1, 1, 0.1, 0.1, false},  {2, 1, 0.25, 0.05, true},
    {1, 3, 0.2, 0.08, true},   {0.5, 4, 0.1, 0, true},   {1, 3, 0.5, 0, false},
};

class ViewportArrowHit : public testing::TestWithParam<HitCase> {};

// The arrowheads stand a few pixels inside the right and top edges of the
// view, wherever it is panned, and their boxes are the zoom handles.
TEST_P(ViewportArrowHit, BoxesAroundTheArrowheads) {
    const HitCase& c = GetParam();
    for (const PointF pan : {PointF(), PointF(3, -7)}) {
        const Viewport v = MakeViewport(1.3, c.xZoom, c.yZoom, pan);
        const RectF view = v.visibleRect();
        const PointF tip = v.arrowTips();
        EXPECT_NEAR(view.right - tip.x, 4 * v.unitsPerPixelX(), kTol);
        EXPECT_NEAR(view.top - tip.y, 4 * v.unitsPerPixelY(), kTol);
        const PointF onX(float(tip.x - c.back * c.xZoom), float(c.across * c.yZoom));
        const PointF onY(float(c.across * c.xZoom), float(tip.y - c.back * c.yZoom));
        EXPECT_EQ(v.hitXArrow(onX), c.hits) << c.back << ", " << c.across;
        EXPECT_EQ(v.hitYArrow(onY), c.hits) << c.back << ", " << c.across;
        EXPECT_FALSE(v.hitXArrow(onY)) << "the x arrowhead is not the y one";
        EXPECT_FALSE(v.hitYArrow(onX));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportArrowHit, testing::ValuesIn(kHits));

// ---------------------------------------------------------------- raster grid and axes

struct GridCase {
    double scale, xZoom, yZoom;
    PointF pan;
    int width, height;
};

const GridCase kGrids[] = {
    {1.3, 1, 1, {}, 1000, 750},      {1.3, 2, 1, {}, 1000, 750},       {1.3, 0.5, 0.35, {}, 1000, 750},
    {1.3, 1, 1, {3.5f, -7}, 1380, 940}, {0.2, 1, 1, {}, 400, 300},     {5.0, 1.05, 1, {-20, 4}, 640, 480},
};

class ViewportRasterGrid : public testing::TestWithParam<GridCase> {};

// The grid reaches every edge of the view at any size, zoom and pan: a line
// at every whole unit the view shows, each from edge to edge, vertical ones
// left to right, then horizontal ones bottom to top.
TEST_P(ViewportRasterGrid, UnitLinesFromEdgeToEdge) {
    const GridCase& c = GetParam();
    const Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom, c.pan, c.width, c.height);
    RecordingPainter s;
    v.drawGridAndAxes(s, true, false);
    ASSERT_EQ(s.shapes.size(), 1u);
    const RecordedShape& grid = s.shapes[0];
    EXPECT_EQ(grid.shape, Shape::Segments);
    EXPECT_EQ(grid.color, ColorF(0.2f, 0.2f, 0.2f, 0.5f));
    EXPECT_FLOAT_EQ(grid.lineWidth, 0.5f);
    const RectF r = v.visibleRect();
    // The view's corners are where the window's corners are.
    const PointF topLeft = v.graphToScreen(r.left, r.top), bottomRight = v.graphToScreen(r.right, r.bottom);
    EXPECT_NEAR(topLeft.x, 0, 1e-3);
    EXPECT_NEAR(topLeft.y, 0, 1e-3);
    EXPECT_NEAR(bottomRight.x, c.width, 1e-3);
    EXPECT_NEAR(bottomRight.y, c.height, 1e-3);
    std::vector<float> xs, ys;
    for (const Segment& seg : Pairs(grid)) {
        if (IsVertical(seg)) {
            EXPECT_TRUE(ys.empty()) << "vertical lines first";
            EXPECT_EQ(seg.a.y, r.bottom);
            EXPECT_EQ(seg.b.y, r.top);
            xs.push_back(seg.a.x);
        } else {
            EXPECT_EQ(seg.a.x, r.left);
            EXPECT_EQ(seg.b.x, r.right);
            EXPECT_EQ(seg.a.y, seg.b.y);
            ys.push_back(seg.a.y);
        }
    }
    for (const std::vector<float>* lines : {&xs, &ys}) {
        const bool vertical = lines == &xs;
        const double from = vertical ? r.left : r.bottom, to = vertical ? r.right : r.top;
        ASSERT_FALSE(lines->empty());
        EXPECT_EQ(lines->front(), std::ceil(from)) << "the first whole unit in view";
        EXPECT_EQ(lines->back(), std::floor(to)) << "the last whole unit in view";
        for (size_t i = 1; i < lines->size(); ++i) EXPECT_EQ((*lines)[i], (*lines)[i - 1] + 1) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportRasterGrid, testing::ValuesIn(kGrids));

// Panned as far as floats go, a unit step is lost in rounding: the grid is
// bounded, and nothing breaks.
TEST(ViewportRasterGridOrder, AFarPanDrawsABoundedGrid) {
    for (const float far : {1e20f, -1e20f, 1e9f}) {
        const Viewport v = MakeViewport(1.3, 1, 1, PointF(far, far));
        RecordingPainter s;
        v.drawGridAndAxes(s, true, false);
        ASSERT_EQ(s.shapes.size(), 1u);
        EXPECT_LE(s.shapes[0].points.size(), 200u) << far;
    }
}

struct AxesCase {
    double xZoom, yZoom;
};

const AxesCase kAxes[] = {{1, 1}, {2, 1}, {0.5, 3}, {0.1, 10}};

class ViewportRasterAxes : public testing::TestWithParam<AxesCase> {};

TEST_P(ViewportRasterAxes, AxesArrowheadsAndLabelsBeforeTheGrid) {
    const AxesCase& c = GetParam();
    Viewport v = MakeViewport(1.3, c.xZoom, c.yZoom);
    v.showAxisNumbers = false;  // the numbers have tests of their own
    const RectF r = v.visibleRect();
    const PointF tip = v.arrowTips();
    RecordingPainter s;
    v.drawGridAndAxes(s, true, true);
    ASSERT_EQ(s.shapes.size(), 4u);

    // From the edge of the view to the arrowheads a few pixels inside the other edge.
    const RecordedShape& axes = s.shapes[0];
    EXPECT_EQ(axes.shape, Shape::Segments);
    EXPECT_EQ(axes.color, ColorF(0, 0, 0, 1));
    EXPECT_FLOAT_EQ(axes.lineWidth, 1.0f);
    ASSERT_EQ(axes.points.size(), 4u);
    ExpectPoint(axes.points[0], 0, r.bottom, "y axis foot");
    ExpectPoint(axes.points[1], 0, tip.y, "y axis tip");
    ExpectPoint(axes.points[2], r.left, 0, "x axis foot");
    ExpectPoint(axes.points[3], tip.x, 0, "x axis tip");

    const RecordedShape& xHead = s.shapes[1];
    EXPECT_EQ(xHead.shape, Shape::Fill);
    EXPECT_EQ(xHead.color, ColorF(0, 0, 0, 1));
    ASSERT_EQ(xHead.points.size(), 3u);
    ExpectPoint(xHead.points[0], tip.x, 0, "x head tip");
    ExpectPoint(xHead.points[1], tip.x - 0.3 * c.xZoom, 0.1 * c.yZoom, "x head upper");
    ExpectPoint(xHead.points[2], tip.x - 0.3 * c.xZoom, -0.1 * c.yZoom, "x head lower");

    const RecordedShape& yHead = s.shapes[2];
    EXPECT_EQ(yHead.shape, Shape::Fill);
    ASSERT_EQ(yHead.points.size(), 3u);
    ExpectPoint(yHead.points[0], 0, tip.y, "y head tip");
    ExpectPoint(yHead.points[1], 0.1 * c.xZoom, tip.y - 0.3 * c.yZoom, "y head right");
    ExpectPoint(yHead.points[2], -0.1 * c.xZoom, tip.y - 0.3 * c.yZoom, "y head left");

    // The arrowheads are the zoom handles: a point inside each hits it.
    const PointF xInside((xHead.points[0].x + xHead.points[1].x + xHead.points[2].x) / 3, 0);
    const PointF yInside(0, (yHead.points[0].y + yHead.points[1].y + yHead.points[2].y) / 3);
    EXPECT_TRUE(v.hitXArrow(xInside));
    EXPECT_TRUE(v.hitYArrow(yInside));

    EXPECT_EQ(s.shapes[3].shape, Shape::Segments) << "grid after the axes";
    EXPECT_EQ(s.shapes[3].color, ColorF(0.2f, 0.2f, 0.2f, 0.5f));

    // The names: capitals 14 pixels high, "x" above its axis and left of the
    // arrowhead, "y" right of its axis and below the arrowhead (the numbers
    // stand on the other sides), both inside the view.
    ASSERT_EQ(s.texts.size(), 3u);
    const double upx = 1.3 * c.xZoom / 40, upy = 1.3 * c.yZoom / 40;
    for (size_t i = 0; i < 2; ++i) {
        const testing_support::RecordedText& name = s.texts[i];
        EXPECT_EQ(name.text, i == 0 ? "x" : "y");
        EXPECT_TRUE(name.italic) << "a variable's name, set as the labels set it";
        EXPECT_NEAR(name.sx, 0.14 * upx, 1e-12) << name.text;
        EXPECT_NEAR(name.sy, 0.14 * upy, 1e-12) << name.text;
        const double right = name.origin.x + RecordingPainter::kGlyphWidth * name.sx;
        const double top = name.origin.y + 100 * name.sy;
        EXPECT_GT(name.origin.x, r.left);
        EXPECT_LT(right, r.right);
        EXPECT_GT(name.origin.y, r.bottom);
        EXPECT_LT(top, r.top);
        if (i == 0) {
            EXPECT_GT(name.origin.y, 0.1 * c.yZoom) << "above the x axis and its arrowhead";
            EXPECT_LT(right, tip.x - 0.3 * c.xZoom) << "left of the arrowhead";
        } else {
            EXPECT_GT(name.origin.x, 0.1 * c.xZoom) << "right of the y axis and its arrowhead";
            EXPECT_LT(top, tip.y - 0.3 * c.yZoom) << "below the arrowhead";
        }
    }
    // The origin's "O" is as large as the axis numbers (a capital 9 pixels
    // high) and stands where they do, 5 pixels clear of both axes.
    const testing_support::RecordedText& o = s.texts[2];
    EXPECT_EQ(o.text, "O");
    EXPECT_NEAR(o.sx, 0.09 * upx, 1e-12);
    EXPECT_NEAR(o.sy, 0.09 * upy, 1e-12);
    const double right = o.origin.x + RecordingPainter::kGlyphWidth * o.sx, top = o.origin.y + 100 * o.sy;
    EXPECT_NEAR(right / upx, -5, 1e-3) << "left of the y axis";
    EXPECT_NEAR(top / upy, -5, 1e-3) << "below the x axis";
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportRasterAxes, testing::ValuesIn(kAxes));

struct ShowCase {
    bool vector, grid, axis;
    size_t shapes, texts;
};

const ShowCase kShows[] = {
    {false, true, true, 4, 3}, {false, true, false, 1, 0}, {false, false, true, 3, 3},
    {false, false, false, 0, 0}, {true, true, true, 2, 2},  {true, true, false, 1, 0},
    {true, false, true, 1, 2},  {true, false, false, 0, 0},
};

class ViewportShowFlags : public testing::TestWithParam<ShowCase> {};

TEST_P(ViewportShowFlags, DrawsOnlyWhatIsShown) {
    const ShowCase& c = GetParam();
    Viewport v;
    v.showAxisNumbers = false;
    RecordingPainter s(c.vector);
    v.drawGridAndAxes(s, c.grid, c.axis);
    EXPECT_EQ(s.shapes.size(), c.shapes);
    EXPECT_EQ(s.texts.size(), c.texts);
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportShowFlags, testing::ValuesIn(kShows));

// A presenting view magnifies the axis texts: the names, the "O" and the
// numbers are set `factor` times larger and stand as far again from the axes,
// the numbers thinned so that the larger ones still never crowd; lines and
// arrowheads are the painter's own business and stay where they were. A
// factor no screen can use draws the usual size.
struct MagnifiedCase {
    double factor, expected;  // what the painter answers, and what the texts grow by
    double xZoom, yZoom;
};

const MagnifiedCase kMagnified[] = {
    {1.6, 1.6, 1, 1}, {1.6, 1.6, 2, 0.5}, {2.5, 2.5, 0.1, 10}, {1.0, 1.0, 1, 1},
    {0.0, 1.0, 1, 1}, {-2, 1.0, 1, 1},   {kNaN, 1.0, 1, 1},   {kInf, 1.0, 1, 1},
};

class ViewportMagnifiedTexts : public testing::TestWithParam<MagnifiedCase> {};

TEST_P(ViewportMagnifiedTexts, AxisTextsGrowByTheFactor) {
    const MagnifiedCase& c = GetParam();
    const Viewport v = MakeViewport(1.3, c.xZoom, c.yZoom);
    RecordingPainter usual, magnified;
    magnified.magnificationFactor = c.factor;
    v.drawGridAndAxes(usual, true, true);
    v.drawGridAndAxes(magnified, true, true);
    ASSERT_EQ(usual.shapes.size(), magnified.shapes.size());
    for (size_t i = 0; i < usual.shapes.size(); ++i) {
        EXPECT_EQ(usual.shapes[i].points, magnified.shapes[i].points) << "shape " << i;
        EXPECT_EQ(usual.shapes[i].lineWidth, magnified.shapes[i].lineWidth) << "shape " << i;
    }
    // The names and the "O" come first, in the same order.
    ASSERT_GE(usual.texts.size(), 3u);
    ASSERT_GE(magnified.texts.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const testing_support::RecordedText &a = usual.texts[i], &b = magnified.texts[i];
        EXPECT_EQ(a.text, b.text);
        EXPECT_NEAR(b.sx, c.expected * a.sx, 1e-9 * a.sx) << a.text;
        EXPECT_NEAR(b.sy, c.expected * a.sy, 1e-9 * a.sy) << a.text;
    }
    // The "O" keeps its corner `factor` times 5 pixels from both axes.
    const testing_support::RecordedText& o = magnified.texts[2];
    const double upx = 1.3 * c.xZoom / 40, upy = 1.3 * c.yZoom / 40;
    EXPECT_NEAR((o.origin.x + RecordingPainter::kGlyphWidth * o.sx) / upx, -5 * c.expected, 1e-3);
    EXPECT_NEAR((o.origin.y + 100 * o.sy) / upy, -5 * c.expected, 1e-3);
    // Every number is set at the magnified size, and there are no more of them.
    const double numberSx = usual.texts[2].sx * c.expected;
    for (size_t i = 3; i < magnified.texts.size(); ++i)
        EXPECT_NEAR(magnified.texts[i].sx, numberSx, 1e-9 * numberSx) << magnified.texts[i].text;
    EXPECT_LE(magnified.texts.size(), usual.texts.size());
    if (c.expected == 1.0) EXPECT_EQ(magnified.texts.size(), usual.texts.size());
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportMagnifiedTexts, testing::ValuesIn(kMagnified));

// ---------------------------------------------------------------- page grid and axes

class ViewportPage : public testing::TestWithParam<AxesCase> {};

TEST_P(ViewportPage, GridIsTheRasterPairsAsSegments) {
    const AxesCase& c = GetParam();
    const Viewport v = MakeViewport(1.3, c.xZoom, c.yZoom);
    RecordingPainter raster, page(true);
    v.drawGridAndAxes(raster, true, false);
    v.drawGridAndAxes(page, true, false);
    ASSERT_EQ(page.shapes.size(), 1u);
    const RecordedShape& grid = page.shapes[0];
    EXPECT_EQ(grid.shape, Shape::Segments);
    EXPECT_EQ(grid.color, ColorF(0.8f, 0.8f, 0.8f, 1.0f));
    EXPECT_FLOAT_EQ(grid.lineWidth, 0.5f);
    EXPECT_EQ(grid.points, raster.shapes.at(0).points);
}

TEST_P(ViewportPage, ArrowedAxesAcrossTheViewThenLabels) {
    const AxesCase& c = GetParam();
    Viewport v = MakeViewport(1.3, c.xZoom, c.yZoom);
    v.showAxisNumbers = false;  // the numbers have tests of their own
    RecordingPainter s(true);
    v.drawGridAndAxes(s, true, true);
    ASSERT_EQ(s.shapes.size(), 2u);
    EXPECT_EQ(s.shapes[0].shape, Shape::Segments) << "grid first";

    // The page shows what the window shows, at any zoom.
    const RecordedShape& axes = s.shapes[1];
    EXPECT_EQ(axes.shape, Shape::Arrows);
    EXPECT_EQ(axes.color, ColorF(0, 0, 0, 1));
    const RectF r = v.visibleRect();
    const PointF tip = v.arrowTips();
    const std::vector<PointF> ends = {{r.left, 0}, {tip.x, 0}, {0, r.bottom}, {0, tip.y}};
    EXPECT_EQ(axes.points, ends);

    // "x" above its axis, ending before the arrow; "y" right of its axis, below the arrow.
    ASSERT_EQ(s.texts.size(), 2u);
    EXPECT_EQ(s.texts[0].text, "x");
    const double xRight = s.texts[0].origin.x + RecordingPainter::kGlyphWidth * s.texts[0].sx;
    EXPECT_LT(xRight, tip.x - 0.3 * c.xZoom);
    EXPECT_GT(s.texts[0].origin.y, 0);
    EXPECT_EQ(s.texts[1].text, "y");
    EXPECT_TRUE(s.texts[0].italic && s.texts[1].italic);
    EXPECT_GT(s.texts[1].origin.x, 0);
    EXPECT_LT(s.texts[1].origin.y + 100 * s.texts[1].sy, tip.y - 0.3 * c.yZoom);
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportPage, testing::ValuesIn(kAxes));

// The page labels are Times-Roman at 16: a 100-unit stroke capital spans
// 16 × 0.66 window pixels, whatever the scale and zoom.
struct PageTextCase {
    double scale, xZoom, yZoom;
};

const PageTextCase kPageTexts[] = {{1.3, 1, 1}, {0.5, 2, 1}, {5.0, 0.1, 10}};

class ViewportPageText : public testing::TestWithParam<PageTextCase> {};

TEST_P(ViewportPageText, CapitalHeightGivesSixteen) {
    const PageTextCase& c = GetParam();
    Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom);
    v.showAxisNumbers = false;  // the numbers have tests of their own
    RecordingPainter s(true);
    v.drawGridAndAxes(s, false, true);
    ASSERT_EQ(s.texts.size(), 2u);
    for (const auto& t : s.texts) {
        const double pixelsHigh = 100.0 * t.sy * 40.0 / (c.scale * c.yZoom);
        const double pixelsWide = 100.0 * t.sx * 40.0 / (c.scale * c.xZoom);
        EXPECT_NEAR(pixelsHigh / 0.66, 16.0, 1e-9) << t.text;
        EXPECT_NEAR(pixelsWide / 0.66, 16.0, 1e-9) << t.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ViewportPageText, testing::ValuesIn(kPageTexts));

}  // namespace

// ---------------------------------------------------------------- axis numbers

using testing_support::RecordedText;

namespace {

struct NumbersCase {
    double scale, xZoom, yZoom;
    bool vector;
};

class ViewportAxisNumbers : public testing::TestWithParam<NumbersCase> {};

// The texts after the axis labels ("x", "y", "O" on screen; "x", "y" on the page).
std::vector<RecordedText> Numbers(const RecordingPainter& s, bool vector) {
    return std::vector<RecordedText>(s.texts.begin() + (vector ? 2 : 3), s.texts.end());
}

TEST_P(ViewportAxisNumbers, IntegersThinnedSoTheyNeverOverlap) {
    const NumbersCase& c = GetParam();
    Viewport v = MakeViewport(c.scale, c.xZoom, c.yZoom);
    RecordingPainter s(c.vector);
    v.drawGridAndAxes(s, false, true);
    const std::vector<RecordedText> numbers = Numbers(s, c.vector);
    ASSERT_GE(numbers.size(), 4u);
    const double upx = c.scale * c.xZoom / 40, upy = c.scale * c.yZoom / 40;
    std::vector<std::pair<double, double>> xSpans;  // pixels
    std::vector<double> yCentres;
    long long step = 0;
    for (const RecordedText& t : numbers) {
        size_t used = 0;
        const long long k = std::stoll(t.text, &used);
        EXPECT_EQ(used, t.text.size()) << "whole numbers only: " << t.text;
        EXPECT_NE(k, 0) << "the origin keeps its O";
        const double w = RecordingPainter::kGlyphWidth * t.text.size() * t.sx;
        if (t.origin.y < 0 && std::abs(t.origin.x + w / 2 - k) < 1e-3) {
            xSpans.emplace_back(t.origin.x / upx, (t.origin.x + w) / upx);
        } else {
            EXPECT_NEAR(t.origin.x + w, -5 * upx, 1e-3) << "y numbers end left of the axis: " << t.text;
            yCentres.push_back(t.origin.y / upy);
        }
        if (std::abs(k) > 0 && (step == 0 || std::abs(k) < step)) step = std::abs(k);
        EXPECT_NEAR(t.sy / t.sx, c.yZoom / c.xZoom, 1e-9) << "the same pixel size along both axes";
    }
    ASSERT_FALSE(xSpans.empty());
    ASSERT_FALSE(yCentres.empty());
    // Nor does any of them meet the origin's "O", which stands among them.
    if (!c.vector) {
        const RecordedText& o = s.texts[2];
        ASSERT_EQ(o.text, "O");
        const RectF oBox(float(o.origin.y + 100 * o.sy), o.origin.y, o.origin.x,
                         float(o.origin.x + RecordingPainter::kGlyphWidth * o.sx));
        for (const RecordedText& t : numbers) {
            const RectF box(float(t.origin.y + 100 * t.sy), t.origin.y, t.origin.x,
                            float(t.origin.x + RecordingPainter::kGlyphWidth * t.text.size() * t.sx));
            const bool meet = box.left < oBox.right && oBox.left < box.right && box.bottom < oBox.top &&
                              oBox.bottom < box.top;
            EXPECT_FALSE(meet) << t.text << " meets the O";
        }
    }
    for (size_t i = 1; i < xSpans.size(); ++i) {
        if (xSpans[i].first > xSpans[i - 1].first) {
            EXPECT_GE(xSpans[i].first - xSpans[i - 1].second, 4.0) << "x numbers overlap";
        }
    }
    std::sort(yCentres.begin(), yCentres.end());
    for (size_t i = 1; i < yCentres.size(); ++i) EXPECT_GE(yCentres[i] - yCentres[i - 1], 12.0);
    // The step is 1, 2 or 5 times a power of ten.
    long long m = step;
    while (m % 10 == 0) m /= 10;
    EXPECT_TRUE(m == 1 || m == 2 || m == 5) << step;
}

const NumbersCase kNumbers[] = {
    {1.3, 1, 1, false}, {0.2, 1, 1, false}, {5.0, 1, 1, false}, {1.3, 10, 0.1, false},
    {0.3, 1, 1, false}, {1.3, 1, 1, true},   {5.0, 2, 1, true},
};

INSTANTIATE_TEST_SUITE_P(Table, ViewportAxisNumbers, testing::ValuesIn(kNumbers));

TEST(ViewportAxisNumbers, EveryUnitAtTheDefaultView) {
    Viewport v = MakeViewport(1.0, 1, 1);  // 40 pixels per unit
    RecordingPainter s;
    v.drawGridAndAxes(s, true, true);
    std::multiset<std::string> shown;
    for (const RecordedText& t : Numbers(s, false)) shown.insert(t.text);
    // Once along each axis (the view reaches ±12.5 × ±9.375, and no number
    // stands beside an arrowhead: 9 only along x).
    for (const char* k : {"1", "2", "8", "-1", "-9"}) EXPECT_EQ(shown.count(k), 2u) << k;
    EXPECT_EQ(shown.count("9"), 1u);
    EXPECT_EQ(shown.count("12"), 1u);
    EXPECT_EQ(shown.count("-12"), 1u);
}

TEST(ViewportAxisNumbers, AFarPanShowsNoneAndNothingBreaks) {
    for (const float far : {1e20f, -1e20f, 1e9f}) {
        Viewport v = MakeViewport(1.3, 1, 1, PointF(far, far));
        RecordingPainter s;
        v.drawGridAndAxes(s, true, true);
        EXPECT_EQ(s.texts.size(), 3u) << far;
    }
}

TEST(ViewportAxisNumbers, ToggleAndAxisFlagHideThem) {
    for (const bool vector : {false, true}) {
        Viewport v = MakeViewport(1.3, 1, 1);
        RecordingPainter on(vector), off(vector), noAxis(vector);
        v.drawGridAndAxes(on, true, true);
        EXPECT_GT(on.texts.size(), 10u);
        v.showAxisNumbers = false;
        v.drawGridAndAxes(off, true, true);
        EXPECT_EQ(off.texts.size(), vector ? 2u : 3u);
        v.showAxisNumbers = true;
        v.drawGridAndAxes(noAxis, true, false);
        EXPECT_TRUE(noAxis.texts.empty());
    }
}

}  // namespace
