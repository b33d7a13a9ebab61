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

// The segments of one hatching column that lie in the region, added to `out`
// when the column is in sight (`keep`); whether there is any. A column out of
// sight is still looked at, since where the region ends decides how far the
// hatching reaches.
bool HatchColumn(const EquationList& equations, const Region& region, double x, const RectF& rect, bool keep,
                 std::vector<HatchSegment>& out) {
    const std::vector<double> ys = ColumnBreaks(equations, x, rect);
    bool found = false;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        if (!region.contains(PointF(float(x), float((ys[k] + ys[k + 1]) / 2)))) continue;
        found = true;
        if (keep) out.push_back({x, ys[k], ys[k + 1]});
    }
    return found;
}

}  // namespace

bool SameRegion(const EquationList& equations, PointF seed, PointF q) {
    return Region(equations, seed).contains(q);
}

std::vector<HatchSegment> HatchPaintedDomain(const PaintedDomain& domain, const EquationList& equations,
                                             const RectF& graphRect, double scale, const RectF& visible) {
    std::vector<HatchSegment> segments;
    const PointF s = domain.seed;
    // A seed without a place has no column to start from, and a rectangle edge
    // that is not a number cannot be ordered among the column's breaks.
    if (!std::isfinite(s.x) || !std::isfinite(s.y)) return segments;
    if (std::isnan(graphRect.top) || std::isnan(graphRect.bottom) || std::isnan(graphRect.left) ||
        std::isnan(graphRect.right))
        return segments;
    const double step = 0.05 * scale;
    const Region region(equations, s);
    const double margin = step > 0 && std::isfinite(step) ? step : 0.0;
    const auto inSight = [&](double x) { return x >= visible.left - margin && x <= visible.right + margin; };
    // A step that does not advance would only repeat the seed column.
    if (!(step > 0) || !std::isfinite(step)) {
        HatchColumn(equations, region, s.x, graphRect, inSight(s.x), segments);
        return segments;
    }
    // Each walk ends where the region or the rectangle ends, or once it has
    // passed the window: nothing beyond can be seen or end an earlier column.
    double x = s.x;
    for (int n = 0; n < kMaxColumns && x <= visible.right + margin; ++n, x += step)
        if (!HatchColumn(equations, region, x, graphRect, inSight(x), segments) || x >= graphRect.right) break;
    x = s.x - step;
    for (int n = 0; n < kMaxColumns && x >= visible.left - margin; ++n, x -= step)
        if (!HatchColumn(equations, region, x, graphRect, inSight(x), segments) || x <= graphRect.left) break;
    return segments;
}

void DrawHatching(Painter& painter, const ColorF& colour, const std::vector<HatchSegment>& segments) {
    if (segments.empty()) return;
    // One stroke style and one primitive for all the columns: a page then
    // carries the dash setting once, and the view makes one draw call.
    painter.setPen(Pen::Patterned(ColorF(colour.r, colour.g, colour.b, 1.0f), 0.5f, 0xAAAA));
    std::vector<PointF> ends;
    ends.reserve(2 * segments.size());
    for (const HatchSegment& segment : segments) {
        ends.emplace_back(float(segment.x), float(segment.from));
        ends.emplace_back(float(segment.x), float(segment.to));
    }
    painter.segments(ends);
}

void DrawPaintedDomain(Painter& painter, const PaintedDomain& domain, const EquationList& equations,
                       const RectF& graphRect, double scale, const RectF& visible) {
    DrawHatching(painter, domain.colour, HatchPaintedDomain(domain, equations, graphRect, scale, visible));
}

const std::vector<HatchSegment>& HatchingCache::of(size_t index, const PaintedDomain& domain,
                                                  const EquationList& equations, const RectF& graphRect,
                                                  double scale, const RectF& visible) {
    if (entries_.size() <= index) entries_.resize(index + 1);
    Entry& entry = entries_[index];
    std::vector<uint64_t> stamps;
    stamps.reserve(equations.size());
    for (const auto& e : equations) stamps.push_back(e ? e->shapeStamp() : 0);
    const auto same = [](const RectF& a, const RectF& b) {
        return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
    };
    const bool current = entry.valid && entry.seed.x == domain.seed.x && entry.seed.y == domain.seed.y &&
                         same(entry.graphRect, graphRect) && entry.scale == scale && same(entry.visible, visible) &&
                         entry.stamps == stamps;
    if (!current) {
        entry.segments = HatchPaintedDomain(domain, equations, graphRect, scale, visible);
        entry.valid = true;
        entry.seed = domain.seed;
        entry.graphRect = graphRect;
        entry.scale = scale;
        entry.visible = visible;
        entry.stamps = std::move(stamps);
    }
    return entry.segments;
}

void HatchingCache::keep(size_t count) {
    if (entries_.size() > count) entries_.resize(count);
}
