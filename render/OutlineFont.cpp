// SPDX-License-Identifier: MIT
#include "render/OutlineFont.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

#include <QtCore/QCoreApplication>
#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainterPath>

#include "render/GL.h"

namespace {

constexpr int kLists = 256;
constexpr int kGlyphs = 255;  // 0 … 254; the last list stays empty

QFont OutlineFace(int pixelHeight) {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif"), QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif, QFont::ForceOutline);
    font.setItalic(true);
    font.setWeight(QFont::Normal);
    font.setPixelSize(pixelHeight);
    return font;
}

// Vertices the tessellator invents where contours cross live until the list is closed.
struct Tessellation {
    std::deque<std::array<GLdouble, 3>> extra;
};

void GLAPIENTRY OnBegin(GLenum type) { glBegin(type); }
void GLAPIENTRY OnVertex(void* data) { glVertex3dv(static_cast<const GLdouble*>(data)); }
void GLAPIENTRY OnEnd() { glEnd(); }
void GLAPIENTRY OnCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* user) {
    auto* t = static_cast<Tessellation*>(user);
    t->extra.push_back({coords[0], coords[1], coords[2]});
    *out = t->extra.back().data();
}

using TessCallback = void(GLAPIENTRY*)();

// Fills the current display list with the glyph's outline, in ems with y up.
void TessellateGlyph(GLUtesselator* tess, const QPainterPath& path, double em) {
    const QList<QPolygonF> contours = path.toSubpathPolygons();
    if (contours.isEmpty()) return;
    std::vector<std::array<GLdouble, 3>> points;
    size_t total = 0;
    for (const QPolygonF& c : contours) total += size_t(c.size());
    points.reserve(total);  // no reallocation: the tessellator keeps pointers
    Tessellation extra;
    gluTessBeginPolygon(tess, &extra);
    for (const QPolygonF& c : contours) {
        gluTessBeginContour(tess);
        for (const QPointF& p : c) {
            points.push_back({p.x() / em, -p.y() / em, 0.0});
            gluTessVertex(tess, points.back().data(), points.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
}

}  // namespace

OutlineFont::~OutlineFont() { destroy(); }

bool OutlineFont::create(double dpiY) {
    destroy();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    if (!std::isfinite(dpiY) || dpiY <= 0) dpiY = 96.0;
    // A 10-point font: MulDiv(10, pixels per inch, 72).
    pixelHeight_ = std::max(1, int(std::lround(10.0 * dpiY / 72.0)));
    const GLuint base = glGenLists(kLists);
    if (base == 0) return false;
    GLUtesselator* tess = gluNewTess();
    if (!tess) {
        glDeleteLists(base, kLists);
        return false;
    }
    gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<TessCallback>(&OnBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX, reinterpret_cast<TessCallback>(&OnVertex));
    gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<TessCallback>(&OnEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(&OnCombine));
    // Glyph outlines fill by the non-zero rule.
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);

    const QFont font = OutlineFace(pixelHeight_);
    const QFontMetricsF fm(font);
    const double em = pixelHeight_;
    for (int code = 0; code < kGlyphs; ++code) {
        const QString text{QChar(char16_t(code))};
        const bool printable = code >= 32 && !(code >= 127 && code < 160);
        QPainterPath path;
        if (printable) path.addText(0, 0, font, text);
        GlyphMetrics& m = metrics_[size_t(code)];
        m.advance = printable ? float(fm.horizontalAdvance(text) / em) : 0.0f;
        const QRectF ink = path.boundingRect();
        m.blackBoxWidth = float(ink.width() / em);
        m.blackBoxHeight = float(ink.height() / em);
        m.originX = float(ink.left() / em);
        m.originY = float(-ink.top() / em);
        glNewList(base + GLuint(code), GL_COMPILE);
        TessellateGlyph(tess, path, em);
        glTranslatef(m.advance, 0.0f, 0.0f);
        glEndList();
    }
    glNewList(base + kGlyphs, GL_COMPILE);
    glEndList();
    gluDeleteTess(tess);
    listBase_ = base;
    created_ = true;
    return true;
}

void OutlineFont::destroy() {
    if (!created_) return;
    glDeleteLists(listBase_, kLists);
    listBase_ = 0;
    created_ = false;
}

void DrawOutlineText(const OutlineFont& font, const char* format, ...) {
    if (!format || !font.created()) return;
    char text[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n <= 0) return;
    const GLsizei length = GLsizei(std::strlen(text));
    glPushAttrib(GL_LIST_BIT);
    glListBase(font.listBase());
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
