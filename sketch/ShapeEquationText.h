// SPDX-License-Identifier: MIT
#pragma once
#include <string>

#include "mathex/MathExp.h"
#include "sketch/RecognizedShape.h"

// The equation text a recognised line, quadratic or cubic adds to the graph, its
// numbers in the display precision (empty for every other shape). A line whose
// end points share their x is the vertical line "x-k=0", which analyses as one.
std::string shapeEquationText(const RecognizedShape& shape);

// Sets `expression` to the implicit conic of a recognised ellipse, hyperbola or
// parabola, straight from its parameters (type and coefficients; no text is
// parsed, Rebuild writes it). False, leaving `expression` alone, for any other shape.
bool shapeConicExpression(const RecognizedShape& shape, MathEx::MathExp& expression);
