// SPDX-License-Identifier: MIT
#include "app/PrimitiveInfo.h"

#include <QtCore/QStringList>

#include "mathex/MathExp.h"
#include "mathex/SmartNumber.h"

using namespace MathEx;

namespace {

QString Number(double v) { return QString::fromStdString(SmartNumber(v).ToString()); }

// "a : c0\nb : c1 …" for the first n coefficients.
QString Lettered(const double* c, int n)
{
    static const char* const letters[] = {"a", "b", "c", "d", "e"};
    QStringList lines;
    for (int i = 0; i < n; ++i) lines << QStringLiteral("%1 : %2").arg(letters[i], Number(c[i]));
    return lines.join('\n');
}

// Ellipse and hyperbola keep (a, b, centre x, centre y, θ); the page lists the centre first.
QString Central(const double* c)
{
    return QStringLiteral("center : %1 %2\na : %3\nb : %4\ntheta : %5")
        .arg(Number(c[2]), Number(c[3]), Number(c[0]), Number(c[1]), Number(c[4]));
}

// The parabola keeps (p, vertex x, vertex y, θ).
QString Parabola(const double* c)
{
    return QStringLiteral("center : %1 %2\na : %3\ntheta : %4").arg(Number(c[1]), Number(c[2]), Number(c[0]), Number(c[3]));
}

}  // namespace

QString EquationFormText(const MathExp& expression)
{
    return expression.form == FORM_EXPLICIT ? QStringLiteral("Type : Explicit") : QStringLiteral("Type : Implicit");
}

PrimitiveInfo DescribePrimitive(const MathExp& e)
{
    const double* c = e.coeffs;
    auto info = [](const char* name, QString text) {
        return PrimitiveInfo{QStringLiteral("Primitive Type : ") + name, std::move(text), true};
    };
    switch (e.type) {
    case PT_VERTICAL_LINE:
    case PT_LINE: return info("Line", Lettered(c, 2));
    case PT_QUADRATIC: return info("Quadratic", Lettered(c, 3));
    case PT_CUBIC: return info("Cubic", Lettered(c, 4));
    case PT_QUARTIC: return info("Quartic", Lettered(c, 5));
    case PT_SINE: return info("Sine", Lettered(c, 4));
    case PT_COSINE: return info("Cosine", Lettered(c, 4));
    case PT_TANGENT: return info("Tangent", Lettered(c, 4));
    case PT_LOG: return info("Logarithm", Lettered(c, 4));
    case PT_EXP: return info("Exponential", Lettered(c, 4));
    case PT_ELLIPSE: return info("Ellipse", Central(c));
    case PT_HYPERBOLA: return info("Hyperbola", Central(c));
    case PT_PARABOLA: return info("Parabola", Parabola(c));
    default: return PrimitiveInfo{QStringLiteral("Primitive Type : None"), QString(), false};
    }
}
