// SPDX-License-Identifier: MIT
// What a press picks: curves, control points, labels and attribute points
// within a few pixels of the pointer, whatever the wheel scale and the axis
// zooms, and the selected curve's control point before any other curve's.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "graph/GraphManager.h"
#include "graph/Picking.h"
#include "support/RecordingPainter.h"

namespace {

using testing_support::RecordingPainter;

struct View {
    double scale, xZoom, yZoom;
};

std::string Describe(const View& v) {
    return "scale " + std::to_string(v.scale) + " zoom " + std::to_string(v.xZoom) + " × " + std::to_string(v.yZoom);
}

class PickingTest : public ::testing::Test {
protected:
    // The view first: restoring a state replaces the equation objects.
    void SetView(const View& view) {
        GraphState state = graph.snapshot();
        state.viewport.scale = view.scale;
        ASSERT_TRUE(state.viewport.setZoom(view.xZoom, view.yZoom).applied);
        graph.restore(state);
    }
    EquationObject* Add(const char* text) {
        EquationObject* e = graph.addEquationFromText(text);
        EXPECT_NE(e, nullptr) << text;
        return e;
    }
    // The graph point that lies (dx, dy) client pixels from `on` (y downward).
    PointF Beside(PointF on, double dx, double dy) const {
        const PointF p = graph.viewport().graphToScreen(on.x, on.y);
        return graph.viewport().screenToGraph(p.x + dx, p.y + dy);
    }

