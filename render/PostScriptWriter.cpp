// SPDX-License-Identifier: MIT
#include "render/PostScriptWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

#include <QtGui/QPainterPath>

#include "core/AtomicFile.h"

namespace {

constexpr float kPointRadius = 3.0f;


const char* const kArrowProcedure =
    "%-----------------------------\n"
    "% Arrow Procedure\n"
    "%-----------------------------\n"
    "/arrowdict 14 dict def\n"
    "arrowdict begin\n"
    "  /mtrx matrix def\n"
    "end\n"
    "/arrow\n"
    "{\n"
    "  arrowdict begin\n"
    "    /headlength exch def\n"
    "    /halfheadthickness exch 2 div def\n"
    "    /halfthickness exch 2 div def\n"
    "    /tipy exch def /tipx exch def\n"
    "    /taily exch def /tailx exch def\n"
    "    /dx tipx tailx sub def\n"
    "    /dy tipy taily sub def\n"
    "    /arrowlength dx dx mul dy dy mul add sqrt def\n"
    "    /angle dy dx atan def\n"
    "    /base arrowlength headlength sub def\n"
    "    /savematrix mtrx currentmatrix def\n"
    "    tailx taily translate\n"
    "    angle rotate\n"
    "    0 halfthickness neg moveto\n"
    "    base halfthickness neg lineto\n"
    "    base halfheadthickness neg lineto\n"
    "    arrowlength 0 lineto\n"
    "    base halfheadthickness lineto\n"
    "    base halfthickness lineto\n"
    "    0 halfthickness lineto\n"
    "    closepath\n"
    "    savematrix setmatrix\n"
    "    end\n"
    "} def\n\n";

const char* const kAlignProcedures =
    "%-----------------------------\n"
    "% Text Align Proedures\n"
    "%-----------------------------\n"
    "/hrightalign\n"
    "{\n"
    "  dup stringwidth pop\n"
    "  0 exch sub\n"
    "  0 rmoveto\n"
    "} def\n"
    "/hcenteralign\n"
    "{\n"
    "  dup stringwidth pop\n"
    "  0 exch sub\n"
    "  2 div\n"
    "  0 rmoveto\n"
    "} def\n"
    "/vbottomalign\n"
    "{\n"
    "  dup\n"
    "  false charpath\n"
    "  pathbbox\n"
    "  exch pop sub\n"
    "  exch pop\n"
    "  0 exch rmoveto\n"
    "  hrightalign\n"
    "} def\n"
    "/vcenteralign\n"
    "{\n"
    "  dup\n"
    "  false charpath\n"
    "  pathbbox\n"
    "  exch pop sub 2 div\n"
    "  exch pop\n"
    "  0 exch rmoveto\n"
    "  hrightalign\n"
    "} def\n\n";

// A PostScript string literal: backslashes and parentheses escaped, so any
// text (an equation with brackets, say) stays one well-formed string.
std::string Literal(const std::string& text) {
    std::string out = "(";
    for (char c : text) {
        if (c == '\\' || c == '(' || c == ')') out += '\\';
        out += c;
    }
    return out + ")";
}

}  // namespace

PostScriptWriter& PostScriptWriter::Instance() {
    static PostScriptWriter writer;
    return writer;
}

void PostScriptWriter::Piece(std::string& out, double v) {
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    out.append(buf, result.ptr);
}

void PostScriptWriter::Piece(std::string& out, Hundredths h) {
    const double v = std::round(h.value * 100) / 100;
    // Past this a fixed-point number gets long; %g's form says it shorter.
    if (!(std::fabs(v) < 1e9)) return Piece(out, h.value);
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, v == 0 ? 0.0 : v, std::chars_format::fixed, 2);
    char* end = result.ptr;
    while (end[-1] == '0') --end;  // "12.50" → "12.5", "12.00" → "12."
    if (end[-1] == '.') --end;
    out.append(buf, end);
}

void PostScriptWriter::BeginPrimitive(int kind) {
    // A primitive begun inside another joins it; points count as nothing open.
    if (kind_ == KIND_POINTS) kind_ = kind;
}

void PostScriptWriter::AddVertex(float x, float y) { vertices_.push_back({x, y}); }

void PostScriptWriter::AddGraphVertex(double x, double y, const Projection& projection) {
    double wx = 0, wy = 0;
    if (projection.Project(x, y, 0, wx, wy)) AddVertex(float(wx), float(wy));
}

