// SPDX-License-Identifier: MIT
// The graph view on a real display: pointer events reach the graph, and what
// the graph does shows up in the pixels the view draws.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <algorithm>
#include <functional>

#include "app/window/CKVRView.h"
#include "graph/EquationObject.h"

namespace {

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.resize(600, 500);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        QApplication::processEvents();
    }

    // The client pixel where a graph point is drawn.
    QPoint at(double x, double y) const
    {
        const PointF p = view.graph().viewport().graphToScreen(x, y);
        return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
    }

    // Pixels within `radius` of a client pixel that pass a test.
    static int count(const QImage& image, QPoint centre, int radius, const std::function<bool(QColor)>& test)
    {
        int n = 0;
        const qreal ratio = image.devicePixelRatio();
        const QPoint c(int(centre.x() * ratio), int(centre.y() * ratio));
        for (int y = c.y() - radius; y <= c.y() + radius; ++y)
            for (int x = c.x() - radius; x <= c.x() + radius; ++x)
                if (image.valid(x, y) && test(image.pixelColor(x, y))) ++n;
        return n;
    }
    // The value (0 black … 255 white) of the darkest pixel within `radius`.
    static int darkest(const QImage& image, QPoint centre, int radius)
    {
        int least = 255;
        count(image, centre, radius, [&](QColor c) {
            least = std::min(least, c.value());
            return false;
        });
        return least;
    }
    static bool red(QColor c) { return c.red() > 180 && c.green() < 120 && c.blue() < 120; }
    static bool dark(QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; }

    EquationObject* addRed(const char* text)
    {
        view.graph().setColour(ColorF(1, 0, 0, 1));
        view.enterEquation(QString::fromLatin1(text));
        return view.graph().equations().empty() ? nullptr : view.graph().equations().back().get();
    }

    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(&view, button, Qt::NoModifier, p);
        QTest::mouseRelease(&view, button, Qt::NoModifier, p);
        QApplication::processEvents();
    }

    CKVRView view;
};

TEST_F(ViewTest, TypedEquationIsDrawnOnItsPixels)
{
    ASSERT_NE(addRed("y = x^2 - 2"), nullptr);
    const QImage image = view.captureImage();
    EXPECT_EQ(image.size(), view.size() * view.devicePixelRatio());
    EXPECT_GT(count(image, at(0, -2), 2, red), 0) << "the vertex";
    EXPECT_GT(count(image, at(2, 2), 2, red), 0) << "the curve at x = 2";
    EXPECT_EQ(count(image, at(2, -1), 3, red), 0) << "nothing off the curve";
}

TEST_F(ViewTest, ClickSelectsAndShowsTheFrame)
{
    EquationObject* parabola = addRed("y = x^2 - 2");
    ASSERT_NE(parabola, nullptr);
    parabola->setPlotBox(-9, 9, 9, -9);  // a box of its own, inside the view (a new curve's is the view)
    click(at(-5, 5));  // white space: nothing selected
    const QPoint edge = at(-9, 2.5);  // its left side
    const int before = darkest(view.captureImage(), edge, 4);

    QSignalSpy selection(&view, &CKVRView::selectionChangedTo);
    click(at(1, -1));
    ASSERT_GE(selection.count(), 1);
    EXPECT_EQ(selection.last().at(0).value<EquationObject*>(), parabola);
    const QImage shot = view.captureImage();
    if (qEnvironmentVariableIsSet("KVR_TEST_SHOTS")) shot.save("/tmp/shots/frame.png");
    const int after = darkest(shot, edge, 4);
    // The frame is drawn over a grid line: black dashes on grey.
    EXPECT_LT(after, before - 40) << "the dashed selection frame";
}

TEST_F(ViewTest, DraggingACurveMovesItsPixels)
{
    ASSERT_NE(addRed("y = x^2 - 2"), nullptr);
    const QPoint from = at(1, -1), to = at(3, -1);  // two units to the right
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 10; ++i) QTest::mouseMove(&view, from + (to - from) * i / 10);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, to);
    QApplication::processEvents();
    const QImage image = view.captureImage();
    EXPECT_GT(count(image, at(2, -2), 2, red), 0) << "the vertex moved to (2, -2)";
    EXPECT_EQ(count(image, at(0, -2), 2, red), 0) << "nothing left at the old vertex";
}

TEST_F(ViewTest, WheelChangesTheScale)
{
    const double before = view.graph().viewport().scale;
    QWheelEvent wheel(QPointF(300, 250), view.mapToGlobal(QPointF(300, 250)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_NEAR(view.graph().viewport().scale, before * 0.9, 1e-12) << "forward shows more detail";
}

TEST_F(ViewTest, RightClickOpensTheGraphsMenus)
{
    struct Row {
        const char* where;
        QPoint point;
        const char* popup;
        QStringList texts;
    };
    EquationObject* parabola = addRed("y = x^2 - 2");
    ASSERT_NE(parabola, nullptr);
    click(at(1, -1));  // select it: white space offers tangents only for a selected polynomial
    const Row rows[] = {
        {"on the curve", at(1.5, 0.25), "right click on equation",
         {"&Display Equation", "Attribute point", "X Caption", "Y Caption", "X, Y Caption", "Tangent Line",
          "Delete"}},
        {"on white space", at(-5, 5), "right click on white space",
         {"Tangent Line"}},
    };
    for (const Row& row : rows) {
        click(row.point, Qt::RightButton);
        EXPECT_EQ(view.lastPopupName(), row.popup) << row.where;
        QMenu* menu = view.popupMenu(row.popup);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible()) << row.where;
        QStringList texts;
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) texts << action->text();
        EXPECT_EQ(texts, row.texts) << row.where;
        menu->hide();
    }
}

