// SPDX-License-Identifier: MIT
// Attribute points: position and typed x, user texts, hit test, markers,
// value labels, guide lines, length labels and brackets, on the recording painter.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "graph/AttribPoint.h"
#include "graph/EquationObject.h"
#include "support/RecordingPainter.h"

using testing_support::RecordedShape;
using testing_support::RecordedText;
using testing_support::RecordingPainter;
using testing_support::Shape;

namespace {

const ColorF kBlack(0, 0, 0, 1);
const ColorF kWhite(1, 1, 1, 1);

std::unique_ptr<EquationObject> Owner(const std::string& text) {
    auto owner = std::make_unique<EquationObject>();
    EXPECT_TRUE(owner->setEquation(text)) << text;
    return owner;
}

AttribPoint PointOn(EquationObject* owner, float x, float y) {
    AttribPoint p(owner);
    p.setPosition(x, y);
    return p;
}

// Typeset images that can be seen: labels are measured first by a draw far outside the view.
std::vector<RecordedText> VisibleImages(const RecordingPainter& s) {
    std::vector<RecordedText> out;
    for (const RecordedText& t : s.images)
        if (std::fabs(t.origin.x) < 1e6 && std::fabs(t.origin.y) < 1e6) out.push_back(t);
    return out;
}

void ExpectNear(PointF a, PointF b, const char* what) {
    EXPECT_NEAR(a.x, b.x, 1e-5) << what;
    EXPECT_NEAR(a.y, b.y, 1e-5) << what;
}

std::vector<RecordedShape> Of(const RecordingPainter& s, Shape kind) {
    std::vector<RecordedShape> out;
    for (const RecordedShape& p : s.shapes)
        if (p.shape == kind) out.push_back(p);
    return out;
}

// ---------------------------------------------------------------- position and typed x

struct PositionCase {
    float x, y;
    const char* xText;
    const char* yText;
};

TEST(AttribPointPosition, RebuildsTheCoordinateTexts) {
    const PositionCase cases[] = {
        {2, 4, "2", "4"}, {-1.5f, 0.25f, "-1.5", "0.25"}, {0, -3, "0", "-3"}, {NAN, 1, "", "1"},
    };
    for (const PositionCase& c : cases) {
        AttribPoint p;
        p.setPosition(c.x, c.y);
        EXPECT_EQ(p.axis[AttribPoint::X].valueExpr.ToText(MathEx::TEXT_PLAIN), c.xText);
        EXPECT_EQ(p.axis[AttribPoint::Y].valueExpr.ToText(MathEx::TEXT_PLAIN), c.yText);
    }
}

struct SetXCase {
    const char* name;
    const char* equation;
    float x0, y0;
    const char* typed;
    float x1, y1;
    const char* xText;
};

class SetX : public testing::TestWithParam<SetXCase> {};

TEST_P(SetX, MovesAlongTheCurveOrStays) {
    const SetXCase& c = GetParam();
    const auto owner = Owner(c.equation);
    AttribPoint p = PointOn(owner.get(), c.x0, c.y0);
    p.setX(c.typed);
    EXPECT_NEAR(p.position.x, c.x1, 1e-5);
    EXPECT_NEAR(p.position.y, c.y1, 1e-5);
    EXPECT_EQ(p.axis[AttribPoint::X].valueExpr.ToText(MathEx::TEXT_PLAIN), c.xText);
}

INSTANTIATE_TEST_SUITE_P(
    AttribPoint, SetX,
    testing::Values(
        SetXCase{"ExplicitMoves", "y = x^2", 1, 1, "2", 2, 4, "2"},
        SetXCase{"ConstantExpression", "y = x^2", 1, 1, "1+2", 3, 9, "3"},
        SetXCase{"NameIsNotConstant", "y = x^2", 1, 1, "x", 1, 1, "1"},
        SetXCase{"UnparsableStays", "y = x^2", 1, 1, "2+", 1, 1, "1"},
        SetXCase{"EmptyStays", "y = x^2", 1, 1, "", 1, 1, "1"},
        SetXCase{"InfiniteStays", "y = x^2", 1, 1, "1e999", 1, 1, "1"},
        SetXCase{"OrdinateBeyondSinglePrecisionStays", "y = x^2", 1, 1, "1e20", 1, 1, "1"},
        SetXCase{"AbscissaBeyondSinglePrecisionStays", "y = 1", 1, 1, "1e40", 1, 1, "1"},
        SetXCase{"OutsideTheDomainStays", "y = sqrt(x)", 1, 1, "-4", 1, 1, "1"},
        SetXCase{"EllipseUpperBranch", "x^2 + y^2 - 25 = 0", 0, 5, "3", 3, 4, "3"},
        SetXCase{"EllipseLowerBranch", "x^2 + y^2 - 25 = 0", 0, -5, "-3", -3, -4, "-3"},
        SetXCase{"EllipseBeyondItsExtent", "x^2 + y^2 - 25 = 0", 0, 5, "6", 0, 5, "0"},
        SetXCase{"EllipseTangentPointStays", "x^2 + y^2 - 25 = 0", 0, 5, "5", 0, 5, "0"},
        SetXCase{"HyperbolaNearerRoot", "x^2/4 - y^2 - 1 = 0", 2, -0.5f, "4", 4, -1.7320508f, "4"},
        SetXCase{"HyperbolaNoBranchStays", "x^2/4 - y^2 - 1 = 0", 2, 0, "0", 2, 0, "2"},
        SetXCase{"ParabolaNearerRoot", "y^2 - 4*x = 0", 4, -4, "1", 1, -2, "1"},
        SetXCase{"ParabolaLinearInY", "x^2 - 4*y = 0", 0, 0, "2", 2, 1, "2"},
        SetXCase{"RectangularHyperbolaLinearInY", "x*y - 1 = 0", 1, 1, "4", 4, 0.25f, "4"},
        SetXCase{"RectangularHyperbolaNoRoot", "x*y - 1 = 0", 1, 1, "0", 1, 1, "1"},
        SetXCase{"OtherOwnerKeepsThePoint", "x - 3 = 0", 3, 1, "5", 3, 1, "5"}),
    [](const testing::TestParamInfo<SetXCase>& info) { return std::string(info.param.name); });

TEST(AttribPointSetX, WithoutOwnerOnlyTheTextChanges) {
    AttribPoint p = PointOn(nullptr, 1, 2);
    p.setX("7");
    EXPECT_EQ(p.position.x, 1.0f);
    EXPECT_EQ(p.axis[AttribPoint::X].valueExpr.ToText(MathEx::TEXT_PLAIN), "7");
}

TEST(AttribPointTexts, ATextThatDoesNotParseLeavesTheFieldAsItWas) {
    using Setter = void (AttribPoint::*)(const std::string&);
    struct Field {
        Setter set;
        AttribPoint::AxisIndex axis;
        MathEx::MathExp AttribPoint::Axis::*field;
    };
    const Field fields[] = {
        {&AttribPoint::setXValueTypeString, AttribPoint::X, &AttribPoint::Axis::valueTypeString},
        {&AttribPoint::setYValueTypeString, AttribPoint::Y, &AttribPoint::Axis::valueTypeString},
        {&AttribPoint::setXLengthText, AttribPoint::X, &AttribPoint::Axis::lengthText},
        {&AttribPoint::setYLengthText, AttribPoint::Y, &AttribPoint::Axis::lengthText},
    };
    for (const Field& f : fields) {
        AttribPoint p;
        const auto text = [&] { return (p.axis[f.axis].*f.field).ToText(MathEx::TEXT_PLAIN); };
        (p.*f.set)("a+1");
        EXPECT_EQ(text(), "a+1");
        (p.*f.set)("(");
        EXPECT_EQ(text(), "a+1");
        (p.*f.set)("h_1");
        EXPECT_EQ(text(), "h_1");
    }
}

TEST(AttribPointHit, WithinAFifthOfTheScaleEachWay) {
    struct Case {
        float px, py;
        double scale;
        bool hit;
    };
    const Case cases[] = {{1, 1, 1, true},       {1.19f, 0.81f, 1, true}, {1.21f, 1, 1, false},
                          {1, 0.79f, 1, false},  {1.3f, 1.3f, 2, true},   {1.2f, 1, 1, false},
                          {NAN, 1, 1, false}};
    const AttribPoint p = PointOn(nullptr, 1, 1);
    for (const Case& c : cases) EXPECT_EQ(p.hit(PointF(c.px, c.py), c.scale), c.hit) << c.px << "," << c.py;
}

// ---------------------------------------------------------------- markers

struct Pass {
    Shape shape;
    ColorF color;
};

struct MarkerCase {
    int pointType;
    std::vector<Pass> passes;
    // Extent of the marker about its centre, at s·zx = 3, s·zy = 1; a disc
    // has its radius along x (the painter keeps it round).
    double halfX, halfY;
};

TEST(AttribPointMarker, TableOfShapesAndColours) {
    const ColorF grey(0.5f, 0.5f, 0.5f, 0.5f);
    const MarkerCase cases[] = {
        {0, {{Shape::Discs, grey}, {Shape::Discs, grey}}, 0.3, 0},
        {1, {{Shape::Discs, kBlack}, {Shape::Rims, kWhite}}, 0.3, 0},
        {2, {{Shape::Discs, kBlack}}, 0.3, 0},
        {3, {{Shape::Fill, kWhite}, {Shape::ClosedPolyline, kBlack}}, 0.3, 0.1},
        {4, {{Shape::Fill, kBlack}}, 0.3, 0.1},
        {5, {{Shape::Fill, kWhite}, {Shape::ClosedPolyline, kBlack}}, 0.45, 0.15},
        {6, {{Shape::Fill, kBlack}}, 0.45, 0.15},
        {7, {}, 0, 0},
        {-1, {}, 0, 0},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.pointType);
        AttribPoint p = PointOn(nullptr, 2, -1);
        p.pointType = c.pointType;
        RecordingPainter s;
        s.setView({1.5, 2, 2.0 / 3.0});
        p.drawMarker(s);
        ASSERT_EQ(s.shapes.size(), c.passes.size());
        for (size_t k = 0; k < c.passes.size(); ++k) {
            const RecordedShape& r = s.shapes[k];
            EXPECT_EQ(r.shape, c.passes[k].shape);
            EXPECT_EQ(r.color, c.passes[k].color);
            EXPECT_EQ(r.lineWidth, 1.0f);
            if (r.shape == Shape::Discs || r.shape == Shape::Rims) {
                EXPECT_EQ(r.points, std::vector<PointF>{PointF(2, -1)});
                EXPECT_NEAR(r.size, c.halfX, 1e-5);
                continue;
            }
            double mx = 0, my = 0;
            for (const PointF& q : r.points) {
                mx = std::max(mx, std::fabs(q.x - 2.0));
                my = std::max(my, std::fabs(q.y + 1.0));
            }
            EXPECT_NEAR(mx, c.halfX, 1e-5);
            EXPECT_NEAR(my, c.halfY, 1e-5);
        }
    }
}

