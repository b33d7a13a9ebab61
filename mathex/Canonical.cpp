// SPDX-License-Identifier: MIT
// Canonical equation text: the text an equation is rewritten to when its
// coefficients change without typing (a drag, a fitted sketch). Whatever is
// written here must parse and analyse back into the same type and
// coefficients, so the vertical line is written as the implicit "x - k = 0", the line
// y = 0 is written out, and the general form of a rotated conic carries ten
// decimals so that a slightly tilted parabola stays a parabola.
#include <charconv>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "mathex/Analysis.h"
#include "mathex/Functions.h"
#include "mathex/MathExp.h"
#include "mathex/Parser.h"

namespace MathEx {

namespace {

// Fixed notation, a given number of decimals, locale-independent.
std::string Fixed(double v, int decimals) {
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "nan";  // cannot happen for the magnitudes that parse
    return std::string(buf, result.ptr);
}

// Shortest text that reads back as exactly v ("8e-67").
std::string Shortest(double v) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, result.ptr);
}

// A coefficient with five decimals; one so small that they would round it
// away (and change the curve's type) keeps all its digits.
std::string Num(double v) {
    if (v != 0 && std::fabs(v) < 1e-3) return Shortest(v);
    return Fixed(v, 5);
}

// Coefficient v of the power literal p after the leading term.
std::string SignedTerm(double v, const char* p, bool quadratic = false) {
    if (v == 0) return "";
    if (v == -1) return std::string(quadratic ? "- " : " - ") + p;
    if (v == 1) return std::string(" + ") + p;
    if (v < 0) return Num(v) + "*" + p;
    return " + " + Num(v) + "*" + p;
}

std::string ConstantTerm(double v) {
    if (v < 0) return Num(v);
    if (v > 0) return " + " + Num(v);
    return "";
}

std::string LeadingTerm(double v, const char* p) {
    if (v == 1) return p;
    if (v == -1) return std::string("-(") + p + ")";
    return Num(v) + "*" + p;
}

std::string Line(double a, double b) {
    std::string s = "y = ";
    if (a == 1) s += "x";
    else if (a == -1) s += "-x";
    else if (a != 0) s += Num(a) + "*x";
    if (b < 0) s += Num(b);
    else if (b > 0) s += (a == 0 ? "" : " + ") + Num(b);
    else if (a == 0) s += "0";  // "y = " alone would not parse
    return s;
}

// y = a·f(b·x + c) + d of the function f.
std::string Periodic(const double* c, const Function& f) {
    std::string s = "y = ";
    if (c[0] == -1) s += "-";
    else if (c[0] != 1) s += Num(c[0]) + "*";
    s += std::string(f.name) + "(";
    if (c[1] == 1) s += "x";
    else if (c[1] == -1) s += "-x";
    else s += Num(c[1]) + "*x";
    return s + ConstantTerm(c[2]) + ")" + ConstantTerm(c[3]);
}

std::string Exponential(const double* c) {
    std::string s = "y = ";
    s += c[0] < 0 ? "(" + Num(c[0]) + ")^" : Num(c[0]) + "^";
    if (c[1] == 0) s += "x";
    else s += "(x" + std::string(c[1] > 0 ? "+" : "") + Num(c[1]) + ")";
    if (c[2] > 0) s += "+" + Num(c[2]);
    else if (c[2] < 0) s += Num(c[2]);
    return s;
}

// sin θ and cos θ, exact for an angle within a billionth (relative) of a
// multiple of π/2 (the literal π of the rules is such an angle): the general
// form then has exact zeros instead of residues that read back as another conic.
void SinCos(double theta, double& s, double& c) {
    const double quarter = std::numbers::pi / 2;
    const double k = std::round(theta / quarter);
    if (std::fabs(theta - k * quarter) <= 1e-9 * std::max(1.0, std::fabs(theta))) {
        static constexpr double kSin[4] = {0, 1, 0, -1}, kCos[4] = {1, 0, -1, 0};
        const int i = int(std::fmod(std::fmod(k, 4.0) + 4.0, 4.0));
        s = kSin[i];
        c = kCos[i];
        return;
    }
    s = std::sin(theta);
    c = std::cos(theta);
}

// "(x - 1.00000)", "(x + 2.00000)" or "x".
std::string Shifted(const char* var, double centre) {
    if (centre > 0) return std::string("(") + var + " - " + Num(centre) + ")";
    if (centre < 0) return std::string("(") + var + " + " + Num(-centre) + ")";
    return var;
}

std::string Square(const char* var, double centre, double denominator) {
    std::string s = Shifted(var, centre) + "^2";
    if (denominator != 1) s += "/" + Num(denominator);
    return s;
}

// A·x² + B·xy + C·y² + D·x + E·y + F = 0, every coefficient written so that it
// reads back exactly: a conic a few millionths of a radian off an axis has
// cross and square terms far smaller than the rest, which fixed decimals
// would round into another curve.
std::string GeneralForm(const double k[6]) {
    static const char* kLiterals[] = {"*x^2", "*x*y", "*y^2", "*x", "*y"};
    std::string s = Shortest(k[0]) + kLiterals[0];
    for (int i = 1; i < 5; ++i) s += (k[i] >= 0 ? "+" : "") + Shortest(k[i]) + kLiterals[i];
    return s + (k[5] >= 0 ? "+" : "") + Shortest(k[5]) + " = 0";
}

