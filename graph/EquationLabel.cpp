// SPDX-License-Identifier: MIT
#include "graph/EquationLabel.h"

#include "mathex/ExpressionPainter.h"

namespace {
constexpr double kPixelsPerUnit = 40.0;  // at scale 1 and zoom 1
constexpr double kLayoutScale = 0.3;     // layout cells to graph units at scale 1
}  // namespace

LabelSize MeasureEquationLabel(Painter& painter, const MathEx::MathExp& exp, double scale, double xZoom,
                               double yZoom) {
    const MathEx::ExpNode* root = exp.GetRoot();
    if (!root) return {};
    if (!painter.isVector()) {
        const PixelSize px = painter.equationImageSize(exp.ToText(MathEx::TEXT_TEXTBOOK));
        return {px.width * scale * xZoom / kPixelsPerUnit, px.height * scale * yZoom / kPixelsPerUnit};
    }
    return {root->box.width() * kLayoutScale * scale * xZoom, root->box.height() * kLayoutScale * scale * yZoom};
}

LabelSize DrawEquationLabel(Painter& painter, const MathEx::MathExp& exp, PointF corner, double scale,
                            double xZoom, double yZoom) {
    const MathEx::ExpNode* root = exp.GetRoot();
    if (!root) return {};
    if (!painter.isVector()) {
        const PixelSize px = painter.equationImage(exp.ToText(MathEx::TEXT_TEXTBOOK), corner);
        return {px.width * scale * xZoom / kPixelsPerUnit, px.height * scale * yZoom / kPixelsPerUnit};
    }
    // Vector output cannot carry the bitmap: draw the laid-out tree, whose
    // layout y grows downward from the top, so lift it by its height.
    const double sx = kLayoutScale * scale * xZoom, sy = kLayoutScale * scale * yZoom;
    const RectF& box = root->box;
    painter.pushTransform(corner.x - box.left * sx, corner.y + box.bottom * sy, sx, sy);
    MathEx::PaintExpression(*root, painter);
    painter.popTransform();
    return {box.width() * sx, box.height() * sy};
}
