// SPDX-License-Identifier: MIT
#pragma once
// Point markers and angle arcs drawn on the graph, through any Surface.
#include "core/Surface.h"

namespace MathEx {

// Direction of the ray (dx, dy) in [0, 2π) by quadrant; rays along the axes
// get their exact angle, and (+, 0) as well as (0, 0) get 0.
double QuadrantAngle(double dx, double dy);

// A round marker at `centre` of radius `radius` (graph units scaled per axis
// by sx, sy so it stays round on an anisotropic graph): first filled in
// `fill`, then in `outline` either filled or as an outline.
void DrawDiscMarker(Surface& surface, PointF centre, double radius, double sx, double sy, float lineWidth,
                    const ColorF& fill, const ColorF& outline, bool filled);

// The arc at `centre` between the rays through `first` and `second`, always
// the smaller angle (at most π); its radius is the distance to `first`.
void DrawAngleArc(Surface& surface, PointF centre, PointF first, PointF second);

}  // namespace MathEx
