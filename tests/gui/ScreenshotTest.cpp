// SPDX-License-Identifier: MIT
// The README's pictures of the window, made from the real window: saved when
// KVR_SCREENSHOTS names a folder (`KVR_SCREENSHOTS=$PWD/docs
// tests/gui/with-display.sh build/tests/test_gui --gtest_filter='*Screenshot*'`
// from the repository). The pictures that only show are skipped otherwise; the
// sketch is checked either way.
#include <gtest/gtest.h>

#include <cmath>

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtGui/QAction>
#include <QtWidgets/QListWidget>

#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "graph/EquationObject.h"

namespace {

class Screenshot : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = qEnvironmentVariable("KVR_SCREENSHOTS");
        if (!folder.isEmpty()) QDir().mkpath(folder);
        frame.resize(1000, 750);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    void enter(const char* text, ColorF colour)
    {
        frame.view()->graph().setColour(colour);
        frame.entryEdit()->setText(QString::fromUtf8(text));
        frame.enterEquation();
    }
    QPoint at(double x, double y) const
    {
        const PointF p = frame.view()->graph().viewport().graphToScreen(x, y);
        return QPoint(int(p.x), int(p.y));
    }
    void save(const char* name)
    {
        if (folder.isEmpty()) return;
        QApplication::processEvents();
        QTest::qWait(100);
        ASSERT_TRUE(frame.grab().save(QDir(folder).filePath(name)));
    }
    void onlyForPictures()
    {
        if (folder.isEmpty()) GTEST_SKIP() << "set KVR_SCREENSHOTS to a folder to make the pictures";
    }

    QString folder;
    CMainFrame frame;
};

TEST_F(Screenshot, Empty)
{
    onlyForPictures();
    save("window-empty.png");
}

TEST_F(Screenshot, Lesson)
{
    onlyForPictures();
    GraphManager& graph = frame.view()->graph();
    enter("y = x^2 - 2", ColorF(0.8f, 0, 0, 1));
    enter("y = 0.5x + 1", ColorF(0, 0, 0.85f, 1));
    enter("y = 2sin(x) - 5", ColorF(0, 0.5f, 0, 1));
    for (int i = 0; i < graph.equationCount(); ++i) graph.equation(i)->setDisplayText(true);
    EquationObject* parabola = graph.equation(0);
    parabola->setMensurationEnabled(true);
    parabola->setMensurationRange(-1, 2);
    graph.setPopupTarget(parabola, PointF(2.5f, 4.25f));
    graph.addAttribPoint(PRESET_XY_CAPTION);
    graph.toggleIntersections();
    graph.select(parabola);
    frame.view()->update();
    // The sample library is scanned in the background; the closest lessons follow.
    auto* candidates = frame.findChild<QListWidget*>("candidatesList");
    ASSERT_NE(candidates, nullptr);
    for (int i = 0; i < 100 && candidates->count() == 0; ++i) QTest::qWait(50);
    save("window-lesson.png");
}

// The same lesson as a projector shows it to the back row: View > Presentation.
TEST_F(Screenshot, ProjectedLesson)
{
    onlyForPictures();
    GraphManager& graph = frame.view()->graph();
    enter("y = x^2 - 2", ColorF(0.8f, 0, 0, 1));
    enter("y = 0.5x + 1", ColorF(0, 0, 0.85f, 1));
    for (int i = 0; i < graph.equationCount(); ++i) graph.equation(i)->setDisplayText(true);
    graph.toggleIntersections();
    graph.addPaintedDomain(PaintedDomain{ColorF(0, 0.6f, 0, 1), PointF(0.3f, 0.5f)});
    QAction* present = frame.command(QStringLiteral("presentation"));
    ASSERT_NE(present, nullptr);
    present->trigger();
    frame.view()->update();
    save("window-projected.png");
    present->trigger();
}

TEST_F(Screenshot, PenSketchOfAnEllipse)
{
    CKVRView* view = frame.view();
    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, at(-7, 6));  // pen input
    auto stroke = [&](const std::vector<QPointF>& points) {
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at(points[0].x(), points[0].y()));
        for (const QPointF& p : points) QTest::mouseMove(view, at(p.x(), p.y()));
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at(points.back().x(), points.back().y()));
    };
    std::vector<QPointF> axis, ellipse;
    for (int i = 0; i <= 20; ++i) axis.emplace_back(-6 + 12.0 * i / 20, 1 + 0.02 * i);
    for (int i = 0; i <= 72; ++i) {
        const double t = 2 * M_PI * i / 72;
        ellipse.emplace_back(5 * std::cos(t) + 0.1 * std::sin(3 * t), 1 + 3 * std::sin(t));
    }
    stroke(axis);
    stroke(ellipse);
    save("window-pen-sketch.png");
    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, at(-7, 6));  // recognise
    save("window-pen-recognised.png");

    // The sketch became the ellipse it looks like: every point of the sketch
    // lies within a few tenths of a unit of the recognised curve, which is
    // drawn there.
    GraphManager& graph = view->graph();
    ASSERT_EQ(graph.equationCount(), 1);
    const EquationObject& curve = *graph.equation(0);
    ASSERT_EQ(curve.expression()->type, MathEx::PT_ELLIPSE) << curve.text();
    const QImage picture = view->captureImage();
    const qreal ratio = picture.devicePixelRatio();
    int inked = 0;
    const MathEx::MathExp& e = *curve.expression();
    for (const QPointF& q : ellipse) {
        // The distance to the curve, to first order: |F| / |grad F|.
        const double h = 1e-4, f = e.Value(q.x(), q.y());
        const double gx = (e.Value(q.x() + h, q.y()) - e.Value(q.x() - h, q.y())) / (2 * h);
        const double gy = (e.Value(q.x(), q.y() + h) - e.Value(q.x(), q.y() - h)) / (2 * h);
        const double distance = std::fabs(f) / std::hypot(gx, gy);
        EXPECT_LT(distance, 0.4) << "at (" << q.x() << ", " << q.y() << ") of " << curve.text();
        const QPoint p = at(q.x() - f * gx / (gx * gx + gy * gy), q.y() - f * gy / (gx * gx + gy * gy));
        bool dark = false;
        for (int dy = -2; dy <= 2 && !dark; ++dy)
            for (int dx = -2; dx <= 2 && !dark; ++dx)
                dark = QColor(picture.pixel(int((p.x() + dx) * ratio), int((p.y() + dy) * ratio))).value() < 100;
        inked += dark;
    }
    EXPECT_GE(inked, int(ellipse.size()) - 2) << "the ellipse is drawn where it is";
}

}  // namespace
