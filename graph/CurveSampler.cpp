// SPDX-License-Identifier: MIT
// Sampling of an equation's curve into polylines (pieces). Functions of x are
// sampled every 0.05 graph units, conics every 0.05 of their parameter; a jump
// of more than 200 in y between samples splits a piece, and samples where the
// curve has no real value are dropped. Implicit equations that are not conics
// are traced as the zero set of F(x, y) over the plot box.
#include <cmath>

#include "graph/EquationObject.h"
#include "graph/ZeroSet.h"
#include "mathex/SmartNumber.h"

using namespace MathEx;

namespace {

constexpr double kStep = 0.05;
constexpr double kJump = 200;
// A plot box far wider than any view (from a document, say) would otherwise
// ask for hundreds of millions of samples; beyond this many the step widens.
constexpr double kMaxSamples = 200000;

// A walk never takes more steps than this, even where adding a step leaves a
// far-out x unchanged (beyond about 1e15 a step of 0.05 is lost in rounding)
// or the span overflows; without the bound such a domain would never finish.
constexpr int kMaxSteps = int(kMaxSamples) + 16;

double StepOver(double from, double to) {
    const double span = std::fabs(to - from);
    return std::isfinite(span) && span / kStep > kMaxSamples ? span / kMaxSamples : kStep;
}

class PieceBuilder {
public:
    explicit PieceBuilder(std::vector<Stroke>& pieces) : pieces_(pieces) {}
    void add(double x, double y) { current_.push_back(PointF(float(x), float(y))); }
    void close() {
        if (!current_.empty()) pieces_.push_back(current_);
        current_.clear();
    }
    Stroke& current() { return current_; }
    bool empty() const { return current_.empty(); }
    const PointF& last() const { return current_.back(); }

private:
    std::vector<Stroke>& pieces_;
    Stroke current_;
};

struct Conic {
    double a, b, cx, cy, cs, sn;
    PointF ellipse(float t) const {
        return PointF(float(a * std::cos(t) * cs + cx - b * std::sin(t) * sn),
                      float(a * std::cos(t) * sn + cy + b * std::sin(t) * cs));
    }
    PointF hyperbola(float t) const {
        return PointF(float(a * cs / std::cos(t) + cx - b * std::tan(t) * sn),
                      float(a * sn / std::cos(t) + cy + b * std::tan(t) * cs));
    }
};

void SampleEllipse(const Conic& k, double from, double to, PieceBuilder& out) {
    const double xl = k.cx - k.a * k.cs, xr = k.cx + k.a * k.cs;
    const bool domain = from != to;
    auto sweep = [&](float start, double stop, auto keep) {
        for (float t = start; t >= stop; t -= float(kStep)) {
            const PointF q = k.ellipse(t);
            if (keep(q.x)) out.add(q.x, q.y);
        }
    };
    if (!domain || (xl >= from && xr <= to)) {
        sweep(3.1415927f, -kPi, [](double) { return true; });
        const PointF end = k.ellipse(float(-kPi));
        out.add(end.x, end.y);
    } else if (xl >= from) {
        sweep(0.0f, -kTwoPi, [to](double x) { return x <= to; });
    } else if (xr <= to) {
        sweep(3.1415927f, -3.1415927, [from](double x) { return x >= from; });
    } else {
        // Only the upper arc between the two cuts.
        const double y1f = k.cy + k.b * std::sqrt(1 - (from - k.cx) * (from - k.cx) / (k.a * k.a));
        const double y1t = k.cy + k.b * std::sqrt(1 - (to - k.cx) * (to - k.cx) / (k.a * k.a));
        out.add(from, y1f);
        for (float t = 3.1415927f; t >= -kPi; t -= float(kStep)) {
            const PointF q = k.ellipse(t);
            if (q.x > to) break;
            if (q.x > from) out.add(q.x, q.y);
        }
        out.add(to, y1t);
    }
    out.close();
}

void SampleHyperbola(const Conic& k, PieceBuilder& out) {
    for (float t = 1.6207963f; t < kPi; t += float(kStep)) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
    for (float t = -3.1415927f; t < -kHalfPi; t += float(kStep)) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
    out.close();
    for (float t = -1.5207963f; t < 0; t += float(kStep)) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
    for (float t = 0.0f; t < kHalfPi; t += float(kStep)) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
    out.close();
}

}  // namespace

