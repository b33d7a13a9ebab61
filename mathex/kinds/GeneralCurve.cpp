// SPDX-License-Identifier: MIT
// Any other equation: y = f(x) sampled along x, or an implicit curve traced as
// the zero set of F(x, y). It has no coefficients, control points or
// canonical text; everything it has comes from its equation.
#include "mathex/CurveKind.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

namespace {

class GeneralCurve final : public CurveKind {};

}  // namespace

const CurveKind& GeneralCurveKind() {
    static const GeneralCurve kind;
    return kind;
}

}  // namespace MathEx
