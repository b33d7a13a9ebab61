// SPDX-License-Identifier: MIT
#include "mathex/Program.h"

#include <algorithm>
#include <cmath>

#include "mathex/Operator.h"

#include "mathex/ExpNode.h"

namespace MathEx {

void Program::Clear() {
    code_.clear();
    depth_ = maxDepth_ = 0;
}

void Program::Emit(Op op, double k, const Function* fn) {
    code_.push_back(Instr{op, k, fn});
    switch (op) {
        case PUSH_CONST: case PUSH_X: case PUSH_Y: ++depth_; break;
        case ADD: case SUB: case MUL: case DIV: case POW: --depth_; break;
        default: break;  // unary, or binary with a built-in constant
    }
    maxDepth_ = std::max(maxDepth_, depth_);
}

// Post-order emission with an explicit stack. An operator whose operands all
// came out as single constants is folded into one constant; a binary operator
// with one constant operand takes it as a built-in operand.
void Program::Emit(const ExpNode* root, Mode mode) {
    struct Frame {
        const ExpNode* node;
        int next;
        size_t starts[2];  // where each operand's code begins
    };
    const auto isConstAt = [this](size_t start) {
        return code_.size() == start + 1 && code_[start].op == PUSH_CONST;
    };
    std::vector<Frame> stack{{root, 0, {0, 0}}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        const ExpNode* n = f.node;
        const TokenType t = n->Type();
        if (!IsOperator(t)) {
            stack.pop_back();
            if (t == TT_NUMBER) Emit(PUSH_CONST, n->NumberValue());
            else if (mode == Mode::OneVariable) Emit(PUSH_X);
            else if (t == TT_IDENT) Emit(n->Name() == "x" ? PUSH_X : PUSH_Y);
            else if (t == TT_INTEGRAL || t == TT_SIGMA || t == TT_LIMIT) Emit(PUSH_Y);
            else Emit(PUSH_CONST, 0.0);  // equations, indices and pairs
            continue;
        }
        const int arity = n->ChildCount() == 2 ? 2 : 1;
        if (f.next < arity) {
            f.starts[f.next] = code_.size();
            const ExpNode* child = n->Child(f.next++);
            stack.push_back({child, 0, {0, 0}});
            continue;
        }
        const size_t leftStart = f.starts[0], rightStart = f.starts[1];
        stack.pop_back();
        if (arity == 1) {
            if (isConstAt(leftStart)) {
                code_.back().k = ApplyOperator(t, code_.back().k, 0.0);
                continue;
            }
            if (t == TT_NEGATE) Emit(NEG);
            else Emit(CALL, 0.0, FunctionOfNode(t));
            continue;
        }
        const bool leftConst = rightStart == leftStart + 1 && code_[leftStart].op == PUSH_CONST;
        const bool rightConst = isConstAt(rightStart);
        const int which = t == TT_PLUS ? 0 : t == TT_MINUS ? 1 : t == TT_TIMES ? 2 : t == TT_DIVIDE ? 3 : 4;
        if (leftConst && rightConst) {
            const double value = ApplyOperator(t, code_[leftStart].k, code_[rightStart].k);
            code_.pop_back();
            code_.back().k = value;
            --depth_;
        } else if (rightConst) {
            static constexpr Op kRight[] = {ADD_C, SUB_C, MUL_C, DIV_C, POW_C};
            const double k = code_.back().k;
            code_.pop_back();
            --depth_;
            Emit(kRight[which], k);
        } else if (leftConst) {
            // K op r: addition and multiplication commute exactly in IEEE arithmetic.
            static constexpr Op kLeft[] = {ADD_C, C_SUB, MUL_C, C_DIV, C_POW};
            const double k = code_[leftStart].k;
            code_.erase(code_.begin() + leftStart);
            --depth_;
            Emit(kLeft[which], k);
        } else {
            static constexpr Op kPlain[] = {ADD, SUB, MUL, DIV, POW};
            Emit(kPlain[which]);
        }
    }
}

void Program::Compile(const ExpNode* node, Mode mode) {
    Clear();
    if (node) Emit(node, mode);
}

void Program::CompileDifference(const ExpNode* left, const ExpNode* right, Mode mode) {
    Clear();
    Emit(left, mode);
    Emit(right, mode);
    Emit(SUB);
}

double Program::Run(double x, double y) const {
    double small[32];
    std::vector<double> large;
    double* s = small;
    if (maxDepth_ > 32) {
        large.resize(maxDepth_);
        s = large.data();
    }
    int top = -1;
    for (const Instr& in : code_) {
        switch (in.op) {
            case PUSH_CONST: s[++top] = in.k; break;
            case PUSH_X: s[++top] = x; break;
            case PUSH_Y: s[++top] = y; break;
            case ADD: --top; s[top] = s[top] + s[top + 1]; break;
            case SUB: --top; s[top] = s[top] - s[top + 1]; break;
            case MUL: --top; s[top] = s[top] * s[top + 1]; break;
            case DIV: --top; s[top] = s[top] / s[top + 1]; break;
            case POW: --top; s[top] = Power(s[top], s[top + 1]); break;
            case ADD_C: s[top] = s[top] + in.k; break;
            case SUB_C: s[top] = s[top] - in.k; break;
            case MUL_C: s[top] = s[top] * in.k; break;
            case DIV_C: s[top] = s[top] / in.k; break;
            case POW_C: s[top] = Power(s[top], in.k); break;
            case C_SUB: s[top] = in.k - s[top]; break;
            case C_DIV: s[top] = in.k / s[top]; break;
            case C_POW: s[top] = Power(in.k, s[top]); break;
            case NEG: s[top] = -s[top]; break;
            case CALL: s[top] = in.fn->value.one(s[top]); break;
        }
    }
    return top >= 0 ? s[top] : 0.0;
}

namespace {
constexpr size_t kBlock = 128;
}

// Runs the program over one block of up to kBlock points; stack holds
// maxDepth_ rows of kBlock values. Each instruction is a tight loop.
void Program::RunBlock(const double* xs, double y, double* out, size_t n, double* stack) const {
    int top = -1;
    auto row = [stack](int i) { return stack + size_t(i) * kBlock; };
    for (const Instr& in : code_) {
        double* a = top >= 0 ? row(top) : nullptr;
        const double k = in.k;
        switch (in.op) {
            case PUSH_CONST: a = row(++top); std::fill(a, a + n, k); break;
            case PUSH_X: a = row(++top); std::copy(xs, xs + n, a); break;
            case PUSH_Y: a = row(++top); std::fill(a, a + n, y); break;
            case ADD: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] + b[i]; break; }
            case SUB: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] - b[i]; break; }
            case MUL: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] * b[i]; break; }
            case DIV: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] / b[i]; break; }
            case POW: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = Power(a[i], b[i]); break; }
            case ADD_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] + k; break;
            case SUB_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] - k; break;
            case MUL_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] * k; break;
            case DIV_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] / k; break;
            case POW_C: {
                const int whole = SmallWholeExponent(k);
                if (whole == 0) {
                    for (size_t i = 0; i < n; ++i) a[i] = std::pow(a[i], k);
                    break;
                }
                // Fast candidates first, without branches; then pow for the few
                // that sit too close to a rounding boundary.
                bool exact[kBlock];
                double r[kBlock];
                for (size_t i = 0; i < n; ++i) exact[i] = TryWholePower(a[i], whole, r[i]);
                for (size_t i = 0; i < n; ++i) a[i] = exact[i] ? r[i] : std::pow(a[i], k);
                break;
            }
            case C_SUB: for (size_t i = 0; i < n; ++i) a[i] = k - a[i]; break;
            case C_DIV: for (size_t i = 0; i < n; ++i) a[i] = k / a[i]; break;
            case C_POW: for (size_t i = 0; i < n; ++i) a[i] = Power(k, a[i]); break;
            case NEG: for (size_t i = 0; i < n; ++i) a[i] = -a[i]; break;
            case CALL: in.fn->value.many(a, a, n); break;
        }
    }
    if (top >= 0) std::copy(row(top), row(top) + n, out);
    else std::fill(out, out + n, 0.0);
}

void Program::RunMany(const double* xs, double* out, size_t n, double y) const {
    std::vector<double> stack(size_t(std::max(maxDepth_, 1)) * kBlock);
    for (size_t start = 0; start < n; start += kBlock) {
        const size_t count = std::min(kBlock, n - start);
        RunBlock(xs + start, y, out + start, count, stack.data());
    }
}

}  // namespace MathEx
