// SPDX-License-Identifier: MIT
#include "render/PsPainter.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QPainter>
#include <QtGui/QTransform>

#include "render/PathCollector.h"
#include "render/StrokeFont.h"
#include "render/Typesetter.h"

namespace {
// Font for stroke texts on the page, and how its size relates to the stroke
// font: a capital of the Roman stroke font is 100 units high, a capital of
// Times about 0.66 of the font size.
const char* const kPageFont = "Times-Roman";
const char* const kPageItalicFont = "Times-Italic";
constexpr double kCapitalUnits = 100.0, kCapitalPerEm = 0.66;
// Radius (window pixels) up to which a circle meeting the page is written as
// an arc: its path then stays within this distance of the sheet.
constexpr double kLargestCircle = 100000;
}  // namespace

PsPainter::PsPainter(PostScriptWriter& writer, const Projection& projection)
    : writer_(writer),
      projection_(projection),
      page_(projection.viewport[0], projection.viewport[1], projection.viewport[2], projection.viewport[3]) {}

PsPainter::Point PsPainter::window(double x, double y) const {
    const Affine& t = transforms_.back();
    Point w{std::nan(""), std::nan("")};
    projection_.Project(t.dx + t.sx * x, t.dy + t.sy * y, 0, w.x, w.y);
    return w;
}

PointF PsPainter::toWindow(double x, double y) const {
    const Point w = window(x, y);
    return PointF(float(w.x), float(w.y));
}

void PsPainter::setPen(const Pen& pen) {
    writer_.SetColor(pen.color.r, pen.color.g, pen.color.b);
    writer_.SetLineWidth(pen.width);
    // The page has one dash of its own for every pattern.
    writer_.SetDash(!pen.solid());
}

bool PsPainter::project(std::span<const PointF> points) {
    vertices_.clear();
    vertices_.reserve(points.size());
    bool onPage = true;
    for (const PointF& p : points) {
        vertices_.push_back(window(p.x, p.y));
        onPage = onPage && Finite(vertices_.back()) && page_.contains(vertices_.back());
    }
    return onPage;
}

void PsPainter::put(int kind, const std::vector<Point>& points) {
    writer_.BeginPrimitive(kind);
    for (const Point& p : points) writer_.AddVertex(float(p.x), float(p.y));
    writer_.EndPrimitive();
}

// PostScript has no number for a point that is not finite (a curve sampled
// where it overflows, say), and one such number spoils the whole page; nor can
// it draw far outside the sheet. A shape wholly on the page goes to the
// writer as it is; otherwise a dot off the page is left out, a segment with an
// end that is not a number is left out and others are cut to the page, a
// polyline breaks at such a point and where it leaves the page, and a fill
// loses the points that are not numbers and is cut to the page.
void PsPainter::polyline(std::span<const PointF> points, bool closed) {
    if (project(points))
        put(closed ? PostScriptWriter::KIND_CLOSED_POLYLINE : PostScriptWriter::KIND_POLYLINE, vertices_);
    else
        putStrip(closed);
}

void PsPainter::segments(std::span<const PointF> ends) {
    if (project(ends.first(ends.size() & ~size_t(1)))) put(PostScriptWriter::KIND_SEGMENTS, vertices_);
    else putSegments();
}

void PsPainter::arrows(std::span<const PointF> ends) {
    writer_.SetLineEnd(PostScriptWriter::LINE_END_ARROW);
    segments(ends);
    writer_.SetLineEnd(PostScriptWriter::LINE_END_PLAIN);
}

void PsPainter::dots(std::span<const PointF> points, float) {
    project(points);
    std::vector<Point> kept;
    for (const Point& p : vertices_)
        if (Finite(p) && page_.contains(p)) kept.push_back(p);
    if (!kept.empty()) put(PostScriptWriter::KIND_POINTS, kept);
}

