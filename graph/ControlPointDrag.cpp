// SPDX-License-Identifier: MIT
// Reshaping by dragging a control point; the rules are described at the top
// of ControlPoints.cpp.
#include <algorithm>
#include <cmath>

#include "graph/EquationObject.h"
#include "mathex/CubicThrough.h"
#include "mathex/SmartNumber.h"

using namespace MathEx;

namespace {

struct Vec {
    double x, y;
};
Vec Sub(PointF a, PointF b) { return {double(a.x) - b.x, double(a.y) - b.y}; }
double Length(Vec v) { return std::hypot(v.x, v.y); }

}  // namespace

void EquationObject::dragControlPoint(int i, double dx, double dy) {
    if (!expression_ || i < 0 || i >= int(controlPoints_.size())) return;
    std::vector<ControlPoint>& p = controlPoints_;
    double* c = expression_->coeffs;
    const std::vector<ControlPoint> before = p;
    const PointF d{float(dx), float(dy)};
    bool ok = true;
    switch (expression_->type) {
        case PT_LINE:
            p[i] = ControlPoint(p[i].x + d.x, p[i].y + d.y, p[i].pinned);
            c[0] = (double(p[1].y) - p[0].y) / (double(p[1].x) - p[0].x);
            c[1] = p[0].y - p[0].x * c[0];
            break;
        case PT_QUADRATIC: ok = dragQuadratic(i, d); break;
        case PT_SINE:
        case PT_COSINE:
        case PT_TANGENT: dragPeriodic(i, d); break;
        case PT_LOG:
            if (i == 1) {
                p[1].y += d.y;
                c[0] = p[1].y - c[3];
            } else {
                p[0].x += d.x;
                c[1] = (1 - c[2]) / p[0].x;
                p[1].x = float((kE - c[2]) / c[1]);
            }
            break;
        case PT_EXP:
            p[0].y += d.y;
            c[0] = p[0].y - c[2];
            break;
        case PT_CUBIC: ok = dragCubic(i, d); break;
        case PT_ELLIPSE:
        case PT_HYPERBOLA: ok = dragCentral(i, d); break;
        case PT_PARABOLA: ok = dragParabola(i, d); break;
        default: return;
    }
    if (!ok || !std::all_of(c, c + 5, [](double v) { return std::isfinite(v); })) {
        // A shape the points cannot describe: keep the curve as it was.
        controlPoints_ = before;
        return;
    }
    afterReshape();
}

bool EquationObject::dragQuadratic(int i, PointF d) {
    std::vector<ControlPoint>& p = controlPoints_;
    ControlPoint &L = p[0], &V = p[1], &R = p[2];
    if (p[i].pinned) return true;
    if (i == 1) {
        if (L.pinned == R.pinned) {
            V.y += d.y;
        } else {
            V.x += d.x;
            V.y += d.y;
            if (L.pinned) R.x = 2 * V.x - L.x;
            else L.x = 2 * V.x - R.x;
        }
    } else {
        ControlPoint& moved = i == 2 ? R : L;
        ControlPoint& other = i == 2 ? L : R;
        if (other.pinned && V.pinned) return true;
        if (other.pinned) {
            moved.x += d.x;
            V.x = (L.x + R.x) / 2;
        } else {
            moved.x += d.x;
            moved.y += d.y;
            other.x -= d.x;
            other.y += d.y;
        }
    }
    double* c = expression_->coeffs;
    const double h = V.x, k = V.y, x0 = L.x, y0 = L.y;
    c[0] = (y0 - k) / ((x0 - h) * (x0 - h));
    c[1] = -2 * c[0] * h;
    c[2] = k + c[0] * h * h;
    return true;
}

void EquationObject::dragPeriodic(int i, PointF d) {
    std::vector<ControlPoint>& p = controlPoints_;
    double* c = expression_->coeffs;
    if (i == 0) {
        p[0].y += d.y;
        c[0] = p[0].y - c[3];
        return;
    }
    p[1].x += d.x;
    const double x0 = -c[2] / c[1];
    switch (expression_->type) {
        case PT_SINE:
            p[1].x = float(std::max<double>(p[1].x, x0 + 0.2));
            p[0].x = float((p[1].x + x0) / 2);
            c[0] = p[0].y - c[3];
            c[1] = kPi / (2 * (double(p[1].x) - p[0].x));
            c[2] = (double(p[1].x) - 2.0 * p[0].x) * c[1];
            break;
        case PT_COSINE:
            p[1].x = std::max(p[1].x, p[0].x + 0.1f);
            c[0] = p[0].y - c[3];
            c[1] = kPi / (2 * (double(p[1].x) - p[0].x));
            c[2] = -p[0].x * c[1];
            break;
        default:  // tangent
            p[1].x = float(std::max<double>(p[1].x, x0 + 0.1));
            p[0].x = float((p[1].x + x0) / 2);
            c[0] = p[0].y - c[3];
            c[1] = kPi / (4 * (p[0].x - x0));
            c[2] = -x0 * c[1];
    }
}

