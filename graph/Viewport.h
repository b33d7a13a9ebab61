// SPDX-License-Identifier: MIT
#pragma once
// How graph units map to the window, how the view is zoomed and panned, and
// the unit grid with the axes. A plain value: the graph manager holds one,
// hands pointer pixels to it, and applies what it returns to the equations.
//
// Conventions: pixels have their origin at the top left of the client area with
// y growing downwards; graph units have y growing upwards. At scale 1 and zoom 1
// forty pixels make one graph unit along each axis; the graph is drawn
// translated by pan, so the graph point -pan sits at the window centre.
#include <vector>

#include "core/PointF.h"
#include "core/RectF.h"
#include "graph/Picking.h"

class Painter;

// Whether an axis number's box (graph units, top the larger y) comes nearer
// than (gapX, gapY) to any of the captions' boxes: such a number is left out,
// the caption says more. With no gap, boxes that only touch do not meet; an
// empty or inverted caption box covers nothing.
bool AxisNumberHidden(const RectF& number, const std::vector<RectF>& captions, double gapX = 0, double gapY = 0);

class Viewport {
public:
    // The numbers the view hands to glViewport and glOrtho (near -1, far 1,
    // identity model-view); PostScript export projects through the same ones.
    struct Ortho {
        int x = 0, y = 0, width = 0, height = 0;
        double left = 0, right = 0, bottom = 0, top = 0;
    };

    // What setZoom did. The caller multiplies every plot box's left and right
    // by xFactor and its top and bottom by yFactor (then resamples) only when
    // applied is true.
    struct ZoomChange {
        bool applied = false;
        double xFactor = 1.0, yFactor = 1.0;
    };

    static constexpr double kDefaultScale = 1.3;
    static constexpr double kMinScale = 0.001, kMaxScale = 5.0;
    static constexpr int kDefaultWidth = 1000, kDefaultHeight = 750;  // the window the program opens with

    double scale = kDefaultScale;  // graph units per 40 pixels at zoom 1
    double xZoom = 1.0, yZoom = 1.0;
    PointF pan;                               // graph units
    // Always ±10 × zoom: the graph's own box, whose nine tenths a new curve is
    // plotted over at the least, and which documents keep. The grid and axes
    // span the whole view instead (visibleRect).
    RectF graphRect{10.0f, -10.0f, -10.0f, 10.0f};
    int width = kDefaultWidth, height = kDefaultHeight;  // client size in pixels
    // Integers along both axes at the grid units (thinned so that they never
    // crowd), on screen and on the page, whenever the axes are shown.
    bool showAxisNumbers = true;

    // Back to the defaults of a new document; the window size is kept.
    void reset();

    // Graph point under a pixel of the client area.
    PointF screenToGraph(double px, double py) const;
    // The pixel (fractional) at which a graph point is drawn; inverse of screenToGraph.
    PointF graphToScreen(double x, double y) const;

    // The graph units the client area shows, in the frame the graph is drawn
    // in (pan applied): what the grid, the axes and their numbers cover.
    RectF visibleRect() const;
    // Where the tips of the x and y arrowheads stand (x of the one, y of the
    // other): a few pixels inside the right and top edges of the view.
    PointF arrowTips() const;

    // A distance of `pixels` client pixels as graph units along each axis.
    PickTolerance pickTolerance(double pixels) const { return {pixels * unitsPerPixelX(), pixels * unitsPerPixelY()}; }

    // The projection for the current size, scale and zoom; the view applies it
    // after every change of any of them.
    Ortho setProjection() const;

    // Sets both zooms and graphRect from the zoom bar. A zoom that is not a
    // positive finite number is refused and nothing changes.
    ZoomChange setZoom(double newXZoom, double newYZoom);

    // Wheel: forward (delta > 0) shows more detail, scale × 0.9; otherwise × 1.1;
    // kept within [kMinScale, kMaxScale].
    void wheel(int delta);

    // Right-drag panning by a pointer motion in pixels (current minus last).
    void panByPixels(double dxPixels, double dyPixels);

    // One move event of an arrowhead drag: ±0.1 by the direction of the motion
    // in graph units (toward larger values grows). Touches only the zoom, not
    // graphRect, plot boxes or curves. Returns whether the zoom changed.
    bool dragXArrow(double graphDx);
    bool dragYArrow(double graphDy);

    // The arrowheads are the zoom handles; these are their hit areas (graph
    // units, in the pan-translated frame that screenToGraph returns).
    bool hitXArrow(PointF g) const;
    bool hitYArrow(PointF g) const;

    // Grid and axes for the raster view, or their page form when the painter is
    // vector output. Draws in the pan-translated frame the caller has set up.
    // `captions` are the boxes of the labels drawn on the axes (attribute
    // points' coordinates), in the same frame: the numbers keep out of them.
    void drawGridAndAxes(Painter& painter, bool showGrid, bool showAxis,
                         const std::vector<RectF>& captions = {}) const;

    // Graph units per client pixel along each axis (scale and zoom together).
    double unitsPerPixelX() const;
    double unitsPerPixelY() const;

private:
    // Graph units per pixel of the axis texts (numbers, names, the "O") and
    // their gaps: a screen pixel, times the painter's magnification, so that
    // a presenting view sets them larger and spaces them to match.
    double unitsPerTextPixelX(const Painter& painter) const;
    double unitsPerTextPixelY(const Painter& painter) const;
    void updateGraphRect();
    static bool dragStep(double& zoom, double graphDelta);

    // The axes, their names and the origin's "O", which gives way to a caption
    // over it (a boundary label of a mensuration at a negative x, say) as the
    // numbers do.
    void drawAxes(Painter& painter, const std::vector<RectF>& captions) const;
    // The axis names, where they stand and the box each takes.
    struct AxisName {
        const char* text;
        PointF at;
        double sx, sy;
        RectF box;
    };
    std::vector<AxisName> axisNames(const Painter& painter) const;
    // The origin's "O": left of the y axis and below the x axis, where the
    // numbers of either axis would stand; its glyph scales and its box.
    struct OriginMark {
        PointF origin;
        double sx = 0, sy = 0;
        RectF box;
        // Whether it is drawn: no caption comes nearer than the gap.
        bool shown(const std::vector<RectF>& captions, double gapX, double gapY) const {
            return !AxisNumberHidden(box, captions, gapX, gapY);
        }
    };
    OriginMark originMark(const Painter& painter) const;
    void drawGridSegments(Painter& painter) const;
    void drawPageGrid(Painter& painter) const;
    void drawPageAxes(Painter& painter) const;
    // Numbers along the axes over [left, right] × [bottom, top] (graph units,
    // the pan-translated frame), those outside the window left out.
    void drawAxisNumbers(Painter& painter, double left, double right, double bottom, double top,
                         const std::vector<RectF>& captions) const;
    std::vector<PointF> gridSegments() const;
};
