#pragma once
#include <string>
#include <string_view>

#include "mathex/Token.h"

namespace MathEx {

// Splits one equation text into lexical tokens (longest match; on a tie the
// earlier rule wins). Every byte becomes some token: rejecting text is the
// parser's business. The scanner does not own the text.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // Next token code: a LexToken, or the byte value (0..255) of any other character.
    int Next();

    // Numeric value of the last number token (LEX_INTEGER … LEX_FLOAT).
    double Value() const { return value_; }
    // Lexeme of the last LEX_IDENT.
    const std::string& Identifier() const { return identifier_; }

private:
    size_t MatchExponent(size_t at) const;
    size_t MatchFloat(size_t at) const;
    int ScanNumber();
    int ScanWord();

    std::string_view text_;
    size_t pos_ = 0;
    double value_ = 0.0;
    std::string identifier_;
};

}  // namespace MathEx
