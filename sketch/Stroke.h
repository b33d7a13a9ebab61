// SPDX-License-Identifier: MIT
#pragma once
#include <vector>

#include "core/ColorF.h"
#include "core/PointF.h"

// A polyline in graph units with its drawing style: a pen stroke while a sketch
// is drawn, and a sampled piece of a curve on the graph. The points are kept in
// drawing order; the few vector-like members below read and extend them.
class Stroke {
public:
    // The number of points every stroke has after resampling; the fitters rely on it.
    static constexpr int kResampledPoints = 10;

    ColorF color{0.0f, 0.0f, 0.0f, 1.0f};
    int stipplePattern = -1;  // only the low 16 bits are used; -1 draws a solid line
    float lineWidth = 1.0f;   // pixels

    Stroke() = default;
    Stroke(std::initializer_list<PointF> points) : points_(points) {}
    explicit Stroke(std::vector<PointF> points) : points_(std::move(points)) {}

    const std::vector<PointF>& points() const { return points_; }
    std::vector<PointF>& points() { return points_; }

    size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    const PointF& operator[](size_t i) const { return points_[i]; }
    PointF& operator[](size_t i) { return points_[i]; }
    const PointF& front() const { return points_.front(); }
    const PointF& back() const { return points_.back(); }
    std::vector<PointF>::const_iterator begin() const { return points_.begin(); }
    std::vector<PointF>::const_iterator end() const { return points_.end(); }
    std::vector<PointF>::iterator begin() { return points_.begin(); }
    std::vector<PointF>::iterator end() { return points_.end(); }
    void push_back(const PointF& p) { points_.push_back(p); }
    void emplace_back(float x, float y) { points_.emplace_back(x, y); }
    void reserve(size_t n) { points_.reserve(n); }
    void clear() { points_.clear(); }

    // Path length: single-precision segment lengths summed in double precision.
    double pathLength() const;

    // Replaces the points by ten points spaced equally along the path, the first
    // and last being the stroke's own, and draws the stroke solid blue. A stroke
    // of zero length (or one whose length overflows single precision) becomes ten
    // copies of its first point; an empty stroke stays empty.
    void resample();

private:
    std::vector<PointF> points_;
};
