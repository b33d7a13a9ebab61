// SPDX-License-Identifier: MIT
// The graph's menu and popup commands, sketch recognition and the signature.
#include <cmath>

#include "graph/GraphManager.h"
#include "graph/GraphLimits.h"
#include "graph/Intersections.h"
#include "graph/Tangents.h"
#include "sketch/ShapeEquationText.h"

using namespace MathEx;

void GraphManager::toggleGrid() {
    showGrid_ = !showGrid_;
    repaint();
}

void GraphManager::toggleAxis() {
    showAxis_ = !showAxis_;
    repaint();
}

void GraphManager::armMensuration() {
    if (selected_) mode_ = MODE_MENSURATION_ARMED;
}

void GraphManager::moveSelected(double dx, double dy) {
    if (!selected_) return;
    selected_->translate(dx, dy);
    for (EquationObject* line : selected_->tangentLines()) line->translate(dx, dy);
    if (listener_) {
        listener_->equationEdited(selected_);
        listener_->candidatesPending();
    }
    repaint();
}

bool GraphManager::selectNext(bool forward) {
    const int count = int(equations_.size());
    const int at = indexOf(selected_);
    const int next = at < 0 ? (forward ? 0 : count - 1) : at + (forward ? 1 : -1);
    select(next >= 0 && next < count ? equations_[next].get() : nullptr);
    repaint();
    return selected_ != nullptr;
}

bool GraphManager::escape() {
    switch (mode_) {
        case MODE_PEN_IDLE:
        case MODE_PEN_STROKE: pen_ = PenInput(); break;
        case MODE_PAINT:
        case MODE_MENSURATION_ARMED: break;
        default:
            if (!selected_) return false;
            select(nullptr);
            repaint();
            return true;
    }
    mode_ = MODE_IDLE;
    repaint();
    return true;
}

void GraphManager::togglePaint() {
    mode_ = mode_ == MODE_PAINT ? MODE_IDLE : MODE_PAINT;
    repaint();
}

void GraphManager::toggleDisplayEquation() {
    if (!hitEquation_) return;
    hitEquation_->setDisplayText(!hitEquation_->displayText());
    keepLabelNear(*hitEquation_);  // a label shown again where its curve no longer is
    repaint();
}

bool GraphManager::displayEquationChecked() const { return hitEquation_ && hitEquation_->displayText(); }

int GraphManager::attribPointCount() const {
    int count = 0;
    for (const auto& e : equations_) count += int(e->attribPoints().size());
    return count;
}

void GraphManager::addAttribPoint(AttribPreset preset) {
    if (indexOf(hitEquation_) < 0 || attribPointCount() >= kMaxAttribPoints) return;
    AttribPoint ap(hitEquation_);
    if (preset == PRESET_X_CAPTION || preset == PRESET_XY_CAPTION) {
        ap.axis[AttribPoint::X].valueType = AttribPoint::LABEL_VALUE;
        ap.axis[AttribPoint::X].lineType = AttribPoint::LINE_DASHED;
    }
    if (preset == PRESET_Y_CAPTION || preset == PRESET_XY_CAPTION) {
        ap.axis[AttribPoint::Y].valueType = AttribPoint::LABEL_VALUE;
        ap.axis[AttribPoint::Y].lineType = AttribPoint::LINE_DASHED;
    }
    ap.setPosition(pointOnCurve_.x, pointOnCurve_.y);
    hitEquation_->addAttribPoint(ap);
    hitEquation_->pushAction(ACTION_ATTRIB_POINT_ADDED);
    repaint();
}

void GraphManager::tangentOnCurve() {
    if (indexOf(hitEquation_) < 0) return;
    EquationObject* curve = hitEquation_;
    const std::string text = TangentAtPointText(*curve->expression(), pointOnCurve_);
    if (text.empty()) return;
    if (EquationObject* line = addEquationFromText(text)) {
        line->setColour(ColorF(0, 0, 1, 1));
        curve->addTangentLine(line);
    }
    repaint();
}

void GraphManager::tangentFromPoint() {
    if (!selected_) return;
    // Adding equations may not disturb the selection they come from.
    const MathExp polynomial(*selected_->expression());
    for (const std::string& text : TangentsFromPointTexts(polynomial, whiteSpacePoint_)) addEquationFromText(text);
}

void GraphManager::toggleIntersections() {
    showIntersections_ = !showIntersections_;
    if (!showIntersections_) intersections_.clear();
    repaint();
}

void GraphManager::recomputeIntersections() { intersections_.update(equations_); }

void GraphManager::setZoom(double newXZoom, double newYZoom) {
    const Viewport::ZoomChange change = viewport_.setZoom(newXZoom, newYZoom);
    if (!change.applied) return;
    for (auto& e : equations_) e->scalePlotBox(change.xFactor, change.yFactor);
    followView();
    repaint();
}

bool GraphManager::finishGesture() {
    Gesture gesture = pen_.finish();
    const bool drawn = !gesture.strokes.empty();
    const bool created = processGesture(std::move(gesture));
    if (created || !drawn) sketchProblem_.clear();
    mode_ = MODE_IDLE;
    repaint();
    return created;
}

