// SPDX-License-Identifier: MIT
// View > Presentation: the whole screen with only the entry bar, the graph's
// lines and labels larger; Esc, F5 or the command give the window back as it
// was, and nothing of it reaches a saved document or an exported picture.
#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QToolBar>

#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "graph/EquationObject.h"

namespace {

class PresentationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.setMessageHandler([this](const QString& m, const QString&) { errors << m; });
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QApplication::setActiveWindow(&frame);
        settle();
    }
    GraphManager& graph() { return frame.view()->graph(); }
    void settle()
    {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }
    void key(int k)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &frame, Qt::Key(k));
        settle();
    }
    void type(const char* equation)
    {
        frame.entryEdit()->setText(equation);
        frame.enterEquation();
        ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    }
    QByteArray savedBytes(const QString& path)
    {
        EXPECT_TRUE(frame.saveFile(path)) << errors.join("; ").toStdString();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    // Which of the window's bars are shown, by name: what a presentation
    // hides and must give back.
    QStringList shownBars()
    {
        QStringList shown;
        for (QToolBar* bar : frame.findChildren<QToolBar*>())
            if (bar->isVisible()) shown << bar->objectName();
        for (QDockWidget* dock : frame.findChildren<QDockWidget*>())
            if (dock->isVisible()) shown << dock->objectName();
        if (frame.menuBar()->isVisible()) shown << "menuBar";
        if (frame.statusBar()->isVisible()) shown << "statusBar";
        shown.sort();
        return shown;
    }
    // The red ink of a picture per column: the thickness of a red curve
    // across it, in pixels (partly covered pixels count in part).
    static double redThickness(const QImage& picture)
    {
        double ink = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                // Red over white or over the grey grid: red well above the others.
                if (c.red() - c.green() > 40 && std::abs(c.green() - c.blue()) < 30)
                    ink += (c.red() - c.green()) / 255.0;
            }
        return ink / picture.width();
    }

    CMainFrame frame;
    QStringList errors;
};

// F5 gives the graph the whole screen: only the entry bar stays, and the
// curves, axes and labels are drawn 1.6 times as large.
TEST_F(PresentationTest, EnteringShowsTheWholeScreenWithOnlyTheEntryBar)
{
    graph().setColour(ColorF(1, 0, 0, 1));
    type("y = 1");
    EquationObject* line = graph().equation(0);
    line->setDisplayText(true);
    frame.view()->update();
    const QImage usual = frame.view()->captureImage();
    const double upy = graph().viewport().unitsPerPixelY();
    const double usualLabel = (line->labelBox().top - line->labelBox().bottom) / upy;
    ASSERT_GT(usualLabel, 5) << "the label was drawn";

    key(Qt::Key_F5);

    EXPECT_TRUE(frame.isPresenting());
    EXPECT_TRUE(frame.isFullScreen());
    EXPECT_TRUE(frame.command("presentation")->isChecked());
    EXPECT_EQ(shownBars(), QStringList{"entryBar"});
    EXPECT_DOUBLE_EQ(frame.view()->magnification(), CMainFrame::kPresentationMagnification);
    const QImage presented = frame.view()->captureImage();
    const double thicker = redThickness(presented) / redThickness(usual);
    EXPECT_GT(thicker, 1.35) << "usual " << redThickness(usual) << ", presented " << redThickness(presented);
    EXPECT_LT(thicker, 1.85) << "usual " << redThickness(usual) << ", presented " << redThickness(presented);
    const double presentedLabel = (line->labelBox().top - line->labelBox().bottom) / upy;
    EXPECT_NEAR(presentedLabel / usualLabel, 1.6, 0.15) << "the label is set larger and measured so";
    // The entry bar still takes equations.
    type("y = -1");
    EXPECT_EQ(graph().equationCount(), 2);

    frame.entryEdit()->setFocus();
    key(Qt::Key_Escape);
    EXPECT_FALSE(frame.isPresenting());
    EXPECT_DOUBLE_EQ(frame.view()->magnification(), 1.0);
    EXPECT_TRUE(frame.entryEdit()->hasFocus()) << "typing goes on in the entry bar";
}

// However it was entered and left, the window comes back as it was: its
// state and geometry, the bars and docks, the status and menu bars, and the
// picture of the graph.
struct RestoreCase {
    const char* name;
    const char* enter;  // "F5" or "menu"
    const char* leave;  // "Esc", "F5" or "menu"
    void (*arrange)(CMainFrame&);
};

const RestoreCase kRestores[] = {
    {"AsItOpens", "F5", "Esc", [](CMainFrame&) {}},
    {"SideBarClosedZoomBarOpen", "menu", "F5",
     [](CMainFrame& f) {
         f.command("sideBar")->trigger();
         f.command("zoomBar")->trigger();
     }},
    {"NoStatusBarNoToolbars", "F5", "menu",
     [](CMainFrame& f) {
         f.command("statusBar")->trigger();
         f.command("toolbar")->trigger();
         f.command("paletteBar")->trigger();
     }},
    {"SmallerWindow", "menu", "Esc", [](CMainFrame& f) { f.resize(860, 640); }},
    {"NarrowWindowYieldsTheSideBar", "F5", "Esc", [](CMainFrame& f) { f.resize(600, 560); }},
    {"FullScreenAlready", "F5", "Esc", [](CMainFrame& f) { f.command("fullScreen")->trigger(); }},
};

