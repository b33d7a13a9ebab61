// SPDX-License-Identifier: MIT
// The two option dialogs with a realistic selection, as the README shows
// them: a narrow side bar never cuts a control off, and every style list
// shows its sample. With KVR_SCREENSHOTS set the pictures are saved there
// (docs/equation-options.png, docs/attribute-point.png).
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QCheckBox>

#include "app/window/AttribDialog.h"
#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/window/EqOptionDialog.h"
#include "gui/DialogTestSupport.h"

namespace {

void Save(QWidget* widget, const char* name)
{
    const QString dir = qEnvironmentVariable("KVR_SCREENSHOTS");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    EXPECT_TRUE(widget->grab().save(QDir(dir).filePath(name)));
}

// Every style list of `dialog` shows ink in its box (a sample or a text).
void ExpectInkInEveryList(QWidget& dialog)
{
    for (QComboBox* list : dialog.findChildren<QComboBox*>()) {
        const QImage image = list->grab().toImage();
        EXPECT_GT(DarkPixels(image, QRect(4, 3, image.width() - 28, image.height() - 6), 140), 5)
            << list->objectName().toStdString();
    }
}

TEST(DialogScreenshotTest, EquationOptionsInANarrowSideBar)
{
    DialogGraph g;
    EquationObject* e = g.add("y = 0.5*x^2 - x - 1.5");
    ASSERT_NE(e, nullptr);
    e->setDisplayText(true);
    e->setExtremePointsShown(true);
    e->setLineWidth(2);
    e->setColour(ColorF(0, 0, 1, 1));
    e->setMensurationEnabled(true);
    e->setMensurationRange(-1, 3);
    g.graph.select(e);

    EqOptionDialog page(g.graph, g.history);
    page.RefreshOptions();
    // At its narrowest the page is still a side bar's width, and every control fits.
    EXPECT_LE(page.minimumWidth(), 270);
    page.resize(page.minimumWidth(), 700);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QWidget* content = page.findChild<QWidget*>("equationOptionsContent");
    ASSERT_NE(content, nullptr);
    EXPECT_GE(content->width(), content->minimumSizeHint().width());
    EXPECT_TRUE(page.findChild<QScrollArea*>()->verticalScrollBar()->isVisible()) << "it scrolls vertically";
    ExpectInkInEveryList(page);
    content->resize(content->width(), content->sizeHint().height());
    Save(content, "equation-options.png");
}

TEST(DialogScreenshotTest, AttributePointOptions)
{
    DialogGraph g;
    EquationObject* e = g.add("y = x^2");
    ASSERT_NE(e, nullptr);
    g.graph.setPopupTarget(e, PointF(2, 4));
    g.graph.addAttribPoint(PRESET_XY_CAPTION);
    AttribPoint p = e->attribPoints()[0];
    p.pointType = 1;
    p.axis[AttribPoint::X].lengthType = AttribPoint::LABEL_TEXT;
    p.setXLengthText("h");
    p.axis[AttribPoint::X].guideType = AttribPoint::LINE_SOLID;
    p.axis[AttribPoint::X].valueColor = ColorF(1, 0, 0, 1);
    e->setAttribPoint(0, p);

    AttribDialog dialog(g.graph, g.history, e, 0);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ExpectInkInEveryList(dialog);
    // Nothing is squeezed below its own minimum.
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (w->isVisible()) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
        }
    }
    Save(&dialog, "attribute-point.png");
}

// The window with the page beside the graph: what the page switched on is drawn.
TEST(DialogScreenshotTest, TheWindowShowsWhatThePageSwitchedOn)
{
    CMainFrame frame;
    frame.resize(1000, 750);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.findChild<QTabWidget*>("sideTabs")->setCurrentWidget(frame.optionsPage());
    frame.entryEdit()->setText("y = 0.5*x^2 - x - 1.5");
    frame.enterEquation();
    GraphManager& graph = frame.view()->graph();
    ASSERT_EQ(graph.equationCount(), 1);
    graph.select(graph.equation(0));
    const QImage before = frame.view()->captureImage();
    for (const char* name : {"displayTextCheck", "extremePointsCheck", "mensurationCheck"}) {
        auto* box = frame.optionsPage()->findChild<QCheckBox*>(name);
        frame.optionsPage()->findChild<QScrollArea*>()->ensureWidgetVisible(box);
        QTest::mouseClick(box, Qt::LeftButton, {}, ClickPoint(box));
    }
    auto* from = frame.optionsPage()->findChild<QLineEdit*>("mensurationFromEdit");
    auto* to = frame.optionsPage()->findChild<QLineEdit*>("mensurationToEdit");
    from->setText("-1");
    to->setText("3");
    auto* apply = frame.optionsPage()->findChild<QAbstractButton*>("applyMensurationButton");
    frame.optionsPage()->findChild<QScrollArea*>()->ensureWidgetVisible(apply);
    QTest::mouseClick(apply, Qt::LeftButton);
    const QImage after = frame.view()->captureImage();
    EXPECT_TRUE(graph.equation(0)->displayText());
    EXPECT_TRUE(graph.equation(0)->extremePointsShown());
    EXPECT_TRUE(graph.equation(0)->mensurationEnabled());
    auto reds = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 180 && c.green() < 100 && c.blue() < 100) ++n;
            }
        return n;
    };
    // Mensuration rectangles and the extreme point's mark are red.
    EXPECT_GT(reds(after), reds(before) + 200);
    Save(&frame, "window-options.png");
}

}  // namespace
