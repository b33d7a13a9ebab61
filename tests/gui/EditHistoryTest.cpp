// SPDX-License-Identifier: MIT
// Nothing a teacher does is lost: every command and gesture that changes what
// a document keeps is exactly one undo step, marks the document modified, and
// leaves the Candidates page searched for the graph as it now is.
#include <gtest/gtest.h>

#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtGui/QUndoStack>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStatusBar>
#include <cmath>
#include <functional>

#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/cli/GraphDump.h"
#include "app/window/ZoomDialogBar.h"
#include "graph/EquationObject.h"

namespace {

const char* const kCurvePopup = "right click on equation";
const char* const kWhiteSpacePopup = "right click on white space";
const char* const kAttribPopup = "right click on attribute point";

// The table's rows drive the fixture from outside: its helpers are public.
class EditHistoryTest : public ::testing::Test {
public:
    void SetUp() override
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QApplication::processEvents();
    }

    GraphManager& graph() { return frame.view()->graph(); }
    CKVRView* view() { return frame.view(); }
    QUndoStack* stack() { return view()->history().stack(); }

    // What a document keeps of the graph (and the selection, which undo
    // restores too), without the pointer's passing state.
    QJsonObject state()
    {
        QJsonObject o = QJsonDocument::fromJson(GraphToJson(graph(), "")).object();
        for (const char* passing : {"mode", "hitCode", "popup", "status", "scale", "pan", "gestureStrokes"})
            o.remove(passing);
        o["showGrid"] = graph().showGrid();
        o["showAxis"] = graph().showAxis();
        o["showAxisNumbers"] = graph().showAxisNumbers();
        o["showIntersections"] = graph().showIntersections();
        return o;
    }

    QPoint at(double x, double y)
    {
        const PointF p = graph().viewport().graphToScreen(x, y);
        return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
    }
    void enter(const char* text)
    {
        frame.entryEdit()->setText(QString::fromLatin1(text));
        frame.enterEquation();
    }
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(view(), button, Qt::NoModifier, p);
        QTest::mouseRelease(view(), button, Qt::NoModifier, p);
        QApplication::processEvents();
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 10; ++i) QTest::mouseMove(view(), from + (to - from) * i / 10);
        QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, to);
        QApplication::processEvents();
    }
    // A pointer motion with no button held.
    void hover(QPoint to)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), view()->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view(), &move);
    }
    void doubleClick(QPoint p)
    {
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(p), view()->mapToGlobal(QPointF(p)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view(), &event);
        QApplication::processEvents();
    }
    // A command of a context menu the last right click opened.
    void popupCommand(const char* menu, const char* text)
    {
        QMenu* popup = view()->popupMenu(menu);
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(view()->lastPopupName(), menu);
        for (QAction* action : popup->actions())
            if (action->text().remove('&') == QString::fromLatin1(text)) {
                popup->hide();
                action->trigger();
                QApplication::processEvents();
                return;
            }
        FAIL() << "no command " << text << " in " << menu;
    }
    EquationObject* parabola()
    {
        if (graph().equations().empty()) enter("y = x^2 - 2");
        return graph().equation(0);
    }
    void selectParabola() { click(at(1, -1)); }
    // The parabola with its label shown (where a new curve's label is placed).
    void labelledParabola()
    {
        parabola();
        click(at(2, 2), Qt::RightButton);
        popupCommand(kCurvePopup, "Display Equation");
        ASSERT_TRUE(parabola()->displayText());
    }
    void sketchLine() { drag(at(-8, 8), at(-3, 6)); }
    QPoint xArrow()
    {
        const Viewport& v = graph().viewport();
        for (double x = v.arrowTips().x; x > 0; x -= 0.02)
            if (v.hitXArrow(PointF(float(x), 0))) return at(x - 0.05, 0);
        ADD_FAILURE() << "no arrowhead on the x-axis";
        return {};
    }
    void addAttribPoint()
    {
        click(at(2, 2), Qt::RightButton);
        popupCommand(kCurvePopup, "Attribute point");
    }

    CMainFrame frame;
};

