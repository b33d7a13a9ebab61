// SPDX-License-Identifier: MIT
#pragma once
// A drop-down list of style samples: the open list and the closed box both
// draw their entries through a SampleDelegate.
#include <QtWidgets/QComboBox>

#include "app/window/SampleDelegate.h"

class SampleComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit SampleComboBox(SampleDelegate::Kind kind, QWidget* parent = nullptr);

    // Appends an entry; `text` is what an entry without a sample shows (and what screen readers get).
    void addSample(const QString& text, int value);
    // The value (Qt::UserRole) of the current entry; −1 when there is none.
    int currentValue() const;
    SampleDelegate* sampleDelegate() const { return delegate_; }
    // What a screen reader calls the box and its open list ("Line width").
    void setSpokenName(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SampleDelegate* delegate_;
};
