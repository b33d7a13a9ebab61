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

void EquationObject::drawPieces(Painter& painter) const {
    const bool domainStipple = !painter.isVector() && from_ != to_ && !expression_->kind().isConic();
    // With a domain the outside parts are dotted: pieces 1 (Left, Right) or 1 and 2 (Both).
    const size_t dottedEnd = !domainStipple ? 0 : stippleType_ == STIPPLE_BOTH ? 3 : stippleType_ == STIPPLE_NONE ? 0 : 2;
    const Pen own = Pen::Patterned(colour_, lineWidth_, uint16_t(lineStipple_), kCurveStippleFactor);
    const Pen dotted = Pen::Patterned(colour_, lineWidth_, kDottedPattern, kCurveStippleFactor);
    for (size_t i = 0; i < pieces_.size(); ++i) {
        painter.setPen(i >= 1 && i < dottedEnd ? dotted : own);
        painter.polyline(pieces_[i]);
    }
}

// The selected curve's guide lines (a hyperbola's asymptotes), dashed.
void EquationObject::drawGuideLines(Painter& painter) const {
    const std::vector<GuideLine> lines = expression_->kind().guideLines(expression_->coeffs, plotBox_);
    if (lines.empty()) return;
    painter.setPen(Pen::Patterned(kBlack, 1, kAsymptotePattern));
    std::vector<PointF> ends;
    for (const GuideLine& line : lines) {
        ends.emplace_back(float(line.x0), float(line.y0));
        ends.emplace_back(float(line.x1), float(line.y1));
    }
    painter.segments(ends);
}

void EquationObject::drawSelection(Painter& painter) const {
    const auto [scale, xZoom, yZoom] = painter.view();
    painter.setPen(Pen::Patterned(kBlack, 1, kFramePattern));
    std::vector<PointF> frame;
    if (isTextOnly()) {
        const double left = labelPosition_.x - 0.05 * scale * xZoom, top = labelPosition_.y + 0.05 * scale * yZoom;
        const double w = (plotBox_.right - plotBox_.left) * scale * xZoom + 0.1 * scale * xZoom;
        const double h = (plotBox_.top - plotBox_.bottom) * scale * yZoom + 0.1 * scale * yZoom;
        for (auto [x, y] : {std::pair{left, top}, {left + w, top}, {left + w, top - h}, {left, top - h}, {left, top}})
            frame.emplace_back(float(x), float(y));
    } else {
        for (auto [x, y] : {std::pair{plotBox_.left, plotBox_.top}, {plotBox_.right, plotBox_.top},
                            {plotBox_.right, plotBox_.bottom}, {plotBox_.left, plotBox_.bottom}, {plotBox_.left, plotBox_.top}})
            frame.emplace_back(x, y);
    }
    painter.polyline(frame);
    // Control points: pinned ones green, the others blue.
    for (const bool pinned : {false, true}) {
        std::vector<PointF> points;
        for (const ControlPoint& cp : controlPoints_)
            if (cp.pinned == pinned) points.emplace_back(float(cp.x), float(cp.y));
        if (points.empty()) continue;
        painter.setPen(Pen(pinned ? ColorF(0, 1, 0, 1) : ColorF(0, 0, 1, 1)));
        painter.dots(points, kControlPointSize);
    }
}

void EquationObject::drawLabel(Painter& painter) {
    const bool user = labelKind_ == LABEL_USER_TEXT;
    if (!user && !(labelKind_ == LABEL_EQUATION && expression_)) return;
    painter.setPen(Pen(colour_));
    const LabelSize size = user ? DrawUserLabel(painter, userLabel_, labelPosition_)
                                : DrawEquationLabel(painter, *expression_, labelPosition_);
    RectF& box = user ? userLabelBox_ : expression_->labelBox;
    box = RectF(float(labelPosition_.y + size.height), labelPosition_.y, labelPosition_.x,
                float(labelPosition_.x + size.width));
    if (isTextOnly()) setPlotBox(box.left, box.right, box.top, box.bottom);
}

// Each extreme point is a short red bar with its coordinates beside it.
void EquationObject::drawExtremePoints(Painter& painter) const {
    const auto [scale, xZoom, yZoom] = painter.view();
    for (const ExtremeLabel& label : PlaceExtremeLabels(*expression_, painter)) {
        const PointF& e = label.point;
        painter.setPen(Pen(ColorF(1, 0, 0, 1), 2));
        painter.segment(PointF(float(e.x - 0.5 * scale * xZoom), e.y), PointF(float(e.x + 0.5 * scale * xZoom), e.y));
        painter.setPen(Pen(kBlack));
        DrawEquationLabel(painter, label.text, label.corner);
    }
}

void EquationObject::draw(Painter& painter, bool selected) {
    const auto [scale, xZoom, yZoom] = painter.view();
    if (!expression_) return;
    painter.setPen(Pen(colour_, lineWidth_));
    if (expression_->form == FORM_NONE || expression_->form == FORM_CONSTANT) {
        drawLabel(painter);
        return;
    }
    const bool raster = !painter.isVector();
    painter.setClipRect(plotBox_);
    drawPieces(painter);
    if (mensurationEnabled_) mensuration_.draw(painter, *this, 0.2 * scale);
    if (selected) drawGuideLines(painter);
    painter.clearClip();
    if (selected && raster) drawSelection(painter);
    if (displayText_) drawLabel(painter);
    if (extremePointsShown_) drawExtremePoints(painter);
    for (const AttribPoint& ap : attribPoints_) ap.draw(painter);
}
