// SPDX-License-Identifier: MIT
#include "graph/Intersections.h"
#include "mathex/CurveKind.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <unordered_map>

#include "core/RectF.h"
#include "graph/EquationObject.h"
#include "mathex/ExactCrossings.h"
#include "mathex/Markers.h"
#include "mathex/Roots.h"

using namespace MathEx;

namespace {

bool IsPolynomialCurve(const EquationObject& e) {
    if (!e.expression()) return false;
    return e.expression()->kind().degree() > 0;
}

// Coefficients in ascending order of power (element k multiplies x^k).
std::vector<double> Ascending(const EquationObject& e) {
    std::vector<double> c = e.coefficients();  // highest power first
    return std::vector<double>(c.rbegin(), c.rend());
}

// The longer vector minus the shorter one (on equal length, b minus a).
std::vector<double> Difference(const std::vector<double>& a, const std::vector<double>& b) {
    const bool bLonger = b.size() >= a.size();
    const std::vector<double>& longer = bLonger ? b : a;
    const std::vector<double>& shorter = bLonger ? a : b;
    std::vector<double> d = longer;
    for (size_t k = 0; k < shorter.size(); ++k) d[k] = longer[k] - shorter[k];
    return d;
}

void AddPairIntersections(const EquationObject& first, const EquationObject& second, std::vector<PointF>& out) {
    // An identically zero difference (equal curves) is reported as BadArguments
    // and a failed root search as TooManyIterations: both leave the pair unmarked.
    const ComplexRoots roots = PolynomialRoots(Difference(Ascending(first), Ascending(second)));
    if (roots.status != RootStatus::Ok) return;
    for (size_t k = 0; k < roots.re.size(); ++k) {
        if (roots.im[k] != 0.0f) continue;
        const double x = roots.re[k];
        double y1, y2;
        first.ordinates(x, y1, y2);
        const PointF p(static_cast<float>(x), static_cast<float>(y1));
        if (std::isfinite(p.x) && std::isfinite(p.y)) out.push_back(p);
    }
}

// ---- any other pair: found on the sampled pieces, then refined ----

bool IsExplicit(const EquationObject& e) { return e.expression() && e.expression()->form == FORM_EXPLICIT; }
bool IsDrawnCurve(const EquationObject& e) {
    return e.expression() && (e.expression()->form == FORM_EXPLICIT || e.expression()->form == FORM_IMPLICIT) &&
           !e.pieces().empty();
}

// F(x, y), zero on the curve: y − f(x) for y = f(x), L − R for an implicit L = R.
double Residual(const EquationObject& e, double x, double y) {
    const MathExp& m = *e.expression();
    try {
        return m.form == FORM_EXPLICIT ? y - m.Evaluate(x) : m.Value(x, y);
    } catch (...) {
        return std::nan("");
    }
}

RectF Bounds(const EquationObject& e) {
    float left = std::numeric_limits<float>::max(), right = -left, bottom = left, top = -left;
    for (const Stroke& piece : e.pieces())
        for (const PointF& p : piece) {
            left = std::min(left, p.x), right = std::max(right, p.x);
            bottom = std::min(bottom, p.y), top = std::max(top, p.y);
        }
    return RectF(top, bottom, left, right);
}

// Whether the boxes overlap or lie within `margin` of each other (a curve that
// touches a line may stay a hair below it between its samples).
bool Overlap(const RectF& a, const RectF& b, double margin) {
    return a.left <= b.right + margin && b.left <= a.right + margin && a.bottom <= b.top + margin &&
           b.bottom <= a.top + margin;
}

// How far the curve may stray from the chord between samples k and k + 1 of a
// piece: a smooth curve that turns by φ over a chord of length L bends away
// from it by about L·φ/8 (allowed twice over), with φ the larger turn of the
// piece at either end. Nothing for a straight run: a line is its own chord.
// No turn exceeds π, so the bend never exceeds L·π/4.
double Bend(const Stroke& piece, size_t k) {
    auto turn = [&piece](size_t at) {  // the turn of the piece at sample `at`
        if (at == 0 || at + 1 >= piece.size()) return 0.0;
        const double ux = piece[at].x - piece[at - 1].x, uy = piece[at].y - piece[at - 1].y;
        const double vx = piece[at + 1].x - piece[at].x, vy = piece[at + 1].y - piece[at].y;
        return std::atan2(std::abs(ux * vy - uy * vx), ux * vx + uy * vy);
    };
    const double length = std::hypot(double(piece[k + 1].x - piece[k].x), double(piece[k + 1].y - piece[k].y));
    return 0.25 * length * std::max(turn(k), turn(k + 1));
}

// Whether p lies on one of the curve's drawn pieces: within `tolerance` of them,
// or beside a segment by no more than the curve bends away from that chord (a
// circle far larger than the view is drawn in chords longer than the
// tolerance allows). A point of the formula outside the curve's box or domain,
// beyond the end of a piece, is no crossing on the graph.
bool OnPieces(const EquationObject& e, PointF p, double tolerance) {
    for (const Stroke& piece : e.pieces()) {
        for (size_t k = 0; k < piece.size(); ++k) {
            const PointF a = piece[k], b = k + 1 < piece.size() ? piece[k + 1] : piece[k];
            const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
            const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
            const double distance = std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
            if (distance <= tolerance) return true;
            const bool beside = t > 0 && t < 1 && distance <= 0.25 * std::numbers::pi * std::sqrt(length2);
            if (beside && distance <= Bend(piece, k)) return true;
        }
    }
    return false;
}

// Samples of h across a piece of y = f(x), at least.
constexpr int kMinSamples = 512;

// Whether p lies inside the box the curve is drawn in (with a margin for rounding).
bool InBox(const EquationObject& e, PointF p, double margin) {
    const RectF& b = e.plotBox();
    return p.x >= std::min(b.left, b.right) - margin && p.x <= std::max(b.left, b.right) + margin &&
           p.y >= std::min(b.top, b.bottom) - margin && p.y <= std::max(b.top, b.bottom) + margin;
}

// On the drawn curve: in its box and on its pieces.
bool OnCurve(const EquationObject& e, PointF p, double tolerance) {
    return InBox(e, p, tolerance) && OnPieces(e, p, tolerance);
}

// How far apart two points may be and still be one crossing, and how far off a
// curve's sampled pieces a point may lie: a thousandth of the boxes the curves
// are drawn in (not of their pieces, which may run far out of sight).
double Tolerance(const EquationObject& first, const EquationObject& second) {
    double extent = 1.0;
    for (const RectF* b : {&first.plotBox(), &second.plotBox()})
        extent = std::max({extent, std::abs(double(b->right - b->left)), std::abs(double(b->top - b->bottom))});
    return 1e-3 * extent;
}

void AddOnce(std::vector<PointF>& found, PointF p, double tolerance) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    for (const PointF& q : found)
        if (std::hypot(double(q.x - p.x), double(q.y - p.y)) <= tolerance) return;
    found.push_back(p);
}

