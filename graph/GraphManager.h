// SPDX-License-Identifier: MIT
#pragma once
// Everything drawn on the graph, and the pointer input that edits it. The view
// forwards pointer events in client pixels and the graph's menu commands; the
// manager interprets each event by its input mode and by what lies under the
// pointer, edits the model and asks for a repaint. It draws through Painter.
#include <deque>
#include <utility>
#include <string>
#include <vector>

#include "core/Painter.h"
#include "graph/EquationList.h"
#include "graph/GraphListener.h"
#include "graph/Intersections.h"
#include "graph/Mensuration.h"
#include "graph/PaintedDomain.h"
#include "graph/Picking.h"
#include "graph/PointerMode.h"
#include "graph/Viewport.h"
#include "sketch/CFeature.h"
#include "sketch/PenInput.h"

enum HitCode : int {
    HIT_NONE = 0,  // no hit test since the last left-button up
    HIT_CURVE = 1,
    HIT_ATTRIB_POINT = 2,
    HIT_CONTROL_POINT = 3,
    HIT_NOTHING = 4,
    HIT_LABEL = 5,
    HIT_X_ARROW = 6,
    HIT_Y_ARROW = 7,
    HIT_BOX_HANDLE = 8
};

enum BoxHandle : int {
    BOX_NONE = 0,
    BOX_TOP = 1,
    BOX_BOTTOM = 2,
    BOX_LEFT = 3,
    BOX_RIGHT = 4,
    BOX_TOP_LEFT = 5,
    BOX_TOP_RIGHT = 6,
    BOX_BOTTOM_LEFT = 7,
    BOX_BOTTOM_RIGHT = 8
};

// Display features switched on per equation, undone last first.
enum EquationAction : int {
    ACTION_ATTRIB_POINT_ADDED = 0,
    ACTION_MENSURATION_ENABLED = 1,
    ACTION_EXTREME_POINTS_SHOWN = 2,
    ACTION_DISPLAY_TEXT_SHOWN = 3
};

// The popup commands that add an attribute point.
enum AttribPreset { PRESET_PLAIN, PRESET_X_CAPTION, PRESET_Y_CAPTION, PRESET_XY_CAPTION };

// The whole graph model as a value, for the undo stack and the document: the
// equations (copies, in list order), what refers to them by index, and the
// graph-wide settings. Pointer interaction in progress is not part of it.
struct GraphState {
    std::vector<EquationObject> equations;
    std::vector<std::vector<int>> tangentLines;  // per equation: indices of its tangent lines
    int selected = -1;                           // index, −1 for none
    std::vector<PaintedDomain> paintedDomains;
    bool showGrid = true;
    bool showAxis = true;
    bool showIntersections = false;
    ColorF currentColour{0, 0, 0, 1};
    Viewport viewport;  // scale, zoom, pan; restore() keeps the window's own size
};

class GraphManager {
public:
    GraphManager();
    GraphManager(const GraphManager&) = delete;
    GraphManager& operator=(const GraphManager&) = delete;
    ~GraphManager();

    void setListener(GraphListener* listener) { listener_ = listener; }

    // Pointer events, in client pixels (y downward).
    void mouseDown(int px, int py);
    void mouseMove(int px, int py);
    void mouseUp(int px, int py);
    void rightButtonDown(int px, int py);
    void rightButtonUp(int px, int py);
    // Returns whether a finished sketch created something.
    bool doubleClick();
    void mouseWheel(int delta, int px, int py);
    // The wheel's scale back to a new graph's.
    void resetScale();
    // The "Pen Input" command; returns whether a finished sketch created something.
    bool togglePenInput();
    bool penInputChecked() const { return mode_ == MODE_PEN_IDLE || mode_ == MODE_PEN_STROKE; }

    HitCode hitTest(PointF g);
    // The device behind the pointer events that follow: a pen is given a
    // wider pick tolerance than a mouse. The view sets it from each event.
    void setPointerKind(PointerKind kind) { pointerKind_ = kind; }
    PointerKind pointerKind() const { return pointerKind_; }
    // How near (client pixels) the pointer must come to what it picks.
    double pickTolerancePixels() const { return pointerKind_ == PointerKind::Pen ? kPenPickPixels : kMousePickPixels; }

