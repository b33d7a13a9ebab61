// SPDX-License-Identifier: MIT
#include "graph/Viewport.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/Surface.h"

namespace {

constexpr double kPixelsPerUnit = 40.0;  // at scale 1 and zoom 1
constexpr double kWheelIn = 0.9, kWheelOut = 1.1;
constexpr double kZoomStep = 0.1, kMinDragZoom = 0.1;

// Arrowheads, in units of the zoom: length along the axis and half width.
constexpr double kArrowLength = 0.3, kArrowHalfWidth = 0.1;

// Axis labels: a stroke-font glyph unit is 0.01 graph units (a capital about
// one unit high), and the labels are 0.8 of that per unit of zoom, so a
// lowercase "x" is about half a unit high and fits between its anchor and the
// arrowhead.
constexpr double kGlyphUnit = 0.01, kLabelScale = 0.8;
constexpr double kLabelInset = 0.6, kLabelLift = 0.2;

// On the page the axis labels are Times-Roman at 16. The PostScript surface
// sizes page text from the height of a 100-unit stroke capital in window
// pixels, a Times capital being 0.66 of the font size.
constexpr double kPageFontSize = 16.0, kPageCapitalPerEm = 0.66, kGlyphCapital = 100.0;

// Axis numbers: digits this many pixels high, kept this many pixels from the
// axis and from each other.
constexpr double kNumberCapital = 9.0, kNumberGap = 5.0;
// Pixels that must separate a number from a caption; less than the numbers'
// gap from the axis, so that a caption across the axis leaves them be.
constexpr double kCaptionGap = 3.0;

// The page axes always reach ±10, whatever the zoom.
constexpr double kPageAxisExtent = 10.0;

// A bound on grid lines per direction: the zoom bar's range needs at most a
// hundred; this only keeps an absurd rectangle from exhausting memory.
constexpr int kMaxGridLines = 100000;

const ColorF kBlack(0.0f, 0.0f, 0.0f, 1.0f);
const ColorF kGridColor(0.2f, 0.2f, 0.2f, 0.5f);
const ColorF kPageGridColor(0.8f, 0.8f, 0.8f);
constexpr float kAxisWidth = 1.0f, kGridWidth = 0.5f;

bool positiveFinite(double v) { return std::isfinite(v) && v > 0.0; }

}  // namespace

void Viewport::reset() {
    scale = kDefaultScale;
    xZoom = yZoom = 1.0;
    pan = PointF();
    updateGraphRect();
}

double Viewport::unitsPerPixelX() const { return scale * xZoom / kPixelsPerUnit; }
double Viewport::unitsPerPixelY() const { return scale * yZoom / kPixelsPerUnit; }

PointF Viewport::screenToGraph(double px, double py) const {
    return PointF(float((px - width * 0.5) * unitsPerPixelX() - pan.x),
                  float((height * 0.5 - py) * unitsPerPixelY() - pan.y));
}

PointF Viewport::graphToScreen(double x, double y) const {
    return PointF(float(width * 0.5 + (x + pan.x) / unitsPerPixelX()),
                  float(height * 0.5 - (y + pan.y) / unitsPerPixelY()));
}

Viewport::Ortho Viewport::setProjection() const {
    Ortho o;
    o.width = width;
    o.height = height;
    // Half the window in graph units: width/2 pixels of scale·zoom/40 units each.
    o.right = width * scale * xZoom / (2.0 * kPixelsPerUnit);
    o.left = -o.right;
    o.top = height * scale * yZoom / (2.0 * kPixelsPerUnit);
    o.bottom = -o.top;
    return o;
}

void Viewport::updateGraphRect() {
    graphRect = RectF(float(10.0 * yZoom), float(-10.0 * yZoom), float(-10.0 * xZoom), float(10.0 * xZoom));
}

