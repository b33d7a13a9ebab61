// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "graph/EquationObject.h"
#include "support/Equations.h"
#include "graph/ZeroSet.h"

namespace {

using testing_support::MakeEquation;

struct PieceCase {
    const char* text;
    size_t pieces;
    float firstX, firstY;  // first point of piece 0
    float lastX, lastY;    // last point of the last piece
};

class ResampleTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(ResampleTest, PiecesAndEndPoints) {
    const PieceCase& c = GetParam();
    auto o = MakeEquation(c.text);
    ASSERT_EQ(o->pieces().size(), c.pieces) << c.text;
    EXPECT_NEAR(o->pieces().front().front().x, c.firstX, 1e-3) << c.text;
    EXPECT_NEAR(o->pieces().front().front().y, c.firstY, 1e-3) << c.text;
    EXPECT_NEAR(o->pieces().back().back().x, c.lastX, 1e-3) << c.text;
    EXPECT_NEAR(o->pieces().back().back().y, c.lastY, 1e-3) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Types, ResampleTest,
    ::testing::Values(
        // functions of x, every 0.05 from the left edge of the plot box
        PieceCase{"y = 2*x + 1", 1, -9, -17, 9, 19},
        PieceCase{"y = x^2", 1, -9, 81, 9, 81},
        // no real value left of 0: the piece is carried on from the first real
        // sample to where the curve begins
        PieceCase{"y = sqrt(x)", 1, 0, 0, 9, 3},
        PieceCase{"y = sqrt(4 - x^2)", 1, -2, 0, 2, 0},
        // the ellipse closes on itself, starting at t = π
        PieceCase{"x^2/4 + y^2 - 1 = 0", 1, -2, 0, -2, 0},
        PieceCase{"x - 3 = 0", 1, 3, -9, 3, 9},
        // the parabola's parameter runs from −10 while below 10 (the sum of
        // 0.05 steps ends just short of 10, at 9.95)
        PieceCase{"y^2 - 4*x = 0", 1, 100, -20, 99.0025f, 19.9f}));

// A curve that ends where it stops being defined is drawn on to the edge of
// its plot box when it leaves through it (ln x down the y-axis, as 1/x is),
// not stopped at the last sample of the 0.05 grid (y ≈ −3).
TEST(Resample, ACurveRunsToTheEdgeWhereItStopsBeingDefined) {
    const struct {
        const char* text;
        bool atStart;  // the end is at the start of the first piece, else at the end of the last
    } rows[] = {{"y = ln(x)", true}, {"y = log(x)", true}, {"y = -ln(x)", true}, {"y = ln(-x)", false},
                {"y = 3*log(x - 2) + 1", true}, {"y = 1/sqrt(x)", true}};
    for (const auto& r : rows) {
        auto o = MakeEquation(r.text);
        ASSERT_FALSE(o->pieces().empty()) << r.text;
        const PointF end = r.atStart ? o->pieces().front().front() : o->pieces().back().back();
        const RectF& box = o->plotBox();
        EXPECT_TRUE(end.y <= box.bottom || end.y >= box.top) << r.text << " stops at y = " << end.y;
    }
}

// Consecutive samples more than 200 apart are never joined, and closer ones always are.
TEST(Resample, JumpsOfMoreThan200SplitPieces) {
    for (const char* text : {"y = tan(x)", "y = 100*tan(x)", "y = 1/x", "y = 1/(x-0.3)^2", "y = x^3"}) {
        auto o = MakeEquation(text);
        size_t jumps = 0;
        double previous = std::nan("");
        for (double x = -9; x <= 9; x += 0.05) {
            const double y = o->valueAt(x).x;
            if (std::fabs(y - previous) > 200) ++jumps;
            previous = y;
        }
        EXPECT_EQ(o->pieces().size(), jumps + 1) << text;
        for (const Stroke& piece : o->pieces())
            for (size_t i = 1; i < piece.size(); ++i)
                EXPECT_LE(std::fabs(piece[i].y - piece[i - 1].y), 200) << text << " at x = " << piece[i].x;
    }
}

TEST(Resample, HyperbolaHasTwoBranches) {
    auto o = MakeEquation("x^2 - y^2 - 1 = 0");
    ASSERT_EQ(o->pieces().size(), 2u);
    for (const Stroke& s : o->pieces())
        for (const PointF& p : s) EXPECT_NEAR(p.x * p.x - p.y * p.y, 1, 1e-2 * (1 + p.x * p.x));
    EXPECT_LT(o->pieces()[0].front().x, 0);  // the left branch first
    EXPECT_GT(o->pieces()[1].front().x, 0);
}

struct DomainCase {
    int stippletype;
    size_t pieces;
};

class DomainTest : public ::testing::TestWithParam<DomainCase> {};

TEST_P(DomainTest, MainPieceThenLeftThenRight) {
    auto o = MakeEquation("y = x");
    o->setDomain(-1, 2);
    o->setStippleType(GetParam().stippletype);
    o->resample();
    ASSERT_EQ(o->pieces().size(), GetParam().pieces);
    EXPECT_FLOAT_EQ(o->pieces()[0].front().x, -1);
    EXPECT_FLOAT_EQ(o->pieces()[0].back().x, 2);
    if (GetParam().stippletype == EquationObject::STIPPLE_BOTH) {
        EXPECT_FLOAT_EQ(o->pieces()[1].front().x, -9);  // left
        EXPECT_FLOAT_EQ(o->pieces()[2].front().x, 2);   // right
    }
}

INSTANTIATE_TEST_SUITE_P(Stipples, DomainTest,
                         ::testing::Values(DomainCase{EquationObject::STIPPLE_NONE, 1},
                                           DomainCase{EquationObject::STIPPLE_LEFT, 2},
                                           DomainCase{EquationObject::STIPPLE_RIGHT, 2},
                                           DomainCase{EquationObject::STIPPLE_BOTH, 3}));

TEST(Domain, ReversedDomainKeepsOnlyItsEndPoints) {
    auto o = MakeEquation("y = x");
    o->setDomain(2, -1);
    o->resample();
    ASSERT_EQ(o->pieces().size(), 1u);
    ASSERT_EQ(o->pieces()[0].size(), 2u);
    EXPECT_FLOAT_EQ(o->pieces()[0][0].x, 2);
    EXPECT_FLOAT_EQ(o->pieces()[0][1].x, -1);
}

TEST(Domain, VerticalLineIsNotDrawnInADomain) {
    auto o = MakeEquation("x - 1 = 0");
    o->setDomain(-1, 2);
    o->resample();
    EXPECT_TRUE(o->pieces().empty());
}

TEST(Domain, EllipseCutToTheDomainStaysInsideIt) {
    auto o = MakeEquation("x^2/4 + y^2 - 1 = 0");
    for (auto [from, to] : {std::pair{-1.0, 1.0}, {-3.0, 1.0}, {-1.0, 3.0}}) {
        o->setDomain(from, to);
        o->resample();
        ASSERT_EQ(o->pieces().size(), 1u);
        for (const PointF& p : o->pieces()[0]) {
            EXPECT_GE(p.x, from - 1e-4);
            EXPECT_LE(p.x, to + 1e-4);
        }
    }
}

// An implicit curve that is not a conic is traced as the zero set of F.
TEST(ZeroSet, TracedPointsLieOnTheCurve) {
    for (const char* text : {"x^3 + y^3 - 3*x*y = 0", "y - x = 0", "x^2*y - 1 = 0", "x^4 + y^4 - 16 = 0"}) {
        auto o = MakeEquation(text);
        ASSERT_FALSE(o->pieces().empty()) << text;
        size_t points = 0;
        for (const Stroke& s : o->pieces())
            for (const PointF& p : s) {
                EXPECT_NEAR(o->expression()->Value(p.x, p.y), 0, 0.02) << text << " at " << p.x << ", " << p.y;
                ++points;
            }
        EXPECT_GT(points, 100u) << text;
    }
}

TEST(ZeroSet, FoliumIsOneChainedCurveNotLooseSegments) {
    auto o = MakeEquation("x^3 + y^3 - 3*x*y = 0");
    EXPECT_LE(o->pieces().size(), 3u);
    auto circle = MakeEquation("x^4 + y^4 - 16 = 0");
    ASSERT_EQ(circle->pieces().size(), 1u);
    EXPECT_EQ(circle->pieces()[0].front(), circle->pieces()[0].back());  // a closed loop
}

// A long equation is traced on a coarser grid (a bounded amount of work)
// rather than at full detail: the same closed curve, fewer points, still on it.
TEST(ZeroSet, ALongEquationIsTracedCoarserButStillOnTheCurve) {
    std::string filler;
    for (int i = 1; i <= 400; ++i) filler += " + 0*sin(" + std::to_string(i) + "*x*y)";
    MathEx::MathExp shortOne, longOne;
    ASSERT_TRUE(shortOne.Parse("x^4 + y^4 - 16 = 0"));
    ASSERT_TRUE(longOne.Parse("x^4 + y^4 - 16" + filler + " = 0"));
    ASSERT_GT(longOne.NodeCount(), 2000u);
    const RectF box(9, -9, -9, 9);
    auto count = [](const std::vector<Stroke>& pieces) {
        size_t n = 0;
        for (const Stroke& s : pieces) n += s.size();
        return n;
    };
    const std::vector<Stroke> fine = TraceZeroSet(shortOne, box), coarse = TraceZeroSet(longOne, box);
    ASSERT_EQ(coarse.size(), 1u) << "one closed curve";
    EXPECT_LT(count(coarse), count(fine) / 3);
    EXPECT_GT(count(coarse), 20u);
    for (const PointF& p : coarse[0]) {
        const double r4 = std::pow(p.x, 4) + std::pow(p.y, 4);
        EXPECT_NEAR(std::pow(r4, 0.25), 2.0, 0.15) << p.x << ", " << p.y;
    }
}

TEST(ZeroSet, EmptyOrInvalidBoxGivesNothing) {
    MathEx::MathExp e;
    ASSERT_TRUE(e.Parse("x^3 + y^3 - 1 = 0"));
    EXPECT_TRUE(TraceZeroSet(e, RectF(0, 0, 0, 0)).empty());
    EXPECT_TRUE(TraceZeroSet(e, RectF(1, -1, 1, -1)).empty());
    EXPECT_TRUE(TraceZeroSet(e, RectF(INFINITY, -1, -1, 1)).empty());
}

}  // namespace

