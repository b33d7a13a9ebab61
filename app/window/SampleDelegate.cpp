// SPDX-License-Identifier: MIT
#include "app/window/SampleDelegate.h"

#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

#include "app/window/StyleSample.h"

SampleDelegate::SampleDelegate(Kind kind, QObject* parent) : QStyledItemDelegate(parent), kind_(kind) {}

bool SampleDelegate::hasSample(int value) const
{
    return !((kind_ == GuideStipple || kind_ == Marker) && value == 0);
}

void SampleDelegate::paintSample(QPainter& painter, const QRectF& rect, int value, const QColor& colour) const
{
    switch (kind_) {
    case CurveStipple: StyleSample::drawCurve(painter, rect, colour, value, 1.0f); break;
    case CurveWidth: StyleSample::drawCurve(painter, rect, colour, 0xFFFF, float(value)); break;
    case GuideStipple: StyleSample::drawGuide(painter, rect, colour, value, 1); break;
    case GuideWidth: StyleSample::drawGuide(painter, rect, colour, 1, value); break;
    case Marker: StyleSample::drawMarker(painter, rect, value); break;
    }
}

void SampleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int value = index.data(Qt::UserRole).toInt();
    if (!hasSample(value)) return QStyledItemDelegate::paint(painter, option, index);
    // The item's background (selection colours included) without its text.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    opt.icon = QIcon();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const bool selected = option.state & QStyle::State_Selected;
    const QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    paintSample(*painter, QRectF(option.rect).adjusted(2, 0, -2, 0), value, ink);
}

QSize SampleDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Room for a marker (8 pixels across) or a 3-pixel line, and a sample of useful length.
    return QSize(qMax(size.width(), 60), qMax(size.height(), 18));
}
