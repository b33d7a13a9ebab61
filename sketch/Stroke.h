#pragma once
#include <vector>

#include "core/ColorF.h"
#include "core/PointF.h"

// A polyline in graph units with its drawing style: a pen stroke while a sketch
// is drawn, and a sampled piece of a curve on the graph. The points are the
// vector's elements, in drawing order.
class Stroke : public std::vector<PointF> {
public:
    // The number of points every stroke has after resampling; the fitters rely on it.
    static constexpr int kResampledPoints = 10;

    ColorF color{0.0f, 0.0f, 0.0f, 1.0f};
    int stipplePattern = -1;  // only the low 16 bits are used; -1 draws a solid line
    float lineWidth = 1.0f;   // pixels

    Stroke() = default;
    Stroke(std::initializer_list<PointF> points) : std::vector<PointF>(points) {}
    Stroke(const Stroke&) = default;
    Stroke& operator=(const Stroke&) = default;
    virtual ~Stroke() = default;

    // Path length: single-precision segment lengths summed in double precision.
    double pathLength() const;

    // Replaces the points by ten points spaced equally along the path, the first
    // and last being the stroke's own, and draws the stroke solid blue. A stroke
    // of zero length (or one whose length overflows single precision) becomes ten
    // copies of its first point; an empty stroke stays empty.
    void resample();
};
