// SPDX-License-Identifier: MIT
#pragma once
// The one drawing interface of KVR. Every drawing routine (axes, grid, curves,
// labels, markers, hatching, brackets, arrows, expression layouts) is written
// once against it, in graph coordinates; the OpenGL view, the PostScript export
// and the tests' recorder implement it.
#include <cstdint>
#include <string>

#include "core/ColorF.h"
#include "core/PointF.h"
#include "core/RectF.h"

// Size of a drawn image in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
};

class Surface {
public:
    // What begin() starts; vertices between begin() and end() form it.
    enum class Primitive {
        Points,         // a dot at each vertex
        Lines,          // separate segments, vertices taken in pairs
        LineStrip,      // open polyline
        LineLoop,       // closed polyline
        Triangles,      // filled, vertices taken in threes
        TriangleStrip,  // filled strip
        TriangleFan,    // filled fan around the first vertex
        Polygon         // filled convex polygon
    };

    // Solid line pattern for setStipple.
    static constexpr uint16_t kSolid = 0xFFFF;

    virtual ~Surface() = default;

    // Vector output (PostScript) rather than the raster view: the few routines
    // whose output differs (grid colour, fixed axes, no selection frame) ask.
    virtual bool isVector() const = 0;

    virtual void setColor(const ColorF& color) = 0;
    virtual void setLineWidth(float width) = 0;
    // OpenGL-style stipple: each bit of pattern covers factor pixels; kSolid is a plain line.
    virtual void setStipple(int factor, uint16_t pattern) = 0;
    // Diameter in pixels of the dots that Points draws (control points are 5).
    // Surfaces whose dots have a fixed size ignore it.
    virtual void setPointSize(float) {}
    // Draw line segments of the following primitives as arrows (tail to tip).
    virtual void setArrows(bool arrows) = 0;

    virtual void begin(Primitive primitive) = 0;
    virtual void vertex(double x, double y) = 0;
    virtual void end() = 0;

    // Restricts drawing to a rectangle (graph units) until clearClip().
    virtual void setClipRect(const RectF& rect) = 0;
    virtual void clearClip() = 0;

    // Everything drawn until the matching pop is translated by (dx, dy) and
    // then scaled by (sx, sy): p' = (dx + sx·p.x, dy + sy·p.y).
    virtual void pushTransform(double dx, double dy, double sx, double sy) = 0;
    virtual void popTransform() = 0;

    // One line of the Roman stroke font with its baseline origin at `origin`,
    // glyph units (a capital is about 100 high) scaled by (sx, sy) to graph
    // units. Returns the advance in glyph units.
    virtual float strokeText(const std::string& text, PointF origin, double sx, double sy) = 0;
    // Advance of a text in glyph units, without drawing it.
    virtual float strokeTextWidth(const std::string& text) const = 0;

    // A typeset equation label (LaTeX text) with its lower-left corner at
    // `corner`; returns its size in pixels, 0 × 0 when nothing could be drawn.
    virtual PixelSize equationImage(const std::string& latex, PointF corner) = 0;
    // The size equationImage would give, without drawing (to place a label
    // by its size, centred under a point say).
    virtual PixelSize equationImageSize(const std::string& latex) = 0;

    // A circle of `radius` graph units along x (vector output draws a true circle).
    virtual void circle(PointF centre, double radius, bool filled) = 0;
    // An arc counter-clockwise from startDegrees to endDegrees.
    virtual void arc(PointF centre, double radius, double startDegrees, double endDegrees) = 0;
};
