// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "graph/GraphManager.h"
#include "graph/LabelPlacement.h"
#include "mathex/SmartNumber.h"
#include "support/Equations.h"
#include "support/RecordingPainter.h"

namespace {

class Listener : public GraphListener {
public:
    void selectionChanged(EquationObject* e) override { selections.push_back(e); }
    void equationEdited(EquationObject*) override { ++edits; }
    void candidatesPending() override { ++pending; }
    void statusText(const std::string& t) override { status = t; }
    void popupRequested(const std::string& name, int, int, bool checked) override {
        popups.push_back(name);
        lastChecked = checked;
    }
    void repaintRequested() override { ++repaints; }

    std::vector<EquationObject*> selections;
    std::vector<std::string> popups;
    std::string status;
    bool lastChecked = false;
    int edits = 0, pending = 0, repaints = 0;
};

class GraphManagerTest : public ::testing::Test {
protected:
    void SetUp() override { graph.setListener(&listener); }

    // Client pixel of a graph point.
    std::pair<int, int> Px(double x, double y) const {
        const PointF p = graph.viewport().graphToScreen(x, y);
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    void Down(double x, double y) { auto [px, py] = Px(x, y); graph.mouseDown(px, py); }
    void Move(double x, double y) { auto [px, py] = Px(x, y); graph.mouseMove(px, py); }
    void Up(double x, double y) { auto [px, py] = Px(x, y); graph.mouseUp(px, py); }
    void Click(double x, double y) { Down(x, y); Up(x, y); }
    void RightDown(double x, double y) { auto [px, py] = Px(x, y); graph.rightButtonDown(px, py); }
    void RightUp(double x, double y) { auto [px, py] = Px(x, y); graph.rightButtonUp(px, py); }
    void Drag(double x0, double y0, double x1, double y1) {
        Down(x0, y0);
        for (int k = 1; k <= 4; ++k) Move(x0 + (x1 - x0) * k / 4, y0 + (y1 - y0) * k / 4);
        Up(x1, y1);
    }
    EquationObject* Add(const char* text) {
        EquationObject* e = graph.addEquationFromText(text);
        EXPECT_NE(e, nullptr) << text;
        return e;
    }

    GraphManager graph;
    Listener listener;
};

TEST_F(GraphManagerTest, ResetDefaults) {
    EXPECT_TRUE(graph.showGrid());
    EXPECT_TRUE(graph.showAxis());
    EXPECT_EQ(graph.mode(), MODE_IDLE);
    EXPECT_DOUBLE_EQ(graph.viewport().scale, 1.3);
    EXPECT_EQ(graph.currentColour(), ColorF(0, 0, 0, 1));
}

TEST_F(GraphManagerTest, AddedEquationsTakeTheViewsPlotBoxAndColour) {
    graph.setColour(ColorF(1, 0, 0, 1));
    EquationObject* e = Add("y = x^2");
    EXPECT_EQ(e->plotBox(), graph.viewport().visibleRect()) << "the whole view, ±16.25 × ±12.19";
    EXPECT_TRUE(e->followsView());
    EXPECT_EQ(e->colour(), ColorF(1, 0, 0, 1));
    EXPECT_EQ(graph.addEquationFromText("y = 2 3"), nullptr);
    EXPECT_EQ(graph.equations().size(), 1u);
}

// A typed text that reads but has nothing to draw adds nothing, and says why.
TEST_F(GraphManagerTest, WhatAddsNothingSaysWhy) {
    const struct {
        const char* text;
        const char* why;  // "" when the text is added
    } rows[] = {
        {"x^2 + y^2 = -4", "no real points"},
        {"(x - 1)^2/4 + (y + 2)^2 = -1", "no real points"},
        {"y = sqrt(-1 - x^2)", "no real points"},
        {"y = log(-1 - abs(x))", "no real points"},
        {"hello", "no x or y to plot"},
        {"a + b", "no x or y to plot"},
        {"x^2 + y^2 = 4", ""},
        {"x^2 - y^2 = -4", ""},
        {"y = 1000", ""},      // off the view, but a line all the same
        {"y = sqrt(x - 50)", ""},
        {"5", ""},             // a constant is a label
        {"y = 3", ""},
    };
    for (const auto& r : rows) {
        GraphManager g;
        std::string why = "unset";
        EquationObject* added = g.addEquationFromText(r.text, &why);
        EXPECT_EQ(added != nullptr, *r.why == 0) << r.text;
        if (!added) {
            EXPECT_EQ(why, r.why) << r.text;
        }
        EXPECT_EQ(g.equationCount(), added ? 1 : 0) << r.text;
    }
}

// The graph takes no more than a lesson can keep, and says why.
TEST_F(GraphManagerTest, TheGraphHoldsNoMoreThanALessonCanKeep) {
    GraphManager g;
    for (int i = 0; i < 1000; ++i) ASSERT_NE(g.addEquationFromText("y = " + std::to_string(i)), nullptr);
    std::string why;
    EXPECT_EQ(g.addEquationFromText("y = x", &why), nullptr);
    EXPECT_EQ(why, "the graph has 1000 equations, as many as a lesson can keep");
    EXPECT_EQ(g.equationCount(), 1000);

    GraphManager big;
    // One implicit curve traced as a zero set costs a hundred times its nodes.
    std::string implicit = "y";
    for (int i = 0; i < 300; ++i) implicit += " + sin(x*y)";
    EXPECT_EQ(big.addEquationFromText(implicit + " = 1", &why), nullptr);
    EXPECT_EQ(why, "the equations would be too large to plot");
}

TEST_F(GraphManagerTest, HitTestOrder) {
    EquationObject* parabola = Add("y = x^2");
    EquationObject* line = Add("y = x");
    const PointF tip = graph.viewport().arrowTips();
    EXPECT_EQ(graph.hitTest(PointF(tip.x - 0.1f, 0)), HIT_X_ARROW);
    EXPECT_EQ(graph.hitTest(PointF(0, tip.y - 0.1f)), HIT_Y_ARROW);
    EXPECT_EQ(graph.hitTest(PointF(5, -5)), HIT_NOTHING);
    // A curve hit moves that curve to the end of the list (drawn on top).
    EXPECT_EQ(graph.hitTest(PointF(2, 4)), HIT_CURVE);
    EXPECT_EQ(graph.hitEquation(), parabola);
    EXPECT_EQ(graph.equations().back().get(), parabola);
    // A control point counts only on the selected equation.
    EXPECT_EQ(graph.hitTest(PointF(1, 1)), HIT_CURVE);
    Click(3, 3);  // select the line
    ASSERT_EQ(graph.selected(), line);
    EXPECT_EQ(graph.hitTest(PointF(-1, -1)), HIT_CONTROL_POINT);  // the line's own point
    EXPECT_EQ(graph.controlIndex(), 0);
    // At (1, 1) the parabola, first in the list, has a point too, but only the
    // selected line's points are picked.
    EXPECT_EQ(graph.hitTest(PointF(1, 1)), HIT_CONTROL_POINT);
    EXPECT_EQ(graph.hitEquation(), line);
    EXPECT_EQ(graph.controlIndex(), 1);
    // The selected equation's plot box edges come before labels and curves:
    // a curve drawn over the whole view has them at the view's edges.
    const RectF box = line->plotBox();
    EXPECT_EQ(graph.hitTest(PointF(box.right - 0.01f, box.top - 0.01f)), HIT_BOX_HANDLE);
    EXPECT_EQ(graph.boxHandle(), BOX_TOP_RIGHT);
    EXPECT_EQ(graph.hitTest(PointF(box.left + 0.01f, 2)), HIT_BOX_HANDLE);
    EXPECT_EQ(graph.boxHandle(), BOX_LEFT);
    // An attribute point wins over the curve it sits on.
    graph.setPopupTarget(parabola, PointF(-2, 4));
    graph.addAttribPoint(PRESET_PLAIN);
    EXPECT_EQ(graph.hitTest(PointF(-2, 4)), HIT_ATTRIB_POINT);
    EXPECT_EQ(graph.attribIndex(), 0);
}

TEST_F(GraphManagerTest, ClickSelectsACurveAndWhiteSpaceDeselects) {
    EquationObject* e = Add("y = x^2");
    Click(1, 1);
    EXPECT_EQ(graph.selected(), e);
    EXPECT_TRUE(graph.isSelected(e));
    EXPECT_EQ(graph.mode(), MODE_IDLE);
    EXPECT_EQ(graph.hitCode(), HIT_NONE);
    Click(graph.viewport().arrowTips().x - 0.1, 0);  // the arrow: no change
    EXPECT_EQ(graph.selected(), e);
    Click(5, -5);
    EXPECT_EQ(graph.selected(), nullptr);
    EXPECT_FALSE(graph.isSelected(e));
    ASSERT_EQ(listener.selections.size(), 2u);
    EXPECT_EQ(listener.selections.back(), nullptr);
}

TEST_F(GraphManagerTest, DraggingACurveMovesItWithItsTangents) {
    EquationObject* e = Add("y = x^2");
    graph.setPopupTarget(e, PointF(1, 1));
    graph.tangentOnCurve();
    ASSERT_EQ(graph.equations().size(), 2u);
    EquationObject* tangent = graph.equations().back().get();
    EXPECT_EQ(tangent->text(), "y=2*x-1");
    EXPECT_EQ(tangent->colour(), ColorF(0, 0, 1, 1));
    Drag(2, 4, 3, 4);  // one unit to the right (to the nearest pixel)
    EXPECT_NEAR(e->expression()->coeffs[1], -2, 0.06);
    EXPECT_NEAR(tangent->valueAt(2).x, 1, 0.1);  // y = 2(x − 1) − 1 at x = 2
    EXPECT_GT(listener.edits, 0);
    EXPECT_GT(listener.pending, 0);
    EXPECT_EQ(graph.mode(), MODE_IDLE);
}

TEST_F(GraphManagerTest, RightDragPansOnlyOverWhiteSpace) {
    Add("y = x^2");
    RightDown(2, 4);
    Move(3, 5);
    EXPECT_EQ(graph.mode(), MODE_RIGHT_PRESSED);
    EXPECT_EQ(graph.viewport().pan, PointF(0, 0));
    RightUp(3, 5);
    EXPECT_EQ(graph.mode(), MODE_IDLE);

    RightDown(5, -5);
    Move(6, -4);
    EXPECT_EQ(graph.mode(), MODE_PANNING);
    RightUp(6, -4);
    EXPECT_EQ(graph.mode(), MODE_IDLE);
    EXPECT_NEAR(graph.viewport().pan.x, 1, 0.05);
    EXPECT_NEAR(graph.viewport().pan.y, 1, 0.05);
}

TEST_F(GraphManagerTest, RightClickPopups) {
    EquationObject* e = Add("y = x^2");
    RightDown(2, 4);
    RightUp(2, 4);
    ASSERT_EQ(listener.popups.size(), 1u);
    EXPECT_EQ(listener.popups[0], "right click on equation");
    EXPECT_NEAR(graph.pointOnCurve().y, graph.pointOnCurve().x * graph.pointOnCurve().x, 1e-4);
    // White space offers tangents only while a polynomial is selected.
    RightDown(5, -5);
    RightUp(5, -5);
    EXPECT_EQ(listener.popups.size(), 1u);
    Click(2, 4);
    RightDown(0, -1);
    RightUp(0, -1);
    EXPECT_EQ(listener.popups.back(), "right click on white space");
    graph.tangentFromPoint();
    ASSERT_EQ(graph.equations().size(), 3u);  // two tangents from about (0, −1): slopes ±2
    EXPECT_NEAR(graph.equations()[1]->expression()->coeffs[0], 2, 0.05);
    EXPECT_NEAR(graph.equations()[2]->expression()->coeffs[0], -2, 0.05);
    // Right click on a control point of the selection pins it.
    RightDown(0, 0);
    RightUp(0, 0);
    EXPECT_TRUE(e->controlPoints()[1].pinned);
}

TEST_F(GraphManagerTest, ArrowDragZoomStopsNearATenth) {
    for (int k = 0; k < 30; ++k) {
        const double tip = graph.viewport().arrowTips().x;  // the arrow moves with the zoom
        Down(tip - 0.1 * graph.viewport().xZoom, 0);
        Move(tip - 0.5, 0);
        Up(tip - 0.5, 0);
    }
    EXPECT_GE(graph.viewport().xZoom, 0.1 - 1e-9);
    EXPECT_LE(graph.viewport().xZoom, 0.2);
}

TEST_F(GraphManagerTest, WheelClampsTheScale) {
    for (int k = 0; k < 200; ++k) graph.mouseWheel(-120, 500, 375);
    EXPECT_DOUBLE_EQ(graph.viewport().scale, 5.0);
    for (int k = 0; k < 200; ++k) graph.mouseWheel(120, 500, 375);
    EXPECT_DOUBLE_EQ(graph.viewport().scale, 0.001);
}

TEST_F(GraphManagerTest, PenStrokesAndFinishing) {
    graph.togglePenInput();
    EXPECT_EQ(graph.mode(), MODE_PEN_IDLE);
    EXPECT_TRUE(graph.penInputChecked());
    Click(1, 1);  // a single point is no stroke
    EXPECT_TRUE(graph.pen().gesture().strokes.empty());
    // A straight stroke away from every curve becomes a line.
    Down(-4, -2);
    for (int k = 1; k <= 8; ++k) Move(-4 + k, -2 + 0.5 * k);
    Up(4, 2);
    EXPECT_EQ(graph.mode(), MODE_PEN_IDLE);
    ASSERT_EQ(graph.pen().gesture().strokes.size(), 1u);
    EXPECT_TRUE(graph.togglePenInput());
    EXPECT_EQ(graph.mode(), MODE_IDLE);
    ASSERT_EQ(graph.equations().size(), 1u);
    EXPECT_EQ(graph.equations()[0]->expression()->type, MathEx::PT_LINE);
    EXPECT_NEAR(graph.equations()[0]->expression()->coeffs[0], 0.5, 0.02);
    // A double click starts and finishes pen input too.
    EXPECT_FALSE(graph.doubleClick());
    EXPECT_EQ(graph.mode(), MODE_PEN_IDLE);
    EXPECT_FALSE(graph.doubleClick());  // nothing drawn: nothing made
    EXPECT_EQ(graph.mode(), MODE_IDLE);
}

TEST_F(GraphManagerTest, StrokeOutOfACurveMakesAnAttributePoint) {
    EquationObject* e = Add("y = x^2");
    graph.togglePenInput();
    Down(1, 1);  // steep: the x caption
    for (int k = 1; k <= 6; ++k) Move(1 + 0.1 * k, 1 - 0.5 * k);
    Up(1.6, -2);
    EXPECT_TRUE(graph.togglePenInput());
    EXPECT_EQ(graph.equations().size(), 1u);
    ASSERT_EQ(e->attribPoints().size(), 1u);
    const AttribPoint& ap = e->attribPoints()[0];
    EXPECT_EQ(ap.pointType, 1);
    EXPECT_EQ(ap.axis[AttribPoint::X].valueType, AttribPoint::LABEL_TEXT);
    EXPECT_EQ(ap.axis[AttribPoint::X].lineType, AttribPoint::LINE_SOLID);
    EXPECT_NEAR(ap.position.y, ap.position.x * ap.position.x, 1e-4);
}

TEST_F(GraphManagerTest, AxisThenLoopMakesAnEllipse) {
    graph.togglePenInput();
    Down(-5, 0);
    for (int k = 1; k <= 10; ++k) Move(-5 + k, 0);
    Up(5, 0);
    // A loop round the axis that crosses it twice, from 0.3 rad once round.
    const double a = 3, b = 1.5, start = 0.3, step = 2 * MathEx::kPi / 40;
    Down(a * std::cos(start), b * std::sin(start));
    for (int k = 1; k <= 40; ++k) Move(a * std::cos(start + k * step), b * std::sin(start + k * step));
    Up(a * std::cos(start + 40 * step), b * std::sin(start + 40 * step));
    EXPECT_TRUE(graph.togglePenInput());
    ASSERT_EQ(graph.equations().size(), 1u);
    EXPECT_EQ(graph.equations()[0]->expression()->type, MathEx::PT_ELLIPSE);
    EXPECT_FALSE(graph.equations()[0]->pieces().empty());
    EXPECT_FALSE(graph.equations()[0]->controlPoints().empty());
}

TEST_F(GraphManagerTest, MensurationByPart) {
    EquationObject* e = Add("y = x^2");
    graph.armMensuration();
    EXPECT_EQ(graph.mode(), MODE_IDLE);  // needs a selection
    Click(2, 4);
    graph.armMensuration();
    EXPECT_EQ(graph.mode(), MODE_MENSURATION_ARMED);
    Down(1, 5);
    EXPECT_EQ(graph.mode(), MODE_MENSURATION_START);
    Up(1, 5);  // a click without movement keeps the start
    EXPECT_EQ(graph.mode(), MODE_MENSURATION_START);
    Move(2, 5);
    EXPECT_EQ(graph.mode(), MODE_MENSURATION_DRAG);
    Move(3, 5);
    Up(3, 5);
    EXPECT_EQ(graph.mode(), MODE_IDLE);
    EXPECT_NEAR(e->mensuration().xmin, 1, 0.05);
    EXPECT_NEAR(e->mensuration().xmax, 3, 0.05);
    EXPECT_TRUE(e->mensurationEnabled());
    EXPECT_EQ(e->actions().back(), ACTION_MENSURATION_ENABLED);
}

TEST_F(GraphManagerTest, UndoOrderDomainsThenActionsThenTheEquation) {
    EXPECT_EQ(graph.undo(), -1);  // an empty graph: nothing happens
    EquationObject* e = Add("y = x^2");
    e->pushAction(ACTION_ATTRIB_POINT_ADDED);
    e->pushAction(ACTION_EXTREME_POINTS_SHOWN);
    e->addAttribPoint(AttribPoint(e));
    e->setExtremePointsShown(true);
    graph.togglePaint();
    Click(5, -5);
    ASSERT_EQ(graph.paintedDomains().size(), 1u);
    graph.togglePaint();
    EXPECT_EQ(graph.undo(), 0);
    EXPECT_TRUE(graph.paintedDomains().empty());
    EXPECT_EQ(graph.undo(), 2);
    EXPECT_FALSE(e->extremePointsShown());
    EXPECT_EQ(graph.undo(), 0);
    EXPECT_TRUE(e->attribPoints().empty());
    EXPECT_EQ(graph.undo(), -1);
    EXPECT_TRUE(graph.equations().empty());
}

TEST_F(GraphManagerTest, PaintingRefusesTheSameRegion) {
    Add("y = x^2 - 4");
    graph.togglePaint();
    EXPECT_EQ(graph.mode(), MODE_PAINT);
    Click(0, -1);  // between the curve and the axis
    Click(0.5, -2);  // the same region
    graph.setColour(ColorF(0, 1, 0, 1));
    Click(0, 5);  // above the curve
    ASSERT_EQ(graph.paintedDomains().size(), 2u);
    EXPECT_EQ(graph.paintedDomains()[1].colour, ColorF(0, 1, 0, 1));
    Click(3, 0);  // on the axis: in no region, yet added as a seed that paints nothing
    RightDown(5, 5);
    RightUp(5, 5);
    EXPECT_EQ(graph.mode(), MODE_PAINT);  // a right click does not leave painting
}

TEST_F(GraphManagerTest, IntersectionsFollowTheCurves) {
    Add("y = x^2");
    Add("y = x + 2");
    graph.toggleIntersections();
    ASSERT_EQ(graph.intersections().size(), 2u);
    EXPECT_NEAR(graph.intersections()[0].x, -1, 1e-4);
    EXPECT_NEAR(graph.intersections()[1].x, 2, 1e-4);
    Add("y = x + 5");  // parallel to the line: no new point with it
    EXPECT_EQ(graph.intersections().size(), 2u + 2u);
    graph.toggleIntersections();
    EXPECT_TRUE(graph.intersections().empty());
}

TEST_F(GraphManagerTest, DeleteAndDisplayEquationActOnTheClickedCurve) {
    EquationObject* a = Add("y = x^2");
    Add("y = -x - 3");
    Click(-1, -2);  // select the line
    RightDown(2, 4);
    RightUp(2, 4);
    EXPECT_EQ(graph.hitEquation(), a);
    graph.toggleDisplayEquation();
    EXPECT_TRUE(a->displayText());
    EXPECT_TRUE(graph.displayEquationChecked());
    graph.deleteHit();
    ASSERT_EQ(graph.equations().size(), 1u);
    EXPECT_EQ(graph.hitEquation(), nullptr);
    graph.deleteSelected();
    EXPECT_TRUE(graph.equations().empty());
}

// A curve is drawn over the whole view, as the grid is, whatever the window's
// size, scale and pan; once the teacher drags its box's handles it keeps the
// box they gave it.
TEST_F(GraphManagerTest, CurvesReachTheEdgesOfTheViewUntilTheTeacherBoxesThem) {
    EquationObject* e = Add("y = x");
    EquationObject* boxed = Add("y = -x");
    auto reachesTheEdges = [&](const EquationObject* curve, const char* when) {
        const RectF view = graph.viewport().visibleRect();
        EXPECT_LE(curve->plotBox().left, view.left) << when;
        EXPECT_GE(curve->plotBox().right, view.right) << when;
        ASSERT_FALSE(curve->pieces().empty()) << when;
        EXPECT_LE(curve->pieces().front().front().x, view.left + 0.05f) << when;
        EXPECT_GE(curve->pieces().back().back().x, view.right - 0.05f) << when;
    };
    // The teacher narrows the second curve's box by its right handle.
    Click(1, -1);
    ASSERT_EQ(graph.selected(), boxed);
    const float right = boxed->plotBox().right;
    Drag(right - 0.01, 2, right - 6, 2);
    EXPECT_FALSE(boxed->followsView());
    const RectF box = boxed->plotBox();
    EXPECT_NEAR(box.right, right - 6, 0.1);

    graph.setClientSize(1380, 940);
    reachesTheEdges(e, "a larger window");
    graph.mouseWheel(-120, 690, 470);  // farther out
    reachesTheEdges(e, "zoomed out");
    graph.setZoom(0.5, 2);
    reachesTheEdges(e, "zoomed by the bar");
    graph.rightButtonDown(700, 400);
    for (int k = 1; k <= 5; ++k) graph.mouseMove(700 + 40 * k, 400 - 30 * k);
    graph.rightButtonUp(900, 250);
    reachesTheEdges(e, "panned");
    EXPECT_EQ(boxed->plotBox().right, float(box.right * 0.5)) << "the boxed curve only follows the zoom";
    EXPECT_FALSE(boxed->followsView());
}

TEST_F(GraphManagerTest, ZoomRescalesPlotBoxes) {
    EquationObject* e = Add("y = x");
    e->setPlotBox(-9, 9, 9, -9);  // a box of its own
    EquationObject* following = Add("y = 2*x");
    graph.setZoom(2, 1);
    EXPECT_EQ(following->plotBox(), graph.viewport().visibleRect());
    EXPECT_FLOAT_EQ(e->plotBox().left, -18);
    EXPECT_FLOAT_EQ(e->plotBox().top, 9);
    EXPECT_NEAR(e->pieces()[0].front().x, -18, 1e-4);
    graph.setZoom(0, 1);  // refused
    EXPECT_FLOAT_EQ(e->plotBox().left, -18);
}

TEST_F(GraphManagerTest, FeatureHasOneElementPerEquation) {
    Add("y = x^2");
    Add("y = sin(x)");
    CFeature f;
    graph.computeFeature(f);
    ASSERT_EQ(f.elements.size(), 2u);
    EXPECT_EQ(f.elements[0].type, MathEx::PT_QUADRATIC);
    EXPECT_EQ(f.elements[1].type, MathEx::PT_SINE);
}

TEST_F(GraphManagerTest, DrawOrderAndExportFlags) {
    EquationObject* e = Add("y = x^2");
    e->setDisplayText(true);
    Click(2, 4);
    graph.saveFlagsForExport();
    EXPECT_FALSE(e->displayText());
    EXPECT_EQ(graph.selected(), nullptr);
    graph.restoreFlagsAfterExport();
    EXPECT_TRUE(e->displayText());
    EXPECT_EQ(graph.selected(), e);

    graph.setPan(PointF(1, 2));
    testing_support::RecordingPainter s;
    graph.draw(s);
    // Grid and axes first (their first segment starts on the pan-shifted grid), the curve after.
    ASSERT_FALSE(s.shapes.empty());
    EXPECT_EQ(s.shapes.front().shape, testing_support::Shape::Segments);
    EXPECT_FLOAT_EQ(s.shapes.front().points[0].x, 1);
}

TEST_F(GraphManagerTest, SnapshotAndRestoreGiveBackTheWholeModel) {
    EquationObject* parabola = Add("y = x^2");
    Add("y = -x - 5");
    graph.setPopupTarget(parabola, PointF(1, 1));
    graph.tangentOnCurve();
    graph.addAttribPoint(PRESET_X_CAPTION);
    graph.addPaintedDomain(PaintedDomain{ColorF(0, 1, 0, 1), PointF(5, -5)});
    graph.select(parabola);
    graph.toggleGrid();
    graph.setZoom(2, 1);
    const GraphState state = graph.snapshot();
    ASSERT_EQ(state.equations.size(), 3u);
    EXPECT_EQ(state.selected, 0);
    EXPECT_EQ(state.tangentLines[0], std::vector<int>{2});

    Drag(1, 1, 1, 3);  // the snapshot is a copy: it does not follow
    EXPECT_EQ(state.equations[0].text(), "y=x^2");
    graph.reset();
    ASSERT_TRUE(graph.equations().empty());

    graph.restore(state);
    ASSERT_EQ(graph.equations().size(), 3u);
    EquationObject* restored = graph.equation(0);
    EXPECT_EQ(restored->text(), "y=x^2");
    EXPECT_EQ(graph.selected(), restored);
    EXPECT_EQ(listener.selections.back(), restored);
    ASSERT_EQ(restored->tangentLines().size(), 1u);
    EXPECT_EQ(restored->tangentLines()[0], graph.equation(2));
    ASSERT_EQ(restored->attribPoints().size(), 1u);
    EXPECT_EQ(restored->attribPoints()[0].owner, restored);
    EXPECT_EQ(graph.paintedDomains().size(), 1u);
    EXPECT_FALSE(graph.showGrid());
    EXPECT_DOUBLE_EQ(graph.viewport().xZoom, 2);
    EXPECT_EQ(graph.mode(), MODE_IDLE);
    // The restored model works as before: undo takes the domain, then the caption.
    EXPECT_EQ(graph.undo(), 0);
}

TEST_F(GraphManagerTest, RestoreIgnoresIndicesThatPointNowhere) {
    GraphState state;
    state.equations.push_back(*testing_support::MakeEquation("y = x"));
    state.tangentLines = {{0, 5, -1}};
    state.selected = 3;
    graph.restore(state);
    ASSERT_EQ(graph.equations().size(), 1u);
    EXPECT_TRUE(graph.equation(0)->tangentLines().empty());
    EXPECT_EQ(graph.selected(), nullptr);
    EXPECT_EQ(graph.equation(1), nullptr);
}

TEST_F(GraphManagerTest, UndoKeepsTheSelectionUnlessItsEquationGoes) {
    EquationObject* parabola = Add("y = x^2");
    graph.select(parabola);
    Add("y = x");
    EXPECT_EQ(graph.undo(), -1);
    EXPECT_EQ(graph.selected(), parabola);
    const size_t told = listener.selections.size();
    EXPECT_EQ(graph.undo(), -1);
    EXPECT_EQ(graph.selected(), nullptr);
    ASSERT_EQ(listener.selections.size(), told + 1);  // the panel hears that it went
    EXPECT_EQ(listener.selections.back(), nullptr);
}

// The status bar shows the graph point under the pointer, five decimals each,
// in the default 1000 × 750 view (1.3 / 40 units per pixel, origin at the centre).
TEST_F(GraphManagerTest, StatusTextShowsThePointer) {
    const struct {
        int px, py;
        const char* text;
    } rows[] = {
        {500, 375, "x : 0.00000 y : 0.00000"},
        {531, 406, "x : 1.00750 y : -1.00750"},
        {0, 0, "x : -16.25000 y : 12.18750"},
        {1000, 750, "x : 16.25000 y : -12.18750"},
    };
    for (const auto& row : rows) {
        graph.mouseMove(row.px, row.py);
        EXPECT_EQ(listener.status, row.text) << row.px << " " << row.py;
    }
}

}  // namespace

// A label nobody placed goes where its curve goes; one the teacher dragged
// stays where they put it.
namespace label_follow {

// Pixels between the label's box and the nearest drawn point of its curve.
double GapPx(const GraphManager& graph, const EquationObject& e) {
    const RectF box = EstimatedLabelBox(e.labelPosition(), LabelCharacters(e.text()), graph.viewport());
    const PointF a = graph.viewport().graphToScreen(box.left, box.top);
    const PointF b = graph.viewport().graphToScreen(box.right, box.bottom);
    double best = 1e300;
    for (const Stroke& piece : e.pieces())
        for (const PointF& g : piece.points()) {
            const PointF p = graph.viewport().graphToScreen(g.x, g.y);
            const double dx = std::max({a.x - p.x, 0.0f, p.x - b.x}), dy = std::max({a.y - p.y, 0.0f, p.y - b.y});
            best = std::min(best, std::hypot(dx, dy));
        }
    return best;
}

bool InView(const GraphManager& graph, const EquationObject& e) {
    const RectF box = EstimatedLabelBox(e.labelPosition(), LabelCharacters(e.text()), graph.viewport());
    const RectF view = graph.viewport().visibleRect();
    return box.left >= view.left && box.right <= view.right && box.bottom >= view.bottom && box.top <= view.top;
}

}  // namespace label_follow

TEST_F(GraphManagerTest, LabelsFollowTheirCurvesUnlessTheTeacherPlacedThem) {
    using namespace label_follow;
    enum class Expect { Shifted, Beside, Unchanged };
    struct Case {
        const char* name;
        std::function<void(EquationObject&)> act;
        Expect unpinned;
        PointF shift;  // for Shifted
    };
    const Case cases[] = {
        {"curve dragged", [this](EquationObject&) { Drag(1, 1, 3, 2); }, Expect::Shifted, {2, 1}},
        {"arrow keys", [this](EquationObject& e) { graph.select(&e); graph.moveSelected(0, -3); },
         Expect::Shifted, {0, -3}},
        {"domain set away from the label",
         [this](EquationObject& e) {
             e.setDomainSetupEnabled(true);
             e.setDomain(-9, -6);
             graph.keepLabelNear(e);
         },
         Expect::Beside, {}},
        {"wheel zoomed in on the other end",
         [this](EquationObject&) {
             graph.setPan(PointF(5, 5));  // centred on (−5, −5)
             for (int k = 0; k < 8; ++k) graph.mouseWheel(120, 0, 0);
         },
         Expect::Beside, {}},
        {"panned away", [this](EquationObject&) {
             auto [x0, y0] = Px(3, -3);  // off the curve
             graph.rightButtonDown(x0, y0);
             for (int k = 1; k <= 4; ++k) graph.mouseMove(x0 + 100 * k, y0 - 70 * k);
             graph.rightButtonUp(x0 + 400, y0 - 280);
         },
         Expect::Beside, {}},
        {"axis zoom of a document read (no edit)", [this](EquationObject&) { graph.setZoom(4, 4); },
         Expect::Unchanged, {}},
    };
    for (const Case& c : cases) {
        for (const bool pinned : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (pinned ? ", dragged by the teacher" : ""));
            graph.reset();
            graph.setClientSize(800, 600);
            EquationObject* e = Add("y = x");
            e->setDisplayText(true);
            e->setLabelPinned(pinned);
            const PointF before = e->labelPosition();
            const PointF handle = e->controlPoints().at(0);
            ASSERT_TRUE(InView(graph, *e));
            ASSERT_LT(GapPx(graph, *e), 40);
            c.act(*e);
            const Expect expect = pinned ? Expect::Unchanged : c.unpinned;
            const PointF after = e->labelPosition();
            switch (expect) {
            case Expect::Unchanged:
                EXPECT_EQ(after, before);
                break;
            case Expect::Shifted:
                // As far as the curve went (a drag goes by whole pixels).
                EXPECT_NEAR(after.x - before.x, e->controlPoints().at(0).x - handle.x, 1e-4);
                EXPECT_NEAR(after.y - before.y, e->controlPoints().at(0).y - handle.y, 1e-4);
                EXPECT_NEAR(after.x - before.x, c.shift.x, 0.05);
                EXPECT_NEAR(after.y - before.y, c.shift.y, 0.05);
                break;
            case Expect::Beside:
                EXPECT_NE(after, before);
                EXPECT_TRUE(InView(graph, *e));
                EXPECT_LT(GapPx(graph, *e), 40) << "beside its curve";
                break;
            }
            EXPECT_EQ(e->labelPinned(), pinned);
        }
    }
}

