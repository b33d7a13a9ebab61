// SPDX-License-Identifier: MIT
// The main window as a teacher meets it: the command table's texts, keys and
// toolbar, the bars, and the commands that reach the graph.
#include <gtest/gtest.h>

#include <cmath>

#include <QtCore/QMimeData>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtGui/QScreen>
#include <QtGui/QClipboard>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QSlider>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QToolBar>

#include "app/window/CBmpButton.h"
#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/window/PalleteButton.h"
#include "app/window/ZoomDialogBar.h"
#include "graph/EquationObject.h"
#include "render/GraphPage.h"

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    GraphManager& graph() { return frame.view()->graph(); }

    CMainFrame frame;
};

// Text and keys of every menu entry, menu by menu, in order (separators and
// the recent-file entries left out).
TEST_F(MainFrameTest, MenusFollowTheCommandTable)
{
    struct Entry {
        const char* text;
        QList<QKeySequence> keys;
    };
    const QList<QPair<QString, QList<Entry>>> menus = {
        {"&File",
         {{"&New", {QKeySequence("Ctrl+N")}},
          {"&Open...", {QKeySequence("Ctrl+O")}},
          {"&Save", {QKeySequence("Ctrl+S")}},
          {"Save &As...", {QKeySequence("Ctrl+Shift+S")}},
          {"Export to PS", {}},
          {"Export to &Image File", {}},
          {"Export to S&VG...", {}},
          {"Export to P&DF...", {}},
          {"&Print...", {QKeySequence("Ctrl+P")}},
          {"Print Pre&view", {}},
          {"P&rint Setup...", {}},
          {"E&xit", {QKeySequence("Ctrl+Q")}}}},
        {"&Edit",
         {{"&Undo", {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
          {"&Redo", {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}},
          {"Cu&t", {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
          {"&Copy", {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
          {"&Paste", {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
          {"Copy &Graph", {QKeySequence("Ctrl+Shift+C")}},
          {"Domain", {}}}},
        {"&View",
         {{"&Toolbar", {}},
          {"&Status Bar", {}},
          {"S&ide Bar", {}},
          {"Zoom Bar", {}},
          {"Pallete Bar", {}},
          {"Axis &Numbers", {}},
          {"Zoom &In", QKeySequence::keyBindings(QKeySequence::ZoomIn)},
          {"Zoom &Out", QKeySequence::keyBindings(QKeySequence::ZoomOut)},
          {"&Actual Size", {QKeySequence("Ctrl+0")}},
          {"&Full Screen", frame.command("fullScreen")->shortcuts()},
          {"&Presentation", {QKeySequence("F5")}}}},
        {"&Options", {{"Show &Intersection", {}}, {"&Configuration", {}}}},
        {"&Help", {{"KVR &Handbook", {QKeySequence("F1")}}, {"&About KVR...", {}}}},
    };
    // The standard keys as this desktop spells them, and the ones a teacher expects anywhere.
    EXPECT_TRUE(QKeySequence::keyBindings(QKeySequence::ZoomIn).contains(QKeySequence("Ctrl++")));
    EXPECT_TRUE(QKeySequence::keyBindings(QKeySequence::ZoomOut).contains(QKeySequence("Ctrl+-")));
    EXPECT_TRUE(frame.command("fullScreen")->shortcuts().contains(QKeySequence("F11")));
    const QList<QAction*> bar = frame.menuBar()->actions();
    ASSERT_EQ(bar.size(), menus.size());
    for (int m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(bar[m]->text(), menus[m].first);
        QList<QAction*> entries;
        for (QAction* a : bar[m]->menu()->actions())
            if (!a->isSeparator() && !a->objectName().startsWith("recent")) entries << a;
        ASSERT_EQ(entries.size(), menus[m].second.size()) << menus[m].first.toStdString();
        for (int i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i]->text(), menus[m].second[i].text);
            EXPECT_EQ(entries[i]->shortcuts(), menus[m].second[i].keys) << menus[m].second[i].text;
        }
    }
}

// Copy Graph: a picture at twice the view's resolution with the labels and
// without the selection, and a drawing a slide program can read; the view
// and the graph are as they were.
TEST_F(MainFrameTest, CopyGraphPutsAPictureAndADrawingOnTheClipboard)
{
    frame.entryEdit()->setText("y = x^2 - 2");
    frame.enterEquation();
    EquationObject* parabola = graph().equation(0);
    parabola->setDisplayText(true);
    graph().select(parabola);
    const QImage before = frame.view()->captureImage();
    QApplication::clipboard()->clear();

    frame.command("copyGraph")->trigger();

    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat("image/png"));
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(data->data("image/png"), "PNG"));
    const double ratio = 2 * frame.view()->devicePixelRatioF();
    EXPECT_EQ(picture.width(), int(std::lround(frame.view()->width() * ratio)));
    EXPECT_EQ(picture.height(), int(std::lround(frame.view()->height() * ratio)));
    // The selection's blue control points are not in the picture; the black curve is.
    int blue = 0, dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            blue += c.blue() > 200 && c.red() < 60 && c.green() < 60;
            dark += c.red() < 60 && c.green() < 60 && c.blue() < 60;
        }
    if (qEnvironmentVariableIsSet("KVR_TEST_SHOTS")) picture.save("/tmp/shots/copy-graph.png");
    EXPECT_EQ(blue, 0);
    EXPECT_GT(dark, 500);
    // Upright: the vertex (0, −2) lies where the view draws it, below the x axis.
    const PointF vertex = graph().viewport().graphToScreen(0, -2);
    int vertexInk = 0;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx)
            vertexInk += picture.pixelColor(int(vertex.x * ratio) + dx, int(vertex.y * ratio) + dy).lightness() < 100;
    EXPECT_GT(vertexInk, 0) << "the picture is upright";
    ASSERT_TRUE(data->hasFormat("image/svg+xml"));
    QSvgRenderer drawing(data->data("image/svg+xml"));
    EXPECT_TRUE(drawing.isValid());

    EXPECT_EQ(graph().selected(), parabola);
    EXPECT_TRUE(parabola->displayText());
    EXPECT_EQ(frame.view()->captureImage(), before) << "the view draws as before";
}

// A window saved larger than this screen (another screen, or a smaller
// QT_SCALE_FACTOR) opens within the screen's available area.
TEST(MainFrameScreen, ARestoredWindowNeverOpensLargerThanTheScreen)
{
    {
        CMainFrame big;
        big.setGeometry(-300, -200, 5000, 4000);
        QSettings settings;
        settings.setValue("Window/Geometry", big.saveGeometry());
    }
    CMainFrame frame;
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QRect area = frame.screen()->availableGeometry();
    EXPECT_LE(frame.width(), area.width());
    EXPECT_LE(frame.height(), area.height());
    EXPECT_GE(frame.x(), area.left());
    EXPECT_GE(frame.y(), area.top());
    QSettings().remove("Window/Geometry");
}

// A narrow window gives the graph the room: the side bar hides and comes
// back when the window is wide again; one the teacher closed stays closed.
TEST_F(MainFrameTest, InANarrowWindowTheSideBarYieldsToTheGraph)
{
    ASSERT_TRUE(frame.sideDock()->isVisible());
    frame.resize(400, 300);
    QApplication::processEvents();
    EXPECT_FALSE(frame.sideDock()->isVisible());
    EXPECT_GT(frame.view()->width(), 300) << "the graph takes the window's width";
    frame.resize(1000, 750);
    QApplication::processEvents();
    EXPECT_TRUE(frame.sideDock()->isVisible());

    frame.command("sideBar")->trigger();  // the teacher closes it
    ASSERT_FALSE(frame.sideDock()->isVisible());
    frame.resize(400, 300);
    QApplication::processEvents();
    frame.resize(1000, 750);
    QApplication::processEvents();
    EXPECT_FALSE(frame.sideDock()->isVisible());
}

TEST_F(MainFrameTest, ToolbarInItsOrderWithTips)
{
    QStringList names, tips;
    for (QAction* a : frame.mainToolBar()->actions()) {
        names << (a->isSeparator() ? QString("|") : a->objectName());
        if (!a->isSeparator()) tips << a->toolTip();
    }
    EXPECT_EQ(names, QStringList({"new", "open", "save", "|", "exportPs", "|", "grid", "axis", "|", "pen",
                                  "deleteEquation", "|", "mensuration", "graphUndo"}));
    EXPECT_TRUE(tips.contains("Show/Hide Grid"));
    EXPECT_TRUE(tips.contains("Show/Hide Axis"));
    EXPECT_TRUE(tips.contains("Pen Input"));
    EXPECT_TRUE(tips.contains("Mensuration By Part"));
    for (QAction* a : frame.mainToolBar()->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        }
    }
}

TEST_F(MainFrameTest, ZoomBarStartsHiddenAndItsMinimumIsATenth)
{
    EXPECT_FALSE(frame.zoomDock()->isVisible());
    frame.command("zoomBar")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(frame.zoomDock()->isVisible());
    frame.zoomBar()->xSlider()->setValue(frame.zoomBar()->xSlider()->minimum());
    frame.zoomBar()->ySlider()->setValue(25);
    EXPECT_DOUBLE_EQ(graph().viewport().xZoom, 0.1);
    EXPECT_DOUBLE_EQ(graph().viewport().yZoom, 2.5);
    EXPECT_EQ(frame.findChild<QLabel*>("xZoomValue")->text(), "0.1");
    EXPECT_EQ(frame.findChild<QLabel*>("yZoomValue")->text(), "2.5");
}

// The next equation is typed into an empty edit, and the earlier ones are an
// arrow key away, as in a shell.
TEST_F(MainFrameTest, ReturnEntersTheEquationEmptiesTheEditAndUpRecallsIt)
{
    frame.entryEdit()->setFocus();
    QTest::keyClicks(frame.entryEdit(), "y = x");
    QTest::keyClick(frame.entryEdit(), Qt::Key_Return);
    ASSERT_EQ(graph().equations().size(), 1u);
    EXPECT_EQ(frame.entryEdit()->text(), "");
    EXPECT_TRUE(frame.isWindowModified());
    QTest::keyClicks(frame.entryEdit(), "y = 2");
    QTest::keyClick(frame.entryEdit(), Qt::Key_Return);
    ASSERT_EQ(graph().equations().size(), 2u);
    EXPECT_EQ(graph().equation(1)->text(), "y=2") << "not appended to the previous text";

    QTest::keyClicks(frame.entryEdit(), "y = -x");  // being typed when the walk starts
    const struct {
        Qt::Key key;
        const char* text;
    } walk[] = {{Qt::Key_Up, "y = 2"},  {Qt::Key_Up, "y = x"},   {Qt::Key_Up, "y = x"},
                {Qt::Key_Down, "y = 2"}, {Qt::Key_Down, "y = -x"}, {Qt::Key_Down, "y = -x"}};
    for (const auto& step : walk) {
        QTest::keyClick(frame.entryEdit(), step.key);
        EXPECT_EQ(frame.entryEdit()->text(), step.text);
    }
    QTest::keyClick(frame.entryEdit(), Qt::Key_Up);
    QTest::keyClick(frame.entryEdit(), Qt::Key_Return);  // a recalled equation enters again
    EXPECT_EQ(graph().equations().size(), 3u);
    EXPECT_EQ(frame.entryEdit()->text(), "");

    // A failed entry keeps its text for the correction and is not remembered.
    QTest::keyClicks(frame.entryEdit(), "y = 2 +");
    QTest::keyClick(frame.entryEdit(), Qt::Key_Return);
    EXPECT_EQ(frame.entryEdit()->text(), "y = 2 +");
    EXPECT_EQ(frame.entryEdit()->history(), QStringList({"y = x", "y = 2"}));

    // Return elsewhere is left alone.
    frame.view()->setFocus();
    QTest::keyClick(frame.view(), Qt::Key_Return);
    EXPECT_EQ(graph().equations().size(), 3u);
}

TEST_F(MainFrameTest, PaletteAndPaintButton)
{
    QTest::mouseClick(frame.colourButton(1), Qt::LeftButton);
    EXPECT_EQ(graph().currentColour().r, 1.0f);
    EXPECT_EQ(graph().currentColour().g, 0.0f);
    // A right click gives another button a new colour (as the colour chooser
    // does) but picks nothing: the drawing colour stays.
    emit frame.colourButton(2)->colourChanged(QColor(Qt::magenta));
    EXPECT_EQ(graph().currentColour().r, 1.0f);
    EXPECT_EQ(graph().currentColour().b, 0.0f);
    ASSERT_NE(frame.paintButton(), nullptr);
    QTest::mouseClick(frame.paintButton(), Qt::LeftButton);
    EXPECT_EQ(graph().mode(), MODE_PAINT);
    EXPECT_TRUE(frame.command("domain")->isChecked());
    EXPECT_EQ(frame.paintButton()->look(), CBmpButton::Pressed);
    frame.command("domain")->trigger();
    EXPECT_EQ(graph().mode(), MODE_IDLE);
    EXPECT_FALSE(frame.paintButton()->isChecked());
}

TEST_F(MainFrameTest, ToolCommandsFollowTheGraph)
{
    EXPECT_FALSE(frame.command("mensuration")->isEnabled()) << "nothing selected";
    EXPECT_FALSE(frame.command("graphUndo")->isEnabled()) << "nothing to undo";
    EXPECT_TRUE(frame.command("grid")->isChecked());
    frame.command("grid")->trigger();
    EXPECT_FALSE(graph().showGrid());
    EXPECT_FALSE(frame.command("grid")->isChecked());
    frame.entryEdit()->setText("y = x");
    frame.enterEquation();
    EXPECT_TRUE(frame.command("graphUndo")->isEnabled());
    frame.command("pen")->trigger();
    EXPECT_TRUE(frame.command("pen")->isChecked());
    frame.command("pen")->trigger();
    EXPECT_FALSE(frame.command("pen")->isChecked());
}

TEST_F(MainFrameTest, SvgAndPdfExportsDrawTheGraph)
{
    graph().setColour(ColorF(1, 0, 0, 1));
    frame.entryEdit()->setText("y = x^2 - 2");
    frame.enterEquation();
    QTemporaryDir dir;
    const QString svg = dir.filePath("graph.svg"), pdf = dir.filePath("graph.pdf");
    ASSERT_TRUE(ExportSvg(graph(), svg));
    ASSERT_TRUE(ExportPdf(graph(), pdf));

    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    const Viewport& v = graph().viewport();
    QImage image(v.width, v.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, v.width, v.height));
    painter.end();
    auto redNear = [&](double x, double y) {
        const PointF p = v.graphToScreen(x, y);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QColor c = image.pixelColor(int(p.x) + dx, int(p.y) + dy);
                if (c.red() > 180 && c.green() < 120 && c.blue() < 120) return true;
            }
        return false;
    };
    EXPECT_TRUE(redNear(0, -2)) << "the vertex in the SVG";
    EXPECT_TRUE(redNear(2, 2));
    EXPECT_FALSE(redNear(2, -1));

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_FALSE(ExportSvg(graph(), dir.filePath("missing/folder/graph.svg")));
    EXPECT_FALSE(ExportPdf(graph(), dir.path()));
}

}  // namespace

