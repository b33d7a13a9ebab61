// SPDX-License-Identifier: MIT
#pragma once
// The numeric home of the engine: the literal constants the equation rules are
// written with, the one finiteness test and the one angle wrap.
//
// Where a rule of the engine names π (conic angles, the number that prints as
// "PI") it means the literal 3.141592653 and its multiples below; geometry
// that is not such a rule uses std::numbers::pi.
#include <cmath>
#include <numbers>

namespace MathEx {

inline constexpr double kPi = 3.141592653;
inline constexpr double kThirdPi = 1.047197551;  // the cubic's trigonometric roots
inline constexpr double kHalfPi = 1.5707963265;
inline constexpr double kThreeHalfPi = 4.7123889795;
inline constexpr double kTwoPi = 6.283185306;
inline constexpr double kE = 2.718281828459;

// True for every double but the infinities and not-a-number.
inline bool IsFinite(double v) { return std::isfinite(v); }
inline bool IsNotFinite(double v) { return !IsFinite(v); }

// An angle in radians brought into [0, 2π).
inline double WrapAngle(double angle) {
    constexpr double turn = 2 * std::numbers::pi;
    angle = std::fmod(angle, turn);
    if (angle < 0) angle += turn;
    return angle < turn ? angle : 0.0;
}

}  // namespace MathEx
