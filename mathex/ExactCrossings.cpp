// SPDX-License-Identifier: MIT
// Each curve says what equation of degree one or two it is (CurveKind::quadric);
// a line put into the other curve's equation leaves a quadratic along the line.
// The vertical line against y = f(x) needs only f. Any other pair is left to
// the graph's search on the drawn curves.
#include "mathex/ExactCrossings.h"

#include <algorithm>
#include <cmath>

#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"

namespace MathEx {

namespace {

// A coefficient this small beside the terms it was summed from is what is left
// of terms that cancel: a line along an asymptote of a hyperbola or the axis of
// a parabola has no square term, two parallel lines no term in x at all.
constexpr double kCancelled = 1e-12;
// A discriminant this small beside its terms is a tangent touching once, not
// two crossings a rounding apart.
constexpr double kTouch = 1e-10;

// y = m·x + k, or x = k when upright: the points (x0, y0) + t·(dx, dy).
struct Line {
    bool upright;
    double m, k;
    double x0() const { return upright ? k : 0; }
    double y0() const { return upright ? 0 : k; }
    double dx() const { return upright ? 0 : 1; }
    double dy() const { return upright ? 1 : m; }
    Crossing at(double t) const { return upright ? Crossing{k, t} : Crossing{t, m * t + k}; }
};

std::optional<Line> AsLine(const Quadric& q) {
    if (!q.linear()) return std::nullopt;
    if (q.E != 0) return Line{false, -q.D / q.E, -q.F / q.E};
    if (q.D != 0) return Line{true, 0, -q.F / q.D};
    return std::nullopt;
}

// a2·t² + a1·t + a0 = 0 along a line, with the size of what each coefficient
// is summed from: what its rounding is measured against. A conic's square
// terms carry the rounding of its largest one (a turned hyperbola's x² term
// may be all rounding), so each counts at the size of the three together.
struct AlongLine {
    double a2, a1, a0;
    double s2, s1, s0;
};

AlongLine Substitute(const Line& l, const Quadric& q) {
    const double x0 = l.x0(), y0 = l.y0(), dx = l.dx(), dy = l.dy();
    const double square = std::abs(q.A) + std::abs(q.B) + std::abs(q.C);
    return {q.A * dx * dx + q.B * dx * dy + q.C * dy * dy,
            2 * q.A * x0 * dx + q.B * (x0 * dy + y0 * dx) + 2 * q.C * y0 * dy + q.D * dx + q.E * dy,
            q.A * x0 * x0 + q.B * x0 * y0 + q.C * y0 * y0 + q.D * x0 + q.E * y0 + q.F,
            square * (dx * dx + std::abs(dx * dy) + dy * dy),
            square * 2 * (std::abs(x0 * dx) + std::abs(x0 * dy) + std::abs(y0 * dx) + std::abs(y0 * dy)) +
                std::abs(q.D * dx) + std::abs(q.E * dy),
            square * (x0 * x0 + std::abs(x0 * y0) + y0 * y0) + std::abs(q.D * x0) + std::abs(q.E * y0) + std::abs(q.F)};
}

// The real roots, a double root once. None when the line lies along the other
// curve (every coefficient vanishes) or runs beside it (only a0 is left).
std::vector<double> Roots(const AlongLine& q) {
    const double a2 = std::abs(q.a2) <= kCancelled * q.s2 ? 0.0 : q.a2;
    const double a1 = std::abs(q.a1) <= kCancelled * q.s1 ? 0.0 : q.a1;
    const double a0 = q.a0;
    if (a2 == 0) {
        if (a1 == 0) return {};
        return {-a0 / a1};
    }
    const double discriminant = a1 * a1 - 4 * a2 * a0;
    if (std::abs(discriminant) <= kTouch * (q.s1 * q.s1 + 4 * q.s2 * q.s0)) return {-a1 / (2 * a2)};
    if (discriminant < 0) return {};
    // a1 and sign(a1)·√Δ have one sign: their sum loses nothing, and neither
    // root is the small difference of two large numbers.
    const double r = -0.5 * (a1 + std::copysign(std::sqrt(discriminant), a1));
    return {r / a2, a0 / r};
}

std::optional<Quadric> QuadricOf(const MathExp& e) {
    const std::optional<Quadric> q = e.kind().quadric(e);
    if (!q) return std::nullopt;
    for (double v : {q->A, q->B, q->C, q->D, q->E, q->F})
        if (!std::isfinite(v)) return std::nullopt;
    return q;
}

// y = f(x) at x: from the coefficients where the kind works it out (as the
// graph's ordinates are), else from the equation; not a number where f is not
// defined.
double Ordinate(const MathExp& f, double x) {
    double y1, y2;
    if (f.kind().ordinates(f.coeffs, x, y1, y2)) return y1;
    try {
        return f.Evaluate(x);
    } catch (...) {
        return std::nan("");
    }
}

bool IsFunctionOfX(const MathExp& e) { return e.form == FORM_EXPLICIT && e.Main(); }

}  // namespace

std::optional<std::vector<Crossing>> ExactCrossings(const MathExp& a, const MathExp& b) {
    const std::optional<Quadric> qa = QuadricOf(a), qb = QuadricOf(b);
    const std::optional<Line> la = qa ? AsLine(*qa) : std::nullopt, lb = qb ? AsLine(*qb) : std::nullopt;
    std::vector<Crossing> points;
    if (la && qb) {
        for (double t : Roots(Substitute(*la, *qb))) points.push_back(la->at(t));
    } else if (lb && qa) {
        for (double t : Roots(Substitute(*lb, *qa))) points.push_back(lb->at(t));
    } else if (la && la->upright && IsFunctionOfX(b)) {
        points.push_back({la->k, Ordinate(b, la->k)});
    } else if (lb && lb->upright && IsFunctionOfX(a)) {
        points.push_back({lb->k, Ordinate(a, lb->k)});
    } else {
        return std::nullopt;
    }
    std::erase_if(points, [](Crossing p) { return !std::isfinite(p.x) || !std::isfinite(p.y); });
    // A sign on zero (x = 0 is stored as x = −0) is nothing a reader should see.
    for (Crossing& p : points) p = {p.x + 0.0, p.y + 0.0};
    std::sort(points.begin(), points.end(), [](Crossing p, Crossing q) { return p.x != q.x ? p.x < q.x : p.y < q.y; });
    return points;
}

}  // namespace MathEx
