// SPDX-License-Identifier: MIT
#include "graph/ExtremeLabels.h"

#include <cmath>
#include <string>

#include "graph/EquationLabel.h"
#include "mathex/SmartNumber.h"

namespace {

constexpr double kPixelsPerUnit = 40.0;  // at scale 1 and zoom 1
// Pixels between an extreme point's mark and its coordinates.
constexpr double kLabelGap = 4.0;

// A coordinate as the value labels print it, except that a value that rounds
// to zero prints as 0: a root found a hair below zero (or -0, the vertex of
// y = -x^2) would otherwise read "-0".
std::string CoordinateText(float v) {
    std::string text = MathEx::SmartNumber(v).ToString();
    if (text.size() > 1 && text[0] == '-' && text.find_first_of("123456789") == std::string::npos)
        text = text.substr(1);
    return text;
}

}  // namespace

std::vector<ExtremeLabel> PlaceExtremeLabels(const MathEx::MathExp& expression, Painter& painter) {
    const auto [scale, xZoom, yZoom] = painter.view();
    std::vector<ExtremeLabel> labels;
    const double gap = kLabelGap * scale * yZoom / kPixelsPerUnit;
    for (const MathEx::ExtremePoint& e : expression.ExtremePoints()) {
        if (!std::isfinite(e.x) || !std::isfinite(e.y)) continue;
        ExtremeLabel label{e, {}, e, 0, 0};
        std::string text = "(";
        text.append(CoordinateText(e.x)).append(", ").append(CoordinateText(e.y)).append(")");
        if (label.text.Parse(text)) {
            const LabelSize size = MeasureEquationLabel(painter, label.text);
            label.width = size.width;
            label.height = size.height;
            const double bottom = e.isMinimum ? e.y - gap - size.height : e.y + gap;
            label.corner = PointF(float(e.x - size.width / 2), float(bottom));
        } else {
            label.text = MathEx::MathExp();
        }
        labels.push_back(std::move(label));
    }
    return labels;
}