// ---------------------------------------------------------------- value labels and guides

struct LabelCase {
    const char* name;
    float x, y;
    int xType, yType;
    const char* latex;
    float cornerX, cornerY;  // at scale 1: an image is 0.2 wide per character and 0.5 high
};

class ValueLabel : public testing::TestWithParam<LabelCase> {};

TEST_P(ValueLabel, SitsOnTheFarSideOfItsAxis) {
    const LabelCase& c = GetParam();
    AttribPoint p = PointOn(nullptr, c.x, c.y);
    p.axis[AttribPoint::X].valueType = c.xType;
    p.axis[AttribPoint::Y].valueType = c.yType;
    p.setXValueTypeString("a");
    p.setYValueTypeString("b_1");
    RecordingPainter s;
    s.setView({1, 1, 1});
    p.drawValueLabels(s);
    const std::vector<RecordedText> images = VisibleImages(s);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].text, c.latex);
    EXPECT_NEAR(images[0].origin.x, c.cornerX, 1e-5);
    EXPECT_NEAR(images[0].origin.y, c.cornerY, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    AttribPoint, ValueLabel,
    testing::Values(LabelCase{"XBelowAxis", 2, 4, 1, 0, "2", 1.9f, -0.5f},
                    LabelCase{"XAboveAxisForPointBelow", 2, -4, 1, 0, "2", 1.9f, 0},
                    LabelCase{"XOnTheAxisGoesBelow", 2, 0, 1, 0, "2", 1.9f, -0.5f},
                    LabelCase{"XNegativeCentred", -2, 4, 1, 0, "-2", -2.2f, -0.5f},
                    LabelCase{"XUserText", 2, 4, 2, 0, "a", 1.9f, -0.5f},
                    LabelCase{"YLeftOfAxis", 2, 4, 0, 1, "4", -0.2f, 3.75f},
                    LabelCase{"YRightOfAxisForPointLeft", -2, 4, 0, 1, "4", 0, 3.75f},
                    LabelCase{"YNegative", 3, -1.5f, 0, 1, "-1.5", -0.8f, -1.75f}),
    [](const testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.name); });

