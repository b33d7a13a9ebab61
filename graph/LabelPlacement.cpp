// SPDX-License-Identifier: MIT
#include "graph/LabelPlacement.h"

#include <algorithm>
#include <cmath>

#include "core/RectClip.h"
#include "graph/EquationObject.h"
#include "mathex/CurveKind.h"
#include "graph/Viewport.h"

namespace {

// A typeset label is about 9.5 pixels a character of its plain text (the
// operators get spaces) and 20 high (12-point text).
constexpr double kCharWidthPx = 9.5, kLabelHeightPx = 20.0;
// Kept clear of the window's edge and of the curve itself, in pixels.
constexpr double kEdgePx = 12.0, kGapPx = 6.0;
constexpr int kSteps = 80;  // abscissas tried across the window
// A label farther than this from its curve, in pixels, no longer reads as its
// curve's (a placed one is a gap away; a grid square is about 46 pixels).
constexpr double kAstrayPx = 80.0;

bool overlaps(const RectF& a, const RectF& b)
{
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// Whether segment ab meets the box.
bool segmentMeets(PointF a, PointF b, const RectF& box)
{
    ClipPoint from{a.x, a.y}, to{b.x, b.y};
    return ClipSegment(ClipBounds{box.left, box.bottom, box.right, box.top}, from, to);
}

// Whether the sampled line of any of the curves, or an axis, passes through the box.
bool coversACurve(const RectF& box, const std::vector<const EquationObject*>& curves)
{
    const float far = 1e30f;
    if (segmentMeets(PointF(-far, 0), PointF(far, 0), box) || segmentMeets(PointF(0, -far), PointF(0, far), box))
        return true;
    for (const EquationObject* e : curves)
        for (const Stroke& piece : e->pieces())
            for (size_t i = 0; i + 1 < piece.size(); ++i)
                if (segmentMeets(piece[i], piece[i + 1], box)) return true;
    return false;
}

}  // namespace

bool LabelAstray(const EquationObject& equation, const RectF& box, const Viewport& view)
{
    const PointF topLeft = view.screenToGraph(0, 0), bottomRight = view.screenToGraph(view.width, view.height);
    const RectF shown(topLeft.y, bottomRight.y, topLeft.x, bottomRight.x);
    bool curveShown = false;
    for (const Stroke& piece : equation.pieces())
        for (size_t i = 0; i + 1 < piece.size() && !curveShown; ++i)
            curveShown = segmentMeets(piece[i], piece[i + 1], shown);
    if (!curveShown) return false;
    if (box.left < shown.left || box.right > shown.right || box.bottom < shown.bottom || box.top > shown.top) return true;
    const double upx = view.scale * view.xZoom / 40.0, upy = view.scale * view.yZoom / 40.0;
    const RectF near(float(box.top + kAstrayPx * upy), float(box.bottom - kAstrayPx * upy),
                     float(box.left - kAstrayPx * upx), float(box.right + kAstrayPx * upx));
    for (const Stroke& piece : equation.pieces())
        for (size_t i = 0; i + 1 < piece.size(); ++i)
            if (segmentMeets(piece[i], piece[i + 1], near)) return false;
    return true;
}

size_t LabelCharacters(const std::string& text)
{
    size_t n = 0;
    for (char c : text) {
        if (c == ' ' || c == '*' || c == '^') continue;
        n += (c == '=' || c == '+' || c == '-' || c == '<' || c == '>') ? 2 : 1;
    }
    return n;
}

RectF EstimatedLabelBox(PointF corner, size_t characters, const Viewport& view)
{
    const double upx = view.scale * view.xZoom / 40.0, upy = view.scale * view.yZoom / 40.0;
    const double w = std::max<size_t>(characters, 3) * kCharWidthPx * upx, h = kLabelHeightPx * upy;
    return RectF(float(corner.y + h), corner.y, corner.x, float(corner.x + w));
}

PointF ChooseLabelPosition(const EquationObject& equation, const Viewport& view, const std::vector<RectF>& taken,
                           const std::vector<const EquationObject*>& curves)
{
    const double upx = view.scale * view.xZoom / 40.0, upy = view.scale * view.yZoom / 40.0;
    const PointF topLeft = view.screenToGraph(kEdgePx, kEdgePx);
    const PointF bottomRight = view.screenToGraph(view.width - kEdgePx, view.height - kEdgePx);
    const RectF plot = equation.plotBox();
    // The part of the plot box that is in view.
    const double left = std::max<double>(topLeft.x, plot.left), right = std::min<double>(bottomRight.x, plot.right);
    // And of that, where the curve is drawn (its domain, when one is set).
    float drawnLeft = INFINITY, drawnRight = -INFINITY;
    for (const Stroke& piece : equation.pieces())
        for (const PointF& p : piece.points()) {
            drawnLeft = std::min(drawnLeft, p.x);
            drawnRight = std::max(drawnRight, p.x);
        }
    const double from = drawnLeft <= drawnRight ? std::max<double>(left, drawnLeft) : left;
    const double to = drawnLeft <= drawnRight ? std::min<double>(right, drawnRight) : right;
    const double top = std::min<double>(topLeft.y, plot.top), bottom = std::max<double>(bottomRight.y, plot.bottom);
    const size_t characters = LabelCharacters(equation.text());
    auto fits = [&](const RectF& box) {
        if (box.left < left || box.right > right || box.bottom < bottom || box.top > top) return false;
        return std::none_of(taken.begin(), taken.end(), [&](const RectF& t) { return overlaps(box, t); });
    };

    if (to > from && top > bottom) {
        const RectF probe = EstimatedLabelBox(PointF(0, 0), characters, view);
        const double width = probe.right - probe.left, height = probe.top - probe.bottom;
        // First a place clear of every curve; failing that, one clear of the labels only.
        for (const bool clearOfCurves : {true, false}) {
            // From the right of the view leftwards: the first curve point whose
            // label, set just above-left or below-left of it, fits.
            for (int i = 0; i <= kSteps; ++i) {
                const double x = to - kGapPx * upx - (to - from) * i / kSteps;
                double y[2];
                equation.ordinates(x, y[0], y[1]);
                const int branches = equation.expression() && equation.expression()->kind().isConic() ? 2 : 1;
                for (int b = 0; b < branches; ++b) {
                    const double yc = y[b];
                    if (!std::isfinite(yc) || yc < bottom || yc > top) continue;
                    const PointF candidates[] = {
                        PointF(float(x - width), float(yc + kGapPx * upy)),
                        PointF(float(x - width), float(yc - kGapPx * upy - height)),
                    };
                    for (const PointF& c : candidates) {
                        const RectF box = EstimatedLabelBox(c, characters, view);
                        // A gap all round: the typeset label is only about the size estimated.
                        const RectF clear(float(box.top + kGapPx * upy), float(box.bottom - kGapPx * upy),
                                          float(box.left - kGapPx * upx), float(box.right + kGapPx * upx));
                        if (fits(box) && !(clearOfCurves && coversACurve(clear, curves))) return c;
                    }
                }
            }
        }
    }
    // No point of the curve will do (a vertical line, a curve out of view):
    // the top right of the view, below the labels already there.
    const RectF first = EstimatedLabelBox(PointF(0, 0), characters, view);
    PointF corner(float(right - (first.right - first.left)), float(top - (first.top - first.bottom)));
    for (int i = 0; i < 40 && !fits(EstimatedLabelBox(corner, characters, view)); ++i)
        corner.y -= float(kLabelHeightPx * 1.2 * upy);
    return corner;
}
