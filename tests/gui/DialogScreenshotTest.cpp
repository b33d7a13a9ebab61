// The two option dialogs with a realistic selection, as the README shows
// them: a narrow side bar never cuts a control off, and every style list
// shows its sample. With KVR_SCREENSHOT_DIR set the pictures are saved there
// (docs/equation-options.png, docs/attribute-point.png).
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include "app/AttribDialog.h"
#include "app/EqOptionDialog.h"
#include "gui/DialogTestSupport.h"

namespace {

void Save(QWidget* widget, const char* name)
{
    const QString dir = qEnvironmentVariable("KVR_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
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
    page.resize(260, 700);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    // The content fits the narrow width; it scrolls only vertically.
    QWidget* content = page.findChild<QWidget*>("equationOptionsContent");
    ASSERT_NE(content, nullptr);
    const int scrollBar = page.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_LE(content->minimumSizeHint().width(), 260 - scrollBar) << content->minimumSizeHint().width();
    EXPECT_FALSE(page.findChild<QScrollArea*>()->horizontalScrollBar()->isVisible());
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
    p.xLengthType = AttribPoint::LABEL_TEXT;
    p.setXLengthText("h");
    p.xGuideType = AttribPoint::LINE_SOLID;
    p.xValueColor = ColorF(1, 0, 0, 1);
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

}  // namespace
