// SPDX-License-Identifier: MIT
// A screen reader can use KVR: every control that takes the keyboard's focus,
// in the window and in each dialog, has a name it can speak; the palette's
// colours take focus and are picked and chosen from the keyboard.
#include <gtest/gtest.h>

#include <QtGui/QAccessible>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>

#include "DialogTestSupport.h"
#include "app/window/AttribDialog.h"
#include "app/window/CConfigurationDialog.h"
#include "app/window/CKVRView.h"
#include "app/window/CMainFrame.h"
#include "app/window/EqOptionDialog.h"
#include "app/window/PalleteButton.h"

namespace {

// The focusable widgets of `top` that a screen reader would announce without a name.
QStringList Nameless(QWidget& top)
{
    QStringList nameless;
    QList<QWidget*> widgets = top.findChildren<QWidget*>();
    widgets.prepend(&top);
    for (QWidget* w : widgets) {
        if (!(w->focusPolicy() & Qt::TabFocus)) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        const QString name = accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty())
            nameless << QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
    }
    return nameless;
}

TEST(Accessibility, EveryFocusableControlHasAName)
{
    DialogGraph lesson;
    EquationObject* curve = lesson.add("y = x^2");
    ASSERT_NE(curve, nullptr);
    lesson.graph.select(curve);
    lesson.graph.setPopupTarget(curve, PointF(2, 4));
    lesson.graph.addAttribPoint(PRESET_X_CAPTION);

    CMainFrame frame;
    EqOptionDialog options(lesson.graph, lesson.history);
    options.RefreshOptions();
    AttribDialog attribute(lesson.graph, lesson.history, curve, 0);
    CConfigurationDialog configuration;
    struct Row {
        const char* what;
        QWidget* top;
    } rows[] = {
        {"main window", &frame},
        {"equation options", &options},
        {"attribute point options", &attribute},
        {"configuration", &configuration},
    };
    for (const Row& row : rows) {
        row.top->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(row.top)) << row.what;
        const QStringList nameless = Nameless(*row.top);
        EXPECT_TRUE(nameless.isEmpty()) << row.what << ": " << nameless.join(", ").toStdString();
        row.top->hide();
    }
}

TEST(Accessibility, PaletteColoursFromTheKeyboard)
{
    PalleteButton button(Qt::red);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    EXPECT_TRUE(button.focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(button.accessibleName().isEmpty());
    int picked = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&picked] { ++picked; });
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(picked, 1) << "Space picks the colour, as a left click does";

    // The menu key (or Shift+F10) chooses another colour, as a right click does.
    DialogGraph::chooserAnswers(QColor(0, 128, 255));
    QColor changed;
    QObject::connect(&button, &PalleteButton::colourChanged, [&changed](const QColor& c) { changed = c; });
    QTest::keyClick(&button, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(changed, QColor(0, 128, 255));
    EXPECT_EQ(button.colour(), QColor(0, 128, 255));
    EXPECT_EQ(picked, 1) << "choosing a colour does not pick it";
    EXPECT_TRUE(button.accessibleName().contains(QStringLiteral("#0080ff"))) << button.accessibleName().toStdString();
    ColourButton::setChooser({});
}

}  // namespace
