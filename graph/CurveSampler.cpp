// SPDX-License-Identifier: MIT
// Sampling of an equation's curve into polylines (pieces). A kind that draws
// itself from its coefficients (the conics, the vertical line) samples its own
// curve. Functions of x are sampled every 0.05 graph units; a jump of more than
// 200 in y between samples splits a piece, and samples where the curve has no
// real value are dropped. Other implicit equations are traced as the zero set
// of F(x, y) over the plot box.
#include <cmath>

#include "graph/EquationObject.h"
#include "graph/ZeroSet.h"
#include "mathex/CurveKind.h"
#include "mathex/Sampling.h"
#include "mathex/SmartNumber.h"

using namespace MathEx;

namespace {

constexpr double kJump = 200;

class PieceBuilder final : public PieceSink {
public:
    explicit PieceBuilder(std::vector<Stroke>& pieces) : pieces_(pieces) {}
    void add(double x, double y) override { current_.push_back(PointF(float(x), float(y))); }
    void close() override {
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

}  // namespace

void EquationObject::resample() {
    newShape();
    pieces_.clear();
    if (isTextOnly()) return;
    PieceBuilder out(pieces_);
    const bool domain = from_ != to_;
    const CurveKind& kind = expression_->kind();
    if (kind.samplesItself()) {
        kind.sample(expression_->coeffs, SampleFrame{plotBox_, from_, to_}, out);
        return;
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
        for (double x = start, step = StepOver(start, end); x <= end && n++ < kMaxSampleSteps; x += step) {
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
    for (double x = from_, step = StepOver(from_, to_); x <= to_ && n++ < kMaxSampleSteps; x += step) {
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
