// SPDX-License-Identifier: MIT
#include "mathex/Functions.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "mathex/ExpNode.h"
#include "mathex/MathExp.h"

namespace MathEx {

namespace {

ExpNode* Unary(TokenType type, ExpNode* argument) {
    auto* node = new ExpNode(type, 1);
    node->SetChild(0, argument);
    return node;
}

// exp u is Euler's number to the power u: the tree has no exp node.
ExpNode* PowerOfE(ExpNode* argument) {
    Token e;
    e.type = TT_NUMBER;
    e.number.value = kE;
    auto* node = new ExpNode(TT_POWER, 2);
    node->SetChild(0, new ExpNode(e));
    node->SetChild(1, argument);
    return node;
}

using Shape = FunctionShape;

// The slopes are written as the forward differentiation always computed them
// (cos(u)·du, not du·cos(u)), so that derivatives keep their bits.
constexpr Function kFunctions[] = {
    {.name = "sin", .lex = LEX_SIN, .node = TT_SIN,
     .value = ValueOf<[](double u) { return std::sin(u); }>(),
     .slope = [](double u, double du) { return std::cos(u) * du; },
     .latex = "\\sin", .shape = Shape::Word, .curve = PT_SINE},
    {.name = "cos", .lex = LEX_COS, .node = TT_COS,
     .value = ValueOf<[](double u) { return std::cos(u); }>(),
     .slope = [](double u, double du) { return -std::sin(u) * du; },
     .latex = "\\cos", .shape = Shape::Word, .curve = PT_COSINE},
    {.name = "tan", .lex = LEX_TAN, .node = TT_TAN,
     .value = ValueOf<[](double u) { return std::tan(u); }>(),
     .slope = [](double u, double du) { return (std::tan(u) * std::tan(u) + 1) * du; },
     .latex = "\\tan", .shape = Shape::Word, .curve = PT_TANGENT},
    {.name = "log", .lex = LEX_LOG, .node = TT_LOG,  // the natural logarithm
     .value = ValueOf<[](double u) { return std::log(u); }>(),
     .slope = [](double u, double du) { return du / u; },
     .latex = "\\log", .shape = Shape::Word, .curve = PT_LOG},
    {.name = "sqrt", .lex = LEX_SQRT, .node = TT_SQRT,
     .value = ValueOf<[](double u) { return std::sqrt(u); }>(),
     .slope = [](double u, double du) { return 0.5 * du / std::sqrt(u); },
     .latex = "\\sqrt", .shape = Shape::Radical},
    {.name = "abs", .lex = LEX_ABS, .node = TT_ABS,  // also typed as |u|
     .value = ValueOf<[](double u) { return std::fabs(u); }>(),
     .slope = [](double u, double du) { return u > 0 ? du : -du; },
     .latex = "\\abs", .shape = Shape::Bars},
    {.name = "ln", .lex = LEX_LN, .node = TT_LOG},
    {.name = "exp", .lex = LEX_EXP, .node = TT_POWER, .build = PowerOfE},
};

// Node kind to its function: the first row of the kind with a value of its own.
constexpr size_t kNodeKinds = [] {
    size_t n = 0;
    for (const Function& f : kFunctions) n = std::max(n, size_t(f.node) + 1);
    return n;
}();
constexpr auto kByNode = [] {
    std::array<const Function*, kNodeKinds> t{};
    for (const Function& f : kFunctions)
        if (f.value.one && !f.build && !t[f.node]) t[f.node] = &f;
    return t;
}();

}  // namespace

ExpNode* Function::Make(ExpNode* argument) const { return build ? build(argument) : Unary(node, argument); }

std::span<const Function> Functions() { return kFunctions; }

const Function* FunctionOfLex(int lex) {
    for (const Function& f : kFunctions)
        if (f.lex == lex) return &f;
    return nullptr;
}

const Function* FunctionOfNode(TokenType node) {
    return node >= 0 && size_t(node) < kNodeKinds ? kByNode[node] : nullptr;
}

const Function* FunctionOfCurve(int curve) {
    if (curve < 0) return nullptr;
    for (const Function& f : kFunctions)
        if (f.curve == curve) return &f;
    return nullptr;
}

}  // namespace MathEx
