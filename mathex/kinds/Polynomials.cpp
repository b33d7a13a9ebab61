// SPDX-License-Identifier: MIT
// The closed polynomials: the line, the quadratic, the cubic and the quartic,
// coefficients highest power first; and the polynomial of higher degree,
// which is drawn from its equation and has no coefficients of its own.
//
// Reshaping: the line goes through its two points; the quadratic keeps its
// vertex and two points a unit either side of it (dragging the vertex lifts
// it, or moves it sideways with the free side point when one side is pinned;
// dragging a side point mirrors the other one, or stretches the curve from a
// pinned side). The cubic: the dragged point moves (a pinned one does not move
// at all); the cubic is then fitted exactly through four points: the dragged
// one, the pinned ones, and as many free ones (in order) as are still needed.
// Free points that did not take part keep their x and move onto the new
// curve. A set of points without four distinct abscissas leaves the curve as
// it was.
#include <algorithm>
#include <cmath>

#include "mathex/CubicThrough.h"
#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"
#include "mathex/Roots.h"
#include "mathex/kinds/CanonicalTerms.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

using namespace Canonical;

namespace {

class Polynomial : public CurveKind {
public:
    Polynomial(const char* name, int degree) : name_(name), degree_(degree) {}
    const char* displayName() const override { return name_; }
    CoefficientListing listing() const override { return CoefficientListing::Lettered; }
    int listedCount() const override { return degree_ + 1; }
    int degree() const override { return degree_; }
    bool hasCoefficients() const override { return true; }
    SignatureRule signatureRule() const override { return SignatureRule::Polynomial; }

    bool ordinates(const double* c, double x, double& y1, double& y2) const override {
        double y = 0;
        for (int i = 0; i <= degree_; ++i) y = y * x + c[i];  // Horner
        y1 = y2 = y;
        return true;
    }

protected:
    ControlPoint onCurve(const double* c, double x) const {
        double y1, y2;
        ordinates(c, x, y1, y2);
        return ControlPoint(float(x), float(y1));
    }

private:
    const char* name_;
    int degree_;
};

class Line final : public Polynomial {
public:
    Line() : Polynomial("Line", 1) {}

    std::string canonical(const double* c) const override {
        const double a = c[0], b = c[1];
        std::string s = "y = ";
        if (a == 1) s += "x";
        else if (a == -1) s += "-x";
        else if (a != 0) s += Num(a) + "*x";
        if (b < 0) s += Num(b);
        else if (b > 0) s += (a == 0 ? "" : " + ") + Num(b);
        else if (a == 0) s += "0";  // "y = " alone would not parse
        return s;
    }

    void translate(double* c, double dx, double dy) const override { c[1] += dy - dx * c[0]; }

    // y = a·x + b as −a·x + y − b = 0, which gives a and b back exactly.
    std::optional<Quadric> quadric(const MathExp& e) const override {
        return Quadric{0, 0, 0, -e.coeffs[0], 1, -e.coeffs[1]};
    }

    std::vector<ControlPoint> controlPoints(const double* c) const override {
        return {ControlPoint(-1.0f, float(c[1] - c[0])), ControlPoint(1.0f, float(c[1] + c[0]))};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        p[i] = ControlPoint(p[i].x + d.x, p[i].y + d.y, p[i].pinned);
        c[0] = (double(p[1].y) - p[0].y) / (double(p[1].x) - p[0].x);
        c[1] = p[0].y - p[0].x * c[0];
        return true;
    }

    // A horizontal line never meets the x-axis, even y = 0.
    int xIntercepts(const double* c) const override { return c[0] == 0.0 ? 0 : Polynomial::xIntercepts(c); }
};

class Quadratic final : public Polynomial {
public:
    Quadratic() : Polynomial("Quadratic", 2) {}

    std::string canonical(const double* c) const override {
        return "y = " + LeadingTerm(c[0], "x^2") + SignedTerm(c[1], "x", true) + ConstantTerm(c[2]);
    }

    void translate(double* c, double dx, double dy) const override {
        const double c0 = c[0], c1 = c[1], dx2 = dx * dx;
        c[2] += dy + c0 * dx2 - c1 * dx;
        c[1] -= 2 * c0 * dx;
    }

    std::vector<double> criticalAbscissas(const MathExp& e, std::vector<bool>& minimum) const override {
        const double a = e.coeffs[0], b = e.coeffs[1];
        minimum = {a > 0};
        return {-b / (2 * a)};
    }

