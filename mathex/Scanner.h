// SPDX-License-Identifier: MIT
#pragma once
#include <string>
#include <string_view>

#include "mathex/Token.h"

namespace MathEx {

// Splits one equation text into lexical tokens (longest match; on a tie the
// earlier rule wins). Every character becomes some token: rejecting text is
// the parser's business. The scanner does not own the text.
//
// Besides the ASCII notation it reads the characters teachers paste: π is PI,
// ² and ³ are "^2" and "^3", · and × are "*", and the minus sign U+2212 is "-".
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // Next token code: a LexToken, or the character (0..127) of any other ASCII character.
    int Next();

    // Numeric value of the last number token (LEX_INTEGER … LEX_FLOAT).
    double Value() const { return value_; }
    // Lexeme of the last LEX_IDENT.
    const std::string& Identifier() const { return identifier_; }
    // Text of the last token as written (one character for ² and the like).
    std::string_view Lexeme() const { return lexeme_; }
    // Column of the last token's first character, counting characters from 1.
    int Column() const { return column_; }

private:
    size_t MatchExponent(size_t at) const;
    size_t MatchNumber(size_t at) const;
    int ScanNumber();
    int ScanWord();
    int ScanOther();
    void Advance(size_t bytes);

    std::string_view text_;
    size_t pos_ = 0;
    int nextColumn_ = 1;  // column of text_[pos_]
    int column_ = 1;
    double value_ = 0.0;
    int pending_ = 0;     // second token of "²" / "³", returned next
    std::string identifier_;
    std::string_view lexeme_;
};

// Characters (not bytes) in UTF-8 text.
int CharacterCount(std::string_view text);

}  // namespace MathEx
