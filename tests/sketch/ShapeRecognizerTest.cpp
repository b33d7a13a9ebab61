// SPDX-License-Identifier: MIT
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mathex/SmartNumber.h"
#include "sketch/Fitters.h"
#include "sketch/Gesture.h"
#include "sketch/ShapeEquationText.h"
#include "sketch/ShapeRecognizer.h"
#include "sketch/StrokeClassifier.h"
#include "SketchStrokes.h"

namespace {

using namespace sketchtest;

std::vector<Stroke> ResampledAll(std::vector<Stroke> strokes) {
    for (Stroke& s : strokes) s.resample();
    return strokes;
}

struct OneStrokeCase {
    const char* name;
    Stroke stroke;
    ShapeType expected;
};

const OneStrokeCase kOneStrokeCases[] = {
    {"Line", Segment({-2, -1}, {3, 4}), ST_LINE},
    {"VerticalLine", Segment({2.5f, -1}, {2.5f, 4}), ST_LINE},
    {"Quadratic", Graph([](double x) { return 0.3 * x * x - 1; }, -3, 3), ST_QUADRATIC},
    {"Cubic", Graph([](double x) { return 0.1 * x * x * x - x; }, -3, 3), ST_CUBIC},
    {"Bracket", EllipseArc(0, 0, 2, 2, 0.75 * kPi, kPi / 2), ST_ARC},
    {"Loop", EllipseArc(-1, 1, 1, 2, 1.0, 2 * kPi), ST_ELLIPSE},
    {"ZeroLength", Stroke{{1, 1}, {1, 1}}, ST_NONE},
    {"NotANumber", Stroke{{1, 1}, {2, std::nanf("")}, {3, 1}}, ST_NONE},
};

class OneStrokeTest : public testing::TestWithParam<OneStrokeCase> {};

// The shape carries the chosen candidate's fields that its type names.
TEST_P(OneStrokeTest, TakesTheClassifiedCandidate) {
    const OneStrokeCase& c = GetParam();
    const std::vector<Stroke> strokes = ResampledAll({c.stroke});
    ShapeRecognizer recognizer;
    const RecognizedShape shape = recognizer.recognize(strokes);
    ASSERT_EQ(shape.shapeType, c.expected);

    const auto candidates = runFitters(strokes[0], 10);
    ASSERT_EQ(recognizer.fits().size(), candidates.size());
    for (size_t k = 0; k < candidates.size(); ++k) {
        EXPECT_EQ(recognizer.fits()[k].kind, FitKind(k));
        EXPECT_EQ(recognizer.fits()[k].score, candidates[k].score);
    }
    if (shape.shapeType == ST_NONE) return;
    const ShapeCandidate chosen = classifyStroke(strokes[0]);
    EXPECT_EQ(shape.startPoint, strokes[0].front());
    EXPECT_EQ(shape.endPoint, strokes[0].back());
    const int named = shape.shapeType == ST_QUADRATIC ? 3 : shape.shapeType == ST_CUBIC ? 4
                    : shape.shapeType == ST_ELLIPSE   ? 2 : 0;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(shape.coeffs[i], i < named ? chosen.coeffs[i] : 0.0) << "coefficient " << i;
    if (shape.shapeType == ST_ARC || shape.shapeType == ST_ELLIPSE) {
        EXPECT_EQ(shape.center, chosen.center);
    }
    EXPECT_EQ(shape.angle, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Strokes, OneStrokeTest, testing::ValuesIn(kOneStrokeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// An axis stroke, then a curve, drawn in a base position and then turned by
// `turn` about the origin and moved by (1, 2). Expected centre and parameters
// are those of the base drawing, with tolerances for what ten resampled points
// can show.
struct TwoStrokeCase {
    const char* name;
    Stroke axis, curve;
    ShapeType expected;
    PointF center;
    double centerTolerance;
    double coeffs[2];  // a, b; for a parabola p
    double coeffTolerance;
    double curveTolerance;  // how far the drawn curve may be from the created conic
};

const TwoStrokeCase kTwoStrokeCases[] = {
    {"Ellipse", Segment({-4, 0}, {4, 0}), EllipseArc(0, 0, 3, 1.5, 0.3, 2 * kPi), ST_ELLIPSE, {0, 0}, 0.05,
     {3, 1.5}, 0.15, 0.25},
    {"Parabola", Segment({0, -1}, {0, 5}), Graph([](double x) { return 0.5 * x * x; }, -3, 3), ST_PARABOLA, {0, 0},
     0.2, {0.5}, 0.05, 0.25},
    // The branch y = 1 + x²/4 has the vertex curvature of a hyperbola with a = 1, b = √2;
    // at its ends it is 0.27 beyond that hyperbola.
    {"Hyperbola", Segment({-3, 0}, {3, 0}), Graph([](double x) { return 1 + 0.25 * x * x; }, -2, 2), ST_HYPERBOLA,
     {0, 0}, 0.3, {1, std::sqrt(2.0)}, 0.05, 0.35},
};

const double kTurns[] = {0.0, 0.5, -1.0, 2.0};

// The conic's angle: the turn taken within (−π/2, π/2], plus π/2 for the
// hyperbola and parabola, whose recorded axis is across the drawn one.
double ExpectedAngle(ShapeType type, double turn) {
    const double wrapped = turn > kPi / 2 ? turn - kPi : turn;
    return type == ST_ELLIPSE ? wrapped : wrapped + MathEx::kHalfPi;
}

class TwoStrokeTest : public testing::TestWithParam<std::tuple<TwoStrokeCase, double>> {};

TEST_P(TwoStrokeTest, RecognisesTheConicInAnyPosition) {
    const auto& [c, turn] = GetParam();
    Gesture gesture;
    gesture.addStroke(Moved(c.axis, turn, {}, 1, 2));
    gesture.addStroke(Moved(c.curve, turn, {}, 1, 2));
    gesture.resampleStrokes();
    const RecognizedShape shape = gesture.recognize();
    EXPECT_EQ(gesture.shape.shapeType, shape.shapeType);
    ASSERT_EQ(shape.shapeType, c.expected);

    const Stroke center = Moved(Stroke{c.center}, turn, {}, 1, 2);
    EXPECT_NEAR(shape.center.x, center[0].x, c.centerTolerance);
    EXPECT_NEAR(shape.center.y, center[0].y, c.centerTolerance);
    EXPECT_NEAR(shape.angle, ExpectedAngle(c.expected, turn), 1e-6);
    // Turned past a right angle, the parabola opens the other way about its recorded axis.
    const double sign = c.expected == ST_PARABOLA && turn > kPi / 2 ? -1.0 : 1.0;
    const int named = c.expected == ST_PARABOLA ? 1 : 2;
    for (int i = 0; i < named; ++i)
        EXPECT_NEAR(shape.coeffs[i], sign * c.coeffs[i], c.coeffTolerance) << "coefficient " << i;

    // The conic the sketch creates runs along the drawn curve.
    MathEx::MathExp conic;
    ASSERT_TRUE(shapeConicExpression(shape, conic));
    ASSERT_TRUE(conic.Rebuild()) << conic.CanonicalText();
    for (const PointF& q : gesture.strokes[1]) {
        const double h = 1e-4, f = conic.Value(q.x, q.y);
        const double gx = (conic.Value(q.x + h, q.y) - conic.Value(q.x - h, q.y)) / (2 * h);
        const double gy = (conic.Value(q.x, q.y + h) - conic.Value(q.x, q.y - h)) / (2 * h);
        EXPECT_LT(std::fabs(f) / std::hypot(gx, gy), c.curveTolerance) << "at (" << q.x << ", " << q.y << ") of " << conic.CanonicalText();
    }
    if (c.expected == ST_HYPERBOLA) {
        // The centre is the foot of the perpendicular: on the axis line itself.
        const Stroke& axis = gesture.strokes[0];
        const PointF d = axis.back() - axis.front(), v = shape.center - axis.front();
        EXPECT_NEAR((double(d.x) * v.y - double(d.y) * v.x) / d.length(), 0.0, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(Conics, TwoStrokeTest, testing::Combine(testing::ValuesIn(kTwoStrokeCases), testing::ValuesIn(kTurns)),
                         [](const auto& info) {
                             const int turn = int(std::lround(std::get<1>(info.param) * 10));
                             return std::string(std::get<0>(info.param).name) + "Turn" +
                                    (turn < 0 ? "Minus" + std::to_string(-turn) : std::to_string(turn));
                         });

// The hyperbola's second semi-axis follows the drawing's scale, as a length must.
TEST(TwoStrokeTest, HyperbolaSemiAxesScaleWithTheDrawing) {
    for (double scale : {0.5, 1.0, 3.0}) {
        const auto branch = [scale](double x) { return scale * (1 + 0.25 * (x / scale) * (x / scale)); };
        const std::vector<Stroke> strokes =
            ResampledAll({Segment({float(-3 * scale), 0}, {float(3 * scale), 0}), Graph(branch, -2 * scale, 2 * scale)});
        const RecognizedShape shape = ShapeRecognizer().recognize(strokes);
        ASSERT_EQ(shape.shapeType, ST_HYPERBOLA);
        EXPECT_NEAR(shape.coeffs[0] / scale, 1.0, 0.05);
        EXPECT_NEAR(shape.coeffs[1] / scale, std::sqrt(2.0), 0.05);
    }
}

// A rotated ellipse is recognised wherever its stroke starts, the tips of its
// long axis included, where the stroke begins and ends on the axis drawn.
TEST(TwoStrokeTest, AnEllipseStartedAtTheTipOfItsAxis) {
    for (double turn : {0.0, 0.5, kPi / 2, 2.0})
        for (double start : {0.0, kPi, 0.7}) {
            const std::vector<Stroke> strokes = ResampledAll(
                {Moved(Segment({-6, 0}, {6, 0}), turn, {}, 1, -0.5), Moved(EllipseArc(0, 0, 4, 2, start, 2 * kPi), turn, {}, 1, -0.5)});
            const RecognizedShape shape = ShapeRecognizer().recognize(strokes);
            ASSERT_EQ(shape.shapeType, ST_ELLIPSE) << "turn " << turn << ", start " << start << ": " << shape.problem;
            EXPECT_NEAR(shape.coeffs[0], 4, 0.4) << turn << " " << start;
            EXPECT_NEAR(shape.coeffs[1], 2, 0.2) << turn << " " << start;
        }
}

struct NothingCase {
    const char* name;
    std::vector<Stroke> strokes;
    size_t fits;          // candidates reported
    const char* problem;  // why, for the status bar
};

const NothingCase kNothingCases[] = {
    {"NoStrokes", {}, 0, "nothing was drawn"},
    {"ThreeStrokes", {Segment({-4, 0}, {4, 0}), Segment({0, -4}, {0, 4}), Segment({1, 1}, {2, 2})}, 0,
     "more than two strokes (draw one curve, or an axis and then a curve)"},
    {"CurvedAxis", {Graph([](double x) { return 0.4 * x * x; }, -3, 3), EllipseArc(0, 0, 3, 1.5, 0.3, 2 * kPi)}, 0,
     "the first of two strokes is not a straight axis"},
    {"ThreeCrossings", {Segment({-4, 0}, {4, 0}), Graph([](double x) { return std::sin(2 * x); }, -3.5, 3.5)}, 0,
     "the curve crosses its axis more than twice"},
    {"TwoCrossingsButNoLoop", {Segment({-3, 0}, {3, 0}), Graph([](double x) { return x * x - 1; }, -2, 2)}, 5,
     "the curve crosses its axis twice but is no ellipse"},
    {"OneCrossingButStraight", {Segment({-4, 0}, {4, 0}), Segment({0, -3}, {0.5f, 3})}, 5,
     "the curve crosses its axis once but is no parabola"},
    {"ZeroLengthAxis", {Stroke{{1, 1}, {1, 1}}, EllipseArc(0, 0, 3, 1.5, 0.3, 2 * kPi)}, 0,
     "the first of two strokes is not a straight axis"},
    {"EmptyStroke", {Stroke{}}, 0, "a stroke has no points"},
    {"EmptyCurve", {Segment({-4, 0}, {4, 0}), Stroke{}}, 0, "a stroke has no points"},
};

class NothingRecognisedTest : public testing::TestWithParam<NothingCase> {};

TEST_P(NothingRecognisedTest, GivesNoShape) {
    const NothingCase& c = GetParam();
    ShapeRecognizer recognizer;
    const RecognizedShape shape = recognizer.recognize(ResampledAll(c.strokes));
    EXPECT_EQ(shape.shapeType, ST_NONE);
    EXPECT_EQ(recognizer.fits().size(), c.fits);
    EXPECT_STREQ(shape.problem, c.problem);
}

INSTANTIATE_TEST_SUITE_P(Gestures, NothingRecognisedTest, testing::ValuesIn(kNothingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Whatever the coordinates, recognition ends, and a shape it reports has finite numbers.
TEST(NothingRecognisedTest, HostileCoordinatesNeverGiveNonFiniteShapes) {
    const float inf = std::numeric_limits<float>::infinity(), big = 3e38f, tiny = 1e-40f;
    const std::vector<std::vector<Stroke>> gestures = {
        {Stroke{{-big, -big}, {big, big}}},
        {Stroke{{-big, 0}, {0, big}, {big, 0}}},
        {Stroke{{0, 0}, {tiny, tiny}, {2 * tiny, 0}}},
        {Stroke{{0, 0}, {inf, 1}}},
        {Stroke{{1e7f, 1e7f}, {1e7f + 1, 1e7f + 3}, {1e7f + 2, 1e7f}}},
        {Segment({-big, 0}, {big, 0}), EllipseArc(0, 0, 1e38, 1e37, 0.3, 2 * kPi)},
        {Segment({-4, 0}, {4, 0}), Stroke{{0, -1}, {0, inf}}},
        {Segment({-4, 0}, {4, 0}), Stroke{{0, 1}, {tiny, 1}, {2 * tiny, 1}}},
    };
    for (const std::vector<Stroke>& strokes : gestures) {
        const RecognizedShape shape = ShapeRecognizer().recognize(ResampledAll(strokes));
        if (shape.shapeType == ST_NONE) continue;
        for (double v : {double(shape.center.x), double(shape.center.y), double(shape.startPoint.x),
                         double(shape.endPoint.y), shape.coeffs[0], shape.coeffs[1], shape.coeffs[2], shape.angle})
            EXPECT_TRUE(std::isfinite(v)) << "shape " << shape.shapeType;
    }
}

}  // namespace
