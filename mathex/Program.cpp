#include "mathex/Program.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "mathex/ExpNode.h"

namespace MathEx {

namespace {

// Whether a node reads a variable (as a leaf) in the given mode, or an operator.
bool IsOperator(TokenType t) {
    switch (t) {
        case TT_PLUS: case TT_MINUS: case TT_TIMES: case TT_DIVIDE: case TT_POWER:
        case TT_NEGATE: case TT_SQRT: case TT_LOG: case TT_SIN: case TT_COS:
        case TT_TAN: case TT_ABS: return true;
        default: return false;
    }
}

// The nodes whose subtree value depends on neither x nor y in this mode, in
// one pass (asking per node would make compiling quadratic in the depth).
std::unordered_set<const ExpNode*> ConstantNodes(const ExpNode* root, Program::Mode mode) {
    std::unordered_set<const ExpNode*> constants;
    FoldTree<char>(root, [mode, &constants](const ExpNode& n, const char* c, int count) -> char {
        bool constant = false;
        if (n.Type() == TT_NUMBER) {
            constant = true;
        } else if (!IsOperator(n.Type())) {
            // In two-variable mode equations, indices and pairs are the constant 0.
            constant = mode == Program::Mode::TwoVariables &&
                       (n.Type() == TT_EQUAL || n.Type() == TT_INDEX || n.Type() == TT_PAIR);
        } else {
            constant = std::all_of(c, c + count, [](char b) { return b != 0; });
        }
        if (constant) constants.insert(&n);
        return constant;
    });
    return constants;
}

double ConstantValue(const ExpNode* node, Program::Mode mode) {
    return mode == Program::Mode::OneVariable ? node->EvaluateAt(0.0) : node->EvaluateAt(0.0, 0.0);
}

}  // namespace

void Program::Clear() {
    code_.clear();
    depth_ = maxDepth_ = 0;
}

void Program::Emit(Op op, double k) {
    code_.push_back(Instr{op, k});
    switch (op) {
        case PUSH_CONST: case PUSH_X: case PUSH_Y: ++depth_; break;
        case ADD: case SUB: case MUL: case DIV: case POW: --depth_; break;
        default: break;  // unary, or binary with a built-in constant
    }
    maxDepth_ = std::max(maxDepth_, depth_);
}

// Post-order emission with an explicit stack; constant subtrees become one
// PUSH_CONST, and a constant operand of a binary operator is folded into it.
void Program::Emit(const ExpNode* root, Mode mode) {
    struct Frame {
        const ExpNode* node;
        int stage;
    };
    const auto constants = ConstantNodes(root, mode);
    auto IsConstantIn = [&constants](const ExpNode* node, Mode) { return constants.count(node) > 0; };
    std::vector<Frame> stack{{root, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        const ExpNode* n = f.node;
        const TokenType t = n->Type();
        if (f.stage == 0 && IsConstantIn(n, mode)) {
            stack.pop_back();
            Emit(PUSH_CONST, ConstantValue(n, mode));
            continue;
        }
        if (!IsOperator(t)) {
            stack.pop_back();
            const bool readsY = mode == Mode::TwoVariables &&
                                (t == TT_INTEGRAL || t == TT_SIGMA || t == TT_LIMIT ||
                                 (t == TT_IDENT && n->Name() != "x"));
            Emit(readsY ? PUSH_Y : PUSH_X);
            continue;
        }
        const bool binary = n->ChildCount() == 2;
        const ExpNode* left = n->Child(0);
        const ExpNode* right = binary ? n->Child(1) : nullptr;
        const bool leftConst = binary && left->Type() == TT_NUMBER;
        const bool rightConst = binary && !leftConst && IsConstantIn(right, mode);
        if (f.stage == 0) {
            f.stage = 1;
            if (leftConst) stack.push_back({right, 0});
            else stack.push_back({left, 0});
            continue;
        }
        if (f.stage == 1 && binary && !leftConst && !rightConst) {
            f.stage = 2;
            stack.push_back({right, 0});
            continue;
        }
        stack.pop_back();
        if (!binary) {
            static constexpr Op kUnary[] = {NEG, SQRT, LOG, SIN, COS, TAN, ABS};
            const int index = t == TT_NEGATE ? 0 : t - TT_SQRT + 1;
            Emit(kUnary[index]);
            continue;
        }
        const int which = t == TT_PLUS ? 0 : t == TT_MINUS ? 1 : t == TT_TIMES ? 2 : t == TT_DIVIDE ? 3 : 4;
        if (leftConst) {
            // K op r: addition and multiplication commute exactly in IEEE arithmetic.
            static constexpr Op kLeft[] = {ADD_C, C_SUB, MUL_C, C_DIV, C_POW};
            Emit(kLeft[which], left->NumberValue());
        } else if (rightConst) {
            static constexpr Op kRight[] = {ADD_C, SUB_C, MUL_C, DIV_C, POW_C};
            Emit(kRight[which], ConstantValue(right, mode));
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
            case POW: --top; s[top] = std::pow(s[top], s[top + 1]); break;
            case ADD_C: s[top] = s[top] + in.k; break;
            case SUB_C: s[top] = s[top] - in.k; break;
            case MUL_C: s[top] = s[top] * in.k; break;
            case DIV_C: s[top] = s[top] / in.k; break;
            case POW_C: s[top] = std::pow(s[top], in.k); break;
            case C_SUB: s[top] = in.k - s[top]; break;
            case C_DIV: s[top] = in.k / s[top]; break;
            case C_POW: s[top] = std::pow(in.k, s[top]); break;
            case NEG: s[top] = -s[top]; break;
            case SQRT: s[top] = std::sqrt(s[top]); break;
            case LOG: s[top] = std::log(s[top]); break;
            case SIN: s[top] = std::sin(s[top]); break;
            case COS: s[top] = std::cos(s[top]); break;
            case TAN: s[top] = std::tan(s[top]); break;
            case ABS: s[top] = std::fabs(s[top]); break;
        }
    }
    return top >= 0 ? s[top] : 0.0;
}

namespace {
constexpr size_t kBlock = 128;
}

// Runs the program over one block of up to kBlock points; stack holds
// maxDepth_ rows of kBlock values. Each instruction is a tight loop.
void Program::RunBlock(const double* xs, double* out, size_t n, double* stack) const {
    int top = -1;
    auto row = [stack](int i) { return stack + size_t(i) * kBlock; };
    for (const Instr& in : code_) {
        double* a = top >= 0 ? row(top) : nullptr;
        const double k = in.k;
        switch (in.op) {
            case PUSH_CONST: a = row(++top); std::fill(a, a + n, k); break;
            case PUSH_X: a = row(++top); std::copy(xs, xs + n, a); break;
            case PUSH_Y: a = row(++top); std::fill(a, a + n, 0.0); break;
            case ADD: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] + b[i]; break; }
            case SUB: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] - b[i]; break; }
            case MUL: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] * b[i]; break; }
            case DIV: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = a[i] / b[i]; break; }
            case POW: { const double* b = a; a = row(--top); for (size_t i = 0; i < n; ++i) a[i] = std::pow(a[i], b[i]); break; }
            case ADD_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] + k; break;
            case SUB_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] - k; break;
            case MUL_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] * k; break;
            case DIV_C: for (size_t i = 0; i < n; ++i) a[i] = a[i] / k; break;
            case POW_C: for (size_t i = 0; i < n; ++i) a[i] = std::pow(a[i], k); break;
            case C_SUB: for (size_t i = 0; i < n; ++i) a[i] = k - a[i]; break;
            case C_DIV: for (size_t i = 0; i < n; ++i) a[i] = k / a[i]; break;
            case C_POW: for (size_t i = 0; i < n; ++i) a[i] = std::pow(k, a[i]); break;
            case NEG: for (size_t i = 0; i < n; ++i) a[i] = -a[i]; break;
            case SQRT: for (size_t i = 0; i < n; ++i) a[i] = std::sqrt(a[i]); break;
            case LOG: for (size_t i = 0; i < n; ++i) a[i] = std::log(a[i]); break;
            case SIN: for (size_t i = 0; i < n; ++i) a[i] = std::sin(a[i]); break;
            case COS: for (size_t i = 0; i < n; ++i) a[i] = std::cos(a[i]); break;
            case TAN: for (size_t i = 0; i < n; ++i) a[i] = std::tan(a[i]); break;
            case ABS: for (size_t i = 0; i < n; ++i) a[i] = std::fabs(a[i]); break;
        }
    }
    if (top >= 0) std::copy(row(top), row(top) + n, out);
    else std::fill(out, out + n, 0.0);
}

void Program::RunMany(const double* xs, double* out, size_t n) const {
    std::vector<double> stack(size_t(std::max(maxDepth_, 1)) * kBlock);
    for (size_t start = 0; start < n; start += kBlock) {
        const size_t count = std::min(kBlock, n - start);
        RunBlock(xs + start, out + start, count, stack.data());
    }
}

}  // namespace MathEx
