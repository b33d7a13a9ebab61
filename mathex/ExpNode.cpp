// SPDX-License-Identifier: MIT
#include "mathex/ExpNode.h"

#include <cmath>

#include "mathex/Operator.h"

namespace MathEx {

BasicNode::BasicNode(int count) : childCount(count < 0 ? 0 : count) {
    if (childCount > 2) children = new BasicNode*[childCount]();
}

BasicNode::~BasicNode() {
    // Unlink the subtree into a work list instead of recursing: a deep chain
    // would otherwise exhaust the call stack.
    std::vector<BasicNode*> pending;
    const auto unlink = [&pending](BasicNode* node) {
        for (int i = 0; i < node->childCount; ++i) {
            if (node->children[i]) pending.push_back(node->children[i]);
            node->children[i] = nullptr;
        }
    };
    unlink(this);
    while (!pending.empty()) {
        BasicNode* node = pending.back();
        pending.pop_back();
        unlink(node);
        delete node;
    }
    if (children != inlineChildren_) delete[] children;
}

bool BasicNode::SetChild(int index, BasicNode* node) {
    if (index < 0 || index >= childCount) return false;
    children[index] = node;
    if (node) node->SetParent(this);
    return true;
}

BasicNode* BasicNode::GetChild(int index) const {
    if (index < 0 || index >= childCount) return nullptr;
    return children[index];
}

ExpNode::ExpNode(const Token& t) : BasicNode(0), token(t) {}

ExpNode::ExpNode(TokenType type, int count) : BasicNode(count) { token.type = type; }

std::unique_ptr<ExpNode> ExpNode::Clone() const {
    // Iterative, like every walk: trees may be far deeper than the call stack.
    std::unique_ptr<ExpNode> copy;
    std::vector<std::pair<const ExpNode*, ExpNode*>> work;  // source, its copy's parent slot owner
    std::vector<int> slots;
    work.push_back({this, nullptr});
    slots.push_back(0);
    while (!work.empty()) {
        const auto [source, parent] = work.back();
        const int slot = slots.back();
        work.pop_back();
        slots.pop_back();
        auto* node = new ExpNode(source->token.type, source->ChildCount());
        node->token = source->token;
        if (parent) parent->SetChild(slot, node);
        else copy.reset(node);
        for (int i = 0; i < source->ChildCount(); ++i) {
            if (const ExpNode* c = source->Child(i)) {
                work.push_back({c, node});
                slots.push_back(i);
            }
        }
    }
    return copy;
}

namespace {
// The value of a node from its operands' values; `leaf` is what nodes that
// stand for a variable read in the current mode.
double Apply(const ExpNode& node, const double* v, int n, double leaf) {
    if (node.Type() == TT_NUMBER) return node.NumberValue();
    if (!IsOperator(node.Type())) return leaf;
    return ApplyOperator(node.Type(), n > 0 ? v[0] : 0.0, n > 1 ? v[1] : 0.0);
}
}  // namespace

double ExpNode::EvaluateAt(double x) const {
    return FoldTree<double>(this, [x](const ExpNode& node, const double* v, int n) {
        return Apply(node, v, n, x);
    });
}

double ExpNode::EvaluateAt(double x, double y) const {
    return FoldTree<double>(this, [x, y](const ExpNode& node, const double* v, int n) {
        double leaf = 0.0;
        switch (node.Type()) {
            case TT_IDENT: leaf = node.Name() == "x" ? x : y; break;
            case TT_INTEGRAL:
            case TT_SIGMA:
            case TT_LIMIT: leaf = y; break;
            default: leaf = 0.0;  // equations, indices and pairs
        }
        return Apply(node, v, n, leaf);
    });
}

namespace {
struct Dual {
    double value = 0.0;  // one-variable value at x
    double slope = 0.0;
};

double PowerSlope(const Dual& u, const Dual& v, double p) {
    if (u.value > 0) return p * (v.slope * std::log(u.value) + v.value * u.slope / u.value);
    if (u.value < 0) return v.slope == 0 ? p * (v.value * u.slope / u.value) : HUGE_VAL;
    // Zero base: a varying exponent keeps its own slope; a constant one follows
    // the power rule, so x^2 has slope 0 at 0 rather than 0·∞.
    if (v.slope != 0) return v.slope;
    if (v.value == 0) return 0.0;
    return v.value * Power(u.value, v.value - 1) * u.slope;
}

Dual DualOf(const ExpNode& node, const Dual* c, int n, double x) {
    const Dual u = n > 0 ? c[0] : Dual{};
    const Dual v = n > 1 ? c[1] : Dual{};
    double values[2] = {u.value, v.value};
    const double value = Apply(node, values, n, x);
    double slope = 0.0;
    switch (node.Type()) {
        case TT_PLUS: slope = u.slope + v.slope; break;
        case TT_MINUS: slope = u.slope - v.slope; break;
        case TT_NEGATE: slope = -u.slope; break;
        case TT_TIMES: slope = u.slope * v.value + u.value * v.slope; break;
        case TT_DIVIDE: slope = u.slope / v.value - u.value * v.slope / (v.value * v.value); break;
        case TT_POWER: slope = PowerSlope(u, v, value); break;
        case TT_NUMBER: slope = 0.0; break;
        case TT_IDENT: slope = 1.0; break;
        default:
            if (const Function* f = FunctionOfNode(node.Type())) slope = f->slope(u.value, u.slope);
            else slope = n > 1 ? v.slope : x;  // equations, pairs, indices and the rest: the slope of child 1
    }
    return Dual{value, slope};
}
}  // namespace

double ExpNode::Derivative(double x, double /*y*/) const {
    return FoldTree<Dual>(this, [x](const ExpNode& node, const Dual* c, int n) {
        return DualOf(node, c, n, x);
    }).slope;
}

}  // namespace MathEx
