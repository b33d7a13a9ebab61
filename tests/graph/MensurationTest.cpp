// SPDX-License-Identifier: MIT
// Mensuration: section heights, rectangles, hatching, the omitted middle
// section and the boundary labels, on the recording painter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "graph/EquationObject.h"
#include "graph/Mensuration.h"
#include "support/RecordingPainter.h"

using testing_support::RecordedShape;
using testing_support::RecordingPainter;
using testing_support::Shape;

namespace {

std::unique_ptr<EquationObject> Owner(const std::string& text) {
    auto owner = std::make_unique<EquationObject>();
    EXPECT_TRUE(owner->setEquation(text)) << text;
    return owner;
}

struct Drawing {
    explicit Drawing(bool vector) : painter(vector) {}
    RecordingPainter painter;
    std::vector<RecordedShape> rectangles;  // line strips of width 2
    std::vector<RecordedShape> hatches;     // the segments drawn right after each rectangle
    std::vector<RecordedShape> discs;       // one per filled disc drawn, its centre its one point
};

std::unique_ptr<Drawing> Draw(const EquationObject& owner, const Mensuration& m, double scale = 1,
                              double xZoom = 1, double yZoom = 1, bool vector = false) {
    auto d = std::make_unique<Drawing>(vector);
    d->painter.setView({scale, xZoom, yZoom});
    m.draw(d->painter, owner, 0.2 * scale);
    const auto& prims = d->painter.shapes;
    for (size_t i = 0; i < prims.size(); ++i) {
        const RecordedShape& p = prims[i];
        if (p.shape == Shape::Polyline && p.lineWidth == 2) {
            d->rectangles.push_back(p);
            // Labels draw black segments too: hatching is told by its colour.
            if (i + 1 < prims.size() && prims[i + 1].shape == Shape::Segments &&
                prims[i + 1].lineWidth == 1 && prims[i + 1].color == m.fillColour)
                d->hatches.push_back(prims[i + 1]);
        }
        if (p.shape == Shape::Discs)
            for (const PointF& centre : p.points) {
                RecordedShape disc = p;
                disc.points = {centre};
                d->discs.push_back(disc);
            }
    }
    return d;
}

// The glyph origins of every label's "x": one per drawn label.
// Where each boundary label was set: its lower-left corner.
std::vector<PointF> LabelAnchors(const RecordingPainter& s) {
    std::vector<PointF> out;
    for (const auto& image : s.images)
        if (image.text.rfind("x_{", 0) == 0) out.push_back(image.origin);
    return out;
}

// Whether a label set near x (from x to most of a unit right of it) has
// `glyph` in its index.
bool HasGlyphNear(const RecordingPainter& s, const std::string& glyph, double x) {
    for (const auto& image : s.images)
        if (image.text.find(glyph, 2) != std::string::npos && image.origin.x > x - 0.01 && image.origin.x < x + 0.9)
            return true;
    return false;
}

Mensuration Settings(double xmin, double xmax, int n, int heightType = Mensuration::HEIGHT_LEFT,
                     int tickType = Mensuration::kOmitMiddle) {
    Mensuration m;
    m.xmin = xmin;
    m.xmax = xmax;
    m.nRects = n;
    m.heightType = heightType;
    m.tickType = tickType;
    return m;
}

// ---------------------------------------------------------------- heights

struct HeightCase {
    const char* name;
    const char* equation;
    double xmin, xmax;
    int n, heightType, section;
    double expected;
};

class SectionHeight : public testing::TestWithParam<HeightCase> {};

TEST_P(SectionHeight, IsTheChosenEndValue) {
    const HeightCase& c = GetParam();
    const auto owner = Owner(c.equation);
    const Mensuration m = Settings(c.xmin, c.xmax, c.n, c.heightType);
    EXPECT_NEAR(m.sectionHeight(*owner, c.section), c.expected, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Mensuration, SectionHeight,
    testing::Values(
        HeightCase{"SquareLeft", "y = x^2", 0, 1, 10, Mensuration::HEIGHT_LEFT, 6, 0.36},
        HeightCase{"SquareRight", "y = x^2", 0, 1, 10, Mensuration::HEIGHT_RIGHT, 6, 0.49},
        HeightCase{"SquareShortIsLeftWhenIncreasing", "y = x^2", 0, 1, 10, Mensuration::HEIGHT_SHORT, 6, 0.36},
        HeightCase{"ShortOnDecreasingCurvePicksRight", "y = 4 - x^2", 0, 2, 4, Mensuration::HEIGHT_SHORT, 1, 3},
        HeightCase{"ShortComparesMagnitudes", "y = -2*x", 0, 1, 10, Mensuration::HEIGHT_SHORT, 6, -1.2},
        HeightCase{"ShortTieTakesLeft", "y = x", -1, 1, 1, Mensuration::HEIGHT_SHORT, 0, -1},
        HeightCase{"UnknownHeightTypeIsLeft", "y = x^2", 0, 1, 10, 7, 6, 0.36},
        HeightCase{"ImplicitUsesFAtZero", "x^2 + y^2 - 4 = 0", 0, 2, 2, Mensuration::HEIGHT_LEFT, 1, -3},
        HeightCase{"ConstantIsZero", "5", 0, 2, 2, Mensuration::HEIGHT_RIGHT, 1, 0},
        HeightCase{"LeftwardsFirstSection", "y = x", 1, 0, 2, Mensuration::HEIGHT_LEFT, 0, 1},
        HeightCase{"LeftwardsSecondSection", "y = x", 1, 0, 2, Mensuration::HEIGHT_LEFT, 1, 0.5},
        HeightCase{"NoSections", "y = x^2", 0, 1, 0, Mensuration::HEIGHT_LEFT, 0, 0}),
    [](const testing::TestParamInfo<HeightCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- labels

struct LabelCase {
    int i, nRects;
    bool pastGap;
    const char* expected;
};

TEST(MensurationLabels, CountUpBeforeTheGapAndBackFromNAfterIt) {
    const LabelCase cases[] = {
        {0, 10, false, "x_0"}, {4, 10, false, "x_4"},           {6, 10, true, "x_(n - 4)"},
        {9, 10, true, "x_(n - 1)"}, {12, 25, true, "x_(n - 13)"}, {3, 7, false, "x_3"},
    };
    for (const LabelCase& c : cases)
        EXPECT_EQ(Mensuration::labelText(c.i, c.nRects, c.pastGap), c.expected) << c.i << " of " << c.nRects;
}

// The labels go to the typesetter, which sets x italic and the index as a
// subscript: every boundary's text reaches it as x_{…}.
TEST(MensurationLabels, AreTypesetAsSubscriptedX) {
    Mensuration m = Settings(0, 10, 10);
    m.tickType = Mensuration::kOmitMiddle;
    const auto d = Draw(*Owner("y = x + 1"), m);
    std::vector<std::string> latex;
    for (const auto& image : d->painter.images) latex.push_back(image.text);
    ASSERT_GE(latex.size(), 3u);
    EXPECT_EQ(latex.front(), "x_{0}");
    EXPECT_EQ(latex.back(), "x_{n}");
    EXPECT_NE(std::find(latex.begin(), latex.end(), "x_{n-4}"), latex.end());
    EXPECT_TRUE(d->painter.texts.empty()) << "nothing set glyph by glyph";
}

// However many sections, the labels never touch: x_0 and x_n always, and
// every k-th boundary between them for the smallest k that fits.
TEST(MensurationLabels, NeverOverlapAndKeepBothEnds) {
    struct Case {
        int sections, tickType;
        double scale;
        size_t most;  // labels at most (all boundaries but an omitted one)
    };
    const Case cases[] = {{5, 0, 1, 6},    {10, Mensuration::kOmitMiddle, 1, 10}, {20, 0, 1, 21},
                          {50, 0, 1, 51},  {50, Mensuration::kOmitMiddle, 1, 50}, {20, 0, 3, 21},
                          {1000, 0, 1, 1001}};
    for (const Case& c : cases) {
        Mensuration m = Settings(0, 10, c.sections);
        m.tickType = c.tickType;
        RecordingPainter painter;
        painter.setView({c.scale, 1, 1});
        const std::vector<Mensuration::Label> labels = m.labels(painter, *Owner("y = x + 1"));
        SCOPED_TRACE(std::to_string(c.sections) + " sections at scale " + std::to_string(c.scale));
        ASSERT_GE(labels.size(), 2u);
        EXPECT_LE(labels.size(), c.most);
        EXPECT_EQ(labels.front().text, "x_0");
        EXPECT_EQ(labels.back().text, "x_n");
        for (size_t a = 0; a < labels.size(); ++a)
            for (size_t b = a + 1; b < labels.size(); ++b)
                EXPECT_TRUE(labels[a].box.right <= labels[b].box.left || labels[b].box.right <= labels[a].box.left)
                    << labels[a].text << " and " << labels[b].text;
        for (const Mensuration::Label& label : labels) EXPECT_LE(label.box.top, 0.0f) << "below the axis";
    }
    // Five wide sections: every boundary keeps its label.
    RecordingPainter painter;
    painter.setView({1, 1, 1});
    EXPECT_EQ(Settings(0, 10, 5).labels(painter, *Owner("y = x + 1")).size(), 5u);
}

// The labels keep to the side of the axis the sections leave free: under
// sections that stand on it, over sections that hang from it (where they
// would be read through the hatching).
TEST(MensurationLabels, StandAboveTheAxisOverSectionsThatHangBelowIt) {
    struct Case {
        const char* curve;
        bool above;
    };
    const Case cases[] = {{"y = x + 1", false}, {"y = -x - 1", true}, {"y = x^2 - 4", true}, {"y = x^2 - 1", false}};
    for (const Case& c : cases) {
        const auto owner = Owner(c.curve);
        RecordingPainter painter;
        painter.setView({0.5, 1, 1});
        const Mensuration m = Settings(0, 2.5, 5);
        EXPECT_EQ(m.labelsAbove(*owner), c.above) << c.curve;
        for (const Mensuration::Label& label : m.labels(painter, *owner)) {
            if (c.above) EXPECT_GE(label.box.bottom, 0.0f) << c.curve << ": " << label.text;
            else EXPECT_LE(label.box.top, 0.0f) << c.curve << ": " << label.text;
        }
    }
}

TEST(MensurationRange, SwitchedOnWithoutOneTakesTheMiddleHalfOfTheView) {
    struct Case {
        double left, right, xmin, xmax;
    };
    const Case cases[] = {
        {-10, 10, -5, 5},     // the default view
        {-3.3, 6.1, -1, 4},   // rounded to whole units
        {0.2, 0.6, 0.3, 0.5}, // too narrow to round: kept as it is
        {-100, 60, -60, 20},
    };
    for (const Case& c : cases) {
        double xmin = 0, xmax = 0;
        Mensuration::middleHalf(c.left, c.right, xmin, xmax);
        EXPECT_DOUBLE_EQ(xmin, c.xmin) << c.left << " … " << c.right;
        EXPECT_DOUBLE_EQ(xmax, c.xmax) << c.left << " … " << c.right;
    }
}

// At scale 0.5 a section a unit wide is 80 pixels: room for every label the
// recorder sets (8 pixels a character of its text).
TEST(MensurationDraw, DefaultsOmitTheMiddleSectionAndLabelTheRest) {
    const auto owner = Owner("y = x^2");
    const auto d = Draw(*owner, Settings(0, 10, 10), 0.5);
    ASSERT_EQ(d->rectangles.size(), 9u);
    const std::vector<PointF> anchors = LabelAnchors(d->painter);
    const double expected[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10};
    ASSERT_EQ(anchors.size(), std::size(expected));
    for (size_t k = 0; k < anchors.size(); ++k) {
        EXPECT_GE(anchors[k].x, expected[k] - 1e-6) << k;
        EXPECT_LT(anchors[k].x, expected[k] + 0.1) << k;
        EXPECT_LT(anchors[k].y, 0) << "labels hang below the axis";
    }
    // x_3 before the gap, x_(n - 4) right after it, x_n at the end.
    EXPECT_TRUE(HasGlyphNear(d->painter, "3", 3));
    EXPECT_TRUE(HasGlyphNear(d->painter, "n", 6));
    EXPECT_TRUE(HasGlyphNear(d->painter, "4", 6));
    EXPECT_TRUE(HasGlyphNear(d->painter, "n", 10));
    EXPECT_FALSE(HasGlyphNear(d->painter, "5", 5)) << "the omitted section has no label";
    EXPECT_FALSE(HasGlyphNear(d->painter, "n", 3)) << "no count back before the gap";
}

struct RectCase {
    int heightType;
    double height6;
};

TEST(MensurationDraw, RectangleOfSectionSixStandsOnTheAxis) {
    const auto owner = Owner("y = x^2");
    for (const RectCase& c : {RectCase{Mensuration::HEIGHT_LEFT, 0.36}, RectCase{Mensuration::HEIGHT_RIGHT, 0.49}}) {
        const auto d = Draw(*owner, Settings(0, 1, 10, c.heightType));
        const RecordedShape& r = d->rectangles[5];  // sections 0-4, then 6
        ASSERT_EQ(r.points.size(), 4u);
        EXPECT_NEAR(r.points[0].x, 0.6, 1e-6);
        EXPECT_EQ(r.points[0].y, 0.0f);
        EXPECT_NEAR(r.points[1].y, c.height6, 1e-6);
        EXPECT_NEAR(r.points[2].y, c.height6, 1e-6);
        EXPECT_NEAR(r.points[2].x, 0.7, 1e-6);
        EXPECT_EQ(r.points[3].y, 0.0f);
        EXPECT_EQ(r.color, ColorF(1, 0, 0, 1));
    }
}

TEST(MensurationDraw, OneSectionWithOmissionShowsOnlyTheDotsAndXn) {
    const auto owner = Owner("y = x^2");
    const auto d = Draw(*owner, Settings(0, 1, 1));
    EXPECT_TRUE(d->rectangles.empty());
    EXPECT_EQ(d->discs.size(), 6u) << "three dots above the axis, three on the label row";
    const std::vector<PointF> anchors = LabelAnchors(d->painter);
    ASSERT_EQ(anchors.size(), 1u);
    EXPECT_NEAR(anchors[0].x, 1.0, 0.1);
    EXPECT_TRUE(HasGlyphNear(d->painter, "n", 1.0));
}

TEST(MensurationDraw, OmittedSectionDotsLieBetweenItsEdges) {
    const auto owner = Owner("y = x^2");
    Mensuration m = Settings(0, 3, 6);
    m.outlineColour = ColorF(0, 0, 1, 1);
    m.labelColour = ColorF(0, 1, 0, 1);
    const double scale = 2, yZoom = 0.5;
    const auto d = Draw(*owner, m, scale, 1, yZoom);
    ASSERT_EQ(d->discs.size(), 6u);
    int upper = 0, lower = 0;
    for (const RecordedShape& p : d->discs) {
        const float cx = p.points[0].x, cy = p.points[0].y;
        const double r = p.size;  // along x; y is r·yZoom/xZoom on screen
        EXPECT_GT(cx - r, 1.5f) << "section 3 runs from 1.5 to 2";
        EXPECT_LT(cx + r, 2.0f);
        if (cy > 0) {
            ++upper;
            EXPECT_EQ(p.color, m.outlineColour);
            EXPECT_GT(cy - r * yZoom, 0.0f) << "clear of the axis";
        } else {
            ++lower;
            EXPECT_EQ(p.color, m.labelColour);
            EXPECT_NEAR(cy, -0.15 * scale * yZoom, 1e-6);
        }
    }
    EXPECT_EQ(upper, 3);
    EXPECT_EQ(lower, 3);
}

TEST(MensurationDraw, NoSectionsDrawOnlyXn) {
    const auto owner = Owner("y = x^2");
    for (int n : {0, -3}) {
        const auto d = Draw(*owner, Settings(0, 2, n));
        EXPECT_TRUE(d->rectangles.empty());
        EXPECT_TRUE(d->discs.empty());
        const std::vector<PointF> anchors = LabelAnchors(d->painter);
        ASSERT_EQ(anchors.size(), 1u) << n;
        EXPECT_NEAR(anchors[0].x, 2.0, 0.1);
    }
}

TEST(MensurationDraw, WithoutOmissionEverySectionIsDrawn) {
    const auto owner = Owner("y = x^2");
    const auto d = Draw(*owner, Settings(0, 10, 10, Mensuration::HEIGHT_LEFT, 0), 0.5);
    EXPECT_EQ(d->rectangles.size(), 10u);
    EXPECT_TRUE(d->discs.empty());
    EXPECT_EQ(LabelAnchors(d->painter).size(), 11u);
    EXPECT_TRUE(HasGlyphNear(d->painter, "9", 9));
    EXPECT_FALSE(HasGlyphNear(d->painter, "n", 6));
}

TEST(MensurationDraw, ReversedIntervalRunsLeftwards) {
    const auto owner = Owner("y = x + 1");
    const auto d = Draw(*owner, Settings(1, 0, 4, Mensuration::HEIGHT_LEFT, 0));
    ASSERT_EQ(d->rectangles.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const auto& p = d->rectangles[i].points;
        EXPECT_NEAR(p[0].x, 1 - 0.25 * i, 1e-6);
        EXPECT_NEAR(p[2].x, 1 - 0.25 * (i + 1), 1e-6);
        EXPECT_NEAR(p[1].y, 2 - 0.25 * i, 1e-6);
    }
}

TEST(MensurationDraw, OutlineOnlyWithoutFillPattern) {
    const auto owner = Owner("y = x^2");
    Mensuration m = Settings(0, 1, 10);
    m.fillPattern = 0;
    EXPECT_TRUE(Draw(*owner, m)->hatches.empty());
}

// ---------------------------------------------------------------- hatching

struct HatchCase {
    const char* equation;
    double xmin, xmax;
    int n;
    double scale;
};

TEST(MensurationHatch, LinesAreAt45DegreesInsideTheirRectangleAtSpacingD) {
    const HatchCase cases[] = {
        {"y = x^2", 0, 1, 10, 1},        {"y = 3 - x^2", -2, 2, 4, 1}, {"y = -x^2 - 1", 0, 2, 3, 1},
        {"y = x + 4", 3, -1, 5, 0.5},     {"y = 2", 0, 10, 1, 2},
    };
    for (const HatchCase& c : cases) {
        SCOPED_TRACE(c.equation);
        const auto owner = Owner(c.equation);
        Mensuration m = Settings(c.xmin, c.xmax, c.n, Mensuration::HEIGHT_LEFT, 0);
        m.fillColour = ColorF(0, 0.5f, 0, 1);
        const auto d = Draw(*owner, m, c.scale);
        ASSERT_EQ(d->hatches.size(), d->rectangles.size());
        const double spacing = 0.2 * c.scale;
        for (size_t r = 0; r < d->rectangles.size(); ++r) {
            const auto& rect = d->rectangles[r].points;
            const float left = std::min(rect[0].x, rect[2].x), right = std::max(rect[0].x, rect[2].x);
            const float bottom = std::min(0.0f, rect[1].y), top = std::max(0.0f, rect[1].y);
            const RecordedShape& h = d->hatches[r];
            EXPECT_EQ(h.color, m.fillColour);
            ASSERT_EQ(h.points.size() % 2, 0u);
            if (top > bottom) {
                ASSERT_FALSE(h.points.empty());
            }
            std::vector<double> intercepts;
            for (size_t k = 0; k < h.points.size(); k += 2) {
                const PointF a = h.points[k], b = h.points[k + 1];
                EXPECT_NEAR(b.x - a.x, b.y - a.y, 1e-5) << "45°";
                EXPECT_GT(b.x, a.x);
                for (const PointF& q : {a, b}) {
                    EXPECT_GE(q.x, left - 1e-5);
                    EXPECT_LE(q.x, right + 1e-5);
                    EXPECT_GE(q.y, bottom - 1e-5);
                    EXPECT_LE(q.y, top + 1e-5);
                }
                intercepts.push_back(double(a.x) - a.y);
            }
            for (size_t k = 1; k < intercepts.size(); ++k)
                EXPECT_NEAR(intercepts[k] - intercepts[k - 1], spacing, 1e-4);
            // Every line of the family that crosses the rectangle is there.
            const double span = (right - left) + (top - bottom);
            EXPECT_GE(double(intercepts.size()), std::floor(span / spacing) - 1);
        }
    }
}

TEST(MensurationHatch, DegenerateRectanglesAndSpacingsDrawNothingOdd) {
    struct Case {
        double x0, xa, xb, ya, yb, d;
    };
    const Case cases[] = {{0, 0, 0, 0, 1, 0.2},   {0, 0, 1, 0, 0, 0.2}, {0, 0, 1, 0, 1, 0},
                          {0, 0, 1, 0, 1, -0.2},  {0, 0, 1, 0, NAN, 0.2}, {NAN, 0, 1, 0, 1, 0.2},
                          {0, 0, 1, 0, 1, 1e-300}};
    for (const Case& c : cases) {
        RecordingPainter s;
        Mensuration::drawHatch(s, c.x0, c.xa, c.xb, c.ya, c.yb, c.d);
        for (const auto& p : s.shapes) EXPECT_TRUE(p.points.empty());
    }
}

// ---------------------------------------------------------------- odd values

bool AllFinite(const RecordingPainter& s) {
    for (const auto& p : s.shapes)
        for (const PointF& q : p.points)
            if (!std::isfinite(q.x) || !std::isfinite(q.y)) return false;
    for (const auto& t : s.texts)
        if (!std::isfinite(t.origin.x) || !std::isfinite(t.origin.y)) return false;
    return true;
}

size_t VertexCount(const RecordingPainter& s) {
    size_t n = 0;
    for (const auto& p : s.shapes) n += p.points.size();
    return n;
}

struct OddCase {
    const char* name;
    const char* equation;
    double xmin, xmax;
    int n, heightType;
    size_t rectangles;
};

TEST(MensurationDraw, NonFiniteHeightsSkipTheirRectangle) {
    const OddCase cases[] = {
        {"SquareRootLeftOfZero", "y = sqrt(x)", -1, 1, 4, Mensuration::HEIGHT_LEFT, 2},
        {"PoleAtARightEnd", "y = 1/x", -1, 1, 2, Mensuration::HEIGHT_RIGHT, 1},
        {"HugeThenInfinite", "y = 10^x", 0, 1000, 10, Mensuration::HEIGHT_RIGHT, 3},
        {"NotANumberInterval", "y = x", NAN, 1, 4, Mensuration::HEIGHT_LEFT, 0},
        {"InfiniteInterval", "y = x", 0, INFINITY, 4, Mensuration::HEIGHT_LEFT, 0},
        {"ZeroWidth", "y = x + 1", 2, 2, 3, Mensuration::HEIGHT_LEFT, 3},
        {"FarBeyondThePlotBox", "y = 1", 1e300, 2e300, 4, Mensuration::HEIGHT_LEFT, 4},
    };
    for (const OddCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto owner = Owner(c.equation);
        const auto d = Draw(*owner, Settings(c.xmin, c.xmax, c.n, c.heightType, 0));
        EXPECT_TRUE(AllFinite(d->painter));
        EXPECT_LT(VertexCount(d->painter), 200000u);
        EXPECT_EQ(d->rectangles.size(), c.rectangles);
    }
}

TEST(MensurationDraw, VectorOutputDrawsTheSameMarks) {
    const auto owner = Owner("y = x^2");
    const auto raster = Draw(*owner, Settings(0, 1, 10), 1, 1, 1, false);
    const auto vector = Draw(*owner, Settings(0, 1, 10), 1, 1, 1, true);
    ASSERT_EQ(vector->rectangles.size(), raster->rectangles.size());
    for (size_t i = 0; i < raster->rectangles.size(); ++i)
        EXPECT_EQ(vector->rectangles[i].points, raster->rectangles[i].points);
    ASSERT_EQ(vector->discs.size(), raster->discs.size());
    for (size_t i = 0; i < raster->discs.size(); ++i)
        EXPECT_EQ(vector->discs[i].points, raster->discs[i].points);
    EXPECT_EQ(LabelAnchors(vector->painter).size(), LabelAnchors(raster->painter).size());
}

}  // namespace
