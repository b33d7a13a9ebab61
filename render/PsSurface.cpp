#include "render/PsSurface.h"

#include <cmath>

#include "render/StrokeFont.h"

namespace {
// Font for stroke texts on the page, and how its size relates to the stroke
// font: a capital of the Roman stroke font is 100 units high, a capital of
// Times about 0.66 of the font size.
const char* const kPageFont = "Times-Roman";
constexpr double kCapitalUnits = 100.0, kCapitalPerEm = 0.66;
}  // namespace

PsSurface::PsSurface(PostScriptWriter& writer, const Projection& projection)
    : writer_(writer), projection_(projection) {}

PointF PsSurface::toWindow(double x, double y) const {
    const Affine& t = transforms_.back();
    double wx = 0, wy = 0;
    projection_.Project(t.dx + t.sx * x, t.dy + t.sy * y, 0, wx, wy);
    return PointF(float(wx), float(wy));
}

void PsSurface::setColor(const ColorF& c) { writer_.SetColor(c.r, c.g, c.b); }

void PsSurface::setLineWidth(float width) { writer_.SetLineWidth(width); }

void PsSurface::setStipple(int, uint16_t pattern) { writer_.SetDash(pattern != kSolid); }

void PsSurface::setArrows(bool arrows) {
    writer_.SetLineEnd(arrows ? PostScriptWriter::LINE_END_ARROW : PostScriptWriter::LINE_END_PLAIN);
}

void PsSurface::begin(Primitive primitive) {
    static constexpr int kKinds[] = {
        PostScriptWriter::KIND_POINTS,         PostScriptWriter::KIND_SEGMENTS,
        PostScriptWriter::KIND_POLYLINE,       PostScriptWriter::KIND_CLOSED_POLYLINE,
        PostScriptWriter::KIND_TRIANGLES,      PostScriptWriter::KIND_TRIANGLE_STRIP,
        PostScriptWriter::KIND_TRIANGLE_FAN,   PostScriptWriter::KIND_FILLED_OUTLINE};
    kind_ = kKinds[int(primitive)];
    run_ = 0;
    havePending_ = false;
    writer_.BeginPrimitive(kind_);
}

// PostScript has no number for a point that is not finite (a curve sampled
// where it overflows, say), and one such number spoils the whole page: a line
// strip breaks there, a segment with such an end is left out whole, and any
// other primitive leaves the vertex out.
void PsSurface::vertex(double x, double y) {
    const PointF w = toWindow(x, y);
    const bool finite = std::isfinite(w.x) && std::isfinite(w.y);
    if (kind_ == PostScriptWriter::KIND_SEGMENTS) {
        if (!havePending_) {
            pending_ = w;
            pendingFinite_ = finite;
            havePending_ = true;
            return;
        }
        havePending_ = false;
        if (!pendingFinite_ || !finite) return;
        writer_.AddVertex(pending_.x, pending_.y);
        writer_.AddVertex(w.x, w.y);
    } else if (finite) {
        writer_.AddVertex(w.x, w.y);
        ++run_;
    } else if (kind_ == PostScriptWriter::KIND_POLYLINE && run_ > 0) {
        writer_.EndPrimitive();
        writer_.BeginPrimitive(kind_);
        run_ = 0;
    }
}

void PsSurface::end() {
    writer_.EndPrimitive();
    kind_ = PostScriptWriter::KIND_POINTS;
}

void PsSurface::setClipRect(const RectF& rect) {
    clearClip();
    const PointF a = toWindow(rect.left, rect.bottom), b = toWindow(rect.right, rect.top);
    writer_.SaveState();  // kept even without a clip: clearClip restores it
    if (Finite(a, b)) writer_.ClipRect(a.x, b.x, a.y, b.y);
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

bool PsSurface::Finite(PointF a, PointF b) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y);
}

float PsSurface::strokeText(const std::string& text, PointF origin, double, double sy) {
    if (text.empty()) return 0.0f;
    const PointF base = toWindow(origin.x, origin.y);
    const PointF top = toWindow(origin.x, origin.y + kCapitalUnits * sy);
    if (!Finite(base, top)) return strokeTextWidth(text);
    const double capital = std::fabs(top.y - base.y);
    writer_.SetFont(kPageFont, std::max(1, int(std::lround(capital / kCapitalPerEm))));
    writer_.MoveTo(base.x, base.y);
    writer_.ShowText(text, 0, 0);
    return strokeTextWidth(text);
}

float PsSurface::strokeTextWidth(const std::string& text) const { return StrokeFont::Width(text); }

// Bitmaps have no place on the vector page: labels are drawn from their
// expression layout there instead.
PixelSize PsSurface::equationImage(const std::string&, PointF) { return {}; }

void PsSurface::circle(PointF centre, double radius, bool filled) {
    const PointF c = toWindow(centre.x, centre.y), edge = toWindow(centre.x + radius, centre.y);
    if (!Finite(c, edge)) return;
    writer_.DrawCircle(c.x, c.y, std::fabs(edge.x - c.x), filled);
}

void PsSurface::arc(PointF centre, double radius, double startDegrees, double endDegrees) {
    const PointF c = toWindow(centre.x, centre.y), edge = toWindow(centre.x + radius, centre.y);
    if (!Finite(c, edge) || !std::isfinite(startDegrees) || !std::isfinite(endDegrees)) return;
    writer_.DrawArc(c.x, c.y, std::fabs(edge.x - c.x), float(startDegrees), float(endDegrees));
}
