// SPDX-License-Identifier: MIT
#include "mathex/Token.h"

#include "mathex/Functions.h"

namespace MathEx {

const char* OperatorText(TokenType type) {
    if (const Function* f = FunctionOfNode(type)) return f->name;
    switch (type) {
        case TT_EQUAL: return "=";
        case TT_PLUS: return "+";
        case TT_MINUS: return "-";
        case TT_NEGATE: return "-";
        case TT_TIMES: return "*";
        case TT_DIVIDE: return "/";
        case TT_POWER: return "^";
        case TT_INTEGRAL: return "integral";
        case TT_SIGMA: return "sigma";
        case TT_LIMIT: return "limit";
        case TT_INDEX: return "index";
        default: return "";  // numbers, names and pairs
    }
}

}  // namespace MathEx