void PsPainter::fillPolygon(std::span<const PointF> corners) {
    if (project(corners)) {
        put(PostScriptWriter::KIND_FILLED_OUTLINE, vertices_);
        return;
    }
    std::vector<Point> v;
    for (const Point& p : vertices_)
        if (Finite(p)) v.push_back(p);
    const std::vector<Point> cut = page_.polygon(v);
    if (cut.size() >= 3) put(PostScriptWriter::KIND_FILLED_OUTLINE, cut);
}

// Each ring cut to the page on its own: cutting to a rectangle keeps every
// ring's winding inside it, so the union and its holes are kept too.
void PsPainter::fillRegion(const std::vector<std::vector<PointF>>& rings) {
    std::vector<std::vector<Point>> kept;
    for (const std::vector<PointF>& ring : rings) {
        project(ring);
        std::vector<Point> v;
        for (const Point& p : vertices_)
            if (Finite(p)) v.push_back(p);
        std::vector<Point> cut = page_.polygon(v);
        if (cut.size() >= 3) kept.push_back(std::move(cut));
    }
    if (kept.empty()) return;
    writer_.BeginPrimitive(PostScriptWriter::KIND_REGION);
    for (const std::vector<Point>& ring : kept) {
        writer_.NextRing();
        for (const Point& p : ring) writer_.AddVertex(float(p.x), float(p.y));
    }
    writer_.EndPrimitive();
}

// True circles on the page, one after another.
void PsPainter::discs(std::span<const PointF> centres, double radius, bool filled) {
    for (const PointF& c : centres) circle(c, radius, filled);
}

void PsPainter::putSegments() {
    std::vector<Point> kept;
    for (size_t i = 0; i + 1 < vertices_.size(); i += 2) {
        if (!Finite(vertices_[i]) || !Finite(vertices_[i + 1])) continue;
        if (const auto cut = page_.segment(vertices_[i], vertices_[i + 1])) {
            kept.push_back(cut->first);
            kept.push_back(cut->second);
        }
    }
    if (!kept.empty()) put(PostScriptWriter::KIND_SEGMENTS, kept);
}

// Each run of the strip that stays on the page becomes one open polyline.
void PsPainter::putStrip(bool closed) {
    std::vector<Point> points = vertices_;
    if (closed && points.size() > 2) points.push_back(points.front());
    std::vector<Point> run;
    auto flush = [&] {
        if (run.size() > 1) put(PostScriptWriter::KIND_POLYLINE, run);
        run.clear();
    };
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const Point a = points[i], b = points[i + 1];
        const auto cut = Finite(a) && Finite(b) ? page_.segment(a, b) : std::nullopt;
        if (!cut) {
            flush();
            continue;
        }
        if (run.empty() || !(run.back() == cut->first)) {
            flush();
            run.push_back(cut->first);
        }
        run.push_back(cut->second);
        if (!(cut->second == b)) flush();  // the strip leaves the page here
    }
    flush();
}

// The clip rectangle is cut to the page too: its sides then lie in the
// margin, and a rectangle wholly off the page clips everything away.
void PsPainter::setClipRect(const RectF& rect) {
    clearClip();
    const Point a = window(rect.left, rect.bottom), b = window(rect.right, rect.top);
    writer_.SaveState();  // kept even without a clip: clearClip restores it
    if (Finite(a) && Finite(b))
        writer_.ClipRect(float(page_.clampX(a.x)), float(page_.clampX(b.x)), float(page_.clampY(a.y)),
                         float(page_.clampY(b.y)));
    clipped_ = true;
}

void PsPainter::clearClip() {
    if (!clipped_) return;
    writer_.RestoreState();
    clipped_ = false;
}

void PsPainter::pushTransform(double dx, double dy, double sx, double sy) {
    const Affine& t = transforms_.back();
    transforms_.push_back(Affine{t.dx + t.sx * dx, t.dy + t.sy * dy, t.sx * sx, t.sy * sy});
}

void PsPainter::popTransform() {
    if (transforms_.size() > 1) transforms_.pop_back();
}

