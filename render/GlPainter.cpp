// SPDX-License-Identifier: MIT
#include "render/GlPainter.h"

#include <algorithm>
#include <array>
#include <list>
#include <cmath>
#include <utility>

#include "render/GL.h"
#include "render/StrokeFont.h"
#include "render/Typesetter.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Segments of a full circle: smooth at marker and label sizes.
constexpr int kCircleSegments = 48;
// Horizontal shift per unit of height of a slanted glyph.
constexpr double kItalicSlant = 0.2;
// Corners of a marker disc: round at marker sizes, and cheap by the thousand.
constexpr int kDiscCorners = 12;
// Arrow heads in pixels per unit of line width, the proportions of the
// PostScript arrow procedure (head length 6·w, head width 3·w).
constexpr double kHeadLength = 6.0;
constexpr double kHeadHalfWidth = 1.5;

// The current model-view, projection and viewport, for moving points between
// graph units and window pixels. Read outside glBegin/glEnd only.
struct WindowMapping {
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];

    WindowMapping()
    {
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    bool toWindow(double x, double y, double& wx, double& wy, double& wz) const
    {
        return gluProject(x, y, 0.0, modelview, projection, viewport, &wx, &wy, &wz) == GL_TRUE;
    }
    bool toGraph(double wx, double wy, double wz, double& x, double& y) const
    {
        GLdouble z = 0.0;
        return gluUnProject(wx, wy, wz, modelview, projection, viewport, &x, &y, &z) == GL_TRUE;
    }
};

}  // namespace

GlPainter::GlPainter()
{
    StrokeFont::EnsureHandlers();
}

void GlPainter::setTypesetter(Typesetter typesetter)
{
    typesetter_ = std::move(typesetter);
}

void GlPainter::StippleOf(const Pen& pen, int& factor, uint16_t& pattern)
{
    factor = 1;
    pattern = kSolid;
    double total = 0;
    for (float d : pen.dashes) total += std::max(0.0f, d);
    if (pen.solid() || !(total > 0) || !std::isfinite(total))
        return;
    // Sixteen bits must hold the whole pattern: each bit covers total/16 pixels.
    factor = std::max(1, int(std::lround(total / 16)));
    pattern = 0;
    long bit = std::lround(pen.dashOffset / factor);
    for (size_t i = 0; i < pen.dashes.size(); ++i) {
        const long run = std::lround(std::max(0.0f, pen.dashes[i]) / factor);
        for (long k = 0; k < run && k < 16; ++k)
            if (i % 2 == 0)
                pattern |= uint16_t(1u << ((bit + k) % 16));
        bit += run;
    }
    if (pattern == 0)
        pattern = kSolid;
}

void GlPainter::setPen(const Pen& pen)
{
    glColor4f(pen.color.r, pen.color.g, pen.color.b, pen.color.a);
    lineWidth_ = pen.width;
    // Widths are logical pixels: as thick on a HiDPI screen as on any other.
    glLineWidth(float(pen.width * sizeScale()));
    int factor = 1;
    uint16_t pattern = kSolid;
    StippleOf(pen, factor, pattern);
    if (pattern == kSolid) {
        glDisable(GL_LINE_STIPPLE);
        return;
    }
    glLineStipple(std::clamp(int(std::lround(factor * sizeScale())), 1, 256), pattern);
    glEnable(GL_LINE_STIPPLE);
}

void GlPainter::draw(unsigned mode, std::span<const PointF> points)
{
    if (points.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(PointF), points.data());
    glDrawArrays(GLenum(mode), 0, GLsizei(points.size()));
    glDisableClientState(GL_VERTEX_ARRAY);
}

void GlPainter::polyline(std::span<const PointF> points, bool closed)
{
    draw(closed ? GL_LINE_LOOP : GL_LINE_STRIP, points);
}

void GlPainter::segments(std::span<const PointF> ends)
{
    draw(GL_LINES, ends.first(ends.size() & ~size_t(1)));
}

void GlPainter::fillPolygon(std::span<const PointF> corners)
{
    draw(GL_POLYGON, corners);
}

