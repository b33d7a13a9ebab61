// SPDX-License-Identifier: MIT
#pragma once
// Short texts of the graph view drawn as filled glyph outlines from display
// lists: 256 lists, one per byte, built from a TrueType serif italic (Times
// New Roman Italic where the system has it, any serif italic otherwise). Each
// list draws its glyph in units of one em with the origin on the baseline and
// then moves the origin by the glyph's advance, so a text is one glCallLists.
// Lists 0 … 254 hold the Latin-1 characters; list 255 stays empty.
//
// Create and destroy with the view's OpenGL context current; needs a
// QGuiApplication (fonts). User-interface thread only.
#include <array>

class OutlineFont {
public:
    struct GlyphMetrics {
        float advance = 0;            // in ems
        float blackBoxWidth = 0;      // ink extent, in ems
        float blackBoxHeight = 0;
        float originX = 0, originY = 0;  // top-left of the ink relative to the origin, y up
    };

    OutlineFont() = default;
    // Deletes the lists if they exist: the context they were made in must be current.
    ~OutlineFont();
    OutlineFont(const OutlineFont&) = delete;
    OutlineFont& operator=(const OutlineFont&) = delete;

    // Builds the 256 lists for a device of `dpiY` vertical pixels per inch
    // (a 10-point font). False, and nothing reserved, when no lists can be
    // made or no font is available; calling it again replaces the lists.
    bool create(double dpiY = 96.0);
    // Deletes the lists; harmless when there are none.
    void destroy();

    bool created() const { return created_; }
    unsigned listBase() const { return listBase_; }
    // Font height in pixels the lists were built for.
    int pixelHeight() const { return pixelHeight_; }
    const std::array<GlyphMetrics, 256>& metrics() const { return metrics_; }

private:
    unsigned listBase_ = 0;
    int pixelHeight_ = 0;
    bool created_ = false;
    std::array<GlyphMetrics, 256> metrics_{};
};

// Formats like printf into a 256-byte buffer (longer texts are cut) and draws
// it from the current model-view origin, one list per byte. Nothing happens
// when the font has no lists or the format is null.
void DrawOutlineText(const OutlineFont& font, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
