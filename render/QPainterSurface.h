// SPDX-License-Identifier: MIT
#pragma once
// The page form of the graph on a QPainter: printing, print preview, SVG and
// PDF. It draws the scene the PostScript export draws (it reports itself as
// vector output), projected to window pixels of the view; the caller sets the
// painter's transform that fits those pixels onto the page.
#include <QtGui/QPainter>
#include <QtCore/QRectF>
#include <QtGui/QPen>
#include <vector>

#include "core/Surface.h"
#include "render/Projection.h"

class QPainterSurface : public Surface {
public:
    // `height` is the view's client height: window y grows upward, the painter's downward.
    QPainterSurface(QPainter& painter, const Projection& projection, int height);

    bool isVector() const override { return true; }
    void setColor(const ColorF& color) override;
    void setLineWidth(float width) override;
    void setStipple(int factor, uint16_t pattern) override;
    void setArrows(bool arrows) override { arrows_ = arrows; }
    void begin(Primitive primitive) override;
    void vertex(double x, double y) override;
    void end() override;
    void setClipRect(const RectF& rect) override;
    void clearClip() override;
    void pushTransform(double dx, double dy, double sx, double sy) override;
    void popTransform() override;
    float strokeText(const std::string& text, PointF origin, double sx, double sy) override;
    float strokeTextWidth(const std::string& text) const override;
    // Labels reach the page through their expression layout, as on the PostScript page.
    PixelSize equationImage(const std::string&, PointF) override { return {}; }
    PixelSize equationImageSize(const std::string&) override { return {}; }
    void circle(PointF centre, double radius, bool filled) override;
    void arc(PointF centre, double radius, double startDegrees, double endDegrees) override;

    // Nothing is drawn outside this rectangle (painter coordinates); the whole view by default.
    void setViewClip(const QRectF& rect);

    // Painter coordinates (view pixels, y down) of a graph point under the current transform.
    QPointF toPainter(double x, double y) const;

private:
    struct Affine {
        double dx = 0, dy = 0, sx = 1, sy = 1;
    };
    void applyPen();
    void drawOpen(bool loop);
    void drawArrow(QPointF tail, QPointF tip);

    QPainter& painter_;
    Projection projection_;
    int height_;
    std::vector<Affine> transforms_{Affine{}};
    QColor colour_ = Qt::black;
    float lineWidth_ = 1.0f;
    int stippleFactor_ = 1;
    uint16_t stipple_ = kSolid;
    bool arrows_ = false;
    Primitive primitive_ = Primitive::Points;
    std::vector<QPointF> points_;  // the open primitive's vertices; NaN marks a point left out
    QRectF viewClip_{-1.0e6, -1.0e6, 2.0e6, 2.0e6};
    QRectF clip_ = viewClip_;
};
