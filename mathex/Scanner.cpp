#include "mathex/Scanner.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace MathEx {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct Keyword {
    std::string_view text;
    int code;
};
// In rule order: on equal length the earlier entry wins over an identifier.
constexpr Keyword kKeywords[] = {
    {"sin", LEX_SIN},           {"cos", LEX_COS},     {"tan", LEX_TAN},     {"log", LEX_LOG},
    {"sqrt", LEX_SQRT},         {"abs", LEX_ABS},     {"integral", LEX_INTEGRAL},
    {"sigma", LEX_SIGMA},       {"limit", LEX_LIMIT}, {"PI", LEX_PI},       {"E", LEX_E},
};

// Decimal digits to a 32-bit integer; an overflowing literal saturates.
double IntegerValue(std::string_view digits) {
    int64_t v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v > INT32_MAX) return double(INT32_MAX);
    }
    return double(v);
}
}  // namespace

// Length of an exponent part ([eE][+-]?digits) starting at `at`, or 0.
size_t Scanner::MatchExponent(size_t at) const {
    if (at >= text_.size() || (text_[at] != 'e' && text_[at] != 'E')) return 0;
    size_t j = at + 1;
    if (j < text_.size() && (text_[j] == '+' || text_[j] == '-')) ++j;
    const size_t digitsStart = j;
    while (j < text_.size() && IsDigit(text_[j])) ++j;
    return j > digitsStart ? j - at : 0;
}

// Length of the longest floating literal starting at `at`, or 0. Three forms:
// digits.digits[exp], [digits].[digits]exp, and nonzero-digits exp.
size_t Scanner::MatchFloat(size_t at) const {
    size_t best = 0;
    size_t j = at;
    while (j < text_.size() && IsDigit(text_[j])) ++j;
    const size_t intDigits = j - at;
    if (j < text_.size() && text_[j] == '.') {
        size_t k = j + 1;
        while (k < text_.size() && IsDigit(text_[k])) ++k;
        const size_t fracDigits = k - (j + 1);
        const size_t exp = MatchExponent(k);
        if (intDigits > 0 && fracDigits > 0) best = k + exp - at;  // form 1
        if (exp > 0) best = std::max(best, k + exp - at);          // form 2
    }
    size_t n = at;
    while (n < text_.size() && text_[n] >= '1' && text_[n] <= '9') ++n;
    if (n > at) {
        const size_t exp = MatchExponent(n);
        if (exp > 0) best = std::max(best, n + exp - at);  // form 3
    }
    return best;
}

int Scanner::ScanNumber() {
    const size_t floatLen = MatchFloat(pos_);
    size_t intLen = 0;
    if (text_[pos_] == '0') {
        intLen = 1;
    } else if (IsDigit(text_[pos_])) {
        while (pos_ + intLen < text_.size() && IsDigit(text_[pos_ + intLen])) ++intLen;
    }
    if (floatLen > intLen) {
        const char* first = text_.data() + pos_;
        double v = 0.0;
        const auto result = std::from_chars(first, first + floatLen, v);
        // Out of range: overflow is +inf and underflow 0, as a decimal conversion gives.
        if (result.ec == std::errc::result_out_of_range) {
            const auto e = text_.substr(pos_, floatLen).find_first_of("eE");
            const bool negativeExponent =
                e != std::string_view::npos && pos_ + e + 1 < text_.size() && text_[pos_ + e + 1] == '-';
            v = negativeExponent ? 0.0 : HUGE_VAL;
        }
        value_ = v;
        pos_ += floatLen;
        return LEX_FLOAT;
    }
    if (intLen == 0) return -1;  // a lone '.' or similar: not a number here
    const std::string_view digits = text_.substr(pos_, intLen);
    pos_ += intLen;
    value_ = IntegerValue(digits);
    if (digits == "0") return LEX_ZERO;
    if (value_ >= 1.0 && value_ <= 4.0) return LEX_ONE + int(value_) - 1;
    return LEX_INTEGER;
}

int Scanner::ScanWord() {
    int keyword = -1;
    size_t keywordLen = 0;
    for (const Keyword& k : kKeywords) {
        if (k.text.size() > keywordLen && text_.substr(pos_, k.text.size()) == k.text) {
            keyword = k.code;
            keywordLen = k.text.size();
        }
    }
    size_t identLen = 1;
    if (pos_ + 1 < text_.size() && (text_[pos_ + 1] == '\'' || text_[pos_ + 1] == '"')) identLen = 2;
    if (keyword >= 0 && keywordLen >= identLen) {
        pos_ += keywordLen;
        return keyword;
    }
    identifier_.assign(text_.substr(pos_, identLen));
    pos_ += identLen;
    return LEX_IDENT;
}

int Scanner::Next() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return LEX_END;
    const char c = text_[pos_];
    if (IsDigit(c) || c == '.') {
        const int code = ScanNumber();
        if (code >= 0) return code;
    } else if (IsLetter(c)) {
        return ScanWord();
    }
    ++pos_;
    return static_cast<unsigned char>(c);
}

}  // namespace MathEx
