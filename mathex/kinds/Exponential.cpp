// SPDX-License-Identifier: MIT
// y = B^(x + h) + k, coefficients (B, h, k). Its one control point, at
// x = 1 − h, sets B.
#include "mathex/CurveKind.h"
#include "mathex/kinds/CanonicalTerms.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

using namespace Canonical;

namespace {

class Exponential final : public CurveKind {
public:
    const char* displayName() const override { return "Exponential"; }
    CoefficientListing listing() const override { return CoefficientListing::Lettered; }
    int listedCount() const override { return 4; }
    bool hasCoefficients() const override { return true; }

    std::string canonical(const double* c) const override {
        std::string s = "y = ";
        s += c[0] < 0 ? "(" + Num(c[0]) + ")^" : Num(c[0]) + "^";
        if (c[1] == 0) s += "x";
        else s += "(x" + std::string(c[1] > 0 ? "+" : "") + Num(c[1]) + ")";
        if (c[2] > 0) s += "+" + Num(c[2]);
        else if (c[2] < 0) s += Num(c[2]);
        return s;
    }

    void translate(double* c, double dx, double dy) const override {
        c[2] += dy;
        c[1] -= dx;
    }

    std::vector<ControlPoint> controlPoints(const double* c) const override {
        return {ControlPoint(float(1 - c[1]), float(c[0] + c[2]))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int /*i*/, PointF d) const override {
        p[0].y += d.y;
        c[0] = p[0].y - c[2];
        return true;
    }
};

}  // namespace

const CurveKind& ExponentialKind() {
    static const Exponential kind;
    return kind;
}

}  // namespace MathEx
