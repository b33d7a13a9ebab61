// SPDX-License-Identifier: MIT
#pragma once
// The texts the Equation Options page shows about an equation's primitive:
// its type line and its defining numbers, printed as equation text prints
// numbers (display precision).
#include <QtCore/QString>

namespace MathEx {
class MathExp;
}

struct PrimitiveInfo {
    QString typeText;         // "Primitive Type : Quadratic"
    QString information;      // "a : 1\nb : 0\nc : -4"; empty when there is none
    bool hasInformation = false;  // false: the page keeps the text it showed before
};

// Form line: "Type : Explicit" or "Type : Implicit".
QString EquationFormText(const MathEx::MathExp& expression);
PrimitiveInfo DescribePrimitive(const MathEx::MathExp& expression);

// The texts shown while no equation is selected (the trailing spaces are part of them).
inline const char* const kNoTypeText = QT_TRANSLATE_NOOP("PrimitiveInfo", "Type : None     ");
inline const char* const kNoPrimitiveText = QT_TRANSLATE_NOOP("PrimitiveInfo", "Primitive Type : None      ");
inline const char* const kNoInformationText = QT_TRANSLATE_NOOP("PrimitiveInfo", "\nNo Information");