Viewport::ZoomChange Viewport::setZoom(double newXZoom, double newYZoom) {
    ZoomChange change;
    if (!positiveFinite(newXZoom) || !positiveFinite(newYZoom))
        return change;
    // An old zoom that is not a usable divisor (only possible by writing the
    // field directly) leaves that axis's plot boxes as they are.
    auto factor = [](double now, double old) {
        const double f = now / old;
        return positiveFinite(old) && positiveFinite(f) ? f : 1.0;
    };
    change.applied = true;
    change.xFactor = factor(newXZoom, xZoom);
    change.yFactor = factor(newYZoom, yZoom);
    xZoom = newXZoom;
    yZoom = newYZoom;
    updateGraphRect();
    return change;
}

void Viewport::wheel(int delta) {
    scale = std::clamp(scale * (delta > 0 ? kWheelIn : kWheelOut), kMinScale, kMaxScale);
}

void Viewport::panByPixels(double dxPixels, double dyPixels) {
    pan.x = float(pan.x + dxPixels * unitsPerPixelX());
    pan.y = float(pan.y - dyPixels * unitsPerPixelY());
}

// A motion that is not toward larger values (including none along this axis)
// shrinks, as the drag has always done. Shrinking stops at the floor itself:
// repeated tenths drift, and 1.0 less ten steps would otherwise land just
// above zero instead of at 0.1.
bool Viewport::dragStep(double& zoom, double graphDelta) {
    if (!(zoom > kMinDragZoom))
        return false;
    zoom = graphDelta > 0.0 ? zoom + kZoomStep : std::max(zoom - kZoomStep, kMinDragZoom);
    return true;
}

bool Viewport::dragXArrow(double graphDx) { return dragStep(xZoom, graphDx); }
bool Viewport::dragYArrow(double graphDy) { return dragStep(yZoom, graphDy); }

// The hit areas are the boxes around the arrowheads, open at every edge.
bool Viewport::hitXArrow(PointF g) const {
    return g.x > graphRect.right - xZoom * kArrowLength && g.x < graphRect.right &&
           std::fabs(g.y) < yZoom * kArrowHalfWidth;
}

bool Viewport::hitYArrow(PointF g) const {
    return std::fabs(g.x) < xZoom * kArrowHalfWidth && g.y > graphRect.top - yZoom * kArrowLength &&
           g.y < graphRect.top;
}

void Viewport::drawGridAndAxes(Surface& surface, bool showGrid, bool showAxis,
                               const std::vector<RectF>& captions) const {
    // The raster view puts the axes under the grid; the page draws the light
    // grid first so that the black axes lie on top of it.
    if (surface.isVector()) {
        if (showGrid) drawPageGrid(surface);
        if (showAxis) drawPageAxes(surface);
        if (showAxis && showAxisNumbers)
            drawAxisNumbers(surface, -kPageAxisExtent, kPageAxisExtent, -kPageAxisExtent, kPageAxisExtent, captions);
        return;
    }
    if (showAxis) drawAxes(surface);
    if (showGrid) drawGridSegments(surface);
    if (showAxis && showAxisNumbers) {
        // The "O" stands where a number would, and keeps it as a caption does.
        std::vector<RectF> taken = captions;
        taken.push_back(originMark(surface).box);
        const RectF& r = graphRect;
        drawAxisNumbers(surface, r.left, r.right, r.bottom, r.top, taken);
    }
}

bool AxisNumberHidden(const RectF& number, const std::vector<RectF>& captions, double gapX, double gapY) {
    for (const RectF& c : captions) {
        if (!(c.top > c.bottom && c.right > c.left)) continue;
        if (number.left - gapX < c.right && c.left < number.right + gapX && number.bottom - gapY < c.top &&
            c.bottom < number.top + gapY)
            return true;
    }
    return false;
}

namespace {

// The smallest step of 1, 2, 5, 10, 20, 50, … units whose spacing in pixels
// is at least `pixels`; 0 when even the largest would crowd.
long long NumberStep(double pixelsPerUnit, double pixels) {
    if (!positiveFinite(pixelsPerUnit)) return 0;
    for (long long decade = 1; decade <= 1000000000LL; decade *= 10)
        for (const long long m : {1LL, 2LL, 5LL})
            if (double(m * decade) * pixelsPerUnit >= pixels) return m * decade;
    return 0;
}

}  // namespace

