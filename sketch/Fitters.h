// SPDX-License-Identifier: MIT
#pragma once
// The five fitters. None solves a least-squares problem: each builds its model
// from a few characteristic points of the stroke and scores how far stroke and
// model are apart, as a coverage term (model samples far from every stroke
// point) plus a fidelity term (stroke points far from the model). Coordinates
// are graph units; the fitters expect a stroke resampled to ten points and are
// always called with ten samples.
//
// A stroke that cannot define a model (no points, a division by zero in the
// model, a fidelity grid too large to walk) gets the score +∞, so it never
// wins a ranking.

#include <array>

#include "sketch/ShapeCandidate.h"
#include "sketch/Stroke.h"

// Arc score of a stroke too flat to be an arc: large, but below an unusable +∞.
inline constexpr double kFlatArcScore = 1e10;

ShapeCandidate fitLine(const Stroke& stroke, int samples);
ShapeCandidate fitQuadratic(const Stroke& stroke, int samples);
ShapeCandidate fitCubic(const Stroke& stroke, int samples);
ShapeCandidate fitArc(const Stroke& stroke, int samples);
ShapeCandidate fitEllipse(const Stroke& stroke, int samples);

// The five candidates in FitKind order.
std::array<ShapeCandidate, kFitKindCount> runFitters(const Stroke& stroke, int samples);
