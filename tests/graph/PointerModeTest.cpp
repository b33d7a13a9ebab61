// SPDX-License-Identifier: MIT
// What each pointer gesture tells the window while it is under way: its mode
// number, the name of the undo step it makes, whether a move in it edits and
// whether it only waits for a press. The window keeps or drops undo steps by
// these, so a gesture that says the wrong thing loses the teacher's edit.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "graph/GraphManager.h"
#include "support/RecordingPainter.h"

namespace {

// The pointer, in graph coordinates.
struct Pointer {
    GraphManager& graph;

    std::pair<int, int> px(PointF g) const {
        const PointF p = graph.viewport().graphToScreen(g.x, g.y);
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    void down(PointF g) { auto [x, y] = px(g); graph.mouseDown(x, y); }
    void move(PointF g) { auto [x, y] = px(g); graph.mouseMove(x, y); }
    void up(PointF g) { auto [x, y] = px(g); graph.mouseUp(x, y); }
    void rightDown(PointF g) { auto [x, y] = px(g); graph.rightButtonDown(x, y); }
    void click(PointF g) { down(g), up(g); }
    // Presses at `from` and moves a little, leaving the button down.
    void pressAndMove(PointF from, PointF by) { down(from), move(PointF(from.x + by.x, from.y + by.y)); }
};

EquationObject* Parabola(GraphManager& graph) { return graph.addEquationFromText("y = x^2"); }

EquationObject* SelectedParabola(GraphManager& graph, Pointer& p) {
    EquationObject* e = Parabola(graph);
    p.click(PointF(2, 4));
    return e;
}

PointF XArrowHead(const Viewport& v) {
    for (double x = v.arrowTips().x; x > 0; x -= 0.02)
        if (v.hitXArrow(PointF(float(x), 0))) return PointF(x - 0.05, 0);
    ADD_FAILURE() << "no arrowhead on the x-axis";
    return {};
}

struct Row {
    const char* gesture;
    std::function<void(GraphManager&, Pointer&)> steps;  // leave the gesture under way
    InputMode mode;
    std::string undoName;
    bool edits;
    bool waits;
};

const Row kRows[] = {
    {"nothing under way", [](GraphManager&, Pointer&) {}, MODE_IDLE, "Edit Graph", false, true},
    {"a press on white space", [](GraphManager&, Pointer& p) { p.down(PointF(5, -5)); }, MODE_LEFT_PRESSED,
     "Edit Graph", false, false},
    {"a right press", [](GraphManager&, Pointer& p) { p.rightDown(PointF(5, -5)); }, MODE_RIGHT_PRESSED,
     "Edit Graph", false, false},
    {"a pan",
     [](GraphManager&, Pointer& p) {
         p.rightDown(PointF(5, -5));
         p.move(PointF(6, -4));
     },
     MODE_PANNING, "Move Labels", false, false},
    {"a curve dragged",
     [](GraphManager& g, Pointer& p) { Parabola(g), p.pressAndMove(PointF(2, 4), PointF(1, 1)); },
     MODE_MOVING_CURVE, "Move Curve", true, false},
    {"a control point dragged",
     [](GraphManager& g, Pointer& p) {
         const ControlPoint& cp = SelectedParabola(g, p)->controlPoints().at(0);
         p.pressAndMove(PointF(cp.x, cp.y), PointF(0, 1));
     },
     MODE_DRAGGING_CONTROL_POINT, "Reshape Curve", true, false},
    {"a label dragged",
     [](GraphManager& g, Pointer& p) {
         EquationObject* e = Parabola(g);
         e->setDisplayText(true);
         testing_support::RecordingPainter painter;
         g.draw(painter);  // lays the label out
         const RectF box = e->labelBox();
         p.pressAndMove(PointF((box.left + box.right) / 2, (box.top + box.bottom) / 2), PointF(1, 1));
     },
     MODE_MOVING_LABEL, "Move Label", true, false},
    {"an attribute point dragged",
     [](GraphManager& g, Pointer& p) {
         g.setPopupTarget(Parabola(g), PointF(-2, 4));
         g.addAttribPoint(PRESET_PLAIN);
         p.pressAndMove(PointF(-2, 4), PointF(0.5, 0));
     },
     MODE_MOVING_ATTRIB_POINT, "Move Attribute Point", true, false},
    {"a plot box resized",
     [](GraphManager& g, Pointer& p) {
         const RectF box = SelectedParabola(g, p)->plotBox();
         p.pressAndMove(PointF(box.left, 5), PointF(1, 0));
     },
     MODE_RESIZING_BOX, "Resize Plot Box", true, false},
    {"the x-axis arrow dragged",
     [](GraphManager& g, Pointer& p) { p.pressAndMove(XArrowHead(g.viewport()), PointF(1, 0)); }, MODE_ZOOM_X,
     "Zoom", true, false},
    {"mensuration armed",
     [](GraphManager& g, Pointer& p) { SelectedParabola(g, p), g.armMensuration(); }, MODE_MENSURATION_ARMED,
     "Mensuration By Part", false, true},
    {"mensuration started",
     [](GraphManager& g, Pointer& p) { SelectedParabola(g, p), g.armMensuration(), p.click(PointF(1, 5)); },
     MODE_MENSURATION_START, "Mensuration By Part", true, false},
    {"mensuration dragged",
     [](GraphManager& g, Pointer& p) {
         SelectedParabola(g, p), g.armMensuration(), p.pressAndMove(PointF(1, 5), PointF(1, 0));
     },
     MODE_MENSURATION_DRAG, "Mensuration By Part", true, false},
    {"paint", [](GraphManager& g, Pointer&) { g.togglePaint(); }, MODE_PAINT, "Paint Region", false, true},
    {"pen input", [](GraphManager& g, Pointer&) { g.togglePenInput(); }, MODE_PEN_IDLE, "Edit Graph", false, true},
    {"a pen stroke",
     [](GraphManager& g, Pointer& p) { g.togglePenInput(), p.pressAndMove(PointF(0, 0), PointF(1, 1)); },
     MODE_PEN_STROKE, "Edit Graph", false, false},
};

TEST(PointerModeTest, EachGestureSaysWhatItEdits) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.gesture);
        GraphManager graph;
        graph.setClientSize(800, 600);
        Pointer pointer{graph};
        row.steps(graph, pointer);
        const PointerMode& mode = graph.pointerMode();
        EXPECT_EQ(graph.mode(), row.mode);
        EXPECT_EQ(mode.number(), row.mode);
        EXPECT_EQ(mode.undoName(), row.undoName);
        EXPECT_EQ(mode.edits(), row.edits);
        EXPECT_EQ(mode.waits(), row.waits);
    }
}

}  // namespace
