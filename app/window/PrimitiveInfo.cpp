// SPDX-License-Identifier: MIT
#include "app/window/PrimitiveInfo.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QStringList>

#include "mathex/MathExp.h"
#include "mathex/SmartNumber.h"

using namespace MathEx;

namespace {

QString Number(double v) { return QString::fromStdString(SmartNumber(v).ToString()); }

// The page's words in the user's language (the English when there is no translation).
QString Say(const char* text) { return QCoreApplication::translate("PrimitiveInfo", text); }

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
    return Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "center : %1 %2\na : %3\nb : %4\ntheta : %5"))
        .arg(Number(c[2]), Number(c[3]), Number(c[0]), Number(c[1]), Number(c[4]));
}

// The parabola keeps (p, vertex x, vertex y, θ).
QString Parabola(const double* c)
{
    return Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "center : %1 %2\na : %3\ntheta : %4")).arg(Number(c[1]), Number(c[2]), Number(c[0]), Number(c[3]));
}

}  // namespace

QString EquationFormText(const MathExp& expression)
{
    return expression.form == FORM_EXPLICIT ? Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "Type : Explicit"))
                                            : Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "Type : Implicit"));
}

PrimitiveInfo DescribePrimitive(const MathExp& e)
{
    const double* c = e.coeffs;
    auto info = [](const char* name, QString text) {
        return PrimitiveInfo{Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "Primitive Type : %1")).arg(Say(name)), std::move(text), true};
    };
    switch (e.type) {
    case PT_VERTICAL_LINE:
    case PT_LINE: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Line"), Lettered(c, 2));
    case PT_QUADRATIC: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Quadratic"), Lettered(c, 3));
    case PT_CUBIC: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Cubic"), Lettered(c, 4));
    case PT_QUARTIC: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Quartic"), Lettered(c, 5));
    case PT_SINE: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Sine"), Lettered(c, 4));
    case PT_COSINE: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Cosine"), Lettered(c, 4));
    case PT_TANGENT: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Tangent"), Lettered(c, 4));
    case PT_LOG: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Logarithm"), Lettered(c, 4));
    case PT_EXP: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Exponential"), Lettered(c, 4));
    case PT_ELLIPSE: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Ellipse"), Central(c));
    case PT_HYPERBOLA: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Hyperbola"), Central(c));
    case PT_PARABOLA: return info(QT_TRANSLATE_NOOP("PrimitiveInfo", "Parabola"), Parabola(c));
    default: return PrimitiveInfo{Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "Primitive Type : None")), QString(), false};
    }
}
