// SPDX-License-Identifier: MIT
#include "sketch/CFeature.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "mathex/Roots.h"

namespace {

using MathEx::MathExp;

// The weights of the type, intercept and extreme-point terms: (2, 1, 1) normalised.
const double kTypeWeight = 2 / std::sqrt(6.0);
const double kInterceptWeight = 1 / std::sqrt(6.0);
const double kExtremeWeight = 1 / std::sqrt(6.0);

// Degree of the polynomial types that carry one; 0 for the rest.
int OrderOf(int type) {
    switch (type) {
        case MathEx::PT_LINE: return 1;
        case MathEx::PT_QUADRATIC: return 2;
        case MathEx::PT_CUBIC: return 3;
        case MathEx::PT_QUARTIC: return 4;
        default: return 0;
    }
}

// 2, 1 or 0 as |offset| is below, at or beyond the semi-axis.
int Crossings(double offset, double semiAxis) {
    const double distance = std::fabs(offset);
    if (distance < semiAxis) return 2;
    return distance == semiAxis ? 1 : 0;
}

// Real roots of the polynomial (coefficients highest power first). A vanished
// leading coefficient counts the roots of the polynomial of lower degree; a
// failure of the root finder counts none.
int RealRoots(const double* highestFirst, int order) {
    std::vector<double> ascending(highestFirst, highestFirst + order + 1);
    std::reverse(ascending.begin(), ascending.end());
    const MathEx::ComplexRoots roots = MathEx::PolynomialRoots(ascending);
    if (roots.status != MathEx::RootStatus::Ok) return 0;
    return int(std::count(roots.im.begin(), roots.im.end(), 0.0f));
}

int XIntercepts(const MathExp& equation, int order) {
    const double* c = equation.coeffs;
    if (equation.type == MathEx::PT_ELLIPSE) return Crossings(c[3], c[1]);  // centre y against b
    if (order == 0) return 0;
    if (equation.type == MathEx::PT_LINE && c[0] == 0.0) return 0;  // a horizontal line
    return RealRoots(c, order);
}

double Sign(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

// wT·r + wI·a + wE·b with (a, b) = (dx + dy, de) scaled to unit length.
double GeneralDistance(double r, int dx, int dy, int de) {
    double a = double(dx) + dy, b = de;
    const double norm = std::sqrt(a * a + b * b);
    if (norm > 0) a /= norm, b /= norm;
    return kTypeWeight * r + kInterceptWeight * a + kExtremeWeight * b;
}

}  // namespace

FeatureElement CFeature::elementOf(const MathExp& equation) {
    FeatureElement e;
    e.type = equation.type;
    e.order = OrderOf(equation.type);
    e.highestCoeff = e.order > 0 ? equation.coeffs[0] : 0.0;
    e.xintercepts = XIntercepts(equation, e.order);
    e.yintercepts = equation.type == MathEx::PT_ELLIPSE && Crossings(equation.coeffs[2], equation.coeffs[0]) == 2 ? 2 : 1;
    e.extremePts = int(equation.ExtremePoints().size());
    return e;
}

double CFeature::elementDistance(const FeatureElement& g, const FeatureElement& l) {
    const int dx = std::abs(g.xintercepts - l.xintercepts);
    const int dy = std::abs(g.yintercepts - l.yintercepts);
    const int de = std::abs(g.extremePts - l.extremePts);
    if (g.type != l.type) return GeneralDistance(1.0, dx, dy, de);
    if (g.type >= MathEx::PT_VERTICAL_LINE && g.type <= MathEx::PT_POLYNOMIAL) {
        // Order 0 (or a stored order below it) has no polynomial to compare term by term.
        const int order = g.order;
        if (order >= 1 && order == l.order && Sign(g.highestCoeff) * Sign(l.highestCoeff) > 0) {
            const double v = order == 1 ? 0.0 : double(de) / (order - 1);
            return kInterceptWeight * ((double(dx) / (order + 1) + dy) / 2) + kExtremeWeight * v;
        }
        return GeneralDistance(0.5, dx, dy, de);
    }
    if (g.type == MathEx::PT_ELLIPSE) return kInterceptWeight * ((dx / 5.0 + dy) / 2) + kExtremeWeight * (de / 3.0);
    return GeneralDistance(0.0, dx, dy, de);
}

double CFeature::distance(const CFeature& graph) const {
    const auto& g = graph.elements;
    const auto& l = elements;
    const double sizeDifference = double(g.size()) - double(l.size());

    struct Pair {
        double distance;
        size_t i, j;  // element of g, element of l
    };
    std::vector<Pair> pairs;
    pairs.reserve(g.size() * l.size());
    for (size_t i = 0; i < g.size(); ++i)
        for (size_t j = 0; j < l.size(); ++j) pairs.push_back({elementDistance(g[i], l[j]), i, j});
    std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
        return std::tie(a.distance, a.i, a.j) < std::tie(b.distance, b.i, b.j);
    });

    std::vector<bool> takenG(g.size()), takenL(l.size());
    double matching = 0.0;
    for (const Pair& p : pairs) {
        if (takenG[p.i] || takenL[p.j]) continue;
        takenG[p.i] = takenL[p.j] = true;
        matching += p.distance;
    }
    return 0.1 * sizeDifference * sizeDifference + matching;
}
