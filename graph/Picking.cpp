// SPDX-License-Identifier: MIT
#include "graph/Picking.h"

#include <cmath>
#include <numbers>

#include "graph/EquationObject.h"

double PickTolerance::distance(PointF p, PointF q) const {
    // A zero tolerance along an axis accepts only the same coordinate there.
    auto part = [](double d, double t) { return d == 0.0 ? 0.0 : t > 0.0 ? d / t : INFINITY; };
    return std::hypot(part(double(q.x) - p.x, x), part(double(q.y) - p.y, y));
}

RectF PickTolerance::grow(const RectF& box) const {
    return RectF(float(box.top + y), float(box.bottom - y), float(box.left - x), float(box.right + x));
}

bool CurvePassesNear(const EquationObject& equation, PointF p, const PickTolerance& tolerance) {
    const MathEx::MathExp* e = equation.expression();
    if (!e || equation.isTextOnly()) return false;
    const bool explicitForm = e->form == MathEx::FORM_EXPLICIT;
    auto G = [&](double x, double y) { return e->Value(x, y) - (explicitForm ? y : 0.0); };
    // Eight points round the ring, so that a line at any slope within the
    // tolerance crosses between two of them (four would let a diagonal one
    // through at 0.7 of it), and the centre, for a curve small enough to lie
    // inside the ring.
    constexpr int kRing = 8;
    int finite = 0, positive = 0, negative = 0;
    for (int k = 0; k <= kRing; ++k) {
        const double a = 2 * std::numbers::pi * k / kRing;
        const double v = k == kRing ? G(p.x, p.y) : G(p.x + tolerance.x * std::cos(a), p.y + tolerance.y * std::sin(a));
        if (!std::isfinite(v)) continue;
        ++finite;
        positive += v > 0;
        negative += v < 0;
    }
    if (finite == 0) return false;
    // All on one side: the curve does not come this near. Some points off the
    // curve's domain: its end (or its asymptote) is within reach.
    return !(finite == kRing + 1 && (positive == finite || negative == finite));
}

int NearestControlPoint(const EquationObject& equation, PointF p, const PickTolerance& tolerance) {
    int best = -1;
    double bestDistance = 1.0;
    const auto& points = equation.controlPoints();
    for (size_t i = 0; i < points.size(); ++i) {
        const double d = tolerance.distance(points[i], p);
        // The first of equally near points, as they were always tried in order.
        if (d < bestDistance || (best < 0 && d <= bestDistance)) {
            best = int(i);
            bestDistance = d;
        }
    }
    return best;
}

bool LabelNear(const EquationObject& equation, PointF p, const PickTolerance& tolerance) {
    const RectF box = equation.labelBox();
    if (!(box.top > box.bottom && box.right > box.left)) return false;  // never laid out
    const RectF area = tolerance.grow(box);
    return area.left <= p.x && p.x <= area.right && area.bottom <= p.y && p.y <= area.top;
}
