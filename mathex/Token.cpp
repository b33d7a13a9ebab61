// SPDX-License-Identifier: MIT
#include "mathex/Token.h"

namespace MathEx {

const char* OperatorText(TokenType type) {
    switch (type) {
        case TT_EQUAL: return "=";
        case TT_PLUS: return "+";
        case TT_MINUS: return "-";
        case TT_NEGATE: return "-";
        case TT_TIMES: return "*";
        case TT_DIVIDE: return "/";
        case TT_POWER: return "^";
        case TT_SQRT: return "sqrt";
        case TT_LOG: return "log";
        case TT_SIN: return "sin";
        case TT_COS: return "cos";
        case TT_TAN: return "tan";
        case TT_ABS: return "abs";
        case TT_INTEGRAL: return "integral";
        case TT_SIGMA: return "sigma";
        case TT_LIMIT: return "limit";
        case TT_INDEX: return "index";
        case TT_NUMBER:
        case TT_IDENT:
        case TT_PAIR: return "";
    }
    return "";
}

}  // namespace MathEx
