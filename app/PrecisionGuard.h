#pragma once
#include "mathex/SmartNumber.h"

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