namespace {

// A plot box far wider than any view still samples in bounded time and memory.
TEST(Resample, HugePlotBoxIsSampledCoarserNotEndlessly) {
    EquationObject o;
    o.setPlotBox(-1e9f, 1e9f, 1e9f, -1e9f);
    ASSERT_TRUE(o.setEquation("y = x"));
    size_t points = 0;
    for (const Stroke& s : o.pieces()) points += s.size();
    EXPECT_LE(points, 200001u);
    EXPECT_GT(points, 1000u);
    ASSERT_TRUE(o.setEquation("x - 1 = 0"));
    EXPECT_LE(o.pieces()[0].size(), 200001u);
}

}  // namespace

namespace {

// Domains typed far out, where a step is below the spacing of doubles (or the
// span overflows): sampling still ends, with a bounded number of points.
TEST(Domain, FarOutDomainsAreSampledInBoundedTime) {
    const std::pair<double, double> domains[] = {
        {1e16, 1.00000000001e16},  // step 0.5, spacing of doubles 2
        {-1e308, 1e308},           // the span is not finite
        {1e300, 1e300 * 1.0000001},
    };
    for (const auto& [from, to] : domains) {
        SCOPED_TRACE(from);
        for (int stipple = EquationObject::STIPPLE_NONE; stipple <= EquationObject::STIPPLE_BOTH; ++stipple) {
            EquationObject o;
            ASSERT_TRUE(o.setEquation("y = x"));
            o.setStippleType(stipple);
            o.setDomain(from, to);
            size_t points = 0;
            for (const Stroke& s : o.pieces()) points += s.size();
            EXPECT_LE(points, 3u * 200010u);
        }
    }
}

}  // namespace
