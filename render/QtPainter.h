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

#include "core/Painter.h"
#include "render/Projection.h"

class QtPainter : public Painter {
public:
    // `height` is the view's client height: window y grows upward, the painter's downward.
    QtPainter(QPainter& painter, const Projection& projection, int height);

    bool isVector() const override { return true; }
    void setPen(const Pen& pen) override;
    void polyline(std::span<const PointF> points, bool closed = false) override;
    void segments(std::span<const PointF> ends) override;
    void arrows(std::span<const PointF> ends) override;
    void fillPolygon(std::span<const PointF> corners) override;
    void fillRegion(const std::vector<std::vector<PointF>>& rings) override;
    // Dots on the page have a size of their own, as the PostScript page's.
    void dots(std::span<const PointF> points, float diameter) override;
    void discs(std::span<const PointF> centres, double radius, bool filled) override;
    void circle(PointF centre, double radius, bool filled) override;
    void arc(PointF centre, double radius, double startDegrees, double endDegrees) override;
    void setClipRect(const RectF& rect) override;
    void clearClip() override;
    void pushTransform(double dx, double dy, double sx, double sy) override;
    void popTransform() override;
    float text(const std::string& text, PointF origin, double sx, double sy, TextStyle style) override;
    float strokeTextWidth(const std::string& text) const override;
    // Labels are set by the screen's typesetter, as vectors and text: the
    // same italics and superscripts as on screen, and text a reader can find.
    PixelSize equationImage(const std::string& latex, PointF corner) override;
    PixelSize equationImageSize(const std::string& latex) override;

    // Nothing is drawn outside this rectangle (painter coordinates); the whole view by default.
    void setViewClip(const QRectF& rect);

    // Painter coordinates (view pixels, y down) of a graph point under the current transform.
    QPointF toPainter(double x, double y) const;

private:
    struct Affine {
        double dx = 0, dy = 0, sx = 1, sy = 1;
    };
    void project(std::span<const PointF> points);
    void drawSegments(bool withArrows);
    void drawOpen(bool loop);
    void drawArrow(QPointF tail, QPointF tip);

    QPainter& painter_;
    Projection projection_;
    int height_;
    std::vector<Affine> transforms_{Affine{}};
    QColor colour_ = Qt::black;
    float lineWidth_ = 1.0f;
    std::vector<QPointF> points_;  // the shape's points; NaN marks a point left out
    QRectF viewClip_{-1.0e6, -1.0e6, 2.0e6, 2.0e6};
    QRectF clip_ = viewClip_;
};
