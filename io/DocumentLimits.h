// SPDX-License-Identifier: MIT
#pragma once
// Bounds on what a document may ask for, shared with the dialogs that edit the same values.

// Mensuration sections per equation: kMaxRects of graph/Mensuration.h, which
// the Equation Options dialog applies too; files asking for more are read with that many.
// A label's text (an equation's user label, an attribute point's value or
// length text) is a few words; longer is refused (characters).
constexpr int kMaxLabelTextLength = 1024;
// Line widths, in pixels, beyond which a file's value is held.
constexpr int kMaxLineWidth = 64;
// What one document may hold: what one graph may (equations, attribute
// points, painted regions, plotting work).
#include "graph/GraphLimits.h"
