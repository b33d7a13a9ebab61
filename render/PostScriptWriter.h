// SPDX-License-Identifier: MIT
#pragma once
// Immediate-mode PostScript: the drawing code describes lines, fills, markers
// and texts in window coordinates (pixels, origin at the lower left of the
// viewport) much as it would to OpenGL; the page body accumulates in memory and
// WritePostScriptFile writes one A4 page.
#include <string>
#include <string_view>
#include <vector>

#include "render/Projection.h"

class QPainterPath;

// The sheet a page is printed on, in points, portrait.
struct PageSheet {
    float width = 595.276f, height = 841.89f;  // A4
    // Encapsulated: one picture for another document (a worksheet in LaTeX or
    // a word processor), with a bounding box tight round the graph, as wide
    // as the sheet's text, and no page of its own.
    bool encapsulated = false;

    static PageSheet A4() { return {}; }
    static PageSheet Letter() { return {612, 792, false}; }
};

class PostScriptWriter {
public:
    // Primitive kinds, the writer's own numbering.
    enum Kind {
        KIND_POINTS = 0,
        KIND_SEGMENTS = 1,
        KIND_POLYLINE = 2,
        KIND_CLOSED_POLYLINE = 3,
        KIND_TRIANGLES = 4,
        KIND_TRIANGLE_STRIP = 5,
        KIND_TRIANGLE_FAN = 6,
        KIND_OUTLINE = 7,
        KIND_FILLED_OUTLINE = 8,
        // Rings (NextRing starts each after the first) filled as one path,
        // nonzero winding: no seam where rings meet, and no outline.
        KIND_REGION = 9
    };
    enum LineEnd { LINE_END_PLAIN = 0, LINE_END_ARROW = 10 };
    enum Align { ALIGN_CENTER = 11, ALIGN_RIGHT = 13, ALIGN_BOTTOM = 15 };

    // The one writer of the program (the export draws into it).
    static PostScriptWriter& Instance();

    void BeginPrimitive(int kind);
    void AddVertex(float x, float y);
    // Projects the graph point (x, y, 0) as gluProject would and adds it.
    void AddGraphVertex(double x, double y, const Projection& projection);
    void EndPrimitive();
    // In a KIND_REGION primitive, the next vertex starts a new ring.
    void NextRing();

    void SetColor(float r, float g, float b);
    void SetLineWidth(float width);
    void SetDash(bool dashed);
    void SetLineEnd(int style);
    void SetFont(const std::string& name, int size);
    void MoveTo(float x, float y);
    // Text at the current point; horizontal 11 centres, 13 right-aligns;
    // vertical 11 centres, 15 aligns the bottom.
    void ShowText(const std::string& text, int horizontal, int vertical);
    void DrawCircle(float x, float y, float r, bool filled);
    void DrawArc(float x, float y, float r, float startDegrees, float endDegrees);
    // Fills the path (window coordinates) in the current colour, every
    // subpath closed, by the path's own rule: nonzero winding, as glyph
    // outlines need, or even-odd. Coordinates to a hundredth of a pixel,
    // which keeps curve-heavy outlines short. A path with a point that is not
    // a number is left out.
    void FillPath(const QPainterPath& path);
    void ClipRect(float x0, float x1, float y0, float y1);
    void SaveState();
    void RestoreState();
    void Scale(float sx, float sy);
    void Translate(float tx, float ty);

    // 15 mm, all round the graph.
    static constexpr float kMargin = 42.52f;

    // Fits the viewport onto the sheet inside its margins, keeping its
    // aspect: turned to landscape when the viewport is wider than high,
    // centred; an encapsulated picture sits at the origin instead.
    void SetupPage(float x, float y, float width, float height, const PageSheet& sheet = PageSheet());
    // Where a window point of the page set up lands on the sheet, in points
    // from its lower-left corner.
    float PageX(float x) const { return box_[0] + fit_ * (x - viewport_[0]); }
    float PageY(float y) const { return box_[1] + fit_ * (y - viewport_[1]); }
    // The graph's box on the sheet (left, bottom, right, top) and the media (width, height), in points.
    const float* GraphBox() const { return box_; }
    const float* Media() const { return media_; }

    // Writes the document (structuring comments with the page's media and the
    // graph's bounding box, the procedures, the body and showpage) with CR LF
    // line ends, then empties the body (also on failure). False when the
    // file cannot be written.
    bool WritePostScriptFile(const std::string& path);

    const std::string& Body() const { return body_; }

private:
    struct Vertex {
        float x, y;
    };
    struct Cache {
        float r = 0, g = 0, b = 0;
        float width = 1.0f;
    };

    // Appends the parts to the body: numbers as printf's "%g" writes them in
    // the C locale (whatever the user's locale), text as it is.
    template <class... Parts>
    void Put(const Parts&... parts) {
        PutTo(body_, parts...);
    }
    // The same, to another text (the document's comments and setup).
    template <class... Parts>
    static void PutTo(std::string& out, const Parts&... parts) {
        (Piece(out, parts), ...);
    }
    static void Piece(std::string& out, std::string_view text) { out += text; }
    static void Piece(std::string& out, const char* text) { out += text; }
    static void Piece(std::string& out, char c) { out += c; }
    static void Piece(std::string& out, double v);
    static void Piece(std::string& out, float v) { Piece(out, double(v)); }
    static void Piece(std::string& out, int v) { out += std::to_string(v); }
    // A coordinate of a filled path: two decimals at most, trailing zeros dropped.
    struct Hundredths {
        double value;
    };
    static void Piece(std::string& out, Hundredths v);
    void EmitTriangle(const Vertex& a, const Vertex& b, const Vertex& c);
    void EmitPath(bool close, const char* ending);
    void EmitArrows(bool loop, bool pairs);
    // The structuring comments of the page set up.
    std::string Header() const;

    std::string body_;
    int kind_ = KIND_POINTS;
    std::vector<Vertex> vertices_;
    std::vector<size_t> ringStarts_;  // of a region's rings after the first
    int lineEnd_ = LINE_END_PLAIN;
    bool arrowsNeeded_ = false;
    Cache cache_;
    std::vector<Cache> saved_;  // the caches at each open gsave
    std::string fontName_;
    int fontSize_ = 36;
    float viewport_[4] = {0, 0, 640, 480};
    // Of the page set up: the media (landscape when turned) and the graph on it, in points.
    float media_[2] = {595.276f, 841.89f};
    float box_[4] = {0, 0, 0, 0};
    bool encapsulated_ = false;
    float fit_ = 1;  // points per window pixel
};
