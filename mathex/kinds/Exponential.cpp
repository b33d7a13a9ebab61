// SPDX-License-Identifier: MIT
// y = B^(x + h) + k, coefficients (B, h, k). Its one control point, at
// x = 1 − h, sets B.
#include "mathex/CurveKind.h"
#include "mathex/kinds/CanonicalTerms.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

using namespace Canonical;

namespace {

// The coefficients by name: y = B^(x + h) + k, stored as (B, h, k).
struct Power {
    double B, h, k;
    static Power Of(const double* c) { return {c[0], c[1], c[2]}; }
    void store(double* c) const {
        c[0] = B;
        c[1] = h;
        c[2] = k;
    }
};

class Exponential final : public CurveKind {
public:
    const char* displayName() const override { return "Exponential"; }
    CoefficientListing listing() const override { return CoefficientListing::Lettered; }
    int listedCount() const override { return 4; }
    bool hasCoefficients() const override { return true; }

    std::string canonical(const double* c) const override {
        const Power e = Power::Of(c);
        std::string s = "y = ";
        s += e.B < 0 ? "(" + Num(e.B) + ")^" : Num(e.B) + "^";
        if (e.h == 0) s += "x";
        else s += "(x" + std::string(e.h > 0 ? "+" : "") + Num(e.h) + ")";
        if (e.k > 0) s += "+" + Num(e.k);
        else if (e.k < 0) s += Num(e.k);
        return s;
    }

    void translate(double* c, double dx, double dy) const override {
        Power e = Power::Of(c);
        e.k += dy;
        e.h -= dx;
        e.store(c);
    }

    // Where the power is B.
    std::vector<ControlPoint> controlPoints(const double* c) const override {
        const Power e = Power::Of(c);
        return {ControlPoint(float(1 - e.h), float(e.B + e.k))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int /*i*/, PointF d) const override {
        Power e = Power::Of(c);
        p[0].y += d.y;
        e.B = p[0].y - e.k;
        e.store(c);
        return true;
    }
};

}  // namespace

const CurveKind& ExponentialKind() {
    static const Exponential kind;
    return kind;
}

}  // namespace MathEx