namespace {

// Whether a ring turns left at every corner (straight on allowed) and encloses
// something: a fan from its first corner then covers it exactly.
bool ConvexCounterClockwise(const std::vector<PointF>& ring)
{
    const size_t n = ring.size();
    if (n < 3)
        return false;
    double area = 0;
    for (size_t i = 0; i < n; ++i) {
        const PointF& a = ring[i];
        const PointF& b = ring[(i + 1) % n];
        const PointF& c = ring[(i + 2) % n];
        const double turn = double(b.x - a.x) * (c.y - b.y) - double(b.y - a.y) * (c.x - b.x);
        if (turn < 0 || !std::isfinite(turn))
            return false;
        area += double(a.x) * b.y - double(b.x) * a.y;
    }
    return area > 0;
}

struct Tessellation {
    std::vector<PointF>* triangles;
    std::list<std::array<GLdouble, 3>> made;  // vertices the tessellator added where edges cross
};

void TessVertex(void* vertex, void* data)
{
    const auto* v = static_cast<const GLdouble*>(vertex);
    static_cast<Tessellation*>(data)->triangles->emplace_back(float(v[0]), float(v[1]));
}

void TessCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* data)
{
    auto& made = static_cast<Tessellation*>(data)->made;
    made.push_back({coords[0], coords[1], coords[2]});
    *out = made.back().data();
}

// With an edge-flag callback the tessellator gives separate triangles only.
void TessEdgeFlag(GLboolean, void*) {}
void TessBegin(GLenum, void*) {}
void TessEnd(void*) {}

}  // namespace

