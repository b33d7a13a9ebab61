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
    writer_.BeginPrimitive(kKinds[int(primitive)]);
}

void PsSurface::vertex(double x, double y) {
    const PointF w = toWindow(x, y);
    writer_.AddVertex(w.x, w.y);
}

void PsSurface::end() { writer_.EndPrimitive(); }

void PsSurface::setClipRect(const RectF& rect) {
    clearClip();
    const PointF a = toWindow(rect.left, rect.bottom), b = toWindow(rect.right, rect.top);
    writer_.SaveState();
    writer_.ClipRect(a.x, b.x, a.y, b.y);
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
    const PointF base = toWindow(origin.x, origin.y);
    const PointF top = toWindow(origin.x, origin.y + kCapitalUnits * sy);
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
    writer_.DrawCircle(c.x, c.y, std::fabs(edge.x - c.x), filled);
}

void PsSurface::arc(PointF centre, double radius, double startDegrees, double endDegrees) {
    const PointF c = toWindow(centre.x, centre.y), edge = toWindow(centre.x + radius, centre.y);
    writer_.DrawArc(c.x, c.y, std::fabs(edge.x - c.x), float(startDegrees), float(endDegrees));
}
