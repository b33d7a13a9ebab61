// SPDX-License-Identifier: MIT
#pragma once
// The PostScript side of Surface: graph points go through the transform stack
// and the projection captured when the export began, then to the writer in
// window coordinates. What lies far outside the viewport is clipped or left
// out first (see PageClip), so every number on the page is one a PostScript
// interpreter can draw.
#include <cmath>
#include <vector>

#include "core/Surface.h"
#include "render/PageClip.h"
#include "render/PostScriptWriter.h"
#include "render/Projection.h"

class PsSurface : public Surface {
public:
    PsSurface(PostScriptWriter& writer, const Projection& projection);

    bool isVector() const override { return true; }
    void setColor(const ColorF& color) override;
    void setLineWidth(float width) override;
    void setStipple(int factor, uint16_t pattern) override;
    void setArrows(bool arrows) override;
    void begin(Primitive primitive) override;
    void vertex(double x, double y) override;
    void end() override;
    void setClipRect(const RectF& rect) override;
    void clearClip() override;
    void pushTransform(double dx, double dy, double sx, double sy) override;
    void popTransform() override;
    float strokeText(const std::string& text, PointF origin, double sx, double sy) override;
    float strokeTextWidth(const std::string& text) const override;
    PixelSize equationImage(const std::string& latex, PointF corner) override;
    PixelSize equationImageSize(const std::string&) override { return {}; }
    void circle(PointF centre, double radius, bool filled) override;
    void arc(PointF centre, double radius, double startDegrees, double endDegrees) override;

    // Window coordinates of a graph point under the current transform.
    PointF toWindow(double x, double y) const;

private:
    struct Affine {
        double dx = 0, dy = 0, sx = 1, sy = 1;
    };
    using Point = PageClip::Point;

    Point window(double x, double y) const;
    static bool Finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }
    void emit(int kind, const std::vector<Point>& points);
    void emitPoints();
    void emitSegments();
    void emitStrip(bool closed);
    void emitFills();
    // Whether a circle (window centre and radius) is to be written as one;
    // may emit a fill of the whole page instead.
    bool circleOnPage(Point centre, double radius, bool filled);

    PostScriptWriter& writer_;
    Projection projection_;
    PageClip page_;
    std::vector<Affine> transforms_{Affine{}};
    bool clipped_ = false;
    Primitive primitive_ = Primitive::Points;
    std::vector<Point> vertices_;  // of the open primitive, in window coordinates; not all finite
};
