// SPDX-License-Identifier: MIT
#pragma once
// Intersection points of the polynomial curves on the graph and their markers.
#include <vector>

#include "core/PointF.h"
#include "core/Surface.h"
#include "graph/EquationList.h"

// Intersection points of every pair (i < j, list order) of polynomial curves
// (line, quadratic, cubic, quartic). Each pair's difference polynomial is solved
// at its true degree; a pair whose curves are equal, or whose roots cannot be
// found, contributes nothing, and no point with a non-finite coordinate is kept.
// Ordinates are taken on equation i.
std::vector<PointF> ComputeIntersections(const EquationList& equations);

// The marker of one intersection point: a filled 12-gon of radius 0.1·scale
// (scaled by the axis zooms), drawn dark red and then red.
void DrawIntersection(Surface& surface, PointF p, double scale, double xZoom, double yZoom);
