// SPDX-License-Identifier: MIT
#pragma once
// Compact S-expression of a tree, for asserting tree shapes in tests:
// "(= y (+ (* 2 x) 1))"; a function call is "(f x)", a subscript "(_ x n)".
#include <string>

#include "mathex/ExpNode.h"
#include "mathex/MathExp.h"

namespace MathEx::testing {

// With withNumbers false every number is "#", for comparing shapes only.
inline std::string Dump(const ExpNode* n, bool withNumbers = true) {
    if (!n) return "null";
    std::string head;
    switch (n->Type()) {
        case TT_NUMBER: return withNumbers ? n->token.number.ToString() : "#";
        case TT_IDENT:
            if (n->ChildCount() == 0) return n->Name();
            head = n->Name();
            break;
        case TT_INDEX: head = "_"; break;
        case TT_PAIR: head = ","; break;
        case TT_NEGATE: head = "neg"; break;
        default: head = OperatorText(n->Type());
    }
    std::string s = "(" + head;
    for (int i = 0; i < n->ChildCount(); ++i) s += " " + Dump(n->Child(i), withNumbers);
    return s + ")";
}

inline std::string Dump(const MathExp& m, bool withNumbers = true) { return Dump(m.GetRoot(), withNumbers); }

inline std::string ParseAndDump(const std::string& text) {
    MathExp m;
    return m.Parse(text) ? Dump(m) : "error";
}

}  // namespace MathEx::testing
