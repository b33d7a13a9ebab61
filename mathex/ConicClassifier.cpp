// SPDX-License-Identifier: MIT
// Classification of A·x² + B·x·y + C·y² + D·x + E·y + F = 0 into a vertical
// line, ellipse, hyperbola or parabola with its geometric parameters.
//
// The parameters, the canonical text written from them and the plotted curve
// must describe one curve. Hence: a cross term that is only rounding residue
// counts as none; a near-zero discriminant (relative to the coefficients) is a
// parabola; a hyperbola with a vertical transverse axis gets θ = π/2 so that a
// is always the semi-axis along θ; and anything degenerate or non-finite (two
// lines, a point, an empty set) is left as a general curve, drawn as the zero set of F.
#include <cmath>

#include "mathex/Analysis.h"
#include "mathex/MathExp.h"

namespace MathEx {

namespace {

bool AllFinite(const double* v, int n) {
    for (int i = 0; i < n; ++i)
        if (!IsFinite(v[i])) return false;
    return true;
}

// θ of a central conic from the direction of its cross term.
double CentralAngle(double A, double B, double C, double G) {
    double phi = A != C ? std::atan(B / (A - C)) : kHalfPi;
    if (phi < 0) phi += kPi;
    if (G * B < 0) phi += kPi;
    else if (G * B == 0) phi = 0;
    return phi / 2;
}

bool ClassifyCentral(MathExp& m, double A, double B, double C, double D, double E, double F,
                     double delta, bool ellipse) {
    const double x0 = (2 * C * D - B * E) / delta;
    const double y0 = (2 * A * E - B * D) / delta;
    const double G = A * x0 * x0 + B * x0 * y0 + C * y0 * y0 - F;
    double theta = CentralAngle(A, B, C, G);
    double P, Q;
    if (B == 0) {
        if (ellipse) {
            P = theta != 0 ? C : A;
            Q = theta != 0 ? A : C;
        } else if (G / A < 0) {
            // Transverse axis along y: a is measured along θ = π/2.
            theta = kHalfPi;
            P = C;
            Q = -A;
        } else {
            P = theta != 0 ? C : A;
            Q = theta != 0 ? -A : -C;
        }
    } else {
        const double s2 = std::sin(2 * theta);
        P = (s2 * C + s2 * A + B) / (2 * s2);
        Q = ellipse ? (s2 * C + s2 * A - B) / (2 * s2) : (B - s2 * A - s2 * C) / (2 * s2);
    }
    m.coeffs[0] = std::sqrt(G / P);
    m.coeffs[1] = std::sqrt(G / Q);
    m.coeffs[2] = x0;
    m.coeffs[3] = y0;
    m.coeffs[4] = theta;
    m.type = ellipse ? PT_ELLIPSE : PT_HYPERBOLA;
    return AllFinite(m.coeffs, 5) && m.coeffs[0] > 0 && m.coeffs[1] > 0;
}

bool ClassifyParabola(MathExp& m, double A, double B, double C, double D, double E, double F) {
    const double w = A + C;
    double phi;
    if (B != 0) {
        phi = A != C ? std::atan(B / (A - C)) : kHalfPi;
        if (phi < 0) phi += kPi;
        if (B / w > 0) phi += kPi;
    } else {
        phi = (C - A) / w > 0 ? 0 : kPi;
    }
    const double theta = phi / 2;
    const double v = 4 * w * std::cos(theta);
    const double r = 4 * w * std::sin(theta);
    double p, x0, y0;
    if (B == 0 && A != 0) {  // axis vertical
        p = -E / r;
        x0 = -D / (2 * A);
        y0 = (F - A * x0 * x0) / (r * p);
    } else if (B == 0) {  // axis horizontal
        p = -D / v;
        y0 = -E / (2 * C);
        x0 = (F - C * y0 * y0) / (v * p);
    } else {
        p = (2 * A * E - B * D) / (B * v - r * 2 * A);
        x0 = 2 * A * E == B * D ? 0.0 : ((r * p - E) * (D + p * v) + 2 * B * F) / (4 * A * E - 2 * B * D);
        y0 = (-D - p * v - 2 * A * x0) / B;
    }
    m.coeffs[0] = p;
    m.coeffs[1] = x0;
    m.coeffs[2] = y0;
    m.coeffs[3] = theta;
    m.type = PT_PARABOLA;
    return AllFinite(m.coeffs, 4) && p != 0;
}

}  // namespace

void ClassifyConic(MathExp& m) {
    const double A = m.conic[0], C = m.conic[2], D = m.conic[3], E = m.conic[4], F = m.conic[5];
    double B = m.conic[1];
    // Axis-aligned conics written in the general form carry a cross term of
    // about 1e-9 from the sines and cosines of the rounded π.
    if (std::fabs(B) <= 1e-8 * (std::fabs(A) + std::fabs(C))) B = 0;
    if (A == 0 && B == 0 && C == 0 && E == 0) {
        // D·x + F = 0; without an x term there is no line at all.
        m.type = PT_COMPLEX;
        if (D != 0 && IsFinite(-F / D)) {
            m.type = PT_VERTICAL_LINE;
            m.coeffs[0] = 0;
            m.coeffs[1] = -F / D;
        }
        return;
    }
    if (A == 0 && B == 0 && C == 0) {  // D·x + E·y + F = 0 with E ≠ 0: y = −(D/E)·x − F/E
        m.type = PT_LINE;
        m.coeffs[0] = D == 0 ? 0.0 : -D / E;
        m.coeffs[1] = F == 0 ? 0.0 : -F / E;
        return;
    }
    const double delta = B * B - 4 * A * C;
    const double tolerance = 1e-4 * (B * B + 4 * std::fabs(A * C));
    bool sound;
    if (std::fabs(delta) <= tolerance) sound = ClassifyParabola(m, A, B, C, D, E, F);
    else sound = ClassifyCentral(m, A, B, C, D, E, F, delta, delta < 0);
    if (!sound) {
        m.type = PT_COMPLEX;
        for (double& c : m.coeffs) c = 0;
    }
}

}  // namespace MathEx
