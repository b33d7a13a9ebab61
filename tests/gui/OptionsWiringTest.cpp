// SPDX-License-Identifier: MIT
// The option dialogs inside the window: the side bar's page follows the
// selection and the undo history, its notes reach the status bar, and the
// attribute point's "Options" opens the dialog for the point right-clicked.
#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QUndoStack>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTabWidget>
#include <cmath>

#include "app/window/AttribDialog.h"
#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/window/EqOptionDialog.h"
#include "graph/EquationObject.h"
#include "gui/DialogTestSupport.h"

namespace {

class OptionsWiringTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.findChild<QTabWidget*>("sideTabs")->setCurrentWidget(frame.optionsPage());
    }
    GraphManager& graph() { return frame.view()->graph(); }
    EquationObject* enter(const char* text)
    {
        frame.entryEdit()->setText(text);
        frame.enterEquation();
        return graph().equations().empty() ? nullptr : graph().equation(graph().equationCount() - 1);
    }
    template <typename T>
    T* find(const char* name)
    {
        T* w = frame.optionsPage()->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    CMainFrame frame;
};

TEST_F(OptionsWiringTest, ThePageFollowsTheSelectionAndTheHistory)
{
    ASSERT_EQ(frame.optionsPage()->objectName(), "equationOptionsPage");
    EXPECT_EQ(find<QLabel>("typeLabel")->text(), "Type : None     ");
    graph().select(enter("y = x^2 - 1"));
    EXPECT_EQ(find<QLabel>("primitiveTypeLabel")->text(), "Primitive Type : Quadratic");

    QCheckBox* extremes = find<QCheckBox>("extremePointsCheck");
    QTest::mouseClick(extremes, Qt::LeftButton, {}, ClickPoint(extremes));
    ASSERT_TRUE(graph().selected()->extremePointsShown());
    frame.command("undo")->trigger();
    EXPECT_FALSE(graph().selected()->extremePointsShown());
    EXPECT_FALSE(extremes->isChecked()) << "the page follows undo";
    frame.command("redo")->trigger();
    EXPECT_TRUE(extremes->isChecked()) << "and redo";

    // With no history left (a document just opened) undo pops the equation's last display action.
    frame.view()->history().clear();
    frame.command("undo")->trigger();
    ASSERT_NE(graph().selected(), nullptr);
    EXPECT_FALSE(graph().selected()->extremePointsShown());
    EXPECT_FALSE(extremes->isChecked());
}

TEST_F(OptionsWiringTest, ANewDocumentShowsNothingSelected)
{
    graph().select(enter("y = x^2"));
    frame.view()->history().stack()->setClean();  // nothing to ask about saving
    frame.command("new")->trigger();
    EXPECT_EQ(find<QLabel>("typeLabel")->text(), "Type : None     ");
    EXPECT_FALSE(find<QLineEdit>("equationEdit")->isEnabled());
}

TEST_F(OptionsWiringTest, AnEquationThatDoesNotReadIsExplainedInTheStatusBar)
{
    graph().select(enter("y = x^2"));
    QLineEdit* edit = find<QLineEdit>("equationEdit");
    edit->setText("y = (x");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "y=x^2");
    // The engine's reason, with its place.
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains("missing ')'")) << frame.statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains("column 5"));
}

TEST_F(OptionsWiringTest, AttributePointOptionsOpensForThePointRightClicked)
{
    EquationObject* curve = enter("y = x^2");
    ASSERT_NE(curve, nullptr);
    graph().setPopupTarget(curve, PointF(1, 1));
    graph().addAttribPoint(PRESET_PLAIN);
    const PointF at = graph().viewport().graphToScreen(1, 1);
    const QPoint pixel(int(std::lround(at.x)), int(std::lround(at.y)));
    QTest::mousePress(frame.view(), Qt::RightButton, {}, pixel);
    QTest::mouseRelease(frame.view(), Qt::RightButton, {}, pixel);
    ASSERT_EQ(graph().hitCode(), HIT_ATTRIB_POINT);
    QMenu* menu = frame.view()->popupMenu("right click on attribute point");
    menu->hide();

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<AttribDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen = dialog->windowTitle() == "Attribute Point Options";
        auto* x = dialog->findChild<QLineEdit*>("xEdit");
        x->selectAll();
        QTest::keyClicks(x, "-2");
        dialog->accept();
    });
    menu->actions().front()->trigger();  // "Options"
    EXPECT_TRUE(seen);
    ASSERT_EQ(graph().equationCount(), 1);
    const AttribPoint& p = graph().equation(0)->attribPoints().at(0);
    EXPECT_FLOAT_EQ(p.position.x, -2);
    EXPECT_FLOAT_EQ(p.position.y, 4);
    frame.command("undo")->trigger();
    EXPECT_FLOAT_EQ(graph().equation(0)->attribPoints().at(0).position.x, 1);
}

}  // namespace
