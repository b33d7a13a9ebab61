// SPDX-License-Identifier: MIT
#pragma once
// A graph with a listener that counts what the graph asks of the window, for
// the option dialogs' tests: the dialogs work on a real graph and undo history
// and must ask for a repaint after every change.
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <functional>

#include "app/window/ColourButton.h"
#include "app/window/EditHistory.h"
#include "graph/EquationObject.h"
#include "graph/GraphManager.h"

class CountingListener : public GraphListener {
public:
    void selectionChanged(EquationObject* e) override
    {
        if (onSelection) onSelection(e);
    }
    void equationEdited(EquationObject*) override {}
    void candidatesPending() override {}
    void statusText(const std::string&) override {}
    void popupRequested(const std::string&, int, int, bool) override {}
    void repaintRequested() override { ++repaints; }

    int repaints = 0;
    std::function<void(EquationObject*)> onSelection;
};

struct DialogGraph {
    DialogGraph()
    {
        graph.setClientSize(800, 600);
        graph.setListener(&listener);
    }
    ~DialogGraph()
    {
        graph.setListener(nullptr);
        ColourButton::setChooser({});
    }
    EquationObject* add(const char* text)
    {
        history.begin();
        EquationObject* e = graph.addEquationFromText(text);
        history.end("Enter Equation");
        return e;
    }
    // The colour chooser answers `colour` (invalid: the user cancels).
    static void chooserAnswers(QColor colour)
    {
        ColourButton::setChooser([colour](const QColor&, QWidget*) { return colour; });
    }

    GraphManager graph;
    CountingListener listener;
    EditHistory history{graph};
};

// Where a user clicks a button: check boxes and radios only take clicks on
// their mark and text, which a wide layout leaves far from the middle.
inline QPoint ClickPoint(const QAbstractButton* button)
{
    if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button))
        return QPoint(8, button->height() / 2);
    return button->rect().center();
}

// Labels, buttons, edits, lists and groups inside `widget` that have no objectName.
inline QStringList UnnamedControls(QWidget& widget)
{
    QStringList unnamed;
    for (QWidget* w : widget.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QGroupBox*>(w);
        if (control && w->objectName().isEmpty()) unnamed << QString::fromLatin1(w->metaObject()->className());
    }
    return unnamed;
}

// Pixels of an image darker than `limit` (0 black … 255 white) inside `rect`.
inline int DarkPixels(const QImage& image, QRect rect, int limit = 110)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.valid(x, y) && QColor(image.pixel(x, y)).value() < limit) ++n;
    return n;
}
