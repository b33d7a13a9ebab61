// SPDX-License-Identifier: MIT
#pragma once
// Intersection points of the curves on the graph and their markers.
#include <vector>

#include "core/PointF.h"
#include "core/Surface.h"
#include "graph/EquationList.h"

// Intersection points of every pair (i < j, list order) of curves. Two polynomial
// curves (line, quadratic, cubic, quartic): the difference polynomial is solved
// at its true degree, wherever the roots lie; a pair whose curves are equal, or
// whose roots cannot be found, contributes nothing, and ordinates are taken on
// equation i. Any other pair (a sine and a line, a circle and a line, x = 3, two
// conics): the crossings and touches of their drawn pieces, each once, refined
// to the equations and ordered by x. No point with a non-finite coordinate is kept.
std::vector<PointF> ComputeIntersections(const EquationList& equations);

// The marker of one intersection point: a filled 12-gon of radius 0.1·scale
// (scaled by the axis zooms), drawn dark red and then red.
void DrawIntersection(Surface& surface, PointF p, double scale, double xZoom, double yZoom);