TEST(AttribPointCaption, XCaptionOnTheSquareAtTwo) {
    const auto owner = Owner("y = x^2");
    AttribPoint p = PointOn(owner.get(), 2, 4);
    p.axis[AttribPoint::X].valueType = AttribPoint::LABEL_VALUE;
    p.axis[AttribPoint::X].lineType = AttribPoint::LINE_DASHED;
    RecordingPainter s;
    s.setView({1, 1, 1});
    p.draw(s);
    const std::vector<RecordedText> images = VisibleImages(s);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].text, "2");
    const double width = 8 * 1 / 40.0, height = 20 / 40.0;
    EXPECT_NEAR(images[0].origin.x + width / 2, 2, 1e-6) << "centred at x = 2";
    EXPECT_NEAR(images[0].origin.y + height, 0, 1e-6) << "just under the axis";
    const std::vector<RecordedShape> guides = Of(s, Shape::Segments);
    ASSERT_EQ(guides.size(), 1u);
    EXPECT_EQ(guides[0].points, (std::vector<PointF>{PointF(2, 4), PointF(2, 0)}));
    EXPECT_TRUE(guides[0].patterned(AttribPoint::kDashedPattern));
    EXPECT_EQ(guides[0].color, kBlack);
}

TEST(AttribPointCaption, SketchedPointIsABlackDiscWithAWhiteRimAndASolidGuide) {
    const auto owner = Owner("y = x^2");
    AttribPoint p = PointOn(owner.get(), 1.5f, 2.25f);
    p.pointType = 1;
    p.axis[AttribPoint::X].valueType = AttribPoint::LABEL_TEXT;
    p.axis[AttribPoint::X].lineType = AttribPoint::LINE_SOLID;
    RecordingPainter s;
    s.setView({1, 1, 1});
    p.draw(s);
    ASSERT_EQ(s.shapes.size(), 3u);
    EXPECT_EQ(s.shapes[0].shape, Shape::Discs);
    EXPECT_EQ(s.shapes[0].color, kBlack);
    EXPECT_EQ(s.shapes[1].shape, Shape::Rims);
    EXPECT_EQ(s.shapes[1].color, kWhite);
    EXPECT_EQ(s.shapes[2].shape, Shape::Segments);
    EXPECT_TRUE(s.shapes[2].patterned(AttribPoint::kSolidPattern));
    EXPECT_EQ(s.shapes[2].points, (std::vector<PointF>{PointF(1.5f, 2.25f), PointF(1.5f, 0)}));
    EXPECT_TRUE(VisibleImages(s).empty()) << "no text until the user enters one";
}

