// SPDX-License-Identifier: MIT
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sketch/Gesture.h"
#include "sketch/PenInput.h"
#include "sketch/Stroke.h"

namespace {

struct ResampleCase {
    const char* name;
    std::vector<PointF> input;
    std::vector<PointF> expected;  // ten points
};

std::vector<PointF> Row(float x0, float y0, float dx, float dy) {
    std::vector<PointF> points;
    for (int i = 0; i < 10; ++i) points.emplace_back(x0 + dx * i, y0 + dy * i);
    return points;
}

// 100 points from (0, 0) to (9, 9), crowded towards the start.
std::vector<PointF> Crowded() {
    std::vector<PointF> points;
    for (int i = 0; i < 100; ++i) {
        const float t = float(i * i) / (99.0f * 99.0f) * 9.0f;
        points.emplace_back(t, t);
    }
    return points;
}

const ResampleCase kResampleCases[] = {
    {"TwoPointFlick", {{0, 0}, {9, 0}}, Row(0, 0, 1, 0)},
    {"TwoPointFlickBackwards", {{4, 2}, {-5, -16}}, Row(4, 2, -1, -2)},
    {"TenEvenPoints", Row(1, 1, 0.5f, -0.25f), Row(1, 1, 0.5f, -0.25f)},
    {"CrowdedStart", Crowded(), Row(0, 0, 1, 1)},
    {"Corner", {{0, 0}, {3, 0}, {3, 6}}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}}},
    {"RepeatedPointInside", {{0, 0}, {4.5f, 0}, {4.5f, 0}, {9, 0}}, Row(0, 0, 1, 0)},
    {"ZeroLength", {{2, 3}, {2, 3}, {2, 3}}, std::vector<PointF>(10, PointF(2, 3))},
    {"SinglePoint", {{-1, 5}}, std::vector<PointF>(10, PointF(-1, 5))},
    {"LengthOverflowsFloat", {{-3e38f, 0}, {3e38f, 0}}, std::vector<PointF>(10, PointF(-3e38f, 0))},
};

class ResampleTest : public testing::TestWithParam<ResampleCase> {};

TEST_P(ResampleTest, GivesTenEvenlySpacedPointsEndingOnTheStrokesOwn) {
    const ResampleCase& c = GetParam();
    Stroke stroke;
    stroke.points() = c.input;
    stroke.resample();
    ASSERT_EQ(stroke.size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        EXPECT_NEAR(stroke[i].x, c.expected[i].x, 1e-4);
        EXPECT_NEAR(stroke[i].y, c.expected[i].y, 1e-4);
    }
    EXPECT_EQ(stroke.front(), c.input.front());
    EXPECT_EQ(stroke.back(), c.expected.back());
}

