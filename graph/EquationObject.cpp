// SPDX-License-Identifier: MIT
#include "graph/EquationObject.h"
#include "graph/GraphManager.h"  // the EquationAction codes
#include "graph/Picking.h"

#include <atomic>
#include <algorithm>
#include <cmath>

#include "mathex/CurveKind.h"
#include "mathex/Roots.h"

using namespace MathEx;

EquationObject::EquationObject() { newShape(); }

EquationObject::~EquationObject() = default;

EquationObject::EquationObject(const EquationObject& other) { copyFrom(other); }

EquationObject& EquationObject::operator=(const EquationObject& other) {
    if (this != &other) copyFrom(other);
    return *this;
}

void EquationObject::newShape() {
    // One counter for every curve of every graph, so that no two curves (nor a
    // curve and one deleted before it) ever share a stamp.
    static std::atomic<uint64_t> next{1};
    shapeStamp_ = next++;
}

void EquationObject::copyFrom(const EquationObject& o) {
    expression_ = o.expression_ ? std::make_unique<MathExp>(*o.expression_) : nullptr;
    pieces_ = o.pieces_;
    newShape();
    plotBox_ = o.plotBox_;
    colour_ = o.colour_;
    lineStipple_ = o.lineStipple_;
    lineWidth_ = o.lineWidth_;
    stippleType_ = o.stippleType_;
    from_ = o.from_;
    to_ = o.to_;
    domainSetupEnabled_ = o.domainSetupEnabled_;
    mensuration_ = o.mensuration_;
    mensurationEnabled_ = o.mensurationEnabled_;
    extremePointsShown_ = o.extremePointsShown_;
    displayText_ = o.displayText_;
    labelKind_ = o.labelKind_;
    userText_ = o.userText_;
    userLabel_ = o.userLabel_;
    userLabelBox_ = o.userLabelBox_;
    labelPosition_ = o.labelPosition_;
    labelPinned_ = o.labelPinned_;
    monotonic_ = o.monotonic_;
    followsView_ = o.followsView_;
    attribPoints_ = o.attribPoints_;
    for (AttribPoint& ap : attribPoints_) ap.owner = this;
    controlPoints_ = o.controlPoints_;
    actions_ = o.actions_;
    tangentLines_.clear();  // references into the source's graph
}

bool EquationObject::setEquation(const std::string& text) {
    auto parsed = std::make_unique<MathExp>();
    if (!parsed->Parse(text)) return false;
    expression_ = std::move(parsed);
    rebuildControlPoints();
    pieces_.clear();
    newShape();
    if (isTextOnly()) displayText_ = true;
    else resample();
    return true;
}

std::string EquationObject::text() const { return expression_ ? expression_->ToText(TEXT_PLAIN) : std::string(); }

void EquationObject::setPlotBox(float left, float right, float top, float bottom) {
    plotBox_ = RectF(top, bottom, left, right);
    followsView_ = false;
    resample();
}

void EquationObject::followView(const RectF& box) {
    plotBox_ = box;
    followsView_ = true;
    resample();
}

void EquationObject::scalePlotBox(double xFactor, double yFactor) {
    const RectF& b = plotBox_;
    plotBox_ = RectF(float(b.top * yFactor), float(b.bottom * yFactor), float(b.left * xFactor), float(b.right * xFactor));
    resample();
}

void EquationObject::setStippleType(int type) {
    stippleType_ = type;
    resample();
}

void EquationObject::setDomain(double from, double to) {
    from_ = from;
    to_ = to;
    resample();
}

void EquationObject::setMensurationRange(double xmin, double xmax) {
    mensuration_.xmin = xmin;
    mensuration_.xmax = xmax;
}

bool EquationObject::setLabel(int kind, const std::string& userText) {
    if (kind != LABEL_EQUATION && kind != LABEL_USER_TEXT) return false;
    if (kind == LABEL_USER_TEXT) userLabel_ = UserLabel(userText);
    labelKind_ = kind;
    userText_ = userText;
    return true;
}

void EquationObject::addAttribPoint(AttribPoint point) {
    point.owner = this;
    attribPoints_.push_back(std::move(point));
}

void EquationObject::setAttribPoint(int i, AttribPoint point) {
    if (i < 0 || i >= int(attribPoints_.size())) return;
    point.owner = this;
    attribPoints_[i] = std::move(point);
}

void EquationObject::removeLastAttribPoint() {
    if (!attribPoints_.empty()) attribPoints_.pop_back();
}

void EquationObject::removeAttribPoint(int i) {
    if (i < 0 || i >= int(attribPoints_.size())) return;
    attribPoints_.erase(attribPoints_.begin() + i);
    const auto added = std::find(actions_.rbegin(), actions_.rend(), int(ACTION_ATTRIB_POINT_ADDED));
    if (added != actions_.rend()) actions_.erase(std::next(added).base());
}