TEST_F(GraphManagerTest, ALabelDraggedStaysWhereItWasPutAndAHiddenOneIsLeftAlone) {
    EquationObject* e = Add("y = x");
    e->setDisplayText(true);
    testing_support::RecordingPainter painter;
    graph.draw(painter);
    const RectF box = e->labelBox();
    ASSERT_GT(box.top, box.bottom);
    const double cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    Drag(cx, cy, cx - 1, cy + 2);
    EXPECT_TRUE(e->labelPinned());
    const PointF put = e->labelPosition();
    for (int k = 0; k < 8; ++k) graph.mouseWheel(120, 0, 0);
    graph.select(e);
    graph.moveSelected(3, 0);
    EXPECT_EQ(e->labelPosition(), put);

    // A hidden label is placed when it is shown again, not on every view change.
    EquationObject* hidden = Add("y = -x");
    hidden->setDisplayText(false);
    const PointF where = hidden->labelPosition();
    const long moves = graph.labelsFollowed();
    graph.setPan(PointF(30, 30));
    for (int k = 0; k < 8; ++k) graph.mouseWheel(120, 0, 0);
    EXPECT_EQ(hidden->labelPosition(), where);
    EXPECT_EQ(graph.labelsFollowed(), moves);
}

// A pointer passing over the graph with no button held edits nothing, even
// right after a right click picked a plot-box handle.
TEST_F(GraphManagerTest, HoveringAfterARightClickOnAPlotBoxHandleLeavesTheBox) {
    graph.setClientSize(800, 600);
    EquationObject* line = Add("y = x");
    Click(1, 1);
    ASSERT_TRUE(graph.isSelected(line));
    line->setPlotBox(-5, 5, 5, -5);
    const RectF box = line->plotBox();
    RightDown(box.left + 0.01, 2);
    ASSERT_EQ(graph.hitCode(), HIT_BOX_HANDLE);
    RightUp(box.left + 0.01, 2);
    for (int k = 1; k <= 4; ++k) Move(box.left - k, 2);
    EXPECT_EQ(line->plotBox(), box);
    EXPECT_EQ(graph.mode(), MODE_IDLE);
}
