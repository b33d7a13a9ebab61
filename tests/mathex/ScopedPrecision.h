// SPDX-License-Identifier: MIT
#pragma once
#include "mathex/SmartNumber.h"

namespace MathEx {

// Sets the process-wide display precision for one test and puts the old one
// back afterwards, so no test leaks its precision into the next.
class ScopedPrecision {
public:
    explicit ScopedPrecision(int decimals) : saved_(DisplayPrecision()) { SetDisplayPrecision(decimals); }
    ~ScopedPrecision() { SetDisplayPrecision(saved_); }
    ScopedPrecision(const ScopedPrecision&) = delete;
    ScopedPrecision& operator=(const ScopedPrecision&) = delete;

private:
    int saved_;
};

}  // namespace MathEx
