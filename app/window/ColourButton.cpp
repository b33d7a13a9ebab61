// SPDX-License-Identifier: MIT
#include "app/window/ColourButton.h"

#include <QtGui/QPainter>
#include <QtWidgets/QColorDialog>
#include <algorithm>

namespace {

ColourButton::Chooser& CurrentChooser()
{
    static ColourButton::Chooser chooser;
    return chooser;
}

}  // namespace

ColourButton::ColourButton(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
}

QColor ColourButton::toQColor(const ColorF& c)
{
    return QColor::fromRgbF(std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f));
}

ColorF ColourButton::toColorF(const QColor& c)
{
    return ColorF(float(c.red() / 255.0), float(c.green() / 255.0), float(c.blue() / 255.0), 1.0f);
}

void ColourButton::setChooser(Chooser chooser)
{
    CurrentChooser() = std::move(chooser);
}

void ColourButton::setColour(const QColor& colour)
{
    colour_ = colour;
    update();
}

QSize ColourButton::sizeHint() const
{
    const int h = QPushButton::sizeHint().height();
    return QSize(qMax(h * 5 / 4, 28), h);
}

QColor ColourButton::ask(const QColor& initial, QWidget* parent, const QString& title)
{
    const Chooser& chooser = CurrentChooser();
    QColor chosen = chooser ? chooser(initial, parent) : QColorDialog::getColor(initial, parent, title);
    if (chosen.isValid()) chosen.setAlpha(255);
    return chosen;
}

void ColourButton::choose()
{
    const QColor chosen = ask(colour_, this);
    if (!chosen.isValid()) return;
    setColour(chosen);
    emit colourChosen(chosen);
}

void ColourButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const int inset = qMax(4, height() / 5);
    const QRect swatch = rect().adjusted(inset, inset, -inset, -inset);
    const QColor fill = isEnabled() ? colour_ : palette().color(QPalette::Disabled, QPalette::Button);
    painter.fillRect(swatch, fill);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
