// SPDX-License-Identifier: MIT
#pragma once
#include "core/Painter.h"
#include "mathex/ExpNode.h"

namespace MathEx {

// Draws a laid-out expression tree with lines and stroke-font glyphs, in
// layout units with y turned upward (layout y grows downward). The caller
// pushes the transform that places and sizes it.
void PaintExpression(const ExpNode& root, Painter& painter);

}  // namespace MathEx
