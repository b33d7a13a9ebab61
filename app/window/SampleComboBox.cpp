// SPDX-License-Identifier: MIT
#include "app/window/SampleComboBox.h"

#include <QtWidgets/QAbstractItemView>

#include <QtWidgets/QStyleOptionComboBox>
#include <QtWidgets/QStylePainter>

SampleComboBox::SampleComboBox(SampleDelegate::Kind kind, QWidget* parent)
    : QComboBox(parent), delegate_(new SampleDelegate(kind, this))
{
    setItemDelegate(delegate_);
    setMinimumContentsLength(3);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void SampleComboBox::addSample(const QString& text, int value)
{
    addItem(text, value);
}

int SampleComboBox::currentValue() const
{
    return currentIndex() < 0 ? -1 : currentData(Qt::UserRole).toInt();
}

void SampleComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const int value = currentValue();
    const bool sample = currentIndex() >= 0 && delegate_->hasSample(value);
    if (sample) opt.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (!sample) {
        painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
        return;
    }
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    delegate_->paintSample(painter, QRectF(field).adjusted(2, 0, -2, 0), value, ink);
}

void SampleComboBox::setSpokenName(const QString& name)
{
    setAccessibleName(name);
    view()->setAccessibleName(name);
}
