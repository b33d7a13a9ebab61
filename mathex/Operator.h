// SPDX-License-Identifier: MIT
#pragma once
// The arithmetic of one operator node on already evaluated operands. Every
// evaluator (the tree walk, the compiled program, constant folding, analysis)
// goes through this one function, so they agree to the last bit.
#include "mathex/Functions.h"
#include "mathex/Power.h"
#include "mathex/Token.h"

namespace MathEx {

// True for the node types that compute from their operands.
inline bool IsOperator(TokenType t) {
    switch (t) {
        case TT_PLUS: case TT_MINUS: case TT_TIMES: case TT_DIVIDE: case TT_POWER:
        case TT_NEGATE: return true;
        default: return FunctionOfNode(t) != nullptr;
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
        default: {
            const Function* f = FunctionOfNode(t);
            return f ? f->value.one(a) : 0.0;
        }
    }
}

}  // namespace MathEx