struct Edit {
    const char* name;
    std::function<void(EditHistoryTest&)> setUp;
    std::function<void(EditHistoryTest&)> act;
    bool changesCurves;  // the shape signature may change: a search is asked for
};
void PrintTo(const Edit& edit, std::ostream* out) { *out << edit.name; }
std::string Text(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); }

using T = EditHistoryTest;

const Edit kEdits[] = {
    {"enter an equation", [](T& t) { t.parabola(); }, [](T& t) { t.enter("y = x"); }, true},
    {"grid", nullptr, [](T& t) { t.frame.command("grid")->trigger(); }, false},
    {"axis", nullptr, [](T& t) { t.frame.command("axis")->trigger(); }, false},
    {"axis numbers", nullptr, [](T& t) { t.frame.command("axisNumbers")->trigger(); }, false},
    {"intersections", [](T& t) { t.parabola(), t.enter("y = x"); },
     [](T& t) { t.frame.command("intersections")->trigger(); }, false},
    {"zoom bar", [](T& t) { t.parabola(); }, [](T& t) { emit t.frame.zoomBar()->zoomChanged(2.0, 1.0); }, false},
    {"axis arrow", [](T& t) { t.parabola(); }, [](T& t) { t.drag(t.xArrow(), t.xArrow() + QPoint(40, 0)); }, false},
    {"delete equation (toolbar)", [](T& t) { t.parabola(), t.selectParabola(); },
     [](T& t) { t.frame.command("deleteEquation")->trigger(); }, true},
    {"Delete key", [](T& t) { t.parabola(), t.selectParabola(); },
     [](T& t) { QTest::keyClick(t.view(), Qt::Key_Delete); }, true},
    {"drag a curve", [](T& t) { t.parabola(); }, [](T& t) { t.drag(t.at(1, -1), t.at(3, -1)); }, true},
    {"drag a label",
     [](T& t) {
         t.parabola(), t.click(t.at(2, 2), Qt::RightButton);
         t.popupCommand(kCurvePopup, "Display Equation");
         ASSERT_TRUE(t.parabola()->displayText());
     },
     [](T& t) {
         const RectF box = t.parabola()->labelBox();
         const QPoint centre = t.at((box.left + box.right) / 2, (box.top + box.bottom) / 2);
         t.drag(centre, centre + QPoint(30, 20));
     },
     false},
    // Looking around is no edit, but the labels it leaves astray come back
    // beside their curves, and that is one step however many notches it took.
    {"wheel that leaves a label out of view", [](T& t) { t.labelledParabola(); },
     [](T& t) {
         for (int i = 0; i < 8; ++i) {
             QWheelEvent wheel(QPointF(t.at(0, 0)), t.view()->mapToGlobal(QPointF(t.at(0, 0))), QPoint(), QPoint(0, 120),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(t.view(), &wheel);
         }
     },
     false},
    {"Zoom In that leaves a label out of view", [](T& t) { t.labelledParabola(); },
     [](T& t) {
         for (int i = 0; i < 8; ++i) t.frame.command("zoomIn")->trigger();
     },
     false},
    {"reshape by a control point", [](T& t) { t.parabola(), t.selectParabola(); },
     [](T& t) {
         const ControlPoint& cp = t.parabola()->controlPoints().at(0);
         t.drag(t.at(cp.x, cp.y), t.at(cp.x, cp.y + 2));
     },
     true},
    {"pin a control point", [](T& t) { t.parabola(), t.selectParabola(); },
     [](T& t) {
         const ControlPoint& cp = t.parabola()->controlPoints().at(0);
         t.click(t.at(cp.x, cp.y), Qt::RightButton);
     },
     false},
    {"resize the plot box", [](T& t) { t.parabola(), t.selectParabola(); },
     [](T& t) {
         const RectF box = t.parabola()->plotBox();
         t.drag(t.at(box.left, 5), t.at(box.left + 2, 5));
     },
     false},
    {"paint a region", [](T& t) { t.frame.command("domain")->trigger(); }, [](T& t) { t.click(t.at(5, 5)); }, false},
    {"mensuration by dragging", [](T& t) { t.parabola(), t.selectParabola(), t.frame.command("mensuration")->trigger(); },
     [](T& t) { t.drag(t.at(-1, 6), t.at(1, 6)); }, false},
    {"mensuration by click, move, click",
     [](T& t) { t.parabola(), t.selectParabola(), t.frame.command("mensuration")->trigger(); },
     [](T& t) {
         t.click(t.at(-1, 6));
         for (int i = 1; i <= 5; ++i) t.hover(t.at(-1 + 0.4 * i, 6));
         t.click(t.at(1, 6));
     },
     false},
    {"sketch finished by Pen Input",
     [](T& t) {
         t.frame.command("pen")->trigger();
         t.sketchLine();
     },
     [](T& t) { t.frame.command("pen")->trigger(); }, true},
    {"sketch finished by a double click",
     [](T& t) {
         t.doubleClick(t.at(0, 0));
         ASSERT_TRUE(t.graph().penInputChecked());
         t.sketchLine();
     },
     [](T& t) { t.doubleClick(t.at(-3, 6)); }, true},
    {"popup: display equation", [](T& t) { t.parabola(), t.click(t.at(2, 2), Qt::RightButton); },
     [](T& t) { t.popupCommand(kCurvePopup, "Display Equation"); }, false},
    {"popup: attribute point", [](T& t) { t.parabola(), t.click(t.at(2, 2), Qt::RightButton); },
     [](T& t) { t.popupCommand(kCurvePopup, "Attribute point"); }, false},
    {"popup: x caption", [](T& t) { t.parabola(), t.click(t.at(2, 2), Qt::RightButton); },
     [](T& t) { t.popupCommand(kCurvePopup, "X Caption"); }, false},
    {"popup: y caption", [](T& t) { t.parabola(), t.click(t.at(2, 2), Qt::RightButton); },
     [](T& t) { t.popupCommand(kCurvePopup, "Y Caption"); }, false},
    {"popup: x, y caption", [](T& t) { t.parabola(), t.click(t.at(2, 2), Qt::RightButton); },
     [](T& t) { t.popupCommand(kCurvePopup, "X, Y Caption"); }, false},
    {"popup: tangent on the curve", [](T& t) { t.parabola(), t.click(t.at(2, 2), Qt::RightButton); },
     [](T& t) { t.popupCommand(kCurvePopup, "Tangent Line"); }, true},
    {"popup: tangents from a point",
     [](T& t) { t.parabola(), t.selectParabola(), t.click(t.at(0, -6), Qt::RightButton); },
     [](T& t) { t.popupCommand(kWhiteSpacePopup, "Tangent Line"); }, true},
    {"popup: delete the curve", [](T& t) { t.parabola(), t.click(t.at(2, 2), Qt::RightButton); },
     [](T& t) { t.popupCommand(kCurvePopup, "Delete"); }, true},
    {"popup: delete an attribute point",
     [](T& t) {
         t.parabola(), t.addAttribPoint();
         t.click(t.at(2, 2), Qt::RightButton);
     },
     [](T& t) { t.popupCommand(kAttribPopup, "Delete"); }, false},
    {"Delete key on a selected attribute point",
     [](T& t) {
         t.parabola(), t.addAttribPoint();
         t.click(t.at(2, 2));
         ASSERT_EQ(t.graph().selectedAttribPoint(), 0);
     },
     [](T& t) { QTest::keyClick(t.view(), Qt::Key_Delete); }, false},
    {"drag an attribute point", [](T& t) { t.parabola(), t.addAttribPoint(); },
     [](T& t) { t.drag(t.at(2, 2), t.at(1, 2)); }, false},
};

class EveryEdit : public EditHistoryTest, public ::testing::WithParamInterface<Edit> {};

TEST_P(EveryEdit, IsOneUndoStepThatMarksTheDocumentAndSearches)
{
    const Edit& edit = GetParam();
    if (edit.setUp) edit.setUp(*this);
    if (HasFatalFailure()) return;
    stack()->setClean();  // as if just saved
    QApplication::processEvents();
    ASSERT_FALSE(frame.isWindowModified());
    const QJsonObject before = state();
    const int index = stack()->index();
    QSignalSpy searches(&frame, &CMainFrame::candidatesRequested);

    edit.act(*this);
    if (HasFatalFailure()) return;
    const QJsonObject after = state();
    ASSERT_NE(Text(after), Text(before)) << "the edit changed nothing";
    EXPECT_EQ(stack()->index(), index + 1) << "exactly one step";
    EXPECT_EQ(stack()->count(), index + 1);
    EXPECT_TRUE(frame.isWindowModified());
    EXPECT_TRUE(frame.windowTitle().contains("[*]"));
    if (edit.changesCurves) {
        EXPECT_GE(searches.count(), 1);
    }
    // The page ends up searched for this graph (at once, or at the next tick
    // while the library is being read).
    CFeature now;
    graph().computeFeature(now);
    for (int i = 0; i < 100 && frame.searchedFeature().elements != now.elements; ++i) QTest::qWait(50);
    EXPECT_EQ(frame.searchedFeature().elements, now.elements);

    frame.command("undo")->trigger();
    EXPECT_EQ(Text(state()), Text(before)) << "one undo takes the whole edit back";
    EXPECT_FALSE(frame.isWindowModified());
    frame.command("redo")->trigger();
    EXPECT_EQ(Text(state()), Text(after));
    EXPECT_TRUE(frame.isWindowModified());
}

INSTANTIATE_TEST_SUITE_P(CommandsAndGestures, EveryEdit, ::testing::ValuesIn(kEdits),
                         [](const ::testing::TestParamInfo<Edit>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                                 else if (!name.empty() && name.back() != '_') name += '_';
                             return name;
                         });

// Passing over the graph, wheeling and panning change no document.
TEST_F(EditHistoryTest, LookingAroundIsNoEdit)
{
    parabola();
    stack()->setClean();
    const int index = stack()->index();
    hover(at(3, 3));
    QWheelEvent wheel(QPointF(at(0, 0)), view()->mapToGlobal(QPointF(at(0, 0))), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view(), &wheel);
    QTest::mousePress(view(), Qt::RightButton, Qt::NoModifier, at(5, 5));
    QTest::mouseMove(view(), at(6, 6));
    QTest::mouseRelease(view(), Qt::RightButton, Qt::NoModifier, at(6, 6));
    click(at(1, -1));  // selecting
    EXPECT_EQ(stack()->index(), index);
    EXPECT_FALSE(frame.isWindowModified());
}

// A pan that takes a label out of view brings it back beside its curve: one
// step, "Move Labels", that undo takes back while the view stays panned.
TEST_F(EditHistoryTest, APanThatLeavesALabelAstrayIsOneStep)
{
    labelledParabola();
    stack()->setClean();
    const int index = stack()->index();
    const PointF label = parabola()->labelPosition();
    // Up and left by about five units: the label at the top leaves the view, the curve stays.
    const QPoint from = at(3, -3);
    QTest::mousePress(view(), Qt::RightButton, Qt::NoModifier, from);
    for (int i = 1; i <= 4; ++i) QTest::mouseMove(view(), from - QPoint(40 * i, 40 * i));
    QTest::mouseRelease(view(), Qt::RightButton, Qt::NoModifier, from - QPoint(160, 160));
    const PointF pan = graph().viewport().pan;
    ASSERT_NE(parabola()->labelPosition(), label);
    EXPECT_EQ(stack()->index(), index + 1);
    EXPECT_EQ(stack()->undoText(), "Move Labels");
    EXPECT_TRUE(frame.isWindowModified());

    frame.command("undo")->trigger();
    EXPECT_EQ(parabola()->labelPosition(), label);
    EXPECT_EQ(graph().viewport().pan.x, pan.x);
    EXPECT_FALSE(frame.isWindowModified());
}

// Undo puts back what the step changed and leaves the view where the teacher
// wheeled and panned it; a zoom step takes its zoom with it.
TEST_F(EditHistoryTest, UndoLeavesTheViewWhereItIs)
{
    parabola();
    enter("y = x");
    QWheelEvent wheel(QPointF(at(0, 0)), view()->mapToGlobal(QPointF(at(0, 0))), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view(), &wheel);
    QTest::mousePress(view(), Qt::RightButton, Qt::NoModifier, at(5, 5));
    QTest::mouseMove(view(), at(6, 6));
    QTest::mouseRelease(view(), Qt::RightButton, Qt::NoModifier, at(6, 6));
    const Viewport looked = graph().viewport();
    ASSERT_NE(looked.scale, Viewport::kDefaultScale);

    frame.command("undo")->trigger();
    ASSERT_EQ(graph().equationCount(), 1);
    EXPECT_EQ(graph().viewport().scale, looked.scale);
    EXPECT_EQ(graph().viewport().pan.x, looked.pan.x);
    EXPECT_EQ(graph().viewport().pan.y, looked.pan.y);

    emit frame.zoomBar()->zoomChanged(2.0, 1.0);
    frame.command("undo")->trigger();
    EXPECT_EQ(graph().viewport().xZoom, 1.0) << "a zoom step undoes its zoom";
    EXPECT_EQ(graph().viewport().scale, looked.scale);
}

// On a document just opened, Undo walks back through what the graph holds
// (last equation first) and never forth; Redo brings each step back, and the
// document is unmodified exactly where it was opened.
TEST_F(EditHistoryTest, UndoOnAnOpenedDocumentWalksBack)
{
    for (const char* text : {"y = x^2 - 2", "y = x + 1", "y = -x"}) enter(text);
    const QJsonObject opened = state();
    view()->history().clear();  // as an opened document starts
    stack()->setClean();
    QApplication::processEvents();
    ASSERT_FALSE(frame.isWindowModified());

    for (int left : {2, 1, 0}) {
        frame.command("graphUndo")->trigger();
        EXPECT_EQ(graph().equationCount(), left);
        EXPECT_TRUE(frame.isWindowModified());
        EXPECT_TRUE(frame.command("redo")->isEnabled());
    }
    EXPECT_FALSE(frame.command("graphUndo")->isEnabled()) << "nothing left to undo";
    for (int count : {1, 2, 3}) {
        frame.command("redo")->trigger();
        EXPECT_EQ(graph().equationCount(), count);
    }
    EXPECT_EQ(Text(state()), Text(opened));
    EXPECT_FALSE(frame.isWindowModified()) << "back where the document was opened";
    EXPECT_FALSE(frame.command("redo")->isEnabled());
    frame.command("undo")->trigger();
    EXPECT_EQ(graph().equationCount(), 2) << "the history goes on backwards as it was made";
}

// A sketch that gives nothing says so, and why, in one line.
TEST_F(EditHistoryTest, AnUnrecognisedSketchSaysSo)
{
    frame.command("pen")->trigger();
    drag(at(-6, 0), at(6, 0));  // three strokes: more than a curve, or an axis and a curve
    drag(at(0, -6), at(0, 6));
    drag(at(2, 2), at(4, 4));
    frame.command("pen")->trigger();
    EXPECT_EQ(graph().equationCount(), 0);
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              "Sketch not recognised: more than two strokes (draw one curve, or an axis and then a curve)");
    EXPECT_FALSE(frame.isWindowModified());
    EXPECT_EQ(stack()->count(), 0);
}

}  // namespace
