// SPDX-License-Identifier: MIT
#include "graph/Tangents.h"

#include <cmath>
#include <locale>
#include <sstream>

#include "mathex/CurveKind.h"

using namespace MathEx;

namespace {

// Equation text must not depend on the user's locale: the parser reads '.' only.
std::ostringstream ClassicStream() {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    return out;
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
    const CurveKind& kind = polynomial.kind();
    const int degree = kind.degree();
    if (degree < 2) return {};
    const double g = from.x, h = from.y;
    std::vector<std::string> texts;
    for (double t : kind.touchingAbscissas(polynomial.coeffs, g, h)) {
        const float yt = HornerSingle(polynomial.coeffs, degree, t);
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
