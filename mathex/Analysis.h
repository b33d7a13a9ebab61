// SPDX-License-Identifier: MIT
#pragma once
// Classification of parsed equations: polynomial, trigonometric, logarithmic
// and exponential right-hand sides, and conics written as F(x, y) = 0.
#include <cstdint>

#include "mathex/ExpNode.h"

namespace MathEx {

class MathExp;

// Coefficients of a polynomial in x, ascending. Only the first five are kept:
// beyond degree 4 an equation is a general polynomial and they are not needed.
struct Polynomial {
    bool ok = false;
    int64_t degree = 0;  // saturates instead of overflowing
    double c[5] = {0, 0, 0, 0, 0};
};

// a·f(b·x + c) + d for f in sin, cos, tan, log.
struct TrigMatch {
    bool ok = false;
    int type = 0;  // PrimitiveType
    double a = 0, b = 0, c = 0, d = 0;
};

// B^(x + h) + k.
struct ExpMatch {
    bool ok = false;
    double base = 0, h = 0, k = 0;
};

// What one bottom-up pass learns about every subtree.
struct SubtreeFacts {
    bool constant = false;  // no name and no integral, sigma or limit
    bool xOnly = false;     // every name is x
    bool xyOnly = false;    // every name is x or y
    double value0 = 0.0;    // one-variable value at x = 0
    Polynomial poly;
    TrigMatch trig;
    ExpMatch exp;
    bool conicOk = false;
    double conic[6] = {0, 0, 0, 0, 0, 0};  // by monomial: 1, y, x, y², xy, x²
};

SubtreeFacts AnalyzeSubtree(const ExpNode* node);

// A … F of the conic from the monomial vector (zeros when extraction failed).
void StoreConic(const SubtreeFacts& facts, double conic[6]);

// Sets type and coefficients from the conic coefficients A…F of m.
void ClassifyConic(MathExp& m);

}  // namespace MathEx
