// SPDX-License-Identifier: MIT
// The Attribute Point Options dialog on a real graph: it shows the point,
// every control edits the live point and repaints, Cancel (or closing) puts
// the point back as it was, OK keeps it as one undo step.
#include <gtest/gtest.h>

#include <QtGui/QUndoStack>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <functional>
#include <memory>

#include "app/window/AttribDialog.h"
#include "gui/DialogTestSupport.h"

namespace {

class AttribDialogTest : public ::testing::Test, public DialogGraph {
public:
    void SetUp() override
    {
        curve = add("y = x^2");
        ASSERT_NE(curve, nullptr);
        // "X Caption" at (2, 4): x label shown, dashed guide to the x-axis.
        graph.setPopupTarget(curve, PointF(2, 4));
        graph.addAttribPoint(PRESET_X_CAPTION);
        ASSERT_EQ(curve->attribPoints().size(), 1u);
        open();
    }
    void open()
    {
        dialog = std::make_unique<AttribDialog>(graph, history, curve, 0);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    const AttribPoint& point() const { return curve->attribPoints()[0]; }
    template <typename T>
    T* find(const QString& name)
    {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(const QString& name)
    {
        QAbstractButton* b = find<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, ClickPoint(b));
    }
    void choose(const QString& list, int entry)
    {
        QComboBox* combo = find<QComboBox>(list);
        combo->setCurrentIndex(entry);
        emit combo->activated(entry);
    }
    void type(const QString& edit, const QString& text)
    {
        QLineEdit* e = find<QLineEdit>(edit);
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    EquationObject* curve = nullptr;
    std::unique_ptr<AttribDialog> dialog;
};

TEST_F(AttribDialogTest, OpeningShowsThePoint)
{
    EXPECT_EQ(find<QLineEdit>("xEdit")->text(), "2");
    EXPECT_EQ(find<QLineEdit>("yEdit")->text(), "4");
    EXPECT_FALSE(find<QLineEdit>("yEdit")->isEnabled());
    EXPECT_EQ(find<QComboBox>("pointTypeList")->currentIndex(), 0);
    EXPECT_EQ(find<QComboBox>("pointTypeList")->count(), 7);
    EXPECT_TRUE(find<QAbstractButton>("xValueValueRadio")->isChecked());
    EXPECT_TRUE(find<QAbstractButton>("yValueDisableRadio")->isChecked());
    EXPECT_EQ(find<QComboBox>("xValueStippleList")->currentIndex(), AttribPoint::LINE_DASHED);
    EXPECT_EQ(find<QComboBox>("xValueWidthList")->currentIndex(), 0);
    for (const char* group : {"xValue", "yValue", "xLength", "yLength"}) {
        EXPECT_FALSE(find<QLineEdit>(QString(group) + "TextEdit")->isEnabled()) << group;
        EXPECT_EQ(find<QComboBox>(QString(group) + "StippleList")->count(), 3) << group;
        EXPECT_EQ(find<QComboBox>(QString(group) + "WidthList")->count(), 3) << group;
    }
}

TEST_F(AttribDialogTest, EveryControlHasAName)
{
    EXPECT_EQ(UnnamedControls(*dialog).join(", ").toStdString(), "");
}

struct EditCase {
    const char* name;
    std::function<void(AttribDialogTest&)> act;
    std::function<void(const AttribPoint&)> check;
};

TEST_F(AttribDialogTest, EachControlEditsTheLivePointAndRepaints)
{
    using T = AttribDialogTest;
    const EditCase cases[] = {
        {"marker", [](T& t) { t.choose("pointTypeList", 4); }, [](const AttribPoint& p) { EXPECT_EQ(p.pointType, 4); }},
        {"y value radio", [](T& t) { t.click("yValueValueRadio"); },
         [](const AttribPoint& p) { EXPECT_EQ(p.axis[AttribPoint::Y].valueType, AttribPoint::LABEL_VALUE); }},
        {"x length text",
         [](T& t) {
             t.click("xLengthTextRadio");
             EXPECT_TRUE(t.find<QLineEdit>("xLengthTextEdit")->isEnabled());
             t.type("xLengthTextEdit", "h");
         },
         [](const AttribPoint& p) {
             EXPECT_EQ(p.axis[AttribPoint::X].lengthType, AttribPoint::LABEL_TEXT);
             EXPECT_EQ(p.axis[AttribPoint::X].lengthText.ToText(MathEx::TEXT_PLAIN), "h");
         }},
        {"y value colour",
         [](T& t) {
             chooserAnswers(QColor(0, 0, 255));
             t.click("yValueColourButton");
         },
         [](const AttribPoint& p) { EXPECT_EQ(p.axis[AttribPoint::Y].valueColor, ColorF(0, 0, 1, 1)); }},
        {"y length stipple", [](T& t) { t.choose("yLengthStippleList", 1); },
         [](const AttribPoint& p) { EXPECT_EQ(p.axis[AttribPoint::Y].guideType, AttribPoint::LINE_SOLID); }},
        {"x value width", [](T& t) { t.choose("xValueWidthList", 2); },
         [](const AttribPoint& p) { EXPECT_EQ(p.axis[AttribPoint::X].lineWidth, 3); }},
        {"x length width", [](T& t) { t.choose("xLengthWidthList", 1); },
         [](const AttribPoint& p) { EXPECT_EQ(p.axis[AttribPoint::X].guideWidth, 2); }},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int repaints = listener.repaints;
        c.act(*this);
        c.check(point());
        EXPECT_GT(listener.repaints, repaints);
    }
}

TEST_F(AttribDialogTest, CancelAndClosingRestoreThePoint)
{
    for (const bool byClosing : {false, true}) {
        SCOPED_TRACE(byClosing ? "close" : "cancel");
        const int steps = history.stack()->count();
        chooserAnswers(QColor(255, 0, 0));
        click("xValueColourButton");
        choose("pointTypeList", 6);
        ASSERT_EQ(point().axis[AttribPoint::X].valueColor, ColorF(1, 0, 0, 1));
        ASSERT_EQ(point().pointType, 6);
        const int repaints = listener.repaints;
        if (byClosing)
            dialog->close();
        else
            click("cancelButton");
        EXPECT_EQ(point().axis[AttribPoint::X].valueColor, ColorF(0, 0, 0, 1));
        EXPECT_EQ(point().pointType, 0);
        EXPECT_GT(listener.repaints, repaints);
        EXPECT_EQ(history.stack()->count(), steps);
        open();
    }
}

TEST_F(AttribDialogTest, OkAfterTypingXMovesThePointAlongItsCurve)
{
    const int steps = history.stack()->count();
    type("xEdit", "3");
    EXPECT_FLOAT_EQ(point().position.x, 3);
    EXPECT_FLOAT_EQ(point().position.y, 9);
    EXPECT_EQ(find<QLineEdit>("yEdit")->text(), "9");
    click("okButton");
    EXPECT_FLOAT_EQ(point().position.x, 3);
    EXPECT_FLOAT_EQ(point().position.y, 9);
    EXPECT_EQ(history.stack()->count(), steps + 1);
    // The whole dialog is one step.
    history.stack()->undo();
    ASSERT_EQ(graph.equation(0)->attribPoints().size(), 1u);
    EXPECT_FLOAT_EQ(graph.equation(0)->attribPoints()[0].position.x, 2);
}

TEST_F(AttribDialogTest, TextThatIsNoNumberLeavesThePoint)
{
    // Each text arrives whole, as a paste over the selection would bring it.
    QLineEdit* x = find<QLineEdit>("xEdit");
    for (const char* text : {"abc", "(((", "1e999", "", "x + 1"}) {
        SCOPED_TRACE(text);
        x->setText(text);
        emit x->textEdited(text);
        EXPECT_FLOAT_EQ(point().position.x, 2);
        EXPECT_FLOAT_EQ(point().position.y, 4);
    }
}

TEST_F(AttribDialogTest, FirstWidthEntryIsWidthOneAndIsSelectedOnReopening)
{
    choose("yValueWidthList", 2);
    click("okButton");
    open();
    EXPECT_EQ(find<QComboBox>("yValueWidthList")->currentIndex(), 2);
    choose("yValueWidthList", 0);
    EXPECT_EQ(point().axis[AttribPoint::Y].lineWidth, 1);
    click("okButton");
    open();
    EXPECT_EQ(find<QComboBox>("yValueWidthList")->currentIndex(), 0);
}

TEST_F(AttribDialogTest, ApplyChangesNothing)
{
    choose("pointTypeList", 3);
    const int repaints = listener.repaints, steps = history.stack()->count();
    click("applyButton");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(point().pointType, 3);
    EXPECT_EQ(listener.repaints, repaints);
    EXPECT_EQ(history.stack()->count(), steps);
}

TEST_F(AttribDialogTest, TheMarkerListDrawsTheMarkers)
{
    QComboBox* markers = find<QComboBox>("pointTypeList");
    markers->setCurrentIndex(4);  // the filled black square
    const QImage square = markers->grab().toImage();
    const QRect field(4, 4, markers->width() - 30, markers->height() - 8);
    EXPECT_GT(DarkPixels(square, field, 60), 30);
}

}  // namespace
