// SPDX-License-Identifier: MIT
// Polynomial roots: the companion-matrix root finder, its double-precision
// front end, the closed-form cubic and quartic solvers and the angle and
// finiteness helpers.

#include "mathex/Roots.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace MathEx {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Checks roots against the expected list in order; real expected roots must
// come back with an imaginary part of exactly zero, because the graph keeps
// only those.
void ExpectRoots(const std::vector<float>& re, const std::vector<float>& im,
                 const std::vector<float>& expectedRe, const std::vector<float>& expectedIm,
                 float tolerance) {
    ASSERT_EQ(re.size(), expectedRe.size());
    ASSERT_EQ(im.size(), expectedIm.size());
    for (std::size_t i = 0; i < re.size(); ++i) {
        EXPECT_NEAR(re[i], expectedRe[i], tolerance) << "root " << i;
        if (expectedIm[i] == 0.0f) {
            EXPECT_EQ(im[i], 0.0f) << "root " << i;
        } else {
            EXPECT_NEAR(im[i], expectedIm[i], tolerance) << "root " << i;
        }
        if (i > 0) {
            EXPECT_LE(re[i - 1], re[i]) << "real parts must ascend at " << i;
        }
    }
}

// ------------------------------------------------------------------ zrhqr

struct ZrhqrCase {
    std::string name;
    std::vector<float> ascending;  // constant term first
    std::vector<float> re, im;     // in the expected output order
    float tolerance;
};

void PrintTo(const ZrhqrCase& c, std::ostream* os) { *os << c.name; }

class RootFinderTest : public ::testing::TestWithParam<ZrhqrCase> {};

TEST_P(RootFinderTest, FindsKnownRootsSortedByRealPart) {
    const ZrhqrCase& c = GetParam();
    const int m = static_cast<int>(c.ascending.size()) - 1;
    std::vector<float> re(static_cast<std::size_t>(m)), im(static_cast<std::size_t>(m));
    ASSERT_EQ(zrhqr(c.ascending.data(), m, re.data(), im.data()), RootStatus::Ok);
    ExpectRoots(re, im, c.re, c.im, c.tolerance);
}

// Conjugate pairs come out as (−, +): the pair is produced in that order and
// the sort never moves a root past an equal real part.
INSTANTIATE_TEST_SUITE_P(
    Polynomials, RootFinderTest,
    ::testing::Values(
        ZrhqrCase{"DifferenceOfSquares", {-1, 0, 1}, {-1, 1}, {0, 0}, 1e-6f},
        ZrhqrCase{"SumOfSquares", {1, 0, 1}, {0, 0}, {-1, 1}, 1e-6f},
        ZrhqrCase{"Linear", {3, 2}, {-1.5f}, {0}, 1e-6f},
        ZrhqrCase{"LeadingCoefficientNotOne", {-8, 0, 2}, {-2, 2}, {0, 0}, 1e-5f},
        ZrhqrCase{"RootAtOrigin", {0, -1, 0, 1}, {-1, 0, 1}, {0, 0, 0}, 1e-5f},
        ZrhqrCase{"CubeRootsOfUnity", {-1, 0, 0, 1}, {-0.5f, -0.5f, 1}, {-0.8660254f, 0.8660254f, 0}, 1e-5f},
        // (x² + 2x + 5)(x − 3)
        ZrhqrCase{"RealAndComplexPair", {-15, -1, -1, 1}, {-1, -1, 3}, {-2, 2, 0}, 1e-4f},
        // (x − 1)(x − 2)(x − 3)(x + 4)
        ZrhqrCase{"FourRealRoots", {-24, 38, -13, -2, 1}, {-4, 1, 2, 3}, {0, 0, 0, 0}, 1e-3f},
        // (x − 1)(x − 2)…(x − 8): badly conditioned, so single precision only
        // gets each root to about two decimals.
        ZrhqrCase{"WilkinsonDegree8",
                  {40320, -109584, 118124, -67284, 22449, -4536, 546, -36, 1},
                  {1, 2, 3, 4, 5, 6, 7, 8},
                  {0, 0, 0, 0, 0, 0, 0, 0},
                  0.05f}),
    [](const ::testing::TestParamInfo<ZrhqrCase>& info) { return info.param.name; });

struct BadArgumentsCase {
    std::string name;
    std::vector<float> ascending;
    int degree;
};

void PrintTo(const BadArgumentsCase& c, std::ostream* os) { *os << c.name; }

class RootFinderBadArgumentsTest : public ::testing::TestWithParam<BadArgumentsCase> {};

