// SPDX-License-Identifier: MIT
// The ellipse and the hyperbola, coefficients (a, b, centre x, centre y, θ),
// and the parabola, (p, vertex x, vertex y, θ): drawn from their parameters
// in their own frame (u along the axis at θ, v across it), whatever way the
// equation was written.
//
// Reshaping. Ellipse (axis end P1, axis end P2, centre C) and hyperbola
// (centre C, vertex V, co-vertex point Q): dragging the centre with no axis
// point pinned moves the whole conic. Otherwise the dragged point moves and
// the conic is rebuilt from the points: the first axis point gives a and the
// angle θ (dragging the second axis point of an ellipse turns θ instead,
// unless the first is pinned), the second gives b, and every free point is put
// back exactly on the new axes. θ stays within one turn.
// Parabola (vertex V, point F at parameter 1): dragging V with F free moves
// the parabola; otherwise the dragged point moves and p and θ follow from
// F − V = p·(axis + 2·normal), the sign of p being kept.
#include <algorithm>
#include <cmath>

#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"
#include "mathex/Numeric.h"
#include "mathex/Sampling.h"
#include "mathex/kinds/CanonicalTerms.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

using namespace Canonical;

namespace {

struct Vec {
    double x, y;
};
Vec Sub(PointF a, PointF b) { return {double(a.x) - b.x, double(a.y) - b.y}; }
double Length(Vec v) { return std::hypot(v.x, v.y); }

// The coefficients by name. An ellipse or a hyperbola: semi-axes a and b,
// centre (x0, y0) and the angle θ of the first axis, stored as (a, b, x0, y0, θ).
struct Central {
    double a, b, x0, y0, theta;
    static Central Of(const double* c) { return {c[0], c[1], c[2], c[3], c[4]}; }
    void store(double* c) const {
        c[0] = a;
        c[1] = b;
        c[2] = x0;
        c[3] = y0;
        c[4] = theta;
    }
};

// A parabola: p (a quarter of the latus rectum, signed), vertex (x0, y0) and
// the angle θ of its axis, stored as (p, x0, y0, θ).
struct Focal {
    double p, x0, y0, theta;
    static Focal Of(const double* c) { return {c[0], c[1], c[2], c[3]}; }
    void store(double* c) const {
        c[0] = p;
        c[1] = x0;
        c[2] = y0;
        c[3] = theta;
    }
};

// The whole conic moved by d: every control point, and the centre or vertex.
void CarryAll(std::vector<ControlPoint>& points, double& x0, double& y0, PointF d) {
    for (ControlPoint& q : points) q = ControlPoint(q.x + d.x, q.y + d.y, q.pinned);
    x0 += d.x;
    y0 += d.y;
}

// 2, 1 or 0 as |offset| is below, at or beyond the semi-axis.
int Crossings(double offset, double semiAxis) {
    const double distance = std::fabs(offset);
    if (distance < semiAxis) return 2;
    return distance == semiAxis ? 1 : 0;
}

// An ellipse or hyperbola's parameters, with its angle's cosine and sine.
struct Frame {
    double a, b, cx, cy, cs, sn;
    explicit Frame(const Central& k)
        : a(k.a), b(k.b), cx(k.x0), cy(k.y0), cs(std::cos(k.theta)), sn(std::sin(k.theta)) {}
    PointF ellipse(float t) const {
        return PointF(float(a * std::cos(t) * cs + cx - b * std::sin(t) * sn),
                      float(a * std::cos(t) * sn + cy + b * std::sin(t) * cs));
    }
    PointF hyperbola(float t) const {
        return PointF(float(a * cs / std::cos(t) + cx - b * std::tan(t) * sn),
                      float(a * sn / std::cos(t) + cy + b * std::tan(t) * cs));
    }
};

enum class ConicShape { Ellipse, Hyperbola, Parabola };

// The point of a conic nearest in kind to a click, worked in its own frame.
PointF NearOnConic(ConicShape shape, const double* c, PointF p) {
    const bool parabola = shape == ConicShape::Parabola;
    const Central k = Central::Of(c);
    const Focal f = Focal::Of(c);
    const double theta = parabola ? f.theta : k.theta;
    const double cx = parabola ? f.x0 : k.x0, cy = parabola ? f.y0 : k.y0;
    const double cs = std::cos(theta), sn = std::sin(theta);
    const double px = p.x - cx, py = p.y - cy;
    double u = cs * px + sn * py;
    const double v0 = -sn * px + cs * py;
    const double side = v0 < 0 ? -1.0 : 1.0;
    double v;
    if (shape == ConicShape::Ellipse) {
        u = std::fmax(-k.a, std::fmin(k.a, u));
        v = side * k.b * std::sqrt(std::fmax(0.0, 1 - u * u / (k.a * k.a)));
    } else if (shape == ConicShape::Hyperbola) {
        if (std::fabs(u) < k.a) u = u < 0 ? -k.a : k.a;
        v = side * k.b * std::sqrt(std::fmax(0.0, u * u / (k.a * k.a) - 1));
    } else {
        if (u * f.p < 0) u = 0;
        v = side * std::sqrt(std::fmax(0.0, 4 * f.p * u));
    }
    return PointF(float(cx + cs * u - sn * v), float(cy + sn * u + cs * v));
}

class Conic : public CurveKind {
public:
    Conic(const char* name, ConicShape shape) : name_(name), shape_(shape) {}
    const char* displayName() const override { return name_; }
    CoefficientListing listing() const override { return CoefficientListing::Central; }
    bool isConic() const override { return true; }
    bool samplesItself() const override { return true; }
    bool hasCoefficients() const override { return true; }

