// SPDX-License-Identifier: MIT
#pragma once
// A pointer gesture of the graph: what a press, a move and a release do while
// it is under way, and what a window records of it. Modes hold no state of
// their own: GraphManager keeps what they act on (the hit, the last point) and
// the number of the mode it is in, which picks the one object of that mode
// (GraphManager::pointerMode()). A new gesture is a new number and a class in
// graph/PointerModes.cpp.
#include "core/PointF.h"
#include "core/Translatable.h"

class GraphManager;

// The numbers are what `kvr script` prints as the graph's mode.
enum InputMode : int {
    MODE_IDLE = 0,
    MODE_MENSURATION_ARMED = 3,
    MODE_PAINT = 5,
    MODE_RIGHT_PRESSED = 6,
    MODE_LEFT_PRESSED = 7,
    MODE_MENSURATION_START = 8,
    MODE_PANNING = 9,
    MODE_MOVING_CURVE = 10,
    MODE_MENSURATION_DRAG = 11,
    MODE_MOVING_LABEL = 12,
    MODE_DRAGGING_CONTROL_POINT = 13,
    MODE_MOVING_ATTRIB_POINT = 14,
    MODE_ZOOM_X = 15,
    MODE_ZOOM_Y = 16,
    MODE_RESIZING_BOX = 17,
    MODE_PEN_IDLE = 18,
    MODE_PEN_STROKE = 19
};

// A move of the pointer: where it is (graph units) and how far it went since
// the last move, in graph units and in client pixels (y downward).
struct PointerStep {
    PointF at;
    PointF delta;
    int dxPixels = 0;
    int dyPixels = 0;
};

class PointerMode {
public:
    // The undo step of a gesture that edits nothing of its own kind.
    static constexpr const char* kEditGraph = KVR_TRANSLATE_NOOP("Gesture", "Edit Graph");

    constexpr PointerMode(InputMode number, const char* undoName = kEditGraph, bool edits = false, bool waits = false)
        : number_(number), undoName_(undoName), edits_(edits), waits_(waits) {}
    virtual ~PointerMode() = default;

    InputMode number() const { return number_; }
    // The name of the undo step a gesture in this mode makes: English, in the
    // translators' context "Gesture".
    const char* undoName() const { return undoName_; }
    // Whether a move in this mode changes the graph (and not only the view).
    bool edits() const { return edits_; }
    // Whether the mode waits for a press: the pointer moving over the graph
    // only moves the status text, and nothing needs drawing again.
    bool waits() const { return waits_; }

protected:
    friend class GraphManager;
    // Either button has just gone down at `at` (the press is already recorded).
    virtual void press(GraphManager&, PointF /*at*/) const {}
    virtual void rightPress(GraphManager&, PointF /*at*/) const {}
    virtual void move(GraphManager&, const PointerStep&) const {}
    virtual void release(GraphManager&) const {}
    // The right button went up at `at` (client pixels px, py).
    virtual void rightRelease(GraphManager&, PointF /*at*/, int /*px*/, int /*py*/) const {}

private:
    InputMode number_;
    const char* undoName_;
    bool edits_;
    bool waits_;
};
