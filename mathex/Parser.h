#pragma once
#include <memory>
#include <string_view>

#include "mathex/ExpNode.h"

namespace MathEx {

enum class ParseStatus {
    Ok,
    SyntaxError,  // some token fits no rule
    TooDeep       // nesting needs more than the parser's 10000-entry stack
};

struct ParseResult {
    ParseStatus status = ParseStatus::SyntaxError;
    std::unique_ptr<ExpNode> root;  // set only on success
};

// Parses one equation into an expression tree with the operator precedence,
// loosest first: "=", then "+ -", then "* /", then the prefix functions
// (sin cos tan log sqrt abs, whose argument extends over a following "^"),
// then "^", then unary minus, then the subscript "_". All binary operators
// are left-associative; parentheses leave no node. This is a shift-reduce
// parser with an explicit stack, so no input can exhaust the call stack.
ParseResult ParseExpression(std::string_view text);

// Most entries the parser's state stack may hold.
inline constexpr size_t kMaxParserStack = 10000;

}  // namespace MathEx
