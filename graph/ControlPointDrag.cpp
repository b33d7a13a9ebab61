// SPDX-License-Identifier: MIT
// Control points and reshaping. Each curve kind places its own points and
// says how dragging one of them reshapes the curve (see the kinds' files);
// here the equation keeps the points, undoes a drag the kind refuses, and
// follows a reshape with its attribute points, text and samples.
#include <algorithm>
#include <cmath>

#include "graph/EquationObject.h"
#include "mathex/CurveKind.h"

using namespace MathEx;

void EquationObject::rebuildControlPoints() {
    controlPoints_.clear();
    if (!expression_) return;
    const CurveKind& kind = expression_->kind();
    controlPoints_ = kind.controlPoints(expression_->coeffs);
    if (const std::optional<bool> monotonic = kind.monotonic(expression_->coeffs)) monotonic_ = *monotonic;
}

void EquationObject::dragControlPoint(int i, double dx, double dy) {
    if (!expression_ || i < 0 || i >= int(controlPoints_.size())) return;
    double* c = expression_->coeffs;
    const std::vector<ControlPoint> before = controlPoints_;
    const bool ok = expression_->kind().reshape(c, controlPoints_, i, PointF{float(dx), float(dy)});
    if (!ok || !std::all_of(c, c + 5, [](double v) { return std::isfinite(v); })) {
        // A shape the points cannot describe: keep the curve as it was.
        controlPoints_ = before;
        return;
    }
    afterReshape();
}

// The coefficients changed: attribute points keep their x and move onto the
// new curve (the ordinate nearer their old one), the text is rebuilt from the
// coefficients, and the curve is sampled again.
void EquationObject::afterReshape() {
    for (AttribPoint& ap : attribPoints_) {
        double y1, y2;
        ordinates(ap.position.x, y1, y2);
        const double y = std::fabs(y2 - ap.position.y) < std::fabs(y1 - ap.position.y) ? y2 : y1;
        if (std::isfinite(y)) ap.setPosition(ap.position.x, float(y));
    }
    expression_->Rebuild();
    resample();
}
