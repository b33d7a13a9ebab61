// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "graph/EquationObject.h"
#include "support/Equations.h"
#include "mathex/SmartNumber.h"

namespace {

using testing_support::MakeEquation;

// F at a control point, relative to the size of the terms.
double OffCurve(const EquationObject& o, PointF p) {
    return o.expression()->Value(p.x, p.y) - (o.expression()->form == MathEx::FORM_EXPLICIT ? p.y : 0.0);
}

struct DragCase {
    const char* text;
    std::vector<int> pinned;
    int dragged;
    float dx, dy;
    float movedX, movedY;  // where the dragged point ends up
};

class ReshapeTest : public ::testing::TestWithParam<DragCase> {};

// The dragged point moves as its rule says, pinned points stay, and every
// control point lies on the reshaped curve, whose text follows the coefficients.
TEST_P(ReshapeTest, DraggedPointMovesPinnedStayAllOnTheCurve) {
    const DragCase& c = GetParam();
    auto o = MakeEquation(c.text);
    for (int i : c.pinned) o->setControlPointPinned(i, true);
    const std::vector<ControlPoint> before = o->controlPoints();
    o->dragControlPoint(c.dragged, c.dx, c.dy);
    EXPECT_NEAR(o->controlPoints()[c.dragged].x, c.movedX, 1e-4) << c.text;
    EXPECT_NEAR(o->controlPoints()[c.dragged].y, c.movedY, 1e-4) << c.text;
    for (int i : c.pinned) EXPECT_EQ(o->controlPoints()[i], before[i]) << c.text << " pinned #" << i;
    // Every control point lies on the curve except the centres and the
    // hyperbola's co-vertex point, which sit on its axes.
    const auto type = o->expression()->type;
    const double* k = o->expression()->coeffs;
    for (size_t i = 0; i < o->controlPoints().size(); ++i) {
        const PointF p = o->controlPoints()[i];
        if ((type == MathEx::PT_ELLIPSE && i == 2) || (type == MathEx::PT_HYPERBOLA && i == 0)) {
            EXPECT_NEAR(p.x, k[2], 1e-4) << "centre";
            EXPECT_NEAR(p.y, k[3], 1e-4) << "centre";
        } else if (type == MathEx::PT_HYPERBOLA && i == 2) {
            const PointF v = o->controlPoints()[1];
            EXPECT_NEAR(p.x, v.x - k[1] * std::sin(k[4]), 1e-4) << "co-vertex point";
            EXPECT_NEAR(p.y, v.y + k[1] * std::cos(k[4]), 1e-4) << "co-vertex point";
        } else {
            EXPECT_NEAR(OffCurve(*o, p), 0, 1e-3) << c.text << " #" << i << " -> " << o->text();
        }
    }
    // The text was rebuilt from the coefficients: reading it back gives them again.
    MathEx::MathExp back;
    ASSERT_TRUE(back.Parse(o->text()));
    EXPECT_EQ(back.type, o->expression()->type) << o->text();
}

INSTANTIATE_TEST_SUITE_P(
    Types, ReshapeTest,
    ::testing::Values(
        DragCase{"y = 2*x + 1", {}, 1, 0, 1, 1, 4},
        DragCase{"y = x^2 - 2*x", {}, 1, 5, -1, 1, -2},       // vertex of a free parabola: only up or down
        DragCase{"y = x^2 - 2*x", {0}, 1, 1, 0, 2, -1},       // left pinned: the vertex slides, R follows
        DragCase{"y = x^2 - 2*x", {}, 2, 1, 1, 3, 1},         // a side point: both sides move together
        DragCase{"y = x^2 - 2*x", {2}, 2, 1, 1, 2, 0},        // a pinned point does not move
        DragCase{"y = sin(x)", {}, 0, 3, 1, float(MathEx::kHalfPi), 2},
        DragCase{"y = cos(x)", {}, 1, 1, 0, float(MathEx::kHalfPi) + 1, 0},
        DragCase{"y = log(x)", {}, 1, 0, 1, float(MathEx::kE), 2},
        DragCase{"y = 2^(x+1)", {}, 0, 0, 2, 0, 4},
        DragCase{"y = x^3 - 3*x", {}, 1, 0, 1, -1, 3},
        DragCase{"y = x^3 - 3*x", {0, 3}, 2, 0.5f, -1, 1.5f, -3},
        DragCase{"y = x^3", {1, 2}, 4, 0, 2, 2, 10},
        DragCase{"x^2/4 + y^2 - 1 = 0", {}, 2, 1, 1, 1, 1},   // the centre moves the whole ellipse
        DragCase{"x^2/4 + y^2 - 1 = 0", {}, 0, 0, 2, 2, 2},   // an axis end turns it
        DragCase{"x^2/4 + y^2 - 1 = 0", {0}, 2, 0.5f, 0, 0.5f, 0},
        DragCase{"x^2/4 + y^2 - 1 = 0", {}, 1, -1, 0, -1, 1},
        DragCase{"x^2 - y^2/4 - 1 = 0", {}, 1, 0, 1, 1, 1},
        DragCase{"x^2 - y^2/4 - 1 = 0", {1}, 0, -1, 0, -1, 0},
        DragCase{"y^2 - 4*x = 0", {}, 0, 1, 2, 1, 2},
        DragCase{"y^2 - 4*x = 0", {}, 1, -1, 1, 0, 3},
        DragCase{"y^2 - 4*x = 0", {1}, 0, -1, 0, -1, 0}));

TEST(Reshape, AttributePointsKeepTheirX) {
    auto o = MakeEquation("y = x");
    AttribPoint ap(o.get());
    ap.setPosition(2, 2);
    o->addAttribPoint(ap);
    o->dragControlPoint(1, 0, 1);  // (1, 1) up to (1, 2): y = 1.5·x + 0.5
    EXPECT_FLOAT_EQ(o->attribPoints()[0].position.x, 2);
    EXPECT_FLOAT_EQ(o->attribPoints()[0].position.y, 3.5f);
}

TEST(Reshape, ShapesThePointsCannotDescribeLeaveTheCurve) {
    auto o = MakeEquation("y = 2*x + 1");
    const std::string before = o->text();
    o->dragControlPoint(1, -2, 0);  // both points at x = −1: no line through them
    EXPECT_EQ(o->text(), before);
    EXPECT_FLOAT_EQ(o->controlPoints()[1].x, 1);
    auto e = MakeEquation("x^2/4 + y^2 - 1 = 0");
    e->dragControlPoint(0, -2, 0);  // the axis end onto the centre
    EXPECT_EQ(e->expression()->type, MathEx::PT_ELLIPSE);
    EXPECT_FLOAT_EQ(e->controlPoints()[0].x, 2);
    o->dragControlPoint(7, 1, 1);  // no such point
    EXPECT_EQ(o->text(), before);
}

TEST(Reshape, ConicAngleStaysWithinOneTurn) {
    auto o = MakeEquation("x^2/4 + y^2 - 1 = 0");
    for (int k = 0; k < 12; ++k) {
        const ControlPoint& a = o->controlPoints()[0];
        // Walk the axis end round the centre, a twelfth of a turn each time.
        const double angle = std::atan2(a.y, a.x) - 0.5236;
        o->dragControlPoint(0, float(2 * std::cos(angle) - a.x), float(2 * std::sin(angle) - a.y));
        EXPECT_GE(o->expression()->coeffs[4], 0);
        EXPECT_LT(o->expression()->coeffs[4], MathEx::kTwoPi);
    }
}

}  // namespace
