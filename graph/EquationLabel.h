// SPDX-License-Identifier: MIT
#pragma once
// Equation labels: a typeset image on screen, the expression's own layout
// drawn as vector text on the page.
#include "core/Painter.h"
#include "mathex/MathExp.h"
#include "mathex/UserLabel.h"

struct LabelSize {
    double width = 0;   // graph units
    double height = 0;
};

// Draws the label of `exp` with its lower-left corner at `corner` and returns
// its size in graph units (scale and zooms give graph units per 40 pixels).
LabelSize DrawEquationLabel(Painter& painter, const MathEx::MathExp& exp, PointF corner, double scale,
                            double xZoom, double yZoom);

// The size DrawEquationLabel would give, without drawing anything.
LabelSize MeasureEquationLabel(Painter& painter, const MathEx::MathExp& exp, double scale, double xZoom,
                               double yZoom);

// A user label (its words upright, its maths typeset) with its lower-left
// corner at `corner`, and its size in graph units.
LabelSize DrawUserLabel(Painter& painter, const MathEx::UserLabel& label, PointF corner, double scale,
                        double xZoom, double yZoom);
LabelSize MeasureUserLabel(Painter& painter, const MathEx::UserLabel& label, double scale, double xZoom,
                           double yZoom);