    // t where h = f(t) + f'(t)·(g − t).
    std::vector<double> touchingAbscissas(const double* c, double g, double h) const override {
        const double r = std::sqrt((c[0] * g * g + c[1] * g + c[2] - h) / c[0]);
        return {g + r, g - r};
    }

    std::vector<ControlPoint> controlPoints(const double* c) const override {
        const double vx = -c[1] / (2 * c[0]);
        return {onCurve(c, vx - 1), onCurve(c, vx), onCurve(c, vx + 1)};
    }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        ControlPoint &L = p[0], &V = p[1], &R = p[2];
        if (p[i].pinned) return true;
        if (i == 1) {
            if (L.pinned == R.pinned) {
                V.y += d.y;
            } else {
                V.x += d.x;
                V.y += d.y;
                if (L.pinned) R.x = 2 * V.x - L.x;
                else L.x = 2 * V.x - R.x;
            }
        } else {
            ControlPoint& moved = i == 2 ? R : L;
            ControlPoint& other = i == 2 ? L : R;
            if (other.pinned && V.pinned) return true;
            if (other.pinned) {
                moved.x += d.x;
                V.x = (L.x + R.x) / 2;
            } else {
                moved.x += d.x;
                moved.y += d.y;
                other.x -= d.x;
                other.y += d.y;
            }
        }
        const double h = V.x, k = V.y, x0 = L.x, y0 = L.y;
        c[0] = (y0 - k) / ((x0 - h) * (x0 - h));
        c[1] = -2 * c[0] * h;
        c[2] = k + c[0] * h * h;
        return true;
    }
};

class Cubic final : public Polynomial {
public:
    Cubic() : Polynomial("Cubic", 3) {}

    std::string canonical(const double* c) const override {
        return "y = " + LeadingTerm(c[0], "x^3") + SignedTerm(c[1], "x^2") + SignedTerm(c[2], "x") +
               ConstantTerm(c[3]);
    }

    void translate(double* c, double dx, double dy) const override {
        const double c0 = c[0], c1 = c[1], c2 = c[2];
        const double dx2 = dx * dx, dx3 = dx2 * dx;
        c[3] += dy + c1 * dx2 - c0 * dx3 - c2 * dx;
        c[2] += 3 * c0 * dx2 - 2 * c1 * dx;
        c[1] -= 3 * c0 * dx;
    }

    std::vector<double> criticalAbscissas(const MathExp& e, std::vector<bool>& minimum) const override {
        const double a = e.coeffs[0], b = e.coeffs[1], c = e.coeffs[2];
        const double d = b * b - 3 * a * c;
        // A horizontal inflection (y = −0.5(x + 1.7)³ + 1.25) gives d = 0 in
        // exact arithmetic and a few ulps either way in ours: two critical
        // points that coincide within the coefficients' rounding are none, and
        // the cubic is monotonic.
        const double noise = 1e-9 * (b * b + std::fabs(3 * a * c));
        minimum.clear();
        if (!(d > noise)) return {};
        // The first root is always the maximum and the second the minimum: for
        // a < 0 the division turns the order of the roots round too.
        minimum = {false, true};
        return {(-std::sqrt(d) - b) / (3 * a), (std::sqrt(d) - b) / (3 * a)};
    }

    std::vector<double> touchingAbscissas(const double* c, double g, double h) const override {
        return CubicRoots(2 * c[0], c[1] - 3 * c[0] * g, -2 * c[1] * g, h - c[2] * g - c[3]);
    }

    // Four points at the critical points and a step beyond them; five even
    // steps about the inflection when there are no critical points.
    std::vector<ControlPoint> controlPoints(const double* c) const override {
        std::vector<ControlPoint> points;
        const double j = c[1] * c[1] - 3 * c[0] * c[2];
        if (j > 0) {
            const double r = std::sqrt(j);
            for (double k : {-2.0, -1.0, 1.0, 2.0}) points.push_back(onCurve(c, (-c[1] + k * r) / (3 * c[0])));
        } else {
            const double x0 = -c[1] / (3 * c[0]);
            for (double k : {-2.0, -1.0, 0.0, 1.0, 2.0}) points.push_back(onCurve(c, x0 + k));
        }
        return points;
    }

    std::optional<bool> monotonic(const double* c) const override { return !(c[1] * c[1] - 3 * c[0] * c[2] > 0); }

