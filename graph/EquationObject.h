// SPDX-License-Identifier: MIT
#pragma once
// One equation on the graph: its parsed expression, sampled curve pieces,
// style, label, equation domain, mensuration, attribute points, control points
// and the tangent lines made from it.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/ColorF.h"
#include "core/RectF.h"
#include "core/Painter.h"
#include "graph/AttribPoint.h"
#include "mathex/ControlPoint.h"
#include "graph/Mensuration.h"
#include "mathex/MathExp.h"
#include "mathex/UserLabel.h"
#include "sketch/Stroke.h"

class EquationObject {
public:
    // How the parts outside the equation domain are drawn.
    enum StippleType { STIPPLE_NONE = 0, STIPPLE_LEFT = 1, STIPPLE_RIGHT = 2, STIPPLE_BOTH = 3 };
    // What the label shows: the equation itself or the user's own text.
    enum LabelKind { LABEL_EQUATION = 0, LABEL_USER_TEXT = 1 };
    static constexpr uint16_t kDottedPattern = 0x5555;

    EquationObject();
    // A copy is a deep, independent equation: its own expression, pieces and
    // attribute points (owned by the copy). Tangent lines are references into
    // a graph and are not copied; the graph's snapshot keeps them by index.
    EquationObject(const EquationObject& other);
    EquationObject& operator=(const EquationObject& other);
    ~EquationObject();

    // Parses text; on failure nothing changes and the result is false. On
    // success the control points are rebuilt and the curve resampled.
    bool setEquation(const std::string& text);
    // Puts back a reshaped curve as it was saved: a drag leaves the exact
    // coefficients in the expression while its text shows them to five
    // decimals, and leaves the control points where the drag put them. Takes
    // effect only for the primitive type the curve has now and the number of
    // control points it has; returns whether it did.
    bool restoreShape(int type, const double (&coeffs)[5], const std::vector<PointF>& controlPoints);
    // The equation's plain text, as shown and saved.
    std::string text() const;
    // The parsed expression; nullptr before the first successful setEquation.
    const MathEx::MathExp* expression() const { return expression_.get(); }
    // Constant expressions and unrecognised forms: never sampled, only their label is drawn.
    bool isTextOnly() const;

    // The box the curve is drawn in (graph units); setting it resamples. A box
    // set here is the curve's own: the graph no longer sizes it to the view.
    const RectF& plotBox() const { return plotBox_; }
    void setPlotBox(float left, float right, float top, float bottom);
    void setPlotBox(const RectF& box) { setPlotBox(box.left, box.right, box.top, box.bottom); }
    // Scales the plot box about the origin (a zoom change) and resamples; the
    // box stays the view's or the curve's own.
    void scalePlotBox(double xFactor, double yFactor);
    // Whether the graph sizes the plot box to the view: a new curve's does,
    // until the teacher drags the box's handles or a document gives it a box.
    bool followsView() const { return followsView_; }
    // The graph's box for the view; the curve follows the view from now on.
    void followView(const RectF& box);

    // Style.
    const ColorF& colour() const { return colour_; }
    void setColour(const ColorF& colour) { colour_ = colour; }
    float lineWidth() const { return lineWidth_; }
    void setLineWidth(float width) { lineWidth_ = width; }
    // The 16-bit line pattern (0xFFFF solid).
    int lineStipple() const { return lineStipple_; }
    void setLineStipple(int pattern) { lineStipple_ = pattern; }
    // How the parts outside the domain are drawn (StippleType); resamples.
    int stippleType() const { return stippleType_; }
    void setStippleType(int type);

    // The equation domain [from, to]; from == to means none. Setting it resamples.
    double domainFrom() const { return from_; }
    double domainTo() const { return to_; }
    void setDomain(double from, double to);
    bool domainSetupEnabled() const { return domainSetupEnabled_; }
    void setDomainSetupEnabled(bool enabled) { domainSetupEnabled_ = enabled; }

    // Mensuration by parts.
    const Mensuration& mensuration() const { return mensuration_; }
    void setMensuration(const Mensuration& m) { mensuration_ = m; }
    void setMensurationRange(double xmin, double xmax);
    void setMensurationStart(double xmin) { mensuration_.xmin = xmin; }
    void setMensurationEnd(double xmax) { mensuration_.xmax = xmax; }
    bool mensurationEnabled() const { return mensurationEnabled_; }
    void setMensurationEnabled(bool enabled) { mensurationEnabled_ = enabled; }

    bool extremePointsShown() const { return extremePointsShown_; }
    void setExtremePointsShown(bool shown) { extremePointsShown_ = shown; }

