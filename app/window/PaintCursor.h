// SPDX-License-Identifier: MIT
#pragma once
// The paint tool's cursor: a tipping paint pot whose drip marks the hot spot,
// drawn in code so that it is crisp at any device-pixel ratio.
#include <QtGui/QCursor>

QCursor PaintCursor();