TEST_F(ViewTest, PopupCommandAddsAnAttributePoint)
{
    EquationObject* parabola = addRed("y = x^2 - 2");
    ASSERT_NE(parabola, nullptr);
    click(at(1.5, 0.25), Qt::RightButton);
    QMenu* menu = view.popupMenu("right click on equation");
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
        if (action->text() == "X, Y Caption") action->trigger();
    menu->hide();
    ASSERT_EQ(parabola->attribPoints().size(), 1u);
    EXPECT_NEAR(parabola->attribPoints()[0].position.x, 1.5, 0.1);
}

TEST_F(ViewTest, DoubleClickEntersPenInputWithTheCrossHair)
{
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, at(-5, 5));
    EXPECT_TRUE(view.graph().penInputChecked());
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    // A second double click finishes the (empty) sketch and leaves pen input.
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, at(-5, 5));
    EXPECT_FALSE(view.graph().penInputChecked());
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewTest, PaintModeShowsThePaintCursor)
{
    view.graph().togglePaint();
    QTest::mouseMove(&view, at(-5, 5));
    EXPECT_EQ(view.cursor().shape(), Qt::BitmapCursor);
}

TEST_F(ViewTest, DeleteKeyRemovesTheSelectedEquation)
{
    ASSERT_NE(addRed("y = x^2 - 2"), nullptr);
    click(at(1, -1));
    ASSERT_EQ(view.graph().equations().size(), 1u);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_TRUE(view.graph().equations().empty());
    EXPECT_EQ(count(view.captureImage(), at(0, -2), 2, red), 0);
}

TEST_F(ViewTest, ResizeKeepsTheOriginAtTheCentre)
{
    view.resize(800, 300);
    QApplication::processEvents();
    QTest::qWait(50);
    const QImage image = view.captureImage();
    EXPECT_EQ(image.size(), QSize(800, 300) * view.devicePixelRatio());
    EXPECT_EQ(view.graph().viewport().width, 800);
    EXPECT_EQ(view.graph().viewport().height, 300);
    EXPECT_EQ(at(0, 0), QPoint(400, 150));
    EXPECT_GT(count(image, QPoint(400, 100), 1, [](QColor c) { return c.value() < 200; }), 0) << "the y axis";
}

TEST_F(ViewTest, CleanCaptureLeavesOutGridAndSelectionButTheScreenKeepsThem)
{
    ASSERT_NE(addRed("y = x^2 - 2"), nullptr);
    click(at(1, -1));
    auto gridAt = [&](const QImage& image) {
        // A grid line between the axes and away from the curve and frame.
        return count(image, at(-6, 6.5), 0, [](QColor c) { return c.value() < 235; }) +
               count(image, at(-6.5, 6), 0, [](QColor c) { return c.value() < 235; });
    };
    const QImage clean = view.captureCleanImage();
    EXPECT_EQ(gridAt(clean), 0) << "no grid in the exported picture";
    EXPECT_GT(darkest(clean, at(-9, 2.5), 4), 200) << "no selection frame (and no grid under it)";
    EXPECT_GT(count(clean, at(0, -2), 2, red), 0) << "the curve is there";
    EXPECT_TRUE(view.graph().showGrid());
    EXPECT_GT(gridAt(view.captureImage()), 0) << "the screen shows the grid again";
}

}  // namespace

namespace {

// Run with QT_SCALE_FACTOR=2 (the gui_hidpi test does): the graph is drawn at
// the device's pixels, labels and lines included, not a 100 % picture scaled up.
TEST(ViewHiDpi, DrawsAtTheDevicePixels)
{
    CKVRView view;
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != "2") GTEST_SKIP() << "run with QT_SCALE_FACTOR=2";
    ASSERT_EQ(view.devicePixelRatioF(), 2.0);
    view.graph().setColour(ColorF(1, 0, 0, 1));
    ASSERT_NE(view.graph().addEquationFromText("y = x"), nullptr);
    view.graph().equation(0)->setDisplayText(true);
    const QImage image = view.captureImage();
    ASSERT_EQ(image.size(), QSize(600, 400)) << "device pixels";
    // A one-unit line is two device pixels wide: the ink across it at (1, 1) is
    // about twice what a 100 % line has, and its middle is solid.
    const PointF p = view.graph().viewport().graphToScreen(1, 1);
    int red = 0;
    for (int dy = -6; dy <= 6; ++dy) {
        const QColor c = image.pixelColor(int(p.x * 2), int(p.y * 2) + dy);
        if (c.red() > 150 && c.green() < 150) ++red;
    }
    EXPECT_GE(red, 2);
    // The label is typeset at twice the pixels: some of its ink is not aligned
    // to a 2 × 2 block, which a scaled-up picture would be.
    bool fine = false;
    for (int y = 0; y + 1 < image.height() && !fine; y += 2)
        for (int x = 0; x + 1 < image.width() && !fine; x += 2) {
            const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y), c = image.pixel(x, y + 1);
            if (qRed(a) > 100 && qGreen(a) < 100 && (a != b || a != c)) fine = true;
        }
    EXPECT_TRUE(fine);
}

}  // namespace
