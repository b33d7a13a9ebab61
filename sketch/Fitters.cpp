// SPDX-License-Identifier: MIT
#include "sketch/Fitters.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "mathex/CubicThrough.h"
#include "mathex/SmartNumber.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kGridStep = 0.1;  // graph units along x, or radians
// A stroke wider than this many grid steps (20 000 graph units) is far beyond
// any view; walking its grid would take too long, and far from the origin a
// single-precision step stops advancing x at all.
constexpr double kMaxGridSteps = 200000;

// The sample parameter t(k) = k / (S − 1).
double SampleParameter(int k, int samples) { return samples > 1 ? double(k) / (samples - 1) : 0.0; }

// Squared distance with the distance in single precision, as every fitter measures.
double SquaredDistance(const PointF& a, const PointF& b) {
    const double d = (a - b).length();
    return d * d;
}

// For each point of `from`, the smallest squared distance to a point of `to`,
// summed: the coverage term with (samples, stroke), a fidelity term with
// (stroke, model points). An empty `to` is infinitely far.
double SumOfNearestSquared(const std::vector<PointF>& from, const std::vector<PointF>& to) {
    double sum = 0.0;
    for (const PointF& p : from) {
        double nearest = kInfinity;
        for (const PointF& q : to) nearest = std::min(nearest, SquaredDistance(p, q));
        sum += nearest;
    }
    return sum;
}

// A candidate of the kind, unusable until scored, with the stroke's end points.
ShapeCandidate Begin(FitKind kind, const Stroke& stroke) {
    ShapeCandidate c;
    c.kind = kind;
    c.score = kInfinity;
    if (!stroke.empty()) {
        c.startPoint = stroke.front();
        c.endPoint = stroke.back();
    }
    return c;
}

// Points to fit: at least one, every coordinate finite (a non-finite one would
// drop out of the nearest-point minima unnoticed).
bool CanFit(const Stroke& stroke) {
    return !stroke.empty() && std::all_of(stroke.begin(), stroke.end(), [](const PointF& p) {
        return std::isfinite(p.x) && std::isfinite(p.y);
    });
}

// A score that is not a number (non-finite input) counts as unusable.
ShapeCandidate Scored(ShapeCandidate c, double score) {
    c.score = score >= 0.0 ? score : kInfinity;
    return c;
}

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Points (x, f(x)) for x = xlo, xlo + 0.1, … while x < xhi, the step accumulated
// in Real. False when the grid is too large to walk.
template <typename Real, typename Function>
bool XGrid(float xlo, float xhi, Function f, std::vector<PointF>& grid) {
    if (!((double(xhi) - xlo) / kGridStep <= kMaxGridSteps)) return false;
    const Real step = Real(kGridStep);
    for (Real x = Real(xlo); x < Real(xhi);) {
        grid.emplace_back(float(x), float(f(double(x))));
        const Real next = x + step;
        if (!(next > x)) return false;  // the step vanished in the rounding of x
        x = next;
    }
    return true;
}

// Samples at x(k) between the end points and the fidelity against the x grid,
// shared by the two polynomial fitters.
template <typename Real, typename Function>
double PolynomialScore(const Stroke& stroke, int samples, Function f) {
    const PointF p = stroke.front(), e = stroke.back();
    std::vector<PointF> sample;
    for (int k = 0; k < samples; ++k) {
        const double t = SampleParameter(k, samples);
        const double x = (1 - t) * p.x + t * e.x;
        sample.emplace_back(float(x), float(f(x)));
    }
    std::vector<PointF> grid;
    if (!XGrid<Real>(std::min(p.x, e.x), std::max(p.x, e.x), f, grid)) return kInfinity;
    return SumOfNearestSquared(sample, stroke.points()) + SumOfNearestSquared(stroke.points(), grid);
}