TEST(AttribPointGuides, WidthColourAndPatternPerAxis) {
    struct Case {
        int xLine, yLine;
        std::vector<uint16_t> patterns;
    };
    const Case cases[] = {{0, 0, {}}, {1, 0, {0xFFFF}}, {0, 2, {0xFF00}}, {2, 1, {0xFF00, 0xFFFF}}};
    for (const Case& c : cases) {
        AttribPoint p = PointOn(nullptr, -3, 2);
        p.axis[AttribPoint::X].lineType = c.xLine;
        p.axis[AttribPoint::Y].lineType = c.yLine;
        p.axis[AttribPoint::X].lineWidth = 2;
        p.axis[AttribPoint::Y].lineWidth = 4;
        p.axis[AttribPoint::Y].valueColor = ColorF(0, 0, 1, 1);
        RecordingPainter s;
        p.drawGuideLines(s);
        ASSERT_EQ(s.shapes.size(), c.patterns.size());
        for (size_t k = 0; k < c.patterns.size(); ++k) {
            const RecordedShape& g = s.shapes[k];
            EXPECT_TRUE(g.patterned(c.patterns[k]));
            const bool vertical = g.points[1].x == -3.0f;
            EXPECT_EQ(g.points[1], vertical ? PointF(-3, 0) : PointF(0, 2));
            EXPECT_EQ(g.lineWidth, vertical ? 2.0f : 4.0f);
            EXPECT_EQ(g.color, vertical ? kBlack : ColorF(0, 0, 1, 1));
        }
    }
}

