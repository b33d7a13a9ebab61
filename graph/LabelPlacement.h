// SPDX-License-Identifier: MIT
#pragma once
// Where a new equation's label goes: beside its own curve, at a point of the
// curve that is in view, toward the right of the window, where it covers no
// other label. The user may drag it anywhere afterwards.
#include <string>
#include <vector>

#include "core/PointF.h"
#include "core/RectF.h"

class EquationObject;
class Viewport;

// The lower-left corner for the label of `equation` (graph units, the frame
// the equations are drawn in). `taken` are the boxes of the labels already
// on the graph (top, bottom, left, right); `curves` the equations whose lines
// the label should not cover (the equation itself among them), as far as a
// free place exists.
PointF ChooseLabelPosition(const EquationObject& equation, const Viewport& view, const std::vector<RectF>& taken,
                           const std::vector<const EquationObject*>& curves);

// Whether a label with box `box` (graph units) has been left astray of its
// curve: partly outside the view, or farther from every drawn piece of the
// curve than a label is ever placed. A curve with nothing in view has no
// place to take its label to, and its label is not astray.
bool LabelAstray(const EquationObject& equation, const RectF& box, const Viewport& view);

// The box a label of `characters` characters is expected to cover with its
// lower-left corner at `corner`, before it has been typeset.
RectF EstimatedLabelBox(PointF corner, size_t characters, const Viewport& view);

// The characters an equation's text counts for as a label: the label is set
// in textbook form, with room round "=", "+" and "−" and without "*" and "^".
size_t LabelCharacters(const std::string& text);
