// SPDX-License-Identifier: MIT
// Drawing of an equation object: clip to the plot box, the pieces with the
// domain stippling, mensuration, asymptotes, selection frame and control
// points, label, extreme points and attribute points, in this order. Vector
// output (the PostScript page) leaves out the frame and control points, which
// are there only to edit by, and draws every piece with the equation's own
// stipple.
#include <cmath>

#include "graph/EquationLabel.h"
#include "graph/EquationObject.h"
#include "graph/ExtremeLabels.h"
#include "mathex/CurveKind.h"

using namespace MathEx;

namespace {
constexpr int kCurveStippleFactor = 5;
constexpr float kControlPointSize = 5;
constexpr uint16_t kFramePattern = 0xF0F0, kAsymptotePattern = 0xFF00;
const ColorF kBlack(0, 0, 0, 1);
}  // namespace

void EquationObject::drawPieces(Surface& surface) const {
    const bool domainStipple = !surface.isVector() && from_ != to_ && !expression_->kind().isConic();
    // With a domain the outside parts are dotted: pieces 1 (Left, Right) or 1 and 2 (Both).
    const size_t dottedEnd = !domainStipple ? 0 : stippleType_ == STIPPLE_BOTH ? 3 : stippleType_ == STIPPLE_NONE ? 0 : 2;
    surface.setColor(colour_);
    surface.setLineWidth(lineWidth_);
    for (size_t i = 0; i < pieces_.size(); ++i) {
        const bool dotted = i >= 1 && i < dottedEnd;
        surface.setStipple(kCurveStippleFactor, dotted ? kDottedPattern : uint16_t(lineStipple_));
        surface.begin(Surface::Primitive::LineStrip);
        for (const PointF& p : pieces_[i]) surface.vertex(p.x, p.y);
        surface.end();
    }
    surface.setStipple(1, Surface::kSolid);
}

// The selected curve's guide lines (a hyperbola's asymptotes), dashed.
void EquationObject::drawGuideLines(Surface& surface) const {
    const std::vector<GuideLine> lines = expression_->kind().guideLines(expression_->coeffs, plotBox_);
    if (lines.empty()) return;
    surface.setColor(kBlack);
    surface.setLineWidth(1);
    surface.setStipple(1, kAsymptotePattern);
    surface.begin(Surface::Primitive::Lines);
    for (const GuideLine& line : lines) {
        surface.vertex(line.x0, line.y0);
        surface.vertex(line.x1, line.y1);
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
        const double left = labelPosition_.x - 0.05 * scale * xZoom, top = labelPosition_.y + 0.05 * scale * yZoom;
        const double w = (plotBox_.right - plotBox_.left) * scale * xZoom + 0.1 * scale * xZoom;
        const double h = (plotBox_.top - plotBox_.bottom) * scale * yZoom + 0.1 * scale * yZoom;
        for (auto [x, y] : {std::pair{left, top}, {left + w, top}, {left + w, top - h}, {left, top - h}, {left, top}})
            surface.vertex(x, y);
    } else {
        for (auto [x, y] : {std::pair{plotBox_.left, plotBox_.top}, {plotBox_.right, plotBox_.top},
                            {plotBox_.right, plotBox_.bottom}, {plotBox_.left, plotBox_.bottom}, {plotBox_.left, plotBox_.top}})
            surface.vertex(x, y);
    }
    surface.end();
    surface.setStipple(1, Surface::kSolid);
    // Control points: pinned ones green, the others blue.
    surface.setPointSize(kControlPointSize);
    for (const ControlPoint& cp : controlPoints_) {
        surface.setColor(cp.pinned ? ColorF(0, 1, 0, 1) : ColorF(0, 0, 1, 1));
        surface.begin(Surface::Primitive::Points);
        surface.vertex(cp.x, cp.y);
        surface.end();
    }
    surface.setPointSize(1);
}

void EquationObject::drawLabel(Surface& surface, double scale, double xZoom, double yZoom) {
    const bool user = labelKind_ == LABEL_USER_TEXT;
    if (!user && !(labelKind_ == LABEL_EQUATION && expression_)) return;
    surface.setColor(colour_);
    const LabelSize size = user ? DrawUserLabel(surface, userLabel_, labelPosition_, scale, xZoom, yZoom)
                                : DrawEquationLabel(surface, *expression_, labelPosition_, scale, xZoom, yZoom);
    RectF& box = user ? userLabelBox_ : expression_->labelBox;
    box = RectF(float(labelPosition_.y + size.height), labelPosition_.y, labelPosition_.x,
                float(labelPosition_.x + size.width));
    if (isTextOnly()) setPlotBox(box.left, box.right, box.top, box.bottom);
}

// Each extreme point is a short red bar with its coordinates beside it.
void EquationObject::drawExtremePoints(Surface& surface, double scale, double xZoom, double yZoom) const {
    for (const ExtremeLabel& label : PlaceExtremeLabels(*expression_, surface, scale, xZoom, yZoom)) {
        const PointF& e = label.point;
        surface.setColor(ColorF(1, 0, 0, 1));
        surface.setLineWidth(2);
        surface.begin(Surface::Primitive::Lines);
        surface.vertex(e.x - 0.5 * scale * xZoom, e.y);
        surface.vertex(e.x + 0.5 * scale * xZoom, e.y);
        surface.end();
        surface.setColor(kBlack);
        surface.setLineWidth(1);
        DrawEquationLabel(surface, label.text, label.corner, scale, xZoom, yZoom);
    }
}

void EquationObject::draw(Surface& surface, double scale, double xZoom, double yZoom, bool selected) {
    if (!expression_) return;
    surface.setColor(colour_);
    if (expression_->form == FORM_NONE || expression_->form == FORM_CONSTANT) {
        drawLabel(surface, scale, xZoom, yZoom);
        return;
    }
    const bool raster = !surface.isVector();
    surface.setClipRect(plotBox_);
    drawPieces(surface);
    if (mensurationEnabled_) mensuration_.draw(surface, *this, 0.2 * scale, scale, xZoom, yZoom);
    if (selected) drawGuideLines(surface);
    surface.clearClip();
    if (selected && raster) drawSelection(surface, scale, xZoom, yZoom);
    if (displayText_) drawLabel(surface, scale, xZoom, yZoom);
    if (extremePointsShown_) drawExtremePoints(surface, scale, xZoom, yZoom);
    for (const AttribPoint& ap : attribPoints_) ap.draw(surface, scale, xZoom, yZoom);
}
