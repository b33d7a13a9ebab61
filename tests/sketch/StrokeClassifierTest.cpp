// SPDX-License-Identifier: MIT
#include <array>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "sketch/StrokeClassifier.h"
#include "SketchStrokes.h"

namespace {

using namespace sketchtest;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Five candidates with the given scores (line, quadratic, cubic, arc, ellipse);
// the arc runs from `arcStart` to `arcEnd` about `arcCenter` with `radius`.
struct RuleCase {
    const char* name;
    std::array<double, 5> scores;
    FitKind expected;
    PointF arcStart{0, 0}, arcEnd{0, 4}, arcCenter{-1, 2};  // a bracket by default
    double radius = 2.2;
};

const RuleCase kRuleCases[] = {
    {"CubicLessThanFiveTimesBetterIsALine", {4.0, 9, 1.0, 9, 9}, FK_LINE},
    {"CubicMoreThanFiveTimesBetterStays", {6.0, 9, 1.0, 9, 9}, FK_CUBIC},
    {"QuadraticLessThanFiveTimesBetterIsALine", {4.9, 1.0, 9, 9, 9}, FK_LINE},
    {"QuadraticExactlyFiveTimesBetterStays", {5.0, 1.0, 9, 9, 9}, FK_QUADRATIC},
    {"CubicWithQuadraticSecondStays", {9, 1.1, 1.0, 9, 9}, FK_CUBIC},
    {"ArcWiderThanItsChordAllowsIsALine", {2, 9, 9, 1, 9}, FK_LINE, {0, 0}, {0, 1}, {-3, 0.5}, 3.04},
    {"ArcWiderThanItsChordWithoutLineSecondStays", {9, 2, 9, 1, 9}, FK_ARC, {0, 0}, {0, 1}, {-3, 0.5}, 3.04},
    {"ArchOverItsCentreGoesToTheSecond", {9, 9, 9, 1, 2}, FK_ELLIPSE, {-2, 0}, {2, 0}, {0, 0}, 2},
    {"ArchWithLineSecondGoesToTheLine", {2, 9, 9, 1, 3}, FK_LINE, {-2, 0}, {2, 0}, {0, 0}, 2},
    {"CentreLevelWithAnEndIsNoArch", {9, 9, 9, 1, 2}, FK_ARC, {0, 0}, {2, 2}, {2, 0}, 2},
    {"BracketStaysAnArc", {9, 9, 9, 1, 2}, FK_ARC},
    {"TiesKeepFitterOrder", {3, 3, 3, 3, 3}, FK_LINE},
    {"QuadraticBeforeCubicOnATie", {9, 1, 1, 9, 9}, FK_QUADRATIC},
    {"UnusableLineNeverTakesOver", {kInf, 1, 9, 9, 9}, FK_QUADRATIC},
    {"AllUnusable", {kInf, kInf, kInf, kInf, kInf}, FK_LINE},
};

class ClassificationRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(ClassificationRuleTest, ChoosesByTheFirstMatchingRule) {
    const RuleCase& c = GetParam();
    std::array<ShapeCandidate, kFitKindCount> candidates;
    for (int k = 0; k < kFitKindCount; ++k) {
        candidates[k].kind = FitKind(k);
        candidates[k].score = c.scores[k];
        candidates[k].startPoint = c.arcStart;
        candidates[k].endPoint = c.arcEnd;
    }
    candidates[FK_ARC].center = c.arcCenter;
    candidates[FK_ARC].coeffs[0] = c.radius;
    const ShapeCandidate chosen = chooseCandidate(candidates);
    EXPECT_EQ(chosen.kind, c.expected);
    EXPECT_EQ(chosen.score, c.scores[c.expected]);
}

INSTANTIATE_TEST_SUITE_P(Rules, ClassificationRuleTest, testing::ValuesIn(kRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Drawn strokes, resampled as the pipeline does.
struct StrokeCase {
    const char* name;
    Stroke stroke;
    FitKind expected;
};

const StrokeCase kStrokeCases[] = {
    {"Straight", Segment({-3, 1}, {2, -4}), FK_LINE},
    {"SlightlyCurvedIsALine", Graph([](double x) { return 0.008 * x * x; }, -3, 3), FK_LINE},
    {"CurvedIsAQuadratic", Graph([](double x) { return 0.3 * x * x - 1; }, -3, 3), FK_QUADRATIC},
    {"SlightlyWavyIsALine", Graph([](double x) { return 0.005 * x * x * x; }, -3, 3), FK_LINE},
    {"WavyIsACubic", Graph([](double x) { return 0.1 * x * x * x - x; }, -3, 3), FK_CUBIC},
    {"BracketIsAnArc", EllipseArc(0, 0, 2, 2, 0.75 * kPi, kPi / 2), FK_ARC},
    {"ArchGoesToTheQuadratic", EllipseArc(0, 0, 2, 2, 0.2, kPi - 0.4), FK_QUADRATIC},
    {"LoopIsAnEllipse", EllipseArc(-1, 1, 1, 2, 1.0, 2 * kPi), FK_ELLIPSE},
};

class StrokeClassificationTest : public testing::TestWithParam<StrokeCase> {};

TEST_P(StrokeClassificationTest, ChoosesTheExpectedFitter) {
    EXPECT_EQ(classifyStroke(Resampled(GetParam().stroke)).kind, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Strokes, StrokeClassificationTest, testing::ValuesIn(kStrokeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
