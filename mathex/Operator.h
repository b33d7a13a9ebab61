// SPDX-License-Identifier: MIT
#pragma once
// The arithmetic of one operator node on already evaluated operands. Every
// evaluator (the tree walk, the compiled program, constant folding, analysis)
// goes through this one function, so they agree to the last bit.
#include <cmath>

#include "mathex/Power.h"
#include "mathex/Token.h"

namespace MathEx {

// True for the node types that compute from their operands.
inline bool IsOperator(TokenType t) {
    switch (t) {
        case TT_PLUS: case TT_MINUS: case TT_TIMES: case TT_DIVIDE: case TT_POWER:
        case TT_NEGATE: case TT_SQRT: case TT_LOG: case TT_SIN: case TT_COS:
        case TT_TAN: case TT_ABS: return true;
        default: return false;
    }
}

// a (and b for binary operators) through operator t; only for IsOperator(t).
inline double ApplyOperator(TokenType t, double a, double b) {
    switch (t) {
        case TT_PLUS: return a + b;
        case TT_MINUS: return a - b;
        case TT_TIMES: return a * b;
        case TT_DIVIDE: return a / b;
        case TT_POWER: return Power(a, b);
        case TT_NEGATE: return -a;
        case TT_SQRT: return std::sqrt(a);
        case TT_LOG: return std::log(a);
        case TT_SIN: return std::sin(a);
        case TT_COS: return std::cos(a);
        case TT_TAN: return std::tan(a);
        case TT_ABS: return std::fabs(a);
        default: return 0.0;
    }
}

}  // namespace MathEx
