// SPDX-License-Identifier: MIT
#include "sketch/ShapeEquationText.h"

#include <algorithm>
#include <array>

#include "mathex/SmartNumber.h"

namespace {

std::string N(double v) { return MathEx::SmartNumber(v).ToString(); }

// A term after the leading one: nothing for 0, "+" before a positive number.
std::string SignedTerm(double v, const char* power) {
    if (v == 0.0) return {};
    return (v > 0 ? "+" : "") + N(v) + power;
}

std::string LineText(const PointF& start, const PointF& end) {
    const double run = double(end.x) - start.x;
    if (run == 0.0) {
        const double x = start.x;
        if (x > 0) return "x-" + N(x) + "=0";
        if (x < 0) return "x+" + N(-x) + "=0";
        return "x=0";
    }
    const double slope = (double(end.y) - start.y) / run;
    const double intercept = start.y - slope * start.x;
    return "y=" + N(slope) + "*x" + (intercept >= 0 ? "+" : "") + N(intercept);
}

}  // namespace

std::string shapeEquationText(const RecognizedShape& shape) {
    const double* c = shape.coeffs;
    switch (shape.shapeType) {
        case ST_LINE: return LineText(shape.startPoint, shape.endPoint);
        case ST_QUADRATIC: return "y=" + N(c[0]) + "*x^2" + SignedTerm(c[1], "*x") + SignedTerm(c[2], "");
        case ST_CUBIC:
            return "y=" + N(c[0]) + "*x^3" + SignedTerm(c[1], "*x^2") + SignedTerm(c[2], "*x") + SignedTerm(c[3], "");
        default: return {};
    }
}

bool shapeConicExpression(const RecognizedShape& shape, MathEx::MathExp& expression) {
    const double a = shape.coeffs[0], b = shape.coeffs[1];
    const double cx = shape.center.x, cy = shape.center.y, theta = shape.angle;
    // Coefficients as the engine orders them: (a, b, centre x, centre y, θ) and (p, vertex x, vertex y, θ).
    std::array<double, 5> coeffs{a, b, cx, cy, theta};
    switch (shape.shapeType) {
        case ST_ELLIPSE: expression.type = MathEx::PT_ELLIPSE; break;
        case ST_HYPERBOLA: expression.type = MathEx::PT_HYPERBOLA; break;
        case ST_PARABOLA:
            expression.type = MathEx::PT_PARABOLA;
            coeffs = {a, cx, cy, theta, 0.0};
            break;
        default: return false;
    }
    std::copy(coeffs.begin(), coeffs.end(), expression.coeffs);
    expression.form = MathEx::FORM_IMPLICIT;
    return true;
}