    bool reshape(double* c, std::vector<ControlPoint>& p, int i, PointF d) const override {
        if (p[i].pinned) return true;
        p[i].x += d.x;
        p[i].y += d.y;
        std::vector<PointF> through{p[i]};
        std::vector<bool> used(p.size(), false);
        used[i] = true;
        for (size_t k = 0; k < p.size() && through.size() < 4; ++k)
            if (p[k].pinned && !used[k]) through.push_back(p[k]), used[k] = true;
        for (size_t k = 0; k < p.size() && through.size() < 4; ++k)
            if (!used[k]) through.push_back(p[k]), used[k] = true;
        if (through.size() < 4) return false;
        double xs[4], ys[4], fit[4];
        for (int k = 0; k < 4; ++k) xs[k] = through[size_t(k)].x, ys[k] = through[size_t(k)].y;
        if (!CubicThrough(xs, ys, fit)) return false;
        std::copy(fit, fit + 4, c);
        for (size_t k = 0; k < p.size(); ++k)
            if (!used[k]) p[k].y = float(((fit[0] * p[k].x + fit[1]) * p[k].x + fit[2]) * p[k].x + fit[3]);
        return true;
    }
};

class Quartic final : public Polynomial {
public:
    Quartic() : Polynomial("Quartic", 4) {}

    std::string canonical(const double* c) const override {
        return "y = " + LeadingTerm(c[0], "x^4") + SignedTerm(c[1], "x^3") + SignedTerm(c[2], "x^2") +
               SignedTerm(c[3], "x") + ConstantTerm(c[4]);
    }

    void translate(double* c, double dx, double dy) const override {
        const double c0 = c[0], c1 = c[1], c2 = c[2], c3 = c[3];
        const double dx2 = dx * dx, dx3 = dx2 * dx, dx4 = dx3 * dx;
        c[4] += dy + c0 * dx4 - c1 * dx3 + c2 * dx2 - c3 * dx;
        c[3] += 3 * c1 * dx2 - 4 * c0 * dx3 - 2 * c2 * dx;
        c[2] += 6 * c0 * dx2 - 3 * c1 * dx;
        c[1] -= 4 * c0 * dx;
    }

    // The critical points are the real roots of the derivative 4a·x³ + 3b·x² +
    // 2c·x + d. Three distinct roots alternate minimum, maximum, minimum (for
    // a > 0). A double root is an inflection, not an extremum: of the two
    // roots reported, the extremum is the one with the lower value for a > 0
    // (higher for a < 0). A triple root (y = x⁴) is one extremum.
    std::vector<double> criticalAbscissas(const MathExp& e, std::vector<bool>& minimum) const override {
        const double a = e.coeffs[0];
        std::vector<double> roots = CubicRoots(4 * a, 3 * e.coeffs[1], 2 * e.coeffs[2], e.coeffs[3]);
        minimum.clear();
        const bool allSame = roots.size() == 3 && roots[0] == roots[1] && roots[1] == roots[2];
        if (roots.size() == 1 || allSame) {
            minimum = {a > 0};
            return {roots[0]};
        }
        if (roots.size() == 2) {
            const double v0 = e.Evaluate(roots[0]), v1 = e.Evaluate(roots[1]);
            const bool firstIsExtremum = a > 0 ? v0 < v1 : v0 > v1;
            minimum = {a > 0};
            return {firstIsExtremum ? roots[0] : roots[1]};
        }
        if (roots.size() == 3) {
            std::sort(roots.begin(), roots.end());
            minimum = {a > 0, a < 0, a > 0};
            return roots;
        }
        return {};
    }

    std::vector<double> touchingAbscissas(const double* c, double g, double h) const override {
        return QuarticRoots(3 * c[0], 2 * c[1] - 4 * c[0] * g, c[2] - 3 * c[1] * g, -2 * c[2] * g,
                            h - c[3] * g - c[4]);
    }
};

// Degree five and more: drawn from its equation, compared as a polynomial
// whose order the signature does not know.
class HigherPolynomial final : public CurveKind {
public:
    SignatureRule signatureRule() const override { return SignatureRule::Polynomial; }
};

}  // namespace

const CurveKind& LineKind() {
    static const Line kind;
    return kind;
}
const CurveKind& QuadraticKind() {
    static const Quadratic kind;
    return kind;
}
const CurveKind& CubicKind() {
    static const Cubic kind;
    return kind;
}
const CurveKind& QuarticKind() {
    static const Quartic kind;
    return kind;
}
const CurveKind& HigherPolynomialKind() {
    static const HigherPolynomial kind;
    return kind;
}

}  // namespace MathEx
