// SPDX-License-Identifier: MIT
#pragma once
#include <vector>

#include "core/RectF.h"
#include "mathex/MathExp.h"
#include "sketch/Stroke.h"

// The curve F(x, y) = 0 of an implicit equation over a box, traced by marching
// squares on a grid of at most kZeroSetMaxCells cells a side (linear interpolation on
// the cell edges) and chained into polylines.
std::vector<Stroke> TraceZeroSet(const MathEx::MathExp& equation, const RectF& box);

inline constexpr int kZeroSetMaxCells = 400;
