// SPDX-License-Identifier: MIT
#pragma once
#include <string>

#include "mathex/Numeric.h"

namespace MathEx {

// Process-wide number of decimals for non-integral numbers in equation text (default 2).
int DisplayPrecision();
// Clamped to 0..17; more decimals would only print rounding noise.
void SetDisplayPrecision(int decimals);

// The numeric constant held by a TT_NUMBER node.
class SmartNumber {
public:
    double value = 0.0;

    SmartNumber() = default;
    explicit SmartNumber(double v) : value(v) {}
    SmartNumber(const SmartNumber&) = default;
    SmartNumber& operator=(const SmartNumber&) = default;
    ~SmartNumber() = default;

    // Integral values print without a point, π as "PI", e as "e", anything else
    // in fixed notation with the display precision, trailing zeros trimmed but one
    // digit kept after the point; not-a-number has no text. At most 127 characters.
    std::string ToString() const;
};

}  // namespace MathEx