class PresentationRestore : public PresentationTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(PresentationRestore, LeavingGivesTheWindowBackAsItWas)
{
    const RestoreCase& c = GetParam();
    type("y = x^2 - 2");
    c.arrange(frame);
    settle();
    const QStringList bars = shownBars();
    const QRect geometry = frame.geometry();
    const Qt::WindowStates state = frame.windowState();
    const QByteArray layout = frame.saveState();
    const bool fullScreenChecked = frame.command("fullScreen")->isChecked();
    const QSize viewSize = frame.view()->size();
    const QImage picture = frame.view()->captureImage();

    if (std::string(c.enter) == "F5") key(Qt::Key_F5);
    else frame.command("presentation")->trigger();
    ASSERT_TRUE(frame.isPresenting());
    EXPECT_EQ(shownBars(), QStringList{"entryBar"});

    if (std::string(c.leave) == "Esc") key(Qt::Key_Escape);
    else if (std::string(c.leave) == "F5") key(Qt::Key_F5);
    else frame.command("presentation")->trigger();

    EXPECT_FALSE(frame.isPresenting());
    EXPECT_FALSE(frame.command("presentation")->isChecked());
    EXPECT_EQ(shownBars(), bars);
    EXPECT_EQ(frame.windowState(), state);
    EXPECT_EQ(frame.geometry(), geometry);
    EXPECT_EQ(frame.saveState(), layout);
    EXPECT_EQ(frame.command("fullScreen")->isChecked(), fullScreenChecked);
    EXPECT_EQ(frame.view()->size(), viewSize);
    EXPECT_DOUBLE_EQ(frame.view()->magnification(), 1.0);
    EXPECT_EQ(frame.view()->captureImage(), picture) << "the graph drawn as before";
    // Esc is the view's and the edit's again.
    EXPECT_FALSE(frame.command("leavePresentation")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, PresentationRestore, ::testing::ValuesIn(kRestores),
                         [](const auto& info) { return std::string(info.param.name); });

// A document saved while presenting is the one saved before, byte for byte
// (its thumbnail included), and so is one saved after.
TEST_F(PresentationTest, ASaveWhilePresentingIsTheSaveBefore)
{
    type("y = x^2 - 2");
    type("y = 2x + 1");
    graph().equation(0)->setDisplayText(true);
    frame.command("intersections")->trigger();
    frame.resize(900, 640);
    settle();
    QTemporaryDir dir;
    const QByteArray before = savedBytes(dir.filePath("before.kvr"));
    ASSERT_FALSE(before.isEmpty());

    key(Qt::Key_F5);
    ASSERT_TRUE(frame.isPresenting());
    frame.view()->captureImage();  // drawn magnified at least once
    EXPECT_EQ(savedBytes(dir.filePath("presenting.kvr")), before);

    key(Qt::Key_Escape);
    EXPECT_EQ(savedBytes(dir.filePath("after.kvr")), before);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

// Exported pictures keep the usual look while presenting: the picture of
// "Export to Image File" and the clipboard's carry the usual line width.
TEST_F(PresentationTest, PicturesKeepTheUsualLook)
{
    graph().setColour(ColorF(1, 0, 0, 1));
    type("y = 1");
    const double exported = redThickness(frame.view()->captureCleanImage());
    const double copied = redThickness(frame.view()->renderImage(1.0));
    ASSERT_GT(exported, 0.5);

    frame.command("presentation")->trigger();
    ASSERT_TRUE(frame.isPresenting());
    EXPECT_NEAR(redThickness(frame.view()->captureCleanImage()), exported, 0.1 * exported);
    EXPECT_NEAR(redThickness(frame.view()->renderImage(1.0)), copied, 0.1 * copied);
    EXPECT_GT(redThickness(frame.view()->captureImage()), 1.35 * exported) << "the screen is presenting";
    frame.command("presentation")->trigger();
}

// Closing while presenting remembers the window as the teacher arranged it.
TEST_F(PresentationTest, ClosingWhilePresentingRemembersTheUsualWindow)
{
    key(Qt::Key_F5);
    ASSERT_TRUE(frame.isPresenting());
    ASSERT_TRUE(frame.close());
    EXPECT_FALSE(frame.isPresenting());

    CMainFrame reopened;
    reopened.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reopened));
    settle();
    EXPECT_FALSE(reopened.isFullScreen());
    EXPECT_TRUE(reopened.menuBar()->isVisible());
    EXPECT_TRUE(reopened.mainToolBar()->isVisible());
    EXPECT_TRUE(reopened.sideDock()->isVisible());
    EXPECT_TRUE(reopened.statusBar()->isVisible());
}

}  // namespace
