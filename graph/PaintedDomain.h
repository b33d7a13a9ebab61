// SPDX-License-Identifier: MIT
#pragma once
// Painted domains: regions of the plane bounded by the curves, the x-axis and
// the graph rectangle, filled in a light tint of their colour. A domain is kept
// as its colour and seed only and its shape is worked out again whenever a
// curve or the view changed, so it follows later edits of the curves.
#include <cstdint>
#include <limits>
#include <vector>

#include "core/ColorF.h"
#include "core/PointF.h"
#include "core/RectF.h"
#include "core/Painter.h"
#include "graph/EquationList.h"

struct PaintedDomain {
    ColorF colour;  // only r, g, b are drawn
    PointF seed;    // graph units
};

// Whether q lies in the region of seed: on the same side of every explicit or
// implicit curve and strictly on the same side of the x-axis. A point exactly
// on a curve or on the axis is in no region with anything.
bool SameRegion(const EquationList& equations, PointF seed, PointF q);

// One vertical stretch of a domain, in graph units: where the region crosses
// one column.
struct HatchSegment {
    double x, from, to;
};

// The columns of one painted domain: every 0.05·scale, from the seed column
// outwards in both directions, each direction stopping at the first column
// with nothing of the region in it or at the graph's edge. Only the columns
// within `visible` (the part of the graph in the window, in the frame drawn
// in) are kept: deep in a zoom, the columns across the whole graph rectangle
// are millions.
std::vector<HatchSegment> HatchPaintedDomain(const PaintedDomain& domain, const EquationList& equations,
                                             const RectF& graphRect, double scale, const RectF& visible);

// The region as polygons: a quadrilateral between every two stretches of
// neighbouring columns that overlap, counter-clockwise. Together they cover
// the region from its first column to its last, without a gap.
std::vector<std::vector<PointF>> RegionRings(const std::vector<HatchSegment>& columns);

// The tint a domain is filled in: its colour over white at 30 %, opaque, so
// that the same fill shows on the screen and on paper and the grid and the
// curves drawn over it stay clear.
ColorF PaintTint(const ColorF& colour);

void DrawPaintedRegion(Painter& painter, const ColorF& colour, const std::vector<std::vector<PointF>>& rings);
void DrawPaintedDomain(Painter& painter, const PaintedDomain& domain, const EquationList& equations,
                       const RectF& graphRect, double scale,
                       const RectF& visible = RectF(std::numeric_limits<float>::infinity(),
                                                    -std::numeric_limits<float>::infinity(),
                                                    -std::numeric_limits<float>::infinity(),
                                                    std::numeric_limits<float>::infinity()));

// The shapes of a graph's painted domains, each kept until a curve changes
// shape (EquationObject::shapeStamp), its seed moves or the view changes: a
// repaint that changed none of them works out no column and no polygon.
class HatchingCache {
public:
    struct Shape {
        std::vector<HatchSegment> columns;
        std::vector<std::vector<PointF>> rings;  // RegionRings of the columns
    };
    // The shape of the domain at `index` of the graph's list.
    const Shape& of(size_t index, const PaintedDomain& domain, const EquationList& equations,
                                        const RectF& graphRect, double scale, const RectF& visible);
    // Forgets the domains from `count` on (the list got shorter).
    void keep(size_t count);

private:
    struct Entry {
        bool valid = false;
        PointF seed;
        RectF graphRect;
        double scale = 0;
        RectF visible;
        std::vector<uint64_t> stamps;
        Shape shape;
    };
    std::vector<Entry> entries_;
};