    GraphManager graph;
};

// ---------------------------------------------------------------- curves

struct CurveCase {
    const char* text;
    PointF on;        // a point of the curve
    double dx, dy;    // client pixels from it
    View view;
    PointerKind pointer;
    HitCode expected;
};

class CurvePickTest : public PickingTest, public ::testing::WithParamInterface<CurveCase> {};

TEST_P(CurvePickTest, WithinAFewPixelsAtAnyScale) {
    const CurveCase& c = GetParam();
    SetView(c.view);
    Add(c.text);
    graph.setPointerKind(c.pointer);
    EXPECT_EQ(graph.hitTest(Beside(c.on, c.dx, c.dy)), c.expected)
        << c.text << " (" << c.dx << ", " << c.dy << ") px, " << Describe(c.view)
        << (c.pointer == PointerKind::Pen ? ", pen" : ", mouse");
}

constexpr double kDiag4 = 4 / 1.4142135623730951;  // 4 px across a 45° line, per axis
constexpr PointerKind kMouse = PointerKind::Mouse, kPen = PointerKind::Pen;

INSTANTIATE_TEST_SUITE_P(
    Table, CurvePickTest,
    ::testing::Values(
        // Across a diagonal line, at the default view.
        CurveCase{"y = x", {1, 1}, kDiag4, kDiag4, {1.3, 1, 1}, kMouse, HIT_CURVE},
        CurveCase{"y = x", {1, 1}, -kDiag4, -kDiag4, {1.3, 1, 1}, kMouse, HIT_CURVE},
        CurveCase{"y = x", {1, 1}, 2 * kDiag4, 2 * kDiag4, {1.3, 1, 1}, kMouse, HIT_NOTHING},
        CurveCase{"y = x", {1, 1}, 2 * kDiag4, 2 * kDiag4, {1.3, 1, 1}, kPen, HIT_CURVE},
        CurveCase{"y = x", {1, 1}, 4 * kDiag4, 4 * kDiag4, {1.3, 1, 1}, kPen, HIT_NOTHING},
        // Beside a vertical line, wheeled far in and far out, and with the axes zoomed apart.
        CurveCase{"x - 2 = 0", {2, 1}, 5, 0, {0.01, 1, 1}, kMouse, HIT_CURVE},
        CurveCase{"x - 2 = 0", {2, 1}, -7, 0, {0.01, 1, 1}, kMouse, HIT_NOTHING},
        CurveCase{"x - 2 = 0", {2, 1}, 5, 0, {5.0, 2, 0.5}, kMouse, HIT_CURVE},
        CurveCase{"x - 2 = 0", {2, 1}, 7, 0, {5.0, 0.5, 2}, kMouse, HIT_NOTHING},
        // Above and below a parabola's vertex.
        CurveCase{"y = x^2", {0, 0}, 0, -5, {0.3, 1, 3}, kMouse, HIT_CURVE},
        CurveCase{"y = x^2", {0, 0}, 0, 7, {0.3, 3, 1}, kMouse, HIT_NOTHING},
        CurveCase{"y = x^2", {0, 0}, 0, 10, {0.3, 3, 1}, kPen, HIT_CURVE}));

// ---------------------------------------------------------------- control points

struct ControlCase {
    View view;
    double dx, dy;  // client pixels from the line's control point (1, 1)
    PointerKind pointer;
    bool picked;
};

class ControlPickTest : public PickingTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlPickTest, WithinAFewPixelsAtAnyScale) {
    const ControlCase& c = GetParam();
    SetView(c.view);
    graph.select(Add("y = x"));
    ASSERT_EQ(graph.selected()->controlPoints().at(1), PointF(1, 1));
    graph.setPointerKind(c.pointer);
    const HitCode hit = graph.hitTest(Beside(PointF(1, 1), c.dx, c.dy));
    EXPECT_EQ(hit == HIT_CONTROL_POINT, c.picked) << "(" << c.dx << ", " << c.dy << ") px, " << Describe(c.view);
    if (c.picked) {
        EXPECT_EQ(graph.controlIndex(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ControlPickTest,
                         ::testing::Values(ControlCase{{1.3, 1, 1}, 5, 0, kMouse, true},
                                           ControlCase{{1.3, 1, 1}, 0, -9, kMouse, false},
                                           ControlCase{{1.3, 2, 2}, 5, 0, kMouse, true},
                                           ControlCase{{0.01, 1, 3}, 0, 5, kMouse, true},
                                           ControlCase{{5.0, 0.5, 0.5}, 0, 9, kMouse, false},
                                           ControlCase{{1.3, 1, 1}, -10, 0, kPen, true},
                                           ControlCase{{5.0, 0.5, 0.5}, 0, 13, kPen, false}));

TEST_F(PickingTest, TheSelectedCopysControlPointWins) {
    EquationObject* first = Add("y = x^2");
    EquationObject* copy = Add("y = x^2");
    graph.select(copy);
    // Both vertices lie at the origin; the first in the list used to take the press.
    EXPECT_EQ(graph.hitTest(PointF(0, 0)), HIT_CONTROL_POINT);
    EXPECT_EQ(graph.hitEquation(), copy);
    EXPECT_EQ(graph.controlIndex(), 1);
    graph.select(first);
    EXPECT_EQ(graph.hitTest(PointF(0, 0)), HIT_CONTROL_POINT);
    EXPECT_EQ(graph.hitEquation(), first);
}

TEST_F(PickingTest, AConicCentredOnAnotherCurvesPointCanBeReshaped) {
    Add("y = x^2");  // its vertex is at the origin
    EquationObject* circle = Add("x^2 + y^2 - 4 = 0");
    graph.select(circle);
    ASSERT_EQ(circle->controlPoints().at(2), PointF(0, 0));  // the centre
    EXPECT_EQ(graph.hitTest(PointF(0, 0)), HIT_CONTROL_POINT);
    EXPECT_EQ(graph.hitEquation(), circle);
    EXPECT_EQ(graph.controlIndex(), 2);
}

// Of two of the selected curve's points within reach, the nearer.
TEST_F(PickingTest, TheNearerOfTwoControlPoints) {
    SetView({5.0, 1, 1});  // 8 px per unit
    EquationObject* parabola = Add("y = x^2");  // points (-1, 1), (0, 0), (1, 1): 8 px apart
    graph.select(parabola);
    EXPECT_EQ(graph.hitTest(Beside(PointF(0, 0), 3, -3)), HIT_CONTROL_POINT);
    EXPECT_EQ(graph.controlIndex(), 1);
    EXPECT_EQ(graph.hitTest(Beside(PointF(1, 1), -3, 3)), HIT_CONTROL_POINT);
    EXPECT_EQ(graph.controlIndex(), 2);
}

// ---------------------------------------------------------------- labels and attribute points

struct NearCase {
    View view;
    double dx;  // client pixels left of the label's left edge, or of the attribute point
    PointerKind pointer;
    bool picked;
};

class LabelPickTest : public PickingTest, public ::testing::WithParamInterface<NearCase> {};

TEST_P(LabelPickTest, WithinAFewPixelsOfItsEdge) {
    const NearCase& c = GetParam();
    SetView(c.view);
    EquationObject* e = Add("y = x^2");
    e->setDisplayText(true);
    e->setLabelPosition(PointF(2, -3));  // clear of the curve
    RecordingPainter painter;
    graph.draw(painter);  // lays the label out
    const RectF box = e->labelBox();
    ASSERT_GT(box.top, box.bottom);
    graph.setPointerKind(c.pointer);
    const PointF edge(box.left, (box.top + box.bottom) / 2);
    EXPECT_EQ(graph.hitTest(Beside(edge, -c.dx, 0)) == HIT_LABEL, c.picked) << c.dx << " px, " << Describe(c.view);
}

INSTANTIATE_TEST_SUITE_P(Table, LabelPickTest,
                         ::testing::Values(NearCase{{1.3, 1, 1}, 4, kMouse, true}, NearCase{{1.3, 1, 1}, 9, kMouse, false},
                                           NearCase{{0.2, 2, 0.5}, 4, kMouse, true},
                                           NearCase{{0.2, 2, 0.5}, 9, kPen, true},
                                           NearCase{{0.2, 2, 0.5}, 14, kPen, false}));

class AttribPickTest : public PickingTest, public ::testing::WithParamInterface<NearCase> {};

TEST_P(AttribPickTest, WithinAFewPixels) {
    const NearCase& c = GetParam();
    SetView(c.view);
    EquationObject* e = Add("y = x^2");
    graph.setPopupTarget(e, PointF(-2, 4));
    graph.addAttribPoint(PRESET_PLAIN);
    graph.setPointerKind(c.pointer);
    // Straight up from the point, off the curve.
    EXPECT_EQ(graph.hitTest(Beside(PointF(-2, 4), 0, -c.dx)) == HIT_ATTRIB_POINT, c.picked)
        << c.dx << " px, " << Describe(c.view);
}

INSTANTIATE_TEST_SUITE_P(Table, AttribPickTest,
                         ::testing::Values(NearCase{{1.3, 1, 1}, 5, kMouse, true}, NearCase{{1.3, 2, 2}, 5, kMouse, true},
                                           NearCase{{1.3, 0.5, 0.5}, 9, kMouse, false},
                                           NearCase{{0.05, 1, 1}, 10, kPen, true},
                                           NearCase{{0.05, 1, 1}, 14, kPen, false}));

// ---------------------------------------------------------------- the tolerance itself

TEST(PickTolerance, AnEllipseOfGraphUnits) {
    const PickTolerance t{0.5, 2.0};
    const struct {
        PointF q;
        bool near;
    } rows[] = {{{0.49f, 0}, true}, {{0.51f, 0}, false}, {{0, 1.99f}, true}, {{0, -2.01f}, false},
                {{0.35f, 1.4f}, true}, {{0.4f, 1.6f}, false}, {{NAN, 0}, false}};
    for (const auto& r : rows) EXPECT_EQ(t.near(PointF(0, 0), r.q), r.near) << r.q.x << ", " << r.q.y;
    // A zero tolerance along an axis accepts that coordinate exactly.
    EXPECT_TRUE((PickTolerance{0, 1}).near(PointF(3, 0), PointF(3, 0.5f)));
    EXPECT_FALSE((PickTolerance{0, 1}).near(PointF(3, 0), PointF(3.001f, 0)));
}

TEST(PickTolerance, PixelsThroughTheViewport) {
    Viewport v;
    v.scale = 2.0;
    v.setZoom(0.5, 3);
    const PickTolerance t = v.pickTolerance(6);
    // One pixel is scale × zoom / 40 units.
    EXPECT_DOUBLE_EQ(t.x, 6 * 2.0 * 0.5 / 40);
    EXPECT_DOUBLE_EQ(t.y, 6 * 2.0 * 3 / 40);
}

TEST(PickTolerance, APenReachesTwiceAsFar) {
    GraphManager graph;
    EXPECT_EQ(graph.pointerKind(), PointerKind::Mouse);
    const double mouse = graph.pickTolerancePixels();
    EXPECT_GE(mouse, 4.0);
    graph.setPointerKind(PointerKind::Pen);
    EXPECT_DOUBLE_EQ(graph.pickTolerancePixels(), 2 * mouse);
}

}  // namespace
