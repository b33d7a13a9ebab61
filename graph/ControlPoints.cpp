// SPDX-License-Identifier: MIT
// Control points of each primitive and the reshaping rules that move them.
//
// The line, quadratic, sine, cosine, tangent, log and exponential follow the
// classic rules. For the rest, the rule is ours:
// - Cubic: the dragged point moves (a pinned one does not move at all); the
//   cubic is then fitted exactly through four points: the dragged one, the
//   pinned ones, and as many free ones (in order) as are still needed. Free
//   points that did not take part keep their x and move onto the new curve.
//   A set of points without four distinct abscissas leaves the curve as it was.
// - Ellipse (axis end P1, axis end P2, centre C) and hyperbola (centre C,
//   vertex V, co-vertex point Q): dragging the centre with no axis point pinned
//   moves the whole conic. Otherwise the dragged point moves and the conic is
//   rebuilt from the points: the first axis point gives a and the angle θ
//   (dragging the second axis point of an ellipse turns θ instead, unless the
//   first is pinned), the second gives b, and every free point is put back
//   exactly on the new axes. θ stays within one turn.
// - Parabola (vertex V, point F at parameter 1): dragging V with F free moves
//   the parabola; otherwise the dragged point moves and p and θ follow from
//   F − V = p·(axis + 2·normal), the sign of p being kept.
#include <cmath>

#include "graph/EquationObject.h"
#include "mathex/SmartNumber.h"

using namespace MathEx;


void EquationObject::rebuildControlPoints() {
    controlPoints_.clear();
    if (!expression_) return;
    const double* c = expression_->coeffs;
    auto onCurve = [&](double x) {
        double y1, y2;
        ordinates(x, y1, y2);
        controlPoints_.emplace_back(float(x), float(y1));
    };
    auto add = [&](double x, double y) { controlPoints_.emplace_back(float(x), float(y)); };
    switch (expression_->type) {
        case PT_LINE:
            add(-1, c[1] - c[0]);
            add(1, c[1] + c[0]);
            break;
        case PT_QUADRATIC: {
            const double vx = -c[1] / (2 * c[0]);
            for (double x : {vx - 1, vx, vx + 1}) onCurve(x);
            break;
        }
        case PT_CUBIC: {
            const double j = c[1] * c[1] - 3 * c[0] * c[2];
            monotonic_ = !(j > 0);
            if (!monotonic_) {
                const double r = std::sqrt(j);
                for (double k : {-2.0, -1.0, 1.0, 2.0}) onCurve((-c[1] + k * r) / (3 * c[0]));
            } else {
                const double x0 = -c[1] / (3 * c[0]);
                for (double k : {-2.0, -1.0, 0.0, 1.0, 2.0}) onCurve(x0 + k);
            }
            break;
        }
        case PT_SINE:
            add(std::fabs(kPi / (2 * c[1])) - c[2] / c[1], c[3] + c[0]);
            add(std::fabs(kPi / c[1]) - c[2] / c[1], c[3]);
            break;
        case PT_COSINE:
            add(-c[2] / c[1], c[0] + c[3]);
            add(std::fabs(kPi / (2 * c[1])) - c[2] / c[1], c[3]);
            break;
        case PT_TANGENT:
            add(std::fabs(kPi / (4 * c[1])) - c[2] / c[1], c[3] + c[0]);
            add(std::fabs(kPi / (2 * c[1])) - c[2] / c[1], c[3]);
            break;
        case PT_LOG:
            add((1 - c[2]) / c[1], c[3]);
            add((kE - c[2]) / c[1], c[0] + c[3]);
            break;
        case PT_EXP: add(1 - c[1], c[0] + c[2]); break;
        case PT_ELLIPSE:
            add(c[2] + c[0] * std::cos(c[4]), c[3] + c[0] * std::sin(c[4]));
            add(c[2] - c[1] * std::sin(c[4]), c[3] + c[1] * std::cos(c[4]));
            add(c[2], c[3]);
            break;
        case PT_HYPERBOLA: {
            add(c[2], c[3]);
            const double vx = c[2] + c[0] * std::cos(c[4]), vy = c[3] + c[0] * std::sin(c[4]);
            add(vx, vy);
            add(vx - c[1] * std::sin(c[4]), vy + c[1] * std::cos(c[4]));
            break;
        }
        case PT_PARABOLA:
            add(c[1], c[2]);
            add(c[1] + c[0] * std::cos(c[3]) - 2 * c[0] * std::sin(c[3]),
                c[2] + c[0] * std::sin(c[3]) + 2 * c[0] * std::cos(c[3]));
            break;
        default: break;  // quartics and general curves have none
    }
}
