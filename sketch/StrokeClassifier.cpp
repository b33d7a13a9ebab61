// SPDX-License-Identifier: MIT
#include "sketch/StrokeClassifier.h"

#include <algorithm>

#include "sketch/Fitters.h"

ShapeCandidate classifyStroke(const Stroke& stroke) {
    return chooseCandidate(runFitters(stroke, Stroke::kResampledPoints));
}

ShapeCandidate chooseCandidate(std::array<ShapeCandidate, kFitKindCount> candidates) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const ShapeCandidate& a, const ShapeCandidate& b) { return a.score < b.score; });
    const ShapeCandidate& best = candidates[0];
    const ShapeCandidate& second = candidates[1];
    const bool lineSecond = second.kind == FK_LINE;
    if ((best.kind == FK_CUBIC || best.kind == FK_QUADRATIC) && lineSecond && 5 * best.score > second.score)
        return second;
    if (best.kind == FK_ARC) {
        const double chord = (best.endPoint - best.startPoint).length();
        if (lineSecond && 1.5 * chord < best.coeffs[0]) return second;
        const float left = std::min(best.startPoint.x, best.endPoint.x);
        const float right = std::max(best.startPoint.x, best.endPoint.x);
        if (left < best.center.x && best.center.x < right) return second;
    }
    return best;
}
