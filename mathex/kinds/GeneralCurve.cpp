// SPDX-License-Identifier: MIT
// Any other equation: y = f(x) sampled along x, or an implicit curve traced as
// the zero set of F(x, y). It has no coefficients, control points or
// canonical text; everything it has comes from its equation.
#include <algorithm>

#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

namespace {

class GeneralCurve final : public CurveKind {
public:
    // An implicit equation of degree two that is no ellipse, hyperbola or
    // parabola (two lines that cross, x² − y² = 0; no point at all) is still
    // a conic, and the analysis kept its terms.
    std::optional<Quadric> quadric(const MathExp& e) const override {
        const double* k = e.conic;
        if (e.form != FORM_IMPLICIT || std::all_of(k, k + 5, [](double v) { return v == 0; })) return std::nullopt;
        return Quadric{k[0], k[1], k[2], k[3], k[4], k[5]};
    }
};

}  // namespace

const CurveKind& GeneralCurveKind() {
    static const GeneralCurve kind;
    return kind;
}

}  // namespace MathEx
