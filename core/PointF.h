// SPDX-License-Identifier: MIT
#pragma once
#include <cmath>

// A point of the plane in single precision (graph units or layout units).
class PointF {
public:
    float x = 0.0f;
    float y = 0.0f;

    PointF() = default;
    PointF(float x_, float y_) : x(x_), y(y_) {}

    PointF operator+(const PointF& o) const { return PointF(x + o.x, y + o.y); }
    PointF operator-(const PointF& o) const { return PointF(x - o.x, y - o.y); }
    PointF operator*(double s) const { return PointF(float(x * s), float(y * s)); }
    PointF operator/(double s) const { return PointF(float(x / s), float(y / s)); }
    bool operator==(const PointF& o) const { return x == o.x && y == o.y; }

    // Length in single precision, as every caller of the point type expects.
    float length() const { return std::sqrt(x * x + y * y); }
};

// Points are stored by the thousand in sampled curves and strokes: keep them two floats.
static_assert(sizeof(PointF) == 2 * sizeof(float));
