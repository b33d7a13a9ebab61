// SPDX-License-Identifier: MIT
// The Equation Options page on a real graph: what it shows for each kind of
// equation, what it enables, and that every control edits the selected
// equation at once, repaints and makes one undo step.
#include <gtest/gtest.h>

#include <QtGui/QUndoStack>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollArea>
#include <cmath>
#include <functional>

#include "app/window/EqOptionDialog.h"
#include "app/window/SampleComboBox.h"
#include "graph/Mensuration.h"
#include "gui/DialogTestSupport.h"

namespace {

class EqOptionDialogTest : public ::testing::Test, public DialogGraph {
public:
    void SetUp() override
    {
        listener.onSelection = [this](EquationObject*) { page.RefreshOptions(); };
        page.resize(320, 900);
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    }
    template <typename T>
    T* find(const char* name)
    {
        T* w = page.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* label) { return find<QLabel>(label)->text(); }
    EquationObject* select(const char* equation)
    {
        EquationObject* e = add(equation);
        graph.select(e);
        return e;
    }
    // Clicks a check box, radio or button as the user does.
    // (Test clicks go through the window: the control is scrolled into view first.)
    void click(const char* name)
    {
        QAbstractButton* button = find<QAbstractButton>(name);
        page.findChild<QScrollArea*>()->ensureWidgetVisible(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, ClickPoint(button));
    }
    void type(const char* edit, const QString& text)
    {
        QLineEdit* e = find<QLineEdit>(edit);
        e->clear();
        QTest::keyClicks(e, text);
    }
    void choose(const char* list, int entry)
    {
        QComboBox* combo = find<QComboBox>(list);
        combo->setCurrentIndex(entry);
        emit combo->activated(entry);
    }

    EqOptionDialog page{graph, history};
};

struct TextCase {
    const char* equation;
    const char* type;
    const char* primitive;
    const char* information;
    bool extremePoints;  // "Display Extreme Points" enabled
};

TEST_F(EqOptionDialogTest, TextsAndExtremePointsPerPrimitiveType)
{
    const TextCase cases[] = {
        {"y = 1.234*x + 0.5", "Type : Explicit", "Primitive Type : Line", "a : 1.23\nb : 0.5", false},
        {"x - 2 = 0", "Type : Implicit", "Primitive Type : Line", "a : 0\nb : 2", false},
        {"y = x^2 - 4", "Type : Explicit", "Primitive Type : Quadratic", "a : 1\nb : 0\nc : -4", true},
        {"y = x^3 - 2*x", "Type : Explicit", "Primitive Type : Cubic", "a : 1\nb : 0\nc : -2\nd : 0", true},
        {"y = x^4 - x^2", "Type : Explicit", "Primitive Type : Quartic", "a : 1\nb : 0\nc : -1\nd : 0\ne : 0", true},
        {"y = 2*sin(3*x + 1) - 4", "Type : Explicit", "Primitive Type : Sine", "a : 2\nb : 3\nc : 1\nd : -4", false},
        {"y = cos(x)", "Type : Explicit", "Primitive Type : Cosine", "a : 1\nb : 1\nc : 0\nd : 0", false},
        {"y = 0.5*tan(2*x) + 1", "Type : Explicit", "Primitive Type : Tangent", "a : 0.5\nb : 2\nc : 0\nd : 1", false},
        {"y = 3*log(x + 2)", "Type : Explicit", "Primitive Type : Logarithm", "a : 3\nb : 1\nc : 2\nd : 0", false},
        {"y = 2^(x + 1) + 3", "Type : Explicit", "Primitive Type : Exponential", "a : 2\nb : 1\nc : 3\nd : 0", false},
        {"x^2/9 + y^2/4 - 1 = 0", "Type : Implicit", "Primitive Type : Ellipse", "center : 0 0\na : 3\nb : 2\ntheta : 0",
         false},
        {"x^2/4 - y^2 - 1 = 0", "Type : Implicit", "Primitive Type : Hyperbola", "center : 0 0\na : 2\nb : 1\ntheta : 0",
         false},
        {"y^2 - 4*x = 0", "Type : Implicit", "Primitive Type : Parabola", "center : 0 0\na : 1\ntheta : 0", false},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.equation);
        EquationObject* e = select(c.equation);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(text("typeLabel"), c.type);
        EXPECT_EQ(text("primitiveTypeLabel"), c.primitive);
        EXPECT_EQ(text("primitiveInfoLabel"), c.information);
        EXPECT_EQ(find<QLineEdit>("equationEdit")->text(), QString::fromStdString(e->text()));
        EXPECT_EQ(find<QCheckBox>("extremePointsCheck")->isEnabled(), c.extremePoints);
    }
}

