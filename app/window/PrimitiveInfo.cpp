// SPDX-License-Identifier: MIT
#include "app/window/PrimitiveInfo.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QStringList>

#include "mathex/CurveKind.h"
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
    const CurveKind& kind = e.kind();
    QString text;
    switch (kind.listing()) {
    case CoefficientListing::Lettered: text = Lettered(c, kind.listedCount()); break;
    case CoefficientListing::Central: text = Central(c); break;
    case CoefficientListing::Focal: text = Parabola(c); break;
    case CoefficientListing::None:
        return PrimitiveInfo{Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "Primitive Type : None")), QString(), false};
    }
    return PrimitiveInfo{Say(QT_TRANSLATE_NOOP("PrimitiveInfo", "Primitive Type : %1")).arg(Say(kind.displayName())),
                         std::move(text), true};
}

// The kinds' names, for the translators: the kinds name themselves in English.
[[maybe_unused]] const char* const kKindNames[] = {
    QT_TRANSLATE_NOOP("PrimitiveInfo", "Line"),      QT_TRANSLATE_NOOP("PrimitiveInfo", "Quadratic"),
    QT_TRANSLATE_NOOP("PrimitiveInfo", "Cubic"),     QT_TRANSLATE_NOOP("PrimitiveInfo", "Quartic"),
    QT_TRANSLATE_NOOP("PrimitiveInfo", "Sine"),      QT_TRANSLATE_NOOP("PrimitiveInfo", "Cosine"),
    QT_TRANSLATE_NOOP("PrimitiveInfo", "Tangent"),   QT_TRANSLATE_NOOP("PrimitiveInfo", "Logarithm"),
    QT_TRANSLATE_NOOP("PrimitiveInfo", "Exponential"), QT_TRANSLATE_NOOP("PrimitiveInfo", "Ellipse"),
    QT_TRANSLATE_NOOP("PrimitiveInfo", "Hyperbola"), QT_TRANSLATE_NOOP("PrimitiveInfo", "Parabola"),
};
