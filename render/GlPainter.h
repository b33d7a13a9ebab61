// SPDX-License-Identifier: MIT
#pragma once
// Painter drawn with OpenGL 1.1 (vertex arrays, one draw call a shape) and GLU in whatever context is
// current (the graph view's, or a headless EglContext). It owns no context
// and keeps no GL objects, so one instance may serve any number of frames.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Painter.h"
#include "render/LabelBitmap.h"

class GlPainter : public Painter {
public:
    // Renders LaTeX text into an 8-bit coverage bitmap (0 transparent, 255
    // full ink) of width × height bytes, first row at the bottom, rows packed:
    // what glDrawPixels(GL_ALPHA) consumes. Returns false when it cannot.
    using Typesetter = std::function<bool(const std::string& latex, int& width, int& height,
                                          std::vector<unsigned char>& coverage)>;

    GlPainter();

    // Replaces the built-in label typesetter (render/Typesetter, cached) for
    // this painter; an empty function restores the built-in one. Labels
    // measure 0 × 0 and draw nothing when the typesetter gives nothing.
    void setTypesetter(Typesetter typesetter);
    // Device pixels per logical pixel of the view: labels are typeset at this
    // many times the pixels (crisp on HiDPI screens) and measured in logical
    // pixels, so their size in graph units does not depend on the screen;
    // line widths, dashes, dots and arrow heads are scaled by it too.
    // Set it before drawing (a pen already set keeps its old scale).
    void setDevicePixelRatio(double ratio);
    double devicePixelRatio() const { return ratio_; }
    // Lines, dashes, dots, arrow heads and labels drawn this many times their
    // usual size (the view presenting to a classroom); labels then measure
    // that much larger too, so the graph places them by the size they show.
    // Not a positive finite number: 1. Set it before drawing, as the ratio.
    void setMagnification(double factor);
    double magnification() const override { return magnification_; }

    bool isVector() const override { return false; }

    void setPen(const Pen& pen) override;
    void polyline(std::span<const PointF> points, bool closed = false) override;
    void segments(std::span<const PointF> ends) override;
    void arrows(std::span<const PointF> ends) override;
    void fillPolygon(std::span<const PointF> corners) override;
    void fillRegion(const std::vector<std::vector<PointF>>& rings) override;
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

    PixelSize equationImage(const std::string& latex, PointF corner) override;
    PixelSize equationImageSize(const std::string& latex) override;

    // OpenGL's line stipple for a pen's dashes: the factor and the 16-bit
    // pattern, lowest bit first (0xFFFF for a solid pen). Dashes that came
    // from a pattern give that pattern back.
    static void StippleOf(const Pen& pen, int& factor, uint16_t& pattern);

private:
    // One draw call over the points (vertex arrays: a marker-laden graph is
    // drawn in a handful of calls, not one per marker).
    void draw(unsigned mode, std::span<const PointF> points);
    void drawArrow(PointF tail, PointF tip);
    // Triangles of rings that are not all convex and counter-clockwise,
    // by GLU's tessellator (nonzero winding), appended to `triangles`.
    static void Tessellate(const std::vector<std::vector<PointF>>& rings, std::vector<PointF>& triangles);
    // Device pixels for one logical pixel of a size the caller names
    // (a width, a dot, a label's em): the ratio, magnified.
    double sizeScale() const { return ratio_ * magnification_; }
    // Graph units along y that look as long on screen as one unit along x.
    double yUnitsPerXUnit() const;
    // An elliptic arc as vertices, for a strip.
    static std::vector<PointF> ellipsePath(PointF centre, double rx, double ry, double startRadians,
                                           double sweepRadians, int segments);

    // The label's coverage in device pixels, from the custom typesetter or
    // the built-in cached one; null when there is nothing to draw.
    std::shared_ptr<const LabelBitmap> label(const std::string& latex);

    Typesetter typesetter_;
    double ratio_ = 1.0;
    double magnification_ = 1.0;
    float lineWidth_ = 1.0f;
    std::vector<PointF> scratch_;     // markers' vertices, kept between frames
    std::vector<unsigned> indices_;  // and their triangles or rim segments
};
