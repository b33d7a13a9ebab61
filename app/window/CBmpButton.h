// SPDX-License-Identifier: MIT
#pragma once
// The PAINT button: a tool button with four looks, normal, pressed, hover and
// disabled, drawn in that order of precedence: pressed while checked, else
// hover while the pointer is over it, else disabled, else normal.
#include <QtWidgets/QAbstractButton>

class CBmpButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Look { Normal, Pressed, Hover, Disabled };

    explicit CBmpButton(const QString& text, QWidget* parent = nullptr);

    Look look() const;
    // Forces the hover look until the pointer next leaves (the frame does this
    // when paint mode is switched from a menu).
    void setHover(bool hover);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hover_ = false;
};