// A curve y = f(x) sampled once for all its pairs: each piece's own abscissas, and
// more between them where they are sparse (a line is drawn from two points: a
// touch needs samples on both sides), with f at each.
struct Samples {
    std::vector<std::vector<double>> xs, ys;
};

Samples SampleExplicit(const EquationObject& f) {
    Samples s;
    for (const Stroke& piece : f.pieces()) {
        if (piece.empty()) continue;
        const double step = std::abs(double(piece.back().x) - double(piece.front().x)) / kMinSamples;
        std::vector<double> xs;
        for (size_t k = 0; k < piece.size(); ++k) {
            const double x0 = piece[k].x;
            xs.push_back(x0);
            if (k + 1 == piece.size() || step <= 0) continue;
            const double gap = double(piece[k + 1].x) - x0;
            const int parts = int(std::min(std::ceil(std::abs(gap) / step), double(kMinSamples)));
            for (int i = 1; i < parts; ++i) xs.push_back(x0 + gap * i / parts);
        }
        std::vector<double> ys(xs.size());
        try {
            f.expression()->Evaluate(xs.data(), ys.data(), xs.size());
        } catch (...) {
            continue;
        }
        s.xs.push_back(std::move(xs));
        s.ys.push_back(std::move(ys));
    }
    return s;
}