namespace {

TEST_F(MainFrameTest, UndoAndRedoWalkTheHistory)
{
    auto enter = [&](const char* text) {
        frame.entryEdit()->setText(text);
        frame.enterEquation();
    };
    enter("y = x^2 - 2");
    enter("y = x");
    frame.command("grid")->trigger();
    ASSERT_EQ(graph().equations().size(), 2u);
    EXPECT_TRUE(frame.isWindowModified());

    frame.command("undo")->trigger();  // the grid comes back
    EXPECT_TRUE(graph().showGrid());
    frame.command("undo")->trigger();  // the line goes
    EXPECT_EQ(graph().equations().size(), 1u);
    frame.command("undo")->trigger();  // the parabola goes
    EXPECT_TRUE(graph().equations().empty());
    EXPECT_FALSE(frame.isWindowModified()) << "back where the document started";

    frame.command("redo")->trigger();
    frame.command("redo")->trigger();
    ASSERT_EQ(graph().equations().size(), 2u);
    EXPECT_EQ(graph().equation(1)->text(), "y=x");
    EXPECT_TRUE(graph().showGrid()) << "the grid step is still to redo";
    EXPECT_TRUE(frame.command("redo")->isEnabled());
}

}  // namespace

namespace {

TEST_F(MainFrameTest, AnEquationThatCannotBeReadSaysWhyInTheStatusBar)
{
    frame.entryEdit()->setText("y = 2 +");
    frame.enterEquation();
    EXPECT_TRUE(graph().equations().empty());
    EXPECT_EQ(frame.entryEdit()->text(), "y = 2 +") << "the text stays to be corrected";
    const QString message = frame.statusBar()->currentMessage();
    EXPECT_EQ(message, "Cannot read the equation at column 8: expected a number, a name or '(' after '+'");
    EXPECT_EQ(frame.entryEdit()->cursorPosition(), 7) << "the caret where the reading stopped";

    frame.entryEdit()->setText("y = (x - 1 * 3");
    frame.enterEquation();
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains("missing ')' for the '(' at column 5"))
        << frame.statusBar()->currentMessage().toStdString();

