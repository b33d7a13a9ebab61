// SPDX-License-Identifier: MIT
#include "render/GlSurface.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/GL.h"
#include "render/StrokeFont.h"
#include "render/Typesetter.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// Segments of a full circle: smooth at marker and label sizes.
constexpr int kCircleSegments = 48;
// Arrow heads in pixels per unit of line width, the proportions of the
// PostScript arrow procedure (head length 6·w, head width 3·w).
constexpr double kHeadLength = 6.0;
constexpr double kHeadHalfWidth = 1.5;

GLenum glMode(Surface::Primitive primitive)
{
    switch (primitive) {
    case Surface::Primitive::Points: return GL_POINTS;
    case Surface::Primitive::Lines: return GL_LINES;
    case Surface::Primitive::LineStrip: return GL_LINE_STRIP;
    case Surface::Primitive::LineLoop: return GL_LINE_LOOP;
    case Surface::Primitive::Triangles: return GL_TRIANGLES;
    case Surface::Primitive::TriangleStrip: return GL_TRIANGLE_STRIP;
    case Surface::Primitive::TriangleFan: return GL_TRIANGLE_FAN;
    case Surface::Primitive::Polygon: return GL_POLYGON;
    }
    return GL_POINTS;
}

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

GlSurface::GlSurface()
{
    StrokeFont::EnsureHandlers();
}

void GlSurface::setTypesetter(Typesetter typesetter)
{
    typesetter_ = std::move(typesetter);
}

void GlSurface::setColor(const ColorF& color)
{
    glColor4f(color.r, color.g, color.b, color.a);
}

void GlSurface::setPointSize(float size)
{
    glPointSize(size);
}

void GlSurface::setLineWidth(float width)
{
    lineWidth_ = width;
    // Widths are logical pixels: as thick on a HiDPI screen as on any other.
    glLineWidth(float(width * ratio_));
}

void GlSurface::setStipple(int factor, uint16_t pattern)
{
    if (pattern == kSolid) {
        glDisable(GL_LINE_STIPPLE);
        return;
    }
    glLineStipple(std::clamp(int(std::lround(factor * ratio_)), 1, 256), pattern);
    glEnable(GL_LINE_STIPPLE);
}

void GlSurface::setArrows(bool arrows)
{
    arrows_ = arrows;
}

bool GlSurface::collectsArrows(Primitive primitive) const
{
    return arrows_ && (primitive == Primitive::Lines || primitive == Primitive::LineStrip ||
                       primitive == Primitive::LineLoop);
}

void GlSurface::begin(Primitive primitive)
{
    // As in the PostScript writer, a begin while a primitive is open adds the
    // following vertices to the open one (GL would reject a nested glBegin).
    if (open_)
        return;
    open_ = true;
    openPrimitive_ = primitive;
    collecting_ = collectsArrows(primitive);
    if (collecting_)
        collected_.clear();
    else
        glBegin(glMode(primitive));
}

void GlSurface::vertex(double x, double y)
{
    // A vertex outside begin/end has no meaning in OpenGL; it is dropped.
    if (!open_)
        return;
    if (collecting_)
        collected_.push_back({x, y});
    else
        glVertex2d(x, y);
}

void GlSurface::end()
{
    if (!open_)
        return;
    open_ = false;
    if (collecting_) {
        drawArrows();
        collected_.clear();
        collecting_ = false;
    } else {
        glEnd();
    }
}

void GlSurface::drawArrows()
{
    const std::vector<Vertex>& v = collected_;
    if (openPrimitive_ == Primitive::Lines) {
        for (size_t i = 0; i + 1 < v.size(); i += 2)
            drawArrow(v[i], v[i + 1]);
        return;
    }
    for (size_t i = 0; i + 1 < v.size(); ++i)
        drawArrow(v[i], v[i + 1]);
    if (openPrimitive_ == Primitive::LineLoop && v.size() > 2)
        drawArrow(v.back(), v.front());
}

void GlSurface::drawArrow(const Vertex& tail, const Vertex& tip)
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
    const double width = std::max(1.0f, lineWidth_) * ratio_;  // device pixels
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
        glBegin(GL_LINES);
        glVertex2d(tail.x, tail.y);
        glVertex2d(baseX, baseY);
        glEnd();
    }
    glBegin(GL_TRIANGLES);
    glVertex2d(leftX, leftY);
    glVertex2d(tip.x, tip.y);
    glVertex2d(rightX, rightY);
    glEnd();
}

void GlSurface::setClipRect(const RectF& rect)
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

void GlSurface::clearClip()
{
    for (int i = 0; i < 4; ++i)
        glDisable(GL_CLIP_PLANE0 + i);
}

