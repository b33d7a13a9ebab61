// SPDX-License-Identifier: MIT
#pragma once
// A Painter that records what a drawing routine draws, shape by shape, in
// graph coordinates after the transform stack, so tests can assert what was
// drawn without a display.
#include <string>
#include <vector>

#include "core/Painter.h"

namespace testing_support {

// The shapes a Painter draws.
enum class Shape { Polyline, ClosedPolyline, Segments, Arrows, Fill, Region, Dots, Discs, Rims };

struct RecordedShape {
    Shape shape;
    std::vector<PointF> points;  // transformed
    ColorF color;
    float lineWidth;
    Pen pen;
    double size;  // a dot's diameter in pixels, a disc's radius in graph units
    std::vector<std::vector<PointF>> rings;  // a region's, transformed

    bool dashed() const { return !pen.solid(); }
    // Whether the pen draws the 16-bit line pattern (each bit `factor` pixels).
    bool patterned(uint16_t pattern, int factor = 1) const {
        return pen.dashes == Pen::Patterned(color, lineWidth, pattern, factor).dashes;
    }
};

struct RecordedText {
    std::string text;
    PointF origin;  // transformed
    double sx, sy;  // glyph units to graph units, transform included
    bool italic = false;
};

struct RecordedCircle {
    PointF centre;
    double radius;
    bool filled;
    ColorF color;
};

class RecordingPainter : public Painter {
public:
    explicit RecordingPainter(bool vector = false) : vector_(vector) {}

    // Every glyph is this wide in glyph units, which keeps text positions easy to predict.
    static constexpr float kGlyphWidth = 100.0f;

    bool isVector() const override { return vector_; }
    // What magnification() answers: a presenting view's factor, 1 otherwise.
    double magnificationFactor = 1.0;
    double magnification() const override { return magnificationFactor; }
    void setPen(const Pen& pen) override { pen_ = pen; }
    void polyline(std::span<const PointF> points, bool closed = false) override {
        record(closed ? Shape::ClosedPolyline : Shape::Polyline, points);
    }
    void segments(std::span<const PointF> ends) override { record(Shape::Segments, ends); }
    void arrows(std::span<const PointF> ends) override { record(Shape::Arrows, ends); }
    void fillPolygon(std::span<const PointF> corners) override { record(Shape::Fill, corners); }
    void fillRegion(const std::vector<std::vector<PointF>>& rings) override {
        record(Shape::Region, {});
        for (const auto& ring : rings) {
            shapes.back().rings.emplace_back();
            for (const PointF& p : ring) shapes.back().rings.back().push_back(Map(p.x, p.y));
        }
    }
    void dots(std::span<const PointF> points, float diameter) override { record(Shape::Dots, points, diameter); }
    void discs(std::span<const PointF> centres, double radius, bool filled) override {
        record(filled ? Shape::Discs : Shape::Rims, centres, radius * stack_.back().sx);
    }
    void setClipRect(const RectF& r) override { clips.push_back(r); }
    void clearClip() override { clips.push_back(RectF()); }
    void pushTransform(double dx, double dy, double sx, double sy) override {
        const Affine& t = stack_.back();
        stack_.push_back(Affine{t.dx + t.sx * dx, t.dy + t.sy * dy, t.sx * sx, t.sy * sy});
    }
    void popTransform() override {
        if (stack_.size() > 1) stack_.pop_back();
    }
    float text(const std::string& text, PointF origin, double sx, double sy, TextStyle style) override {
        const Affine& t = stack_.back();
        texts.push_back(RecordedText{text, Map(origin.x, origin.y), sx * t.sx, sy * t.sy, style == TextStyle::Italic});
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
        circles.push_back(RecordedCircle{Map(centre.x, centre.y), radius * stack_.back().sx, filled, pen_.color});
    }
    void arc(PointF centre, double radius, double a0, double a1) override {
        arcs.push_back({Map(centre.x, centre.y), radius * stack_.back().sx, a0, a1});
    }

    struct RecordedArc {
        PointF centre;
        double radius, start, end;
    };

    std::vector<RecordedShape> shapes;

    // The shapes of one kind, in the order drawn.
    std::vector<RecordedShape> of(Shape shape) const {
        std::vector<RecordedShape> found;
        for (const RecordedShape& s : shapes)
            if (s.shape == shape) found.push_back(s);
        return found;
    }
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

    void record(Shape shape, std::span<const PointF> points, double size = 0) {
        RecordedShape s{shape, {}, pen_.color, pen_.width, pen_, size, {}};
        for (const PointF& p : points) s.points.push_back(Map(p.x, p.y));
        shapes.push_back(std::move(s));
    }

    bool vector_;
    Pen pen_;
    std::vector<Affine> stack_{Affine{}};
};

}  // namespace testing_support