// ---------------------------------------------------------------- lengths and brackets

struct BracketCase {
    const char* name;
    float x, y;
    int xLength, yLength, guide;
    bool drawn;
};

class LengthBracket : public testing::TestWithParam<BracketCase> {};

TEST_P(LengthBracket, DrawnOnlyWhenTheGuideIsLongEnough) {
    const BracketCase& c = GetParam();
    AttribPoint p = PointOn(nullptr, c.x, c.y);
    p.axis[AttribPoint::X].lengthType = c.xLength;
    p.axis[AttribPoint::Y].lengthType = c.yLength;
    p.axis[AttribPoint::X].guideType = p.axis[AttribPoint::Y].guideType = c.guide;
    p.setXLengthText("h");
    p.setYLengthText("w");
    RecordingPainter s;
    s.setView({1, 1, 1});
    p.drawLengths(s);
    EXPECT_EQ(!Of(s, Shape::Polyline).empty(), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    AttribPoint, LengthBracket,
    testing::Values(BracketCase{"TallGuide", 1, 4, 1, 0, 1, true},
                    BracketCase{"ShortGuide", 1, 0.2f, 1, 0, 1, false},
                    BracketCase{"TallGuideBelowLeft", -1, -4, 1, 0, 2, true},
                    BracketCase{"NoBracketType", 1, 4, 1, 0, 0, false},
                    BracketCase{"NoLengthLabel", 1, 4, 0, 0, 1, false},
                    BracketCase{"TallGuideUserText", 1, 4, 2, 0, 1, true},
                    BracketCase{"LongHorizontalGuide", 4, 1, 0, 1, 1, true},
                    BracketCase{"ShortHorizontalGuide", 1, 1, 0, 1, 1, false},
                    BracketCase{"LongHorizontalUserText", -4, 1, 0, 2, 2, true}),
    [](const testing::TestParamInfo<BracketCase>& info) { return std::string(info.param.name); });

TEST(AttribPointLength, XLengthTextBesideTheGuideWithABracketAroundIt) {
    AttribPoint p = PointOn(nullptr, 1, 4);
    p.axis[AttribPoint::X].lengthType = AttribPoint::LABEL_VALUE;
    p.axis[AttribPoint::X].guideType = AttribPoint::LINE_DASHED;
    p.axis[AttribPoint::X].guideWidth = 3;
    p.axis[AttribPoint::X].lengthColor = ColorF(0, 0, 1, 1);
    p.axis[AttribPoint::X].lengthTextColor = ColorF(0, 1, 0, 1);
    RecordingPainter s;
    s.setView({2, 1, 0.5});
    p.drawLengths(s);
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].text, "4");
    EXPECT_NEAR(s.texts[0].origin.x, 1.2, 1e-6);
    EXPECT_NEAR(s.texts[0].origin.y, 2, 1e-6);
    EXPECT_NEAR(s.texts[0].sx, 0.003 * 0.8 * 2, 1e-9);
    EXPECT_NEAR(s.texts[0].sy, 0.003 * 0.8 * 1, 1e-9);
    // Box [1.2, 1.4] × [1.85, 2.4]; the bracket runs from the point to the foot around it.
    const std::vector<RecordedShape> arcs = Of(s, Shape::Polyline);
    ASSERT_EQ(arcs.size(), 2u);
    ExpectNear(arcs[0].points.front(), PointF(1, 4), "from the point");
    ExpectNear(arcs[1].points.front(), PointF(1, 0), "from the foot");
    for (const RecordedShape& a : arcs) {
        EXPECT_TRUE(a.patterned(AttribPoint::kDashedPattern));
        EXPECT_EQ(a.lineWidth, 3.0f);
        EXPECT_EQ(a.color, ColorF(0, 0, 1, 1));
        for (const PointF& q : a.points) {
            EXPECT_GE(q.x, 1 - 1e-4) << "bows out towards the label";
            EXPECT_LE(q.x, 1.35);
            EXPECT_FALSE(q.x > 1.2 + 1e-3 && q.x < 1.4 && q.y > 1.85 + 1e-3 && q.y < 2.4 - 1e-3)
                << "inside the label box at " << q.x << "," << q.y;
        }
    }
    EXPECT_NEAR(arcs[0].points.back().x, 1.3, 0.01) << "up to the label's top at its middle";
    EXPECT_NEAR(arcs[0].points.back().y, 2.4, 0.03);
}

