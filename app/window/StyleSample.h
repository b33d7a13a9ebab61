// SPDX-License-Identifier: MIT
#pragma once
// Samples of line styles and point markers for the option lists, drawn by the
// graph's own drawing routines (through a QtPainter) at the size the
// graph shows them at zoom 1, so a list entry looks like what it gives.
#include <QtCore/QRectF>
#include <QtGui/QColor>

class QPainter;

namespace StyleSample {

// A horizontal stretch of curve across `rect` in the curve's stipple and width.
void drawCurve(QPainter& painter, const QRectF& rect, const QColor& colour, int stipple, float width);
// A guide line of an attribute point (lineType 1 solid, 2 dashed) across `rect`.
void drawGuide(QPainter& painter, const QRectF& rect, const QColor& colour, int lineType, int width);
// An attribute point marker (pointType 0–6) in the middle of `rect`.
void drawMarker(QPainter& painter, const QRectF& rect, int pointType);

}  // namespace StyleSample