void EquationObject::resample() {
    newShape();
    pieces_.clear();
    if (isTextOnly()) return;
    PieceBuilder out(pieces_);
    const double* c = expression_->coeffs;
    const bool domain = from_ != to_;
    switch (expression_->type) {
        case PT_ELLIPSE:
            SampleEllipse(Conic{c[0], c[1], c[2], c[3], std::cos(c[4]), std::sin(c[4])}, from_, to_, out);
            return;
        case PT_HYPERBOLA:
            SampleHyperbola(Conic{c[0], c[1], c[2], c[3], std::cos(c[4]), std::sin(c[4])}, out);
            return;
        case PT_PARABOLA: {
            const double cs = std::cos(c[3]), sn = std::sin(c[3]);
            for (double s = -10; s <= 10; s += kStep)
                out.add(c[0] * cs * s * s + c[1] - 2 * c[0] * sn * s, c[0] * sn * s * s + c[2] + 2 * c[0] * cs * s);
            out.close();
            return;
        }
        case PT_VERTICAL_LINE: {
            if (domain) return;  // a vertical line has no place in a domain of x
            int n = 0;
            for (double y = plotBox_.bottom, step = StepOver(plotBox_.bottom, plotBox_.top);
                 y <= plotBox_.top && n++ < kMaxSteps; y += step)
                out.add(c[1], y);
            out.close();
            return;
        }
        default: break;
    }
    if (expression_->form == FORM_IMPLICIT) {
        pieces_ = TraceZeroSet(*expression_, plotBox_);
        return;
    }
    auto y = [this](double x) {
        double y1, y2;
        ordinates(x, y1, y2);
        return y1;
    };
    // Where a piece begins or ends because the curve stops being defined
    // (ln x at 0, sqrt(4 - x²) at ±2), the samples every step would leave it
    // short of its end: ln x would stop at y ≈ −3. Walk towards the end of the
    // definition until the curve leaves the plot box vertically, or reaches
    // the end itself. Returns the points from the defined sample outward.
    auto approach = [&](double defined, double undefined) {
        std::vector<PointF> points;
        double in = defined, out = undefined;
        for (int i = 0; i < 60; ++i) {  // the end of the definition, to double precision
            const double mid = in + (out - in) / 2;
            if (mid == in || mid == out) break;
            (std::isnan(y(mid)) ? out : in) = mid;
        }
        for (int k = 1; k <= 60; ++k) {
            const double x = in + (defined - in) * std::ldexp(1.0, -k);
            const double v = y(x);
            if (std::isnan(v) || x == defined) continue;
            points.emplace_back(float(x), float(v));
            if (!std::isfinite(v) || v > plotBox_.top || v < plotBox_.bottom) return points;
        }
        const double v = y(in);
        if (std::isfinite(v)) points.emplace_back(float(in), float(v));
        return points;
    };
    auto sweep = [&](double start, double end, bool jumps) {
        int n = 0;
        double previous = NAN;  // the last x sampled, and whether y was defined there
        bool previousDefined = false;
        for (double x = start, step = StepOver(start, end); x <= end && n++ < kMaxSteps; x += step) {
            const double v = y(x);
            const bool sampledBefore = !std::isnan(previous);
            if (std::isnan(v)) {
                if (sampledBefore && previousDefined && !out.empty())
                    for (const PointF& p : approach(previous, x)) out.add(p.x, p.y);
                out.close();
                previous = x;
                previousDefined = false;
                continue;
            }
            if (jumps && !out.empty() && std::fabs(v - out.last().y) > kJump) out.close();
            if (sampledBefore && !previousDefined && out.empty()) {
                const std::vector<PointF> lead = approach(x, previous);
                for (auto p = lead.rbegin(); p != lead.rend(); ++p) out.add(p->x, p->y);
            }
            out.add(x, v);
            previous = x;
            previousDefined = true;
        }
        out.close();
    };
    if (!domain) {
        sweep(plotBox_.left, plotBox_.right, true);
        return;
    }
    // The main piece over the domain, with its exact end points.
    int n = 0;
    for (double x = from_, step = StepOver(from_, to_); x <= to_ && n++ < kMaxSteps; x += step) {
        const double v = y(x);
        if (std::isnan(v)) out.close();
        else out.add(x, v);
    }
    out.current().points().insert(out.current().begin(), PointF(float(from_), float(y(from_))));
    out.add(to_, y(to_));
    out.close();
    if (stippleType_ == STIPPLE_LEFT) sweep(plotBox_.left, from_, false);
    if (stippleType_ == STIPPLE_RIGHT || stippleType_ == STIPPLE_BOTH) sweep(to_, plotBox_.right, false);
    if (stippleType_ == STIPPLE_BOTH) {
        const size_t before = pieces_.size();
        sweep(plotBox_.left, from_, false);
        // The left piece goes second: main, left, right.
        if (pieces_.size() > before) {
            Stroke left = pieces_.back();
            pieces_.pop_back();
            pieces_.insert(pieces_.begin() + std::min<size_t>(1, pieces_.size()), left);
        }
    }
}
