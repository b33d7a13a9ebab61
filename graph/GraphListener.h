// SPDX-License-Identifier: MIT
#pragma once
#include <string>

class EquationObject;

// What the graph tells the window. The model never shows anything itself: the
// window implements this and updates its panels, status bar and menus.
class GraphListener {
public:
    virtual ~GraphListener() = default;
    // The selection changed (nullptr: nothing selected); the options panel shows it.
    virtual void selectionChanged(EquationObject* selected) = 0;
    // An equation was reshaped or moved by a drag; its text in the panel follows.
    virtual void equationEdited(EquationObject* equation) = 0;
    // A curve moved or changed: the library candidates need a new search.
    virtual void candidatesPending() = 0;
    // Text for the status bar's second pane ("x : … y : …").
    virtual void statusText(const std::string& text) = 0;
    // A context menu by name ("right click on equation", "right click on white
    // space", "right click on attribute point") at a client pixel; `checked`
    // is the "&Display Equation" check mark.
    virtual void popupRequested(const std::string& name, int px, int py, bool checked) = 0;
    // The scene changed: repaint.
    virtual void repaintRequested() = 0;
};