void GlSurface::pushTransform(double dx, double dy, double sx, double sy)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(dx, dy, 0.0);
    glScaled(sx, sy, 1.0);
}

void GlSurface::popTransform()
{
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

float GlSurface::strokeText(const std::string& text, PointF origin, double sx, double sy)
{
    // Glyphs are primitives of their own: none can start inside an open one.
    if (open_)
        return StrokeFont::Width(text);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslated(origin.x, origin.y, 0.0);
    glScaled(sx, sy, 1.0);
    // No glutInit (it needs a display): the handlers keep freeglut's
    // "not initialised" report from ending the process, and it then draws.
    StrokeFont::EnsureHandlers();
    for (unsigned char c : text)
        glutStrokeCharacter(GLUT_STROKE_ROMAN, c);
    glPopMatrix();
    return StrokeFont::Width(text);
}

float GlSurface::strokeTextWidth(const std::string& text) const
{
    return StrokeFont::Width(text);
}

void GlSurface::setDevicePixelRatio(double ratio)
{
    ratio_ = std::isfinite(ratio) && ratio > 0 ? ratio : 1.0;
}

std::shared_ptr<const LabelBitmap> GlSurface::label(const std::string& latex)
{
    if (latex.empty())
        return nullptr;
    if (!typesetter_)
        return ::Typesetter::Typeset(latex, ::Typesetter::kLabelSize, ratio_);
    auto bitmap = std::make_shared<LabelBitmap>();
    if (!typesetter_(latex, bitmap->width, bitmap->height, bitmap->coverage) || bitmap->width <= 0 ||
        bitmap->height <= 0 ||
        bitmap->coverage.size() < static_cast<size_t>(bitmap->width) * static_cast<size_t>(bitmap->height))
        return nullptr;
    return bitmap;
}

PixelSize GlSurface::equationImageSize(const std::string& latex)
{
    const std::shared_ptr<const LabelBitmap> bitmap = label(latex);
    if (!bitmap)
        return {};
    // Logical pixels: the label covers the same part of the graph at any ratio.
    return {int(std::lround(bitmap->width / ratio_)), int(std::lround(bitmap->height / ratio_))};
}

PixelSize GlSurface::equationImage(const std::string& latex, PointF corner)
{
    if (open_)
        return {};
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

double GlSurface::yUnitsPerXUnit() const
{
    const WindowMapping map;
    double ox = 0, oy = 0, oz = 0, xx = 0, xy = 0, xz = 0, yx = 0, yy = 0, yz = 0;
    if (!map.toWindow(0.0, 0.0, ox, oy, oz) || !map.toWindow(1.0, 0.0, xx, xy, xz) ||
        !map.toWindow(0.0, 1.0, yx, yy, yz))
        return 1.0;
    const double ratio = std::hypot(xx - ox, xy - oy) / std::hypot(yx - ox, yy - oy);
    return std::isfinite(ratio) && ratio > 0.0 ? ratio : 1.0;
}

void GlSurface::ellipsePath(PointF centre, double rx, double ry, double startRadians,
                            double sweepRadians, int segments)
{
    for (int i = 0; i <= segments; ++i) {
        const double t = startRadians + sweepRadians * i / segments;
        glVertex2d(centre.x + rx * std::cos(t), centre.y + ry * std::sin(t));
    }
}

void GlSurface::circle(PointF centre, double radius, bool filled)
{
    if (open_)
        return;
    // Round in window pixels, as the PostScript circle is: the y radius is
    // the x radius measured on screen (read before glBegin, where GL state
    // cannot be queried).
    const double ry = radius * yUnitsPerXUnit();
    // The path's last vertex repeats its first; loop and polygon close anyway.
    glBegin(filled ? GL_POLYGON : GL_LINE_LOOP);
    ellipsePath(centre, radius, ry, 0.0, 2.0 * kPi, kCircleSegments);
    glEnd();
}

void GlSurface::arc(PointF centre, double radius, double startDegrees, double endDegrees)
{
    if (open_ || !std::isfinite(startDegrees) || !std::isfinite(endDegrees))
        return;
    // Counter-clockwise as PostScript's arc: an end below the start goes round once more.
    double sweep = endDegrees - startDegrees;
    if (sweep >= 360.0)
        sweep = 360.0;
    else if (sweep < 0.0)
        sweep = std::fmod(sweep, 360.0) + 360.0;
    const int segments = std::max(1, int(std::ceil(kCircleSegments * sweep / 360.0)));
    const double ry = radius * yUnitsPerXUnit();
    glBegin(GL_LINE_STRIP);
    ellipsePath(centre, radius, ry, startDegrees * kPi / 180.0, sweep * kPi / 180.0, segments);
    glEnd();
}
