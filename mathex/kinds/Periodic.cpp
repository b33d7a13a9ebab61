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

class Periodic : public CurveKind {
public:
    Periodic(const char* name, PrimitiveType type) : name_(name), function_(*FunctionOfCurve(type)) {}
    const char* displayName() const override { return name_; }
    CoefficientListing listing() const override { return CoefficientListing::Lettered; }
    int listedCount() const override { return 4; }
    bool hasCoefficients() const override { return true; }

    std::string canonical(const double* c) const override {
        std::string s = "y = ";
        if (c[0] == -1) s += "-";
        else if (c[0] != 1) s += Num(c[0]) + "*";
        s += std::string(function_.name) + "(";
        if (c[1] == 1) s += "x";
        else if (c[1] == -1) s += "-x";
        else s += Num(c[1]) + "*x";
        return s + ConstantTerm(c[2]) + ")" + ConstantTerm(c[3]);
    }

    void translate(double* c, double dx, double dy) const override {
        c[3] += dy;
        c[2] -= dx * c[1];
    }

protected:
    // The first point gives the amplitude.
    static void lift(double* c, std::vector<ControlPoint>& p, PointF d) {
        p[0].y += d.y;
        c[0] = p[0].y - c[3];
    }

private:
    const char* name_;
    const Function& function_;
};

class Sine final : public Periodic {
public:
    Sine() : Periodic("Sine", PT_SINE) {}

    std::vector<ControlPoint> controlPoints(const double* c) const override {
        return {ControlPoint(float(std::fabs(kPi / (2 * c[1])) - c[2] / c[1]), float(c[3] + c[0])),
                ControlPoint(float(std::fabs(kPi / c[1]) - c[2] / c[1]), float(c[3]))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        if (i == 0) return lift(c, p, d), true;
        p[1].x += d.x;
        const double x0 = -c[2] / c[1];
        p[1].x = float(std::max<double>(p[1].x, x0 + 0.2));
        p[0].x = float((p[1].x + x0) / 2);
        c[0] = p[0].y - c[3];
        c[1] = kPi / (2 * (double(p[1].x) - p[0].x));
        c[2] = (double(p[1].x) - 2.0 * p[0].x) * c[1];
        return true;
    }
};

class Cosine final : public Periodic {
public:
    Cosine() : Periodic("Cosine", PT_COSINE) {}

    std::vector<ControlPoint> controlPoints(const double* c) const override {
        return {ControlPoint(float(-c[2] / c[1]), float(c[0] + c[3])),
                ControlPoint(float(std::fabs(kPi / (2 * c[1])) - c[2] / c[1]), float(c[3]))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        if (i == 0) return lift(c, p, d), true;
        p[1].x += d.x;
        p[1].x = std::max(p[1].x, p[0].x + 0.1f);
        c[0] = p[0].y - c[3];
        c[1] = kPi / (2 * (double(p[1].x) - p[0].x));
        c[2] = -p[0].x * c[1];
        return true;
    }
};

class Tangent final : public Periodic {
public:
    Tangent() : Periodic("Tangent", PT_TANGENT) {}

    std::vector<ControlPoint> controlPoints(const double* c) const override {
        return {ControlPoint(float(std::fabs(kPi / (4 * c[1])) - c[2] / c[1]), float(c[3] + c[0])),
                ControlPoint(float(std::fabs(kPi / (2 * c[1])) - c[2] / c[1]), float(c[3]))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        if (i == 0) return lift(c, p, d), true;
        p[1].x += d.x;
        const double x0 = -c[2] / c[1];
        p[1].x = float(std::max<double>(p[1].x, x0 + 0.1));
        p[0].x = float((p[1].x + x0) / 2);
        c[0] = p[0].y - c[3];
        c[1] = kPi / (4 * (p[0].x - x0));
        c[2] = -x0 * c[1];
        return true;
    }
};

class Logarithm final : public Periodic {
public:
    Logarithm() : Periodic("Logarithm", PT_LOG) {}

    // Where the logarithm is d and where it is a + d.
    std::vector<ControlPoint> controlPoints(const double* c) const override {
        return {ControlPoint(float((1 - c[2]) / c[1]), float(c[3])),
                ControlPoint(float((kE - c[2]) / c[1]), float(c[0] + c[3]))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        if (i == 1) {
            p[1].y += d.y;
            c[0] = p[1].y - c[3];
        } else {
            p[0].x += d.x;
            c[1] = (1 - c[2]) / p[0].x;
            p[1].x = float((kE - c[2]) / c[1]);
        }
        return true;
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
