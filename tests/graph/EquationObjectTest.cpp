// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "graph/EquationObject.h"
#include "support/Equations.h"
#include "mathex/SmartNumber.h"
#include "support/RecordingPainter.h"

namespace {

using testing_support::RecordingPainter;

using testing_support::MakeEquation;

TEST(EquationObject, FailedSetEquationChangesNothing) {
    auto o = MakeEquation("y = x^2");
    const size_t pieces = o->pieces().size();
    EXPECT_FALSE(o->setEquation("y = 2 3"));
    EXPECT_EQ(o->text(), "y=x^2");
    EXPECT_EQ(o->pieces().size(), pieces);
    EXPECT_EQ(o->controlPoints().size(), 3u);
}

TEST(EquationObject, ANumberIsTextOnly) {
    auto o = MakeEquation("2*PI");
    EXPECT_TRUE(o->isTextOnly());
    EXPECT_TRUE(o->displayText());
    EXPECT_TRUE(o->pieces().empty());
    EXPECT_FALSE(o->passesNear(PointF(0, 0), 1.3));
}

// Each setter that changes what the curve covers resamples it at once.
TEST(EquationObject, SettersThatChangeTheCoverageResample) {
    struct Row {
        const char* name;
        void (*change)(EquationObject&);
        size_t pieces;
        float firstX, lastX;
    };
    const Row rows[] = {
        {"domain", [](EquationObject& o) { o.setDomain(-1, 2); }, 1, -1, 2},
        {"domain, then dotted on both sides",
         [](EquationObject& o) {
             o.setDomain(-1, 2);
             o.setStippleType(EquationObject::STIPPLE_BOTH);
         },
         3, -1, 2},
        {"plot box", [](EquationObject& o) { o.setPlotBox(-3, 3, 3, -3); }, 1, -3, 3},
        {"zoom", [](EquationObject& o) { o.scalePlotBox(0.5, 1); }, 1, -4.5f, 4.5f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto o = MakeEquation("y = x^2");
        row.change(*o);
        ASSERT_EQ(o->pieces().size(), row.pieces);
        EXPECT_FLOAT_EQ(o->pieces()[0].front().x, row.firstX);
        EXPECT_FLOAT_EQ(o->pieces()[0].back().x, row.lastX);
    }
}

TEST(EquationObject, ACopyIsIndependentAndOwnsItsAttributePoints) {
    auto o = MakeEquation("y = x^2");
    o->addAttribPoint(AttribPoint());
    o->setColour(ColorF(1, 0, 0, 1));
    o->setLabel(EquationObject::LABEL_USER_TEXT, "2*PI");
    EquationObject other;
    o->addTangentLine(&other);

    const EquationObject copy(*o);
    ASSERT_EQ(copy.attribPoints().size(), 1u);
    EXPECT_EQ(copy.attribPoints()[0].owner, &copy);
    EXPECT_EQ(o->attribPoints()[0].owner, o.get());
    EXPECT_TRUE(copy.tangentLines().empty());  // references into a graph are not copied
    EXPECT_EQ(copy.colour(), ColorF(1, 0, 0, 1));
    EXPECT_EQ(copy.labelKind(), EquationObject::LABEL_USER_TEXT);
    EXPECT_EQ(copy.pieces().size(), o->pieces().size());

    o->translate(0, 1);
    ASSERT_NE(copy.expression(), o->expression());
    EXPECT_EQ(copy.text(), "y=x^2");
    EXPECT_EQ(copy.controlPoints()[1], PointF(0, 0));
}

// Any text is a user label, maths or not, and is kept exactly as typed; only
// a kind of label that does not exist is refused.
TEST(EquationObject, AnyUserTextIsALabel) {
    for (const std::string text : {"y = 2 3", "(((", "Parabola P", "", "\\{%$<&\"'"}) {
        auto o = MakeEquation("y = x^2");
        EXPECT_TRUE(o->setLabel(EquationObject::LABEL_USER_TEXT, text)) << text;
        EXPECT_EQ(o->labelKind(), EquationObject::LABEL_USER_TEXT) << text;
        EXPECT_EQ(o->userText(), text);
    }
    auto o = MakeEquation("y = x^2");
    EXPECT_FALSE(o->setLabel(7, "P"));
    EXPECT_EQ(o->labelKind(), EquationObject::LABEL_EQUATION);
    EXPECT_EQ(o->userText(), "");
}

// The label drawn is the teacher's words and maths, measured where it was drawn.
TEST(EquationObject, AUserLabelIsDrawnAsWordsAndMaths) {
    auto o = MakeEquation("y = x^2");
    o->setDisplayText(true);
    ASSERT_TRUE(o->setLabel(EquationObject::LABEL_USER_TEXT, "Parabola P"));
    o->setLabelPosition(PointF(1, 2));
    RecordingPainter raster;
    raster.setView({1, 1, 1});
    o->draw(raster);
    ASSERT_EQ(raster.images.size(), 1u);
    EXPECT_EQ(raster.images[0].text, "\\text{Parabola }P");
    EXPECT_FLOAT_EQ(o->labelBox().left, 1);
    EXPECT_FLOAT_EQ(o->labelBox().bottom, 2);
    EXPECT_GT(o->labelBox().right, 1);
    // On paper: the same typeset text, words and maths together.
    RecordingPainter page(true);
    page.setView({1, 1, 1});
    o->draw(page);
    ASSERT_EQ(page.images.size(), 1u);
    EXPECT_EQ(page.images[0].text, "\\text{Parabola }P");
    EXPECT_TRUE(page.texts.empty());
}

TEST(EquationObject, OutOfRangeIndicesChangeNothing) {
    auto o = MakeEquation("y = x^2");
    o->setControlPointPinned(7, true);
    o->toggleControlPointPin(-1);
    o->setAttribPoint(0, AttribPoint());
    o->slideAttribPoint(3, PointF(1, 1));
    o->removeLastAttribPoint();
    EXPECT_EQ(o->popAction(), -1);
    EXPECT_TRUE(o->attribPoints().empty());
    for (const ControlPoint& c : o->controlPoints()) EXPECT_FALSE(c.pinned);
}

struct OrdinateCase {
    const char* text;
    double x, y1, y2;  // NaN: no value
};

class ValueAtTest : public ::testing::TestWithParam<OrdinateCase> {};

TEST_P(ValueAtTest, OrdinatesByType) {
    auto o = MakeEquation(GetParam().text);
    double y1, y2;
    o->ordinates(GetParam().x, y1, y2);
    auto same = [](double a, double b) { return std::isnan(a) ? std::isnan(b) : std::fabs(a - b) < 1e-9; };
    EXPECT_TRUE(same(GetParam().y1, y1)) << GetParam().text << " y1 = " << y1;
    EXPECT_TRUE(same(GetParam().y2, y2)) << GetParam().text << " y2 = " << y2;
}

const double kNaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(Types, ValueAtTest,
                         ::testing::Values(OrdinateCase{"y = 2*x^3 - x + 1", 2, 15, 15},
                                           OrdinateCase{"x^2/4 + y^2 - 1 = 0", 0, 1, -1},
                                           OrdinateCase{"x^2/4 + y^2 - 1 = 0", 3, kNaN, kNaN},
                                           OrdinateCase{"x^2 - y^2/4 - 1 = 0", 2, std::sqrt(12.0), -std::sqrt(12.0)},
                                           OrdinateCase{"y^2 - 4*x = 0", 1, 2, -2},
                                           OrdinateCase{"y = sin(x)", 0.5, std::sin(0.5), 0},
                                           OrdinateCase{"y = log(x)", -1, kNaN, 0}));

struct NearCase {
    const char* text;
    float x, y;
    bool near;
};

class PassesNearTest : public ::testing::TestWithParam<NearCase> {};

TEST_P(PassesNearTest, PicksTheCurve) {
    auto o = MakeEquation(GetParam().text);
    EXPECT_EQ(o->passesNear(PointF(GetParam().x, GetParam().y), 1.3), GetParam().near)
        << GetParam().text << " at " << GetParam().x << ", " << GetParam().y;
}

INSTANTIATE_TEST_SUITE_P(Clicks, PassesNearTest,
                         ::testing::Values(NearCase{"y = x^2", 1, 1.05f, true}, NearCase{"y = x^2", 1, 2, false},
                                           NearCase{"x^2 + y^2 - 4 = 0", 0, 2.05f, true},
                                           NearCase{"x^2 + y^2 - 4 = 0", 0, 0, false},
                                           NearCase{"y = log(x)", -3, 0, false},
                                           NearCase{"x^3 + y^3 - 3*x*y = 0", 0.02f, 0.02f, true}));

TEST(EquationObject, PointNearLandsOnTheCurve) {
    auto parabola = MakeEquation("y = x^2");
    const PointF p = parabola->pointNear(PointF(1.5f, 3));
    EXPECT_FLOAT_EQ(p.x, 1.5f);
    EXPECT_FLOAT_EQ(p.y, 2.25f);
    for (const char* text : {"x^2/4 + y^2 - 1 = 0", "x^2 - y^2 - 1 = 0", "y^2 - 4*x = 0",
                             "0.5*x^2 + 0.3*x*y + 0.2*y^2 - 2*x + y - 3 = 0"}) {
        auto o = MakeEquation(text);
        for (PointF click : {PointF(3, 1), PointF(-2, -2), PointF(0.5f, 0.2f)}) {
            const PointF q = o->pointNear(click);
            EXPECT_NEAR(o->expression()->Value(q.x, q.y) / (1 + std::fabs(q.x * q.x) + std::fabs(q.y * q.y)), 0, 1e-4)
                << text << " from " << click.x << ", " << click.y;
        }
    }
}

struct ControlCase {
    const char* text;
    std::vector<PointF> points;
};

class ControlPointsTest : public ::testing::TestWithParam<ControlCase> {};

TEST_P(ControlPointsTest, BuiltPerType) {
    auto o = MakeEquation(GetParam().text);
    ASSERT_EQ(o->controlPoints().size(), GetParam().points.size()) << GetParam().text;
    for (size_t i = 0; i < o->controlPoints().size(); ++i) {
        EXPECT_NEAR(o->controlPoints()[i].x, GetParam().points[i].x, 1e-5) << GetParam().text << " #" << i;
        EXPECT_NEAR(o->controlPoints()[i].y, GetParam().points[i].y, 1e-5) << GetParam().text << " #" << i;
        EXPECT_FALSE(o->controlPoints()[i].pinned);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, ControlPointsTest,
    ::testing::Values(
        ControlCase{"y = 2*x + 1", {{-1, -1}, {1, 3}}},
        ControlCase{"y = x^2 - 2*x", {{0, 0}, {1, -1}, {2, 0}}},  // the middle one is the vertex
        ControlCase{"y = x^3 - 3*x", {{-2, -2}, {-1, 2}, {1, -2}, {2, 2}}},
        ControlCase{"y = x^3", {{-2, -8}, {-1, -1}, {0, 0}, {1, 1}, {2, 8}}},  // monotonic: five points
        ControlCase{"y = x^4", {}},
        ControlCase{"y = 2*sin(x) + 1", {{float(MathEx::kHalfPi), 3}, {float(MathEx::kPi), 1}}},
        ControlCase{"y = cos(2*x)", {{0, 1}, {float(MathEx::kPi / 4), 0}}},
        ControlCase{"y = log(x)", {{1, 0}, {float(MathEx::kE), 1}}},
        ControlCase{"y = 2^(x+1) + 3", {{0, 5}}},
        ControlCase{"x^2/4 + y^2 - 1 = 0", {{2, 0}, {0, 1}, {0, 0}}},
        ControlCase{"x^2 - y^2/4 - 1 = 0", {{0, 0}, {1, 0}, {1, 2}}},
        ControlCase{"y^2 - 4*x = 0", {{0, 0}, {1, 2}}},
        ControlCase{"x^3 + y^3 - 3*x*y = 0", {}}));

TEST(EquationObject, CubicMonotonicFlag) {
    EXPECT_TRUE(MakeEquation("y = x^3 + 3*x^2 + 3*x")->isMonotonic());  // c2² = 3·c1·c3
    EXPECT_FALSE(MakeEquation("y = x^3 - 3*x")->isMonotonic());
}

TEST(EquationObject, ControlPointNearIsWithinAFifthOfTheScale) {
    auto o = MakeEquation("y = 2*x + 1");
    EXPECT_EQ(o->controlPointNear(PointF(1.1f, 3), 1.3), 1);
    EXPECT_EQ(o->controlPointNear(PointF(1.3f, 3), 1.3), -1);
}

TEST(EquationObject, TranslateMovesCurveControlAndAttributePoints) {
    auto o = MakeEquation("y = x^2");
    AttribPoint ap(o.get());
    ap.setPosition(1, 1);
    o->addAttribPoint(ap);
    o->translate(1, 2);
    EXPECT_EQ(o->text(), "y=x^2-2*x+3");
    EXPECT_FLOAT_EQ(o->controlPoints()[1].x, 1);
    EXPECT_FLOAT_EQ(o->controlPoints()[1].y, 2);
    EXPECT_FLOAT_EQ(o->attribPoints()[0].position.x, 2);
    EXPECT_FLOAT_EQ(o->attribPoints()[0].position.y, 3);
    EXPECT_NEAR(o->pieces()[0].front().y, 81 + 18 + 3, 1e-3);
}

TEST(EquationObject, MoveLabelCarriesTheFrameOfATextOnlyObject) {
    auto o = MakeEquation("42");
    o->setPlotBox(0, 2, 1, 0);
    o->moveLabel(1, -1);
    EXPECT_FLOAT_EQ(o->labelPosition().x, 1);
    EXPECT_FLOAT_EQ(o->plotBox().left, 1);
    EXPECT_FLOAT_EQ(o->plotBox().top, 0);
}

TEST(EquationObject, CoefficientsOfPolynomials) {
    EXPECT_EQ(MakeEquation("y = 3*x - 1")->coefficients(), (std::vector<double>{3, -1}));
    EXPECT_EQ(MakeEquation("y = x^4 - 2")->coefficients(), (std::vector<double>{1, 0, 0, 0, -2}));
    EXPECT_TRUE(MakeEquation("y = sin(x)")->coefficients().empty());
}

}  // namespace
