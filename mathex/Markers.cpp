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

void DrawDiscMarkers(Painter& painter, std::span<const PointF> centres, double radius, float lineWidth,
                     const ColorF& fill, const ColorF& outline, bool filled) {
    // A filled marker's outline pass covers its fill exactly: the fill is
    // drawn only where it shows (under a rim, or under a see-through top).
    if (!filled || outline.a < 1.0f) {
        painter.setPen(Pen(fill, lineWidth));
        painter.discs(centres, radius, true);
    }
    painter.setPen(Pen(outline, lineWidth));
    painter.discs(centres, radius, filled);
}

void DrawAngleArc(Painter& painter, PointF centre, PointF first, PointF second) {
    const double dx1 = first.x - centre.x, dy1 = first.y - centre.y;
    const double a1 = QuadrantAngle(dx1, dy1);
    const double a2 = QuadrantAngle(second.x - centre.x, second.y - centre.y);
    const double radius = std::sqrt(dx1 * dx1 + dy1 * dy1);
    if (painter.isVector()) {
        // Counter-clockwise from start to end must be the short way round.
        double start = std::fmin(a1, a2), end = std::fmax(a1, a2);
        if (std::fabs(a2 - a1) > kPi) std::swap(start, end);
        painter.arc(centre, radius, start * 180 / kPi, end * 180 / kPi);
        return;
    }
    double sweep = a2 - a1;
    if (sweep > kPi) sweep -= kTwoPi;
    if (sweep < -kPi) sweep += kTwoPi;
    std::vector<PointF> path;
    path.reserve(100);
    for (int k = 0; k < 100; ++k) {
        const double a = a1 + k * sweep / 100;
        path.emplace_back(float(centre.x + radius * std::cos(a)), float(centre.y + radius * std::sin(a)));
    }
    painter.polyline(path);
}

}  // namespace MathEx
