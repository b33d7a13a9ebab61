// SPDX-License-Identifier: MIT
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "core/Translatable.h"

#include "mathex/ExpNode.h"

namespace MathEx {

enum class ParseStatus {
    Ok,
    SyntaxError,  // some token cannot continue the equation
    TooDeep,      // nesting needs more than the parser's 10000-entry stack
    TooLong       // the text is longer than kMaxEquationLength characters
};

// Why a text did not parse: the kind, the column of the first token that
// cannot continue the equation (or one past the end), counting characters
// from 1, and a short message for the user.
struct ParseError {
    ParseStatus status = ParseStatus::Ok;
    int position = 0;
    std::string message;  // the English of `reason`
    Sentence reason;      // for the window, which says it in the user's language
};

struct ParseResult {
    ParseStatus status = ParseStatus::SyntaxError;
    std::unique_ptr<ExpNode> root;  // set only on success
    ParseError error;               // status Ok on success
};

// Parses one equation into an expression tree. Precedence, loosest first:
// "=", then "+ -", then "* /" and implicit products ("2x", "(x-1)(x+2)"),
// then unary minus, then "^" (left-associative), then the subscript "_".
// A prefix function (sin cos tan log ln sqrt abs exp) followed by "(" takes
// just that group; without one its argument runs over "^" and implicit
// products, stopping before an explicit operator or another function.
// "|u|" is abs(u). Parentheses leave no node. This is a shift-reduce parser
// with an explicit stack, so no input can exhaust the call stack.
ParseResult ParseExpression(std::string_view text);

// Most entries the parser's state stack may hold.
inline constexpr size_t kMaxParserStack = 10000;
// Longest equation text accepted, in characters.
inline constexpr size_t kMaxEquationLength = 100000;

}  // namespace MathEx