void Viewport::drawAxisNumbers(Surface& surface, double left, double right, double bottom, double top,
                               const std::vector<RectF>& captions) const {
    const double upx = unitsPerPixelX(), upy = unitsPerPixelY();
    if (!positiveFinite(upx) || !positiveFinite(upy)) return;
    // Glyph scales for digits kNumberCapital pixels high whatever the zoom.
    const double sx = kNumberCapital / kGlyphCapital * upx, sy = kNumberCapital / kGlyphCapital * upy;
    const double gapX = kNumberGap * upx, gapY = kNumberGap * upy;
    const double clearX = kCaptionGap * upx, clearY = kCaptionGap * upy;
    // Only what the window shows (the page shows its whole ±10).
    if (!surface.isVector()) {
        left = std::max(left, -pan.x - width * 0.5 * upx);
        right = std::min(right, -pan.x + width * 0.5 * upx);
        bottom = std::max(bottom, -pan.y - height * 0.5 * upy);
        top = std::min(top, -pan.y + height * 0.5 * upy);
    }
    // Whole numbers of that size are far beyond any view; a pan that far shows none.
    constexpr double kLargest = 1e15;
    if (!(left <= right && bottom <= top && std::abs(left) < kLargest && std::abs(right) < kLargest &&
          std::abs(bottom) < kLargest && std::abs(top) < kLargest))
        return;
    auto text = [](long long k) { return std::to_string(k); };
    surface.setColor(kBlack);
    surface.setLineWidth(kAxisWidth);

    // Along x: centred under their unit, spaced by the widest of them plus a gap.
    const double widest = std::max(surface.strokeTextWidth(text((long long)std::floor(left))),
                                   surface.strokeTextWidth(text((long long)std::ceil(right)))) *
                          sx / upx;
    if (const long long step = NumberStep(1.0 / upx, widest + 2 * kNumberGap); step > 0)
        for (long long k = (long long)std::ceil(left / double(step)) * step; double(k) <= right; k += step) {
            if (k == 0) continue;  // the origin has its "O"
            const std::string t = text(k);
            const double w = surface.strokeTextWidth(t) * sx;
            const PointF at(float(double(k) - w / 2), float(-gapY - kNumberCapital * upy));
            if (AxisNumberHidden(RectF(float(-gapY), at.y, at.x, float(at.x + w)), captions, clearX, clearY)) continue;
            surface.strokeText(t, at, sx, sy);
        }
    // Along y: right-aligned left of the axis, centred on their unit.
    if (const long long step = NumberStep(1.0 / upy, kNumberCapital + kNumberGap); step > 0)
        for (long long k = (long long)std::ceil(bottom / double(step)) * step; double(k) <= top; k += step) {
            if (k == 0) continue;
            const std::string t = text(k);
            const double w = surface.strokeTextWidth(t) * sx;
            const PointF at(float(-gapX - w), float(double(k) - kNumberCapital * upy / 2));
            if (AxisNumberHidden(RectF(float(at.y + kNumberCapital * upy), at.y, at.x, float(-gapX)), captions, clearX,
                                 clearY))
                continue;
            surface.strokeText(t, at, sx, sy);
        }
}

void Viewport::drawAxes(Surface& surface) const {
    const RectF& r = graphRect;
    surface.setLineWidth(kAxisWidth);
    surface.setColor(kBlack);
    surface.begin(Surface::Primitive::Lines);
    surface.vertex(0, r.bottom);
    surface.vertex(0, r.top);
    surface.vertex(r.left, 0);
    surface.vertex(r.right, 0);
    surface.end();

    const double length = kArrowLength, half = kArrowHalfWidth;
    surface.begin(Surface::Primitive::Triangles);
    surface.vertex(r.right, 0);
    surface.vertex(r.right - length * xZoom, half * yZoom);
    surface.vertex(r.right - length * xZoom, -half * yZoom);
    surface.end();
    surface.begin(Surface::Primitive::Triangles);
    surface.vertex(0, r.top);
    surface.vertex(half * xZoom, r.top - length * yZoom);
    surface.vertex(-half * xZoom, r.top - length * yZoom);
    surface.end();

    const double sx = kGlyphUnit * kLabelScale * xZoom, sy = kGlyphUnit * kLabelScale * yZoom;
    surface.strokeText("x", PointF(float(r.right - kLabelInset), float(kLabelLift)), sx, sy);
    surface.strokeText("y", PointF(float(kLabelLift), float(r.top - kLabelInset)), sx, sy);
    const OriginMark o = originMark(surface);
    surface.strokeText("O", o.origin, o.sx, o.sy);
}

