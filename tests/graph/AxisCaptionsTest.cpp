// SPDX-License-Identifier: MIT
// Captions on the axes (attribute points' coordinates) and the axis numbers
// keep apart: a number that a caption covers is left out.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "graph/GraphManager.h"
#include "support/RecordingPainter.h"

namespace {

using testing_support::RecordedText;
using testing_support::RecordingPainter;

// ---------------------------------------------------------------- the decision

struct HiddenCase {
    const char* name;
    RectF number;
    std::vector<RectF> captions;
    double gapX, gapY;
    bool hidden;
};

class AxisNumberHiddenTest : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(AxisNumberHiddenTest, WhenACaptionComesNearerThanTheGap) {
    const HiddenCase& c = GetParam();
    EXPECT_EQ(AxisNumberHidden(c.number, c.captions, c.gapX, c.gapY), c.hidden) << c.name;
}

// A y number "3" left of the axis: top 3.1, bottom 2.9, left -0.5, right -0.2.
const RectF kThree(3.1f, 2.9f, -0.5f, -0.2f);

INSTANTIATE_TEST_SUITE_P(
    Table, AxisNumberHiddenTest,
    ::testing::Values(HiddenCase{"no captions", kThree, {}, 0, 0, false},
                      HiddenCase{"a y caption at the same height", kThree, {RectF(3.3f, 2.7f, -0.3f, 0)}, 0, 0, true},
                      HiddenCase{"a caption half a unit higher", kThree, {RectF(3.8f, 3.2f, -0.3f, 0)}, 0, 0, false},
                      HiddenCase{"a caption right of the axis", kThree, {RectF(3.3f, 2.7f, 0, 0.3f)}, 0, 0, false},
                      HiddenCase{"a caption that only touches it", kThree, {RectF(3.3f, 2.7f, -0.2f, 0)}, 0, 0, false},
                      HiddenCase{"a wide caption over it", kThree, {RectF(3.05f, 2.95f, -2, 0)}, 0, 0, true},
                      HiddenCase{"the second of two captions", kThree,
                                 {RectF(8, 7, -1, 0), RectF(3.0f, 2.0f, -1, 0)}, 0, 0, true},
                      HiddenCase{"an empty caption box", kThree, {RectF()}, 0.1, 0.1, false},
                      HiddenCase{"an inverted caption box", kThree, {RectF(2.7f, 3.3f, 0, -0.3f)}, 0, 0, false},
                      // Nearer than the gap counts: an x caption just right of a number.
                      HiddenCase{"within the gap to the right", kThree, {RectF(3.1f, 2.9f, -0.15f, 0.3f)}, 0.1, 0, true},
                      HiddenCase{"beyond the gap to the right", kThree, {RectF(3.1f, 2.9f, -0.05f, 0.3f)}, 0.1, 0, false},
                      HiddenCase{"within the gap above", kThree, {RectF(3.5f, 3.15f, -0.5f, 0)}, 0, 0.1, true},
                      HiddenCase{"beyond the gap above", kThree, {RectF(3.5f, 3.25f, -0.5f, 0)}, 0, 0.1, false}));

// ---------------------------------------------------------------- on the graph

struct CaptionCase {
    bool vector;
    float x;  // the attribute point is at (x, x²)
    AttribPreset preset;
    std::set<std::string> hiddenY, hiddenX;  // the numbers the captions cover
};

class AxisCaptionsTest : public ::testing::TestWithParam<CaptionCase> {};

// Numbers are told from the captions' glyphs (on the page) by their size, 9
// pixels to a capital, and split by axis by where they stand: those along x
// are below it, those along y end left of it.
void AxisNumbers(const RecordingPainter& s, std::set<std::string>& alongX, std::set<std::string>& alongY) {
    const double numberScale = 0.09 * 1.3 / 40;  // glyph units to graph units at the default view
    for (const RecordedText& t : s.texts) {
        if (t.text.empty() || !(std::isdigit(static_cast<unsigned char>(t.text.back())))) continue;
        if (std::fabs(t.sx - numberScale) > 1e-9) continue;
        const double right = t.origin.x + RecordingPainter::kGlyphWidth * t.text.size() * t.sx;
        const double k = std::stod(t.text);
        if (std::fabs((t.origin.x + right) / 2 - k) < 1e-3 && t.origin.y < 0) alongX.insert(t.text);
        else if (right < 0 && std::fabs(t.origin.y - k) < 0.5) alongY.insert(t.text);
    }
}

TEST_P(AxisCaptionsTest, TheNumberUnderACaptionIsLeftOut) {
    const CaptionCase& c = GetParam();
    GraphManager graph;
    EquationObject* parabola = graph.addEquationFromText("y = x^2");
    ASSERT_NE(parabola, nullptr);
    graph.setPopupTarget(parabola, PointF(c.x, c.x * c.x));
    graph.addAttribPoint(c.preset);
    RecordingPainter s(c.vector);
    graph.draw(s);
    std::set<std::string> alongX, alongY;
    AxisNumbers(s, alongX, alongY);
    // At the default view every unit is numbered along y, every other one along x.
    for (int k = -9; k <= 9; ++k) {
        const std::string t = std::to_string(k);
        if (k == 0) continue;  // the origin has its "O"
        EXPECT_EQ(alongY.count(t), c.hiddenY.count(t) ? 0u : 1u) << "y " << t;
        if (k % 2 == 0) {
            EXPECT_EQ(alongX.count(t), c.hiddenX.count(t) ? 0u : 1u) << "x " << t;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, AxisCaptionsTest,
                         ::testing::Values(CaptionCase{false, 2, PRESET_PLAIN, {}, {}},
                                           CaptionCase{false, 2, PRESET_Y_CAPTION, {"4"}, {}},
                                           CaptionCase{false, 2, PRESET_X_CAPTION, {}, {"2"}},
                                           CaptionCase{false, 2, PRESET_XY_CAPTION, {"4"}, {"2"}},
                                           // Left of the y axis the y caption stands right of it, clear of the "4".
                                           CaptionCase{false, -2, PRESET_XY_CAPTION, {}, {"-2"}},
                                           CaptionCase{true, 2, PRESET_PLAIN, {}, {}},
                                           CaptionCase{true, 2, PRESET_XY_CAPTION, {"4"}, {"2"}},
                                           CaptionCase{true, -2, PRESET_XY_CAPTION, {}, {"-2"}}));

// The coordinates of an extreme point on the y axis are a caption as well.
TEST(AxisCaptions, ExtremePointCoordinatesKeepNumbersAway) {
    GraphManager graph;
    EquationObject* parabola = graph.addEquationFromText("y = 2.5 - x^2");  // its maximum: (0, 2.5)
    ASSERT_NE(parabola, nullptr);
    for (const bool shown : {false, true}) {
        parabola->setExtremePointsShown(shown);
        RecordingPainter s;
        graph.draw(s);
        std::set<std::string> alongX, alongY;
        AxisNumbers(s, alongX, alongY);
        EXPECT_EQ(alongY.count("3"), shown ? 0u : 1u) << "under \"(0,2.5)\" above the maximum";
        for (const char* k : {"2", "4", "-3"}) EXPECT_EQ(alongY.count(k), 1u) << k;
    }
}

// ---------------------------------------------------------------- mensuration

struct SectionsCase {
    int sections;
    double xmin, xmax;
    int tickType;
    bool vector;
};

class MensurationLabelsOnTheAxis : public ::testing::TestWithParam<SectionsCase> {};

bool Meet(const RectF& a, const RectF& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// However many sections, no two boundary labels meet, and no axis number
// or origin mark is drawn under one: the labels thin out to every k-th and
// the numbers they cover give way.
TEST_P(MensurationLabelsOnTheAxis, NeitherEachOtherNorANumberOrTheOrigin) {
    const SectionsCase& c = GetParam();
    GraphManager graph;
    EquationObject* curve = graph.addEquationFromText("y = 0.1*x^2 + 1");
    ASSERT_NE(curve, nullptr);
    Mensuration m;
    m.xmin = c.xmin;
    m.xmax = c.xmax;
    m.nRects = c.sections;
    m.tickType = c.tickType;
    curve->setMensuration(m);
    curve->setMensurationEnabled(true);
    RecordingPainter s(c.vector);
    graph.draw(s);

    const Viewport& v = graph.viewport();
    const std::vector<Mensuration::Label> labels = curve->mensuration().labels(s, *curve);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels.front().text, "x_0");
    EXPECT_EQ(labels.back().text, "x_n");
    for (size_t a = 0; a < labels.size(); ++a)
        for (size_t b = a + 1; b < labels.size(); ++b)
            EXPECT_FALSE(Meet(labels[a].box, labels[b].box)) << labels[a].text << " and " << labels[b].text;

    // The numbers and the "O" are the texts at the numbers' size, 9 pixels to a capital.
    const double sx = 0.09 * v.unitsPerPixelX(), sy = 0.09 * v.unitsPerPixelY();
    int numbers = 0, labelImages = 0;
    for (const auto& image : s.images)
        for (const Mensuration::Label& label : labels)
            if (std::fabs(image.origin.x - label.box.left) < 1e-4 && std::fabs(image.origin.y - label.box.bottom) < 1e-4)
                ++labelImages;
    for (const RecordedText& t : s.texts) {
        if (std::fabs(t.sx - sx) > 1e-9 * sx) continue;
        const RectF box(float(t.origin.y + 100 * sy), t.origin.y, t.origin.x,
                        float(t.origin.x + RecordingPainter::kGlyphWidth * t.text.size() * sx));
        ++numbers;
        for (const Mensuration::Label& label : labels)
            EXPECT_FALSE(Meet(box, label.box)) << "\"" << t.text << "\" under " << label.text;
    }
    EXPECT_GT(numbers, 10) << "the numbers elsewhere stay";
    EXPECT_EQ(labelImages, int(labels.size())) << "every label is drawn where its box says";
}

INSTANTIATE_TEST_SUITE_P(Table, MensurationLabelsOnTheAxis,
                         ::testing::Values(SectionsCase{10, 0, 10, Mensuration::kOmitMiddle, false},
                                           SectionsCase{10, -4.5, 5.5, 0, false},
                                           SectionsCase{20, 0, 10, 0, false},
                                           SectionsCase{20, -7.3, 6.1, Mensuration::kOmitMiddle, false},
                                           SectionsCase{50, -5, 5, 0, false},
                                           SectionsCase{50, 0, 10, Mensuration::kOmitMiddle, false},
                                           SectionsCase{20, -0.6, 9.4, 0, false},
                                           SectionsCase{10, -4.5, 5.5, 0, true},
                                           SectionsCase{20, 0, 10, 0, true},
                                           SectionsCase{50, -5, 5, 0, true}));

}  // namespace
