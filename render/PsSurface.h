#pragma once
// The PostScript side of Surface: graph points go through the transform stack
// and the projection captured when the export began, then to the writer in
// window coordinates.
#include <vector>

#include "core/Surface.h"
#include "render/PostScriptWriter.h"
#include "render/Projection.h"

class PsSurface : public Surface {
public:
    PsSurface(PostScriptWriter& writer, const Projection& projection);

    bool isVector() const override { return true; }
    void setColor(const ColorF& color) override;
    void setLineWidth(float width) override;
    void setStipple(int factor, uint16_t pattern) override;
    void setArrows(bool arrows) override;
    void begin(Primitive primitive) override;
    void vertex(double x, double y) override;
    void end() override;
    void setClipRect(const RectF& rect) override;
    void clearClip() override;
    void pushTransform(double dx, double dy, double sx, double sy) override;
    void popTransform() override;
    float strokeText(const std::string& text, PointF origin, double sx, double sy) override;
    float strokeTextWidth(const std::string& text) const override;
    PixelSize equationImage(const std::string& latex, PointF corner) override;
    PixelSize equationImageSize(const std::string&) override { return {}; }
    void circle(PointF centre, double radius, bool filled) override;
    void arc(PointF centre, double radius, double startDegrees, double endDegrees) override;

    // Window coordinates of a graph point under the current transform.
    PointF toWindow(double x, double y) const;

private:
    struct Affine {
        double dx = 0, dy = 0, sx = 1, sy = 1;
    };

    // Whether both window points are numbers the page can hold.
    static bool Finite(PointF a, PointF b);

    PostScriptWriter& writer_;
    Projection projection_;
    std::vector<Affine> transforms_{Affine{}};
    bool clipped_ = false;
    int kind_ = PostScriptWriter::KIND_POINTS;  // the primitive open, for leaving out points that are not finite
    int run_ = 0;                                // finite vertices since the strip began or broke
    PointF pending_;                             // first end of a segment, held until the second arrives
    bool pendingFinite_ = false, havePending_ = false;
};