TEST(AttribPointLength, YLengthTextAboveTheGuideAtItsMiddle) {
    AttribPoint p = PointOn(nullptr, -4, 1);
    p.axis[AttribPoint::Y].lengthType = AttribPoint::LABEL_VALUE;
    p.axis[AttribPoint::Y].guideType = AttribPoint::LINE_SOLID;
    RecordingPainter s;
    s.setView({1, 1, 1});
    p.drawLengths(s);
    ASSERT_EQ(s.texts.size(), 1u);
    EXPECT_EQ(s.texts[0].text, "4");
    EXPECT_NEAR(s.texts[0].origin.x, -2 - 0.1, 1e-6);
    EXPECT_NEAR(s.texts[0].origin.y, 1.2, 1e-6);
    const std::vector<RecordedShape> arcs = Of(s, Shape::Polyline);
    ASSERT_EQ(arcs.size(), 2u);
    ExpectNear(arcs[0].points.front(), PointF(-4, 1), "from the point");
    ExpectNear(arcs[1].points.front(), PointF(0, 1), "from the foot");
    for (const RecordedShape& a : arcs)
        for (const PointF& q : a.points) EXPECT_GE(q.y, 1 - 1e-4) << "bows up towards the label";
}

TEST(AttribPointLength, TextsAreStrokedOneCharacterAfterAnother) {
    AttribPoint p = PointOn(nullptr, 1, -2.5f);
    p.axis[AttribPoint::X].lengthType = AttribPoint::LABEL_VALUE;
    RecordingPainter s;
    s.setView({1, 1, 1});
    p.drawLengths(s);
    ASSERT_EQ(s.texts.size(), 3u);
    const double advance = RecordingPainter::kGlyphWidth * 0.003 * 0.8;
    const char* glyphs[] = {"2", ".", "5"};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(s.texts[k].text, glyphs[k]);
        EXPECT_NEAR(s.texts[k].origin.x, 1.2 + k * advance, 1e-6);
        EXPECT_NEAR(s.texts[k].origin.y, -1.25, 1e-6);
    }
}

TEST(AttribPointLength, UserTextImagesOnEitherSide) {
    struct Case {
        float x;
        float cornerX;  // "h" is 0.2 wide at scale 1
    };
    for (const Case& c : {Case{1, 1.2f}, Case{-1, -1.2f - 0.3f * 0.2f}}) {
        AttribPoint p = PointOn(nullptr, c.x, 4);
        p.axis[AttribPoint::X].lengthType = AttribPoint::LABEL_TEXT;
        p.setXLengthText("h");
        RecordingPainter s;
        s.setView({1, 1, 1});
        p.drawLengths(s);
        const std::vector<RecordedText> images = VisibleImages(s);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_NEAR(images[0].origin.x, c.cornerX, 1e-6);
        EXPECT_NEAR(images[0].origin.y, 2.4, 1e-6);
    }
}

TEST(AttribPointBracket, CollinearPointsGiveStraightSegments) {
    RecordingPainter s;
    AttribPoint::drawBracket(s, PointF(0, 3), PointF(0, 2), PointF(0, 1), PointF(0, 0));
    ASSERT_EQ(s.shapes.size(), 1u);
    EXPECT_EQ(s.shapes[0].shape, Shape::Segments);
    EXPECT_EQ(s.shapes[0].points,
              (std::vector<PointF>{PointF(0, 3), PointF(0, 2), PointF(0, 1), PointF(0, 0)}));
}