TEST_P(RootFinderBadArgumentsTest, ReportsStatusAndLeavesOutputUntouched) {
    const BadArgumentsCase& c = GetParam();
    std::vector<float> re(60, 42.0f), im(60, 42.0f);
    const RootStatus status = zrhqr(c.ascending.data(), c.degree, re.data(), im.data());
    EXPECT_EQ(status, RootStatus::BadArguments);
    EXPECT_EQ(RootStatusMessage(status), "bad args in zrhqr");
    for (std::size_t i = 0; i < re.size(); ++i) {
        EXPECT_EQ(re[i], 42.0f);
        EXPECT_EQ(im[i], 42.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RootFinderBadArgumentsTest,
    ::testing::Values(BadArgumentsCase{"DegreeZero", {1}, 0},
                      BadArgumentsCase{"NegativeDegree", {1, 1}, -1},
                      BadArgumentsCase{"DegreeAboveFifty", std::vector<float>(52, 1.0f), 51},
                      BadArgumentsCase{"ZeroLeadingCoefficient", {1, 2, 0}, 2},
                      BadArgumentsCase{"NaNCoefficient", {1, kNaN, 1}, 2},
                      BadArgumentsCase{"InfiniteCoefficient", {kInf, 0, 1}, 2},
                      // −a[0]/a[2] overflows a float: the matrix cannot be built.
                      BadArgumentsCase{"NormalisationOverflows", {1e30f, 0, 1e-30f}, 2}),
    [](const ::testing::TestParamInfo<BadArgumentsCase>& info) { return info.param.name; });

TEST(RootFinderStatusTest, NullPointersAreBadArguments) {
    const float a[] = {-1, 0, 1};
    float re[2] = {};
    float im[2] = {};
    EXPECT_EQ(zrhqr(nullptr, 2, re, im), RootStatus::BadArguments);
    EXPECT_EQ(zrhqr(a, 2, nullptr, im), RootStatus::BadArguments);
    EXPECT_EQ(zrhqr(a, 2, re, nullptr), RootStatus::BadArguments);
}

TEST(RootFinderStatusTest, NonConvergenceIsReportedNotFatal) {
    // x(x² − 1)²: the double-shift iteration stalls on this companion matrix
    // and runs out of iterations even with the exceptional shifts.
    const float a[] = {0, 1, 0, -2, 0, 1};
    float re[5] = {};
    float im[5] = {};
    const RootStatus status = zrhqr(a, 5, re, im);
    EXPECT_EQ(status, RootStatus::TooManyIterations);
    EXPECT_EQ(RootStatusMessage(status), "Too many iterations in hqr");
}

TEST(RootFinderStatusTest, OkHasNoMessage) {
    EXPECT_EQ(RootStatusMessage(RootStatus::Ok), "");
}

// -------------------------------------------------------- PolynomialRoots

struct PolynomialCase {
    std::string name;
    std::vector<double> ascending;
    RootStatus status;
    std::vector<float> re, im;
};

void PrintTo(const PolynomialCase& c, std::ostream* os) { *os << c.name; }

class PolynomialRootsTest : public ::testing::TestWithParam<PolynomialCase> {};

TEST_P(PolynomialRootsTest, SolvesAtTrueDegree) {
    const PolynomialCase& c = GetParam();
    const ComplexRoots roots = PolynomialRoots(c.ascending);
    EXPECT_EQ(roots.status, c.status);
    ExpectRoots(roots.re, roots.im, c.re, c.im, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(
    Coefficients, PolynomialRootsTest,
    ::testing::Values(
        PolynomialCase{"VanishedLeadingCoefficients", {-1, 0, 1, 0, 0}, RootStatus::Ok, {-1, 1}, {0, 0}},
        PolynomialCase{"QuadraticWithZeroLeadingIsLinear", {3, 2, 0}, RootStatus::Ok, {-1.5f}, {0}},
        PolynomialCase{"TooSmallForFloatCountsAsZero", {3, 2, 1e-60}, RootStatus::Ok, {-1.5f}, {0}},
        PolynomialCase{"NonZeroConstantHasNoRoots", {5, 0, 0}, RootStatus::Ok, {}, {}},
        PolynomialCase{"AllZero", {0, 0, 0}, RootStatus::BadArguments, {}, {}},
        PolynomialCase{"Empty", {}, RootStatus::BadArguments, {}, {}},
        PolynomialCase{"DegreeAboveFifty", std::vector<double>(52, 1.0), RootStatus::BadArguments, {}, {}},
        PolynomialCase{"NaNCoefficient", {1, std::nan(""), 1}, RootStatus::BadArguments, {}, {}},
        PolynomialCase{"NaNConstant", {std::nan("")}, RootStatus::BadArguments, {}, {}},
        PolynomialCase{"OutOfFloatRange", {1e300, 1}, RootStatus::BadArguments, {}, {}},
        PolynomialCase{"NonConvergence", {0, 1, 0, -2, 0, 1}, RootStatus::TooManyIterations, {}, {}}),
    [](const ::testing::TestParamInfo<PolynomialCase>& info) { return info.param.name; });

TEST(PolynomialRootsDegreeTest, FiftyAfterStrippingIsAccepted) {
    // x⁵⁰ − 1 padded with zero leading coefficients: the 50th roots of unity.
    std::vector<double> ascending(60, 0.0);
    ascending[0] = -1.0;
    ascending[50] = 1.0;
    const ComplexRoots roots = PolynomialRoots(ascending);
    ASSERT_EQ(roots.status, RootStatus::Ok);
    ASSERT_EQ(roots.re.size(), 50u);
    for (std::size_t i = 0; i < roots.re.size(); ++i)
        EXPECT_NEAR(std::hypot(roots.re[i], roots.im[i]), 1.0, 1e-4) << "root " << i;
    EXPECT_NEAR(roots.re.front(), -1.0f, 1e-4f);
    EXPECT_EQ(roots.im.front(), 0.0f);
    EXPECT_NEAR(roots.re.back(), 1.0f, 1e-4f);
    EXPECT_EQ(roots.im.back(), 0.0f);
}

// ------------------------------------------------------ closed-form roots

struct ClosedFormCase {
    std::string name;
    std::vector<double> coefficients;  // highest power first
    std::vector<double> roots;         // in the order returned
};

void PrintTo(const ClosedFormCase& c, std::ostream* os) { *os << c.name; }

void ExpectOrderedRoots(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6) << "root " << i;
}

class CubicRootsTest : public ::testing::TestWithParam<ClosedFormCase> {};

TEST_P(CubicRootsTest, ReturnsRealRootsInOrder) {
    const auto& k = GetParam().coefficients;
    ExpectOrderedRoots(CubicRoots(k[0], k[1], k[2], k[3]), GetParam().roots);
}

INSTANTIATE_TEST_SUITE_P(
    Cubics, CubicRootsTest,
    ::testing::Values(
        ClosedFormCase{"TripleRootAtZero", {1, 0, 0, 0}, {0, 0, 0}},
        ClosedFormCase{"TripleRootAwayFromZero", {1, -3, 3, -1}, {1, 1, 1}},
        // Discriminant zero: the double root is listed once, after the simple one.
        ClosedFormCase{"DoubleRootPositiveQ", {1, 0, -3, 2}, {-2, 1}},
        ClosedFormCase{"DoubleRootNegativeQ", {1, 0, -3, -2}, {2, -1}},
        ClosedFormCase{"OneRealRoot", {1, 0, 3, 2}, {-0.59607163798332}},
        ClosedFormCase{"PositiveCubeRoot", {1, 0, 0, -8}, {2}},
        ClosedFormCase{"NegativeCubeRoot", {1, 0, 0, 8}, {-2}},
        // Three real roots in trigonometric order, not sorted.
        ClosedFormCase{"ThreeRealRoots", {1, -6, 11, -6}, {3, 2, 1}},
        ClosedFormCase{"ThreeRealRootsScaled", {2, -12, 22, -12}, {3, 2, 1}}),
    [](const ::testing::TestParamInfo<ClosedFormCase>& info) { return info.param.name; });

class QuarticRootsTest : public ::testing::TestWithParam<ClosedFormCase> {};

TEST_P(QuarticRootsTest, ReturnsRealRootsInOrder) {
    const auto& k = GetParam().coefficients;
    ExpectOrderedRoots(QuarticRoots(k[0], k[1], k[2], k[3], k[4]), GetParam().roots);
}

INSTANTIATE_TEST_SUITE_P(
    Quartics, QuarticRootsTest,
    ::testing::Values(
        ClosedFormCase{"NoRealRoots", {1, 0, 0, 0, 1}, {}},
        ClosedFormCase{"NoRealRootsEvenWithPositiveResolventRoot", {1, 0, 1, 0, 1}, {}},
        // The resolvent's only real root is 0: solved as a quadratic in x².
        ClosedFormCase{"FourthRootsOfOne", {1, 0, 0, 0, -1}, {-1, 1}},
        ClosedFormCase{"BiquadraticWithComplexPair", {1, 0, 1, 0, -2}, {-1, 1}},
        ClosedFormCase{"ShiftedBiquadratic", {1, -4, 6, -4, 0}, {0, 2}},
        ClosedFormCase{"BiquadraticWithoutNonNegativeSquares", {1, 0, 3, 0, 2}, {}},
        // Candidates come pairwise from the two radicands, unsorted.
        ClosedFormCase{"FourRealRoots", {1, -10, 35, -50, 24}, {1, 3, 2, 4}},
        ClosedFormCase{"SymmetricFourRealRoots", {1, 0, -5, 0, 4}, {-2, 1, -1, 2}},
        // Each pair of candidates is separate, so a double root shared by the
        // two pairs appears twice.
        ClosedFormCase{"DoubleRootFromBothPairs", {1, -7, 17, -17, 6}, {1, 2, 1, 3}},
        // (x² − 1)²: both radicands z − (A ∓ B) are 0; the curve touches the
        // axis at ±1 and each double root is listed once.
        ClosedFormCase{"EvenDoubleRootsTouchingTheAxis", {1, 0, -2, 0, 1}, {-1, 1}},
        ClosedFormCase{"EvenDoubleRootsScaled", {2, 0, -4, 0, 2}, {-1, 1}},
        ClosedFormCase{"ShiftedDoubleRoots", {1, -4, 4, 0, 0}, {0, 2}}),
    [](const ::testing::TestParamInfo<ClosedFormCase>& info) { return info.param.name; });

// --------------------------------------------------------------- helpers

struct AngleCase {
    std::string name;
    double x, y, angle;
};

void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.name; }

class VectorAngleTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(VectorAngleTest, LiesInHalfOpenTurn) {
    const AngleCase& c = GetParam();
    EXPECT_NEAR(VectorAngle(c.x, c.y), c.angle, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, VectorAngleTest,
    ::testing::Values(AngleCase{"ZeroVector", 0, 0, 0},
                      // The positive x direction is a full turn, never 0.
                      AngleCase{"PositiveX", 1, 0, 6.283185306},
                      AngleCase{"PositiveY", 0, 1, std::acos(0.0)},
                      AngleCase{"NegativeX", -1, 0, 6.283185306 - std::acos(-1.0)},
                      AngleCase{"NegativeY", 0, -1, 6.283185306 - std::acos(0.0)},
                      AngleCase{"FirstQuadrant", 1, 1, std::acos(1 / std::sqrt(2.0))},
                      AngleCase{"ThirdQuadrant", -1, -1, 6.283185306 - std::acos(-1 / std::sqrt(2.0))},
                      // The single-precision length of (0.7, 0) is below 0.7;
                      // the direction must still be the full turn, not NaN.
                      AngleCase{"LengthRoundedBelowX", 0.7, 0, 6.283185306}),
    [](const ::testing::TestParamInfo<AngleCase>& info) { return info.param.name; });

// The guard the closed-form roots pass through on their way to output: what
// it keeps of a cubic's or quartic's roots are true roots, all of them, and
// of a degenerate one (no leading term) nothing.
struct GuardCase {
    const char* name;
    std::vector<double> coefficients;  // highest power first: 4 for a cubic, 5 for a quartic
    size_t kept;
};

TEST(IsNotFiniteTest, KeepsExactlyTheUsableRoots) {
    const GuardCase rows[] = {
        {"cubic with three roots", {1, -6, 11, -6}, 3},
        {"cubic with one root", {1, 0, 1, 1}, 1},
        {"cubic without its leading term", {0, 1, 2, 3}, 0},
        {"quartic with two roots", {1, 0, 0, 0, -1}, 2},
        {"quartic with four roots", {1, 0, -5, 0, 4}, 4},
        {"quartic without its leading term", {0, 1, -6, 11, -6}, 0},
    };
    for (const GuardCase& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<double>& c = row.coefficients;
        const std::vector<double> roots =
            c.size() == 4 ? CubicRoots(c[0], c[1], c[2], c[3]) : QuarticRoots(c[0], c[1], c[2], c[3], c[4]);
        std::vector<double> kept;
        for (double r : roots)
            if (!IsNotFinite(r)) kept.push_back(r);
        EXPECT_EQ(kept.size(), row.kept);
        for (double r : kept) {
            double value = 0;
            for (double k : c) value = value * r + k;
            EXPECT_NEAR(value, 0, 1e-6) << "at " << r;
        }
    }
}

}  // namespace
}  // namespace MathEx
