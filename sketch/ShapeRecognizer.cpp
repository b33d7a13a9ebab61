// SPDX-License-Identifier: MIT
#include "sketch/ShapeRecognizer.h"

#include "core/Translatable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "mathex/SmartNumber.h"
#include "sketch/Fitters.h"
#include "sketch/StrokeClassifier.h"

namespace {

// A direction in double precision.
struct Vec {
    double x = 0.0, y = 0.0;
    double length() const { return std::sqrt(x * x + y * y); }
};

Vec Between(const PointF& from, const PointF& to) { return {double(to.x) - from.x, double(to.y) - from.y}; }

bool IsUsable(const ShapeCandidate& c) { return std::isfinite(c.score); }

// Developer diagnostics go to standard error only when KVR_DEBUG is set.
void ReportLine(const PointF& start, const PointF& end) {
    if (std::getenv("KVR_DEBUG"))
        std::fprintf(stderr, "Line (%f ,%f) (%f, %f)\n", double(start.x), double(start.y), double(end.x), double(end.y));
}

// Where the curve's segments cross the axis segment l0 → l0 + d, in stroke order.
// A crossing exactly at a vertex shared by two segments is found by both.
std::vector<PointF> AxisCrossings(const PointF& l0, const Vec& d, const Stroke& curve) {
    std::vector<PointF> crossings;
    for (size_t i = 0; i + 1 < curve.size(); ++i) {
        const Vec s = Between(curve[i], curve[i + 1]);
        const Vec r = Between(l0, curve[i]);
        // Solve l0 + u·d = curve[i] + w·s.
        const double det = s.x * d.y - d.x * s.y;
        if (det == 0.0) continue;
        const double u = (s.x * r.y - r.x * s.y) / det;
        const double w = (d.x * r.y - d.y * r.x) / det;
        if (u >= 0.0 && u <= 1.0 && w >= 0.0 && w <= 1.0)
            crossings.emplace_back(float(l0.x + u * d.x), float(l0.y + u * d.y));
    }
    return crossings;
}

// Distance from q to the infinite line through l0 along d, as |q − l0|·sin φ.
// The radicand is clamped: rounding makes 1 − cos²φ slightly negative on the line.
double PerpendicularDistance(const PointF& q, const PointF& l0, const Vec& d) {
    const Vec v = Between(l0, q);
    const double length = v.length();
    if (length == 0.0) return 0.0;
    const double cosine = (v.x * d.x + v.y * d.y) / (length * d.length());
    return length * std::sqrt(std::max(0.0, 1.0 - cosine * cosine));
}

// The first curve point nearest to the axis line.
PointF NearestToLine(const Stroke& curve, const PointF& l0, const Vec& d) {
    PointF nearest = curve.front();
    double best = PerpendicularDistance(nearest, l0, d);
    for (const PointF& q : curve) {
        const double distance = PerpendicularDistance(q, l0, d);
        if (distance < best) best = distance, nearest = q;
    }
    return nearest;
}

double Acos(double v) { return std::acos(std::clamp(v, -1.0, 1.0)); }

// The axis direction as an angle from +x in [−π/2, π/2] (ellipse, hyperbola).
double AngleFromX(Vec u) {
    if (u.x < 0) u = {-u.x, -u.y};
    const double theta = Acos(u.x / u.length());
    return u.y < 0 ? -theta : theta;
}

// The axis direction as an angle from +y, positive towards −x (parabola).
double AngleFromY(Vec u) {
    if (u.y < 0) u = {-u.x, -u.y};
    const double phi = Acos(u.y / u.length());
    return u.x > 0 ? -phi : phi;
}

// The stroke turned by `angle` radians (counter-clockwise) about `pivot`.
Stroke RotatedAbout(const Stroke& stroke, const PointF& pivot, double angle) {
    Stroke rotated(stroke);
    const double c = std::cos(angle), s = std::sin(angle);
    for (PointF& q : rotated) {
        const Vec v = Between(pivot, q);
        q = PointF(float(pivot.x + v.x * c - v.y * s), float(pivot.y + v.x * s + v.y * c));
    }
    return rotated;
}

PointF FootOnLine(const PointF& q, const PointF& l0, const Vec& d) {
    const Vec v = Between(l0, q);
    const double along = (v.x * d.x + v.y * d.y) / (d.x * d.x + d.y * d.y);
    return PointF(float(l0.x + along * d.x), float(l0.y + along * d.y));
}

// A conic whose parameters are zero or not finite has no curve to create.
bool HasCurve(const RecognizedShape& shape) {
    const bool finite = std::isfinite(shape.coeffs[0]) && std::isfinite(shape.coeffs[1]) &&
                        std::isfinite(shape.angle) && std::isfinite(shape.center.x) && std::isfinite(shape.center.y);
    if (shape.shapeType == ST_PARABOLA) return finite && shape.coeffs[0] != 0.0;
    return finite && shape.coeffs[0] > 0.0 && shape.coeffs[1] > 0.0;
}

RecognizedShape Unrecognised(const char* problem) {
    RecognizedShape shape;
    shape.problem = problem;
    return shape;
}

// A stroke that starts (and, closed, ends) on its axis meets it there twice
// over, at the shared point of two segments too: crossings this close are one.
std::vector<PointF> DistinctCrossings(const std::vector<PointF>& crossings, const Stroke& curve) {
    float left = curve.front().x, right = left, bottom = curve.front().y, top = bottom;
    for (const PointF& q : curve) {
        left = std::min(left, q.x), right = std::max(right, q.x);
        bottom = std::min(bottom, q.y), top = std::max(top, q.y);
    }
    const double tolerance = 0.05 * std::hypot(double(right) - left, double(top) - bottom);
    std::vector<PointF> distinct;
    for (const PointF& c : crossings)
        if (std::none_of(distinct.begin(), distinct.end(), [&](const PointF& d) { return (c - d).length() <= tolerance; }))
            distinct.push_back(c);
    return distinct;
}

}  // namespace

