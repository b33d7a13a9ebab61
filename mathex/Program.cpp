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
    code_.push_back(Instr{op, NOP, k, 0.0, fn});
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
            Emit(which == 4 && SmallWholeExponent(k) ? POW_N : kRight[which], k);
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

// A constant step right after the step that made its operand (in postfix code,
// always the one before) becomes that step's `then`. Pushes keep theirs apart
// (x is read in place, not copied), and so do calls, whose loop is the table's.
void Program::Fuse() {
    std::vector<Instr> fused;
    fused.reserve(code_.size());
    for (const Instr& in : code_) {
        const bool constantStep = in.op == ADD_C || in.op == SUB_C || in.op == MUL_C || in.op == DIV_C ||
                                  in.op == C_SUB || in.op == C_DIV || in.op == NEG;
        if (constantStep && !fused.empty()) {
            Instr& before = fused.back();
            const bool push = before.op == PUSH_CONST || before.op == PUSH_X || before.op == PUSH_Y;
            if (!push && before.op != CALL && before.then == NOP) {
                before.then = in.op;
                before.thenK = in.k;
                continue;
            }
        }
        fused.push_back(in);
    }
    code_ = std::move(fused);
}

void Program::Compile(const ExpNode* node, Mode mode) {
    Clear();
    if (node) Emit(node, mode);
    Fuse();
}

void Program::CompileDifference(const ExpNode* left, const ExpNode* right, Mode mode) {
    Clear();
    Emit(left, mode);
    Emit(right, mode);
    Emit(SUB);
    Fuse();
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
            case POW_N: s[top] = WholePower(s[top], int(in.k)); break;
            case C_SUB: s[top] = in.k - s[top]; break;
            case C_DIV: s[top] = in.k / s[top]; break;
            case C_POW: s[top] = Power(in.k, s[top]); break;
            case NEG: s[top] = -s[top]; break;
            case CALL: s[top] = in.fn->value.one(s[top]); break;
            case NOP: break;
        }
        switch (in.then) {
            case ADD_C: s[top] = s[top] + in.thenK; break;
            case SUB_C: s[top] = s[top] - in.thenK; break;
            case MUL_C: s[top] = s[top] * in.thenK; break;
            case DIV_C: s[top] = s[top] / in.thenK; break;
            case C_SUB: s[top] = in.thenK - s[top]; break;
            case C_DIV: s[top] = in.thenK / s[top]; break;
            case NEG: s[top] = -s[top]; break;
            default: break;  // NOP
        }
    }
    return top >= 0 ? s[top] : 0.0;
}

namespace {
constexpr size_t kBlock = 128;
// Programs this deep (nearly all) run on rows on the call stack.
constexpr size_t kSmallDepth = 8;
}  // namespace

