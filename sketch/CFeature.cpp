// SPDX-License-Identifier: MIT
#include "sketch/CFeature.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "mathex/CurveKind.h"

namespace {

using MathEx::MathExp;

// The weights of the type, intercept and extreme-point terms: (2, 1, 1) normalised.
const double kTypeWeight = 2 / std::sqrt(6.0);
const double kInterceptWeight = 1 / std::sqrt(6.0);
const double kExtremeWeight = 1 / std::sqrt(6.0);

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
    const MathEx::CurveKind& kind = equation.kind();
    e.order = kind.signatureOrder();
    e.highestCoeff = e.order > 0 ? equation.coeffs[0] : 0.0;
    e.xintercepts = kind.xIntercepts(equation.coeffs);
    e.yintercepts = kind.yIntercepts(equation.coeffs);
    e.extremePts = int(equation.ExtremePoints().size());
    return e;
}

double CFeature::elementDistance(const FeatureElement& g, const FeatureElement& l) {
    const int dx = std::abs(g.xintercepts - l.xintercepts);
    const int dy = std::abs(g.yintercepts - l.yintercepts);
    const int de = std::abs(g.extremePts - l.extremePts);
    if (g.type != l.type) return GeneralDistance(1.0, dx, dy, de);
    const MathEx::SignatureRule rule = MathEx::KindOf(g.type).signatureRule();
    if (rule == MathEx::SignatureRule::Polynomial) {
        // Order 0 (or a stored order below it) has no polynomial to compare term by term.
        const int order = g.order;
        if (order >= 1 && order == l.order && Sign(g.highestCoeff) * Sign(l.highestCoeff) > 0) {
            const double v = order == 1 ? 0.0 : double(de) / (order - 1);
            return kInterceptWeight * ((double(dx) / (order + 1) + dy) / 2) + kExtremeWeight * v;
        }
        return GeneralDistance(0.5, dx, dy, de);
    }
    if (rule == MathEx::SignatureRule::Ellipse) return kInterceptWeight * ((dx / 5.0 + dy) / 2) + kExtremeWeight * (de / 3.0);
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