TEST_F(EqOptionDialogTest, NothingSelectedShowsNoneAndDisablesEverything)
{
    select("y = x^2");
    graph.select(nullptr);
    EXPECT_EQ(text("typeLabel"), "Type : None     ");
    EXPECT_EQ(text("primitiveTypeLabel"), "Primitive Type : None      ");
    EXPECT_EQ(text("primitiveInfoLabel"), "\nNo Information");
    EXPECT_TRUE(find<QLineEdit>("equationEdit")->text().isEmpty());
    for (QWidget* w : page.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        }
    }
}

TEST_F(EqOptionDialogTest, EveryControlHasAName)
{
    EXPECT_EQ(UnnamedControls(page).join(", ").toStdString(), "");
}

TEST_F(EqOptionDialogTest, HigherPolynomialKeepsThePreviousInformation)
{
    select("y = x^2 - 4");
    select("y = x^5");
    EXPECT_EQ(text("primitiveTypeLabel"), "Primitive Type : None");
    EXPECT_EQ(text("primitiveInfoLabel"), "a : 1\nb : 0\nc : -4");
    EXPECT_FALSE(find<QCheckBox>("extremePointsCheck")->isEnabled());
}

TEST_F(EqOptionDialogTest, EnablingFollowsTheSwitches)
{
    select("y = x^2");
    EXPECT_FALSE(find<QGroupBox>("equationTextGroup")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("domainFromEdit")->isEnabled());
    EXPECT_FALSE(find<QGroupBox>("mensurationGroup")->isEnabled());
    click("displayTextCheck");
    EXPECT_TRUE(find<QGroupBox>("equationTextGroup")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("userLabelEdit")->isEnabled());
    click("userDefineRadio");
    EXPECT_TRUE(find<QLineEdit>("userLabelEdit")->isEnabled());
    click("domainCheck");
    EXPECT_TRUE(find<QLineEdit>("domainFromEdit")->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("stippleLeftRadio")->isEnabled());
    click("mensurationCheck");
    EXPECT_TRUE(find<QGroupBox>("mensurationGroup")->isEnabled());

    // A conic is drawn whole: its domain has no stippling.
    select("x^2/9 + y^2/4 - 1 = 0");
    click("domainCheck");
    EXPECT_TRUE(find<QLineEdit>("domainFromEdit")->isEnabled());
    EXPECT_FALSE(find<QRadioButton>("stippleLeftRadio")->isEnabled());
}

struct HandlerCase {
    const char* name;
    std::function<void(EqOptionDialogTest&)> act;
    std::function<void(const EquationObject&)> check;
};

