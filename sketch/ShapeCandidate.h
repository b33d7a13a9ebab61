// SPDX-License-Identifier: MIT
#pragma once
#include "core/PointF.h"

// Which fitter made a candidate; also the fitters' order in every ranking.
enum FitKind : int {
    FK_LINE = 0,       // straight line through the stroke's end points
    FK_QUADRATIC = 1,  // y = a·x² + b·x + c
    FK_CUBIC = 2,      // y = a·x³ + b·x² + c·x + d
    FK_ARC = 3,        // circular arc
    FK_ELLIPSE = 4     // ellipse with axes parallel to the coordinate axes
};

inline constexpr int kFitKindCount = 5;

// One fitter's reading of a stroke. The score is the fitting error (lower is
// better); +∞ marks a model the stroke cannot define, which never wins.
struct ShapeCandidate {
    FitKind kind = FK_LINE;
    double score = 0.0;
    PointF center;      // arc: circle centre; ellipse: centre
    PointF startPoint;  // the stroke's first point
    PointF endPoint;    // the stroke's last point
    // quadratic a, b, c; cubic a, b, c, d; arc: radius; ellipse: semi-axes along x and y
    double coeffs[4] = {0, 0, 0, 0};
};
