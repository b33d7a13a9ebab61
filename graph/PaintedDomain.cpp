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

std::vector<std::vector<PointF>> RegionRings(const std::vector<HatchSegment>& columns) {
    std::vector<HatchSegment> sorted;
    sorted.reserve(columns.size());
    for (const HatchSegment& c : columns)
        if (c.to > c.from && std::isfinite(c.x)) sorted.push_back(c);
    std::sort(sorted.begin(), sorted.end(),
              [](const HatchSegment& a, const HatchSegment& b) { return a.x != b.x ? a.x < b.x : a.from < b.from; });
    std::vector<std::vector<PointF>> rings;
    // One column is [begin, end), the next [end, next).
    const size_t n = sorted.size();
    size_t begin = 0;
    while (begin < n) {
        size_t end = begin;
        while (end < n && sorted[end].x == sorted[begin].x) ++end;
        size_t next = end;
        while (next < n && sorted[next].x == sorted[end].x) ++next;
        for (size_t i = begin; i < end; ++i)
            for (size_t j = end; j < next; ++j) {
                const HatchSegment& a = sorted[i];
                const HatchSegment& b = sorted[j];
                if (!(std::max(a.from, b.from) < std::min(a.to, b.to))) continue;
                rings.push_back({PointF(float(a.x), float(a.from)), PointF(float(b.x), float(b.from)),
                                 PointF(float(b.x), float(b.to)), PointF(float(a.x), float(a.to))});
            }
        begin = end;
    }
    return rings;
}

ColorF PaintTint(const ColorF& c) {
    constexpr float kStrength = 0.3f;
    auto mix = [](float v) { return 1.0f - kStrength * (1.0f - std::clamp(v, 0.0f, 1.0f)); };
    return ColorF(mix(c.r), mix(c.g), mix(c.b), 1.0f);
}

void DrawPaintedRegion(Painter& painter, const ColorF& colour, const std::vector<std::vector<PointF>>& rings) {
    if (rings.empty()) return;
    painter.setPen(Pen(PaintTint(colour)));
    painter.fillRegion(rings);
}

void DrawPaintedDomain(Painter& painter, const PaintedDomain& domain, const EquationList& equations,
                       const RectF& graphRect, double scale, const RectF& visible) {
    DrawPaintedRegion(painter, domain.colour,
                      RegionRings(HatchPaintedDomain(domain, equations, graphRect, scale, visible)));
}

const HatchingCache::Shape& HatchingCache::of(size_t index, const PaintedDomain& domain,
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
        entry.shape.columns = HatchPaintedDomain(domain, equations, graphRect, scale, visible);
        entry.shape.rings = RegionRings(entry.shape.columns);
        entry.valid = true;
        entry.seed = domain.seed;
        entry.graphRect = graphRect;
        entry.scale = scale;
        entry.visible = visible;
        entry.stamps = std::move(stamps);
    }
    return entry.shape;
}

void HatchingCache::keep(size_t count) {
    if (entries_.size() > count) entries_.resize(count);
}
