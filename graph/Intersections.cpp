// SPDX-License-Identifier: MIT
#include "graph/Intersections.h"
#include "graph/PrimitiveKind.h"

#include <cmath>

#include "mathex/Markers.h"
#include "mathex/Roots.h"

using namespace MathEx;

namespace {

bool IsPolynomialCurve(const EquationObject& e) {
    if (!e.expression()) return false;
    return PolynomialDegree(e.expression()->type) > 0;
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

}  // namespace

std::vector<PointF> ComputeIntersections(const EquationList& equations) {
    std::vector<PointF> points;
    for (size_t i = 0; i < equations.size(); ++i) {
        if (!equations[i] || !IsPolynomialCurve(*equations[i])) continue;
        for (size_t j = i + 1; j < equations.size(); ++j)
            if (equations[j] && IsPolynomialCurve(*equations[j]))
                AddPairIntersections(*equations[i], *equations[j], points);
    }
    return points;
}

void DrawIntersection(Surface& surface, PointF p, double scale, double xZoom, double yZoom) {
    DrawDiscMarker(surface, p, 0.1 * scale, xZoom, yZoom, 0.01f, ColorF(0.6f, 0, 0, 1), ColorF(1, 0, 0, 1), true);
}
