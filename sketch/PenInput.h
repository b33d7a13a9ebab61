// SPDX-License-Identifier: MIT
#pragma once
#include "sketch/Gesture.h"
#include "sketch/Stroke.h"

// The pen-input part of the graph manager's modes: off (MODE_IDLE or any
// other mode), ready for a stroke (MODE_PEN_IDLE) and a stroke in progress
// (MODE_PEN_STROKE). It owns the stroke being drawn and the gesture. The
// manager decides from its own mode which call an event means and maps the
// state back onto its mode; pointer positions arrive in graph units.
class PenInput {
public:
    enum class State { Off, Ready, Drawing };

    State state() const { return state_; }
    // The "Pen Input" command shows a check mark while pen input is on.
    bool isOn() const { return state_ != State::Off; }
    const Stroke& currentStroke() const { return current_; }
    const Gesture& gesture() const { return gesture_; }

    // Entering pen input: ready for a stroke, with an empty gesture.
    void enter();
    // Left button down, in any mode: the stroke being drawn starts over; when
    // ready, a new stroke begins at the pressed point.
    void press(const PointF& point);
    // A pointer move to a new pixel (the manager drops moves to the same pixel):
    // while drawing, the point joins the stroke in the palette colour.
    void move(const PointF& point, const ColorF& paletteColor);
    // Left button up: while drawing, ready again, and a stroke of more than one
    // point joins the gesture (a press without movement adds nothing).
    void release();
    // Finishing the sketch: returns the gesture to recognise, then pen input is
    // off and both the gesture and the stroke being drawn are empty.
    Gesture finish();
    // A zoom discards the strokes drawn so far.
    void discardStrokes() { gesture_.strokes.clear(); }

private:
    State state_ = State::Off;
    Stroke current_;
    Gesture gesture_;
};
