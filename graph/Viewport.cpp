// SPDX-License-Identifier: MIT
#include "graph/Viewport.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/Painter.h"

namespace {

constexpr double kPixelsPerUnit = 40.0;  // at scale 1 and zoom 1
constexpr double kWheelIn = 0.9, kWheelOut = 1.1;
constexpr double kZoomStep = 0.1, kMinDragZoom = 0.1;

// Arrowheads, in units of the zoom: length along the axis and half width.
constexpr double kArrowLength = 0.3, kArrowHalfWidth = 0.1;

// On the page the axis labels are Times-Roman at 16. The PostScript painter
// sizes page text from the height of a 100-unit stroke capital in window
// pixels, a Times capital being 0.66 of the font size.
constexpr double kPageFontSize = 16.0, kPageCapitalPerEm = 0.66, kGlyphCapital = 100.0;

// Axis numbers: digits this many pixels high, kept this many pixels from the
// axis and from each other.
constexpr double kNumberCapital = 9.0, kNumberGap = 5.0;
// Pixels that must separate a number from a caption; less than the numbers'
// gap from the axis, so that a caption across the axis leaves them be.
constexpr double kCaptionGap = 3.0;

// The arrowheads' tips stand this many pixels inside the edge of the view.
constexpr double kArrowMarginPixels = 4.0;
// The axis names' capitals are this many pixels high.
constexpr double kNameCapital = 14.0;

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

namespace {

// A magnification a painter may give, kept to what a screen can show: a
// factor that is no positive finite number draws the usual size.
double TextMagnification(const Painter& painter) {
    const double m = painter.magnification();
    return std::isfinite(m) && m > 0 ? std::min(m, 16.0) : 1.0;
}

}  // namespace

double Viewport::unitsPerTextPixelX(const Painter& painter) const {
    return unitsPerPixelX() * TextMagnification(painter);
}

double Viewport::unitsPerTextPixelY(const Painter& painter) const {
    return unitsPerPixelY() * TextMagnification(painter);
}

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

RectF Viewport::visibleRect() const {
    const PointF topLeft = screenToGraph(0, 0), bottomRight = screenToGraph(width, height);
    return RectF(topLeft.y, bottomRight.y, topLeft.x, bottomRight.x);
}

PointF Viewport::arrowTips() const {
    const RectF v = visibleRect();
    return PointF(float(v.right - kArrowMarginPixels * unitsPerPixelX()),
                  float(v.top - kArrowMarginPixels * unitsPerPixelY()));
}

// The hit areas are the boxes around the arrowheads, open at every edge.
bool Viewport::hitXArrow(PointF g) const {
    const double tip = arrowTips().x;
    return g.x > tip - xZoom * kArrowLength && g.x < tip && std::fabs(g.y) < yZoom * kArrowHalfWidth;
}

bool Viewport::hitYArrow(PointF g) const {
    const double tip = arrowTips().y;
    return std::fabs(g.x) < xZoom * kArrowHalfWidth && g.y > tip - yZoom * kArrowLength && g.y < tip;
}

void Viewport::drawGridAndAxes(Painter& painter, bool showGrid, bool showAxis,
                               const std::vector<RectF>& captions) const {
    // The raster view puts the axes under the grid; the page draws the light
    // grid first so that the black axes lie on top of it. Both reach the edges
    // of the view, whatever its size, pan and zoom: the page shows what the
    // window shows.
    const RectF r = visibleRect();
    if (painter.isVector()) {
        if (showGrid) drawPageGrid(painter);
        if (showAxis) drawPageAxes(painter);
        if (showAxis && showAxisNumbers) {
            const PointF tip = arrowTips();
            drawAxisNumbers(painter, r.left, tip.x - kArrowLength * xZoom, r.bottom, tip.y - kArrowLength * yZoom,
                            captions);
        }
        return;
    }
    if (showAxis) drawAxes(painter, captions);
    if (showGrid) drawGridSegments(painter);
    if (showAxis && showAxisNumbers) {
        // The "O" stands where a number would, and keeps it as a caption does;
        // the axis names keep them too.
        std::vector<RectF> taken = captions;
        taken.push_back(originMark(painter).box);
        for (const AxisName& name : axisNames(painter)) taken.push_back(name.box);
        // None under an arrowhead.
        const PointF tip = arrowTips();
        drawAxisNumbers(painter, r.left, tip.x - kArrowLength * xZoom, r.bottom, tip.y - kArrowLength * yZoom, taken);
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

void Viewport::drawAxisNumbers(Painter& painter, double left, double right, double bottom, double top,
                               const std::vector<RectF>& captions) const {
    const double upx = unitsPerTextPixelX(painter), upy = unitsPerTextPixelY(painter);
    if (!positiveFinite(upx) || !positiveFinite(upy)) return;
    // Glyph scales for digits kNumberCapital pixels high whatever the zoom.
    const double sx = kNumberCapital / kGlyphCapital * upx, sy = kNumberCapital / kGlyphCapital * upy;
    const double gapX = kNumberGap * upx, gapY = kNumberGap * upy;
    const double clearX = kCaptionGap * upx, clearY = kCaptionGap * upy;
    // Only what the window shows, on screen and on the page; a number the
    // edge would cut is left out whole.
    const RectF view = visibleRect();
    left = std::max<double>(left, view.left);
    right = std::min<double>(right, view.right);
    bottom = std::max<double>(bottom, view.bottom);
    top = std::min<double>(top, view.top);
    auto inView = [&](double l, double r, double b, double t) {
        return l >= view.left && r <= view.right && b >= view.bottom && t <= view.top;
    };
    // Whole numbers of that size are far beyond any view; a pan that far shows none.
    constexpr double kLargest = 1e15;
    if (!(left <= right && bottom <= top && std::abs(left) < kLargest && std::abs(right) < kLargest &&
          std::abs(bottom) < kLargest && std::abs(top) < kLargest))
        return;
    auto text = [](long long k) { return std::to_string(k); };
    painter.setPen(Pen(kBlack, kAxisWidth));

    // Along x: centred under their unit, spaced by the widest of them plus a gap.
    const double widest = std::max(painter.strokeTextWidth(text((long long)std::floor(left))),
                                   painter.strokeTextWidth(text((long long)std::ceil(right)))) *
                          sx / upx;
    if (const long long step = NumberStep(1.0 / upx, widest + 2 * kNumberGap); step > 0)
        for (long long k = (long long)std::ceil(left / double(step)) * step; double(k) <= right; k += step) {
            if (k == 0) continue;  // the origin has its "O"
            const std::string t = text(k);
            const double w = painter.strokeTextWidth(t) * sx;
            const PointF at(float(double(k) - w / 2), float(-gapY - kNumberCapital * upy));
            if (!inView(at.x, at.x + w, at.y, -gapY)) continue;
            if (AxisNumberHidden(RectF(float(-gapY), at.y, at.x, float(at.x + w)), captions, clearX, clearY)) continue;
            painter.strokeText(t, at, sx, sy);
        }
    // Along y: right-aligned left of the axis, centred on their unit.
    if (const long long step = NumberStep(1.0 / upy, kNumberCapital + kNumberGap); step > 0)
        for (long long k = (long long)std::ceil(bottom / double(step)) * step; double(k) <= top; k += step) {
            if (k == 0) continue;
            const std::string t = text(k);
            const double w = painter.strokeTextWidth(t) * sx;
            const PointF at(float(-gapX - w), float(double(k) - kNumberCapital * upy / 2));
            if (!inView(at.x, -gapX, at.y, at.y + kNumberCapital * upy)) continue;
            if (AxisNumberHidden(RectF(float(at.y + kNumberCapital * upy), at.y, at.x, float(-gapX)), captions, clearX,
                                 clearY))
                continue;
            painter.strokeText(t, at, sx, sy);
        }
}

// The axes across the whole view, each with its arrowhead a few pixels inside
// the edge, and their names.
void Viewport::drawAxes(Painter& painter, const std::vector<RectF>& captions) const {
    const RectF r = visibleRect();
    const PointF tip = arrowTips();
    painter.setPen(Pen(kBlack, kAxisWidth));
    const PointF axes[] = {{0, r.bottom}, {0, tip.y}, {r.left, 0}, {tip.x, 0}};
    painter.segments(axes);
    // The heads are sized in the view's units, so they keep their size on screen.
    const float length = float(kArrowLength), half = float(kArrowHalfWidth);
    const float xz = float(xZoom), yz = float(yZoom);
    const PointF xHead[] = {{tip.x, 0}, {tip.x - length * xz, half * yz}, {tip.x - length * xz, -half * yz}};
    const PointF yHead[] = {{0, tip.y}, {half * xz, tip.y - length * yz}, {-half * xz, tip.y - length * yz}};
    painter.fillPolygon(xHead);
    painter.fillPolygon(yHead);
    // The axes' names are variables: italic, as in the labels.
    for (const AxisName& name : axisNames(painter))
        painter.text(name.text, name.at, name.sx, name.sy, Painter::TextStyle::Italic);
    const OriginMark o = originMark(painter);
    if (o.shown(captions, kCaptionGap * unitsPerPixelX(), kCaptionGap * unitsPerPixelY()))
        painter.strokeText("O", o.origin, o.sx, o.sy);
}

// "x" above the x axis and left of its arrowhead, "y" right of the y axis and
// below its arrowhead: the numbers stand on the other sides of the axes, so
// the last of them never meets a name. Sized in pixels like the numbers.
std::vector<Viewport::AxisName> Viewport::axisNames(const Painter& painter) const {
    const double upx = unitsPerTextPixelX(painter), upy = unitsPerTextPixelY(painter);
    const double sx = kNameCapital / kGlyphCapital * upx, sy = kNameCapital / kGlyphCapital * upy;
    const PointF tip = arrowTips();
    const double gapX = kNumberGap * upx, gapY = kNumberGap * upy, height = kNameCapital * upy;
    const double xWidth = painter.strokeTextWidth("x") * sx;
    const double xLeft = tip.x - kArrowLength * xZoom - gapX - xWidth, xBottom = kArrowHalfWidth * yZoom + gapY;
    const double yLeft = kArrowHalfWidth * xZoom + gapX, yBottom = tip.y - kArrowLength * yZoom - gapY - height;
    const double yWidth = painter.strokeTextWidth("y") * sx;
    return {{"x", PointF(float(xLeft), float(xBottom)), sx, sy,
             RectF(float(xBottom + height), float(xBottom), float(xLeft), float(xLeft + xWidth))},
            {"y", PointF(float(yLeft), float(yBottom)), sx, sy,
             RectF(float(yBottom + height), float(yBottom), float(yLeft), float(yLeft + yWidth))}};
}

// Sized in pixels like the numbers, so that it neither grows into the axes
// when the view zooms out nor shrinks to a dot when it zooms in.
Viewport::OriginMark Viewport::originMark(const Painter& painter) const {
    const double upx = unitsPerTextPixelX(painter), upy = unitsPerTextPixelY(painter);
    OriginMark o;
    o.sx = kNumberCapital / kGlyphCapital * upx;
    o.sy = kNumberCapital / kGlyphCapital * upy;
    const double w = painter.strokeTextWidth("O") * o.sx, h = kNumberCapital * upy;
    const double right = -kNumberGap * upx, top = -kNumberGap * upy;
    o.origin = PointF(float(right - w), float(top - h));
    o.box = RectF(float(top), float(top - h), float(right - w), float(right));
    return o;
}

// Unit-spaced lines over the view, as segment ends: vertical lines at every
// whole x it shows, left to right, then horizontal ones bottom to top.
std::vector<PointF> Viewport::gridSegments() const {
    std::vector<PointF> ends;
    const RectF r = visibleRect();
    if (!(std::isfinite(r.left) && std::isfinite(r.right) && std::isfinite(r.bottom) && std::isfinite(r.top)))
        return ends;
    // Counted once: far from the origin a unit step can be lost in rounding.
    const double firstX = std::ceil(r.left), firstY = std::ceil(r.bottom);
    const double columns = std::floor(r.right) - firstX, rows = std::floor(r.top) - firstY;
    if (columns <= kMaxGridLines)
        for (int i = 0; i <= columns; ++i) {
            ends.emplace_back(float(firstX + i), r.bottom);
            ends.emplace_back(float(firstX + i), r.top);
        }
    if (rows <= kMaxGridLines)
        for (int i = 0; i <= rows; ++i) {
            ends.emplace_back(r.left, float(firstY + i));
            ends.emplace_back(r.right, float(firstY + i));
        }
    return ends;
}

void Viewport::drawGridSegments(Painter& painter) const {
    painter.setPen(Pen(kGridColor, kGridWidth));
    painter.segments(gridSegments());
}

// The page grid is lighter: on paper it must not compete with the curves.
void Viewport::drawPageGrid(Painter& painter) const {
    painter.setPen(Pen(kPageGridColor, kGridWidth));
    painter.segments(gridSegments());
}

// The axes as two arrowed segments across the view, and the two names at
// their tips. (As one polyline an arrow would also run from the end of the x
// axis to the foot of the y axis.)
void Viewport::drawPageAxes(Painter& painter) const {
    const RectF r = visibleRect();
    const PointF tip = arrowTips();
    // As bold as on screen: on paper too the axes stand out from the grid.
    painter.setPen(Pen(kBlack, kAxisWidth));
    const PointF axes[] = {{r.left, 0}, {tip.x, 0}, {0, r.bottom}, {0, tip.y}};
    painter.arrows(axes);
    // Glyph scales that make a stroke capital as many window pixels high as a
    // Times capital at the page font size.
    const double capitalPixels = kPageFontSize * kPageCapitalPerEm;
    const double sx = capitalPixels / kGlyphCapital * unitsPerPixelX();
    const double sy = capitalPixels / kGlyphCapital * unitsPerPixelY();
    // "x" above the axis, ending at the arrow; "y" right of the axis, below its arrow:
    // the numbers stand on the other sides.
    const double gapX = kNumberGap * unitsPerPixelX(), gapY = kNumberGap * unitsPerPixelY();
    const double xWidth = painter.strokeTextWidth("x") * sx;
    painter.text("x", PointF(float(tip.x - kArrowLength * xZoom - gapX - xWidth), float(gapY)), sx, sy,
                 Painter::TextStyle::Italic);
    painter.text("y", PointF(float(gapX), float(tip.y - kArrowLength * yZoom - gapY - capitalPixels * unitsPerPixelY())),
                 sx, sy, Painter::TextStyle::Italic);
}