bool GraphManager::processGesture(Gesture gesture) {
    gesture.resampleStrokes();
    const RecognizedShape shape = gesture.recognize();
    sketchProblem_.clear();
    // A recognised line or polynomial becomes an equation as if typed.
    auto addTyped = [this](const std::string& text) {
        if (addEquationFromText(text)) return true;
        sketchProblem_ = "the recognised curve " + text + " could not be added";
        return false;
    };
    switch (shape.shapeType) {
        case ST_LINE: {
            EquationObject* curve = equationAt(shape.startPoint);
            if (!curve) return addTyped(shapeEquationText(shape));
            // A line drawn out of a curve marks a point on it: steep lines
            // caption x, flat ones y.
            const PointF d = shape.endPoint - shape.startPoint;
            AttribPoint ap(curve);
            ap.pointType = 1;
            if (d.y * d.y - d.x * d.x >= 0) {
                ap.axis[AttribPoint::X].valueType = AttribPoint::LABEL_TEXT;
                ap.axis[AttribPoint::X].lineType = AttribPoint::LINE_SOLID;
            } else {
                ap.axis[AttribPoint::Y].valueType = AttribPoint::LABEL_TEXT;
                ap.axis[AttribPoint::Y].lineType = AttribPoint::LINE_SOLID;
            }
            if (attribPointCount() >= kMaxAttribPoints) {
                sketchProblem_ = "the graph has as many attribute points as a lesson can keep";
                return false;
            }
            const PointF at = curve->pointNear(shape.startPoint);
            ap.setPosition(at.x, at.y);
            curve->addAttribPoint(ap);
            return true;
        }
        case ST_QUADRATIC:
        case ST_CUBIC: return addTyped(shapeEquationText(shape));
        case ST_ELLIPSE:
        case ST_HYPERBOLA:
        case ST_PARABOLA: {
            MathExp conic;
            // The fitted shape becomes an equation like a typed one.
            auto equation = std::make_unique<EquationObject>();
            if (!shapeConicExpression(shape, conic) || !conic.Rebuild() || !equation->setEquation(conic.ToExactText())) {
                sketchProblem_ = "the fitted conic has no real curve";
                return false;
            }
            if (std::string full = roomFor(*equation); !full.empty()) {
                sketchProblem_ = std::move(full);
                return false;
            }
            equation->setColour(currentColour_);
            addNewCurve(std::move(equation));
            return true;
        }
        case ST_ARC:
            sketchProblem_ = "an open arc (close it into an ellipse, or draw its axis first)";
            return false;
        default:
            sketchProblem_ = *shape.problem ? shape.problem : "no line, parabola, cubic or conic fits the strokes";
            return false;
    }
}

void GraphManager::computeFeature(CFeature& feature) const {
    for (const auto& e : equations_) feature.addEquation(*e->expression());
}

void GraphManager::saveFlagsForExport(bool keepLabels) {
    savedDisplayText_.clear();
    for (auto& e : equations_) {
        savedDisplayText_.push_back(e->displayText());
        if (!keepLabels) e->setDisplayText(false);
    }
    savedSelection_ = selected_;
    selected_ = nullptr;
}

void GraphManager::restoreFlagsAfterExport() {
    for (size_t i = 0; i < equations_.size() && i < savedDisplayText_.size(); ++i)
        equations_[i]->setDisplayText(savedDisplayText_[i]);
    savedDisplayText_.clear();
    if (indexOf(savedSelection_) >= 0) selected_ = savedSelection_;
    savedSelection_ = nullptr;
}

void GraphManager::drawStroke(Painter& painter, const Stroke& stroke) const {
    if (stroke.size() < 2) return;
    painter.setPen(Pen::Patterned(stroke.color, stroke.lineWidth,
                                  stroke.stipplePattern < 0 ? Painter::kSolid : uint16_t(stroke.stipplePattern), 5));
    painter.polyline(stroke.points());
}

void GraphManager::draw(Painter& painter) {
    const Viewport& v = viewport_;
    painter.setView({v.scale, v.xZoom, v.yZoom});
    painter.pushTransform(v.pan.x, v.pan.y, 1, 1);
    // Painted regions first, as paper is shaded before it is drawn on: the
    // grid, the axes and the curves stay clear over them.
    const RectF visible = v.visibleRect();  // the window, in the frame drawn in
    // A region open to the edge of the view is painted to that edge.
    const RectF sheet(std::max(visible.top, v.graphRect.top), std::min(visible.bottom, v.graphRect.bottom),
                      std::min(visible.left, v.graphRect.left), std::max(visible.right, v.graphRect.right));
    hatchings_.keep(paintedDomains_.size());
    for (size_t k = 0; k < paintedDomains_.size(); ++k) {
        const PaintedDomain& d = paintedDomains_[k];
        DrawPaintedRegion(painter, d.colour, hatchings_.of(k, d, equations_, sheet, v.scale, visible).rings);
    }
    v.drawGridAndAxes(painter, showGrid_, showAxis_, captionBoxes(painter));
    for (auto& e : equations_) e->draw(painter, e.get() == selected_);
    if (const int a = selectedAttribPoint(); a >= 0 && !painter.isVector()) {
        // The point the Delete key would take: ringed in the selection's blue.
        const AttribPoint& ap = selected_->attribPoints()[a];
        painter.setPen(Pen(ColorF(0, 0, 1, 1), 1.5f));
        painter.circle(PointF(ap.position.x, ap.position.y), 0.25 * v.scale, false);
    }
    drawStroke(painter, pen_.currentStroke());
    for (const Stroke& s : pen_.gesture().strokes) drawStroke(painter, s);
    DrawIntersections(painter, intersections_.points());
    painter.popTransform();
}
