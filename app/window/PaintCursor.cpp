// SPDX-License-Identifier: MIT
#include "app/window/PaintCursor.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>
#include <QtGui/QScreen>

QCursor PaintCursor()
{
    // Drawn on a 32 × 32 logical grid; the drip's tip at (5, 29) is the hot spot.
    const qreal ratio = qGuiApp && qGuiApp->primaryScreen() ? qGuiApp->primaryScreen()->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The pot, tipped to the left: a rounded box rotated about its centre.
    p.save();
    p.translate(19, 15);
    p.rotate(-35);
    QPainterPath pot;
    pot.addRoundedRect(QRectF(-8, -7, 16, 15), 2.5, 2.5);
    p.setPen(QPen(Qt::white, 3.5));
    p.drawPath(pot);
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(QColor(245, 245, 245));
    p.drawPath(pot);
    // Paint at the pot's open (lower-left) edge.
    p.setBrush(QColor(30, 90, 220));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(-8, -7, 4.5, 15));
    // The handle.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.4));
    p.drawArc(QRectF(-6, -13, 12, 10), 0, 180 * 16);
    p.restore();
    // The drip falling to the hot spot.
    QPainterPath drip;
    drip.moveTo(7, 18);
    drip.cubicTo(9, 22, 8.5, 26, 5, 29.5);
    drip.cubicTo(2, 26, 2.5, 22, 7, 18);
    p.setPen(QPen(Qt::white, 2.5));
    p.drawPath(drip);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(QColor(30, 90, 220));
    p.drawPath(drip);
    p.end();
    return QCursor(pixmap, 5, 29);
}
