// SPDX-License-Identifier: MIT
#include "mathex/Markers.h"

#include <cmath>
#include <vector>

#include "mathex/SmartNumber.h"

namespace MathEx {

double QuadrantAngle(double dx, double dy) {
    const double r = std::sqrt(dx * dx + dy * dy);
    if (dx > 0 && dy > 0) return std::acos(dx / r);
    if (dx < 0 && dy > 0) return std::acos(dy / r) + kHalfPi;
    if (dx < 0 && dy < 0) return std::acos(-dx / r) + kPi;
    if (dx > 0 && dy < 0) return kTwoPi - std::acos(dx / r);
    if (dx == 0 && dy > 0) return kHalfPi;
    if (dx < 0 && dy == 0) return kPi;
    if (dx == 0 && dy < 0) return kThreeHalfPi;
    return 0.0;
}

void DrawDiscMarker(Surface& surface, PointF centre, double radius, double sx, double sy, float lineWidth,
                    const ColorF& fill, const ColorF& outline, bool filled) {
    surface.setLineWidth(lineWidth);
    if (surface.isVector()) {
        surface.setColor(fill);
        surface.circle(centre, radius * sx, true);
        surface.setColor(outline);
        surface.circle(centre, radius * sx, filled);
        return;
    }
    // The disc's corners on the unit circle, worked out once: a graph full of
    // markers would otherwise take two sines for every corner of every repaint.
    struct Corner {
        double cos, sin;
    };
    static const std::vector<Corner> kCorners = [] {
        std::vector<Corner> corners;
        for (double t = 0; t < kTwoPi; t += 0.5235987755) corners.push_back({std::cos(t), std::sin(t)});
        return corners;
    }();
    auto polygon = [&](Surface::Primitive primitive) {
        surface.begin(primitive);
        for (const Corner& c : kCorners) surface.vertex(centre.x + radius * sx * c.cos, centre.y + radius * sy * c.sin);
        surface.end();
    };
    surface.setColor(fill);
    polygon(Surface::Primitive::Polygon);
    surface.setColor(outline);
    polygon(filled ? Surface::Primitive::Polygon : Surface::Primitive::LineLoop);
}

void DrawAngleArc(Surface& surface, PointF centre, PointF first, PointF second) {
    const double dx1 = first.x - centre.x, dy1 = first.y - centre.y;
    const double a1 = QuadrantAngle(dx1, dy1);
    const double a2 = QuadrantAngle(second.x - centre.x, second.y - centre.y);
    const double radius = std::sqrt(dx1 * dx1 + dy1 * dy1);
    if (surface.isVector()) {
        // Counter-clockwise from start to end must be the short way round.
        double start = std::fmin(a1, a2), end = std::fmax(a1, a2);
        if (std::fabs(a2 - a1) > kPi) std::swap(start, end);
        surface.arc(centre, radius, start * 180 / kPi, end * 180 / kPi);
        return;
    }
    double sweep = a2 - a1;
    if (sweep > kPi) sweep -= kTwoPi;
    if (sweep < -kPi) sweep += kTwoPi;
    surface.begin(Surface::Primitive::LineStrip);
    for (int k = 0; k < 100; ++k) {
        const double a = a1 + k * sweep / 100;
        surface.vertex(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a));
    }
    surface.end();
}

}  // namespace MathEx
