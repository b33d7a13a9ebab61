// SPDX-License-Identifier: MIT
#pragma once
// Point markers and angle arcs drawn on the graph, through any Painter.
#include <span>

#include "core/Painter.h"

namespace MathEx {

// Direction of the ray (dx, dy) in [0, 2π) by quadrant; rays along the axes
// get their exact angle, and (+, 0) as well as (0, 0) get 0.
double QuadrantAngle(double dx, double dy);

// Round markers at `centres` of `radius` graph units along x (round on the
// screen whatever the zoom): filled in `fill`, then in `outline` either
// filled or as a rim (an opaque filled outline hides the fill, which is then
// not drawn). All of them at once: a graph may hold thousands.
void DrawDiscMarkers(Painter& painter, std::span<const PointF> centres, double radius, float lineWidth,
                     const ColorF& fill, const ColorF& outline, bool filled);

// The arc at `centre` between the rays through `first` and `second`, always
// the smaller angle (at most π); its radius is the distance to `first`.
void DrawAngleArc(Painter& painter, PointF centre, PointF first, PointF second);

}  // namespace MathEx
