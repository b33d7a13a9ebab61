// SPDX-License-Identifier: MIT
// Intersections of any two curves, and their markers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graph/Intersections.h"
#include "support/Equations.h"
#include "support/RecordingPainter.h"

using testing_support::RecordedShape;
using testing_support::MakeEquations;
using testing_support::RecordingPainter;
using testing_support::Shape;

namespace {


struct IntersectionCase {
    const char* name;
    std::vector<std::string> equations;
    std::vector<PointF> expected;  // in the order found
};

const IntersectionCase kCases[] = {
    {"two quadratics", {"y=x^2", "y=2-x^2"}, {{-1, 1}, {1, 1}}},
    {"line and cubic", {"y=x^3", "y=x"}, {{-1, -1}, {0, 0}, {1, 1}}},
    {"quartic and quadratic", {"y=x^4", "y=5*x^2-4"}, {{-2, 16}, {-1, 1}, {1, 1}, {2, 16}}},
    {"quartic and cubic, cubic terms cancel", {"y=x^4+x^3", "y=x^3+5*x^2-4"}, {{-2, 8}, {-1, 0}, {1, 2}, {2, 24}}},
    {"quadratics with equal leading coefficients", {"y=x^2", "y=x^2+2*x+1"}, {{-0.5f, 0.25f}}},
    {"cubics with equal leading coefficients", {"y=x^3+x^2", "y=x^3+1"}, {{-1, 0}, {1, 2}}},
    {"parallel lines", {"y=2*x+1", "y=2*x-3"}, {}},
    {"equal quadratics", {"y=x^2+1", "y=x^2+1"}, {}},
    {"no real crossing", {"y=x^2+1", "y=-(x^2)"}, {}},
    {"non-polynomial pairs are found too, within the drawn curves, ordered by x", {"y=x^2", "y=sin(x)", "y=2-x^2"},
     {{0, 0}, {0.876726f, 0.768649f}, {-1, 1}, {1, 1}, {-1.728466f, -0.987596f}, {1.061550f, 0.873112f}}},

    // Pairs (0,1), (0,2), (1,2); each ordinate is taken on the pair's first curve.
    {"pairs in list order", {"y=x", "y=-x", "y=x^2"}, {{0, 0}, {0, 0}, {1, 1}, {-1, 1}, {0, 0}}},
};

TEST(Intersections, PointsOfEveryPolynomialPair) {
    for (const IntersectionCase& c : kCases) {
        const std::vector<PointF> points = ComputeIntersections(MakeEquations(c.equations));
        ASSERT_EQ(points.size(), c.expected.size()) << c.name;
        for (size_t k = 0; k < points.size(); ++k) {
            EXPECT_NEAR(points[k].x, c.expected[k].x, 1e-3) << c.name << " #" << k;
            EXPECT_NEAR(points[k].y, c.expected[k].y, 1e-3) << c.name << " #" << k;
        }
    }
}

// Pairs that are not two polynomials: found on the drawn pieces and refined to
// the equations. Each crossing once; a tangent touch counts; points off the drawn
// curves (outside the box, beyond a domain) and poles do not.
const IntersectionCase kAnyPairs[] = {
    {"sine and parabola", {"y=sin(x)", "y=x^2"}, {{0, 0}, {0.876726f, 0.768647f}}},
    {"vertical line and parabola", {"x-1=0", "y=x^2"}, {{1, 1}}},
    {"circle and line", {"x^2+y^2-4=0", "y=x"}, {{-1.414214f, -1.414214f}, {1.414214f, 1.414214f}}},
    {"circle and vertical line", {"x^2+y^2=25", "x=3"}, {{3, -4}, {3, 4}}},
    {"two circles", {"x^2+y^2=25", "(x-6)^2+y^2=25"}, {{3, -4}, {3, 4}}},
    {"hyperbola and line", {"x^2-y^2=1", "y=0.5x"}, {{-1.154701f, -0.577350f}, {1.154701f, 0.577350f}}},
    {"exponential and its tangent at 0 touch", {"y=e^x", "y=x+1"}, {{0, 1}}},
    {"line tangent to a circle touches", {"y=2", "x^2+y^2=4"}, {{0, 2}}},
    {"square of a sine and a line", {"y=sin(x)^2", "y=0.5"},
     {{-8.639380f, 0.5f}, {-7.068583f, 0.5f}, {-5.497787f, 0.5f}, {-3.926991f, 0.5f}, {-2.356194f, 0.5f},
      {-0.785398f, 0.5f}, {0.785398f, 0.5f}, {2.356194f, 0.5f}, {3.926991f, 0.5f}, {5.497787f, 0.5f},
      {7.068583f, 0.5f}, {8.639380f, 0.5f}}},
    {"tangent's poles are no crossings", {"y=tan(x)", "y=0"}, {{-6.283185f, 0}, {-3.141593f, 0}, {0, 0}, {3.141593f, 0}, {6.283185f, 0}}},
    {"logarithm and line", {"y=ln(x)", "y=x-2"}, {{0.158594f, -1.841406f}, {3.146193f, 1.146193f}}},
    // Drawn in chords that stray from the circle by more than the tolerance.
    {"a sine across a circle far larger than the view", {"y=sin(x)", "(x-100)^2+(y-30)^2=10000"},
     {{4.919386f, -0.978652f}}},
    {"beyond the drawn box: no point", {"y=e^x", "y=100"}, {}},
    {"apart: no point", {"x^2+y^2=1", "(x-5)^2+y^2=1"}, {}},
    {"a sine and the same sine lifted: never meet", {"y=sin(x)", "y=sin(x)+1"}, {}},
    {"a bump that stays clear of the line", {"y=x^2+1", "y=cos(x)-0.5"}, {}},
    // Curves on one another share every point and cross nowhere, as two equal polynomials.
    {"a sine typed twice", {"y=sin(x)", "y=sin(x)"}, {}},
    {"the same sine written otherwise", {"y=2*sin(x)", "y=sin(x)+sin(x)"}, {}},
    {"an exponential typed twice", {"y=e^x", "y=e^x"}, {}},
    {"a circle typed twice", {"x^2+y^2=4", "x^2+y^2=4"}, {}},
    {"a vertical line typed twice", {"x=3", "x=3"}, {}},
    {"a line and the same line as a sum", {"y=x", "y=x+0*sin(x)"}, {}},
};

TEST(Intersections, AnyTwoCurves) {
    for (const IntersectionCase& c : kAnyPairs) {
        const std::vector<PointF> points = ComputeIntersections(MakeEquations(c.equations));
        EXPECT_EQ(points.size(), c.expected.size()) << c.name;
        if (points.size() != c.expected.size()) {
            for (const PointF& p : points) ADD_FAILURE() << c.name << ": found " << p.x << ", " << p.y;
            continue;
        }
        for (size_t k = 0; k < points.size(); ++k) {
            EXPECT_NEAR(points[k].x, c.expected[k].x, 1e-4) << c.name << " #" << k;
            EXPECT_NEAR(points[k].y, c.expected[k].y, 1e-4) << c.name << " #" << k;
        }
    }
}

// Pairs whose crossings have a closed form (a line or x = k with a conic or a
// line, x = k with y = f(x)): the points worked out by hand, kept by the rule
// of the searched ones (on both drawn curves: within the box and a domain),
// each once, ordered by x, and as exact as single precision holds them.
struct ExactCase {
    const char* name;
    std::vector<std::string> equations;
    std::vector<std::pair<double, double>> expected;
    double from = 0, to = 0;  // a domain of x for the first curve, when they differ
};

const ExactCase kExactPairs[] = {
    {"line and circle", {"y=x+1", "x^2+y^2=25"}, {{-4, -3}, {3, 4}}},
    {"circle and line", {"x^2+y^2-4=0", "y=x"}, {{-std::sqrt(2.0), -std::sqrt(2.0)}, {std::sqrt(2.0), std::sqrt(2.0)}}},
    {"a tangent touches once, where it touches", {"y=x+3", "(x-1)^2+(y-2)^2=2"}, {{0, 3}}},
    {"an upright tangent to an ellipse", {"x=4", "x^2/16+y^2/4=1"}, {{4, 0}}},
    {"only the crossing within the line's domain", {"y=x+1", "x^2+y^2=25"}, {{3, 4}}, 0, 5},
    // x²/4 − (x/2 + 1/100)² = 1 at x = −100.01, far out of the box.
    {"a hyperbola met out of sight", {"y=0.5x+0.01", "x^2/4-y^2=1"}, {}},
    {"line and parabola", {"y=2x-4", "y^2=4x"}, {{1, -2}, {4, 4}}},
    {"vertical line and circle, the lower point first", {"x=3", "x^2+y^2=25"}, {{3, -4}, {3, 4}}},
    {"vertical line and exponential", {"x=1", "y=e^x"}, {{1, std::exp(1.0)}}},
    {"vertical line and exponential above the box", {"x=3", "y=e^x"}, {}},
    {"x = 0 and the logarithm", {"x=0", "y=log(x)"}, {}},
    {"vertical line and tangent", {"x=1", "y=tan(x)"}, {{1, std::tan(1.0)}}},
    {"vertical line and line", {"x=2", "y=-x+1"}, {{2, -1}}},
    {"two vertical lines", {"x=1", "x=-2"}, {}},
    // The circle's samples are chords far longer than the tolerance; the
    // crossing lies between two of them: 100 − √(100² − 3²).
    {"a circle far larger than the view", {"y=3", "(x-100)^2+y^2=10000"}, {{100 - std::sqrt(9991.0), 3}}},
};

TEST(Intersections, ClosedFormPairs) {
    for (const ExactCase& c : kExactPairs) {
        SCOPED_TRACE(c.name);
        EquationList equations = MakeEquations(c.equations);
        if (c.from != c.to) equations[0]->setDomain(c.from, c.to);
        const std::vector<PointF> points = ComputeIntersections(equations);
        ASSERT_EQ(points.size(), c.expected.size());
        for (size_t k = 0; k < points.size(); ++k) {
            // The rounding to single precision, and nothing more.
            const auto [x, y] = c.expected[k];
            EXPECT_NEAR(points[k].x, x, 1e-12 + 0x1p-24 * std::abs(x)) << "#" << k;
            EXPECT_NEAR(points[k].y, y, 1e-12 + 0x1p-24 * std::abs(y)) << "#" << k;
        }
    }
}

TEST(Intersections, EveryPointIsFinite) {
    // Steep curves far apart give huge roots; none may become a marker at infinity.
    const std::vector<std::vector<std::string>> graphs = {
        {"y=x^4", "y=x^4+0.000001*x^3-1"},
        {"y=1000000*x^4", "y=x"},
        {"y=x^2", "y=x^2+0.0000001*x"},
    };
    for (const auto& texts : graphs)
        for (const PointF& p : ComputeIntersections(MakeEquations(texts)))
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << texts[1];
}

TEST(Intersections, EmptyAndSingleGraphs) {
    EXPECT_TRUE(ComputeIntersections(EquationList()).empty());
    EXPECT_TRUE(ComputeIntersections(MakeEquations({"y=x^2"})).empty());
}

struct MarkerCase {
    double scale, xZoom, yZoom;
};

const MarkerCase kMarkers[] = {{1.0, 1.0, 1.0}, {1.3, 1.0, 1.0}, {2.0, 0.5, 1.5}};

// Every marker in one call: a graph with hundreds of crossings is drawn as
// one shape of red discs of radius 0.1·scale·xZoom (the painter keeps them
// round whatever the y zoom).
TEST(IntersectionMarker, AllMarkersAsOneShapeOfRedDiscs) {
    for (const MarkerCase& c : kMarkers) {
        RecordingPainter painter;
        const std::vector<PointF> centres = {{2, -3}, {0, 0}, {-1, 5}};
        painter.setView({c.scale, c.xZoom});
        DrawIntersections(painter, centres);
        ASSERT_EQ(painter.shapes.size(), 1u);
        const RecordedShape& p = painter.shapes[0];
        EXPECT_EQ(p.color, ColorF(1, 0, 0, 1));
        EXPECT_EQ(p.shape, Shape::Discs);
        EXPECT_FLOAT_EQ(p.lineWidth, 0.01f);
        EXPECT_EQ(p.points, centres);
        EXPECT_NEAR(p.size, 0.1 * c.scale * c.xZoom, 1e-12);
    }
}

// The kept intersections are those worked out afresh after every kind of
// change to the list: a curve moved or reshaped, its domain or plot box
// changed, a curve added, deleted or put elsewhere in the list.
TEST(IntersectionCache, GivesWhatAFreshComputationGivesAfterEveryChange) {
    using Edit = void (*)(EquationList&);
    struct Step {
        const char* name;
        Edit edit;
    };
    const Step steps[] = {
        {"as made", [](EquationList&) {}},
        {"nothing changed", [](EquationList&) {}},
        {"a polynomial moved", [](EquationList& l) { l[0]->translate(0.5, -1); }},
        {"a conic moved", [](EquationList& l) { l[2]->translate(-1, 0.25); }},
        {"a domain set", [](EquationList& l) { l[1]->setDomain(-1, 2); }},
        {"a plot box shrunk", [](EquationList& l) { l[3]->setPlotBox(-2, 2, 2, -2); }},
        {"a curve added", [](EquationList& l) { l.push_back(testing_support::MakeEquation("y=1-x")); }},
        {"a curve deleted", [](EquationList& l) { l.erase(l.begin() + 1); }},
        {"two curves swapped", [](EquationList& l) { std::swap(l[0], l[2]); }},
        {"an equation replaced", [](EquationList& l) { l[1]->setEquation("y=x^2/2-3"); }},
        {"all deleted", [](EquationList& l) { l.clear(); }},
    };
    EquationList equations = MakeEquations({"y=x^2-2", "y=sin(x)", "x^2/9+y^2/4-1=0", "y=x", "x=1"});
    IntersectionCache cache;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.edit(equations);
        const std::vector<PointF> fresh = ComputeIntersections(equations);
        const std::vector<PointF>& kept = cache.update(equations);
        ASSERT_EQ(kept.size(), fresh.size());
        for (size_t k = 0; k < fresh.size(); ++k) {
            EXPECT_EQ(kept[k].x, fresh[k].x);
            EXPECT_EQ(kept[k].y, fresh[k].y);
        }
        EXPECT_EQ(&cache.points(), &kept);
    }
}

}  // namespace