void PostScriptWriter::EmitTriangle(const Vertex& a, const Vertex& b, const Vertex& c) {
    Put("newpath\n", a.x, ' ', a.y, " moveto\n", b.x, ' ', b.y, " lineto\n", c.x, ' ', c.y, " lineto\n",
        "closepath\nfill\n");
}

void PostScriptWriter::EmitPath(bool close, const char* ending) {
    Put("newpath\n");
    for (size_t i = 0; i < vertices_.size(); ++i) Put(vertices_[i].x, ' ', vertices_[i].y, i == 0 ? " moveto\n" : " lineto\n");
    if (close) Put("closepath\n");
    Put(ending);
}

void PostScriptWriter::EmitArrows(bool loop, bool pairs) {
    const float w = cache_.width;
    auto arrow = [&](const Vertex& tail, const Vertex& tip) {
        Put("newpath\n", tail.x, ' ', tail.y, ' ', tip.x, ' ', tip.y, ' ', w, ' ', 3 * w, ' ', 6 * w, " arrow\nfill\n");
    };
    const size_t n = vertices_.size();
    if (pairs) {
        for (size_t i = 0; i + 1 < n; i += 2) arrow(vertices_[i], vertices_[i + 1]);
    } else {
        for (size_t i = 0; i + 1 < n; ++i) arrow(vertices_[i], vertices_[i + 1]);
        if (loop && n > 1) arrow(vertices_[n - 1], vertices_[0]);
    }
    Put("\n");
}

void PostScriptWriter::EndPrimitive() {
    const auto& v = vertices_;
    const bool arrows = lineEnd_ == LINE_END_ARROW;
    switch (kind_) {
        case KIND_POINTS:
            for (const Vertex& p : v) Put("newpath ", p.x, ' ', p.y, " moveto ", p.x, ' ', p.y, ' ', kPointRadius, " 0 360 arc fill\n");
            Put("\n");
            break;
        case KIND_SEGMENTS:
            if (arrows) {
                EmitArrows(false, true);
                break;
            }
            Put("newpath\n");
            for (size_t i = 0; i + 1 < v.size(); i += 2)
                Put(v[i].x, ' ', v[i].y, " moveto\n", v[i + 1].x, ' ', v[i + 1].y, " lineto\n");
            Put("stroke\n\n");
            break;
        case KIND_POLYLINE:
        case KIND_CLOSED_POLYLINE:
            if (arrows) EmitArrows(kind_ == KIND_CLOSED_POLYLINE, false);
            else EmitPath(kind_ == KIND_CLOSED_POLYLINE, "stroke\n\n");
            break;
        case KIND_TRIANGLES: {
            size_t i = 0;
            for (; i + 2 < v.size(); i += 3) EmitTriangle(v[i], v[i + 1], v[i + 2]);
            if (i < v.size()) {  // an incomplete last group: its path only
                Put("newpath\n", v[i].x, ' ', v[i].y, " moveto\n");
                if (i + 1 < v.size()) Put(v[i + 1].x, ' ', v[i + 1].y, " lineto\n");
            }
            Put("\n");
            break;
        }
        case KIND_TRIANGLE_STRIP:
            for (size_t i = 2; i < v.size(); ++i) EmitTriangle(v[i - 2], v[i - 1], v[i]);
            Put("\n");
            break;
        case KIND_TRIANGLE_FAN:
            for (size_t i = 2; i < v.size(); ++i) EmitTriangle(v[0], v[i - 1], v[i]);
            Put("\n");
            break;
        case KIND_OUTLINE: EmitPath(true, "stroke\n\n"); break;
        // Filled, then outlined: the fill inside gsave keeps the path for the
        // stroke (a stroke first would consume it and leave nothing to fill).
        case KIND_FILLED_OUTLINE: EmitPath(true, "gsave\nfill\ngrestore\nstroke\n\n"); break;
        case KIND_REGION: {
            Put("newpath\n");
            size_t ring = 0;
            for (size_t i = 0; i < v.size(); ++i) {
                const bool first = i == 0 || (ring < ringStarts_.size() && ringStarts_[ring] == i);
                if (first && i > 0) {
                    Put("closepath\n");
                    ++ring;
                }
                Put(v[i].x, ' ', v[i].y, first ? " moveto\n" : " lineto\n");
            }
            if (!v.empty()) Put("closepath\nfill\n");
            Put("\n");
            break;
        }
        default: break;
    }
    vertices_.clear();
    ringStarts_.clear();
    kind_ = KIND_POINTS;
}