TEST_F(EqOptionDialogTest, EachControlEditsTheEquationRepaintsAndIsOneUndoStep)
{
    using T = EqOptionDialogTest;
    const HandlerCase cases[] = {
        {"colour",
         [](T& t) {
             chooserAnswers(QColor(255, 0, 0));
             t.click("colourButton");
         },
         [](const EquationObject& e) { EXPECT_EQ(e.colour(), ColorF(1, 0, 0, 1)); }},
        {"stipple", [](T& t) { t.choose("stippleList", 1); },
         [](const EquationObject& e) { EXPECT_EQ(e.lineStipple(), 52428); }},
        {"width", [](T& t) { t.choose("widthList", 2); }, [](const EquationObject& e) { EXPECT_EQ(e.lineWidth(), 3.0f); }},
        {"modify",
         [](T& t) {
             t.type("equationEdit", "y = x^3");
             t.click("modifyEquationButton");
         },
         [](const EquationObject& e) { EXPECT_EQ(e.expression()->type, MathEx::PT_CUBIC); }},
        {"return modifies",
         [](T& t) {
             t.type("equationEdit", "y = 2*x");
             QTest::keyClick(t.find<QLineEdit>("equationEdit"), Qt::Key_Return);
         },
         [](const EquationObject& e) { EXPECT_EQ(e.expression()->type, MathEx::PT_LINE); }},
        {"display text", [](T& t) { t.click("displayTextCheck"); },
         [](const EquationObject& e) {
             EXPECT_TRUE(e.displayText());
             EXPECT_EQ(e.actions().back(), ACTION_DISPLAY_TEXT_SHOWN);
         }},
        {"extreme points", [](T& t) { t.click("extremePointsCheck"); },
         [](const EquationObject& e) {
             EXPECT_TRUE(e.extremePointsShown());
             EXPECT_EQ(e.actions().back(), ACTION_EXTREME_POINTS_SHOWN);
         }},
        {"domain", [](T& t) { t.click("domainCheck"); },
         [](const EquationObject& e) { EXPECT_TRUE(e.domainSetupEnabled()); }},
        {"mensuration", [](T& t) { t.click("mensurationCheck"); },
         [](const EquationObject& e) {
             EXPECT_TRUE(e.mensurationEnabled());
             // Without an interval it takes the middle half of the view, in whole units.
             EXPECT_LT(e.mensuration().xmin, e.mensuration().xmax);
             EXPECT_EQ(e.mensuration().xmin, std::round(e.mensuration().xmin));
         }},
    };
    for (const HandlerCase& c : cases) {
        SCOPED_TRACE(c.name);
        EquationObject* e = select("y = x^2");
        const int repaints = listener.repaints, steps = history.stack()->count();
        c.act(*this);
        e = graph.selected();
        ASSERT_NE(e, nullptr);
        c.check(*e);
        EXPECT_GT(listener.repaints, repaints);
        EXPECT_EQ(history.stack()->count(), steps + 1);
    }
}

// Controls that are only enabled behind a switch: the switch is one step, the control another.
TEST_F(EqOptionDialogTest, ControlsBehindASwitch)
{
    using T = EqOptionDialogTest;
    const HandlerCase cases[] = {
        {"user label",
         [](T& t) {
             t.click("displayTextCheck");
             t.click("userDefineRadio");
             t.type("userLabelEdit", "x_1");
             QTest::keyClick(t.find<QLineEdit>("userLabelEdit"), Qt::Key_Return);
         },
         [](const EquationObject& e) {
             EXPECT_EQ(e.labelKind(), EquationObject::LABEL_USER_TEXT);
             EXPECT_EQ(e.userText(), "x_1");
         }},
        // Words and text that is no maths are labels too: shown as typed, never refused.
        {"user label in words",
         [](T& t) {
             t.click("displayTextCheck");
             t.click("userDefineRadio");
             t.type("userLabelEdit", "Parabola P (((");
             t.click("confirmLabelButton");
         },
         [](const EquationObject& e) {
             EXPECT_EQ(e.labelKind(), EquationObject::LABEL_USER_TEXT);
             EXPECT_EQ(e.userText(), "Parabola P (((");
         }},
        {"domain",
         [](T& t) {
             t.click("domainCheck");
             t.type("domainFromEdit", "-1");
             t.type("domainToEdit", "2.5");
             t.click("modifyDomainButton");
             t.click("stippleBothRadio");
         },
         [](const EquationObject& e) {
             EXPECT_EQ(e.domainFrom(), -1.0);
             EXPECT_EQ(e.domainTo(), 2.5);
             EXPECT_EQ(e.stippleType(), EquationObject::STIPPLE_BOTH);
         }},
        {"mensuration",
         [](T& t) {
             t.click("mensurationCheck");
             t.type("sectionsEdit", "abc");
             t.type("mensurationFromEdit", "0");
             t.type("mensurationToEdit", "1x");
             t.click("applyMensurationButton");
             t.click("rightHeightRadio");
         },
         [](const EquationObject& e) {
             EXPECT_EQ(e.mensuration().nRects, 0);
             EXPECT_EQ(e.mensuration().xmin, 0.0);
             EXPECT_EQ(e.mensuration().xmax, 1.0);
             EXPECT_EQ(e.mensuration().heightType, Mensuration::HEIGHT_RIGHT);
         }},
        {"section count bounded",
         [](T& t) {
             t.click("mensurationCheck");
             t.type("sectionsEdit", "99999999999999999999");
             t.click("applyMensurationButton");
         },
         [](const EquationObject& e) { EXPECT_EQ(e.mensuration().nRects, kMaxRects); }},
    };
    for (const HandlerCase& c : cases) {
        SCOPED_TRACE(c.name);
        select("y = x^2");
        const int repaints = listener.repaints;
        c.act(*this);
        ASSERT_NE(graph.selected(), nullptr);
        c.check(*graph.selected());
        EXPECT_GT(listener.repaints, repaints);
    }
}

