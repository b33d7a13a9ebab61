// SPDX-License-Identifier: MIT
#pragma once
// Surface drawn with immediate-mode OpenGL 1.1 and GLU in whatever context is
// current (the graph view's, or a headless EglContext). It owns no context
// and keeps no GL objects, so one instance may serve any number of frames.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Surface.h"
#include "render/LabelBitmap.h"

class GlSurface : public Surface {
public:
    // Renders LaTeX text into an 8-bit coverage bitmap (0 transparent, 255
    // full ink) of width × height bytes, first row at the bottom, rows packed:
    // what glDrawPixels(GL_ALPHA) consumes. Returns false when it cannot.
    using Typesetter = std::function<bool(const std::string& latex, int& width, int& height,
                                          std::vector<unsigned char>& coverage)>;

    GlSurface();

    // Replaces the built-in label typesetter (render/Typesetter, cached) for
    // this surface; an empty function restores the built-in one. Labels
    // measure 0 × 0 and draw nothing when the typesetter gives nothing.
    void setTypesetter(Typesetter typesetter);
    // Device pixels per logical pixel of the view: labels are typeset at this
    // many times the pixels (crisp on HiDPI screens) and measured in logical
    // pixels, so their size in graph units does not depend on the screen;
    // line widths, stipple factors and arrow heads are scaled by it too.
    // Set it before drawing (line widths already set keep their old scale).
    void setDevicePixelRatio(double ratio);
    double devicePixelRatio() const { return ratio_; }

    bool isVector() const override { return false; }

    void setColor(const ColorF& color) override;
    void setLineWidth(float width) override;
    void setStipple(int factor, uint16_t pattern) override;
    void setArrows(bool arrows) override;
    void setPointSize(float size) override;

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
    PixelSize equationImageSize(const std::string& latex) override;

    void circle(PointF centre, double radius, bool filled) override;
    void arc(PointF centre, double radius, double startDegrees, double endDegrees) override;

private:
    struct Vertex {
        double x;
        double y;
    };

    // Line primitives drawn as arrows are collected until end(), because the
    // heads are sized in window pixels and GL state cannot be read inside
    // glBegin/glEnd.
    bool collectsArrows(Primitive primitive) const;
    void drawArrows();
    void drawArrow(const Vertex& tail, const Vertex& tip);
    // Graph units along y that look as long on screen as one unit along x.
    double yUnitsPerXUnit() const;
    // Vertices only: called between glBegin and glEnd.
    void ellipsePath(PointF centre, double rx, double ry, double startRadians,
                     double sweepRadians, int segments);

    // The label's coverage in device pixels, from the custom typesetter or
    // the built-in cached one; null when there is nothing to draw.
    std::shared_ptr<const LabelBitmap> label(const std::string& latex);

    Typesetter typesetter_;
    double ratio_ = 1.0;
    float lineWidth_ = 1.0f;
    bool arrows_ = false;
    bool open_ = false;               // between begin() and end()
    bool collecting_ = false;         // the open primitive is drawn as arrows at end()
    Primitive openPrimitive_ = Primitive::Points;
    std::vector<Vertex> collected_;
};