    // A new curve the user typed, sketched or made by a command: its label is
    // placed beside it.
    // Null when the text does not read, or reads but gives nothing to draw;
    // then `why` (when given) says so in a few words ("no real points", "no x
    // or y to plot"; the parser's own reason is MathExp::LastError).
    EquationObject* addEquationFromText(const std::string& text, std::string* why = nullptr);
    // An equation as it is (a document's keeps its label where it was saved).
    EquationObject* addEquationObject(std::unique_ptr<EquationObject> equation);
    // Why the graph cannot take `equation` as one more curve ("" when it can):
    // past the bounds of GraphLimits.h a lesson could not be saved and opened.
    std::string roomFor(const EquationObject& equation) const;
    // The plotting work of the equations on the graph (see kMaxEquationWork).
    long equationWork() const;
    void deleteSelected();
    // Moves the selected curve (with its tangent lines) by (dx, dy) graph units.
    void moveSelected(double dx, double dy);
    // Selects the next (or previous) curve in list order; past the last (or
    // before the first) the selection is cleared and false returned.
    bool selectNext(bool forward);
    // Esc: leaves pen input (the strokes drawn are dropped), paint or an armed
    // mensuration, else clears the selection. Returns whether it did anything.
    bool escape();
    // The popup's "Delete": the curve that was right-clicked.
    void deleteHit();
    // A click on an attribute point selects it (and its curve); the index into
    // the selected curve's points, −1 for none.
    int selectedAttribPoint() const;
    void deleteSelectedAttribPoint();
    // The attribute point popup's "Delete": the point that was right-clicked.
    void deleteHitAttribPoint();
    // 0–3: the option to uncheck in the options panel; −1 when an equation went.
    int undo();
    void reset();
    void setClientSize(int width, int height);
    // The plot boxes of the curves that follow the view. A view that grows
    // gives them larger boxes, sampled afresh, and keeps them when it shrinks
    // again; a window that grew only for a while (a presentation on the whole
    // screen) puts the old boxes back with setViewBoxes, so that its curves
    // are sampled, drawn and pictured exactly as before. setViewBoxes takes a
    // box only for a curve still in the graph and following the view, and
    // only when the box covers the view as it is now.
    using ViewBoxes = std::vector<std::pair<const EquationObject*, RectF>>;
    ViewBoxes viewBoxes() const;
    void setViewBoxes(const ViewBoxes& boxes);

    // Menu commands.
    void toggleGrid();
    void toggleAxis();
    void armMensuration();  // "Mensuration By Part": needs a selection
    void togglePaint();
    // "&Display Equation" of the curve popup acts on the right-clicked curve.
    void toggleDisplayEquation();
    bool displayEquationChecked() const;
    // Adds nothing once the graph holds kMaxAttribPoints.
    void addAttribPoint(AttribPreset preset);
    int attribPointCount() const;
    void tangentOnCurve();
    void tangentFromPoint();
    void toggleIntersections();
    void setColour(const ColorF& colour) { currentColour_ = colour; }
    // The axis zooms, as a document keeps them; labels stay where they are
    // (a zoom the teacher makes calls keepLabelsNear after).
    void setZoom(double newXZoom, double newYZoom);

    // Sketch recognition on the gesture collected so far.
    bool finishGesture();
    bool processGesture(Gesture gesture);
    // Why the last finished sketch made nothing, in a few words ("" when it
    // made something, or when there was nothing drawn).
    const std::string& sketchProblem() const { return sketchProblem_; }

    // The graph's shape signature: one element per equation, in list order.
    void computeFeature(CFeature& feature) const;

    // Draws the whole scene: grid and axes, equations, painted domains, the
    // stroke being drawn, the gesture, intersection markers.
    void draw(Painter& painter);

    // Image export hides labels (unless kept) and the selection, then puts
    // them back.
    void saveFlagsForExport(bool keepLabels = false);
    void restoreFlagsAfterExport();

    // The model, read-only. Equations change through GraphManager's commands
    // or through an equation's own setters (see select/selected and equation).
    const EquationList& equations() const { return equations_; }
    int equationCount() const { return int(equations_.size()); }
    // The equation at a list index (nullptr when out of range), for dialogs to edit.
    EquationObject* equation(int index);
    int indexOf(const EquationObject* equation) const;
    // The one selection of the graph (nullptr: none); selecting tells the listener.
    EquationObject* selected() const { return selected_; }
    bool isSelected(const EquationObject* equation) const { return equation && equation == selected_; }
    void select(EquationObject* equation);
    // A dialog changed an equation: intersections follow and the view repaints.
    void equationChanged(EquationObject* equation);
    // A label nobody placed, left astray by an edit or the view (its curve
    // moved, reshaped, given a domain; zoomed or panned away), is placed anew
    // beside its curve. Returns whether it moved.
    bool keepLabelNear(EquationObject& equation);
    // The same for every label; returns how many moved.
    int keepLabelsNear();
    // Labels placed anew so far: a window compares it before and after a
    // gesture that is no edit in itself (wheel, pan) to learn that labels moved.
    long labelsFollowed() const { return labelsFollowed_; }

