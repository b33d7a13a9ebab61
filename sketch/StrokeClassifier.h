// SPDX-License-Identifier: MIT
#pragma once
#include <array>

#include "sketch/ShapeCandidate.h"
#include "sketch/Stroke.h"

// Runs the five fitters on the stroke with ten samples and picks one candidate
// (see chooseCandidate). The result's score is +∞ when the stroke defined no
// usable model at all.
ShapeCandidate classifyStroke(const Stroke& stroke);

// Ranks the candidates by score (a stable sort: ties keep fitter order) and
// applies the first rule that matches to the best and the second:
//   1. a cubic best with a line second turns into the line unless it fits more
//      than five times better;
//   2. the same for a quadratic best;
//   3. an arc best with a line second turns into the line when its radius
//      exceeds 1.5 times its chord;
//   4. an arc best whose centre x lies strictly between its end points' x (an
//      arch, not a bracket) turns into the second, whatever it is;
// otherwise the best is chosen.
ShapeCandidate chooseCandidate(std::array<ShapeCandidate, kFitKindCount> candidates);
