// SPDX-License-Identifier: MIT
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace MathEx {

class ExpNode;
struct Function;

// An expression tree compiled to a postfix program. Running it performs exactly
// the floating-point operations of walking the tree (constant subtrees are
// folded with the same operations at compile time), so results are
// bit-identical to ExpNode::EvaluateAt; only the walking overhead is gone.
class Program {
public:
    enum class Mode {
        OneVariable,   // every name, equation, index or pair node reads x
        TwoVariables   // "x" reads x, other names y, equations/indices/pairs 0
    };

    void Compile(const ExpNode* node, Mode mode);
    // A program that computes left − right of two subtrees (F of F = G).
    void CompileDifference(const ExpNode* left, const ExpNode* right, Mode mode);
    void Clear();
    bool Empty() const { return code_.empty(); }

    double Run(double x, double y = 0.0) const;
    // out[i] = Run(xs[i], y) for i < n, evaluated block-wise.
    void RunMany(const double* xs, double* out, size_t n, double y = 0.0) const;

private:
    enum Op : uint8_t {
        PUSH_CONST, PUSH_X, PUSH_Y,
        ADD, SUB, MUL, DIV, POW,
        ADD_C, SUB_C, MUL_C, DIV_C, POW_C,   // right operand a constant
        POW_N,                               // x^k for a whole k in 2..8, by multiplication
        C_SUB, C_DIV, C_POW,                 // left operand a constant
        NEG,
        CALL,                                // a function of the function table
        NOP                                  // as `then`: nothing more
    };
    // One step, and a constant step (ADD_C … C_DIV, NEG) on its result in the
    // same pass: a block of points goes through memory once for both.
    struct Instr {
        Op op;
        Op then = NOP;
        double k = 0.0;
        double thenK = 0.0;
        const Function* fn = nullptr;  // CALL only
    };

    void Emit(const ExpNode* node, Mode mode);
    void Emit(Op op, double k = 0.0, const Function* fn = nullptr);
    void Fuse();
    void RunBlock(const double* xs, double y, double* out, size_t n, double* rows, const double** at) const;

    std::vector<Instr> code_;
    int depth_ = 0;     // current stack depth while compiling
    int maxDepth_ = 0;  // stack slots the program needs
};

}  // namespace MathEx
