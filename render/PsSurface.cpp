// SPDX-License-Identifier: MIT
#include "render/PsSurface.h"

#include <algorithm>
#include <cmath>

#include "render/StrokeFont.h"

namespace {
// Font for stroke texts on the page, and how its size relates to the stroke
// font: a capital of the Roman stroke font is 100 units high, a capital of
// Times about 0.66 of the font size.
const char* const kPageFont = "Times-Roman";
constexpr double kCapitalUnits = 100.0, kCapitalPerEm = 0.66;
// Radius (window pixels) up to which a circle meeting the page is written as
// an arc: its path then stays within this distance of the sheet.
constexpr double kLargestCircle = 100000;
}  // namespace

PsSurface::PsSurface(PostScriptWriter& writer, const Projection& projection)
    : writer_(writer),
      projection_(projection),
      page_(projection.viewport[0], projection.viewport[1], projection.viewport[2], projection.viewport[3]) {}

PsSurface::Point PsSurface::window(double x, double y) const {
    const Affine& t = transforms_.back();
    Point w{std::nan(""), std::nan("")};
    projection_.Project(t.dx + t.sx * x, t.dy + t.sy * y, 0, w.x, w.y);
    return w;
}

PointF PsSurface::toWindow(double x, double y) const {
    const Point w = window(x, y);
    return PointF(float(w.x), float(w.y));
}

void PsSurface::setColor(const ColorF& c) { writer_.SetColor(c.r, c.g, c.b); }

void PsSurface::setLineWidth(float width) { writer_.SetLineWidth(width); }

void PsSurface::setStipple(int, uint16_t pattern) { writer_.SetDash(pattern != kSolid); }

void PsSurface::setArrows(bool arrows) {
    writer_.SetLineEnd(arrows ? PostScriptWriter::LINE_END_ARROW : PostScriptWriter::LINE_END_PLAIN);
}

void PsSurface::begin(Primitive primitive) {
    primitive_ = primitive;
    vertices_.clear();
}

void PsSurface::vertex(double x, double y) { vertices_.push_back(window(x, y)); }

void PsSurface::emit(int kind, const std::vector<Point>& points) {
    writer_.BeginPrimitive(kind);
    for (const Point& p : points) writer_.AddVertex(float(p.x), float(p.y));
    writer_.EndPrimitive();
}

// PostScript has no number for a point that is not finite (a curve sampled
// where it overflows, say), and one such number spoils the whole page; nor can
// it draw far outside the sheet. A primitive wholly on the page goes to the
// writer as it is; otherwise a dot off the page is left out, a segment with an
// end that is not a number is left out and others are cut to the page, a strip
// breaks at such a point and where it leaves the page, and a fill loses the
// points that are not numbers and is cut to the page.
void PsSurface::end() {
    static constexpr int kKinds[] = {
        PostScriptWriter::KIND_POINTS,         PostScriptWriter::KIND_SEGMENTS,
        PostScriptWriter::KIND_POLYLINE,       PostScriptWriter::KIND_CLOSED_POLYLINE,
        PostScriptWriter::KIND_TRIANGLES,      PostScriptWriter::KIND_TRIANGLE_STRIP,
        PostScriptWriter::KIND_TRIANGLE_FAN,   PostScriptWriter::KIND_FILLED_OUTLINE};
    const bool onPage = std::all_of(vertices_.begin(), vertices_.end(),
                                    [this](const Point& p) { return Finite(p) && page_.contains(p); });
    if (onPage) emit(kKinds[int(primitive_)], vertices_);
    else switch (primitive_) {
        case Primitive::Points: emitPoints(); break;
        case Primitive::Lines: emitSegments(); break;
        case Primitive::LineStrip: emitStrip(false); break;
        case Primitive::LineLoop: emitStrip(true); break;
        default: emitFills(); break;
    }
    vertices_.clear();
    primitive_ = Primitive::Points;
}

void PsSurface::emitPoints() {
    std::vector<Point> kept;
    for (const Point& p : vertices_)
        if (Finite(p) && page_.contains(p)) kept.push_back(p);
    if (!kept.empty()) emit(PostScriptWriter::KIND_POINTS, kept);
}

void PsSurface::emitSegments() {
    std::vector<Point> kept;
    for (size_t i = 0; i + 1 < vertices_.size(); i += 2) {
        if (!Finite(vertices_[i]) || !Finite(vertices_[i + 1])) continue;
        if (const auto cut = page_.segment(vertices_[i], vertices_[i + 1])) {
            kept.push_back(cut->first);
            kept.push_back(cut->second);
        }
    }
    if (!kept.empty()) emit(PostScriptWriter::KIND_SEGMENTS, kept);
}