    // Two equations run together, and equations that read but draw nothing.
    const struct {
        const char* text;
        const char* message;
    } refused[] = {
        {"y = xy = 2", "Cannot read the equation at column 8: '=' may stand only once (there is one at column 3)"},
        {"x^2 + y^2 = -4", "The equation adds nothing: no real points"},
        {"y = sqrt(-1 - x^2)", "The equation adds nothing: no real points"},
        {"hello", "The equation adds nothing: no x or y to plot"},
    };
    for (const auto& r : refused) {
        frame.entryEdit()->setText(r.text);
        frame.enterEquation();
        EXPECT_EQ(frame.statusBar()->currentMessage(), r.message) << r.text;
        EXPECT_EQ(frame.entryEdit()->text(), r.text) << "kept for the correction";
    }
    EXPECT_TRUE(graph().equations().empty());
    // A plain number is still what it was: a line, or a label.
    for (const char* kept : {"y = 3", "5"}) {
        frame.entryEdit()->setText(kept);
        frame.enterEquation();
    }
    EXPECT_EQ(graph().equationCount(), 2);
}

}  // namespace

namespace {

TEST_F(MainFrameTest, WithTheSideBarClosedAnEquationIsSearchedForWhenItOpens)
{
    auto* candidates = frame.findChild<QListWidget*>("candidatesList");
    ASSERT_NE(candidates, nullptr);
    frame.command("sideBar")->trigger();
    QApplication::processEvents();
    ASSERT_FALSE(frame.sideDock()->isVisible());
    QSignalSpy searches(&frame, &CMainFrame::candidatesRequested);
    frame.entryEdit()->setText("y = x^2");
    frame.enterEquation();
    EXPECT_EQ(graph().equations().size(), 1u);
    EXPECT_EQ(searches.count(), 0);
    EXPECT_EQ(candidates->count(), 0);

    frame.command("sideBar")->trigger();  // open again: the page catches up with the graph
    QApplication::processEvents();
    EXPECT_GE(searches.count(), 1);
    for (int i = 0; i < 100 && candidates->count() == 0; ++i) QTest::qWait(50);
    EXPECT_GT(candidates->count(), 0) << "the sample library's closest lessons";
    CFeature shown;
    graph().computeFeature(shown);
    EXPECT_EQ(frame.searchedFeature().elements, shown.elements);
}

}  // namespace