// Whether three samples of h, all of one sign, bend towards zero so closely that
// h may touch it between them: the parabola through them has its vertex within
// the samples and nearer zero than a quarter of the middle value. A constant h
// (two curves a fixed distance apart) or a bump far from zero is no touch.
bool MayTouch(double x0, double h0, double x1, double h1, double x2, double h2) {
    const double f01 = (h1 - h0) / (x1 - x0), f12 = (h2 - h1) / (x2 - x1);
    const double a = (f12 - f01) / (x2 - x0);
    if (!std::isfinite(a) || a == 0 || (a > 0) != (h1 > 0)) return false;
    const double slope = f01 + a * (x1 - x0);  // of the parabola at x1
    const double t = -slope / (2 * a);
    if (t < x0 - x1 || t > x2 - x1) return false;
    const double vertex = h1 - slope * slope / (4 * a);
    return std::abs(vertex) <= 0.25 * std::abs(h1);
}

// y = f(x) against any curve G(x, y) = 0: h(x) = G(x, f(x)) along f's samples. A
// sign change is a crossing (bisected to the last bit); three samples that bend
// towards zero are refined (golden section on |h|) and kept when |h| vanishes: a touch.
void ExplicitAgainstAny(const EquationObject& f, const Samples& samples, const EquationObject& g, double tolerance,
                        std::vector<PointF>& found) {
    const MathExp& m = *f.expression();
    auto fAt = [&m](double x) {
        try {
            return m.Evaluate(x);
        } catch (...) {
            return std::nan("");
        }
    };
    auto h = [&](double x) { return Residual(g, x, fAt(x)); };
    auto keep = [&](double x) {
        const PointF p(static_cast<float>(x), static_cast<float>(fAt(x)));
        if (OnCurve(f, p, tolerance) && OnCurve(g, p, tolerance)) AddOnce(found, p, tolerance);
    };
    const bool gExplicit = IsExplicit(g);
    for (size_t piece = 0; piece < samples.xs.size(); ++piece) {
        const std::vector<double>& xs = samples.xs[piece];
        const std::vector<double>& ys = samples.ys[piece];
        std::vector<double> hs(xs.size());
        if (gExplicit) {
            try {
                g.expression()->Evaluate(xs.data(), hs.data(), xs.size());
            } catch (...) {
                continue;
            }
            for (size_t k = 0; k < xs.size(); ++k) hs[k] = ys[k] - hs[k];
        } else {
            for (size_t k = 0; k < xs.size(); ++k) hs[k] = Residual(g, xs[k], ys[k]);
        }
        // Where h vanishes at two samples in a row the curves lie on one another
        // (y = sin x typed twice): a stretch they share has no crossing to
        // mark, as two equal polynomials have none, only rounding noise.
        std::vector<char> shared(xs.size(), 0);
        const auto vanishes = [&](size_t k) { return std::abs(hs[k]) <= 1e-9 * (1 + std::abs(ys[k])); };
        for (size_t k = 0; k + 1 < xs.size(); ++k)
            if (vanishes(k) && vanishes(k + 1)) shared[k] = shared[k + 1] = 1;
        for (size_t k = 0; k + 1 < xs.size(); ++k) {
            double a = xs[k], b = xs[k + 1], ha = hs[k], hb = hs[k + 1];
            if (!std::isfinite(ha) || !std::isfinite(hb) || shared[k] || shared[k + 1]) continue;
            if (ha == 0) {
                keep(a);
                continue;
            }
            if ((ha < 0) == (hb < 0)) continue;
            for (int i = 0; i < 200 && a != b; ++i) {
                const double mid = 0.5 * (a + b), hm = h(mid);
                if (!std::isfinite(hm) || mid == a || mid == b) break;
                if ((hm < 0) == (ha < 0)) a = mid, ha = hm;
                else b = mid, hb = hm;
            }
            // A pole (tan x against a line) changes sign too; there |h| grows instead of vanishing.
            const double x = std::abs(ha) < std::abs(hb) ? a : b;
            if (std::abs(h(x)) <= 1e-6 * (1 + std::abs(hs[k]) + std::abs(hs[k + 1]))) keep(x);
        }
        for (size_t k = 1; k + 1 < xs.size(); ++k) {
            if (!std::isfinite(hs[k - 1]) || !std::isfinite(hs[k]) || !std::isfinite(hs[k + 1])) continue;
            if (shared[k - 1] || shared[k] || shared[k + 1]) continue;
            if ((hs[k - 1] < 0) != (hs[k] < 0) || (hs[k] < 0) != (hs[k + 1] < 0) || hs[k] == 0) continue;
            if (!MayTouch(xs[k - 1], hs[k - 1], xs[k], hs[k], xs[k + 1], hs[k + 1])) continue;
            double a = xs[k - 1], b = xs[k + 1];
            const double phi = 0.5 * (std::sqrt(5.0) - 1);
            for (int i = 0; i < 200 && b - a > 1e-15 * (1 + std::abs(a)); ++i) {
                const double c = b - phi * (b - a), d = a + phi * (b - a);
                if (std::abs(h(c)) < std::abs(h(d))) b = d;
                else a = c;
            }
            const double x = 0.5 * (a + b), y = fAt(x);
            if (std::abs(h(x)) <= 1e-9 * (1 + std::abs(x) + std::abs(y))) keep(x);
        }
    }
}

