// SPDX-License-Identifier: MIT
#pragma once
// Cutting lines and polygons to an axis-aligned rectangle: the page a
// PostScript interpreter can hold, a painter's clip that its device ignores,
// the box a label is meant to keep clear. Pure arithmetic on doubles.
#include <algorithm>
#include <vector>

struct ClipPoint {
    double x = 0, y = 0;
    bool operator==(const ClipPoint&) const = default;
};

// left ≤ right and bottom ≤ top (bottom is simply the smaller y, whichever way y grows).
struct ClipBounds {
    double left = 0, bottom = 0, right = 0, top = 0;

    bool contains(ClipPoint p) const { return p.x >= left && p.x <= right && p.y >= bottom && p.y <= top; }
};

// Liang–Barsky: the segment a + t·(b − a), t in [0, 1], narrowed edge by edge
// to the part inside; an end already inside is kept exactly. False when no
// part is inside.
inline bool ClipSegment(const ClipBounds& r, ClipPoint& a, ClipPoint& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.bottom, r.top - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;  // parallel to the edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const ClipPoint from = a;
    if (t0 > 0) a = ClipPoint{from.x + t0 * dx, from.y + t0 * dy};
    if (t1 < 1) b = ClipPoint{from.x + t1 * dx, from.y + t1 * dy};
    return true;
}

// Sutherland–Hodgman against the four edges in turn; fewer than three points
// when nothing is left.
inline std::vector<ClipPoint> ClipPolygon(const ClipBounds& r, const std::vector<ClipPoint>& points)
{
    struct Edge {
        int axis;      // 0: x, 1: y
        double value;  // the edge's coordinate
        bool keepAbove;
    };
    const Edge edges[4] = {{0, r.left, true}, {0, r.right, false}, {1, r.bottom, true}, {1, r.top, false}};
    std::vector<ClipPoint> in = points, out;
    for (const Edge& e : edges) {
        out.clear();
        auto coord = [&](const ClipPoint& p) { return e.axis == 0 ? p.x : p.y; };
        auto inside = [&](const ClipPoint& p) { return e.keepAbove ? coord(p) >= e.value : coord(p) <= e.value; };
        auto cross = [&](const ClipPoint& a, const ClipPoint& b) {
            const double t = (e.value - coord(a)) / (coord(b) - coord(a));
            ClipPoint p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            (e.axis == 0 ? p.x : p.y) = e.value;
            return p;
        };
        for (size_t i = 0; i < in.size(); ++i) {
            const ClipPoint& cur = in[i];
            const ClipPoint& prev = in[(i + in.size() - 1) % in.size()];
            if (inside(cur)) {
                if (!inside(prev)) out.push_back(cross(prev, cur));
                out.push_back(cur);
            } else if (inside(prev)) {
                out.push_back(cross(prev, cur));
            }
        }
        in.swap(out);
        if (in.empty()) break;
    }
    return in;
}
