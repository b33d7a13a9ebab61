#pragma once
// Bounds on what a document may ask for, shared with the dialogs that edit the same values.

// Mensuration sections per equation: kMaxRects of graph/Mensuration.h, which
// the Equation Options dialog applies too; files asking for more are read with that many.
// An equation text longer than this is not an equation anyone typed or
// sketched (characters); such a document does not open.
constexpr int kMaxEquationTextLength = 64 * 1024;
// A label's text (an equation's user label, an attribute point's value or
// length text) is a few words; longer is refused (characters).
constexpr int kMaxLabelTextLength = 1024;
// Line widths, in pixels, beyond which a file's value is held.
constexpr int kMaxLineWidth = 64;
// What one document may hold. A graph a teacher draws has tens of equations;
// beyond these a file is refused rather than let it take minutes and
// gigabytes to open (every equation is sampled, every painted region is
// recomputed on each repaint).
constexpr int kMaxEquations = 1000;
constexpr int kMaxAttribPoints = 10000;  // in all the equations together
constexpr int kMaxPaintedDomains = 1000;
// The graph's work for the equations of one document, in expression nodes
// (each sampled a few hundred times when the curve is plotted); a curve traced
// as a zero set evaluates its nodes over a whole grid, so each of its nodes
// counts kZeroSetNodeWeight times. 20 000 is over a thousand ordinary
// equations, or one implicit curve of 200 nodes: a second or two of plotting.
constexpr long kMaxEquationWork = 20000;
constexpr long kZeroSetNodeWeight = 100;
