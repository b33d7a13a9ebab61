// SPDX-License-Identifier: MIT
#pragma once
// Intersection points of the curves on the graph and their markers.
#include <cstdint>
#include <vector>

#include "core/PointF.h"
#include "core/Painter.h"
#include "graph/EquationList.h"

// Intersection points of every pair (i < j, list order) of curves. Two polynomial
// curves (line, quadratic, cubic, quartic): the difference polynomial is solved
// at its true degree, wherever the roots lie; a pair whose curves are equal, or
// whose roots cannot be found, contributes nothing, and ordinates are taken on
// equation i. A pair whose kinds give a closed form (a line or x = k and a
// conic or another line; x = k and a curve y = f(x): MathEx::ExactCrossings):
// those points, kept as the searched ones are. Any other pair (a sine and a
// line, two conics): the crossings and touches of their drawn pieces, refined
// to the equations. Either way each point lies on both drawn curves, within
// their boxes and domains, once, and the pair's points are ordered by x. No
// point with a non-finite coordinate is kept.
std::vector<PointF> ComputeIntersections(const EquationList& equations);

// The same points, kept pair by pair between calls: a pair is worked out again
// only when one of its curves changed shape (EquationObject::shapeStamp), so a
// drag of one curve among n costs n − 1 pairs, not n²/2, and a repaint that
// changed no curve costs none.
class IntersectionCache {
public:
    // The intersections of `equations`, as ComputeIntersections gives them.
    const std::vector<PointF>& update(const EquationList& equations);
    // Those of the last update.
    const std::vector<PointF>& points() const { return points_; }
    void clear();

private:
    std::vector<uint64_t> stamps_;               // the curves of the last update, in list order
    std::vector<std::vector<PointF>> pairs_;     // their pairs i < j, row by row
    std::vector<PointF> points_;
};

// The marker of one intersection point: a filled 12-gon of radius 0.1·scale
// (scaled by the axis zooms), drawn dark red and then red.
void DrawIntersections(Painter& painter, std::span<const PointF> points);
