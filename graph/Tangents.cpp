// SPDX-License-Identifier: MIT
#include "graph/Tangents.h"
#include "graph/PrimitiveKind.h"

#include <cmath>
#include <locale>
#include <sstream>

#include "mathex/Roots.h"

using namespace MathEx;

namespace {

// Equation text must not depend on the user's locale: the parser reads '.' only.
std::ostringstream ClassicStream() {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    return out;
}

// Abscissas t where a tangent to the polynomial (coefficients highest power
// first) passes through (g, h). The conditions come from h = f(t) + f'(t)·(g − t).
std::vector<double> TouchingAbscissas(PrimitiveType type, const double* c, double g, double h) {
    switch (type) {
        case PT_QUADRATIC: {
            const double r = std::sqrt((c[0] * g * g + c[1] * g + c[2] - h) / c[0]);
            return {g + r, g - r};
        }
        case PT_CUBIC:
            return CubicRoots(2 * c[0], c[1] - 3 * c[0] * g, -2 * c[1] * g, h - c[2] * g - c[3]);
        case PT_QUARTIC:
            return QuarticRoots(3 * c[0], 2 * c[1] - 4 * c[0] * g, c[2] - 3 * c[1] * g, -2 * c[2] * g,
                                h - c[3] * g - c[4]);
        default: return {};
    }
}

// f(t) by Horner in single precision, the precision of the points on the graph.
float HornerSingle(const double* c, int degree, double t) {
    float y = 0.0f;
    for (int i = 0; i <= degree; ++i) y = y * float(t) + float(c[i]);
    return y;
}

}  // namespace

std::string TangentAtPointText(const MathExp& curve, PointF p) {
    if (curve.form != FORM_EXPLICIT) return {};
    const double m = curve.Slope(p.x, 0);
    const double b = p.y - m * p.x;
    if (!std::isfinite(m) || !std::isfinite(b)) return {};
    std::ostringstream out = ClassicStream();
    out << "y=" << m << "*x";
    if (b > 0) out << "+";
    if (b != 0) out << b;
    return out.str();
}

std::vector<std::string> TangentsFromPointTexts(const MathExp& polynomial, PointF from) {
    const PrimitiveType type = polynomial.type;
    if (PolynomialDegree(type) < 2) return {};
    const double g = from.x, h = from.y;
    std::vector<std::string> texts;
    for (double t : TouchingAbscissas(type, polynomial.coeffs, g, h)) {
        const float yt = HornerSingle(polynomial.coeffs, int(type), t);
        const double m = (yt - h) / (t - g);
        const double b = yt - t * m;
        if (!std::isfinite(m) || !std::isfinite(b)) continue;
        std::ostringstream out = ClassicStream();
        out.setf(std::ios::fixed, std::ios::floatfield);
        out.precision(4);
        out << "y = " << m << "*x + " << b;
        texts.push_back(out.str());
    }
    return texts;
}