    // The label.
    bool displayText() const { return displayText_; }
    void setDisplayText(bool shown) { displayText_ = shown; }
    int labelKind() const { return labelKind_; }
    // The user's label text (used with LABEL_USER_TEXT).
    const std::string& userText() const { return userText_; }
    // Sets what the label shows. Any user text is a label (words stay words,
    // maths is typeset, the rest shown as typed); only an unknown kind is
    // refused, with nothing changed and the result false.
    bool setLabel(int kind, const std::string& userText);
    // The user's text as the label shows it.
    const MathEx::UserLabel& userLabel() const { return userLabel_; }
    const PointF& labelPosition() const { return labelPosition_; }
    void setLabelPosition(PointF position) { labelPosition_ = position; }
    // Whether the teacher has put the label where it stands (dragged it). A
    // label nobody placed follows its curve: it moves with a moved curve and
    // is placed anew when an edit or the view leaves it astray.
    bool labelPinned() const { return labelPinned_; }
    void setLabelPinned(bool pinned) { labelPinned_ = pinned; }
    RectF labelBox() const;

    // Attribute points; each is owned by this equation and its owner is set here.
    const std::vector<AttribPoint>& attribPoints() const { return attribPoints_; }
    void addAttribPoint(AttribPoint point);
    // Replaces point i (out of range: nothing happens).
    void setAttribPoint(int i, AttribPoint point);
    void removeLastAttribPoint();
    // Removes point i, and one "attribute point added" display action with it,
    // so that the graph's own undo does not take another point later.
    void removeAttribPoint(int i);
    // Moves point i to the point of the curve nearest in kind to `to`.
    void slideAttribPoint(int i, PointF to);

    // Control points, rebuilt with the equation; only their pins are set from outside.
    const std::vector<ControlPoint>& controlPoints() const { return controlPoints_; }
    void setControlPointPinned(int i, bool pinned);
    void toggleControlPointPin(int i);
    // Cubics: whether the control points are the five evenly spaced ones.
    bool isMonotonic() const { return monotonic_; }

    // The sampled curve pieces (derived: rebuilt by every change of shape, box, domain or stipple).
    const std::vector<Stroke>& pieces() const { return pieces_; }
    // Changes whenever the curve's points may have changed (its equation, plot
    // box or domain), and differs between any two curves: what is worked out
    // from curves (intersections, painted regions) is kept until a stamp moves.
    uint64_t shapeStamp() const { return shapeStamp_; }

    // Display features switched on, undone last first (EquationAction codes).
    const std::vector<int>& actions() const { return actions_; }
    void pushAction(int action) { actions_.push_back(action); }
    // Removes and returns the last action; −1 when there is none.
    int popAction();

    // Tangent lines made from this curve: other equations of the same graph (not owned).
    const std::deque<EquationObject*>& tangentLines() const { return tangentLines_; }
    void addTangentLine(EquationObject* line) { tangentLines_.push_back(line); }
    void forgetTangentLine(const EquationObject* line);

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
    // Draws the object; `selected` adds the selection frame and control points.
    // On vector output the selection frame and control points are left out and
    // the domain stippling is not applied.
    void draw(Painter& painter, bool selected = false);

private:
    void copyFrom(const EquationObject& other);
    void rebuildControlPoints();
    void afterReshape();
    void drawPieces(Painter& painter) const;
    void drawGuideLines(Painter& painter) const;
    void drawSelection(Painter& painter) const;
    void drawLabel(Painter& painter);
    void drawExtremePoints(Painter& painter) const;

    void newShape();

    std::unique_ptr<MathEx::MathExp> expression_;
    std::vector<Stroke> pieces_;
    uint64_t shapeStamp_ = 0;
    RectF plotBox_{100, -100, -100, 100};
    ColorF colour_{0, 0, 0, 1};
    int lineStipple_ = 0xFFFF;
    float lineWidth_ = 1.0f;
    int stippleType_ = STIPPLE_NONE;
    double from_ = 0;
    double to_ = 0;
    bool domainSetupEnabled_ = false;
    Mensuration mensuration_;
    bool mensurationEnabled_ = false;
    bool extremePointsShown_ = false;
    bool displayText_ = false;
    int labelKind_ = LABEL_EQUATION;
    std::string userText_;
    MathEx::UserLabel userLabel_;  // userText_ read into words and maths, for the label
    RectF userLabelBox_;           // where the user label was drawn
    PointF labelPosition_;
    bool labelPinned_ = false;
    bool monotonic_ = false;
    bool followsView_ = true;
    std::vector<AttribPoint> attribPoints_;
    std::vector<ControlPoint> controlPoints_;
    std::vector<int> actions_;
    std::deque<EquationObject*> tangentLines_;
};
