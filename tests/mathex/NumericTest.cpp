// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "mathex/Numeric.h"

namespace MathEx {
namespace {

TEST(WrapAngle, BringsEveryAngleIntoOneTurn) {
    constexpr double turn = 2 * std::numbers::pi;
    const struct {
        double angle, wrapped;
    } rows[] = {
        {0, 0}, {1, 1}, {-1, turn - 1}, {turn, 0}, {turn + 0.5, 0.5}, {-turn, 0}, {3 * turn + 2, 2},
        {-std::numbers::pi / 2, 1.5 * std::numbers::pi},
    };
    for (const auto& row : rows) {
        const double w = WrapAngle(row.angle);
        EXPECT_NEAR(w, row.wrapped, 1e-12) << row.angle;
        EXPECT_GE(w, 0) << row.angle;
        EXPECT_LT(w, turn) << row.angle;
    }
    // A tiny negative angle rounds up to a whole turn, which is 0 again.
    EXPECT_EQ(WrapAngle(-1e-300), 0.0);
}

TEST(IsFinite, FlagsInfinitiesAndNotANumber) {
    EXPECT_TRUE(IsFinite(0));
    EXPECT_TRUE(IsFinite(std::numeric_limits<double>::max()));
    EXPECT_TRUE(IsFinite(std::numeric_limits<double>::denorm_min()));
    EXPECT_FALSE(IsFinite(HUGE_VAL));
    EXPECT_FALSE(IsFinite(-HUGE_VAL));
    EXPECT_FALSE(IsFinite(std::nan("")));
    EXPECT_EQ(IsNotFinite(1.0), !IsFinite(1.0));
}

}  // namespace
}  // namespace MathEx