    void translate(double* c, double dx, double dy) const override {
        Central k = Central::Of(c);
        k.x0 += dx;
        k.y0 += dy;
        k.store(c);
    }

    bool nearest(const double* c, PointF p, PointF& on) const override {
        on = NearOnConic(shape_, c, p);
        return true;
    }

    // The equation's own terms, which the analysis kept and the conic's
    // parameters were worked out from: a hyperbola typed as xy = 1 has no x²
    // term, where its parameters (turned by the rules' π/4) leave one of
    // 6·10⁻¹⁰, and a line along its asymptote would meet it again far away.
    // A conic whose equation was never analysed has none.
    std::optional<Quadric> quadric(const MathExp& e) const override {
        const double* k = e.conic;
        if (std::all_of(k, k + 3, [](double v) { return v == 0; })) return std::nullopt;
        return Quadric{k[0], k[1], k[2], k[3], k[4], k[5]};
    }

protected:
    // The ellipse's and the hyperbola's rule (see the top of the file); the
    // roles of its points are the centre, the point on the first axis and the
    // point that gives b.
    bool reshapeCentral(double* c, std::vector<ControlPoint>& p, int i, PointF d, int centre, int axis,
                        int second) const {
        Central k = Central::Of(c);
        const bool ok = reshapeCentral(k, p, i, d, centre, axis, second);
        k.store(c);
        return ok;
    }

    // The general form of the central conic, or the plain one when it lies
    // along an axis.
    std::string centralText(const double* c) const {
        const bool ellipse = shape_ == ConicShape::Ellipse;
        const Central k = Central::Of(c);
        const double a2 = k.a * k.a, b2 = k.b * k.b, x0 = k.x0, y0 = k.y0, theta = k.theta;
        if (theta == 0)
            return Square("x", x0, a2) + (ellipse ? " + " : " - ") + Square("y", y0, b2) + " - 1 = 0 ";
        if (!ellipse && theta == kHalfPi)  // transverse axis along y: a² belongs under y
            return Square("y", y0, a2) + " - " + Square("x", x0, b2) + " - 1 = 0 ";
        double s, co;
        SinCos(theta, s, co);
        double g[6];
        if (ellipse) {
            g[0] = b2 * co * co + a2 * s * s;
            g[1] = 2 * s * co * (b2 - a2);
            g[2] = b2 * s * s + a2 * co * co;
        } else {
            g[0] = b2 * co * co - a2 * s * s;
            g[1] = 2 * s * co * (b2 + a2);
            g[2] = b2 * s * s - a2 * co * co;
        }
        g[3] = -2 * g[0] * x0 - g[1] * y0;
        g[4] = -2 * g[2] * y0 - g[1] * x0;
        g[5] = g[0] * x0 * x0 + g[1] * x0 * y0 + g[2] * y0 * y0 - a2 * b2;
        return GeneralForm(g);
    }

