// SPDX-License-Identifier: MIT
#include "app/window/ZoomDialogBar.h"

#include <QtCore/QSignalBlocker>
#include <cmath>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>

ZoomDialogBar::ZoomDialogBar(QWidget* parent) : QWidget(parent)
{
    auto makeSlider = [this](const char* name, const QString& spoken) {
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(name);
        slider->setAccessibleName(spoken);
        slider->setRange(1, 100);
        slider->setValue(10);
        connect(slider, &QSlider::valueChanged, this, &ZoomDialogBar::sliderMoved);
        return slider;
    };
    xSlider_ = makeSlider("xZoomSlider", tr("X zoom"));
    ySlider_ = makeSlider("yZoomSlider", tr("Y zoom"));
    xValue_ = new QLabel(QStringLiteral("1.0"), this);
    xValue_->setObjectName("xZoomValue");
    yValue_ = new QLabel(QStringLiteral("1.0"), this);
    yValue_->setObjectName("yZoomValue");
    for (QLabel* value : {xValue_, yValue_}) value->setMinimumWidth(value->fontMetrics().horizontalAdvance("10.0") + 4);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("x zoom"), this), 0, 0);
    layout->addWidget(xSlider_, 0, 1);
    layout->addWidget(xValue_, 0, 2);
    layout->addWidget(new QLabel(tr("y zoom"), this), 1, 0);
    layout->addWidget(ySlider_, 1, 1);
    layout->addWidget(yValue_, 1, 2);
    layout->setColumnStretch(1, 1);
}

double ZoomDialogBar::xZoom() const { return xSlider_->value() / 10.0; }
double ZoomDialogBar::yZoom() const { return ySlider_->value() / 10.0; }

void ZoomDialogBar::showZoom(double xZoom, double yZoom)
{
    const QSignalBlocker bx(xSlider_), by(ySlider_);
    xSlider_->setValue(int(std::lround(xZoom * 10)));
    ySlider_->setValue(int(std::lround(yZoom * 10)));
    xValue_->setText(QString::asprintf("%.1f", this->xZoom()));
    yValue_->setText(QString::asprintf("%.1f", this->yZoom()));
}

void ZoomDialogBar::sliderMoved()
{
    xValue_->setText(QString::asprintf("%.1f", xZoom()));
    yValue_->setText(QString::asprintf("%.1f", yZoom()));
    emit zoomChanged(xZoom(), yZoom());
}
