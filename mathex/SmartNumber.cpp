// SPDX-License-Identifier: MIT
#include "mathex/SmartNumber.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <charconv>

namespace MathEx {

namespace {
std::atomic<int> g_precision{2};
constexpr int kMaxPrecision = 17;  // beyond this a double only prints noise
constexpr size_t kMaxText = 127;

bool IsIntegral(double v) {
    if (!(v >= double(INT32_MIN) && v <= double(INT32_MAX))) return false;  // NaN fails too
    return double(int32_t(v)) == v;
}

// Removes trailing zeros of the digits that follow a decimal point, keeping one.
void TrimZeros(std::string& digits) {
    const auto point = digits.find('.');
    if (point == std::string::npos) return;
    size_t end = digits.size();
    while (end > point + 2 && digits[end - 1] == '0') --end;
    digits.erase(end);
}

// Locale-independent: the text must scan back the same under any C locale.
std::string Format(std::chars_format format, int precision, double v) {
    char buf[512];
    const auto result = std::to_chars(buf, buf + sizeof buf, v, format, precision);
    return std::string(buf, result.ptr);
}
}  // namespace

int DisplayPrecision() { return g_precision.load(std::memory_order_relaxed); }

void SetDisplayPrecision(int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxPrecision) decimals = kMaxPrecision;
    g_precision.store(decimals, std::memory_order_relaxed);
}

std::string SmartNumber::ToString() const {
    if (IsIntegral(value)) return std::to_string(int32_t(value));
    if (value == kPi) return "PI";
    if (value == kE) return "e";
    // An overflowing literal (such as 1e999) is +inf; write it so it scans back as one.
    if (std::isinf(value)) return value > 0 ? "1e999" : "-1e999";
    // Not a number has no text: "nan" would read back as the product n·a·n.
    if (std::isnan(value)) return "";
    const int precision = DisplayPrecision();
    std::string text = Format(std::chars_format::fixed, precision, value);
    if (text.size() <= kMaxText) {
        TrimZeros(text);
        return text;
    }
    // Magnitudes beyond ~1e120 would need more than 127 characters in fixed
    // notation: fall back to an exponent form the scanner reads as one number.
    text = Format(std::chars_format::scientific, precision, value);
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    TrimZeros(mantissa);
    return mantissa + text.substr(e);
}

}  // namespace MathEx
