// SPDX-License-Identifier: MIT
#pragma once
#include "core/PointF.h"

// What a sketch was recognised as. The values 1, 3 and 4 are not produced.
enum ShapeType : int {
    ST_NONE = 0,
    ST_LINE = 2,
    ST_QUADRATIC = 5,
    ST_CUBIC = 6,
    ST_ARC = 7,
    ST_ELLIPSE = 8,
    ST_HYPERBOLA = 9,
    ST_PARABOLA = 10
};

// The result of recognising a gesture. Fields a type does not name stay unused.
struct RecognizedShape {
    ShapeType shapeType = ST_NONE;
    PointF center;      // arc: circle centre; ellipse, hyperbola: centre; parabola: vertex
    PointF startPoint;  // one stroke: its first point
    PointF endPoint;    // one stroke: its last point
    // quadratic a, b, c; cubic a, b, c, d; ellipse and hyperbola: semi-axes a, b;
    // parabola: focal parameter p (signed)
    double coeffs[4] = {0, 0, 0, 0};
    double angle = 0.0;  // radians: rotation of a conic
    // ST_NONE: why nothing was recognised, in a few words for the status bar.
    const char* problem = "";
};
