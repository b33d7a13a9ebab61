// SPDX-License-Identifier: MIT
#include "app/window/PalleteButton.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/QStyleOptionFocusRect>
#include <QtWidgets/QStylePainter>

#include "app/window/ColourButton.h"

PalleteButton::PalleteButton(const QColor& colour, QWidget* parent) : QAbstractButton(parent), colour_(colour)
{
    setToolTip(tr("Left click or Space: draw and paint in this colour. "
                  "Right click or the menu key: choose another colour."));
    // Tab reaches the palette, so that a colour can be picked without a mouse.
    setFocusPolicy(Qt::TabFocus);
    describe();
}

void PalleteButton::setColour(const QColor& colour)
{
    colour_ = colour;
    describe();
    update();
}

void PalleteButton::describe()
{
    setAccessibleName(tr("Colour %1").arg(colour_.name()));
    setAccessibleDescription(tr("Draw and paint in this colour; the menu key chooses another."));
}

void PalleteButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    p.drawControl(QStyle::CE_PushButtonBevel, option);
    p.fillRect(rect().adjusted(2, 2, -2, -2), colour_);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void PalleteButton::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (!menuKey) return QAbstractButton::keyPressEvent(event);
    chooseAnother();
}

void PalleteButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) return QAbstractButton::mousePressEvent(event);
    chooseAnother();
}

void PalleteButton::chooseAnother()
{
    const QColor chosen = ColourButton::ask(colour_, this, tr("Color"));
    if (!chosen.isValid()) return;
    setColour(chosen);
    emit colourChanged(colour_);
}