// Sized in pixels like the numbers, so that it neither grows into the axes
// when the view zooms out nor shrinks to a dot when it zooms in.
Viewport::OriginMark Viewport::originMark(const Surface& surface) const {
    const double upx = unitsPerPixelX(), upy = unitsPerPixelY();
    OriginMark o;
    o.sx = kNumberCapital / kGlyphCapital * upx;
    o.sy = kNumberCapital / kGlyphCapital * upy;
    const double w = surface.strokeTextWidth("O") * o.sx, h = kNumberCapital * upy;
    const double right = -kNumberGap * upx, top = -kNumberGap * upy;
    o.origin = PointF(float(right - w), float(top - h));
    o.box = RectF(float(top), float(top - h), float(right - w), float(right));
    return o;
}

// Unit-spaced lines over graphRect, as vertex pairs: vertical lines at
// x = 0, 1, … then -1, -2, …; horizontal lines at y = 0, 1, … then 0, -1, …
// (the x axis's grid line comes twice, as it always has).
void Viewport::gridVertices(Surface& surface) const {
    const RectF& r = graphRect;
    for (int i = 0; i <= kMaxGridLines && i <= r.right; ++i) {
        surface.vertex(i, r.bottom);
        surface.vertex(i, r.top);
    }
    for (int i = -1; i >= -kMaxGridLines && i >= r.left; --i) {
        surface.vertex(i, r.bottom);
        surface.vertex(i, r.top);
    }
    for (int i = 0; i <= kMaxGridLines && i <= r.top; ++i) {
        surface.vertex(r.left, i);
        surface.vertex(r.right, i);
    }
    for (int i = 0; i >= -kMaxGridLines && i >= r.bottom; --i) {
        surface.vertex(r.left, i);
        surface.vertex(r.right, i);
    }
}

void Viewport::drawGridSegments(Surface& surface) const {
    surface.setColor(kGridColor);
    surface.setLineWidth(kGridWidth);
    surface.begin(Surface::Primitive::Lines);
    gridVertices(surface);
    surface.end();
}

// The page grid takes the same vertex pairs as separate segments. (One open
// polyline through them would also join each grid line to the next with a
// diagonal across the page.)
void Viewport::drawPageGrid(Surface& surface) const {
    surface.setColor(kPageGridColor);
    surface.setLineWidth(kGridWidth);
    surface.begin(Surface::Primitive::Lines);
    gridVertices(surface);
    surface.end();
}

// Fixed ±10 axes as two arrowed segments, and the two labels at their tips.
// (As one polyline an arrow would also run from the end of the x axis to the
// foot of the y axis.)
void Viewport::drawPageAxes(Surface& surface) const {
    const double e = kPageAxisExtent;
    surface.setColor(ColorF(0.0f, 0.0f, 0.0f));
    surface.setArrows(true);
    surface.begin(Surface::Primitive::Lines);
    surface.vertex(-e, 0);
    surface.vertex(e, 0);
    surface.vertex(0, -e);
    surface.vertex(0, e);
    surface.end();
    surface.setArrows(false);

    // Glyph scales that make a stroke capital as many window pixels high as a
    // Times capital at the page font size.
    const double capitalPixels = kPageFontSize * kPageCapitalPerEm;
    const double sx = capitalPixels / kGlyphCapital * unitsPerPixelX();
    const double sy = capitalPixels / kGlyphCapital * unitsPerPixelY();
    // "x" starts at its anchor on the baseline; "y" ends at its anchor (right-aligned).
    surface.strokeText("x", PointF(float(e), 0.0f), sx, sy);
    const double yWidth = surface.strokeTextWidth("y") * sx;
    surface.strokeText("y", PointF(float(-yWidth), float(e)), sx, sy);
}
