// SPDX-License-Identifier: MIT
#include "render/PageClip.h"

#include <algorithm>
#include <cmath>

PageClip::PageClip(double x, double y, double width, double height) {
    const double margin = std::max(std::fabs(width), std::fabs(height));
    bounds_ = ClipBounds{x - margin, y - margin, x + width + margin, y + height + margin};
}

bool PageClip::contains(Point p) const { return bounds_.contains(p); }

bool PageClip::meets(Point c, double r) const {
    return c.x + r >= bounds_.left && c.x - r <= bounds_.right && c.y + r >= bounds_.bottom && c.y - r <= bounds_.top;
}

bool PageClip::insideCircle(Point c, double r) const {
    for (const Point& p : corners())
        if (std::hypot(p.x - c.x, p.y - c.y) > r) return false;
    return true;
}

double PageClip::clampX(double x) const { return std::clamp(x, bounds_.left, bounds_.right); }
double PageClip::clampY(double y) const { return std::clamp(y, bounds_.bottom, bounds_.top); }

std::vector<PageClip::Point> PageClip::corners() const {
    return {{bounds_.left, bounds_.bottom}, {bounds_.right, bounds_.bottom}, {bounds_.right, bounds_.top},
            {bounds_.left, bounds_.top}};
}

std::optional<std::pair<PageClip::Point, PageClip::Point>> PageClip::segment(Point a, Point b) const {
    if (!ClipSegment(bounds_, a, b)) return std::nullopt;
    return std::make_pair(a, b);
}

std::vector<PageClip::Point> PageClip::polygon(const std::vector<Point>& points) const {
    return ClipPolygon(bounds_, points);
}