INSTANTIATE_TEST_SUITE_P(Strokes, ResampleTest, testing::ValuesIn(kResampleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What the pen draws: a solid stroke one pixel wide in the palette colour of
// the moment, whatever colour it began in.
TEST(StrokeTest, APenStrokeIsSolidInThePaletteColour) {
    const ColorF red(1, 0, 0, 1), blue(0, 0, 1, 1);
    PenInput pen;
    pen.enter();
    pen.press(PointF(0, 0));
    pen.move(PointF(1, 1), red);
    pen.move(PointF(2, 1), blue);
    const Stroke& stroke = pen.currentStroke();
    ASSERT_EQ(stroke.size(), 3u);
    EXPECT_EQ(stroke.color, blue);
    EXPECT_EQ(stroke.stipplePattern, -1) << "solid";
    EXPECT_EQ(stroke.lineWidth, 1.0f);
    pen.release();
    ASSERT_EQ(pen.gesture().strokes.size(), 1u);
    EXPECT_EQ(pen.gesture().strokes[0].color, blue);
}

TEST(StrokeTest, ResamplingDrawsTheStrokeSolidBlueAndLeavesAnEmptyStrokeEmpty) {
    Stroke stroke{{0, 0}, {1, 1}};
    stroke.color = ColorF(1, 0, 0, 0.5f);
    stroke.stipplePattern = 0x0F0F;
    stroke.lineWidth = 3.0f;
    stroke.resample();
    EXPECT_EQ(stroke.color, ColorF(0, 0, 1, 1));
    EXPECT_EQ(stroke.stipplePattern, -1);
    EXPECT_EQ(stroke.lineWidth, 1.0f);

    Stroke empty;
    empty.resample();
    EXPECT_TRUE(empty.empty());
}

TEST(GestureTest, AddsCopiesAndResamplesEveryStroke) {
    Gesture gesture;
    Stroke stroke{{0, 0}, {9, 0}};
    gesture.addStroke(stroke);
    stroke.push_back({20, 20});  // the gesture holds its own copy
    gesture.addStroke(Stroke{{0, 0}, {0, 0}});
    ASSERT_EQ(gesture.strokes.size(), 2u);
    EXPECT_EQ(gesture.strokes[0].size(), 2u);

    gesture.resampleStrokes();
    for (const Stroke& s : gesture.strokes) EXPECT_EQ(s.size(), 10u);
    EXPECT_EQ(gesture.strokes[0][3], PointF(3, 0));

    const Gesture copy = gesture;
    EXPECT_EQ(copy.strokes[1].points(), gesture.strokes[1].points());
}

// Pen-input events as letters: E enter, P press, M move to a new point,
// R release, Z zoom; the expected state afterwards.
struct PenCase {
    const char* name;
    const char* events;
    PenInput::State state;
    size_t strokes;       // in the gesture
    size_t currentPoints; // of the stroke being drawn
};

const PenCase kPenCases[] = {
    {"ClickWithoutMovingAddsNothing", "EPR", PenInput::State::Ready, 0, 1},
    {"PressMoveReleaseAddsAStroke", "EPMR", PenInput::State::Ready, 1, 2},
    {"TwoStrokes", "EPMMRPMR", PenInput::State::Ready, 2, 2},
    {"StrokeInProgress", "EPMM", PenInput::State::Drawing, 0, 3},
    {"PressStartsTheCurrentStrokeOver", "EPMRP", PenInput::State::Drawing, 1, 1},
    {"OutsidePenInputNothingIsDrawn", "PMR", PenInput::State::Off, 0, 0},
    {"ZoomDiscardsTheStrokes", "EPMRZ", PenInput::State::Ready, 0, 2},
    {"EnteringAgainClearsTheGesture", "EPMRE", PenInput::State::Ready, 0, 2},
};

class PenInputTest : public testing::TestWithParam<PenCase> {};

TEST_P(PenInputTest, FollowsTheEvents) {
    const PenCase& c = GetParam();
    PenInput pen;
    float x = 0.0f;
    for (const char* e = c.events; *e; ++e) {
        switch (*e) {
            case 'E': pen.enter(); break;
            case 'P': pen.press(PointF(x, 0)); break;
            case 'M': pen.move(PointF(x += 1.0f, 1.0f), ColorF(0.5f, 0, 0, 1)); break;
            case 'R': pen.release(); break;
            case 'Z': pen.discardStrokes(); break;
        }
    }
    EXPECT_EQ(pen.state(), c.state);
    EXPECT_EQ(pen.isOn(), c.state != PenInput::State::Off);
    EXPECT_EQ(pen.gesture().strokes.size(), c.strokes);
    EXPECT_EQ(pen.currentStroke().size(), c.currentPoints);
}

INSTANTIATE_TEST_SUITE_P(Events, PenInputTest, testing::ValuesIn(kPenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PenInputTest, FinishHandsOverTheGestureAndTurnsPenInputOff) {
    PenInput pen;
    pen.enter();
    pen.press(PointF(0, 0));
    pen.move(PointF(1, 2), ColorF(0, 1, 0, 1));
    pen.release();
    pen.press(PointF(5, 5));  // a stroke still being drawn is not part of the sketch

    const Gesture gesture = pen.finish();
    ASSERT_EQ(gesture.strokes.size(), 1u);
    EXPECT_EQ(gesture.strokes[0].points(), (std::vector<PointF>{{0, 0}, {1, 2}}));
    EXPECT_EQ(gesture.strokes[0].color, ColorF(0, 1, 0, 1));
    EXPECT_EQ(pen.state(), PenInput::State::Off);
    EXPECT_TRUE(pen.gesture().strokes.empty());
    EXPECT_TRUE(pen.currentStroke().empty());

    // Finishing with nothing drawn hands over an empty gesture.
    pen.enter();
    EXPECT_TRUE(pen.finish().strokes.empty());
}

}  // namespace