    // y = centre ± b·√(±(1 − q)) of the axis-aligned reading.
    bool centralOrdinates(const double* c, double x, double& y1, double& y2) const {
        const Central k = Central::Of(c);
        const double q = (x - k.x0) * (x - k.x0) / (k.a * k.a);
        const double s = std::sqrt(shape_ == ConicShape::Ellipse ? 1 - q : q - 1);
        y1 = k.y0 + s * k.b;
        y2 = k.y0 - s * k.b;
        return true;
    }

private:
    bool reshapeCentral(Central& k, std::vector<ControlPoint>& p, int i, PointF d, int centre, int axis,
                        int second) const {
        const bool ellipse = shape_ == ConicShape::Ellipse;
        if (p[i].pinned) return true;
        if (i == centre && !p[axis].pinned && !p[second].pinned) {
            CarryAll(p, k.x0, k.y0, d);
            return true;
        }
        p[i].x += d.x;
        p[i].y += d.y;
        const PointF C = p[centre];
        double theta = k.theta;
        if (ellipse && i == second && !p[axis].pinned) {
            const Vec s = Sub(p[second], C);
            theta = std::atan2(s.y, s.x) - kHalfPi;  // the second axis turns the ellipse
            k.b = Length(s);
        } else {
            const Vec a = Sub(p[axis], C);
            k.a = Length(a);
            theta = std::atan2(a.y, a.x);
            const Vec n{-std::sin(theta), std::cos(theta)};
            const Vec s = Sub(p[second], ellipse ? C : p[axis]);
            k.b = std::fabs(s.x * n.x + s.y * n.y);
        }
        k.x0 = C.x;
        k.y0 = C.y;
        k.theta = WrapAngle(theta);
        if (!(k.a > 0 && k.b > 0)) return false;
        const double cs = std::cos(k.theta), sn = std::sin(k.theta);
        const PointF axisEnd(float(k.x0 + k.a * cs), float(k.y0 + k.a * sn));
        if (!p[axis].pinned) p[axis] = ControlPoint(axisEnd.x, axisEnd.y, false);
        const PointF base = ellipse ? C : axisEnd;
        if (!p[second].pinned) p[second] = ControlPoint(float(base.x - k.b * sn), float(base.y + k.b * cs), false);
        return true;
    }

    const char* name_;
    ConicShape shape_;
};

class Ellipse final : public Conic {
public:
    Ellipse() : Conic("Ellipse", ConicShape::Ellipse) {}

    std::string canonical(const double* c) const override { return centralText(c); }
    bool ordinates(const double* c, double x, double& y1, double& y2) const override {
        return centralOrdinates(c, x, y1, y2);
    }

