// SPDX-License-Identifier: MIT
#pragma once
#include <algorithm>
#include <optional>
#include <string_view>

#include "mathex/SmartNumber.h"

// The most decimals equation text shows; the expression engine caps the
// display precision here (beyond, a double prints only noise).
constexpr int kMaxDecimals = 17;

// A number of decimals as the user writes it: digits only (as the
// Configuration dialog accepts), of any length. Nothing when the text is not
// such a number. Any number above kMaxDecimals, however long, gives kMaxDecimals.
inline std::optional<int> ParseDecimals(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 1000);  // far above the cap, far below overflow
    }
    return std::min(value, kMaxDecimals);
}

// Restores the process-wide display precision when a command's run ends, so a
// run's precision never leaks into the next one in the same process (the tests).
class PrecisionGuard {
public:
    PrecisionGuard() : saved_(MathEx::DisplayPrecision()) {}
    ~PrecisionGuard() { MathEx::SetDisplayPrecision(saved_); }
    PrecisionGuard(const PrecisionGuard&) = delete;
    PrecisionGuard& operator=(const PrecisionGuard&) = delete;

private:
    int saved_;
};
