#include "app/PalleteButton.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QStyleOptionButton>
#include <QtWidgets/QStylePainter>

PalleteButton::PalleteButton(const QColor& colour, QWidget* parent) : QAbstractButton(parent), colour_(colour)
{
    setToolTip(tr("Left click: draw and paint in this colour. Right click: choose another colour."));
    setFocusPolicy(Qt::NoFocus);
}

void PalleteButton::setColour(const QColor& colour)
{
    colour_ = colour;
    update();
}

void PalleteButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    p.drawControl(QStyle::CE_PushButtonBevel, option);
    p.fillRect(rect().adjusted(2, 2, -2, -2), colour_);
}

void PalleteButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) return QAbstractButton::mousePressEvent(event);
    const QColor chosen = QColorDialog::getColor(colour_, this, tr("Color"));
    if (!chosen.isValid()) return;
    setColour(QColor::fromRgbF(chosen.redF(), chosen.greenF(), chosen.blueF(), 1.0));
    emit colourChanged(colour_);
}
