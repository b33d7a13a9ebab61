// SPDX-License-Identifier: MIT
#pragma once
#include <cstdint>
#include <string>

#include "mathex/SmartNumber.h"

namespace MathEx {

// Codes the scanner returns. Codes below 256 are the plain character itself.
enum LexToken : int {
    LEX_PI = 258,
    LEX_E = 259,
    LEX_IDENT = 260,
    LEX_INTEGER = 261,
    LEX_ZERO = 262,
    LEX_ONE = 263,
    LEX_TWO = 264,
    LEX_THREE = 265,
    LEX_FOUR = 266,
    LEX_FLOAT = 267,
    LEX_END = 268,
    LEX_SIN = 269,
    LEX_COS = 270,
    LEX_TAN = 271,
    LEX_SQRT = 272,
    LEX_LOG = 273,
    LEX_ABS = 274,
    LEX_INTEGRAL = 275,
    LEX_SIGMA = 276,
    LEX_LIMIT = 277,
    LEX_NEG = 278,  // never returned: names the precedence of unary minus
    LEX_LN = 279,
    LEX_EXP = 280,
    LEX_UNKNOWN = 281  // a character outside ASCII that no rule reads (the lexeme says which)
};

// Kind of an expression-tree node.
enum TokenType : int32_t {
    TT_EQUAL = 0,
    TT_PLUS = 1,
    TT_MINUS = 2,
    TT_NEGATE = 3,
    TT_TIMES = 4,
    TT_DIVIDE = 5,
    TT_POWER = 6,
    TT_SQRT = 7,
    TT_LOG = 8,
    TT_SIN = 9,
    TT_COS = 10,
    TT_TAN = 11,
    TT_ABS = 12,
    TT_INTEGRAL = 13,
    TT_SIGMA = 14,
    TT_LIMIT = 15,
    TT_INDEX = 16,
    TT_NUMBER = 17,
    TT_IDENT = 18,
    TT_PAIR = 19
};

// Operator text of a node type ("=", "+", "sqrt", …; empty for numbers, names and pairs).
const char* OperatorText(TokenType type);

// Content of a node: its kind, its number (TT_NUMBER) and its name (TT_IDENT).
struct Token {
    TokenType type = TT_NUMBER;
    SmartNumber number;
    std::string name;
};

}  // namespace MathEx
