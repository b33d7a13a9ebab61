// SPDX-License-Identifier: MIT
// A lesson from start to end, through the window as a teacher drives it:
// type, select, drag, annotate, toggle, zoom, paint, undo and redo, save,
// close, reopen — the graph comes back the same — and every export.
#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtSvg/QSvgRenderer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QSlider>
#include <memory>

#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/cli/GraphDump.h"
#include "app/window/ZoomDialogBar.h"
#include "graph/EquationObject.h"
#include "render/GraphExport.h"
#include "render/GraphPage.h"
#include "render/ImageExport.h"
#include "support/Ghostscript.h"

namespace {

// What a document keeps of a graph: the dump without the state of the
// pointer and the selection, which belong to the session.
QJsonObject Kept(const GraphManager& graph)
{
    QJsonObject dump = QJsonDocument::fromJson(GraphToJson(graph, "")).object();
    for (const char* key : {"mode", "hitCode", "popup", "status", "selected"}) dump.remove(key);
    QJsonArray equations;
    for (const QJsonValue& e : dump["equations"].toArray()) {
        QJsonObject o = e.toObject();
        o.remove("selected");
        equations.append(o);
    }
    dump["equations"] = equations;
    return dump;
}

class Lesson : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<CMainFrame>();
        frame->setMessageHandler([this](const QString& m, const QString&) { errors << m; });
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    CKVRView* view() { return frame->view(); }
    GraphManager& graph() { return view()->graph(); }
    QPoint at(double x, double y)
    {
        const PointF p = graph().viewport().graphToScreen(x, y);
        return QPoint(int(std::lround(p.x)), int(std::lround(p.y)));
    }
    void type(const char* text)
    {
        frame->entryEdit()->clear();
        frame->entryEdit()->setFocus();
        QTest::keyClicks(frame->entryEdit(), text);
        QTest::keyClick(frame->entryEdit(), Qt::Key_Return);
    }
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(view(), button, Qt::NoModifier, p);
        QTest::mouseRelease(view(), button, Qt::NoModifier, p);
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(view(), Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 8; ++i) QTest::mouseMove(view(), from + (to - from) * i / 8);
        QTest::mouseRelease(view(), Qt::LeftButton, Qt::NoModifier, to);
    }

    std::unique_ptr<CMainFrame> frame;
    QStringList errors;
};

