// SPDX-License-Identifier: MIT
// Intersections of polynomial curves and their markers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "graph/Intersections.h"
#include "support/Equations.h"
#include "support/RecordingSurface.h"

using testing_support::RecordedPrimitive;
using testing_support::MakeEquations;
using testing_support::RecordingSurface;

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
    {"sine ignored", {"y=sin(x)", "y=x^2"}, {}},
    {"vertical line ignored", {"x-1=0", "y=x^2"}, {}},
    {"circle ignored", {"x^2+y^2-4=0", "y=x"}, {}},
    {"non-polynomial between two quadratics", {"y=x^2", "y=sin(x)", "y=2-x^2"}, {{-1, 1}, {1, 1}}},
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

TEST(IntersectionMarker, TwoFilledTwelveGonsDarkRedThenRed) {
    for (const MarkerCase& c : kMarkers) {
        RecordingSurface surface;
        const PointF centre(2, -3);
        DrawIntersection(surface, centre, c.scale, c.xZoom, c.yZoom);
        ASSERT_EQ(surface.primitives.size(), 2u);
        EXPECT_EQ(surface.primitives[0].color, ColorF(0.6f, 0, 0, 1));
        EXPECT_EQ(surface.primitives[1].color, ColorF(1, 0, 0, 1));
        for (const RecordedPrimitive& p : surface.primitives) {
            EXPECT_EQ(p.primitive, Surface::Primitive::Polygon);
            EXPECT_FLOAT_EQ(p.lineWidth, 0.01f);
            ASSERT_GE(p.points.size(), 12u);
            for (const PointF& v : p.points) {
                // On the ellipse of radii 0.1·scale·xZoom and 0.1·scale·yZoom.
                const double u = (v.x - centre.x) / (0.1 * c.scale * c.xZoom);
                const double w = (v.y - centre.y) / (0.1 * c.scale * c.yZoom);
                EXPECT_NEAR(u * u + w * w, 1.0, 1e-4);
            }
        }
    }
}

}  // namespace