// Two implicit curves: where their pieces cross, refined by Newton's method on the
// two equations (numerical slopes); a refinement that wanders off keeps the
// crossing of the pieces.
void ImplicitAgainstImplicit(const EquationObject& a, const EquationObject& b, double tolerance, std::vector<PointF>& found) {
    auto refine = [&](double x, double y) {
        for (int i = 0; i < 30; ++i) {
            const double f = Residual(a, x, y), g = Residual(b, x, y);
            if (!std::isfinite(f) || !std::isfinite(g)) return PointF(NAN, NAN);
            const double e = 1e-7 * (1 + std::abs(x) + std::abs(y));
            const double fx = (Residual(a, x + e, y) - Residual(a, x - e, y)) / (2 * e);
            const double fy = (Residual(a, x, y + e) - Residual(a, x, y - e)) / (2 * e);
            const double gx = (Residual(b, x + e, y) - Residual(b, x - e, y)) / (2 * e);
            const double gy = (Residual(b, x, y + e) - Residual(b, x, y - e)) / (2 * e);
            const double det = fx * gy - fy * gx;
            if (!std::isfinite(det) || det == 0) return PointF(NAN, NAN);
            const double dx = (f * gy - fy * g) / det, dy = (fx * g - f * gx) / det;
            x -= dx, y -= dy;
            if (std::abs(dx) + std::abs(dy) <= 1e-13 * (1 + std::abs(x) + std::abs(y))) break;
        }
        return PointF(float(x), float(y));
    };
    // b's segments in a coarse grid over its bounds, so that each of a's segments
    // is tested against its neighbours only.
    struct Segment {
        PointF p0, p1;
    };
    std::vector<Segment> segments;
    for (const Stroke& q : b.pieces())
        for (size_t j = 0; j + 1 < q.size(); ++j) segments.push_back({q[j], q[j + 1]});
    const RectF box = Bounds(b);
    constexpr int kCells = 64;
    const double cellWidth = std::max(double(box.right - box.left), 1e-9) / kCells;
    const double cellHeight = std::max(double(box.top - box.bottom), 1e-9) / kCells;
    auto column = [&](double x) { return std::clamp(int(std::floor((x - box.left) / cellWidth)), 0, kCells - 1); };
    auto row = [&](double y) { return std::clamp(int(std::floor((y - box.bottom) / cellHeight)), 0, kCells - 1); };
    std::vector<std::vector<int>> cells(kCells * kCells);
    for (size_t k = 0; k < segments.size(); ++k) {
        const Segment& g = segments[k];
        for (int cx = column(std::min(g.p0.x, g.p1.x)); cx <= column(std::max(g.p0.x, g.p1.x)); ++cx)
            for (int cy = row(std::min(g.p0.y, g.p1.y)); cy <= row(std::max(g.p0.y, g.p1.y)); ++cy)
                cells[cy * kCells + cx].push_back(int(k));
    }
    // How far p is from b, to first order: |G| over the length of G's gradient.
    auto distanceToB = [&](PointF p) {
        const double x = p.x, y = p.y, e = 1e-7 * (1 + std::abs(x) + std::abs(y));
        const double gx = (Residual(b, x + e, y) - Residual(b, x - e, y)) / (2 * e);
        const double gy = (Residual(b, x, y + e) - Residual(b, x, y - e)) / (2 * e);
        return std::abs(Residual(b, x, y)) / std::hypot(gx, gy);
    };
    std::vector<size_t> testedBy(segments.size(), SIZE_MAX);  // the a-segment that last tested each
    size_t serial = 0;
    for (const Stroke& p : a.pieces())
        for (size_t i = 0; i + 1 < p.size(); ++i, ++serial) {
            const PointF p0 = p[i], p1 = p[i + 1];
            if (std::max(p0.x, p1.x) < box.left || std::min(p0.x, p1.x) > box.right ||
                std::max(p0.y, p1.y) < box.bottom || std::min(p0.y, p1.y) > box.top)
                continue;
            // A segment of a that lies along b (a circle typed twice): the curves
            // share it, and their pieces meet at every vertex without crossing.
            const double along = 0.01 * std::hypot(double(p1.x - p0.x), double(p1.y - p0.y)) + 1e-6;
            if (distanceToB(p0) <= along && distanceToB(p1) <= along) continue;
            for (int cx = column(std::min(p0.x, p1.x)); cx <= column(std::max(p0.x, p1.x)); ++cx)
                for (int cy = row(std::min(p0.y, p1.y)); cy <= row(std::max(p0.y, p1.y)); ++cy)
                    for (const int k : cells[cy * kCells + cx]) {
                        if (testedBy[k] == serial) continue;
                        testedBy[k] = serial;
                        const PointF q0 = segments[k].p0, q1 = segments[k].p1;
                        const double rx = p1.x - p0.x, ry = p1.y - p0.y, sx = q1.x - q0.x, sy = q1.y - q0.y;
                        const double denominator = rx * sy - ry * sx;
                        if (denominator == 0) continue;
                        const double t = ((q0.x - p0.x) * sy - (q0.y - p0.y) * sx) / denominator;
                        const double u = ((q0.x - p0.x) * ry - (q0.y - p0.y) * rx) / denominator;
                        if (t < 0 || t > 1 || u < 0 || u > 1) continue;
                        const PointF crossing(float(p0.x + t * rx), float(p0.y + t * ry));
                        const PointF refined = refine(crossing.x, crossing.y);
                        const bool near = std::isfinite(refined.x) && std::isfinite(refined.y) &&
                                          std::hypot(double(refined.x - crossing.x), double(refined.y - crossing.y)) <=
                                              std::hypot(rx, ry) + std::hypot(sx, sy);
                        const PointF point = near ? refined : crossing;
                        if (InBox(a, point, tolerance) && InBox(b, point, tolerance)) AddOnce(found, point, tolerance);
                    }
        }
}