RecognizedShape ShapeRecognizer::recognize(const std::vector<Stroke>& strokes) {
    fits_.clear();
    // Non-finite points leave every fitter unusable; a stroke without points has no point to anchor at.
    if (strokes.empty()) return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "nothing was drawn"));
    if (std::any_of(strokes.begin(), strokes.end(), [](const Stroke& s) { return s.empty(); }))
        return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "a stroke has no points"));
    switch (strokes.size()) {
        case 1: return recognizeOneStroke(strokes[0]);
        case 2: return recognizeTwoStrokes(strokes[0], strokes[1]);
        default: return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "more than two strokes (draw one curve, or an axis and then a curve)"));
    }
}

ShapeCandidate ShapeRecognizer::classifyDeciding(const Stroke& stroke) {
    const auto candidates = runFitters(stroke, Stroke::kResampledPoints);
    fits_.assign(candidates.begin(), candidates.end());
    return chooseCandidate(candidates);
}

RecognizedShape ShapeRecognizer::recognizeOneStroke(const Stroke& stroke) {
    RecognizedShape shape;
    const ShapeCandidate c = classifyDeciding(stroke);
    if (!IsUsable(c)) return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "no line, parabola, cubic or ellipse fits the stroke"));
    shape.startPoint = c.startPoint;
    shape.endPoint = c.endPoint;
    switch (c.kind) {
        case FK_LINE:
            shape.shapeType = ST_LINE;
            ReportLine(c.startPoint, c.endPoint);
            break;
        case FK_QUADRATIC:
            shape.shapeType = ST_QUADRATIC;
            std::copy(c.coeffs, c.coeffs + 3, shape.coeffs);
            break;
        case FK_CUBIC:
            shape.shapeType = ST_CUBIC;
            std::copy(c.coeffs, c.coeffs + 4, shape.coeffs);
            break;
        case FK_ARC:
            shape.shapeType = ST_ARC;
            shape.center = c.center;
            break;
        case FK_ELLIPSE:
            shape.shapeType = ST_ELLIPSE;
            shape.center = c.center;
            std::copy(c.coeffs, c.coeffs + 2, shape.coeffs);
            shape.angle = 0.0;
            break;
    }
    return shape;
}

RecognizedShape ShapeRecognizer::recognizeTwoStrokes(const Stroke& axis, const Stroke& curve) {
    RecognizedShape shape;
    const ShapeCandidate axisFit = classifyStroke(axis);
    if (axisFit.kind != FK_LINE || !IsUsable(axisFit))
        return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "the first of two strokes is not a straight axis"));
    const PointF l0 = axis.front();
    const Vec d = Between(l0, axis.back());

    const std::vector<PointF> crossings = DistinctCrossings(AxisCrossings(l0, d, curve), curve);
    PointF anchor;
    ShapeType type = ST_NONE;
    switch (crossings.size()) {
        case 0: type = ST_HYPERBOLA, anchor = NearestToLine(curve, l0, d); break;
        case 1: type = ST_PARABOLA, anchor = crossings[0]; break;
        case 2: type = ST_ELLIPSE, anchor = (crossings[0] + crossings[1]) / 2.0; break;
        default: return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "the curve crosses its axis more than twice"));
    }
    // The rotation lays the axis along x (ellipse, hyperbola) or along y (parabola).
    const double angle = type == ST_PARABOLA ? AngleFromY(d) : AngleFromX(d);
    const ShapeCandidate c = classifyDeciding(RotatedAbout(curve, anchor, -angle));
    const FitKind wanted = type == ST_ELLIPSE ? FK_ELLIPSE : FK_QUADRATIC;
    if (c.kind != wanted || !IsUsable(c)) {
        switch (type) {
            case ST_ELLIPSE: return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "the curve crosses its axis twice but is no ellipse"));
            case ST_PARABOLA: return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "the curve crosses its axis once but is no parabola"));
            default: return Unrecognised(KVR_TRANSLATE_NOOP("Reason", "the curve does not cross its axis but is no hyperbola branch"));
        }
    }

    shape.shapeType = type;
    if (type == ST_ELLIPSE) {
        shape.coeffs[0] = c.coeffs[0];
        shape.coeffs[1] = c.coeffs[1];
        shape.center = anchor;
        shape.angle = angle;
    } else if (type == ST_HYPERBOLA) {
        // Near its vertex the branch is y ≈ a + a·x²/(2b²), so the fitted x² coefficient gives b.
        const double a = PerpendicularDistance(anchor, l0, d);
        shape.coeffs[0] = a;
        shape.coeffs[1] = std::sqrt(a / (2 * std::fabs(c.coeffs[0])));
        shape.center = FootOnLine(anchor, l0, d);
        shape.angle = angle + MathEx::kHalfPi;
    } else {
        shape.coeffs[0] = 1 / (4 * c.coeffs[0]);
        shape.center = anchor;
        shape.angle = angle + MathEx::kHalfPi;
    }
    return HasCurve(shape) ? shape : Unrecognised(KVR_TRANSLATE_NOOP("Reason", "the fitted conic has no size"));
}
