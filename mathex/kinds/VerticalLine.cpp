// SPDX-License-Identifier: MIT
// x = k, coefficients (0, k): no function of x, so it is written implicitly,
// drawn from the bottom of the plot box to the top and has no place in a
// domain of x.
#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"
#include "mathex/Sampling.h"
#include "mathex/kinds/CanonicalTerms.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

using namespace Canonical;

namespace {

// The coefficients by name: x = k, stored as (0, k).
double AbscissaOf(const double* c) { return c[1]; }
double& AbscissaOf(double* c) { return c[1]; }

class VerticalLine final : public CurveKind {
public:
    const char* displayName() const override { return "Line"; }
    CoefficientListing listing() const override { return CoefficientListing::Lettered; }
    int listedCount() const override { return 2; }
    bool samplesItself() const override { return true; }
    bool hasCoefficients() const override { return true; }
    SignatureRule signatureRule() const override { return SignatureRule::Polynomial; }

    std::string canonical(const double* c) const override {
        const double k = AbscissaOf(c);
        if (k > 0) return "x - " + Num(k) + " = 0";
        if (k < 0) return "x + " + Num(-k) + " = 0";
        return "x = 0";
    }

    void translate(double* c, double dx, double /*dy*/) const override { AbscissaOf(c) += dx; }

    std::optional<Quadric> quadric(const MathExp& e) const override { return Quadric{0, 0, 0, 1, 0, -AbscissaOf(e.coeffs)}; }

    bool nearest(const double* c, PointF p, PointF& on) const override {
        on = PointF(float(AbscissaOf(c)), p.y);
        return true;
    }

    void sample(const double* c, const SampleFrame& frame, PieceSink& out) const override {
        if (frame.from != frame.to) return;
        const RectF& box = frame.plotBox;
        int n = 0;
        for (double y = box.bottom, step = StepOver(box.bottom, box.top); y <= box.top && n++ < kMaxSampleSteps;
             y += step)
            out.add(AbscissaOf(c), y);
        out.close();
    }
};

}  // namespace

const CurveKind& VerticalLineKind() {
    static const VerticalLine kind;
    return kind;
}

}  // namespace MathEx