// Samples of the curves y = f(x), made once per equation on first use.
class SampleCache {
public:
    explicit SampleCache(size_t equations) : samples_(equations) {}
    const Samples& of(size_t i, const EquationObject& e) {
        if (!samples_[i]) samples_[i] = SampleExplicit(e);
        return *samples_[i];
    }

private:
    std::vector<std::optional<Samples>> samples_;
};

void AddSampledIntersections(size_t i, const EquationObject& first, size_t j, const EquationObject& second,
                             SampleCache& cache, std::vector<PointF>& out) {
    if (!IsDrawnCurve(first) || !IsDrawnCurve(second)) return;
    const double tolerance = Tolerance(first, second);
    if (!Overlap(Bounds(first), Bounds(second), tolerance)) return;
    std::vector<PointF> found;
    if (IsExplicit(first)) ExplicitAgainstAny(first, cache.of(i, first), second, tolerance, found);
    else if (IsExplicit(second)) ExplicitAgainstAny(second, cache.of(j, second), first, tolerance, found);
    else ImplicitAgainstImplicit(first, second, tolerance, found);
    std::sort(found.begin(), found.end(), [](PointF p, PointF q) { return p.x != q.x ? p.x < q.x : p.y < q.y; });
    out.insert(out.end(), found.begin(), found.end());
}

// ---- pairs whose kinds give their crossings in closed form ----

std::optional<std::vector<Crossing>> ClosedFormCrossings(const EquationObject& first, const EquationObject& second) {
    if (!first.expression() || !second.expression()) return std::nullopt;
    return ExactCrossings(*first.expression(), *second.expression());
}

