// SPDX-License-Identifier: MIT
#pragma once
// Every kind the registry (CurveKinds.cpp) lists, one function per kind,
// defined in the kind's own file.
#include "mathex/CurveKind.h"

namespace MathEx {

const CurveKind& VerticalLineKind();
const CurveKind& LineKind();
const CurveKind& QuadraticKind();
const CurveKind& CubicKind();
const CurveKind& QuarticKind();
const CurveKind& HigherPolynomialKind();
const CurveKind& SineKind();
const CurveKind& CosineKind();
const CurveKind& TangentKind();
const CurveKind& LogarithmKind();
const CurveKind& ExponentialKind();
const CurveKind& EllipseKind();
const CurveKind& HyperbolaKind();
const CurveKind& ParabolaKind();
const CurveKind& GeneralCurveKind();

}  // namespace MathEx
