// SPDX-License-Identifier: MIT
#pragma once
// Equation and user labels, set by the painter's typesetter: an image on
// screen, outlines and text on the pages.
#include "core/Painter.h"
#include "mathex/MathExp.h"
#include "mathex/UserLabel.h"

struct LabelSize {
    double width = 0;   // graph units
    double height = 0;
};

// Draws the label of `exp` with its lower-left corner at `corner` and returns
// its size in graph units (scale and zooms give graph units per 40 pixels).
LabelSize DrawEquationLabel(Painter& painter, const MathEx::MathExp& exp, PointF corner);

// The size DrawEquationLabel would give, without drawing anything.
LabelSize MeasureEquationLabel(Painter& painter, const MathEx::MathExp& exp);

// A user label (its words upright, its maths typeset) with its lower-left
// corner at `corner`, and its size in graph units.
LabelSize DrawUserLabel(Painter& painter, const MathEx::UserLabel& label, PointF corner);
LabelSize MeasureUserLabel(Painter& painter, const MathEx::UserLabel& label);
