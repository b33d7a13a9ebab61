// SPDX-License-Identifier: MIT
#pragma once
// The PostScript side of Painter: graph points go through the transform stack
// and the projection captured when the export began, then to the writer in
// window coordinates. What lies far outside the viewport is clipped or left
// out first (see PageClip), so every number on the page is one a PostScript
// interpreter can draw.
#include <cmath>
#include <vector>

#include "core/Painter.h"
#include "render/PageClip.h"
#include "render/PostScriptWriter.h"
#include "render/Projection.h"

class PsPainter : public Painter {
public:
    PsPainter(PostScriptWriter& writer, const Projection& projection);

    bool isVector() const override { return true; }
    void setPen(const Pen& pen) override;
    void polyline(std::span<const PointF> points, bool closed = false) override;
    void segments(std::span<const PointF> ends) override;
    void arrows(std::span<const PointF> ends) override;
    void fillPolygon(std::span<const PointF> corners) override;
    void fillRegion(const std::vector<std::vector<PointF>>& rings) override;
    // The page's dots have the writer's own size.
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
    // Labels are set by the screen's typesetter, as on the PDF page, and
    // written as the filled outlines of its glyphs and rules: the page then
    // needs none of our fonts, and no text of the label reaches it.
    PixelSize equationImage(const std::string& latex, PointF corner) override;
    PixelSize equationImageSize(const std::string& latex) override;

    // Window coordinates of a graph point under the current transform.
    PointF toWindow(double x, double y) const;

private:
    struct Affine {
        double dx = 0, dy = 0, sx = 1, sy = 1;
    };
    using Point = PageClip::Point;

    Point window(double x, double y) const;
    static bool Finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }
    // The points in window coordinates, and whether all are numbers on the page.
    bool project(std::span<const PointF> points);
    void put(int kind, const std::vector<Point>& points);
    void putSegments();
    void putStrip(bool closed);
    // Whether a circle (window centre and radius) is to be written as one;
    // may emit a fill of the whole page instead.
    bool circleOnPage(Point centre, double radius, bool filled);

    PostScriptWriter& writer_;
    Projection projection_;
    PageClip page_;
    std::vector<Affine> transforms_{Affine{}};
    bool clipped_ = false;
    std::vector<Point> vertices_;  // the shape being written, in window coordinates; not all finite
};
