// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cmath>

#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"

namespace MathEx {

std::vector<ExtremePoint> MathExp::ExtremePoints() const {
    std::vector<bool> minimum;
    const std::vector<double> xs = kind().criticalAbscissas(*this, minimum);
    std::vector<ExtremePoint> points;
    if (!main_) return points;
    for (size_t i = 0; i < xs.size(); ++i) {
        const float x = float(xs[i]);
        const float y = float(Evaluate(x));
        // A degenerate polynomial can put its critical point nowhere.
        if (!IsFinite(x) || !IsFinite(y)) continue;
        points.emplace_back(x, y, minimum[i]);
    }
    return points;
}

}  // namespace MathEx
