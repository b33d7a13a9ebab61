// SPDX-License-Identifier: MIT
// Canonical equation text: the text an equation is rewritten to when its
// coefficients change without typing (a drag, a fitted sketch). Each curve
// kind writes its own; whatever it writes must parse and analyse back into the
// same type and coefficients.
#include <string>

#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"
#include "mathex/Numeric.h"

namespace MathEx {

std::string MathExp::CanonicalText() const {
    // No text for a curve that is nowhere: never "inf" or "nan" in an equation.
    for (int i = 0; i < 5; ++i)
        if (!IsFinite(coeffs[i])) return "";
    std::string text = kind().canonical(coeffs);
    // Finite coefficients can still overflow on the way to the text (the
    // squares and products of a rotated conic's general form): such a curve
    // has no text either. No other word of the text holds "inf" or "nan".
    if (text.find("inf") != std::string::npos || text.find("nan") != std::string::npos) return "";
    return text;
}

// The canonical text parsed and analysed, when it reads back as this type.
bool MathExp::ParseCanonical(MathExp& rebuilt) const {
    const std::string text = CanonicalText();
    // The text must read back as the same kind of curve; the coefficients
    // stay exactly as they are (the text rounds them).
    return !text.empty() && rebuilt.Parse(text) && rebuilt.type == type;
}

bool MathExp::CanRebuild() const {
    MathExp rebuilt;
    return ParseCanonical(rebuilt);
}

bool MathExp::Rebuild() {
    MathExp rebuilt;
    if (!ParseCanonical(rebuilt)) return false;
    // Take the new tree and its analysis; type, coefficients and label stay.
    root_ = std::move(rebuilt.root_);
    lineMain_ = std::move(rebuilt.lineMain_);
    form = rebuilt.form;
    std::copy(std::begin(rebuilt.conic), std::end(rebuilt.conic), conic);
    SetMain(rebuilt.main_);
    CompilePrograms();
    return true;
}

}  // namespace MathEx