// The highest (or lowest) point of stroke[from..to], walked from `from` towards
// `to`; the walk starts at stroke[from] and moves only to a strictly better point.
PointF Extreme(const Stroke& stroke, std::ptrdiff_t from, std::ptrdiff_t to, bool highest) {
    PointF best = stroke[size_t(from)];
    const std::ptrdiff_t direction = to >= from ? 1 : -1;
    for (std::ptrdiff_t i = from; i != to + direction; i += direction) {
        const PointF& q = stroke[size_t(i)];
        if (highest ? q.y > best.y : q.y < best.y) best = q;
    }
    return best;
}

}  // namespace

ShapeCandidate fitLine(const Stroke& stroke, int samples) {
    ShapeCandidate c = Begin(FK_LINE, stroke);
    const PointF p = c.startPoint, e = c.endPoint;
    const double dx = double(e.x) - p.x, dy = double(e.y) - p.y;
    const double d2 = dx * dx + dy * dy;
    if (!CanFit(stroke) || d2 == 0.0) return c;  // coinciding end points: no direction
    std::vector<PointF> sample;
    for (int k = 0; k < samples; ++k) {
        const double t = SampleParameter(k, samples);
        sample.push_back(p * (1 - t) + e * t);
    }
    double fidelity = 0.0;
    for (const PointF& q : stroke) {
        const double vx = double(q.x) - p.x, vy = double(q.y) - p.y;
        const double along = vx * dx + vy * dy;
        // Rounding can push a point on the line a hair below zero.
        fidelity += std::max(0.0, vx * vx + vy * vy - along * along / d2);
    }
    return Scored(c, SumOfNearestSquared(sample, stroke.points()) + fidelity);
}

ShapeCandidate fitQuadratic(const Stroke& stroke, int samples) {
    ShapeCandidate c = Begin(FK_QUADRATIC, stroke);
    if (!CanFit(stroke)) return c;
    const PointF p = c.startPoint, e = c.endPoint;
    const double xm = (double(p.x) + e.x) / 2;
    const auto [low, high] = std::minmax_element(stroke.begin(), stroke.end(),
                                                 [](const PointF& a, const PointF& b) { return a.y < b.y; });
    const double ymax = high->y, ymin = low->y;
    const double q = std::fabs(ymax - p.y) > std::fabs(ymin - p.y) ? ymax : ymin;  // the vertex height
    if (p.x == xm) return c;  // end points with the same x: no parabola through P with its vertex at xm
    const double v = (p.y - q) / ((p.x - xm) * (p.x - xm));
    // v = 0 only for a level stroke: its "parabola" is the straight line itself,
    // which would tie the line fitter at 0 and win on rounding.
    if (v == 0.0) return c;
    const double a = v, b = -2 * xm * v, cc = q + xm * xm * v;
    c.coeffs[0] = a;
    c.coeffs[1] = b;
    c.coeffs[2] = cc;
    if (!AllFinite({a, b, cc})) return c;
    const auto f = [=](double x) { return a * x * x + b * x + cc; };
    return Scored(c, PolynomialScore<double>(stroke, samples, f));
}

ShapeCandidate fitCubic(const Stroke& stroke, int samples) {
    ShapeCandidate c = Begin(FK_CUBIC, stroke);
    const size_t n = stroke.size();
    if (n < 2 || !CanFit(stroke)) return c;
    const PointF p = c.startPoint, e = c.endPoint;
    const std::ptrdiff_t m = std::ptrdiff_t(n / 2), last = std::ptrdiff_t(n) - 1;  // halves [0, m) and [m, n)
    const auto firstHalf = [&](bool highest) { return Extreme(stroke, 0, m - 1, highest); };
    const auto secondHalf = [&](bool highest) { return Extreme(stroke, last, m, highest); };
    PointF a, b;
    if (e.x > p.x && e.y > p.y) {
        a = firstHalf(true), b = secondHalf(false);
    } else if (e.x < p.x && e.y < p.y) {
        a = secondHalf(true), b = firstHalf(false);
    } else if (e.x > p.x && e.y < p.y) {
        a = firstHalf(false), b = secondHalf(true);
    } else {
        a = secondHalf(false), b = firstHalf(true);
    }
    const double xs[4] = {p.x, a.x, b.x, e.x}, ys[4] = {p.y, a.y, b.y, e.y};
    if (!MathEx::CubicThrough(xs, ys, c.coeffs)) return c;  // a singular system
    const double ca = c.coeffs[0], cb = c.coeffs[1], cc = c.coeffs[2], cd = c.coeffs[3];
    const auto f = [=](double x) { return ((ca * x + cb) * x + cc) * x + cd; };
    return Scored(c, PolynomialScore<float>(stroke, samples, f));
}

