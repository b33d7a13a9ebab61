// SPDX-License-Identifier: MIT
#pragma once
// A Surface that records what a drawing routine draws, in graph coordinates
// after the transform stack, so tests can assert shapes without a display.
#include <string>
#include <vector>

#include "core/Surface.h"

namespace testing_support {

struct RecordedPrimitive {
    Surface::Primitive primitive;
    std::vector<PointF> points;  // transformed
    ColorF color;
    float lineWidth;
    uint16_t stipple;
    bool arrows;
};

struct RecordedText {
    std::string text;
    PointF origin;  // transformed
    double sx, sy;  // glyph units to graph units, transform included
};

struct RecordedCircle {
    PointF centre;
    double radius;
    bool filled;
    ColorF color;
};

class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(bool vector = false) : vector_(vector) {}

    // Every glyph is this wide in glyph units, which keeps text positions easy to predict.
    static constexpr float kGlyphWidth = 100.0f;

    bool isVector() const override { return vector_; }
    void setColor(const ColorF& c) override { color_ = c; }
    void setLineWidth(float w) override { width_ = w; }
    void setStipple(int, uint16_t pattern) override { stipple_ = pattern; }
    void setArrows(bool arrows) override { arrows_ = arrows; }
    void begin(Primitive p) override { current_ = RecordedPrimitive{p, {}, color_, width_, stipple_, arrows_}; }
    void vertex(double x, double y) override { current_.points.push_back(Map(x, y)); }
    void end() override { primitives.push_back(current_); }
    void setClipRect(const RectF& r) override { clips.push_back(r); }
    void clearClip() override { clips.push_back(RectF()); }
    void pushTransform(double dx, double dy, double sx, double sy) override {
        const Affine& t = stack_.back();
        stack_.push_back(Affine{t.dx + t.sx * dx, t.dy + t.sy * dy, t.sx * sx, t.sy * sy});
    }
    void popTransform() override {
        if (stack_.size() > 1) stack_.pop_back();
    }
    float strokeText(const std::string& text, PointF origin, double sx, double sy) override {
        const Affine& t = stack_.back();
        texts.push_back(RecordedText{text, Map(origin.x, origin.y), sx * t.sx, sy * t.sy});
        return strokeTextWidth(text);
    }
    float strokeTextWidth(const std::string& text) const override { return kGlyphWidth * float(text.size()); }
    PixelSize equationImage(const std::string& latex, PointF corner) override {
        images.push_back({latex, Map(corner.x, corner.y), 0, 0});
        return equationImageSize(latex);
    }
    PixelSize equationImageSize(const std::string& latex) override {
        return latex.empty() ? PixelSize{} : PixelSize{int(8 * latex.size()), 20};
    }
    void circle(PointF centre, double radius, bool filled) override {
        circles.push_back(RecordedCircle{Map(centre.x, centre.y), radius * stack_.back().sx, filled, color_});
    }
    void arc(PointF centre, double radius, double a0, double a1) override {
        arcs.push_back({Map(centre.x, centre.y), radius * stack_.back().sx, a0, a1});
    }

    struct RecordedArc {
        PointF centre;
        double radius, start, end;
    };

    std::vector<RecordedPrimitive> primitives;
    std::vector<RecordedText> texts;
    std::vector<RecordedText> images;
    std::vector<RecordedCircle> circles;
    std::vector<RecordedArc> arcs;
    std::vector<RectF> clips;  // an empty rectangle records clearClip

private:
    struct Affine {
        double dx = 0, dy = 0, sx = 1, sy = 1;
    };
    PointF Map(double x, double y) const {
        const Affine& t = stack_.back();
        return PointF(float(t.dx + t.sx * x), float(t.dy + t.sy * y));
    }

    bool vector_;
    ColorF color_;
    float width_ = 1.0f;
    uint16_t stipple_ = kSolid;
    bool arrows_ = false;
    RecordedPrimitive current_{};
    std::vector<Affine> stack_{Affine{}};
};

}  // namespace testing_support
