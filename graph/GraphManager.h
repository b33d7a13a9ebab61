#pragma once
// Everything drawn on the graph, and the pointer input that edits it. The view
// forwards pointer events in client pixels and the graph's menu commands; the
// manager interprets each event by its input mode and by what lies under the
// pointer, edits the model and asks for a repaint. It draws through Surface.
#include <deque>
#include <string>
#include <vector>

#include "core/Surface.h"
#include "graph/EquationList.h"
#include "graph/GraphListener.h"
#include "graph/Mensuration.h"
#include "graph/PaintedDomain.h"
#include "graph/Viewport.h"
#include "sketch/CFeature.h"
#include "sketch/PenInput.h"

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
    // The "Pen Input" command; returns whether a finished sketch created something.
    bool togglePenInput();
    bool penInputChecked() const { return mode == MODE_PEN_IDLE || mode == MODE_PEN_STROKE; }

    HitCode hitTest(PointF g);

    EquationObject* addEquationFromText(const std::string& text);
    EquationObject* addEquationObject(std::unique_ptr<EquationObject> equation);
    void deleteSelected();
    // The popup's "Delete": the curve that was right-clicked.
    void deleteHit();
    // 0–3: the option to uncheck in the options panel; −1 when an equation went.
    int undo();
    void reset();
    void setClientSize(int width, int height);

    // Menu commands.
    void toggleGrid();
    void toggleAxis();
    void armMensuration();  // "Mensuration By Part": needs a selection
    void togglePaint();
    // "&Display Equation" of the curve popup acts on the right-clicked curve.
    void toggleDisplayEquation();
    bool displayEquationChecked() const;
    void addAttribPoint(AttribPreset preset);
    void tangentOnCurve();
    void tangentFromPoint();
    void toggleIntersections();
    void setColour(const ColorF& colour) { currentColour = colour; }
    void setZoom(double newXZoom, double newYZoom);

    // Sketch recognition on the gesture collected so far.
    bool finishGesture();
    bool processGesture(Gesture gesture);

    // The graph's shape signature: one element per equation, in list order.
    void computeFeature(CFeature& feature) const;

    // Draws the whole scene: grid and axes, equations, painted domains, the
    // stroke being drawn, the gesture, intersection markers.
    void draw(Surface& surface);

    // Image export hides labels and selection, then puts them back.
    void saveFlagsForExport();
    void restoreFlagsAfterExport();

    int indexOf(const EquationObject* equation) const;

    bool showGrid = true;
    bool showAxis = true;
    Viewport viewport;
    EquationList equations;
    Mensuration defaultMensuration;
    PenInput pen;  // the stroke being drawn and the gesture
    PointF pointOnCurve;
    EquationObject* hitEquation = nullptr;
    EquationObject* undoTarget = nullptr;
    PointF rightDownPoint;
    PointF lastPoint;
    PointF whiteSpacePoint;
    int lastPixelX = 0, lastPixelY = 0;
    InputMode mode = MODE_IDLE;
    bool moved = false;
    HitCode hitCode = HIT_NONE;
    int controlIndex = -1;
    int attribIndex = -1;
    ColorF currentColour{0, 0, 0, 1};
    BoxHandle boxHandle = BOX_NONE;
    std::vector<PaintedDomain> paintedDomains;
    EquationObject* selected = nullptr;
    bool showIntersections = false;
    std::vector<PointF> intersections;
    std::vector<std::pair<bool, bool>> savedFlags;  // displayText, selected per equation
    std::string lastPopup;  // the name of the last popup requested

private:
    PointF pressAt(int px, int py);
    void select(EquationObject* equation);
    void dragStep(PointF g, PointF delta);
    void resizeBox(PointF delta);
    void recomputeIntersections();
    void forget(const EquationObject* equation);
    void drawStroke(Surface& surface, const Stroke& stroke) const;
    void notifySelection();
    void repaint();
    EquationObject* equationAt(PointF g);
    RectF defaultPlotBox() const;

    GraphListener* listener_ = nullptr;
};
