// SPDX-License-Identifier: MIT
#include "io/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view SkipSpaceAndPlus(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    // from_chars takes no '+' sign; atof does (but not "+-").
    if (text.size() >= 2 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    return text;
}

// Pads fixed notation to two decimals so that files keep their look.
std::string WithTwoDecimals(std::string s) {
    const size_t dot = s.find('.');
    if (dot == std::string::npos) return s + ".00";
    if (s.size() - dot - 1 < 2) s.append(2 - (s.size() - dot - 1), '0');
    return s;
}

template <typename T>
std::string Format(T v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    char buffer[512];
    const T magnitude = std::fabs(v);
    const bool fixed = magnitude == 0 || (magnitude >= T(1e-5) && magnitude < T(1e21));
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v,
                                      fixed ? std::chars_format::fixed : std::chars_format::scientific);
    std::string s(buffer, result.ptr);
    return fixed ? WithTwoDecimals(std::move(s)) : s;
}

template <typename T>
bool ReadLeading(std::string_view text, T& value) {
    text = SkipSpaceAndPlus(text);
    T parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec == std::errc::invalid_argument) {
        value = 0;  // no number at all: what atof gives
        return true;
    }
    if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

std::string FormatReal(double v) { return Format(v); }
std::string FormatFloat(float v) { return Format(v); }

bool ReadLeadingReal(std::string_view text, double& value) { return ReadLeading(text, value); }
bool ReadLeadingFloat(std::string_view text, float& value) { return ReadLeading(text, value); }

int ReadLeadingInteger(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
        if (v > 1LL + INT_MAX) v = 1LL + INT_MAX;  // saturate; the digits may go on for ever
    }
    if (negative) v = -v;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return int(v);
}