    // The whole ellipse, or what of it lies within the domain of x.
    void sample(const double* c, const SampleFrame& frame, PieceSink& out) const override {
        const Frame k(Central::Of(c));
        const double from = frame.from, to = frame.to;
        const double xl = k.cx - k.a * k.cs, xr = k.cx + k.a * k.cs;
        const bool domain = from != to;
        auto sweep = [&](float start, double stop, auto keep) {
            for (float t = start; t >= stop; t -= float(kSampleStep)) {
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
            for (float t = 3.1415927f; t >= -kPi; t -= float(kSampleStep)) {
                const PointF q = k.ellipse(t);
                if (q.x > to) break;
                if (q.x > from) out.add(q.x, q.y);
            }
            out.add(to, y1t);
        }
        out.close();
    }

    // The two ends of the axis at θ, then the centre.
    std::vector<ControlPoint> controlPoints(const double* c) const override {
        const Central k = Central::Of(c);
        return {ControlPoint(float(k.x0 + k.a * std::cos(k.theta)), float(k.y0 + k.a * std::sin(k.theta))),
                ControlPoint(float(k.x0 - k.b * std::sin(k.theta)), float(k.y0 + k.b * std::cos(k.theta))),
                ControlPoint(float(k.x0), float(k.y0))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        return reshapeCentral(c, p, i, d, 2, 0, 1);
    }

    int xIntercepts(const double* c) const override {
        const Central k = Central::Of(c);
        return Crossings(k.y0, k.b);
    }
    int yIntercepts(const double* c) const override {
        const Central k = Central::Of(c);
        return Crossings(k.x0, k.a) == 2 ? 2 : 1;
    }
    SignatureRule signatureRule() const override { return SignatureRule::Ellipse; }
};

class Hyperbola final : public Conic {
public:
    Hyperbola() : Conic("Hyperbola", ConicShape::Hyperbola) {}

    std::string canonical(const double* c) const override { return centralText(c); }
    bool ordinates(const double* c, double x, double& y1, double& y2) const override {
        return centralOrdinates(c, x, y1, y2);
    }

    // Two branches, each from one asymptote's direction to the other's.
    void sample(const double* c, const SampleFrame& /*frame*/, PieceSink& out) const override {
        const Frame k(Central::Of(c));
        const float step = float(kSampleStep);
        for (float t = 1.6207963f; t < kPi; t += step) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
        for (float t = -3.1415927f; t < -kHalfPi; t += step) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
        out.close();
        for (float t = -1.5207963f; t < 0; t += step) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
        for (float t = 0.0f; t < kHalfPi; t += step) out.add(k.hyperbola(t).x, k.hyperbola(t).y);
        out.close();
    }

    // The centre, the vertex, and the point b across from the vertex.
    std::vector<ControlPoint> controlPoints(const double* c) const override {
        const Central k = Central::Of(c);
        const double vx = k.x0 + k.a * std::cos(k.theta), vy = k.y0 + k.a * std::sin(k.theta);
        return {ControlPoint(float(k.x0), float(k.y0)), ControlPoint(float(vx), float(vy)),
                ControlPoint(float(vx - k.b * std::sin(k.theta)), float(vy + k.b * std::cos(k.theta)))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        return reshapeCentral(c, p, i, d, 0, 1, 2);
    }

    // The asymptotes, across the plot box (upright when nearly so).
    std::vector<GuideLine> guideLines(const double* c, const RectF& box) const override {
        const Central k = Central::Of(c);
        const double r = k.b / k.a, cs = std::cos(k.theta), sn = std::sin(k.theta);
        const double directions[2][2] = {{cs - r * sn, sn + r * cs}, {cs + r * sn, sn - r * cs}};
        std::vector<GuideLine> lines;
        for (const auto& d : directions) {
            if (std::fabs(d[0]) >= 0.001) {
                const double m = d[1] / d[0];
                lines.push_back({box.left, k.y0 + m * (box.left - k.x0), box.right, k.y0 + m * (box.right - k.x0)});
            } else {
                lines.push_back({k.x0, box.top, k.x0, box.bottom});
            }
        }
        return lines;
    }
};

class Parabola final : public Conic {
public:
    Parabola() : Conic("Parabola", ConicShape::Parabola) {}
    CoefficientListing listing() const override { return CoefficientListing::Focal; }

    std::string canonical(const double* c) const override {
        const Focal f = Focal::Of(c);
        const double p = f.p, vx = f.x0, vy = f.y0, theta = f.theta;
        const std::string focal = p > 0 ? " - " + Num(4 * p) : " + " + Num(-4 * p);
        if (theta == 0) {
            const std::string tail = vx == 0 ? "*x = 0" : "*" + Shifted("x", vx) + " = 0";
            return Shifted("y", vy) + "^2" + focal + tail;
        }
        if (theta == kHalfPi) {
            const std::string tail = vy == 0 ? "*y = 0" : "*" + Shifted("y", vy) + " = 0";
            return Shifted("x", vx) + "^2" + focal + tail;
        }
        double s, co;
        SinCos(theta, s, co);
        const double b = -2 * s * co;
        const double k[6] = {s * s,
                             b,
                             co * co,
                             -2 * s * s * vx - b * vy - 4 * p * co,
                             -2 * co * co * vy - b * vx - 4 * p * s,
                             s * s * vx * vx + b * vx * vy + co * co * vy * vy + 4 * p * co * vx + 4 * p * s * vy};
        return GeneralForm(k);
    }

    void translate(double* c, double dx, double dy) const override {
        Focal f = Focal::Of(c);
        f.x0 += dx;
        f.y0 += dy;
        f.store(c);
    }

    // y = vertex y ± √(4p(x − vertex x)).
    bool ordinates(const double* c, double x, double& y1, double& y2) const override {
        const Focal f = Focal::Of(c);
        const double s = std::sqrt((x - f.x0) * 4 * f.p);
        y1 = f.y0 + s;
        y2 = f.y0 - s;
        return true;
    }

    void sample(const double* c, const SampleFrame& /*frame*/, PieceSink& out) const override {
        const Focal f = Focal::Of(c);
        const double cs = std::cos(f.theta), sn = std::sin(f.theta);
        for (double s = -10; s <= 10; s += kSampleStep)
            out.add(f.p * cs * s * s + f.x0 - 2 * f.p * sn * s, f.p * sn * s * s + f.y0 + 2 * f.p * cs * s);
        out.close();
    }

    // The vertex and the point at parameter 1.
    std::vector<ControlPoint> controlPoints(const double* c) const override {
        const Focal f = Focal::Of(c);
        return {ControlPoint(float(f.x0), float(f.y0)),
                ControlPoint(float(f.x0 + f.p * std::cos(f.theta) - 2 * f.p * std::sin(f.theta)),
                             float(f.y0 + f.p * std::sin(f.theta) + 2 * f.p * std::cos(f.theta)))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        Focal f = Focal::Of(c);
        const bool ok = reshape(f, p, i, d);
        f.store(c);
        return ok;
    }

private:
    bool reshape(Focal& f, std::vector<ControlPoint>& p, int i, PointF d) const {
        if (p[i].pinned) return true;
        if (i == 0 && !p[1].pinned) {
            CarryAll(p, f.x0, f.y0, d);
            return true;
        }
        p[i].x += d.x;
        p[i].y += d.y;
        // F − V = p·(u + 2w) with u the axis and w its normal: |F − V| = |p|·√5
        // and the direction lies atan(2) beyond the axis (half a turn more when p < 0).
        const Vec fv = Sub(p[1], p[0]);
        const double sign = f.p < 0 ? -1.0 : 1.0;
        f.p = sign * Length(fv) / std::sqrt(5.0);
        f.x0 = p[0].x;
        f.y0 = p[0].y;
        f.theta = WrapAngle(std::atan2(fv.y, fv.x) - std::atan2(2.0, 1.0) - (sign < 0 ? kPi : 0.0));
        return f.p != 0;
    }
};

}  // namespace

const CurveKind& EllipseKind() {
    static const Ellipse kind;
    return kind;
}
const CurveKind& HyperbolaKind() {
    static const Hyperbola kind;
    return kind;
}
const CurveKind& ParabolaKind() {
    static const Parabola kind;
    return kind;
}

}  // namespace MathEx