    const Viewport& viewport() const { return viewport_; }
    void setPan(PointF pan) { viewport_.pan = pan; }
    bool showGrid() const { return showGrid_; }
    bool showAxis() const { return showAxis_; }
    void setShowGrid(bool shown) { showGrid_ = shown; }
    void setShowAxis(bool shown) { showAxis_ = shown; }
    // The integers along the axes (on by default).
    bool showAxisNumbers() const { return viewport_.showAxisNumbers; }
    void setShowAxisNumbers(bool shown) {
        viewport_.showAxisNumbers = shown;
        repaint();
    }
    bool showIntersections() const { return showIntersections_; }
    const std::vector<PointF>& intersections() const { return intersections_.points(); }
    const ColorF& currentColour() const { return currentColour_; }
    const std::vector<PaintedDomain>& paintedDomains() const { return paintedDomains_; }
    void addPaintedDomain(const PaintedDomain& domain);
    const Mensuration& defaultMensuration() const { return defaultMensuration_; }
    void setDefaultMensuration(const Mensuration& m) { defaultMensuration_ = m; }

    // Interaction state, for views and tests.
    InputMode mode() const { return mode_; }
    // The gesture under way: what the window records of it.
    const PointerMode& pointerMode() const { return modeOf(mode_); }
    HitCode hitCode() const { return hitCode_; }
    EquationObject* hitEquation() const { return hitEquation_; }
    PointF pointOnCurve() const { return pointOnCurve_; }
    BoxHandle boxHandle() const { return boxHandle_; }
    int controlIndex() const { return controlIndex_; }
    int attribIndex() const { return attribIndex_; }
    const std::string& lastPopup() const { return lastPopup_; }  // the name of the last popup requested
    const PenInput& pen() const { return pen_; }  // the stroke being drawn and the gesture
    // The curve and point the curve popup's commands act on (as a right click sets them).
    void setPopupTarget(EquationObject* curve, PointF pointOnCurve);

    // The whole model as a value, and back. restore() ends any interaction in
    // progress, tells the listener the selection and repaints.
    GraphState snapshot() const;
    void restore(const GraphState& state);

private:
    // addEquationObject, then the new curve's label placed beside it.
    EquationObject* addNewCurve(std::unique_ptr<EquationObject> equation);
    PointF pressAt(int px, int py);
    // The gestures, one class each (graph/PointerModes.cpp), and the one
    // object of each mode number.
    struct Modes;
    static const PointerMode& modeOf(InputMode mode);
    void recomputeIntersections();
    void forget(const EquationObject* equation);
    void removeAt(int index);
    void placeLabel(EquationObject& equation);
    void drawStroke(Painter& painter, const Stroke& stroke) const;
    // Where the captions the axis numbers and the origin's "O" give way to will
    // be drawn on this painter: the attribute points' axis labels, the
    // mensurations' boundary labels and the extreme points' coordinates.
    std::vector<RectF> captionBoxes(Painter& painter) const;
    void notifySelection();
    void repaint();
    // With the pick tolerance of the pointer in use.
    EquationObject* equationAt(PointF g) { return equationAt(g, viewport_.pickTolerance(pickTolerancePixels())); }
    EquationObject* equationAt(PointF g, const PickTolerance& tolerance);
    RectF defaultPlotBox() const;
    // The plot box of a curve that follows the view, for the view as it is.
    RectF viewPlotBox() const;
    // Gives every curve that follows the view a plot box covering it, where
    // its box does not already.
    void followView();

    bool showGrid_ = true;
    bool showAxis_ = true;
    Viewport viewport_;
    EquationList equations_;
    Mensuration defaultMensuration_;
    PenInput pen_;
    PointF pointOnCurve_;
    EquationObject* hitEquation_ = nullptr;
    EquationObject* undoTarget_ = nullptr;
    PointF rightDownPoint_;
    PointF lastPoint_;
    PointF whiteSpacePoint_;
    int lastPixelX_ = 0, lastPixelY_ = 0;
    InputMode mode_ = MODE_IDLE;
    bool moved_ = false;
    HitCode hitCode_ = HIT_NONE;
    int controlIndex_ = -1;
    int attribIndex_ = -1;
    ColorF currentColour_{0, 0, 0, 1};
    BoxHandle boxHandle_ = BOX_NONE;
    std::vector<PaintedDomain> paintedDomains_;
    EquationObject* selected_ = nullptr;
    int selectedAttrib_ = -1;  // an attribute point of selected_, −1 for none
    std::string sketchProblem_;
    bool showIntersections_ = false;
    long labelsFollowed_ = 0;
    IntersectionCache intersections_;
    HatchingCache hatchings_;  // of paintedDomains_, by index
    std::vector<bool> savedDisplayText_;            // per equation, while an image is exported
    EquationObject* savedSelection_ = nullptr;    // the selection hidden while an image is exported
    std::string lastPopup_;
    PointerKind pointerKind_ = PointerKind::Mouse;

    GraphListener* listener_ = nullptr;
};
