// SPDX-License-Identifier: MIT
#include "graph/EquationLabel.h"

namespace {

constexpr double kPixelsPerUnit = 40.0;  // at scale 1 and zoom 1

// The typesetter draws in pixels; the graph measures in units of 40 pixels at scale 1.
LabelSize InGraphUnits(PixelSize px, const ViewScale& v) {
    return {px.width * v.scale * v.xZoom / kPixelsPerUnit, px.height * v.scale * v.yZoom / kPixelsPerUnit};
}

}  // namespace

LabelSize MeasureEquationLabel(Painter& painter, const MathEx::MathExp& exp) {
    if (!exp.GetRoot()) return {};
    return InGraphUnits(painter.equationImageSize(exp.ToText(MathEx::TEXT_TEXTBOOK)), painter.view());
}

LabelSize DrawEquationLabel(Painter& painter, const MathEx::MathExp& exp, PointF corner) {
    if (!exp.GetRoot()) return {};
    return InGraphUnits(painter.equationImage(exp.ToText(MathEx::TEXT_TEXTBOOK), corner), painter.view());
}

LabelSize MeasureUserLabel(Painter& painter, const MathEx::UserLabel& label) {
    return InGraphUnits(painter.equationImageSize(label.latex()), painter.view());
}

LabelSize DrawUserLabel(Painter& painter, const MathEx::UserLabel& label, PointF corner) {
    return InGraphUnits(painter.equationImage(label.latex(), corner), painter.view());
}
