// SPDX-License-Identifier: MIT
#include "mathex/kinds/CanonicalTerms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace MathEx::Canonical {

namespace {

// Fixed notation, a given number of decimals, locale-independent.
std::string Fixed(double v, int decimals) {
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "nan";  // cannot happen for the magnitudes that parse
    return std::string(buf, result.ptr);
}

}  // namespace

std::string Shortest(double v) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, result.ptr);
}

std::string Num(double v) {
    if (v != 0 && std::fabs(v) < 1e-3) return Shortest(v);
    return Fixed(v, 5);
}

std::string SignedTerm(double v, const char* p, bool quadratic) {
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

std::string GeneralForm(const double k[6]) {
    static const char* kLiterals[] = {"*x^2", "*x*y", "*y^2", "*x", "*y"};
    std::string s = Shortest(k[0]) + kLiterals[0];
    for (int i = 1; i < 5; ++i) s += (k[i] >= 0 ? "+" : "") + Shortest(k[i]) + kLiterals[i];
    return s + (k[5] >= 0 ? "+" : "") + Shortest(k[5]) + " = 0";
}

}  // namespace MathEx::Canonical
