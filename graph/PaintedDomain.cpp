// SPDX-License-Identifier: MIT
#include "graph/PaintedDomain.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace MathEx;

namespace {

// Bounds the columns drawn in each direction, so that an infinite graph
// rectangle or a step lost in rounding far from the origin cannot loop for
// ever. Far above the columns of any real view (20 units at the finest scale,
// 0.00005 units apart, are 400 000).
constexpr int kMaxColumns = 1 << 20;

bool CutsRegions(const EquationObject& e) {
    return e.expression() && (e.expression()->form == FORM_EXPLICIT || e.expression()->form == FORM_IMPLICIT);
}

// The side of a curve a point is on: G(p) = F(p) − y for y = F, F(p) for F = 0.
double Side(const MathExp& e, PointF p) {
    const double v = e.Value(p.x, p.y);
    return e.form == FORM_EXPLICIT ? v - p.y : v;
}

// The seed's side of every curve, computed once for all the columns of a domain.
// Equations that cut no regions keep a NaN, which never separates.
class Region {
public:
    Region(const EquationList& equations, PointF seed) : equations_(equations), seed_(seed) {
        seedSides_.reserve(equations.size());
        for (const auto& e : equations)
            seedSides_.push_back(e && CutsRegions(*e) ? Side(*e->expression(), seed) : std::nan(""));
    }

    bool contains(PointF q) const {
        if (!(q.y * seed_.y > 0)) return false;
        for (size_t k = 0; k < equations_.size(); ++k) {
            if (!equations_[k] || !CutsRegions(*equations_[k])) continue;
            if (Side(*equations_[k]->expression(), q) * seedSides_[k] <= 0) return false;
        }
        return true;
    }

private:
    const EquationList& equations_;
    PointF seed_;
    std::vector<double> seedSides_;
};

// Where the curves, the axis and the rectangle's edges cross the vertical at x, ascending.
std::vector<double> ColumnBreaks(const EquationList& equations, double x, const RectF& rect) {
    std::vector<double> ys;
    for (const auto& e : equations) {
        if (!e || !CutsRegions(*e)) continue;
        double y1, y2;
        e->ordinates(x, y1, y2);
        if (rect.bottom < y1 && y1 < rect.top) ys.push_back(y1);
        if (y2 != y1 && rect.bottom < y2 && y2 < rect.top) ys.push_back(y2);
    }
    ys.push_back(0.0);
    ys.push_back(rect.top);
    ys.push_back(rect.bottom);
    std::sort(ys.begin(), ys.end());
    return ys;
}

// The segments of one hatching column that lie in the region, in the line
// style the caller has set; whether there is any. Only a column in sight
// (`draw`) is drawn: one out of sight is still looked at, since where the
// region ends decides how far the hatching reaches.
bool DrawColumn(Surface& surface, const EquationList& equations, const Region& region, double x,
                const RectF& rect, bool draw) {
    const std::vector<double> ys = ColumnBreaks(equations, x, rect);
    int found = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        if (!region.contains(PointF(float(x), float((ys[k] + ys[k + 1]) / 2)))) continue;
        ++found;
        if (!draw) continue;
        surface.begin(Surface::Primitive::Lines);
        surface.vertex(x, ys[k]);
        surface.vertex(x, ys[k + 1]);
        surface.end();
    }
    return found > 0;
}

}  // namespace

bool SameRegion(const EquationList& equations, PointF seed, PointF q) {
    return Region(equations, seed).contains(q);
}

void DrawPaintedDomain(Surface& surface, const PaintedDomain& domain, const EquationList& equations,
                       const RectF& graphRect, double scale, const RectF& visible) {
    const PointF s = domain.seed;
    // A seed without a place has no column to start from, and a rectangle edge
    // that is not a number cannot be ordered among the column's breaks.
    if (!std::isfinite(s.x) || !std::isfinite(s.y)) return;
    if (std::isnan(graphRect.top) || std::isnan(graphRect.bottom) || std::isnan(graphRect.left) ||
        std::isnan(graphRect.right))
        return;
    const double step = 0.05 * scale;
    const Region region(equations, s);
    // One stroke style for all the columns (as if set and reset around each):
    // a page then carries the dash setting once, not once per column.
    surface.setColor(ColorF(domain.colour.r, domain.colour.g, domain.colour.b, 1.0f));
    surface.setStipple(1, 0xAAAA);
    surface.setLineWidth(0.5f);
    const double margin = step > 0 && std::isfinite(step) ? step : 0.0;
    const auto inSight = [&](double x) { return x >= visible.left - margin && x <= visible.right + margin; };
    // A step that does not advance would only repeat the seed column.
    if (!(step > 0) || !std::isfinite(step)) {
        DrawColumn(surface, equations, region, s.x, graphRect, inSight(s.x));
    } else {
        // Each walk ends where the region or the rectangle ends, or once it has
        // passed the window: nothing beyond can be seen or end an earlier column.
        double x = s.x;
        for (int n = 0; n < kMaxColumns && x <= visible.right + margin; ++n, x += step)
            if (!DrawColumn(surface, equations, region, x, graphRect, inSight(x)) || x >= graphRect.right) break;
        x = s.x - step;
        for (int n = 0; n < kMaxColumns && x >= visible.left - margin; ++n, x -= step)
            if (!DrawColumn(surface, equations, region, x, graphRect, inSight(x)) || x <= graphRect.left) break;
    }
    surface.setStipple(1, Surface::kSolid);
    surface.setLineWidth(1.0f);
}
