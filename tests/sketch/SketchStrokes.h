// SPDX-License-Identifier: MIT
#pragma once
// Strokes drawn along exact shapes, for the sketch tests.
#include <cmath>
#include <functional>
#include <vector>

#include "sketch/Stroke.h"

namespace sketchtest {

inline constexpr double kPi = 3.14159265358979323846;

// `count` points of y = f(x) for x evenly from x0 to x1.
inline Stroke Graph(const std::function<double(double)>& f, double x0, double x1, int count = 60) {
    Stroke stroke;
    for (int i = 0; i < count; ++i) {
        const double x = x0 + (x1 - x0) * i / (count - 1);
        stroke.emplace_back(float(x), float(f(x)));
    }
    return stroke;
}

// Points of an ellipse with semi-axes (ax, ay) about (cx, cy), turned by `turn`
// radians, from parameter angle `from` through `sweep` radians.
inline Stroke EllipseArc(double cx, double cy, double ax, double ay, double from, double sweep, double turn = 0.0,
                         int count = 80) {
    Stroke stroke;
    for (int i = 0; i < count; ++i) {
        const double t = from + sweep * i / (count - 1);
        const double x = ax * std::cos(t), y = ay * std::sin(t);
        stroke.emplace_back(float(cx + x * std::cos(turn) - y * std::sin(turn)),
                            float(cy + x * std::sin(turn) + y * std::cos(turn)));
    }
    return stroke;
}

inline Stroke Segment(PointF from, PointF to, int count = 20) {
    Stroke stroke;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / (count - 1);
        stroke.emplace_back(float(from.x + (to.x - from.x) * t), float(from.y + (to.y - from.y) * t));
    }
    return stroke;
}

// Every point turned by `turn` radians about `pivot` and moved by (dx, dy).
inline Stroke Moved(Stroke stroke, double turn, PointF pivot = {}, double dx = 0.0, double dy = 0.0) {
    for (PointF& p : stroke) {
        const double x = p.x - pivot.x, y = p.y - pivot.y;
        p = PointF(float(pivot.x + x * std::cos(turn) - y * std::sin(turn) + dx),
                   float(pivot.y + x * std::sin(turn) + y * std::cos(turn) + dy));
    }
    return stroke;
}

inline Stroke Resampled(Stroke stroke) {
    stroke.resample();
    return stroke;
}

}  // namespace sketchtest
