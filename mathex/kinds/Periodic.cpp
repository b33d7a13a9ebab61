// SPDX-License-Identifier: MIT
// y = a·f(b·x + c) + d of the sine, the cosine, the tangent and the
// logarithm, coefficients (a, b, c, d).
//
// Reshaping: the first point sets the amplitude a (its height above d); the
// second sets the period of the sine, cosine and tangent (the sine and the
// tangent keep their zero at −c/b and put the first point midway) or, for the
// logarithm, where the curve crosses d and with it b.
#include <algorithm>
#include <cmath>

#include "mathex/CurveKind.h"
#include "mathex/Functions.h"
#include "mathex/MathExp.h"
#include "mathex/Numeric.h"
#include "mathex/kinds/CanonicalTerms.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

using namespace Canonical;

namespace {

// The coefficients by name: y = a·f(b·x + c) + d, stored as (a, b, c, d).
struct Wave {
    double a, b, c, d;
    static Wave Of(const double* k) { return {k[0], k[1], k[2], k[3]}; }
    void store(double* k) const {
        k[0] = a;
        k[1] = b;
        k[2] = c;
        k[3] = d;
    }
    // Where the argument b·x + c is zero.
    double zero() const { return -c / b; }
};

class Periodic : public CurveKind {
public:
    Periodic(const char* name, PrimitiveType type) : name_(name), function_(*FunctionOfCurve(type)) {}
    const char* displayName() const override { return name_; }
    CoefficientListing listing() const override { return CoefficientListing::Lettered; }
    int listedCount() const override { return 4; }
    bool hasCoefficients() const override { return true; }

    std::string canonical(const double* k) const override {
        const Wave w = Wave::Of(k);
        std::string s = "y = ";
        if (w.a == -1) s += "-";
        else if (w.a != 1) s += Num(w.a) + "*";
        s += std::string(function_.name) + "(";
        if (w.b == 1) s += "x";
        else if (w.b == -1) s += "-x";
        else s += Num(w.b) + "*x";
        return s + ConstantTerm(w.c) + ")" + ConstantTerm(w.d);
    }

    void translate(double* k, double dx, double dy) const override {
        Wave w = Wave::Of(k);
        w.d += dy;
        w.c -= dx * w.b;
        w.store(k);
    }

    std::vector<ControlPoint> controlPoints(const double* k) const override { return points(Wave::Of(k)); }

    bool reshape(double* k, std::vector<ControlPoint>& p, int i, PointF d) const override {
        Wave w = Wave::Of(k);
        if (i == first()) {
            // The first point gives the amplitude.
            p[i].y += d.y;
            w.a = p[i].y - w.d;
        } else {
            reshapeSecond(w, p, d);
        }
        w.store(k);
        return true;
    }

protected:
    // The points a user drags, and which of them sets the amplitude.
    virtual std::vector<ControlPoint> points(const Wave& w) const = 0;
    virtual int first() const { return 0; }
    // The other point moved by d: the period, or where a logarithm crosses d.
    virtual void reshapeSecond(Wave& w, std::vector<ControlPoint>& p, PointF d) const = 0;

private:
    const char* name_;
    const Function& function_;
};

class Sine final : public Periodic {
public:
    Sine() : Periodic("Sine", PT_SINE) {}

protected:
    // The first crest, and the zero after it.
    std::vector<ControlPoint> points(const Wave& w) const override {
        return {ControlPoint(float(std::fabs(kPi / (2 * w.b)) + w.zero()), float(w.d + w.a)),
                ControlPoint(float(std::fabs(kPi / w.b) + w.zero()), float(w.d))};
    }

    void reshapeSecond(Wave& w, std::vector<ControlPoint>& p, PointF d) const override {
        p[1].x += d.x;
        const double x0 = w.zero();
        p[1].x = float(std::max<double>(p[1].x, x0 + 0.2));
        p[0].x = float((p[1].x + x0) / 2);
        w.a = p[0].y - w.d;
        w.b = kPi / (2 * (double(p[1].x) - p[0].x));
        w.c = (double(p[1].x) - 2.0 * p[0].x) * w.b;
    }
};

class Cosine final : public Periodic {
public:
    Cosine() : Periodic("Cosine", PT_COSINE) {}

protected:
    // The crest at the argument's zero, and the zero of the curve after it.
    std::vector<ControlPoint> points(const Wave& w) const override {
        return {ControlPoint(float(w.zero()), float(w.a + w.d)),
                ControlPoint(float(std::fabs(kPi / (2 * w.b)) + w.zero()), float(w.d))};
    }

    void reshapeSecond(Wave& w, std::vector<ControlPoint>& p, PointF d) const override {
        p[1].x += d.x;
        p[1].x = std::max(p[1].x, p[0].x + 0.1f);
        w.a = p[0].y - w.d;
        w.b = kPi / (2 * (double(p[1].x) - p[0].x));
        w.c = -p[0].x * w.b;
    }
};

class Tangent final : public Periodic {
public:
    Tangent() : Periodic("Tangent", PT_TANGENT) {}

protected:
    // Where the tangent is a + d, and its asymptote.
    std::vector<ControlPoint> points(const Wave& w) const override {
        return {ControlPoint(float(std::fabs(kPi / (4 * w.b)) + w.zero()), float(w.d + w.a)),
                ControlPoint(float(std::fabs(kPi / (2 * w.b)) + w.zero()), float(w.d))};
    }

    void reshapeSecond(Wave& w, std::vector<ControlPoint>& p, PointF d) const override {
        p[1].x += d.x;
        const double x0 = w.zero();
        p[1].x = float(std::max<double>(p[1].x, x0 + 0.1));
        p[0].x = float((p[1].x + x0) / 2);
        w.a = p[0].y - w.d;
        w.b = kPi / (4 * (p[0].x - x0));
        w.c = -x0 * w.b;
    }
};

class Logarithm final : public Periodic {
public:
    Logarithm() : Periodic("Logarithm", PT_LOG) {}

protected:
    // Where the logarithm is d and where it is a + d.
    std::vector<ControlPoint> points(const Wave& w) const override {
        return {ControlPoint(float((1 - w.c) / w.b), float(w.d)), ControlPoint(float((kE - w.c) / w.b), float(w.a + w.d))};
    }
    int first() const override { return 1; }

    void reshapeSecond(Wave& w, std::vector<ControlPoint>& p, PointF d) const override {
        p[0].x += d.x;
        w.b = (1 - w.c) / p[0].x;
        p[1].x = float((kE - w.c) / w.b);
    }
};

}  // namespace

const CurveKind& SineKind() {
    static const Sine kind;
    return kind;
}
const CurveKind& CosineKind() {
    static const Cosine kind;
    return kind;
}
const CurveKind& TangentKind() {
    static const Tangent kind;
    return kind;
}
const CurveKind& LogarithmKind() {
    static const Logarithm kind;
    return kind;
}

}  // namespace MathEx
