#include "graph/EquationObject.h"

#include <cmath>

#include "mathex/Roots.h"

using namespace MathEx;

EquationObject::EquationObject() = default;

EquationObject::~EquationObject() = default;

bool EquationObject::setEquation(const std::string& text) {
    auto parsed = std::make_unique<MathExp>();
    if (!parsed->Parse(text)) return false;
    expression = std::move(parsed);
    rebuildControlPoints();
    pieces.clear();
    if (isTextOnly()) displayText = true;
    else resample();
    return true;
}

std::string EquationObject::text() const { return expression ? expression->ToText(TEXT_PLAIN) : std::string(); }

void EquationObject::setPlotBox(float left, float right, float top, float bottom) {
    plotBox = RectF(top, bottom, left, right);
}

bool EquationObject::isTextOnly() const {
    return !expression || expression->form == FORM_CONSTANT || expression->form == FORM_NONE ||
           expression->form == FORM_SYNTAX_ERROR;
}

RectF EquationObject::labelBox() const {
    if (displayTextType == 0 && expression) return expression->labelBox;
    if (displayTextType == 1) return displayExpression.labelBox;
    return RectF();
}

void EquationObject::ordinates(double x, double& y1, double& y2) const {
    y1 = y2 = std::nan("");
    if (!expression) return;
    const double* c = expression->coeffs;
    switch (expression->type) {
        case PT_LINE:
        case PT_QUADRATIC:
        case PT_CUBIC:
        case PT_QUARTIC: {
            const int degree = expression->type == PT_LINE ? 1 : int(expression->type);
            double y = 0;
            for (int i = 0; i <= degree; ++i) y = y * x + c[i];  // Horner, highest power first
            y1 = y2 = y;
            return;
        }
        case PT_ELLIPSE:
        case PT_HYPERBOLA: {
            const double q = (x - c[2]) * (x - c[2]) / (c[0] * c[0]);
            const double s = std::sqrt(expression->type == PT_ELLIPSE ? 1 - q : q - 1);
            y1 = c[3] + s * c[1];
            y2 = c[3] - s * c[1];
            return;
        }
        case PT_PARABOLA: {
            const double s = std::sqrt((x - c[1]) * 4 * c[0]);
            y1 = c[2] + s;
            y2 = c[2] - s;
            return;
        }
        default:
            if (expression->Main()) y1 = expression->Evaluate(x);
            y2 = 0;
    }
}

PointF EquationObject::valueAt(double x) const {
    double y1, y2;
    ordinates(x, y1, y2);
    return PointF(float(y1), float(y2));
}

bool EquationObject::passesNear(PointF p, double scale) const {
    if (isTextOnly()) return false;
    const double d = scale * 0.1;
    const bool explicitForm = expression->form == FORM_EXPLICIT;
    auto G = [&](double x, double y) { return expression->Value(x, y) - (explicitForm ? y : 0.0); };
    const double g[4] = {G(p.x, p.y + d), G(p.x, p.y - d), G(p.x - d, p.y), G(p.x + d, p.y)};
    int finite = 0, positive = 0, negative = 0;
    for (double v : g) {
        if (!std::isfinite(v)) continue;
        ++finite;
        positive += v > 0;
        negative += v < 0;
    }
    if (finite == 0) return false;
    if (finite == 4 && (positive == 4 || negative == 4)) return false;
    return true;
}

namespace {
// The point of a conic nearest in kind to a click, worked in the conic's own
// frame (u along its axis θ, v across it).
PointF NearOnConic(const MathExp& e, PointF p) {
    const double* c = e.coeffs;
    const bool parabola = e.type == PT_PARABOLA;
    const double theta = parabola ? c[3] : c[4];
    const double cx = parabola ? c[1] : c[2], cy = parabola ? c[2] : c[3];
    const double cs = std::cos(theta), sn = std::sin(theta);
    const double px = p.x - cx, py = p.y - cy;
    double u = cs * px + sn * py;
    const double v0 = -sn * px + cs * py;
    const double side = v0 < 0 ? -1.0 : 1.0;
    double v;
    if (e.type == PT_ELLIPSE) {
        u = std::fmax(-c[0], std::fmin(c[0], u));
        v = side * c[1] * std::sqrt(std::fmax(0.0, 1 - u * u / (c[0] * c[0])));
    } else if (e.type == PT_HYPERBOLA) {
        if (std::fabs(u) < c[0]) u = u < 0 ? -c[0] : c[0];
        v = side * c[1] * std::sqrt(std::fmax(0.0, u * u / (c[0] * c[0]) - 1));
    } else {
        if (u * c[0] < 0) u = 0;
        v = side * std::sqrt(std::fmax(0.0, 4 * c[0] * u));
    }
    return PointF(float(cx + cs * u - sn * v), float(cy + sn * u + cs * v));
}
}  // namespace

PointF EquationObject::pointNear(PointF p) const {
    if (!expression) return p;
    if (expression->form == FORM_EXPLICIT && expression->Main())
        return PointF(p.x, float(expression->Value(p.x, 0)));
    switch (expression->type) {
        case PT_ELLIPSE:
        case PT_HYPERBOLA:
        case PT_PARABOLA: return NearOnConic(*expression, p);
        case PT_VERTICAL_LINE: return PointF(float(expression->coeffs[1]), p.y);
        default: return p;
    }
}

int EquationObject::controlPointNear(PointF p, double scale) const {
    for (size_t i = 0; i < controlPoints.size(); ++i)
        if ((controlPoints[i] - p).length() < scale * 0.2) return int(i);
    return -1;
}

bool EquationObject::labelContains(PointF p) const {
    const RectF box = labelBox();
    return box.left < p.x && p.x < box.right && box.bottom < p.y && p.y < box.top;
}

void EquationObject::moveLabel(float dx, float dy) {
    labelPosition = labelPosition + PointF(dx, dy);
    if (isTextOnly()) setPlotBox(plotBox.left + dx, plotBox.right + dx, plotBox.top + dy, plotBox.bottom + dy);
}

void EquationObject::translate(double dx, double dy) {
    if (!expression) return;
    expression->Translate(dx, dy);
    expression->Rebuild();
    resample();
    const PointF d{float(dx), float(dy)};
    for (ControlPoint& cp : controlPoints) static_cast<PointF&>(cp) = cp + d;
    for (AttribPoint& ap : attribute_points) ap.setPosition(ap.x + d.x, ap.y + d.y);
}

std::vector<double> EquationObject::coefficients() const {
    if (!expression) return {};
    switch (expression->type) {
        case PT_LINE: return {expression->coeffs[0], expression->coeffs[1]};
        case PT_QUADRATIC:
        case PT_CUBIC:
        case PT_QUARTIC: return std::vector<double>(expression->coeffs, expression->coeffs + int(expression->type) + 1);
        default: return {};
    }
}
