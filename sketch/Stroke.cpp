// SPDX-License-Identifier: MIT
#include "sketch/Stroke.h"

#include <cmath>

double Stroke::pathLength() const {
    double length = 0.0;
    for (size_t i = 1; i < size(); ++i) length += ((*this)[i] - (*this)[i - 1]).length();
    return length;
}

void Stroke::resample() {
    if (empty()) return;
    const double length = pathLength();
    std::vector<PointF> out;
    out.reserve(kResampledPoints + 1);
    out.push_back(front());
    // A zero (or infinite) spacing would never step past a segment's end.
    if (!(length > 0.0 && std::isfinite(length))) {
        out.resize(kResampledPoints, front());
    } else {
        const double spacing = length / (kResampledPoints - 1);
        double next = spacing;  // distance from the current segment's start to the next sample
        for (size_t i = 0; i + 1 < size(); ++i) {
            const PointF from = (*this)[i];
            const PointF step = (*this)[i + 1] - from;
            const double segment = step.length();
            for (; next <= segment; next += spacing) out.push_back(from + step * (next / segment));
            next -= segment;
        }
        // Rounding decides whether the walk reached the end point itself; the
        // stroke's own end point replaces whatever it emitted there.
        if (out.size() >= size_t(kResampledPoints)) out.pop_back();
        out.push_back(back());
    }
    points_ = std::move(out);
    color = ColorF(0.0f, 0.0f, 1.0f, 1.0f);
    stipplePattern = -1;
    lineWidth = 1.0f;
}