void PostScriptWriter::NextRing() {
    if (kind_ == KIND_REGION && !vertices_.empty() && (ringStarts_.empty() || ringStarts_.back() != vertices_.size()))
        ringStarts_.push_back(vertices_.size());
}

void PostScriptWriter::SetColor(float r, float g, float b) {
    if (r == cache_.r && g == cache_.g && b == cache_.b) return;
    cache_.r = r;
    cache_.g = g;
    cache_.b = b;
    Put(r, ' ', g, ' ', b, " setrgbcolor\n");
}

void PostScriptWriter::SetLineWidth(float width) {
    if (width == cache_.width) return;
    cache_.width = width;
    Put(width, " setlinewidth\n");
}

void PostScriptWriter::SetDash(bool dashed) { Put(dashed ? "[5 5 5 5] 0 setdash\n" : "[] 0 setdash\n"); }

void PostScriptWriter::SetLineEnd(int style) {
    if (style != LINE_END_PLAIN && style != LINE_END_ARROW) return;
    lineEnd_ = style;
    arrowsNeeded_ = true;
}

void PostScriptWriter::SetFont(const std::string& name, int size) {
    fontName_ = name;
    fontSize_ = size;
}

void PostScriptWriter::MoveTo(float x, float y) { Put(x, ' ', y, " moveto\n"); }

void PostScriptWriter::ShowText(const std::string& text, int horizontal, int vertical) {
    Put('/', fontName_, " findfont ", fontSize_, " scalefont setfont\n", Literal(text), ' ');
    if (horizontal == ALIGN_CENTER) Put("hcenteralign ");
    else if (horizontal == ALIGN_RIGHT) Put("hrightalign ");
    if (vertical == ALIGN_CENTER) Put("vcenteralign ");
    else if (vertical == ALIGN_BOTTOM) Put("vbottomalign ");
    Put("show\n");
}

void PostScriptWriter::DrawCircle(float x, float y, float r, bool filled) {
    Put("newpath ", x, ' ', y, ' ', r, " 0 360 arc closepath", filled ? " fill\n\n" : " stroke\n\n");
}

void PostScriptWriter::DrawArc(float x, float y, float r, float startDegrees, float endDegrees) {
    Put("newpath ", x, ' ', y, ' ', r, ' ', startDegrees, ' ', endDegrees, " arc stroke\n\n");
}

void PostScriptWriter::FillPath(const QPainterPath& path) {
    const int n = path.elementCount();
    if (n == 0) return;
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (!std::isfinite(e.x) || !std::isfinite(e.y)) return;
    }
    auto at = [](const QPainterPath::Element& e) { return std::pair{Hundredths{e.x}, Hundredths{e.y}}; };
    Put("newpath\n");
    QPointF start;
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        const auto [x, y] = at(e);
        if (e.isMoveTo()) {
            if (i > 0) Put("closepath\n");
            Put(x, ' ', y, " moveto\n");
            start = e;
        } else if (e.isLineTo()) {
            // The line back to the start that closes a subpath: closepath draws it.
            const bool last = i + 1 == n || path.elementAt(i + 1).isMoveTo();
            if (!(last && QPointF(e) == start)) Put(x, ' ', y, " lineto\n");
        } else if (e.isCurveTo() && i + 2 < n) {
            const auto [x2, y2] = at(path.elementAt(i + 1));
            const auto [x3, y3] = at(path.elementAt(i + 2));
            Put(x, ' ', y, ' ', x2, ' ', y2, ' ', x3, ' ', y3, " curveto\n");
            i += 2;
        }
    }
    Put("closepath\n", path.fillRule() == Qt::WindingFill ? "fill\n\n" : "eofill\n\n");
}

void PostScriptWriter::ClipRect(float x0, float x1, float y0, float y1) {
    Put("newpath ", x0, ' ', y0, " moveto ", x1, ' ', y0, " lineto ", x1, ' ', y1, " lineto ", x0, ' ', y1,
        " lineto closepath clip\n");
}

