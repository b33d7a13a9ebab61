#include "render/PageClip.h"

#include <algorithm>
#include <cmath>

PageClip::PageClip(double x, double y, double width, double height) {
    const double margin = std::max(std::fabs(width), std::fabs(height));
    left_ = x - margin;
    right_ = x + width + margin;
    bottom_ = y - margin;
    top_ = y + height + margin;
}

bool PageClip::contains(Point p) const {
    return p.x >= left_ && p.x <= right_ && p.y >= bottom_ && p.y <= top_;
}

bool PageClip::meets(Point c, double r) const {
    return c.x + r >= left_ && c.x - r <= right_ && c.y + r >= bottom_ && c.y - r <= top_;
}

bool PageClip::insideCircle(Point c, double r) const {
    for (const Point& p : corners())
        if (std::hypot(p.x - c.x, p.y - c.y) > r) return false;
    return true;
}

double PageClip::clampX(double x) const { return std::clamp(x, left_, right_); }
double PageClip::clampY(double y) const { return std::clamp(y, bottom_, top_); }

std::vector<PageClip::Point> PageClip::corners() const {
    return {{left_, bottom_}, {right_, bottom_}, {right_, top_}, {left_, top_}};
}

// Liang–Barsky: the segment a + t·(b − a), t in [0, 1], narrowed edge by edge.
std::optional<std::pair<PageClip::Point, PageClip::Point>> PageClip::segment(Point a, Point b) const {
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - left_, right_ - a.x, a.y - bottom_, top_ - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;  // parallel to the edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return std::nullopt;
    }
    const Point from = t0 > 0 ? Point{a.x + t0 * dx, a.y + t0 * dy} : a;
    const Point to = t1 < 1 ? Point{a.x + t1 * dx, a.y + t1 * dy} : b;
    return std::make_pair(from, to);
}

// Sutherland–Hodgman against the four edges in turn.
std::vector<PageClip::Point> PageClip::polygon(const std::vector<Point>& points) const {
    struct Edge {
        int axis;      // 0: x, 1: y
        double value;  // the edge's coordinate
        bool keepAbove;
    };
    const Edge edges[4] = {{0, left_, true}, {0, right_, false}, {1, bottom_, true}, {1, top_, false}};
    std::vector<Point> in = points, out;
    for (const Edge& e : edges) {
        out.clear();
        auto coord = [&](const Point& p) { return e.axis == 0 ? p.x : p.y; };
        auto inside = [&](const Point& p) { return e.keepAbove ? coord(p) >= e.value : coord(p) <= e.value; };
        auto cross = [&](const Point& a, const Point& b) {
            const double t = (e.value - coord(a)) / (coord(b) - coord(a));
            Point p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            (e.axis == 0 ? p.x : p.y) = e.value;
            return p;
        };
        for (size_t i = 0; i < in.size(); ++i) {
            const Point& cur = in[i];
            const Point& prev = in[(i + in.size() - 1) % in.size()];
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
