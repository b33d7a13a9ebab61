// SPDX-License-Identifier: MIT
#pragma once
// What one graph may hold. A graph a teacher draws has tens of equations;
// beyond these a document is refused rather than let it take minutes and
// gigabytes to open (every equation is sampled, every painted region is
// recomputed on each repaint), so the graph refuses to grow past them too:
// a lesson that can be made can always be saved and opened again.
#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"

constexpr int kMaxEquations = 1000;
// An equation text longer than this is not an equation anyone typed or
// sketched (characters, as documents write it).
constexpr int kMaxEquationTextLength = 64 * 1024;
constexpr int kMaxAttribPoints = 10000;  // in all the equations together
constexpr int kMaxPaintedDomains = 1000;
// The graph's work for its equations, in expression nodes (each sampled a few
// hundred times when the curve is plotted); a curve traced as a zero set
// evaluates its nodes over a whole grid, so each of its nodes counts
// kZeroSetNodeWeight times. 20 000 is over a thousand ordinary equations, or
// one implicit curve of 200 nodes: a second or two of plotting.
constexpr long kMaxEquationWork = 20000;
constexpr long kZeroSetNodeWeight = 100;

// The plotting work of one equation (see kMaxEquationWork).
inline long EquationWork(const MathEx::MathExp& e) {
    const long nodes = long(e.NodeCount());
    return e.form == MathEx::FORM_IMPLICIT && !e.kind().samplesItself() ? nodes * kZeroSetNodeWeight : nodes;
}