float PsPainter::text(const std::string& text, PointF origin, double, double sy, TextStyle style) {
    if (text.empty()) return 0.0f;
    const Point base = window(origin.x, origin.y);
    const Point top = window(origin.x, origin.y + kCapitalUnits * sy);
    const double capital = std::fabs(top.y - base.y);
    // A text that starts off the page, or is taller than it, is left out.
    if (!Finite(base) || !Finite(top) || !page_.contains(base) || !page_.contains(top)) return strokeTextWidth(text);
    writer_.SetFont(style == TextStyle::Italic ? kPageItalicFont : kPageFont,
                    std::max(1, int(std::lround(capital / kCapitalPerEm))));
    writer_.MoveTo(float(base.x), float(base.y));
    writer_.ShowText(text, 0, 0);
    return strokeTextWidth(text);
}

PixelSize PsPainter::equationImageSize(const std::string& latex) {
    const std::shared_ptr<const LabelBitmap> bitmap = Typesetter::Typeset(latex);
    return bitmap ? PixelSize{bitmap->width, bitmap->height} : PixelSize{};
}

// One label pixel is one window pixel, as on the PDF page, which fits the
// view's pixels to the sheet as this page does: the label lands where it
// lands there. A label that misses the view is left out, as there; one that
// meets it lies within a label's size of it, so its numbers stay near the sheet.
PixelSize PsPainter::equationImage(const std::string& latex, PointF corner) {
    const PixelSize size = equationImageSize(latex);
    const Point lowerLeft = window(corner.x, corner.y);
    const int* view = projection_.viewport;
    if (size.width <= 0 || size.height <= 0 || !Finite(lowerLeft) || lowerLeft.x >= view[0] + view[2] ||
        lowerLeft.x + size.width <= view[0] || lowerLeft.y >= view[1] + view[3] || lowerLeft.y + size.height <= view[1])
        return size;
    PathCollector ink;
    {
        QPainter painter;
        if (!painter.begin(&ink)) return size;
        Typesetter::PaintLabel(latex, painter, QPointF(0, 0));
    }
    if (ink.paths().empty()) return size;
    // Label pixels run down from its top-left corner, window pixels up.
    const QTransform toWindow(1, 0, 0, -1, lowerLeft.x, lowerLeft.y + size.height);
    writer_.SaveState();  // the pen's colour comes back after the label's black
    writer_.SetColor(0, 0, 0);
    for (const QPainterPath& path : ink.paths()) writer_.FillPath(toWindow.map(path));
    writer_.RestoreState();
    return size;
}

float PsPainter::strokeTextWidth(const std::string& text) const { return StrokeFont::Width(text); }

// A circle that reaches the page is drawn whole while its radius keeps its
// path within a safe distance of the sheet. A far larger one is seen on the
// page only as a fill covering it all; its nearly straight rim across the
// page is left out.
bool PsPainter::circleOnPage(Point c, double r, bool filled) {
    if (!Finite(c) || !std::isfinite(r) || !page_.meets(c, r)) return false;
    if (r <= kLargestCircle) return true;
    if (filled && page_.insideCircle(c, r)) put(PostScriptWriter::KIND_FILLED_OUTLINE, page_.corners());
    return false;
}

void PsPainter::circle(PointF centre, double radius, bool filled) {
    const Point c = window(centre.x, centre.y), edge = window(centre.x + radius, centre.y);
    const double r = std::fabs(edge.x - c.x);
    if (circleOnPage(c, r, filled)) writer_.DrawCircle(float(c.x), float(c.y), float(r), filled);
}

void PsPainter::arc(PointF centre, double radius, double startDegrees, double endDegrees) {
    const Point c = window(centre.x, centre.y), edge = window(centre.x + radius, centre.y);
    const double r = std::fabs(edge.x - c.x);
    if (!std::isfinite(startDegrees) || !std::isfinite(endDegrees)) return;
    if (circleOnPage(c, r, false)) writer_.DrawArc(float(c.x), float(c.y), float(r), float(startDegrees), float(endDegrees));
}