std::string Central(const double* c, bool ellipse) {
    const double a2 = c[0] * c[0], b2 = c[1] * c[1], x0 = c[2], y0 = c[3], theta = c[4];
    if (theta == 0)
        return Square("x", x0, a2) + (ellipse ? " + " : " - ") + Square("y", y0, b2) + " - 1 = 0 ";
    if (!ellipse && theta == kHalfPi)  // transverse axis along y: a² belongs under y
        return Square("y", y0, a2) + " - " + Square("x", x0, b2) + " - 1 = 0 ";
    double s, co;
    SinCos(theta, s, co);
    double k[6];
    if (ellipse) {
        k[0] = b2 * co * co + a2 * s * s;
        k[1] = 2 * s * co * (b2 - a2);
        k[2] = b2 * s * s + a2 * co * co;
    } else {
        k[0] = b2 * co * co - a2 * s * s;
        k[1] = 2 * s * co * (b2 + a2);
        k[2] = b2 * s * s - a2 * co * co;
    }
    k[3] = -2 * k[0] * x0 - k[1] * y0;
    k[4] = -2 * k[2] * y0 - k[1] * x0;
    k[5] = k[0] * x0 * x0 + k[1] * x0 * y0 + k[2] * y0 * y0 - a2 * b2;
    return GeneralForm(k);
}

std::string Parabola(const double* c) {
    const double p = c[0], vx = c[1], vy = c[2], theta = c[3];
    const std::string focal = p > 0 ? " - " + Num(4 * p) : " + " + Num(-4 * p);
    if (theta == 0) {
        const std::string tail = vx == 0 ? "*x = 0" : "*" + Shifted("x", vx) + " = 0";
        return Shifted("y", vy) + "^2" + focal + tail;
    }
    if (theta == kHalfPi) {
        const std::string tail = vy == 0 ? "*y = 0" : "*" + Shifted("y", vy) + " = 0";
        return Shifted("x", vx) + "^2" + focal + tail;
    }
    double s, co;
    SinCos(theta, s, co);
    const double b = -2 * s * co;
    const double k[6] = {s * s,
                         b,
                         co * co,
                         -2 * s * s * vx - b * vy - 4 * p * co,
                         -2 * co * co * vy - b * vx - 4 * p * s,
                         s * s * vx * vx + b * vx * vy + co * co * vy * vy + 4 * p * co * vx + 4 * p * s * vy};
    return GeneralForm(k);
}

std::string VerticalLine(double k) {
    if (k > 0) return "x - " + Num(k) + " = 0";
    if (k < 0) return "x + " + Num(-k) + " = 0";
    return "x = 0";
}

}  // namespace

namespace {

std::string CanonicalFor(PrimitiveType type, const double* c) {
    // No text for a curve that is nowhere: never "inf" or "nan" in an equation.
    for (int i = 0; i < 5; ++i)
        if (!IsFinite(c[i])) return "";
    switch (type) {
        case PT_VERTICAL_LINE: return VerticalLine(c[1]);
        case PT_LINE: return Line(c[0], c[1]);
        case PT_QUADRATIC: return "y = " + LeadingTerm(c[0], "x^2") + SignedTerm(c[1], "x", true) + ConstantTerm(c[2]);
        case PT_CUBIC:
            return "y = " + LeadingTerm(c[0], "x^3") + SignedTerm(c[1], "x^2") + SignedTerm(c[2], "x") +
                   ConstantTerm(c[3]);
        case PT_QUARTIC:
            return "y = " + LeadingTerm(c[0], "x^4") + SignedTerm(c[1], "x^3") + SignedTerm(c[2], "x^2") +
                   SignedTerm(c[3], "x") + ConstantTerm(c[4]);
        case PT_SINE:
        case PT_COSINE:
        case PT_TANGENT:
        case PT_LOG: return Periodic(c, *FunctionOfCurve(type));
        case PT_EXP: return Exponential(c);
        case PT_ELLIPSE: return Central(c, true);
        case PT_HYPERBOLA: return Central(c, false);
        case PT_PARABOLA: return Parabola(c);
        default: return "";
    }
}

}  // namespace

std::string MathExp::CanonicalText() const {
    std::string text = CanonicalFor(type, coeffs);
    // Finite coefficients can still overflow on the way to the text (the
    // squares and products of a rotated conic's general form): such a curve
    // has no text either. No other word of the text holds "inf" or "nan".
    if (text.find("inf") != std::string::npos || text.find("nan") != std::string::npos) return "";
    return text;
}

// The canonical text parsed and analysed, when it reads back as this type.
bool MathExp::ParseCanonical(MathExp& rebuilt) const {
    const std::string text = CanonicalText();
    // The text must read back as the same kind of curve; the coefficients
    // stay exactly as they are (the text rounds them).
    return !text.empty() && rebuilt.Parse(text) && rebuilt.type == type;
}

bool MathExp::CanRebuild() const {
    MathExp rebuilt;
    return ParseCanonical(rebuilt);
}

bool MathExp::Rebuild() {
    MathExp rebuilt;
    if (!ParseCanonical(rebuilt)) return false;
    // Take the new tree and its analysis; type, coefficients and label stay.
    root_ = std::move(rebuilt.root_);
    lineMain_ = std::move(rebuilt.lineMain_);
    form = rebuilt.form;
    std::copy(std::begin(rebuilt.conic), std::end(rebuilt.conic), conic);
    SetMain(rebuilt.main_);
    CompilePrograms();
    return true;
}

}  // namespace MathEx