void EquationObject::slideAttribPoint(int i, PointF to) {
    if (i < 0 || i >= int(attribPoints_.size())) return;
    const PointF on = pointNear(to);
    attribPoints_[i].setPosition(on.x, on.y);
}

void EquationObject::setControlPointPinned(int i, bool pinned) {
    if (i >= 0 && i < int(controlPoints_.size())) controlPoints_[i].pinned = pinned;
}

void EquationObject::toggleControlPointPin(int i) {
    if (i >= 0 && i < int(controlPoints_.size())) controlPoints_[i].pinned = !controlPoints_[i].pinned;
}

int EquationObject::popAction() {
    if (actions_.empty()) return -1;
    const int action = actions_.back();
    actions_.pop_back();
    return action;
}

void EquationObject::forgetTangentLine(const EquationObject* line) {
    tangentLines_.erase(std::remove(tangentLines_.begin(), tangentLines_.end(), line), tangentLines_.end());
}

bool EquationObject::isTextOnly() const {
    return !expression_ || expression_->form == FORM_CONSTANT || expression_->form == FORM_NONE ||
           expression_->form == FORM_SYNTAX_ERROR;
}

RectF EquationObject::labelBox() const {
    if (labelKind_ == 0 && expression_) return expression_->labelBox;
    if (labelKind_ == LABEL_USER_TEXT) return userLabelBox_;
    return RectF();
}

void EquationObject::ordinates(double x, double& y1, double& y2) const {
    y1 = y2 = std::nan("");
    if (!expression_) return;
    if (expression_->kind().ordinates(expression_->coeffs, x, y1, y2)) return;
    if (expression_->Main()) y1 = expression_->Evaluate(x);
    y2 = 0;
}

PointF EquationObject::valueAt(double x) const {
    double y1, y2;
    ordinates(x, y1, y2);
    return PointF(float(y1), float(y2));
}

// The tolerance of the described curve test: a tenth of the scale both ways.
bool EquationObject::passesNear(PointF p, double scale) const {
    return CurvePassesNear(*this, p, PickTolerance{scale * 0.1, scale * 0.1});
}


PointF EquationObject::pointNear(PointF p) const {
    if (!expression_) return p;
    if (expression_->form == FORM_EXPLICIT && expression_->Main())
        return PointF(p.x, float(expression_->Value(p.x, 0)));
    PointF on;
    return expression_->kind().nearest(expression_->coeffs, p, on) ? on : p;
}

int EquationObject::controlPointNear(PointF p, double scale) const {
    for (size_t i = 0; i < controlPoints_.size(); ++i)
        if ((controlPoints_[i] - p).length() < scale * 0.2) return int(i);
    return -1;
}

bool EquationObject::labelContains(PointF p) const {
    const RectF box = labelBox();
    return box.left < p.x && p.x < box.right && box.bottom < p.y && p.y < box.top;
}

void EquationObject::moveLabel(float dx, float dy) {
    labelPosition_ = labelPosition_ + PointF(dx, dy);
    labelPinned_ = true;
    if (isTextOnly()) setPlotBox(plotBox_.left + dx, plotBox_.right + dx, plotBox_.top + dy, plotBox_.bottom + dy);
}

void EquationObject::translate(double dx, double dy) {
    if (!expression_) return;
    expression_->Translate(dx, dy);
    expression_->Rebuild();
    resample();
    const PointF d{float(dx), float(dy)};
    for (ControlPoint& cp : controlPoints_) static_cast<PointF&>(cp) = cp + d;
    for (AttribPoint& ap : attribPoints_) ap.setPosition(ap.position.x + d.x, ap.position.y + d.y);
    if (!labelPinned_) labelPosition_ = labelPosition_ + d;  // the label goes with its curve
}

std::vector<double> EquationObject::coefficients() const {
    if (!expression_) return {};
    const int degree = expression_->kind().degree();
    if (degree == 0) return {};
    return std::vector<double>(expression_->coeffs, expression_->coeffs + degree + 1);
}

bool EquationObject::restoreShape(int type, const double (&coeffs)[5], const std::vector<PointF>& controlPoints) {
    if (!expression_ || int(expression_->type) != type) return false;
    if (!controlPoints.empty() && controlPoints.size() != controlPoints_.size()) return false;
    for (double c : coeffs)
        if (!std::isfinite(c)) return false;
    // The shape refines the text, it does not replace it: the text holds the
    // same curve to five decimals (more for small numbers), so a shape that
    // strays further is another curve, and the text wins.
    for (int i = 0; i < 5; ++i) {
        const double t = expression_->coeffs[i];
        if (std::fabs(coeffs[i] - t) > 1e-4 * std::fmax(1.0, std::fabs(t))) return false;
    }
    for (int i = 0; i < 5; ++i) expression_->coeffs[i] = coeffs[i];
    for (size_t i = 0; i < controlPoints.size(); ++i) {
        controlPoints_[i].x = controlPoints[i].x;
        controlPoints_[i].y = controlPoints[i].y;
    }
    resample();
    return true;
}
