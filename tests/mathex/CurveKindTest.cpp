// SPDX-License-Identifier: MIT
// Every kind in the registry against its own canonical equation: the points
// it samples or works out lie on that equation, a move keeps them on the moved
// curve, and its reshaping rule rebuilds the curve it started from.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "mathex/CurveKind.h"
#include "mathex/MathExp.h"

namespace MathEx {
namespace {

struct KindCase {
    PrimitiveType type;
    std::vector<double> coeffs;
};

std::string Name(const KindCase& k) {
    return std::to_string(int(k.type)) + " " + KindOf(k.type).displayName();
}

class PointCollector final : public PieceSink {
public:
    void add(double x, double y) override { points.emplace_back(float(x), float(y)); }
    void close() override {}
    std::vector<PointF> points;
};

// The curve rebuilt from its type and coefficients, as a drag leaves it.
MathExp Rebuilt(const KindCase& k) {
    MathExp m;
    m.type = k.type;
    std::copy(k.coeffs.begin(), k.coeffs.end(), m.coeffs);
    EXPECT_TRUE(m.Rebuild()) << Name(k);
    return m;
}

// Points of the curve as the kind itself finds them: its own samples, or its
// ordinates, or the equation's values along x.
std::vector<PointF> PointsOn(const MathExp& m) {
    const CurveKind& kind = m.kind();
    std::vector<PointF> points;
    if (kind.samplesItself()) {
        PointCollector out;
        kind.sample(m.coeffs, SampleFrame{RectF(10, -10, -10, 10), 0, 0}, out);
        for (size_t i = 0; i < out.points.size(); i += 7) points.push_back(out.points[i]);
        return points;
    }
    for (double x = -4.1; x < 4; x += 0.7) {
        double y1, y2;
        if (!kind.ordinates(m.coeffs, x, y1, y2)) y1 = y2 = m.Evaluate(x);
        for (double y : {y1, y2})
            if (std::isfinite(y) && std::fabs(y) < 50) points.emplace_back(float(x), float(y));
    }
    return points;
}

// The equation as F(x, y) = 0.
double F(const MathExp& m, double x, double y) { return m.form == FORM_EXPLICIT ? y - m.Evaluate(x) : m.Value(x, y); }

// F(x, y) = 0 within the rounding of points kept in single precision.
void ExpectOnCurve(const MathExp& m, PointF p, const std::string& what) {
    const double h = 1e-4 * (1 + std::fabs(p.x) + std::fabs(p.y));
    const double f = F(m, p.x, p.y);
    const double slope = std::fabs(F(m, p.x + h, p.y) - f) / h + std::fabs(F(m, p.x, p.y + h) - f) / h;
    EXPECT_LE(std::fabs(f), 1e-4 * (1 + slope)) << what << " at (" << p.x << ", " << p.y << ")";
}

class CurveKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(CurveKindTest, ItsPointsLieOnItsCanonicalEquation) {
    const MathExp m = Rebuilt(GetParam());
    const std::vector<PointF> points = PointsOn(m);
    ASSERT_GE(points.size(), 4u) << Name(GetParam());
    for (PointF p : points) ExpectOnCurve(m, p, Name(GetParam()));
    PointF near;
    if (m.kind().nearest(m.coeffs, PointF(0.3f, 0.7f), near)) ExpectOnCurve(m, near, Name(GetParam()) + " nearest");
}

TEST_P(CurveKindTest, AMoveCarriesEveryPointAlong) {
    const MathExp m = Rebuilt(GetParam());
    MathExp moved = m;
    moved.Translate(1.25, -0.5);
    ASSERT_TRUE(moved.Rebuild()) << Name(GetParam());
    EXPECT_EQ(moved.type, m.type);
    for (PointF p : PointsOn(m)) ExpectOnCurve(moved, p + PointF(1.25f, -0.5f), Name(GetParam()) + " moved");
}

// How far p lies off Q(x, y) = 0, to first order: |Q| over the length of its gradient.
double OffQuadric(const Quadric& q, PointF p) {
    const double x = p.x, y = p.y;
    const double value = q.A * x * x + q.B * x * y + q.C * y * y + q.D * x + q.E * y + q.F;
    return std::fabs(value) / std::hypot(2 * q.A * x + q.B * y + q.D, q.B * x + 2 * q.C * y + q.E);
}

// The equation of degree two a line or a conic gives for its crossings in
// closed form is the curve it draws, before and after a move (and the
// rebuild that follows one).
TEST_P(CurveKindTest, ItsSecondDegreeEquationIsTheCurveItDraws) {
    const MathExp m = Rebuilt(GetParam());
    const std::optional<Quadric> q = m.kind().quadric(m);
    if (!q) return;  // the kind leaves its crossings to the graph's search
    MathExp moved = m;
    moved.Translate(1.25, -0.5);
    ASSERT_TRUE(moved.Rebuild()) << Name(GetParam());
    const std::optional<Quadric> movedQ = moved.kind().quadric(moved);
    ASSERT_TRUE(movedQ) << Name(GetParam());
    for (PointF p : PointsOn(m)) {
        const double size = 1 + std::fabs(p.x) + std::fabs(p.y);
        EXPECT_LE(OffQuadric(*q, p), 1e-5 * size) << Name(GetParam()) << " at (" << p.x << ", " << p.y << ")";
        EXPECT_LE(OffQuadric(*movedQ, p + PointF(1.25f, -0.5f)), 1e-5 * size) << Name(GetParam()) << " moved";
    }
}

// Each free control point "dragged" by nothing: the rule must rebuild the
// very curve its points came from.
TEST_P(CurveKindTest, ReshapingByNothingKeepsTheCurve) {
    const KindCase& k = GetParam();
    const CurveKind& kind = KindOf(k.type);
    const std::vector<ControlPoint> start = kind.controlPoints(k.coeffs.data());
    for (size_t i = 0; i < start.size(); ++i) {
        std::vector<double> c = k.coeffs;
        c.resize(5, 0.0);
        std::vector<ControlPoint> points = start;
        ASSERT_TRUE(kind.reshape(c.data(), points, int(i), PointF(0, 0))) << Name(k) << " point " << i;
        for (size_t j = 0; j < k.coeffs.size(); ++j)
            EXPECT_NEAR(c[j], k.coeffs[j], 1e-5 * (1 + std::fabs(k.coeffs[j]))) << Name(k) << " point " << i << " c" << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Registry, CurveKindTest,
    ::testing::Values(KindCase{PT_VERTICAL_LINE, {0, 2.5}}, KindCase{PT_LINE, {-0.5, 2}},
                      KindCase{PT_QUADRATIC, {0.5, -1, -2}}, KindCase{PT_CUBIC, {0.25, 0, -2, 1}},
                      KindCase{PT_QUARTIC, {0.1, 0, -1, 0.5, 1}}, KindCase{PT_SINE, {2, 0.5, 1, -1}},
                      KindCase{PT_COSINE, {1.5, 2, -1, 0.5}}, KindCase{PT_TANGENT, {0.5, 1, 0.25, 1}},
                      KindCase{PT_LOG, {2, 0.5, 0.5, -1}}, KindCase{PT_EXP, {2, 1, -3}},
                      KindCase{PT_ELLIPSE, {3, 2, 1, -1, 0.5}}, KindCase{PT_HYPERBOLA, {1, 2, -1, 0.5, 0}},
                      KindCase{PT_PARABOLA, {0.5, 1, -2, 0.3}}),
    [](const auto& info) {
        std::string name = KindOf(info.param.type).displayName();
        return (info.param.type == PT_VERTICAL_LINE ? "Vertical" : "") + name;
    });

TEST(CurveKindRegistry, EveryStoredTypeHasItsKindAndOtherNumbersAreGeneralCurves) {
    struct Row {
        int type;
        const char* name;
        int degree;
        bool conic, coefficients;
    };
    const Row rows[] = {
        {PT_VERTICAL_LINE, "Line", 0, false, true}, {PT_LINE, "Line", 1, false, true},
        {PT_QUADRATIC, "Quadratic", 2, false, true}, {PT_CUBIC, "Cubic", 3, false, true},
        {PT_QUARTIC, "Quartic", 4, false, true},     {PT_POLYNOMIAL, "", 0, false, false},
        {PT_SINE, "Sine", 0, false, true},           {PT_COSINE, "Cosine", 0, false, true},
        {PT_TANGENT, "Tangent", 0, false, true},     {PT_LOG, "Logarithm", 0, false, true},
        {PT_EXP, "Exponential", 0, false, true},     {PT_ELLIPSE, "Ellipse", 0, true, true},
        {PT_HYPERBOLA, "Hyperbola", 0, true, true},  {PT_PARABOLA, "Parabola", 0, true, true},
        {PT_COMPLEX, "", 0, false, false},           {14, "", 0, false, false},
        {-1, "", 0, false, false},                   {1000000, "", 0, false, false},
    };
    for (const Row& r : rows) {
        const CurveKind& kind = KindOf(r.type);
        EXPECT_STREQ(kind.displayName(), r.name) << r.type;
        EXPECT_EQ(kind.degree(), r.degree) << r.type;
        EXPECT_EQ(kind.isConic(), r.conic) << r.type;
        EXPECT_EQ(kind.hasCoefficients(), r.coefficients) << r.type;
    }
}

}  // namespace
}  // namespace MathEx