void GlPainter::Tessellate(const std::vector<std::vector<PointF>>& rings, std::vector<PointF>& triangles)
{
    GLUtesselator* tess = gluNewTess();
    if (!tess)
        return;
    using Callback = void (*)();
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(&TessVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(&TessCombine));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Callback>(&TessEdgeFlag));
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(&TessBegin));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<Callback>(&TessEnd));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);
    // The tessellator keeps pointers to the vertices until the polygon ends.
    std::vector<std::array<GLdouble, 3>> vertices;
    size_t total = 0;
    for (const auto& ring : rings)
        total += ring.size();
    vertices.reserve(total);
    Tessellation data{&triangles, {}};
    gluTessBeginPolygon(tess, &data);
    for (const auto& ring : rings) {
        gluTessBeginContour(tess);
        for (const PointF& p : ring) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                continue;
            vertices.push_back({p.x, p.y, 0.0});
            gluTessVertex(tess, vertices.back().data(), vertices.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    triangles.resize(triangles.size() - triangles.size() % 3);
}

void GlPainter::fillRegion(const std::vector<std::vector<PointF>>& rings)
{
    // Regions are mostly strips of convex quadrilaterals: fans, in one call.
    const bool simple = std::all_of(rings.begin(), rings.end(), ConvexCounterClockwise);
    scratch_.clear();
    if (simple) {
        for (const auto& ring : rings)
            for (size_t i = 1; i + 1 < ring.size(); ++i) {
                scratch_.push_back(ring[0]);
                scratch_.push_back(ring[i]);
                scratch_.push_back(ring[i + 1]);
            }
    } else {
        Tessellate(rings, scratch_);
    }
    draw(GL_TRIANGLES, scratch_);
}

void GlPainter::dots(std::span<const PointF> points, float diameter)
{
    glPointSize(float(diameter * sizeScale()));
    draw(GL_POINTS, points);
    glPointSize(1.0f);
}

void GlPainter::arrows(std::span<const PointF> ends)
{
    for (size_t i = 0; i + 1 < ends.size(); i += 2)
        drawArrow(ends[i], ends[i + 1]);
}

void GlPainter::drawArrow(PointF tail, PointF tip)
{
    // The head is built in window pixels so that it keeps its size and shape
    // at any zoom and on an anisotropic graph, then mapped back to graph units.
    const WindowMapping map;
    double tx = 0, ty = 0, tz = 0, hx = 0, hy = 0, hz = 0;
    if (!map.toWindow(tail.x, tail.y, tx, ty, tz) || !map.toWindow(tip.x, tip.y, hx, hy, hz))
        return;
    const double dx = hx - tx;
    const double dy = hy - ty;
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    const double ux = dx / length;
    const double uy = dy / length;
    const double width = std::max(1.0f, lineWidth_) * sizeScale();  // device pixels
    const double headLength = std::min(kHeadLength * width, length);
    const double halfWidth = kHeadHalfWidth * width;
    const double bx = hx - ux * headLength;
    const double by = hy - uy * headLength;

    double baseX = 0, baseY = 0, leftX = 0, leftY = 0, rightX = 0, rightY = 0;
    if (!map.toGraph(bx, by, hz, baseX, baseY) ||
        !map.toGraph(bx - uy * halfWidth, by + ux * halfWidth, hz, leftX, leftY) ||
        !map.toGraph(bx + uy * halfWidth, by - ux * halfWidth, hz, rightX, rightY))
        return;
    // The shaft stops at the head's base so a thick line cannot poke past the tip.
    if (headLength < length) {
        const PointF shaft[] = {tail, PointF(float(baseX), float(baseY))};
        draw(GL_LINES, shaft);
    }
    const PointF head[] = {PointF(float(leftX), float(leftY)), tip, PointF(float(rightX), float(rightY))};
    draw(GL_TRIANGLES, head);
}

void GlPainter::discs(std::span<const PointF> centres, double radius, bool filled)
{
    // The disc's corners on the unit circle, worked out once: a graph full of
    // markers would otherwise take two sines for every corner of every repaint.
    struct Corner {
        double cos, sin;
    };
    static const std::vector<Corner> kCorners = [] {
        std::vector<Corner> corners;
        for (int i = 0; i < kDiscCorners; ++i)
            corners.push_back({std::cos(2 * kPi * i / kDiscCorners), std::sin(2 * kPi * i / kDiscCorners)});
        return corners;
    }();
    if (centres.empty() || !std::isfinite(radius))
        return;
    const double rx = std::fabs(radius), ry = std::fabs(radius * yUnitsPerXUnit());
    // Discs wholly outside the view are left out before they cost their
    // corners; each disc is its centre and its corners once, shared by its
    // triangles (or rim segments) through an index list.
    double left = -HUGE_VAL, right = HUGE_VAL, bottom = -HUGE_VAL, top = HUGE_VAL;
    const WindowMapping map;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (map.toGraph(map.viewport[0], map.viewport[1], 0.5, x0, y0) &&
        map.toGraph(map.viewport[0] + map.viewport[2], map.viewport[1] + map.viewport[3], 0.5, x1, y1)) {
        left = std::min(x0, x1) - rx;
        right = std::max(x0, x1) + rx;
        bottom = std::min(y0, y1) - ry;
        top = std::max(y0, y1) + ry;
    }
    const unsigned n = unsigned(kCorners.size());
    scratch_.clear();
    indices_.clear();
    for (const PointF& c : centres) {
        if (!(c.x >= left && c.x <= right && c.y >= bottom && c.y <= top))
            continue;
        const unsigned base = unsigned(scratch_.size());
        scratch_.push_back(c);
        for (const Corner& k : kCorners)
            scratch_.emplace_back(float(c.x + rx * k.cos), float(c.y + ry * k.sin));
        for (unsigned i = 0; i < n; ++i) {
            if (filled)
                indices_.push_back(base);
            indices_.push_back(base + 1 + i);
            indices_.push_back(base + 1 + (i + 1) % n);
        }
    }
    if (indices_.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(PointF), scratch_.data());
    glDrawElements(filled ? GL_TRIANGLES : GL_LINES, GLsizei(indices_.size()), GL_UNSIGNED_INT, indices_.data());
    glDisableClientState(GL_VERTEX_ARRAY);
}

void GlPainter::setClipRect(const RectF& rect)
{
    const double left = std::min(rect.left, rect.right);
    const double right = std::max(rect.left, rect.right);
    const double bottom = std::min(rect.top, rect.bottom);
    const double top = std::max(rect.top, rect.bottom);
    // Each plane keeps the points where a·x + b·y + c·z + d ≥ 0, in the
    // coordinates of the model-view current now.
    const GLdouble planes[4][4] = {
        {1.0, 0.0, 0.0, -left},
        {-1.0, 0.0, 0.0, right},
        {0.0, 1.0, 0.0, -bottom},
        {0.0, -1.0, 0.0, top},
    };
    for (int i = 0; i < 4; ++i) {
        glClipPlane(GL_CLIP_PLANE0 + i, planes[i]);
        glEnable(GL_CLIP_PLANE0 + i);
    }
}

void GlPainter::clearClip()
{
    for (int i = 0; i < 4; ++i)
        glDisable(GL_CLIP_PLANE0 + i);
}

void GlPainter::pushTransform(double dx, double dy, double sx, double sy)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(dx, dy, 0.0);
    glScaled(sx, sy, 1.0);
}

void GlPainter::popTransform()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

float GlPainter::text(const std::string& text, PointF origin, double sx, double sy, TextStyle style)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(origin.x, origin.y, 0.0);
    glScaled(sx, sy, 1.0);
    if (style == TextStyle::Italic) {
        // The stroke font has no italic: its glyphs are slanted by about 11°.
        const GLdouble shear[16] = {1, 0, 0, 0, kItalicSlant, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        glMultMatrixd(shear);
    }
    // No glutInit (it needs a display): the handlers keep freeglut's
    // "not initialised" report from ending the process, and it then draws.
    StrokeFont::EnsureHandlers();
    for (unsigned char c : text)
        glutStrokeCharacter(GLUT_STROKE_ROMAN, c);
    glPopMatrix();
    return StrokeFont::Width(text);
}

float GlPainter::strokeTextWidth(const std::string& text) const
{
    return StrokeFont::Width(text);
}

