// SPDX-License-Identifier: MIT
#include "app/window/CBmpButton.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

CBmpButton::CBmpButton(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    setText(text);
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

CBmpButton::Look CBmpButton::look() const
{
    if (isChecked()) return Pressed;
    if (hover_) return Hover;
    if (!isEnabled()) return Disabled;
    return Normal;
}

void CBmpButton::setHover(bool hover)
{
    hover_ = hover;
    update();
}

QSize CBmpButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + 34, std::max(24, metrics.height() + 8));
}

void CBmpButton::enterEvent(QEnterEvent* event)
{
    setHover(true);
    QAbstractButton::enterEvent(event);
}

void CBmpButton::leaveEvent(QEvent* event)
{
    setHover(false);
    QAbstractButton::leaveEvent(event);
}

void CBmpButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Look l = look();
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // Face and rim per look.
    QColor top(250, 250, 250), bottom(222, 226, 232), rim(140, 150, 160), ink(40, 50, 60);
    switch (l) {
    case Pressed: top = QColor(170, 196, 236); bottom = QColor(206, 222, 246); rim = QColor(40, 90, 170); break;
    case Hover: top = QColor(255, 255, 255); bottom = QColor(214, 230, 250); rim = QColor(70, 120, 200); break;
    case Disabled: top = bottom = QColor(236, 236, 236); rim = QColor(190, 190, 190); ink = QColor(160, 160, 160); break;
    case Normal: break;
    }
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, l == Pressed ? bottom : top);
    face.setColorAt(1, l == Pressed ? top : bottom);
    p.setPen(QPen(rim, 1));
    p.setBrush(face);
    p.drawRoundedRect(box, 4, 4);
    const QPointF shift = l == Pressed ? QPointF(1, 1) : QPointF(0, 0);

    // A small brush: handle and bristles with a dab of paint.
    const double h = box.height();
    const QRectF glyph(box.left() + 6 + shift.x(), box.top() + (h - 16) / 2 + shift.y(), 16, 16);
    p.save();
    p.translate(glyph.center());
    p.rotate(45);
    p.setPen(QPen(ink, 1));
    p.setBrush(l == Disabled ? QColor(200, 200, 200) : QColor(176, 120, 60));
    p.drawRoundedRect(QRectF(-1.6, -8, 3.2, 9), 1.5, 1.5);
    p.setBrush(l == Disabled ? QColor(210, 210, 210) : QColor(200, 200, 205));
    p.drawRect(QRectF(-2.4, 0.5, 4.8, 2.5));
    p.setBrush(l == Disabled ? QColor(225, 225, 225) : QColor(30, 90, 220));
    QPainterPath tip;
    tip.moveTo(-2.4, 3);
    tip.lineTo(2.4, 3);
    tip.quadTo(2.4, 7, 0, 8.5);
    tip.quadTo(-2.4, 7, -2.4, 3);
    p.drawPath(tip);
    p.restore();

    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(box.adjusted(24, 0, -4, 0).translated(shift), Qt::AlignCenter, text());
}
