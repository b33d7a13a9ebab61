// SPDX-License-Identifier: MIT
// The lesson with the keyboard alone, and the handbook a key away.
#include <gtest/gtest.h>

#include <QtGui/QUndoStack>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTextBrowser>

#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/window/HandbookDialog.h"
#include "graph/EquationObject.h"

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QApplication::setActiveWindow(&frame);
        QApplication::processEvents();
    }
    GraphManager& graph() { return frame.view()->graph(); }
    void key(QWidget* to, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(to, Qt::Key(k), modifiers);
        QApplication::processEvents();
    }
    // The vertex of the selected parabola, read from its coefficients.
    double vertexX() { return graph().selected()->expression()->coeffs[1] / (-2 * graph().selected()->expression()->coeffs[0]); }

    CMainFrame frame;
};

TEST_F(KeyboardTest, ALessonWithTheKeyboardAlone)
{
    QLineEdit* entry = frame.entryEdit();
    entry->setFocus();
    QTest::keyClicks(entry, "y = x");
    key(entry, Qt::Key_Return);
    QTest::keyClicks(entry, "y = x^2 - 2");
    key(entry, Qt::Key_Return);
    ASSERT_EQ(graph().equationCount(), 2);

    key(entry, Qt::Key_Tab);
    ASSERT_TRUE(frame.view()->hasFocus()) << "Tab reaches the graph";
    CKVRView* view = frame.view();
    key(view, Qt::Key_Tab);
    EXPECT_EQ(graph().selected(), graph().equation(0));
    key(view, Qt::Key_Tab);
    ASSERT_EQ(graph().selected(), graph().equation(1));
    EXPECT_TRUE(view->accessibleDescription().contains("y=x^2-2")) << view->accessibleDescription().toStdString();
    key(view, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(graph().selected(), graph().equation(0));
    key(view, Qt::Key_Tab);

    // One run of arrow presses is one step: three grid steps and a tenth.
    QUndoStack* history = view->history().stack();
    const int steps = history->index();
    for (int i = 0; i < 3; ++i) key(view, Qt::Key_Right);
    key(view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_NEAR(vertexX(), 3.1, 1e-4);
    EXPECT_EQ(history->index(), steps + 1);
    key(view, Qt::Key_Up);
    frame.command("undo")->trigger();
    EXPECT_NEAR(vertexX(), 0, 1e-4) << "the run undoes as one step";

    key(view, Qt::Key_Plus);
    EXPECT_LT(graph().viewport().scale, Viewport::kDefaultScale) << "+ zooms in";
    const double zoomedIn = graph().viewport().scale;
    key(view, Qt::Key_Minus);
    EXPECT_GT(graph().viewport().scale, zoomedIn) << "- zooms out";

    key(view, Qt::Key_Delete);
    EXPECT_EQ(graph().equationCount(), 1);
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(graph().equationCount(), 2);
    ASSERT_EQ(graph().selected(), graph().equation(1)) << "undo brings the selection back";
    key(view, Qt::Key_Escape);
    EXPECT_EQ(graph().selected(), nullptr) << "Esc clears the selection";
    frame.command("pen")->trigger();
    key(view, Qt::Key_Escape);
    EXPECT_FALSE(graph().penInputChecked()) << "Esc leaves pen input";

    // Past the last curve the focus moves on: the keyboard is never trapped.
    key(view, Qt::Key_Tab);
    key(view, Qt::Key_Tab);
    key(view, Qt::Key_Tab);
    EXPECT_EQ(graph().selected(), nullptr);
    EXPECT_FALSE(view->hasFocus());
}

TEST_F(KeyboardTest, F1ShowsTheHandbook)
{
    ASSERT_FALSE(HandbookDialog::text().isEmpty());
    key(&frame, Qt::Key_F1);
    ASSERT_NE(frame.handbook(), nullptr);
    EXPECT_TRUE(frame.handbook()->isVisible());
    const QString shown = frame.handbook()->browser()->toPlainText();
    for (const char* section : {"Typing equations", "Sketching", "Reshaping", "The library", "Keys"})
        EXPECT_TRUE(shown.contains(section)) << section;
    EXPECT_FALSE(shown.contains("](")) << "Markdown shown as rich text, not as source";
}

}  // namespace