// The exact crossings kept by the rule of the searched ones: on both drawn
// curves (in their boxes, within their domains), each once, ordered by x.
void AddExactIntersections(const EquationObject& first, const EquationObject& second,
                           const std::vector<Crossing>& crossings, std::vector<PointF>& out) {
    if (!IsDrawnCurve(first) || !IsDrawnCurve(second)) return;
    const double tolerance = Tolerance(first, second);
    std::vector<PointF> found;
    for (const Crossing& c : crossings) {
        // Far beyond any box, and beyond what a point of single precision holds.
        constexpr double kFar = 1e30;
        if (!(std::abs(c.x) < kFar && std::abs(c.y) < kFar)) continue;
        const PointF p(static_cast<float>(c.x), static_cast<float>(c.y));
        if (OnCurve(first, p, tolerance) && OnCurve(second, p, tolerance)) AddOnce(found, p, tolerance);
    }
    std::sort(found.begin(), found.end(), [](PointF p, PointF q) { return p.x != q.x ? p.x < q.x : p.y < q.y; });
    out.insert(out.end(), found.begin(), found.end());
}

void AddIntersections(const EquationList& equations, size_t i, size_t j, SampleCache& cache, std::vector<PointF>& out) {
    if (!equations[i] || !equations[j]) return;
    const EquationObject& first = *equations[i];
    const EquationObject& second = *equations[j];
    if (IsPolynomialCurve(first) && IsPolynomialCurve(second))
        AddPairIntersections(first, second, out);
    else if (const auto exact = ClosedFormCrossings(first, second))
        AddExactIntersections(first, second, *exact, out);
    else
        AddSampledIntersections(i, first, j, second, cache, out);
}

// Pairs i < j of n curves, row by row.
size_t PairIndex(size_t i, size_t j, size_t n) { return i * n - i * (i + 1) / 2 + (j - i - 1); }

}  // namespace

std::vector<PointF> ComputeIntersections(const EquationList& equations) {
    std::vector<PointF> points;
    SampleCache cache(equations.size());
    for (size_t i = 0; i < equations.size(); ++i)
        for (size_t j = i + 1; j < equations.size(); ++j) AddIntersections(equations, i, j, cache, points);
    return points;
}

const std::vector<PointF>& IntersectionCache::update(const EquationList& equations) {
    const size_t n = equations.size(), before = stamps_.size();
    std::unordered_map<uint64_t, size_t> wasAt;
    wasAt.reserve(before);
    for (size_t k = 0; k < before; ++k) wasAt.emplace(stamps_[k], k);
    std::vector<uint64_t> stamps(n);
    std::vector<size_t> previous(n, SIZE_MAX);  // where each curve stood last time, when unchanged
    for (size_t k = 0; k < n; ++k) {
        stamps[k] = equations[k] ? equations[k]->shapeStamp() : 0;
        if (const auto it = wasAt.find(stamps[k]); equations[k] && it != wasAt.end()) previous[k] = it->second;
    }
    std::vector<std::vector<PointF>> pairs(n > 1 ? n * (n - 1) / 2 : 0);
    SampleCache cache(n);
    points_.clear();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j) {
            std::vector<PointF>& pair = pairs[PairIndex(i, j, n)];
            // A pair is worked out with its curves in list order (ordinates on
            // the first), so only a pair kept in the same order is reused.
            if (previous[i] < previous[j] && previous[j] != SIZE_MAX)
                pair = std::move(pairs_[PairIndex(previous[i], previous[j], before)]);
            else
                AddIntersections(equations, i, j, cache, pair);
            points_.insert(points_.end(), pair.begin(), pair.end());
        }
    stamps_ = std::move(stamps);
    pairs_ = std::move(pairs);
    return points_;
}

void IntersectionCache::clear() {
    stamps_.clear();
    pairs_.clear();
    points_.clear();
}

void DrawIntersections(Painter& painter, std::span<const PointF> points) {
    const ViewScale& v = painter.view();
    DrawDiscMarkers(painter, points, 0.1 * v.scale * v.xZoom, 0.01f, ColorF(0.6f, 0, 0, 1), ColorF(1, 0, 0, 1), true);
}
