// SPDX-License-Identifier: MIT
#include "graph/Mensuration.h"

#include <algorithm>
#include <cmath>

#include "graph/EquationObject.h"
#include "mathex/Markers.h"

namespace {

// Pixels a graph unit is at scale 1 and zoom 1: the typesetter sets labels in pixels.
constexpr double kPixelsPerUnit = 40.0;
// The gap two labels keep between them, in pixels.
constexpr double kLabelGapPx = 1.2;
// Beyond this many lines a rectangle is left unhatched (only a degenerate d gets here,
// because the hatched area is limited to the plot box).
constexpr double kMaxHatchLines = 100000;

bool Finite(double v) { return std::isfinite(v); }
// Far beyond any view, yet safe to convert to single precision.
bool Placeable(double v) { return std::fabs(v) < 1e30; }

// Heights come from F(x, 0): the right-hand side of an explicit equation, the
// left side minus the right of an implicit one.
double CurveValue(const EquationObject& owner, double x) {
    const MathEx::MathExp* e = owner.expression();
    if (!e || (e->form != MathEx::FORM_EXPLICIT && e->form != MathEx::FORM_IMPLICIT)) return 0.0;
    return e->Value(x, 0.0);
}

// The owner clips everything to its plot box, so a coordinate only has to reach
// one unit past the box (or past the axis) to look the same; clamping keeps a
// huge height (exp at large x) from overflowing single-precision vertices and
// from asking for millions of hatch lines.
struct Limits {
    double lo, hi;
    double clamp(double v) const { return std::clamp(v, lo, hi); }
};

Limits LimitsOf(double a, double b) {
    if (!Finite(a) || !Finite(b)) return {-1e6, 1e6};
    return {std::min({a, b, 0.0}) - 1.0, std::max({a, b, 0.0}) + 1.0};
}

// A boundary's label as the typesetter sets it: "x_3" is x_{3}, "x_(n - 4)" x_{n-4}.
std::string LatexOf(const std::string& text) {
    std::string index = text.substr(2);
    if (!index.empty() && index.front() == '(') index = index.substr(1, index.size() - 2);
    index.erase(std::remove(index.begin(), index.end(), ' '), index.end());
    return "x_{" + index + "}";
}

// Where a label set at x lies, in graph units: hanging from (x, 0) below the
// axis, or standing on it when `above`. False when it draws nothing.
bool LabelBox(Painter& painter, const std::string& text, double x, bool above, RectF& out) {
    if (!Placeable(x)) return false;
    const PixelSize px = painter.equationImageSize(LatexOf(text));
    if (px.width <= 0) return false;
    const ViewScale& v = painter.view();
    const double w = px.width * v.scale * std::fabs(v.xZoom) / kPixelsPerUnit;
    const double h = px.height * v.scale * std::fabs(v.yZoom) / kPixelsPerUnit;
    out = above ? RectF(float(h), 0.0f, float(x), float(x + w)) : RectF(0.0f, float(-h), float(x), float(x + w));
    return true;
}

bool Apart(const RectF& a, const RectF& b, double gap) {
    return a.right + gap <= b.left || b.right + gap <= a.left;
}

}  // namespace

std::string Mensuration::labelText(int i, int nRects, bool pastGap) {
    if (!pastGap) return "x_" + std::to_string(i);
    return "x_(n - " + std::to_string(static_cast<long long>(nRects) - i) + ")";
}

void Mensuration::middleHalf(double left, double right, double& xmin, double& xmax) {
    const double quarter = (right - left) / 4;
    xmin = left + quarter;
    xmax = right - quarter;
    const double roundedMin = std::round(xmin), roundedMax = std::round(xmax);
    if (roundedMin < roundedMax && roundedMin >= left && roundedMax <= right) xmin = roundedMin, xmax = roundedMax;
}

double Mensuration::heightOf(double fl, double fr) const {
    switch (heightType) {
        case HEIGHT_RIGHT: return fr;
        case HEIGHT_SHORT: return std::fabs(fr) < std::fabs(fl) ? fr : fl;
        default: return fl;
    }
}

double Mensuration::sectionHeight(const EquationObject& owner, int i) const {
    if (nRects <= 0) return 0.0;
    const double w = (xmax - xmin) / nRects;
    const double xl = xmin + i * w;
    return heightOf(CurveValue(owner, xl), CurveValue(owner, xl + w));
}

void Mensuration::drawHatch(Painter& painter, double x0, double xa, double xb, double ya, double yb,
                            double d) {
    const double left = std::min(xa, xb), right = std::max(xa, xb);
    const double bottom = std::min(ya, yb), top = std::max(ya, yb);
    if (!(d > 0) || !Finite(left) || !Finite(right) || !Finite(bottom) || !Finite(top)) return;
    // Only the phase of the family matters; taking it near the rectangle keeps
    // the intercepts exact when x0 lies far outside (a clamped section).
    x0 = left + std::fmod(x0 - left, d);
    if (!Finite(x0)) return;
    // The line x − y = c meets the rectangle for c in [left − top, right − bottom].
    const double kFirst = std::ceil((left - top - x0) / d);
    const double kLast = std::floor((right - bottom - x0) / d);
    if (!(kLast >= kFirst) || kLast - kFirst > kMaxHatchLines) return;
    std::vector<PointF> ends;
    for (double k = kFirst; k <= kLast; ++k) {
        const double c = x0 + k * d;
        const double y0 = std::max(bottom, left - c), y1 = std::min(top, right - c);
        if (y1 <= y0) continue;  // touches a corner only
        ends.emplace_back(float(c + y0), float(y0));
        ends.emplace_back(float(c + y1), float(y1));
    }
    painter.segments(ends);
}