TEST(AttribPointBracket, NonFinitePointsDrawNothing) {
    RecordingPainter s;
    AttribPoint::drawBracket(s, PointF(NAN, 3), PointF(1, 2), PointF(1, 1), PointF(0, 0));
    AttribPoint::drawBracket(s, PointF(0, 3), PointF(1, INFINITY), PointF(1, 1), PointF(0, 0));
    EXPECT_TRUE(s.shapes.empty());
}

TEST(AttribPointBracket, LongArcsStayOffTheChordSide) {
    // On the unit circle: from 80° round to 120° the long way, avoiding 100°.
    auto at = [](double degrees) {
        const double a = degrees * 3.141592653589793 / 180;
        return PointF(float(std::cos(a)), float(std::sin(a)));
    };
    for (bool vector : {false, true}) {
        RecordingPainter s(vector);
        AttribPoint::drawBracket(s, at(80), at(120), at(130), at(100));
        if (vector) {
            EXPECT_EQ(s.arcs.size(), 3u) << "the long arc in two halves";
            continue;
        }
        ASSERT_EQ(s.shapes.size(), 3u);
        ExpectNear(s.shapes[0].points.front(), at(80), "from the first point");
        for (const RecordedShape& a : s.shapes)
            for (const PointF& q : a.points) {
                EXPECT_NEAR(q.length(), 1, 1e-5);
                const double deg = std::atan2(q.y, q.x) * 180 / 3.141592653589793;
                EXPECT_FALSE(deg > 81 && deg < 99) << deg;
            }
    }
}

// ---------------------------------------------------------------- odd values

TEST(AttribPointDraw, NonFinitePositionsDrawNothing) {
    for (const PointF& at : {PointF(NAN, 1), PointF(1, INFINITY), PointF(NAN, NAN)}) {
        AttribPoint p;
        p.setPosition(at.x, at.y);
        p.pointType = 3;
        p.axis[AttribPoint::X].valueType = p.axis[AttribPoint::Y].valueType = AttribPoint::LABEL_VALUE;
        p.axis[AttribPoint::X].lineType = p.axis[AttribPoint::Y].lineType = AttribPoint::LINE_SOLID;
        p.axis[AttribPoint::X].lengthType = p.axis[AttribPoint::Y].lengthType = AttribPoint::LABEL_VALUE;
        p.axis[AttribPoint::X].guideType = p.axis[AttribPoint::Y].guideType = AttribPoint::LINE_SOLID;
        RecordingPainter s;
        s.setView({1, 1, 1});
        p.draw(s);
        EXPECT_TRUE(s.shapes.empty());
        EXPECT_TRUE(s.texts.empty());
        EXPECT_TRUE(s.images.empty());
    }
}

TEST(AttribPointDraw, VectorOutputMeasuresWithoutDrawingFarAway) {
    AttribPoint p = PointOn(nullptr, 2, 4);
    p.axis[AttribPoint::X].valueType = p.axis[AttribPoint::Y].valueType = AttribPoint::LABEL_VALUE;
    p.axis[AttribPoint::Y].lengthType = AttribPoint::LABEL_TEXT;
    p.setYLengthText("w");
    RecordingPainter s(true);
    s.setView({1, 1, 1});
    p.draw(s);
    // The page is handed the typeset captions, as the screen is.
    ASSERT_FALSE(s.images.empty());
    for (const auto& image : s.images) {
        EXPECT_LT(std::fabs(image.origin.x), 10) << image.text;
        EXPECT_LT(std::fabs(image.origin.y), 10) << image.text;
    }
    // The x caption "2" is centred on x = 2, below the axis.
    bool found = false;
    for (const auto& image : s.images)
        if (image.text == "2" && image.origin.y < 0) {
            found = true;
            const double width = 8 * 1.0 / 40;  // the recorder's 8 px a character, at scale 1
            EXPECT_NEAR(image.origin.x, 2 - width / 2, 1e-5);
        }
    EXPECT_TRUE(found);
}

}  // namespace