TEST_F(EqOptionDialogTest, RefusedEntriesLeaveTheEquationAndSayWhy)
{
    using T = EqOptionDialogTest;
    struct Case {
        const char* name;
        std::function<void(T&)> prepare;  // switches on what the entry needs
        std::function<void(T&)> act;
        const char* field;                // the edit that is put back
        const char* shown;                // what it shows afterwards
    };
    const auto nothing = [](T&) {};
    const Case cases[] = {
        {"equation", nothing,
         [](T& t) {
             t.type("equationEdit", "y = = 2");
             t.click("modifyEquationButton");
         },
         "equationEdit", "y=x^2"},
        {"domain", [](T& t) { t.click("domainCheck"); },
         [](T& t) {
             t.type("domainFromEdit", "1e999");
             t.click("modifyDomainButton");
         },
         "domainFromEdit", "0.000000"},
        {"mensuration", [](T& t) { t.click("mensurationCheck"); },
         [](T& t) {
             t.type("mensurationToEdit", "-1e400");
             t.click("applyMensurationButton");
         },
         "mensurationToEdit", "7.000000"},  // the middle half of the view, kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EquationObject* e = select("y = x^2");
        c.prepare(*this);
        QSignalSpy status(&page, &EqOptionDialog::statusMessage);
        const int steps = history.stack()->count(), repaints = listener.repaints;
        const double xmax = e->mensuration().xmax;
        c.act(*this);
        EXPECT_EQ(status.count(), 1);
        EXPECT_EQ(e->expression()->type, MathEx::PT_QUADRATIC);
        EXPECT_EQ(e->domainFrom(), 0.0);
        EXPECT_EQ(e->mensuration().xmax, xmax);
        EXPECT_EQ(e->labelKind(), EquationObject::LABEL_EQUATION);
        EXPECT_EQ(history.stack()->count(), steps);
        EXPECT_EQ(listener.repaints, repaints);
        if (c.field) {
            EXPECT_EQ(find<QLineEdit>(c.field)->text(), c.shown);
        }
    }
}

TEST_F(EqOptionDialogTest, OmitIntermediateSectionsOnlyShowsTheTickType)
{
    EquationObject* e = select("y = x^2");
    click("mensurationCheck");
    QCheckBox* omit = find<QCheckBox>("omitSectionsCheck");
    EXPECT_TRUE(omit->isChecked());
    click("omitSectionsCheck");
    EXPECT_TRUE(omit->isChecked());
    EXPECT_EQ(e->mensuration().tickType, Mensuration::kOmitMiddle);
}

TEST_F(EqOptionDialogTest, TheListsShowTheirSamples)
{
    select("y = x^2");
    for (const char* name : {"stippleList", "widthList"}) {
        SCOPED_TRACE(name);
        QComboBox* combo = find<QComboBox>(name);
        const QImage image = combo->grab().toImage();
        EXPECT_GT(DarkPixels(image, QRect(QPoint(4, 4), image.size() - QSize(30, 8))), 10);
        // The open list draws through the same delegate.
        EXPECT_NE(qobject_cast<SampleDelegate*>(combo->itemDelegate()), nullptr);
    }
    // The thickest width entry inks more than the thinnest.
    QComboBox* width = find<QComboBox>("widthList");
    width->setCurrentIndex(0);
    const int thin = DarkPixels(width->grab().toImage(), width->rect(), 160);
    width->setCurrentIndex(2);
    const int thick = DarkPixels(width->grab().toImage(), width->rect(), 160);
    EXPECT_GT(thick, thin);
}

}  // namespace