ShapeCandidate fitArc(const Stroke& stroke, int samples) {
    ShapeCandidate c = Begin(FK_ARC, stroke);
    if (!CanFit(stroke)) return c;
    const PointF p = c.startPoint, e = c.endPoint, m = stroke[stroke.size() / 2];
    const double amx = double(m.x) - p.x, amy = double(m.y) - p.y;
    const double mex = double(e.x) - m.x, mey = double(e.y) - m.y;
    const double k1 = (double(m.x) * m.x + double(m.y) * m.y) - (double(p.x) * p.x + double(p.y) * p.y);
    const double k2 = (double(e.x) * e.x + double(e.y) * e.y) - (double(m.x) * m.x + double(m.y) * m.y);
    const double f = amx * mey - amy * mex;
    if (f == 0.0) return c;  // collinear: no circle through the three points
    const double zx = (mey * k1 - amy * k2) / (2 * f), zy = (amx * k2 - mex * k1) / (2 * f);
    const PointF z{float(zx), float(zy)};
    const float r = (p - z).length(), h = (e - p).length();
    c.center = z;
    c.coeffs[0] = r;
    if (!AllFinite({z.x, z.y, r})) return c;
    if (1.5 * h < r) return Scored(c, kFlatArcScore);

    std::vector<PointF> sample;
    for (int k = 0; k < samples; ++k) {
        const double t = SampleParameter(k, samples);
        const PointF towards = p * (1 - t) + e * t - z;
        const double length = towards.length();
        // Only a chord through the centre has a point there, and then no direction to project along.
        if (length > 0.0) sample.push_back(z + towards * (r / length));
    }
    double fidelity = 0.0;
    for (const PointF& q : stroke) {
        const double off = double((q - z).length()) - r;
        fidelity += off * off;
    }
    return Scored(c, SumOfNearestSquared(sample, stroke.points()) + fidelity);
}

ShapeCandidate fitEllipse(const Stroke& stroke, int samples) {
    ShapeCandidate c = Begin(FK_ELLIPSE, stroke);
    if (!CanFit(stroke)) return c;
    float left = stroke.front().x, right = left, bottom = stroke.front().y, top = bottom;
    for (const PointF& q : stroke) {
        left = std::min(left, q.x), right = std::max(right, q.x);
        bottom = std::min(bottom, q.y), top = std::max(top, q.y);
    }
    const double zx = (double(left) + right) / 2, zy = (double(top) + bottom) / 2;
    const double ax = (double(right) - left) / 2, ay = (double(top) - bottom) / 2;
    c.center = PointF(float(zx), float(zy));
    c.coeffs[0] = ax;
    c.coeffs[1] = ay;
    // A box without width or height has no ellipse (and a point-sized one would fit anything).
    if (!(ax > 0.0 && ay > 0.0) || !AllFinite({zx, zy, ax, ay})) return c;
    const auto at = [&](double theta) { return PointF(float(zx + ax * std::cos(theta)), float(zy + ay * std::sin(theta))); };

    std::vector<PointF> sample, model;
    for (int k = 0; k < samples; ++k) sample.push_back(at(SampleParameter(k, samples) * 2 * MathEx::kPi));
    for (double theta = 0.0; theta < MathEx::kTwoPi; theta += kGridStep) model.push_back(at(theta));
    return Scored(c, SumOfNearestSquared(sample, stroke.points()) + SumOfNearestSquared(stroke.points(), model));
}

std::array<ShapeCandidate, kFitKindCount> runFitters(const Stroke& stroke, int samples) {
    return {fitLine(stroke, samples), fitQuadratic(stroke, samples), fitCubic(stroke, samples),
            fitArc(stroke, samples), fitEllipse(stroke, samples)};
}