void GlPainter::setDevicePixelRatio(double ratio)
{
    ratio_ = std::isfinite(ratio) && ratio > 0 ? ratio : 1.0;
}

void GlPainter::setMagnification(double factor)
{
    magnification_ = std::isfinite(factor) && factor > 0 ? factor : 1.0;
}

std::shared_ptr<const LabelBitmap> GlPainter::label(const std::string& latex)
{
    if (latex.empty())
        return nullptr;
    if (!typesetter_)
        // Typeset at the device pixels a magnified label covers; measured in
        // logical pixels (below) it is then magnified too.
        return ::Typesetter::Typeset(latex, ::Typesetter::kLabelSize, sizeScale());
    auto bitmap = std::make_shared<LabelBitmap>();
    if (!typesetter_(latex, bitmap->width, bitmap->height, bitmap->coverage) || bitmap->width <= 0 ||
        bitmap->height <= 0 ||
        bitmap->coverage.size() < static_cast<size_t>(bitmap->width) * static_cast<size_t>(bitmap->height))
        return nullptr;
    return bitmap;
}

PixelSize GlPainter::equationImageSize(const std::string& latex)
{
    const std::shared_ptr<const LabelBitmap> bitmap = label(latex);
    if (!bitmap)
        return {};
    // Logical pixels: the label covers the same part of the graph at any ratio.
    return {int(std::lround(bitmap->width / ratio_)), int(std::lround(bitmap->height / ratio_))};
}

PixelSize GlPainter::equationImage(const std::string& latex, PointF corner)
{
    const std::shared_ptr<const LabelBitmap> bitmap = label(latex);
    if (!bitmap)
        return {};
    const int width = bitmap->width;
    const int height = bitmap->height;
    const unsigned char* coverage = bitmap->coverage.data();

    // Coverage becomes black ink (an ALPHA image converts to RGBA 0, 0, 0, a)
    // blended over the graph; the caller's blending and unpacking state is kept.
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glRasterPos2d(corner.x, corner.y);
    glDrawPixels(width, height, GL_ALPHA, GL_UNSIGNED_BYTE, coverage);
    glPopClientAttrib();
    glPopAttrib();
    return {int(std::lround(width / ratio_)), int(std::lround(height / ratio_))};
}

double GlPainter::yUnitsPerXUnit() const
{
    const WindowMapping map;
    double ox = 0, oy = 0, oz = 0, xx = 0, xy = 0, xz = 0, yx = 0, yy = 0, yz = 0;
    if (!map.toWindow(0.0, 0.0, ox, oy, oz) || !map.toWindow(1.0, 0.0, xx, xy, xz) ||
        !map.toWindow(0.0, 1.0, yx, yy, yz))
        return 1.0;
    const double ratio = std::hypot(xx - ox, xy - oy) / std::hypot(yx - ox, yy - oy);
    return std::isfinite(ratio) && ratio > 0.0 ? ratio : 1.0;
}

std::vector<PointF> GlPainter::ellipsePath(PointF centre, double rx, double ry, double startRadians,
                                          double sweepRadians, int segments)
{
    std::vector<PointF> path;
    path.reserve(size_t(segments) + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = startRadians + sweepRadians * i / segments;
        path.emplace_back(float(centre.x + rx * std::cos(t)), float(centre.y + ry * std::sin(t)));
    }
    return path;
}

void GlPainter::circle(PointF centre, double radius, bool filled)
{
    // Round in window pixels, as the PostScript circle is: the y radius is
    // the x radius measured on screen. The path's last vertex repeats its
    // first; loop and polygon close anyway.
    const double ry = radius * yUnitsPerXUnit();
    draw(filled ? GL_POLYGON : GL_LINE_LOOP, ellipsePath(centre, radius, ry, 0.0, 2.0 * kPi, kCircleSegments));
}

void GlPainter::arc(PointF centre, double radius, double startDegrees, double endDegrees)
{
    if (!std::isfinite(startDegrees) || !std::isfinite(endDegrees))
        return;
    // Counter-clockwise as PostScript's arc: an end below the start goes round once more.
    double sweep = endDegrees - startDegrees;
    if (sweep >= 360.0)
        sweep = 360.0;
    else if (sweep < 0.0)
        sweep = std::fmod(sweep, 360.0) + 360.0;
    const int segments = std::max(1, int(std::ceil(kCircleSegments * sweep / 360.0)));
    const double ry = radius * yUnitsPerXUnit();
    draw(GL_LINE_STRIP, ellipsePath(centre, radius, ry, startDegrees * kPi / 180.0, sweep * kPi / 180.0, segments));
}