// Each run of the strip that stays on the page becomes one open polyline.
void PsSurface::emitStrip(bool closed) {
    std::vector<Point> points = vertices_;
    if (closed && points.size() > 2) points.push_back(points.front());
    std::vector<Point> run;
    auto flush = [&] {
        if (run.size() > 1) emit(PostScriptWriter::KIND_POLYLINE, run);
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

// Filled primitives as the triangles or the polygon they fill, each cut to the page.
void PsSurface::emitFills() {
    std::vector<Point> v;
    for (const Point& p : vertices_)
        if (Finite(p)) v.push_back(p);
    auto fill = [&](const std::vector<Point>& shape, int kind) {
        const std::vector<Point> cut = page_.polygon(shape);
        if (cut.size() >= 3) emit(kind, cut);
    };
    switch (primitive_) {
        case Primitive::Triangles:
            for (size_t i = 0; i + 2 < v.size(); i += 3) fill({v[i], v[i + 1], v[i + 2]}, PostScriptWriter::KIND_TRIANGLE_FAN);
            break;
        case Primitive::TriangleStrip:
            for (size_t i = 2; i < v.size(); ++i) fill({v[i - 2], v[i - 1], v[i]}, PostScriptWriter::KIND_TRIANGLE_FAN);
            break;
        case Primitive::TriangleFan:
            for (size_t i = 2; i < v.size(); ++i) fill({v[0], v[i - 1], v[i]}, PostScriptWriter::KIND_TRIANGLE_FAN);
            break;
        default: fill(v, PostScriptWriter::KIND_FILLED_OUTLINE); break;
    }
}

// The clip rectangle is cut to the page too: its sides then lie in the
// margin, and a rectangle wholly off the page clips everything away.
void PsSurface::setClipRect(const RectF& rect) {
    clearClip();
    const Point a = window(rect.left, rect.bottom), b = window(rect.right, rect.top);
    writer_.SaveState();  // kept even without a clip: clearClip restores it
    if (Finite(a) && Finite(b))
        writer_.ClipRect(float(page_.clampX(a.x)), float(page_.clampX(b.x)), float(page_.clampY(a.y)),
                         float(page_.clampY(b.y)));
    clipped_ = true;
}

void PsSurface::clearClip() {
    if (!clipped_) return;
    writer_.RestoreState();
    clipped_ = false;
}

void PsSurface::pushTransform(double dx, double dy, double sx, double sy) {
    const Affine& t = transforms_.back();
    transforms_.push_back(Affine{t.dx + t.sx * dx, t.dy + t.sy * dy, t.sx * sx, t.sy * sy});
}

void PsSurface::popTransform() {
    if (transforms_.size() > 1) transforms_.pop_back();
}

float PsSurface::strokeText(const std::string& text, PointF origin, double, double sy) {
    if (text.empty()) return 0.0f;
    const Point base = window(origin.x, origin.y);
    const Point top = window(origin.x, origin.y + kCapitalUnits * sy);
    const double capital = std::fabs(top.y - base.y);
    // A text that starts off the page, or is taller than it, is left out.
    if (!Finite(base) || !Finite(top) || !page_.contains(base) || !page_.contains(top)) return strokeTextWidth(text);
    writer_.SetFont(kPageFont, std::max(1, int(std::lround(capital / kCapitalPerEm))));
    writer_.MoveTo(float(base.x), float(base.y));
    writer_.ShowText(text, 0, 0);
    return strokeTextWidth(text);
}

float PsSurface::strokeTextWidth(const std::string& text) const { return StrokeFont::Width(text); }

// Bitmaps have no place on the vector page: labels are drawn from their
// expression layout there instead.
PixelSize PsSurface::equationImage(const std::string&, PointF) { return {}; }

// A circle that reaches the page is drawn whole while its radius keeps its
// path within a safe distance of the sheet. A far larger one is seen on the
// page only as a fill covering it all; its nearly straight rim across the
// page is left out.
bool PsSurface::circleOnPage(Point c, double r, bool filled) {
    if (!Finite(c) || !std::isfinite(r) || !page_.meets(c, r)) return false;
    if (r <= kLargestCircle) return true;
    if (filled && page_.insideCircle(c, r)) emit(PostScriptWriter::KIND_FILLED_OUTLINE, page_.corners());
    return false;
}

void PsSurface::circle(PointF centre, double radius, bool filled) {
    const Point c = window(centre.x, centre.y), edge = window(centre.x + radius, centre.y);
    const double r = std::fabs(edge.x - c.x);
    if (circleOnPage(c, r, filled)) writer_.DrawCircle(float(c.x), float(c.y), float(r), filled);
}

void PsSurface::arc(PointF centre, double radius, double startDegrees, double endDegrees) {
    const Point c = window(centre.x, centre.y), edge = window(centre.x + radius, centre.y);
    const double r = std::fabs(edge.x - c.x);
    if (!std::isfinite(startDegrees) || !std::isfinite(endDegrees)) return;
    if (circleOnPage(c, r, false)) writer_.DrawArc(float(c.x), float(c.y), float(r), float(startDegrees), float(endDegrees));
}
