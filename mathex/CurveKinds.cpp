// SPDX-License-Identifier: MIT
// The registry of curve kinds: the primitive type a document stores, and the
// kind that answers for it.
#include <algorithm>
#include <vector>

#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"
#include "mathex/Roots.h"
#include "mathex/kinds/Kinds.h"

namespace MathEx {

namespace {

struct Entry {
    PrimitiveType type;
    const CurveKind& (*kind)();
};

const Entry kRegistry[] = {
    {PT_VERTICAL_LINE, VerticalLineKind},
    {PT_LINE, LineKind},
    {PT_QUADRATIC, QuadraticKind},
    {PT_CUBIC, CubicKind},
    {PT_QUARTIC, QuarticKind},
    {PT_POLYNOMIAL, HigherPolynomialKind},
    {PT_SINE, SineKind},
    {PT_COSINE, CosineKind},
    {PT_TANGENT, TangentKind},
    {PT_LOG, LogarithmKind},
    {PT_EXP, ExponentialKind},
    {PT_ELLIPSE, EllipseKind},
    {PT_HYPERBOLA, HyperbolaKind},
    {PT_PARABOLA, ParabolaKind},
    {PT_COMPLEX, GeneralCurveKind},
};

// Real roots of the polynomial (coefficients highest power first). A vanished
// leading coefficient counts the roots of the polynomial of lower degree; a
// failure of the root finder counts none.
int RealRoots(const double* highestFirst, int order) {
    std::vector<double> ascending(highestFirst, highestFirst + order + 1);
    std::reverse(ascending.begin(), ascending.end());
    const ComplexRoots roots = PolynomialRoots(ascending);
    if (roots.status != RootStatus::Ok) return 0;
    return int(std::count(roots.im.begin(), roots.im.end(), 0.0f));
}

}  // namespace

const CurveKind& KindOf(int type) {
    // Looked up once into a table by number: this is asked on every sample
    // of every curve.
    static const auto table = [] {
        std::vector<const CurveKind*> byType;
        for (const Entry& e : kRegistry) {
            if (size_t(e.type) >= byType.size()) byType.resize(size_t(e.type) + 1, nullptr);
            byType[size_t(e.type)] = &e.kind();
        }
        return byType;
    }();
    if (type >= 0 && size_t(type) < table.size() && table[size_t(type)]) return *table[size_t(type)];
    return GeneralCurveKind();
}

const CurveKind& MathExp::kind() const { return KindOf(type); }

int CurveKind::xIntercepts(const double* c) const {
    const int order = signatureOrder();
    return order == 0 ? 0 : RealRoots(c, order);
}

}  // namespace MathEx
