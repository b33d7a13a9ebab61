// Captions on the axes (attribute points' coordinates) and the axis numbers
// keep apart: a number that a caption covers is left out.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "graph/GraphManager.h"
#include "support/RecordingSurface.h"

namespace {

using testing_support::RecordedText;
using testing_support::RecordingSurface;

// ---------------------------------------------------------------- the decision

struct HiddenCase {
    const char* name;
    RectF number;
    std::vector<RectF> captions;
    bool hidden;
};

class AxisNumberHiddenTest : public ::testing::TestWithParam<HiddenCase> {};

TEST_P(AxisNumberHiddenTest, WhenACaptionMeetsIt) {
    EXPECT_EQ(AxisNumberHidden(GetParam().number, GetParam().captions), GetParam().hidden) << GetParam().name;
}

// A y number "3" left of the axis: top 3.1, bottom 2.9, left -0.5, right -0.2.
const RectF kThree(3.1f, 2.9f, -0.5f, -0.2f);

INSTANTIATE_TEST_SUITE_P(
    Table, AxisNumberHiddenTest,
    ::testing::Values(HiddenCase{"no captions", kThree, {}, false},
                      HiddenCase{"a y caption at the same height", kThree, {RectF(3.3f, 2.7f, -0.3f, 0)}, true},
                      HiddenCase{"a caption half a unit higher", kThree, {RectF(3.8f, 3.2f, -0.3f, 0)}, false},
                      HiddenCase{"a caption right of the axis", kThree, {RectF(3.3f, 2.7f, 0, 0.3f)}, false},
                      HiddenCase{"a caption that only touches it", kThree, {RectF(3.3f, 2.7f, -0.2f, 0)}, false},
                      HiddenCase{"a wide caption over it", kThree, {RectF(3.05f, 2.95f, -2, 0)}, true},
                      HiddenCase{"the second of two captions", kThree,
                                 {RectF(8, 7, -1, 0), RectF(3.0f, 2.0f, -1, 0)}, true},
                      HiddenCase{"an empty caption box", kThree, {RectF()}, false},
                      HiddenCase{"an inverted caption box", kThree, {RectF(2.7f, 3.3f, 0, -0.3f)}, false}));

// ---------------------------------------------------------------- on the graph

struct CaptionCase {
    bool vector;
    AttribPreset preset;
    const char* hiddenY;  // the y-axis number the caption covers ("" for none)
    const char* hiddenX;  // the x-axis number the caption covers
};

class AxisCaptionsTest : public ::testing::TestWithParam<CaptionCase> {};

// Numbers are told from the captions' glyphs (on the page) by their size, 9
// pixels to a capital, and split by axis by where they stand: those along x
// are below it, those along y end left of it.
void AxisNumbers(const RecordingSurface& s, std::set<std::string>& alongX, std::set<std::string>& alongY) {
    const double numberScale = 0.09 * 1.3 / 40;  // glyph units to graph units at the default view
    for (const RecordedText& t : s.texts) {
        if (t.text.empty() || !(std::isdigit(static_cast<unsigned char>(t.text.back())))) continue;
        if (std::fabs(t.sx - numberScale) > 1e-9) continue;
        const double right = t.origin.x + RecordingSurface::kGlyphWidth * t.text.size() * t.sx;
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
    graph.setPopupTarget(parabola, PointF(2, 4));
    graph.addAttribPoint(c.preset);
    RecordingSurface s(c.vector);
    graph.draw(s);
    std::set<std::string> alongX, alongY;
    AxisNumbers(s, alongX, alongY);
    // At the default view every unit is numbered along y, every other one along x.
    for (const char* k : {"3", "5", "-4"}) EXPECT_TRUE(alongY.count(k)) << "y " << k;
    for (const char* k : {"4", "-2", "6"}) EXPECT_TRUE(alongX.count(k)) << "x " << k;
    EXPECT_EQ(alongY.count("4"), *c.hiddenY ? 0u : 1u) << "y 4";
    EXPECT_EQ(alongX.count("2"), *c.hiddenX ? 0u : 1u) << "x 2";
}

INSTANTIATE_TEST_SUITE_P(Table, AxisCaptionsTest,
                         ::testing::Values(CaptionCase{false, PRESET_PLAIN, "", ""},
                                           CaptionCase{false, PRESET_Y_CAPTION, "4", ""},
                                           CaptionCase{false, PRESET_X_CAPTION, "", "2"},
                                           CaptionCase{false, PRESET_XY_CAPTION, "4", "2"},
                                           CaptionCase{true, PRESET_PLAIN, "", ""},
                                           CaptionCase{true, PRESET_XY_CAPTION, "4", "2"}));

}  // namespace
