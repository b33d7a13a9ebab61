// SPDX-License-Identifier: MIT
#include "mathex/Scanner.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

#include "mathex/Functions.h"

namespace MathEx {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

struct Keyword {
    std::string_view text;
    int code;
};
// The words besides the function names (which the function table holds). A
// keyword wins over an identifier of equal length, so "e" alone is Euler's
// number while "e'" stays a name.
constexpr Keyword kKeywords[] = {
    {"integral", LEX_INTEGRAL}, {"sigma", LEX_SIGMA}, {"limit", LEX_LIMIT}, {"PI", LEX_PI},
    {"pi", LEX_PI},             {"Pi", LEX_PI},       {"E", LEX_E},         {"e", LEX_E},
};

// Characters outside ASCII that stand for notation (UTF-8 bytes).
struct Replacement {
    std::string_view bytes;
    int code;     // the token returned
    int pending;  // a second token, or 0
};
constexpr Replacement kReplacements[] = {
    {"\xCF\x80", LEX_PI, 0},        // π
    {"\xC2\xB2", '^', LEX_TWO},     // ²
    {"\xC2\xB3", '^', LEX_THREE},   // ³
    {"\xC2\xB7", '*', 0},           // ·
    {"\xC3\x97", '*', 0},           // ×
    {"\xE2\x88\x92", '-', 0},       // − (minus sign)
};

// Correctly rounded decimal conversion in the C locale: a literal too large
// for a double is infinity, one too small the nearest subnormal or zero.
double DecimalValue(std::string_view lexeme) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const std::string copy(lexeme);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}
}  // namespace

int CharacterCount(std::string_view text) {
    int n = 0;
    for (char c : text) n += !IsContinuation(c);
    return n;
}

void Scanner::Advance(size_t bytes) {
    for (size_t i = 0; i < bytes && pos_ < text_.size(); ++i, ++pos_) nextColumn_ += !IsContinuation(text_[pos_]);
}

// Length of an exponent part ([eE][+-]?digits) starting at `at`, or 0.
size_t Scanner::MatchExponent(size_t at) const {
    if (at >= text_.size() || (text_[at] != 'e' && text_[at] != 'E')) return 0;
    size_t j = at + 1;
    if (j < text_.size() && (text_[j] == '+' || text_[j] == '-')) ++j;
    const size_t digitsStart = j;
    while (j < text_.size() && IsDigit(text_[j])) ++j;
    return j > digitsStart ? j - at : 0;
}

// Length of the number starting at `at`, or 0: digits, an optional point with
// optional digits, and an optional exponent that always belongs to the number
// ("10e5", "5.", ".5", "1.5E-3"). A point needs a digit on one side, or an
// exponent after it (".e5").
size_t Scanner::MatchNumber(size_t at) const {
    size_t j = at;
    while (j < text_.size() && IsDigit(text_[j])) ++j;
    const size_t intDigits = j - at;
    size_t fracDigits = 0;
    bool point = false;
    if (j < text_.size() && text_[j] == '.') {
        point = true;
        size_t k = j + 1;
        while (k < text_.size() && IsDigit(text_[k])) ++k;
        fracDigits = k - (j + 1);
        if (intDigits + fracDigits == 0 && MatchExponent(k) == 0) return 0;
        j = k;
    }
    if (intDigits + fracDigits == 0 && !point) return 0;
    return j + MatchExponent(j) - at;
}

int Scanner::ScanNumber() {
    const size_t len = MatchNumber(pos_);
    if (len == 0) return -1;  // a lone '.'
    const std::string_view lexeme = text_.substr(pos_, len);
    Advance(len);
    lexeme_ = lexeme;
    value_ = DecimalValue(lexeme);
    if (lexeme.find_first_not_of("0123456789") != std::string_view::npos) return LEX_FLOAT;
    if (value_ == 0) return LEX_ZERO;
    if (value_ >= 1.0 && value_ <= 4.0) return LEX_ONE + int(value_) - 1;
    return LEX_INTEGER;
}

int Scanner::ScanWord() {
    int keyword = -1;
    size_t keywordLen = 0;
    const auto match = [&](std::string_view text, int code) {
        if (text.size() > keywordLen && text_.substr(pos_, text.size()) == text) {
            keyword = code;
            keywordLen = text.size();
        }
    };
    for (const Function& f : Functions()) match(f.name, f.lex);
    for (const Keyword& k : kKeywords) match(k.text, k.code);
    size_t identLen = 1;
    if (pos_ + 1 < text_.size() && (text_[pos_ + 1] == '\'' || text_[pos_ + 1] == '"')) identLen = 2;
    if (keyword >= 0 && keywordLen >= identLen) {
        lexeme_ = text_.substr(pos_, keywordLen);
        Advance(keywordLen);
        if (keyword == LEX_E) value_ = kE;
        if (keyword == LEX_PI) value_ = kPi;
        return keyword;
    }
    identifier_.assign(text_.substr(pos_, identLen));
    lexeme_ = text_.substr(pos_, identLen);
    Advance(identLen);
    return LEX_IDENT;
}

// Any other character: ASCII as itself, the notation characters as what they
// stand for, anything else as one LEX_UNKNOWN covering the whole character.
int Scanner::ScanOther() {
    const char c = text_[pos_];
    if (!(static_cast<unsigned char>(c) & 0x80)) {
        lexeme_ = text_.substr(pos_, 1);
        Advance(1);
        return static_cast<unsigned char>(c);
    }
    for (const Replacement& r : kReplacements) {
        if (text_.substr(pos_, r.bytes.size()) == r.bytes) {
            lexeme_ = text_.substr(pos_, r.bytes.size());
            Advance(r.bytes.size());
            pending_ = r.pending;
            if (r.code == LEX_PI) value_ = kPi;
            return r.code;
        }
    }
    size_t len = 1;
    while (pos_ + len < text_.size() && IsContinuation(text_[pos_ + len]) && len < 4) ++len;
    lexeme_ = text_.substr(pos_, len);
    Advance(len);
    return LEX_UNKNOWN;
}

int Scanner::Next() {
    if (pending_) {  // the digit of a superscript, at the same column
        const int code = pending_;
        pending_ = 0;
        value_ = code - LEX_ONE + 1;
        return code;
    }
    // A byte-order mark at the start (text pasted from a file an editor wrote
    // with one) is white space, and counts as one column like any character.
    if (pos_ == 0 && text_.substr(0, 3) == "\xEF\xBB\xBF") Advance(3);
    while (pos_ < text_.size() && IsBlank(text_[pos_])) Advance(1);
    column_ = nextColumn_;
    if (pos_ >= text_.size()) {
        lexeme_ = {};
        return LEX_END;
    }
    const char c = text_[pos_];
    if (IsDigit(c) || c == '.') {
        const int code = ScanNumber();
        if (code >= 0) return code;
    } else if (IsLetter(c)) {
        return ScanWord();
    }
    return ScanOther();
}

}  // namespace MathEx
