// SPDX-License-Identifier: MIT
#pragma once
// The prefix functions of the equation language (sin, cos, tan, log, ln, sqrt,
// abs, exp), one row each: the name the scanner reads, the node the parser
// makes, the value and slope every evaluator computes, the text the writers
// give, how the layout sets it and the curve family it stands for. Everything
// that treats functions reads this table, so a function is added in one place
// (with its scanner code and node kind in Token.h).
//
// The grammar is the same for every row: "sin(u)" takes just that group, "sin u"
// runs over powers and implicit products and stops before an explicit operator
// or another function (see ParseExpression).
#include <cstddef>
#include <span>

#include "mathex/Token.h"

namespace MathEx {

class ExpNode;

// How the box layout sets a function's node, and how the tree painter draws it.
enum class FunctionShape {
    Word,     // the name in front of the argument, a sum in parentheses: sin x
    Radical,  // a radical sign over the argument
    Bars      // a bar either side of the argument
};

// The value of a function, one argument at a time and over a row of arguments;
// both run the very same code, so they agree to the last bit.
struct FunctionValue {
    double (*one)(double u) = nullptr;
    void (*many)(const double* u, double* out, size_t n) = nullptr;  // u == out is allowed
};

template <auto F>
void EachValue(const double* u, double* out, size_t n) {
    for (size_t i = 0; i < n; ++i) out[i] = F(u[i]);
}

// Both forms of the value from one captureless lambda.
template <auto F>
constexpr FunctionValue ValueOf() {
    return {F, &EachValue<F>};
}

struct Function {
    const char* name;  // as typed; plain text and the painted tree write it too
    int lex;           // the scanner's code for the name
    TokenType node;    // the node the parser makes of the name and its argument
    // What the parser makes instead, for a name that is shorthand for another
    // expression (exp u is e^u); null for the node above.
    ExpNode* (*build)(ExpNode* argument) = nullptr;
    // The rest is empty for a row that only spells another row's node (ln is
    // log): the first row of a node with a value is that node's function.
    FunctionValue value = {};
    double (*slope)(double u, double du) = nullptr;  // the slope of f(u), from u and u's slope
    const char* latex = nullptr;                     // the LaTeX command: \sin{u}
    FunctionShape shape = FunctionShape::Word;
    int curve = -1;  // the PrimitiveType of y = a·f(b·x + c) + d, or -1 for none

    // The parser's node for this name applied to `argument` (owned by the result).
    ExpNode* Make(ExpNode* argument) const;
};

// Every row, in the order the scanner and the lookups below read them.
std::span<const Function> Functions();

// The row of a scanner code, or null when the code names no function.
const Function* FunctionOfLex(int lex);
// The function that a node computes (its row with a value), or null for
// nodes that are no function (operators, numbers, names, …).
const Function* FunctionOfNode(TokenType node);
// The function of the curve family a·f(b·x + c) + d, or null.
const Function* FunctionOfCurve(int curve);

}  // namespace MathEx