// Dots on the sections' side of the axis in the outline colour and, following
// them, dots on the label row in the label colour: they stand for the sections
// left out.
void Mensuration::drawGap(Painter& painter, double xl, double w, bool labelsAbove) const {
    const auto [scale, xZoom, yZoom] = painter.view();
    const double s = w / 15;
    if (!Placeable(xl) || !Placeable(w)) return;
    // Small enough for three to fit in the section, never larger than a point marker.
    const double rx = std::min(std::fabs(s), 0.1 * scale * xZoom);
    const double rowY = (labelsAbove ? -0.15 : 0.15) * scale * yZoom;
    std::vector<PointF> upper, lower;
    for (int k = 1; k <= 3; ++k) {
        upper.emplace_back(float(xl + 4 * k * s), float(rowY));
        lower.emplace_back(float(xl + 4 * k * s), float(-rowY));
    }
    MathEx::DrawDiscMarkers(painter, upper, rx, 1.0f, outlineColour, outlineColour, true);
    MathEx::DrawDiscMarkers(painter, lower, 0.02 * scale * xZoom, 1.0f, labelColour, labelColour, true);
}

bool Mensuration::labelsAbove(const EquationObject& owner) const {
    // The labels go on the side of the axis the sections leave free: below
    // when most stand on the axis, above when most hang from it.
    int up = 0, down = 0;
    const double w = nRects > 0 ? (xmax - xmin) / nRects : 0.0;
    for (int i = 0; i < nRects; ++i) {
        const double h = heightOf(CurveValue(owner, xmin + i * w), CurveValue(owner, xmin + (i + 1) * w));
        if (h > 0) ++up;
        else if (h < 0) ++down;
    }
    return down > up;
}

std::vector<Mensuration::Label> Mensuration::labels(Painter& painter, const EquationObject& owner) const {
    const bool above = labelsAbove(owner);
    // Every boundary's label, in order: x_0 … before the omitted middle,
    // x_(n - k) … after it, x_n at the end. `step` says how far from the end
    // that counts it is, so that thinning keeps x_0, x_k, … and … x_(n - k), x_n.
    struct Candidate {
        Label label;
        int step;
    };
    std::vector<Candidate> all;
    const double w = nRects > 0 ? (xmax - xmin) / nRects : 0.0;
    bool pastGap = false;
    for (int i = 0; i < nRects; ++i) {
        if (tickType == kOmitMiddle && i == nRects / 2) {
            pastGap = true;
            continue;
        }
        Label label{labelText(i, nRects, pastGap), xmin + i * w, RectF()};
        if (LabelBox(painter, label.text, label.x, above, label.box))
            all.push_back({std::move(label), pastGap ? nRects - i : i});
    }
    Label end{"x_n", xmax, RectF()};
    const bool hasEnd = LabelBox(painter, end.text, end.x, above, end.box);
    const double gap = kLabelGapPx * painter.view().scale * std::fabs(painter.view().xZoom) / kPixelsPerUnit;
    std::vector<Label> kept;
    for (int k = 1; k <= std::max(1, nRects); ++k) {
        kept.clear();
        for (const Candidate& c : all)
            if (c.step % k == 0) kept.push_back(c.label);
        // x_n always: a label before it that it would touch gives way.
        if (hasEnd) {
            while (kept.size() > 1 && !Apart(kept.back().box, end.box, gap)) kept.pop_back();
            kept.push_back(end);
        }
        std::vector<RectF> boxes;
        for (const Label& label : kept) boxes.push_back(label.box);
        std::sort(boxes.begin(), boxes.end(), [](const RectF& p, const RectF& q) { return p.left < q.left; });
        bool clear = true;
        for (size_t a = 0; a + 1 < boxes.size() && clear; ++a) clear = Apart(boxes[a], boxes[a + 1], gap);
        if (clear) break;
    }
    return kept;
}

void Mensuration::draw(Painter& painter, const EquationObject& owner, double d) const {
    const RectF& box = owner.plotBox();
    const Limits xs = LimitsOf(box.left, box.right), ys = LimitsOf(box.bottom, box.top);
    const double w = nRects > 0 ? (xmax - xmin) / nRects : 0.0;
    const bool above = labelsAbove(owner);
    for (int i = 0; i < nRects; ++i) {
        const double xl = xmin + i * w, xr = xl + w;
        if (tickType == kOmitMiddle && i == nRects / 2) {
            drawGap(painter, xl, w, above);
            continue;
        }
        const double h = heightOf(CurveValue(owner, xl), CurveValue(owner, xr));
        if (!Finite(h) || !Finite(xl) || !Finite(xr)) continue;  // no curve there
        const double left = xs.clamp(xl), right = xs.clamp(xr), top = ys.clamp(h);
        painter.setPen(Pen(outlineColour, 2));
        const PointF outline[] = {{float(left), 0}, {float(left), float(top)}, {float(right), float(top)}, {float(right), 0}};
        painter.polyline(outline);
        if (fillPattern == 1) {
            painter.setPen(Pen(fillColour));
            drawHatch(painter, xl, left, right, 0, top, d);
        }
    }
    painter.setPen(Pen(labelColour));
    for (const Label& label : labels(painter, owner))
        painter.equationImage(LatexOf(label.text), PointF(label.box.left, label.box.bottom));
}
