// SPDX-License-Identifier: MIT
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mathex/MathExp.h"
#include "sketch/CFeature.h"

namespace {

MathEx::MathExp Parsed(const std::string& text) {
    MathEx::MathExp equation;
    EXPECT_TRUE(equation.Parse(text)) << text;
    return equation;
}

struct ElementCase {
    const char* name;
    const char* equation;
    FeatureElement expected;  // type, order, highestCoeff, xintercepts, yintercepts, extremePts
};

const ElementCase kElementCases[] = {
    {"Line", "y = 2*x + 1", {MathEx::PT_LINE, 1, 2, 1, 1, 0}},
    {"LevelLine", "y = 3", {MathEx::PT_LINE, 1, 0, 0, 1, 0}},
    {"ParabolaDoubleRoot", "y = x^2", {MathEx::PT_QUADRATIC, 2, 1, 2, 1, 1}},
    {"ParabolaOpeningDown", "y = -(x^2) + 4", {MathEx::PT_QUADRATIC, 2, -1, 2, 1, 1}},
    {"ParabolaAboveTheAxis", "y = x^2 + 1", {MathEx::PT_QUADRATIC, 2, 1, 0, 1, 1}},
    {"Cubic", "y = x^3 - 3*x", {MathEx::PT_CUBIC, 3, 1, 3, 1, 2}},
    {"CubicOneRealRoot", "y = 0.5*x^3 + x + 1", {MathEx::PT_CUBIC, 3, 0.5, 1, 1, 0}},
    {"Quartic", "y = x^4 - 5*x^2 + 4", {MathEx::PT_QUARTIC, 4, 1, 4, 1, 3}},
    {"HigherPolynomial", "y = x^5", {MathEx::PT_POLYNOMIAL, 0, 0, 0, 1, 0}},
    {"VerticalLine", "x - 2 = 0", {MathEx::PT_VERTICAL_LINE, 0, 0, 0, 1, 0}},
    {"Sine", "y = sin(x)", {MathEx::PT_SINE, 0, 0, 0, 1, 0}},
    {"EllipseAboutTheOrigin", "x^2/4 + y^2 - 1 = 0", {MathEx::PT_ELLIPSE, 0, 0, 2, 2, 0}},
    {"EllipseTouchingTheXAxis", "(x - 3)^2/4 + (y - 1)^2 - 1 = 0", {MathEx::PT_ELLIPSE, 0, 0, 1, 1, 0}},
    {"EllipseAboveTheXAxis", "(x - 1)^2/4 + (y - 3)^2 - 1 = 0", {MathEx::PT_ELLIPSE, 0, 0, 0, 2, 0}},
    {"Hyperbola", "x^2 - y^2 - 1 = 0", {MathEx::PT_HYPERBOLA, 0, 0, 0, 1, 0}},
};

class FeatureElementTest : public testing::TestWithParam<ElementCase> {};

TEST_P(FeatureElementTest, IsComputedFromTheEquation) {
    EXPECT_EQ(CFeature::elementOf(Parsed(GetParam().equation)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Equations, FeatureElementTest, testing::ValuesIn(kElementCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Coefficients set directly (as after a reshape) may leave a zero leading
// coefficient: the roots counted are those of the polynomial of lower degree.
TEST(FeatureElementTest, AVanishedLeadingCoefficientCountsTheLowerDegreeRoots) {
    struct Row {
        MathEx::PrimitiveType type;
        std::vector<double> coeffs;  // highest power first
        int xintercepts;
    };
    const Row rows[] = {
        {MathEx::PT_QUADRATIC, {0, 2, -4}, 1},
        {MathEx::PT_CUBIC, {0, 1, 0, -1}, 2},
        {MathEx::PT_QUARTIC, {0, 0, 0, 0, 5}, 0},
        {MathEx::PT_QUARTIC, {0, 0, 0, 0, 0}, 0},
    };
    for (const Row& row : rows) {
        MathEx::MathExp equation;
        equation.type = row.type;
        std::copy(row.coeffs.begin(), row.coeffs.end(), equation.coeffs);
        const FeatureElement e = CFeature::elementOf(equation);
        EXPECT_EQ(e.xintercepts, row.xintercepts) << "type " << row.type;
        EXPECT_EQ(e.highestCoeff, 0.0);
    }
}

const double kTypeWeight = 2 / std::sqrt(6.0);
const double kOtherWeight = 1 / std::sqrt(6.0);

struct DistanceCase {
    const char* name;
    std::vector<std::string> graph, library;
    double expected;
};

const DistanceCase kDistanceCases[] = {
    {"SameParabola", {"y = x^2"}, {"y = x^2"}, 0.0},
    {"ParabolasOfOppositeSign", {"y = x^2"}, {"y = -(x^2)"}, kTypeWeight * 0.5},
    {"LineAgainstAnEmptyDocument", {"y = 2*x + 1"}, {}, 0.1},
    {"EmptyGraphAgainstALine", {}, {"y = 2*x + 1"}, 0.1},
    {"NothingAgainstNothing", {}, {}, 0.0},
    // Two against one: the size term and the better of the two pairs.
    {"TwoAgainstOne", {"y = x^2 + 1", "y = 2*x + 1"}, {"y = x^2 - 1"}, 0.1 + kOtherWeight * (2.0 / 3) / 2},
    // Same kinds in another order match one to one.
    {"OrderDoesNotMatter", {"y = x^2", "y = 2*x + 1"}, {"y = 3*x - 1", "y = 2*x^2"}, 0.0},
    // Different types: r = 1 and the count differences as a unit vector.
    {"LineAgainstCubic", {"y = 2*x + 1"}, {"y = x^3 - 3*x"}, kTypeWeight + kOtherWeight * (2 + 2) / std::sqrt(8.0)},
    {"TwoVerticalLines", {"x - 1 = 0"}, {"x + 4 = 0"}, kTypeWeight * 0.5},
    {"EllipsesWithOtherIntercepts", {"x^2/4 + y^2 - 1 = 0"}, {"(x - 1)^2/4 + (y - 3)^2 - 1 = 0"},
     kOtherWeight * (2.0 / 5) / 2},
    {"SinesAlike", {"y = sin(x)"}, {"y = 2*sin(x)"}, 0.0},
};

class SignatureDistanceTest : public testing::TestWithParam<DistanceCase> {};

TEST_P(SignatureDistanceTest, MatchesTheClosestElementsFirst) {
    const DistanceCase& c = GetParam();
    CFeature graph, library;
    for (const std::string& text : c.graph) graph.addEquation(Parsed(text));
    for (const std::string& text : c.library) library.addEquation(Parsed(text));
    EXPECT_NEAR(library.distance(graph), c.expected, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Signatures, SignatureDistanceTest, testing::ValuesIn(kDistanceCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Elements as a document may store them, whatever their values.
TEST(SignatureDistanceTest, StoredElementsNeverGiveANegativeDistance) {
    const FeatureElement orderZeroWithCoefficient{MathEx::PT_LINE, 0, 3, 0, 1, 5};
    const FeatureElement negativeOrder{MathEx::PT_QUADRATIC, -1, 2, 1, 1, 0};
    const FeatureElement negativeType{-4, 0, 0, 1, 1, 1};
    for (const FeatureElement& e : {orderZeroWithCoefficient, negativeOrder, negativeType}) {
        FeatureElement other = e;
        other.extremePts += 2;
        const double d = CFeature::elementDistance(e, other);
        EXPECT_GE(d, 0.0);
        EXPECT_TRUE(std::isfinite(d));
    }
    // Equal negative types: r = 0, only the counts.
    EXPECT_NEAR(CFeature::elementDistance(negativeType, FeatureElement{-4, 0, 0, 3, 1, 1}), kOtherWeight, 1e-12);
}

}  // namespace
