// SPDX-License-Identifier: MIT
#include "app/window/StyleSample.h"

#include <QtGui/QPainter>
#include <cmath>
#include <functional>

#include "graph/AttribPoint.h"
#include "graph/EquationObject.h"
#include "render/Projection.h"
#include "render/QtPainter.h"

namespace {

// The view's pixels per graph unit at scale 1 and zoom 1.
constexpr double kPixelsPerUnit = 40.0;
// Room left free at each end of a sample line, in pixels.
constexpr double kMarginPixels = 6.0;

ColorF ToColorF(const QColor& c) { return ColorF(float(c.redF()), float(c.greenF()), float(c.blueF()), 1.0f); }

// Runs `draw` on a page whose graph origin is the centre of `rect`, at the
// view's own pixels per unit; `halfWidth` is half the usable width in graph units.
void WithPage(QPainter& painter, const QRectF& rect, const std::function<void(Painter&, double halfWidth)>& draw)
{
    const int w = qMax(1, qRound(rect.width())), h = qMax(1, qRound(rect.height()));
    const double hw = w / 2.0 / kPixelsPerUnit;
    // The origin on a pixel's centre, so that a one-pixel line is one crisp row.
    const double originRow = std::floor(h / 2.0) + 0.5;
    const double bottom = -(h - originRow) / kPixelsPerUnit, top = originRow / kPixelsPerUnit;
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRectF(0, 0, w, h));
    QtPainter page(painter, Projection::Ortho(-hw, hw, bottom, top, w, h), h);
    draw(page, qMax(0.0, hw - kMarginPixels / kPixelsPerUnit));
    painter.restore();
}

}  // namespace

namespace StyleSample {

void drawCurve(QPainter& painter, const QRectF& rect, const QColor& colour, int stipple, float width)
{
    WithPage(painter, rect, [&](Painter& page, double halfWidth) {
        EquationObject sample;
        if (!sample.setEquation("y = 0")) return;
        sample.setPlotBox(float(-halfWidth), float(halfWidth), 1.0f, -1.0f);
        sample.setColour(ToColorF(colour));
        sample.setLineStipple(stipple);
        sample.setLineWidth(width);
        page.setView({1.0, 1.0, 1.0});
        sample.draw(page);
    });
}

void drawGuide(QPainter& painter, const QRectF& rect, const QColor& colour, int lineType, int width)
{
    WithPage(painter, rect, [&](Painter& page, double halfWidth) {
        // The horizontal guide runs from the point to the y-axis: put the
        // point at the right end and shift the axis to the left end.
        AttribPoint sample;
        sample.position.x = float(2 * halfWidth);
        sample.position.y = 0;
        sample.axis[AttribPoint::Y].lineType = lineType;
        sample.axis[AttribPoint::Y].lineWidth = width;
        sample.axis[AttribPoint::Y].valueColor = ToColorF(colour);
        page.pushTransform(-halfWidth, 0, 1, 1);
        sample.drawGuideLines(page);
        page.popTransform();
    });
}

void drawMarker(QPainter& painter, const QRectF& rect, int pointType)
{
    WithPage(painter, rect, [&](Painter& page, double) {
        AttribPoint sample;
        sample.pointType = pointType;
        page.setView({1.0, 1.0, 1.0});
        sample.drawMarker(page);
    });
}

}  // namespace StyleSample
