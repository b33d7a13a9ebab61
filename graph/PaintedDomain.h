// SPDX-License-Identifier: MIT
#pragma once
// Painted domains: regions of the plane bounded by the curves, the x-axis and
// the graph rectangle, filled with vertical hatching. A domain is kept as its
// colour and seed only and is recomputed on every repaint, so it follows later
// edits of the curves.
#include <limits>

#include "core/ColorF.h"
#include "core/PointF.h"
#include "core/RectF.h"
#include "core/Surface.h"
#include "graph/EquationList.h"

struct PaintedDomain {
    ColorF colour;  // only r, g, b are drawn
    PointF seed;    // graph units
};

// Whether q lies in the region of seed: on the same side of every explicit or
// implicit curve and strictly on the same side of the x-axis. A point exactly
// on a curve or on the axis is in no region with anything.
bool SameRegion(const EquationList& equations, PointF seed, PointF q);

// Draws the vertical hatching of one painted domain: columns every 0.05·scale,
// from the seed column outwards in both directions, each direction stopping at
// the first column with nothing of the region in it or at the graph's edge.
// Only the columns within `visible` (the part of the graph in the window, in
// the frame drawn in) are drawn: deep in a zoom, the columns across the whole
// graph rectangle are millions.
void DrawPaintedDomain(Surface& surface, const PaintedDomain& domain, const EquationList& equations,
                       const RectF& graphRect, double scale,
                       const RectF& visible = RectF(std::numeric_limits<float>::infinity(),
                                                    -std::numeric_limits<float>::infinity(),
                                                    -std::numeric_limits<float>::infinity(),
                                                    std::numeric_limits<float>::infinity()));