TEST_F(Lesson, FromStartToEndAndBackFromTheFile)
{
    type("y = x^2 - 2");
    type("y = x");
    ASSERT_EQ(graph().equationCount(), 2);
    click(at(1.5, 0.25));  // the parabola
    ASSERT_NE(graph().selected(), nullptr);
    EXPECT_EQ(graph().selected()->text(), "y=x^2-2");
    drag(at(1.5, 0.25), at(2.5, 0.25));  // one unit to the right
    EXPECT_EQ(graph().selected()->expression()->type, MathEx::PT_QUADRATIC);
    EXPECT_NEAR(graph().selected()->expression()->coeffs[1], -2.0, 0.1) << "vertex now at x = 1";

    click(at(3, 2), Qt::RightButton);  // on the moved parabola: y = (3 - 1)^2 - 2
    ASSERT_EQ(view()->lastPopupName(), "right click on equation");
    for (QAction* a : view()->popupMenu("right click on equation")->actions())
        if (a->text() == "X, Y Caption") a->trigger();
    view()->popupMenu("right click on equation")->hide();
    ASSERT_EQ(graph().selected()->attribPoints().size(), 1u);

    frame->command("grid")->trigger();
    frame->command("axis")->trigger();
    frame->command("zoomBar")->trigger();
    frame->zoomBar()->xSlider()->setValue(15);
    EXPECT_DOUBLE_EQ(graph().viewport().xZoom, 1.5);
    frame->command("domain")->trigger();  // paint
    click(at(-6, 8));
    frame->command("domain")->trigger();
    ASSERT_EQ(graph().paintedDomains().size(), 1u);

    // Undo three times (the region, the zoom, the axis), redo twice.
    for (int i = 0; i < 3; ++i) frame->command("undo")->trigger();
    EXPECT_TRUE(graph().paintedDomains().empty());
    EXPECT_DOUBLE_EQ(graph().viewport().xZoom, 1.0);
    EXPECT_EQ(frame->zoomBar()->xZoom(), 1.0) << "the zoom bar follows";
    EXPECT_TRUE(graph().showAxis());
    EXPECT_FALSE(graph().showGrid());
    for (int i = 0; i < 2; ++i) frame->command("redo")->trigger();
    EXPECT_FALSE(graph().showAxis());
    EXPECT_DOUBLE_EQ(graph().viewport().xZoom, 1.5);
    EXPECT_TRUE(graph().paintedDomains().empty());
    EXPECT_TRUE(frame->isWindowModified());

    QTemporaryDir dir;
    const QString path = dir.filePath("lesson.kvr");
    ASSERT_TRUE(frame->saveFile(path)) << errors.join("; ").toStdString();
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(frame->documentPath(), path);
    QAction* recent = frame->findChild<QAction*>("recent0");
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->isVisible());
    EXPECT_EQ(recent->text(), "&1 lesson.kvr") << "the File menu lists the saved lesson";
    const QJsonObject before = Kept(graph());

    // Every export of the same graph.
    const std::string ps = dir.filePath("lesson.ps").toStdString();
    ASSERT_TRUE(ExportPostScript(graph(), ps));
    if (ghostscript::Available()) {
        EXPECT_EQ(ghostscript::Errors(ps), "");
    }
    const QImage picture = view()->captureCleanImage();
    ASSERT_TRUE(SaveImagePng(picture, dir.filePath("lesson.png").toStdString()));
    EXPECT_EQ(QImage(dir.filePath("lesson.png")).size(), picture.size());
    ASSERT_TRUE(ExportSvg(graph(), dir.filePath("lesson.svg")));
    EXPECT_TRUE(QSvgRenderer(dir.filePath("lesson.svg")).isValid());
    ASSERT_TRUE(ExportPdf(graph(), dir.filePath("lesson.pdf")));
    QFile pdf(dir.filePath("lesson.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    // Close, and open the file in a new window.
    frame->close();
    frame = std::make_unique<CMainFrame>();
    frame->setMessageHandler([this](const QString& m, const QString&) { errors << m; });
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    ASSERT_TRUE(frame->openFile(path)) << errors.join("; ").toStdString();
    const QJsonObject after = Kept(graph());
    EXPECT_EQ(after, before) << QJsonDocument(before).toJson(QJsonDocument::Compact).toStdString() << "\n"
                             << QJsonDocument(after).toJson(QJsonDocument::Compact).toStdString();
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(frame->zoomBar()->xZoom(), 1.5) << "the zoom bar shows the document's zoom";
    EXPECT_FALSE(graph().showGrid()) << "the grid and the axes as the lesson was saved";
    EXPECT_FALSE(graph().showAxis());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(Lesson, ADroppedDocumentOpens)
{
    type("y = x^2");
    type("y = x");
    QTemporaryDir dir;
    const QString path = dir.filePath("dropped.kvr");
    ASSERT_TRUE(frame->saveFile(path));
    frame->command("new")->trigger();
    ASSERT_EQ(graph().equationCount(), 0);

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint where(frame->width() / 2, frame->height() / 2);
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(where), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(graph().equationCount(), 2);
    EXPECT_EQ(frame->documentPath(), path);

    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(dir.filePath("picture.png"))});
    QDragEnterEvent refused(where, Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(frame.get(), &refused);
    EXPECT_FALSE(refused.isAccepted()) << "only .kvr documents are taken";
}

TEST_F(Lesson, AFileThatCannotBeOpenedSaysSoAndKeepsTheGraph)
{
    type("y = x");
    QTemporaryDir dir;
    QFile junk(dir.filePath("junk.kvr"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("<KVR><numeqns>1</numeqns><equation><equation_str>y = (</equation_str></equation></KVR");
    junk.close();
    EXPECT_FALSE(frame->openFile(junk.fileName()));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Failed to open document.");
    EXPECT_EQ(graph().equationCount(), 1) << "the graph on screen is kept";

    errors.clear();
    EXPECT_FALSE(frame->saveFile(dir.path()));  // a folder
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Failed to save document.");
}

}  // namespace
