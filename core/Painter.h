// SPDX-License-Identifier: MIT
#pragma once
// The one drawing interface of KVR. Every drawing routine (axes, grid, curves,
// labels, markers, hatching, brackets, arrows, expression layouts) is written
// once against it, in the shapes the graph is made of and in graph
// coordinates; the OpenGL view, the PostScript page, the QPainter pages (SVG,
// PDF, print) and the tests' recorder implement it. A back-end keeps the view's
// projection itself: callers never see pixels but through the sizes the calls
// name in pixels (pen widths, dashes, dots).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/ColorF.h"
#include "core/PointF.h"
#include "core/RectF.h"

// Size of a drawn image in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
};

// How lines are drawn: colour (fills take it too), width in pixels and the
// dash pattern.
struct Pen {
    ColorF color{0, 0, 0, 1};
    float width = 1.0f;
    // Dash and gap lengths in pixels, alternately, starting with a dash; empty
    // draws a solid line.
    std::vector<float> dashes;
    // How far into the pattern every line starts, in pixels.
    float dashOffset = 0.0f;

    Pen() = default;
    Pen(const ColorF& c, float w = 1.0f) : color(c), width(w) {}

    // The 16-bit line patterns documents keep (lowest bit first, each bit
    // `factor` pixels) as dashes starting at the first set bit, `offset` the
    // pixels skipped to get there. 0xFFFF is solid, and so is a pattern with
    // no bit set: a curve that draws nothing would look lost.
    static std::vector<float> DashesOf(uint16_t pattern, int factor, float& offset);
    static Pen Patterned(const ColorF& c, float w, uint16_t pattern, int factor = 1);

    bool solid() const { return dashes.empty(); }
    bool operator==(const Pen&) const = default;
};

// The view's scale as the drawing routines size things by it: `scale` graph
// units per 40 pixels at zoom 1, and the two axis zooms.
struct ViewScale {
    double scale = 1.0;
    double xZoom = 1.0, yZoom = 1.0;
};

class Painter {
public:
    // A solid line pattern.
    static constexpr uint16_t kSolid = 0xFFFF;

    virtual ~Painter() = default;

    // The view being drawn, set once before a frame or page: the routines that
    // size markers, labels and gaps in pixels read it here.
    void setView(const ViewScale& view) { view_ = view; }
    const ViewScale& view() const { return view_; }

    // A page (PostScript, SVG, PDF, print) rather than the screen: the few
    // routines whose output differs (grid colour, fixed axes, no selection
    // frame) ask.
    virtual bool isVector() const = 0;

    // How many times their usual size lines, dots and texts come out: more
    // than 1 only on the view while it presents to a classroom, never on a
    // page or a picture. A back-end applies it to what it sizes itself (pen
    // widths, dashes, dots, arrow heads, typeset labels, which then also
    // measure larger); a routine that sizes stroke text in pixels multiplies
    // by it.
    virtual double magnification() const { return 1.0; }

    virtual void setPen(const Pen& pen) = 0;

    // An open polyline through the points; `closed` joins the last to the first.
    virtual void polyline(std::span<const PointF> points, bool closed = false) = 0;
    // Separate segments, their ends taken in pairs.
    virtual void segments(std::span<const PointF> ends) = 0;
    // Segments (tail, tip) in pairs, each with an arrow head at its tip sized
    // by the pen's width in pixels.
    virtual void arrows(std::span<const PointF> ends) = 0;
    // A filled convex polygon in the pen's colour.
    virtual void fillPolygon(std::span<const PointF> corners) = 0;
    // A region filled in the pen's colour as one shape: the union of the
    // rings (each a closed polygon, counter-clockwise), where a ring that runs
    // clockwise cuts a hole. One shape, so neighbouring rings meet without a
    // seam at any resolution.
    virtual void fillRegion(const std::vector<std::vector<PointF>>& rings) = 0;
    // Round dots of `diameter` pixels (pages draw their own fixed size).
    virtual void dots(std::span<const PointF> points, float diameter) = 0;
    // Discs of `radius` graph units along x, round on the screen whatever the
    // axes' zoom: filled, or as rims. Markers come by the hundred, so a
    // back-end draws them all at once.
    virtual void discs(std::span<const PointF> centres, double radius, bool filled) = 0;
    // A circle of `radius` graph units along x, round on the screen.
    virtual void circle(PointF centre, double radius, bool filled) = 0;
    // An arc counter-clockwise from startDegrees to endDegrees.
    virtual void arc(PointF centre, double radius, double startDegrees, double endDegrees) = 0;

    // Restricts drawing to a rectangle (graph units) until clearClip().
    virtual void setClipRect(const RectF& rect) = 0;
    virtual void clearClip() = 0;

    // Everything drawn until the matching pop is translated by (dx, dy) and
    // then scaled by (sx, sy): p' = (dx + sx·p.x, dy + sy·p.y).
    virtual void pushTransform(double dx, double dy, double sx, double sy) = 0;
    virtual void popTransform() = 0;

    // Upright, as numbers and words are set; italic, as the names of
    // variables (the axes' x and y) are.
    enum class TextStyle { Upright, Italic };

    // One line of the Roman stroke font in the pen's colour with its baseline
    // origin at `origin`, glyph units (a capital is about 100 high) scaled by
    // (sx, sy) to graph units, slanted when italic (pages use their italic
    // face). Returns the advance in glyph units.
    virtual float text(const std::string& text, PointF origin, double sx, double sy, TextStyle style) = 0;
    float strokeText(const std::string& s, PointF origin, double sx, double sy) {
        return text(s, origin, sx, sy, TextStyle::Upright);
    }
    // Advance of a text in glyph units, without drawing it.
    virtual float strokeTextWidth(const std::string& text) const = 0;

    // A typeset equation label (LaTeX text) with its lower-left corner at
    // `corner`; returns its size in pixels, 0 × 0 when nothing could be drawn.
    virtual PixelSize equationImage(const std::string& latex, PointF corner) = 0;
    // The size equationImage would give, without drawing (to place a label
    // by its size, centred under a point say).
    virtual PixelSize equationImageSize(const std::string& latex) = 0;

    // One-shape conveniences.
    void segment(PointF a, PointF b) {
        const PointF ends[] = {a, b};
        segments(ends);
    }

private:
    ViewScale view_;
};