bool EquationObject::dragCubic(int i, PointF d) {
    std::vector<ControlPoint>& p = controlPoints_;
    if (p[i].pinned) return true;
    p[i].x += d.x;
    p[i].y += d.y;
    std::vector<PointF> through{p[i]};
    std::vector<bool> used(p.size(), false);
    used[i] = true;
    for (size_t k = 0; k < p.size() && through.size() < 4; ++k)
        if (p[k].pinned && !used[k]) through.push_back(p[k]), used[k] = true;
    for (size_t k = 0; k < p.size() && through.size() < 4; ++k)
        if (!used[k]) through.push_back(p[k]), used[k] = true;
    if (through.size() < 4) return false;
    double xs[4], ys[4], fit[4];
    for (int k = 0; k < 4; ++k) xs[k] = through[size_t(k)].x, ys[k] = through[size_t(k)].y;
    if (!CubicThrough(xs, ys, fit)) return false;
    std::copy(fit, fit + 4, expression_->coeffs);
    for (size_t k = 0; k < p.size(); ++k)
        if (!used[k]) p[k].y = float(((fit[0] * p[k].x + fit[1]) * p[k].x + fit[2]) * p[k].x + fit[3]);
    return true;
}

bool EquationObject::dragCentral(int i, PointF d) {
    std::vector<ControlPoint>& p = controlPoints_;
    double* c = expression_->coeffs;
    const bool ellipse = expression_->type == PT_ELLIPSE;
    // Roles: the centre, the point on the first axis, the point that gives b.
    const int centre = ellipse ? 2 : 0, axis = ellipse ? 0 : 1, second = ellipse ? 1 : 2;
    if (p[i].pinned) return true;
    if (i == centre && !p[axis].pinned && !p[second].pinned) {
        for (ControlPoint& q : p) q = ControlPoint(q.x + d.x, q.y + d.y, q.pinned);
        c[2] += d.x;
        c[3] += d.y;
        return true;
    }
    p[i].x += d.x;
    p[i].y += d.y;
    const PointF C = p[centre];
    double theta = c[4];
    if (ellipse && i == second && !p[axis].pinned) {
        const Vec s = Sub(p[second], C);
        theta = std::atan2(s.y, s.x) - kHalfPi;  // the second axis turns the ellipse
        c[1] = Length(s);
    } else {
        const Vec a = Sub(p[axis], C);
        c[0] = Length(a);
        theta = std::atan2(a.y, a.x);
        const Vec n{-std::sin(theta), std::cos(theta)};
        const Vec s = Sub(p[second], ellipse ? C : p[axis]);
        c[1] = std::fabs(s.x * n.x + s.y * n.y);
    }
    c[2] = C.x;
    c[3] = C.y;
    c[4] = MathEx::WrapAngle(theta);
    if (!(c[0] > 0 && c[1] > 0)) return false;
    const double cs = std::cos(c[4]), sn = std::sin(c[4]);
    const PointF axisEnd(float(c[2] + c[0] * cs), float(c[3] + c[0] * sn));
    if (!p[axis].pinned) p[axis] = ControlPoint(axisEnd.x, axisEnd.y, false);
    const PointF base = ellipse ? C : axisEnd;
    if (!p[second].pinned) p[second] = ControlPoint(float(base.x - c[1] * sn), float(base.y + c[1] * cs), false);
    return true;
}

bool EquationObject::dragParabola(int i, PointF d) {
    std::vector<ControlPoint>& p = controlPoints_;
    double* c = expression_->coeffs;
    if (p[i].pinned) return true;
    if (i == 0 && !p[1].pinned) {
        for (ControlPoint& q : p) q = ControlPoint(q.x + d.x, q.y + d.y, q.pinned);
        c[1] += d.x;
        c[2] += d.y;
        return true;
    }
    p[i].x += d.x;
    p[i].y += d.y;
    // F − V = p·(u + 2w) with u the axis and w its normal: |F − V| = |p|·√5 and
    // the direction lies atan(2) beyond the axis (half a turn more when p < 0).
    const Vec fv = Sub(p[1], p[0]);
    const double sign = c[0] < 0 ? -1.0 : 1.0;
    c[0] = sign * Length(fv) / std::sqrt(5.0);
    c[1] = p[0].x;
    c[2] = p[0].y;
    c[3] = MathEx::WrapAngle(std::atan2(fv.y, fv.x) - std::atan2(2.0, 1.0) - (sign < 0 ? kPi : 0.0));
    return c[0] != 0;
}

// The coefficients changed: attribute points keep their x and move onto the
// new curve (the ordinate nearer their old one), the text is rebuilt from the
// coefficients, and the curve is sampled again.
void EquationObject::afterReshape() {
    for (AttribPoint& ap : attribPoints_) {
        double y1, y2;
        ordinates(ap.position.x, y1, y2);
        const double y = std::fabs(y2 - ap.position.y) < std::fabs(y1 - ap.position.y) ? y2 : y1;
        if (std::isfinite(y)) ap.setPosition(ap.position.x, float(y));
    }
    expression_->Rebuild();
    resample();
}