// Runs the program over one block of up to kBlock points. Entry i of the stack
// has its values where at[i] points: its row of `rows` (kBlock values a row),
// or xs itself while it is x unchanged, so x is never copied. Each instruction
// is one tight loop from its operands' places into its own row, its `then`
// step included; the last one writes straight into out.
void Program::RunBlock(const double* xs, double y, double* out, size_t n, double* rows, const double** at) const {
    int top = -1;
    auto row = [rows](int i) { return rows + size_t(i) * kBlock; };
    const Instr* last = code_.empty() ? nullptr : &code_.back();
    for (const Instr& in : code_) {
        const double k = in.k;
        if (in.op == PUSH_X) {
            at[++top] = xs;
            continue;
        }
        if (in.op == PUSH_CONST || in.op == PUSH_Y) {
            double* r = row(++top);
            std::fill(r, r + n, in.op == PUSH_Y ? y : k);
            at[top] = r;
            continue;
        }
        const bool binary = in.op == ADD || in.op == SUB || in.op == MUL || in.op == DIV || in.op == POW;
        const double* b = binary ? at[top--] : nullptr;
        const double* a = at[top];
        double* r = &in == last && top == 0 ? out : row(top);
        // r[i] = then(step(i)), one loop for each kind of `then`.
        const double t = in.thenK;
        const auto loop = [&](auto step) {
            switch (in.then) {
                case ADD_C: for (size_t i = 0; i < n; ++i) r[i] = step(i) + t; break;
                case SUB_C: for (size_t i = 0; i < n; ++i) r[i] = step(i) - t; break;
                case MUL_C: for (size_t i = 0; i < n; ++i) r[i] = step(i) * t; break;
                case DIV_C: for (size_t i = 0; i < n; ++i) r[i] = step(i) / t; break;
                case C_SUB: for (size_t i = 0; i < n; ++i) r[i] = t - step(i); break;
                case C_DIV: for (size_t i = 0; i < n; ++i) r[i] = t / step(i); break;
                case NEG: for (size_t i = 0; i < n; ++i) r[i] = -step(i); break;
                default: for (size_t i = 0; i < n; ++i) r[i] = step(i); break;  // NOP
            }
        };
        switch (in.op) {
            case ADD: loop([a, b](size_t i) { return a[i] + b[i]; }); break;
            case SUB: loop([a, b](size_t i) { return a[i] - b[i]; }); break;
            case MUL: loop([a, b](size_t i) { return a[i] * b[i]; }); break;
            case DIV: loop([a, b](size_t i) { return a[i] / b[i]; }); break;
            case POW: loop([a, b](size_t i) { return Power(a[i], b[i]); }); break;
            case ADD_C: loop([a, k](size_t i) { return a[i] + k; }); break;
            case SUB_C: loop([a, k](size_t i) { return a[i] - k; }); break;
            case MUL_C: loop([a, k](size_t i) { return a[i] * k; }); break;
            case DIV_C: loop([a, k](size_t i) { return a[i] / k; }); break;
            case POW_C: loop([a, k](size_t i) { return std::pow(a[i], k); }); break;  // k is no small whole number
            case POW_N:
                switch (int(k)) {
                    case 2: loop([a](size_t i) { return WholePower<2>(a[i]); }); break;
                    case 3: loop([a](size_t i) { return WholePower<3>(a[i]); }); break;
                    case 4: loop([a](size_t i) { return WholePower<4>(a[i]); }); break;
                    case 5: loop([a](size_t i) { return WholePower<5>(a[i]); }); break;
                    case 6: loop([a](size_t i) { return WholePower<6>(a[i]); }); break;
                    case 7: loop([a](size_t i) { return WholePower<7>(a[i]); }); break;
                    default: loop([a](size_t i) { return WholePower<8>(a[i]); }); break;
                }
                break;
            case C_SUB: loop([a, k](size_t i) { return k - a[i]; }); break;
            case C_DIV: loop([a, k](size_t i) { return k / a[i]; }); break;
            case C_POW: loop([a, k](size_t i) { return Power(k, a[i]); }); break;
            case NEG: loop([a](size_t i) { return -a[i]; }); break;
            case CALL: in.fn->value.many(a, r, n); break;  // never with a `then`
            case PUSH_CONST: case PUSH_X: case PUSH_Y: case NOP: break;
        }
        at[top] = r;
    }
    if (top < 0) std::fill(out, out + n, 0.0);
    else if (at[top] != out) std::copy(at[top], at[top] + n, out);
}

void Program::RunMany(const double* xs, double* out, size_t n, double y) const {
    const size_t depth = size_t(std::max(maxDepth_, 1));
    double smallRows[kSmallDepth * kBlock];
    const double* smallAt[kSmallDepth];
    std::vector<double> largeRows;
    std::vector<const double*> largeAt;
    double* rows = smallRows;
    const double** at = smallAt;
    if (depth > kSmallDepth) {
        largeRows.resize(depth * kBlock);
        largeAt.resize(depth);
        rows = largeRows.data();
        at = largeAt.data();
    }
    for (size_t start = 0; start < n; start += kBlock) {
        const size_t count = std::min(kBlock, n - start);
        RunBlock(xs + start, y, out + start, count, rows, at);
    }
}

}  // namespace MathEx
