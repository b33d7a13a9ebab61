// SPDX-License-Identifier: MIT
// The cubic through four points, as the sketch and the cubic's reshaping use it.
#include <gtest/gtest.h>

#include <cmath>

#include "mathex/CubicThrough.h"

namespace {

struct CubicCase {
    const char* name;
    double x[4], y[4];
    bool found;
    double coeffs[4];  // a, b, c, d when found
};

const CubicCase kCases[] = {
    {"x³ − 3x", {-2, -1, 1, 2}, {-2, 2, -2, 2}, true, {1, 0, -3, 0}},
    {"a line is a cubic with a = b = 0", {0, 1, 2, 3}, {1, 3, 5, 7}, true, {0, 0, 2, 1}},
    {"points in any order", {2, -2, 1, -1}, {2, -2, -2, 2}, true, {1, 0, -3, 0}},
    {"far from the origin", {100, 101, 102, 103}, {0, 1, 8, 27}, true, {1, -300, 30000, -1000000}},
    {"two points at one x", {0, 1, 1, 2}, {0, 1, 2, 3}, false, {}},
    {"x nearly equal: no cubic worth drawing", {0, 1e-9, 2e-9, 3e-9}, {0, 1, 0, 1}, false, {}},
    {"a value that is not a number", {0, 1, 2, 3}, {0, NAN, 0, 0}, false, {}},
};

TEST(CubicThrough, FitsFourPointsOrRefuses) {
    for (const CubicCase& c : kCases) {
        double coeffs[4] = {};
        ASSERT_EQ(MathEx::CubicThrough(c.x, c.y, coeffs), c.found) << c.name;
        if (!c.found) continue;
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(coeffs[i], c.coeffs[i], 1e-9 * (1 + std::fabs(c.coeffs[i]))) << c.name << " #" << i;
        for (int k = 0; k < 4; ++k) {
            const double x = c.x[k];
            EXPECT_NEAR(((coeffs[0] * x + coeffs[1]) * x + coeffs[2]) * x + coeffs[3], c.y[k], 1e-6) << c.name;
        }
    }
}

}  // namespace
