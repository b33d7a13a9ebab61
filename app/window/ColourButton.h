// SPDX-License-Identifier: MIT
#pragma once
// A push button that shows a colour and, when clicked, lets the user choose
// another with the standard colour chooser. The chooser can be replaced (tests
// answer it without a modal dialog).
#include <QtGui/QColor>
#include <QtWidgets/QPushButton>
#include <functional>

#include "core/ColorF.h"

class ColourButton : public QPushButton {
    Q_OBJECT
public:
    // Returns the chosen colour, or an invalid colour when the user cancelled.
    using Chooser = std::function<QColor(const QColor& initial, QWidget* parent)>;

    explicit ColourButton(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

    // The graph's colours and the button's: a chosen colour is opaque, its
    // red, green and blue the chooser's 0…255 values divided by 255.
    static QColor toQColor(const ColorF& colour);
    static ColorF toColorF(const QColor& colour);

    // Every colour button asks this chooser; an empty function restores QColorDialog.
    static void setChooser(Chooser chooser);
    // Asks the chooser: the chosen colour made opaque, or an invalid colour.
    static QColor ask(const QColor& initial, QWidget* parent, const QString& title = QString());

    QSize sizeHint() const override;

signals:
    // The user chose a colour (opaque); the button shows it already.
    void colourChosen(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose();

    QColor colour_ = Qt::black;
};
