// SPDX-License-Identifier: MIT
#pragma once
// The step curves are sampled at: functions of x every 0.05 graph units,
// conics every 0.05 of their parameter.
#include <cmath>

namespace MathEx {

inline constexpr double kSampleStep = 0.05;
// A plot box far wider than any view (from a document, say) would otherwise
// ask for hundreds of millions of samples; beyond this many the step widens.
inline constexpr double kMaxSamples = 200000;
// A walk never takes more steps than this, even where adding a step leaves a
// far-out x unchanged (beyond about 1e15 a step of 0.05 is lost in rounding)
// or the span overflows; without the bound such a domain would never finish.
inline constexpr int kMaxSampleSteps = int(kMaxSamples) + 16;

// The step of a walk from one end to the other.
inline double StepOver(double from, double to) {
    const double span = std::fabs(to - from);
    return std::isfinite(span) && span / kSampleStep > kMaxSamples ? span / kMaxSamples : kSampleStep;
}

}  // namespace MathEx