// grestore brings back the colour and width of the matching gsave, so the
// caches follow; otherwise a colour set again after a grestore would be
// skipped as "already set" while the page has gone back to the old one.
void PostScriptWriter::SaveState() {
    saved_.push_back(cache_);
    Put("gsave\n\n");
}

void PostScriptWriter::RestoreState() {
    if (!saved_.empty()) {
        cache_ = saved_.back();
        saved_.pop_back();
    }
    Put("grestore\n\n");
}

void PostScriptWriter::Scale(float sx, float sy) { Put(sx, ' ', sy, " scale\n\n"); }

void PostScriptWriter::Translate(float tx, float ty) { Put(tx, ' ', ty, " translate\n\n"); }

void PostScriptWriter::SetupPage(float x, float y, float width, float height, const PageSheet& sheet) {
    viewport_[0] = x;
    viewport_[1] = y;
    viewport_[2] = width;
    viewport_[3] = height;
    encapsulated_ = sheet.encapsulated;
    const bool landscape = !sheet.encapsulated && width > height;
    media_[0] = landscape ? sheet.height : sheet.width;
    media_[1] = landscape ? sheet.width : sheet.height;
    const float roomX = media_[0] - 2 * kMargin, roomY = media_[1] - 2 * kMargin;
    const float fit = std::min(roomX / width, roomY / height);
    const float w = fit * width, h = fit * height;
    const float tx = sheet.encapsulated ? 0 : (media_[0] - w) / 2, ty = sheet.encapsulated ? 0 : (media_[1] - h) / 2;
    fit_ = fit;
    box_[0] = tx;
    box_[1] = ty;
    box_[2] = tx + w;
    box_[3] = ty + h;
    Put(tx, ' ', ty, " translate\n", fit, ' ', fit, " scale\n", -x, ' ', -y, " translate\n", x, ' ', y, ' ', width,
        ' ', height, " rectclip\n\n");
}

std::string PostScriptWriter::Header() const {
    std::string header;
    PutTo(header, encapsulated_ ? "%!PS-Adobe-3.0 EPSF-3.0\n" : "%!PS-Adobe-3.0\n",
          "%%Creator: KVR\n%%Title: KVR graph\n", "%%BoundingBox: ", int(std::floor(box_[0])), ' ',
          int(std::floor(box_[1])), ' ', int(std::ceil(box_[2])), ' ', int(std::ceil(box_[3])),
          "\n%%HiResBoundingBox: ", box_[0], ' ', box_[1], ' ', box_[2], ' ', box_[3],
          "\n%%LanguageLevel: 2\n%%Pages: 1\n");
    if (!encapsulated_) PutTo(header, "%%DocumentMedia: Sheet ", media_[0], ' ', media_[1], " 0 () ()\n");
    PutTo(header, "%%EndComments\n\n");
    return header;
}

bool PostScriptWriter::WritePostScriptFile(const std::string& path) {
    // The page closes with a thin black frame around the viewport. (Filling
    // the viewport here, after everything else, would paint over the graph.)
    // The frame runs half its width inside the viewport's edges: centred on
    // the clip rectangle, half of every side would be clipped away, and at
    // low resolutions a whole side can vanish.
    constexpr float kInset = 0.5f;
    const float x = viewport_[0] + kInset, y = viewport_[1] + kInset;
    const float w = viewport_[2] - 2 * kInset, h = viewport_[3] - 2 * kInset;
    SetColor(0, 0, 0);
    SetLineWidth(1);
    SetDash(false);
    BeginPrimitive(KIND_OUTLINE);
    AddVertex(x, y);
    AddVertex(x, y + h);
    AddVertex(x + w, y + h);
    AddVertex(x + w, y);
    EndPrimitive();

    std::string text = Header();
    text += "%%BeginProlog\n";
    if (arrowsNeeded_) text += kArrowProcedure;
    text += kAlignProcedures;
    text += "%%EndProlog\n\n";
    // The page's own media, so that a landscape graph prints on a turned sheet.
    if (!encapsulated_)
        PutTo(text, "%%BeginSetup\n<< /PageSize [", media_[0], ' ', media_[1], "] >> setpagedevice\n%%EndSetup\n\n");
    text += "%%Page: 1 1\n";
    text += body_;
    text += "\nshowpage\n%%Trailer\n%%EOF\n";
    body_.clear();

    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return WriteFileAtomically(path, crlf).empty();
}
