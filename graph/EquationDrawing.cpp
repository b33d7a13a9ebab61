// Drawing of an equation object: clip to the plot box, the pieces with the
// domain stippling, mensuration, asymptotes, selection frame and control
// points, label, extreme points and attribute points, in this order. Vector
// output (the PostScript page) leaves out the frame, control points and
// extreme points, and draws every piece with the equation's own stipple.
#include <cmath>

#include "graph/EquationLabel.h"
#include "graph/EquationObject.h"

using namespace MathEx;

namespace {
constexpr int kCurveStippleFactor = 5;
constexpr float kControlPointSize = 5;
constexpr uint16_t kFramePattern = 0xF0F0, kAsymptotePattern = 0xFF00;
const ColorF kBlack(0, 0, 0, 1);
}  // namespace

void EquationObject::drawPieces(Surface& surface) const {
    const bool domainStipple = !surface.isVector() && from != to && expression->type != PT_ELLIPSE &&
                               expression->type != PT_HYPERBOLA && expression->type != PT_PARABOLA;
    // With a domain the outside parts are dotted: pieces 1 (Left, Right) or 1 and 2 (Both).
    const size_t dottedEnd = !domainStipple ? 0 : stippletype == STIPPLE_BOTH ? 3 : stippletype == STIPPLE_NONE ? 0 : 2;
    surface.setColor(colour);
    surface.setLineWidth(lineWidth);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const bool dotted = i >= 1 && i < dottedEnd;
        surface.setStipple(kCurveStippleFactor, dotted ? kDottedPattern : uint16_t(lineStipple));
        surface.begin(Surface::Primitive::LineStrip);
        for (const PointF& p : pieces[i]) surface.vertex(p.x, p.y);
        surface.end();
    }
    surface.setStipple(1, Surface::kSolid);
}

void EquationObject::drawAsymptotes(Surface& surface) const {
    const double* c = expression->coeffs;
    const double r = c[1] / c[0], cs = std::cos(c[4]), sn = std::sin(c[4]);
    const double directions[2][2] = {{cs - r * sn, sn + r * cs}, {cs + r * sn, sn - r * cs}};
    surface.setColor(kBlack);
    surface.setLineWidth(1);
    surface.setStipple(1, kAsymptotePattern);
    surface.begin(Surface::Primitive::Lines);
    for (const auto& d : directions) {
        if (std::fabs(d[0]) >= 0.001) {
            const double m = d[1] / d[0];
            surface.vertex(plotBox.left, c[3] + m * (plotBox.left - c[2]));
            surface.vertex(plotBox.right, c[3] + m * (plotBox.right - c[2]));
        } else {
            surface.vertex(c[2], plotBox.top);
            surface.vertex(c[2], plotBox.bottom);
        }
    }
    surface.end();
    surface.setStipple(1, Surface::kSolid);
}

void EquationObject::drawSelection(Surface& surface, double scale, double xZoom, double yZoom) const {
    surface.setLineWidth(1);
    surface.setColor(kBlack);
    surface.setStipple(1, kFramePattern);
    surface.begin(Surface::Primitive::LineStrip);
    if (isTextOnly()) {
        const double left = labelPosition.x - 0.05 * scale * xZoom, top = labelPosition.y + 0.05 * scale * yZoom;
        const double w = (plotBox.right - plotBox.left) * scale * xZoom + 0.1 * scale * xZoom;
        const double h = (plotBox.top - plotBox.bottom) * scale * yZoom + 0.1 * scale * yZoom;
        for (auto [x, y] : {std::pair{left, top}, {left + w, top}, {left + w, top - h}, {left, top - h}, {left, top}})
            surface.vertex(x, y);
    } else {
        for (auto [x, y] : {std::pair{plotBox.left, plotBox.top}, {plotBox.right, plotBox.top},
                            {plotBox.right, plotBox.bottom}, {plotBox.left, plotBox.bottom}, {plotBox.left, plotBox.top}})
            surface.vertex(x, y);
    }
    surface.end();
    surface.setStipple(1, Surface::kSolid);
    // Control points: pinned ones green, the others blue.
    surface.setPointSize(kControlPointSize);
    for (const ControlPoint& cp : controlPoints) {
        surface.setColor(cp.pinned ? ColorF(0, 1, 0, 1) : ColorF(0, 0, 1, 1));
        surface.begin(Surface::Primitive::Points);
        surface.vertex(cp.x, cp.y);
        surface.end();
    }
    surface.setPointSize(1);
}

void EquationObject::drawLabel(Surface& surface, double scale, double xZoom, double yZoom) {
    MathExp* shown = displayTextType == 0 ? expression.get() : displayTextType == 1 ? &displayExpression : nullptr;
    if (!shown) return;
    surface.setColor(colour);
    const LabelSize size = DrawEquationLabel(surface, *shown, labelPosition, scale, xZoom, yZoom);
    shown->labelBox = RectF(float(labelPosition.y + size.height), labelPosition.y, labelPosition.x,
                            float(labelPosition.x + size.width));
    if (isTextOnly()) setPlotBox(shown->labelBox.left, shown->labelBox.right, shown->labelBox.top, shown->labelBox.bottom);
}

void EquationObject::drawExtremePoints(Surface& surface, double scale, double xZoom) const {
    surface.setColor(ColorF(1, 0, 0, 1));
    surface.setLineWidth(2);
    for (const ExtremePoint& e : expression->ExtremePoints()) {
        if (!std::isfinite(e.x) || !std::isfinite(e.y)) continue;
        surface.begin(Surface::Primitive::Lines);
        surface.vertex(e.x - 0.5 * scale * xZoom, e.y);
        surface.vertex(e.x + 0.5 * scale * xZoom, e.y);
        surface.end();
    }
}

void EquationObject::draw(Surface& surface, double scale, double xZoom, double yZoom) {
    if (!expression) return;
    surface.setColor(colour);
    if (expression->form == FORM_NONE || expression->form == FORM_CONSTANT) {
        drawLabel(surface, scale, xZoom, yZoom);
        return;
    }
    const bool raster = !surface.isVector();
    surface.setClipRect(plotBox);
    drawPieces(surface);
    if (bEnableMensu) mensuration.draw(surface, *this, 0.2 * scale, scale, xZoom, yZoom);
    if (selected && expression->type == PT_HYPERBOLA) drawAsymptotes(surface);
    surface.clearClip();
    if (selected && raster) drawSelection(surface, scale, xZoom, yZoom);
    if (displayText) drawLabel(surface, scale, xZoom, yZoom);
    if (bDrawExtremePoints && raster) drawExtremePoints(surface, scale, xZoom);
    for (const AttribPoint& ap : attribute_points) ap.draw(surface, scale, xZoom, yZoom);
}
