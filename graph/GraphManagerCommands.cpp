// The graph's menu and popup commands, sketch recognition and the signature.
#include <cmath>

#include "graph/GraphManager.h"
#include "graph/Intersections.h"
#include "graph/Tangents.h"
#include "sketch/ShapeEquationText.h"

using namespace MathEx;

void GraphManager::toggleGrid() {
    showGrid = !showGrid;
    repaint();
}

void GraphManager::toggleAxis() {
    showAxis = !showAxis;
    repaint();
}

void GraphManager::armMensuration() {
    if (selected) mode = MODE_MENSURATION_ARMED;
}

void GraphManager::togglePaint() {
    mode = mode == MODE_PAINT ? MODE_IDLE : MODE_PAINT;
    repaint();
}

void GraphManager::toggleDisplayEquation() {
    if (!hitEquation) return;
    hitEquation->displayText = !hitEquation->displayText;
    repaint();
}

bool GraphManager::displayEquationChecked() const { return hitEquation && hitEquation->displayText; }

void GraphManager::addAttribPoint(AttribPreset preset) {
    if (indexOf(hitEquation) < 0) return;
    AttribPoint ap(hitEquation);
    if (preset == PRESET_X_CAPTION || preset == PRESET_XY_CAPTION) {
        ap.xValueType = AttribPoint::LABEL_VALUE;
        ap.xLineType = AttribPoint::LINE_DASHED;
    }
    if (preset == PRESET_Y_CAPTION || preset == PRESET_XY_CAPTION) {
        ap.yValueType = AttribPoint::LABEL_VALUE;
        ap.yLineType = AttribPoint::LINE_DASHED;
    }
    ap.setPosition(pointOnCurve.x, pointOnCurve.y);
    hitEquation->attribute_points.push_back(ap);
    hitEquation->actionStack.push_back(ACTION_ATTRIB_POINT_ADDED);
    repaint();
}

void GraphManager::tangentOnCurve() {
    if (indexOf(hitEquation) < 0) return;
    EquationObject* curve = hitEquation;
    const std::string text = TangentAtPointText(*curve->expression, pointOnCurve);
    if (text.empty()) return;
    if (EquationObject* line = addEquationFromText(text)) {
        line->colour = ColorF(0, 0, 1, 1);
        curve->tangentLines.push_back(line);
    }
    repaint();
}

void GraphManager::tangentFromPoint() {
    if (!selected) return;
    // Adding equations may not disturb the selection they come from.
    const MathExp polynomial(*selected->expression);
    for (const std::string& text : TangentsFromPointTexts(polynomial, whiteSpacePoint)) addEquationFromText(text);
}

void GraphManager::toggleIntersections() {
    showIntersections = !showIntersections;
    if (!showIntersections) intersections.clear();
    repaint();
}

void GraphManager::recomputeIntersections() { intersections = ComputeIntersections(equations); }

void GraphManager::setZoom(double newXZoom, double newYZoom) {
    const Viewport::ZoomChange change = viewport.setZoom(newXZoom, newYZoom);
    if (!change.applied) return;
    for (auto& e : equations) {
        RectF& box = e->plotBox;
        box = RectF(float(box.top * change.yFactor), float(box.bottom * change.yFactor),
                    float(box.left * change.xFactor), float(box.right * change.xFactor));
        if (!e->isTextOnly()) e->resample();
    }
    repaint();
}

bool GraphManager::finishGesture() {
    const bool created = processGesture(pen.finish());
    mode = MODE_IDLE;
    repaint();
    return created;
}

bool GraphManager::processGesture(Gesture gesture) {
    gesture.resampleStrokes();
    const RecognizedShape shape = gesture.recognize();
    switch (shape.shapeType) {
        case ST_LINE: {
            EquationObject* curve = equationAt(shape.startPoint);
            if (!curve) {
                addEquationFromText(shapeEquationText(shape));
                return true;
            }
            // A line drawn out of a curve marks a point on it: steep lines
            // caption x, flat ones y.
            const PointF d = shape.endPoint - shape.startPoint;
            AttribPoint ap(curve);
            ap.pointType = 1;
            if (d.y * d.y - d.x * d.x >= 0) {
                ap.xValueType = AttribPoint::LABEL_TEXT;
                ap.xLineType = AttribPoint::LINE_SOLID;
            } else {
                ap.yValueType = AttribPoint::LABEL_TEXT;
                ap.yLineType = AttribPoint::LINE_SOLID;
            }
            const PointF at = curve->pointNear(shape.startPoint);
            ap.setPosition(at.x, at.y);
            curve->attribute_points.push_back(ap);
            return true;
        }
        case ST_QUADRATIC:
        case ST_CUBIC: addEquationFromText(shapeEquationText(shape)); return true;
        case ST_ELLIPSE:
        case ST_HYPERBOLA:
        case ST_PARABOLA: {
            auto equation = std::make_unique<EquationObject>();
            equation->expression = std::make_unique<MathExp>();
            if (!shapeConicExpression(shape, *equation->expression) || !equation->expression->Rebuild()) return false;
            // The fitted shape becomes an equation like a typed one.
            if (!equation->setEquation(equation->expression->ToExactText())) return false;
            equation->colour = currentColour;
            addEquationObject(std::move(equation));
            return true;
        }
        default: return false;
    }
}

void GraphManager::computeFeature(CFeature& feature) const {
    for (const auto& e : equations) feature.addEquation(*e->expression);
}

void GraphManager::saveFlagsForExport() {
    savedFlags.clear();
    for (auto& e : equations) {
        savedFlags.emplace_back(e->displayText, e->selected);
        e->displayText = e->selected = false;
    }
}

void GraphManager::restoreFlagsAfterExport() {
    for (size_t i = 0; i < equations.size() && i < savedFlags.size(); ++i) {
        equations[i]->displayText = savedFlags[i].first;
        equations[i]->selected = savedFlags[i].second;
    }
    savedFlags.clear();
}

void GraphManager::drawStroke(Surface& surface, const Stroke& stroke) const {
    if (stroke.size() < 2) return;
    surface.setColor(stroke.color);
    surface.setLineWidth(stroke.lineWidth);
    surface.setStipple(5, stroke.stipplePattern < 0 ? Surface::kSolid : uint16_t(stroke.stipplePattern));
    surface.begin(Surface::Primitive::LineStrip);
    for (const PointF& p : stroke) surface.vertex(p.x, p.y);
    surface.end();
    surface.setStipple(1, Surface::kSolid);
}

void GraphManager::draw(Surface& surface) {
    const Viewport& v = viewport;
    surface.pushTransform(v.pan.x, v.pan.y, 1, 1);
    v.drawGridAndAxes(surface, showGrid, showAxis);
    for (auto& e : equations) e->draw(surface, v.scale, v.xZoom, v.yZoom);
    const PointF topLeft = v.screenToGraph(0, 0), bottomRight = v.screenToGraph(v.width, v.height);
    const RectF visible(topLeft.y, bottomRight.y, topLeft.x, bottomRight.x);  // the window, in the frame drawn in
    for (const PaintedDomain& d : paintedDomains)
        DrawPaintedDomain(surface, d, equations, v.graphRect, v.scale, visible);
    drawStroke(surface, pen.currentStroke());
    for (const Stroke& s : pen.gesture().strokes) drawStroke(surface, s);
    for (const PointF& p : intersections) DrawIntersection(surface, p, v.scale, v.xZoom, v.yZoom);
    surface.popTransform();
}
