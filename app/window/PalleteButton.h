// SPDX-License-Identifier: MIT
#pragma once
// A colour button of the palette bar: a rectangle of its colour, inset 2
// pixels from the button's edge. A left click chooses the colour (clicked());
// a right click opens the colour chooser and, on OK, the button takes the
// chosen colour (opaque) and reports it with colourChanged().
#include <QtGui/QColor>
#include <QtWidgets/QAbstractButton>

class PalleteButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PalleteButton(const QColor& colour, QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);
    QSize sizeHint() const override { return QSize(26, 24); }

signals:
    void colourChanged(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void chooseAnother();
    void describe();

    QColor colour_;
};
