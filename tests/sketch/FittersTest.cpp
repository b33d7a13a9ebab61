// SPDX-License-Identifier: MIT
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sketch/Fitters.h"
#include "sketch/StrokeClassifier.h"
#include "SketchStrokes.h"

namespace {

using namespace sketchtest;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();  // not checked

struct ExactCase {
    const char* name;
    Stroke stroke;
    FitKind kind;
    double maxScore;                 // the fidelity grid keeps some shapes a little above 0
    std::vector<double> coeffs;      // leading entries of `coeffs`
    double centerX = kNaN, centerY = kNaN;
};

const ExactCase kExactCases[] = {
    {"LineRising", Resampled(Segment({-3, -1}, {4, 2})), FK_LINE, 1e-9, {}},
    {"LineVertical", Resampled(Segment({2, -1}, {2, 5})), FK_LINE, 1e-9, {}},
    {"LineFallingManyPoints", Resampled(Segment({0, 5}, {7, -3}, 200)), FK_LINE, 1e-9, {}},
    {"QuadraticOpeningUp", Graph([](double x) { return x * x - 2 * x + 1; }, -1, 3, 201), FK_QUADRATIC, 2.0,
     {1, -2, 1}},
    {"QuadraticOpeningDown", Graph([](double x) { return -0.5 * x * x + x + 2; }, -2, 4, 121), FK_QUADRATIC, 1.0,
     {-0.5, 1, 2}},
    {"CubicRising", Graph([](double x) { return x * x * x - 3 * x; }, -2, 2, 201), FK_CUBIC, 4.0, {1, 0, -3, 0}},
    {"CubicFalling", Graph([](double x) { return -x * x * x + 3 * x; }, -2, 2, 201), FK_CUBIC, 4.0, {-1, 0, 3, 0}},
    {"CubicDrawnRightToLeft", Graph([](double x) { return x * x * x - 3 * x; }, 2, -2, 201), FK_CUBIC, 4.0,
     {1, 0, -3, 0}},
    {"HalfCircleBracket", EllipseArc(1, 1, 2, 2, kPi / 2, kPi, 0, 201), FK_ARC, 1e-9, {2}, 1, 1},
    {"AxisAlignedEllipse", EllipseArc(1, 2, 3, 1.5, 0.3, 2 * kPi, 0, 400), FK_ELLIPSE, 2.5, {3, 1.5}, 1, 2},
};

class ExactShapeTest : public testing::TestWithParam<ExactCase> {};

TEST_P(ExactShapeTest, ItsOwnFitterRecoversTheShapeAndWins) {
    const ExactCase& c = GetParam();
    const auto candidates = runFitters(c.stroke, 10);
    const ShapeCandidate& own = candidates[c.kind];
    EXPECT_EQ(own.kind, c.kind);
    EXPECT_LE(own.score, c.maxScore);
    EXPECT_GE(own.score, 0.0);
    for (const ShapeCandidate& other : candidates)
        if (other.kind != c.kind) {
            EXPECT_GT(other.score, 5 * own.score) << "fitter " << other.kind;
        }
    for (size_t i = 0; i < c.coeffs.size(); ++i) EXPECT_NEAR(own.coeffs[i], c.coeffs[i], 1e-4) << "coefficient " << i;
    if (!std::isnan(c.centerX)) {
        EXPECT_NEAR(own.center.x, c.centerX, 1e-4);
        EXPECT_NEAR(own.center.y, c.centerY, 1e-4);
    }
    EXPECT_EQ(own.startPoint, c.stroke.front());
    EXPECT_EQ(own.endPoint, c.stroke.back());
}

INSTANTIATE_TEST_SUITE_P(Shapes, ExactShapeTest, testing::ValuesIn(kExactCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Strokes that cannot define some models: those fitters score +∞, the others
// keep a finite score.
struct DegenerateCase {
    const char* name;
    Stroke stroke;
    std::vector<FitKind> unusable;
};

Stroke Closed() { return Stroke{{0, 0}, {1, 1}, {2, 0}, {0, 0}}; }

const DegenerateCase kDegenerateCases[] = {
    {"LineEndPointsCoincide", Closed(), {FK_LINE, FK_QUADRATIC, FK_CUBIC, FK_ARC}},
    {"QuadraticEndPointsShareX", Stroke{{0, 0}, {1, 1}, {0, 2}}, {FK_QUADRATIC, FK_CUBIC}},
    // Level end points: the first half's highest point is the start itself.
    {"CubicScanFindsNothingBeyondItsStart", Resampled(Graph([](double x) { return 0.01 * x * x; }, -3, 3)),
     {FK_CUBIC}},
    // Collinear arc points, a box without height, and no vertex for the quadratic.
    {"LevelStroke", Resampled(Segment({0, 1}, {5, 1})), {FK_QUADRATIC, FK_CUBIC, FK_ARC, FK_ELLIPSE}},
    {"UprightStroke", Resampled(Segment({2, -1}, {2, 3})), {FK_QUADRATIC, FK_CUBIC, FK_ARC, FK_ELLIPSE}},
    {"ZeroLength", Resampled(Stroke{{3, 4}, {3, 4}}), {FK_LINE, FK_QUADRATIC, FK_CUBIC, FK_ARC, FK_ELLIPSE}},
    {"Empty", Stroke{}, {FK_LINE, FK_QUADRATIC, FK_CUBIC, FK_ARC, FK_ELLIPSE}},
    {"NotANumber", Stroke{{0, 0}, {1, std::nanf("")}, {2, 1}, {3, 3}},
     {FK_LINE, FK_QUADRATIC, FK_CUBIC, FK_ARC, FK_ELLIPSE}},
    // Two million x steps of 0.1: far too many to walk.
    {"TooWideForTheGrid", Resampled(Segment({-1e5f, 0}, {1e5f, 3e4f})), {FK_QUADRATIC, FK_CUBIC}},
    // At x = 1e7 a single-precision step of 0.1 does not move x.
    {"GridStepVanishesFarOut", Resampled(Graph([](double x) { return (x - 1e7) * (x - 1e7) * (x - 1e7); },
                                               1e7 - 2, 1e7 + 2)),
     {FK_CUBIC}},
};

class DegenerateTest : public testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateTest, UnusableModelsScoreInfinity) {
    const DegenerateCase& c = GetParam();
    const auto candidates = runFitters(c.stroke, 10);
    for (const ShapeCandidate& candidate : candidates) {
        const bool unusable = std::find(c.unusable.begin(), c.unusable.end(), candidate.kind) != c.unusable.end();
        if (unusable) {
            EXPECT_EQ(candidate.score, kInf) << "fitter " << candidate.kind;
        } else {
            EXPECT_TRUE(std::isfinite(candidate.score)) << "fitter " << candidate.kind;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Strokes, DegenerateTest, testing::ValuesIn(kDegenerateCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FlatArcCase {
    const char* name;
    Stroke stroke;
};

const FlatArcCase kFlatArcCases[] = {
    {"ShallowCircleArc", Resampled(EllipseArc(0, -10, 10, 10, kPi / 2 - 0.3, 0.6))},
    {"SlightBend", Resampled(Graph([](double x) { return 0.004 * x * x; }, -3, 3))},
    {"AlmostStraightAndTurned", Resampled(Moved(Graph([](double x) { return 0.01 * x * x; }, 0, 4), 1.0))},
};

class FlatArcTest : public testing::TestWithParam<FlatArcCase> {};

TEST_P(FlatArcTest, ScoresExactlyTheFlatArcConstant) {
    const ShapeCandidate arc = fitArc(GetParam().stroke, 10);
    EXPECT_EQ(arc.score, kFlatArcScore);
    EXPECT_GT(arc.coeffs[0], 1.5 * (arc.endPoint - arc.startPoint).length());
}

INSTANTIATE_TEST_SUITE_P(Strokes, FlatArcTest, testing::ValuesIn(kFlatArcCases),
                         [](const auto& info) { return std::string(info.param.name); });

class EllipseStartTest : public testing::TestWithParam<double> {};

// Ten resampled points give a slightly smaller box than the drawn loop.
TEST_P(EllipseStartTest, AnAxisAlignedLoopIsAnEllipseFromAnyStartPoint) {
    for (double direction : {1.0, -1.0}) {
        SCOPED_TRACE(direction > 0 ? "counter-clockwise" : "clockwise");
        const Stroke loop = Resampled(EllipseArc(1, 2, 3, 1.5, GetParam(), direction * 2 * kPi));
        const ShapeCandidate chosen = classifyStroke(loop);
        EXPECT_EQ(chosen.kind, FK_ELLIPSE);
        EXPECT_LT(chosen.score, 5.0);
        EXPECT_NEAR(chosen.center.x, 1, 0.2);
        EXPECT_NEAR(chosen.center.y, 2, 0.2);
        EXPECT_NEAR(chosen.coeffs[0], 3, 0.2);
        EXPECT_NEAR(chosen.coeffs[1], 1.5, 0.1);
    }
}

INSTANTIATE_TEST_SUITE_P(StartAngles, EllipseStartTest, testing::Values(0.0, 0.7, 1.6, 2.5, 3.1, 4.0, 4.9, 5.8));

}  // namespace
