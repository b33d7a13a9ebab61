#pragma once
// One equation on the graph: its parsed expression, sampled curve pieces,
// style, label, equation domain, mensuration, attribute points, control points
// and the tangent lines made from it.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/ColorF.h"
#include "core/RectF.h"
#include "core/Surface.h"
#include "graph/AttribPoint.h"
#include "graph/ControlPoint.h"
#include "graph/Mensuration.h"
#include "mathex/MathExp.h"
#include "sketch/Stroke.h"

class EquationObject {
public:
    // How the parts outside the equation domain are drawn.
    enum StippleType { STIPPLE_NONE = 0, STIPPLE_LEFT = 1, STIPPLE_RIGHT = 2, STIPPLE_BOTH = 3 };
    static constexpr uint16_t kDottedPattern = 0x5555;

    EquationObject();
    EquationObject(const EquationObject&) = delete;
    EquationObject& operator=(const EquationObject&) = delete;
    virtual ~EquationObject();

    // Parses text; on failure nothing changes and the result is false.
    bool setEquation(const std::string& text);
    // The equation's plain text, as shown and saved.
    std::string text() const;
    void setPlotBox(float left, float right, float top, float bottom);
    // Constant expressions and unrecognised forms: never sampled, only their label is drawn.
    bool isTextOnly() const;

    RectF labelBox() const;
    // The curve's ordinates at x: (y1, y2); not a number where there is none.
    PointF valueAt(double x) const;
    // Double-precision form of valueAt.
    void ordinates(double x, double& y1, double& y2) const;
    bool passesNear(PointF p, double scale) const;
    PointF pointNear(PointF p) const;
    int controlPointNear(PointF p, double scale) const;
    bool labelContains(PointF p) const;
    void moveLabel(float dx, float dy);
    void translate(double dx, double dy);
    void dragControlPoint(int index, double dx, double dy);
    // Polynomial coefficients, highest power first (empty for other types).
    std::vector<double> coefficients() const;

    // Samples the curve into pieces.
    void resample();
    // Draws the object; on vector output the selection frame, control points
    // and extreme points are left out and the domain stippling is not applied.
    void draw(Surface& surface, double scale, double xZoom, double yZoom);

    bool displayText = false;
    std::string displayTextTypeString;
    MathEx::MathExp displayExpression;
    PointF labelPosition;
    bool bMonotonic = false;
    std::unique_ptr<MathEx::MathExp> expression;
    std::vector<Stroke> pieces;
    RectF plotBox{100, -100, -100, 100};
    Mensuration mensuration;
    bool bEnableMensu = false;
    bool bEnableDomainSetup = false;
    bool bDrawExtremePoints = false;
    int displayTextType = 0;
    bool selected = false;
    ColorF colour{0, 0, 0, 1};
    int lineStipple = 0xFFFF;
    float lineWidth = 1.0f;
    int stippletype = STIPPLE_NONE;
    std::vector<AttribPoint> attribute_points;
    std::vector<ControlPoint> controlPoints;
    std::vector<int> actionStack;  // EquationAction codes, popped by undo
    double from = 0;
    double to = 0;
    std::deque<EquationObject*> tangentLines;  // owned by the graph

private:
    void rebuildControlPoints();
    bool dragQuadratic(int i, PointF d);
    void dragPeriodic(int i, PointF d);
    bool dragCubic(int i, PointF d);
    bool dragCentral(int i, PointF d);
    bool dragParabola(int i, PointF d);
    void afterReshape();
    void drawPieces(Surface& surface) const;
    void drawAsymptotes(Surface& surface) const;
    void drawSelection(Surface& surface, double scale, double xZoom, double yZoom) const;
    void drawLabel(Surface& surface, double scale, double xZoom, double yZoom);
    void drawExtremePoints(Surface& surface, double scale, double xZoom) const;
};
