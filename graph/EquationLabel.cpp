// SPDX-License-Identifier: MIT
#include "graph/EquationLabel.h"

namespace {

constexpr double kPixelsPerUnit = 40.0;  // at scale 1 and zoom 1

// The typesetter draws in pixels; the graph measures in units of 40 pixels at scale 1.
LabelSize InGraphUnits(PixelSize px, double scale, double xZoom, double yZoom) {
    return {px.width * scale * xZoom / kPixelsPerUnit, px.height * scale * yZoom / kPixelsPerUnit};
}

}  // namespace

LabelSize MeasureEquationLabel(Painter& painter, const MathEx::MathExp& exp, double scale, double xZoom,
                               double yZoom) {
    if (!exp.GetRoot()) return {};
    return InGraphUnits(painter.equationImageSize(exp.ToText(MathEx::TEXT_TEXTBOOK)), scale, xZoom, yZoom);
}

LabelSize DrawEquationLabel(Painter& painter, const MathEx::MathExp& exp, PointF corner, double scale,
                            double xZoom, double yZoom) {
    if (!exp.GetRoot()) return {};
    return InGraphUnits(painter.equationImage(exp.ToText(MathEx::TEXT_TEXTBOOK), corner), scale, xZoom, yZoom);
}

LabelSize MeasureUserLabel(Painter& painter, const MathEx::UserLabel& label, double scale, double xZoom,
                           double yZoom) {
    return InGraphUnits(painter.equationImageSize(label.latex()), scale, xZoom, yZoom);
}

LabelSize DrawUserLabel(Painter& painter, const MathEx::UserLabel& label, PointF corner, double scale,
                        double xZoom, double yZoom) {
    return InGraphUnits(painter.equationImage(label.latex(), corner), scale, xZoom, yZoom);
}
