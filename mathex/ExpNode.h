// SPDX-License-Identifier: MIT
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/PointF.h"
#include "core/RectF.h"
#include "mathex/Token.h"

namespace MathEx {

// Text modes of ToText: the stored plain text, the LaTeX of the tree as it
// stands, and the LaTeX of the label as a textbook prints the equation.
enum TextMode : int { TEXT_PLAIN = 0, TEXT_LATEX = 1, TEXT_TEXTBOOK = 2 };

// Tree skeleton: a parent link and a fixed number of owned child slots.
// Trees can be hundreds of thousands of nodes deep (a long sum is a left-leaning
// chain), so destruction and every walk over a tree are iterative.
class BasicNode {
public:
    explicit BasicNode(int childCount);
    BasicNode(const BasicNode&) = delete;
    BasicNode& operator=(const BasicNode&) = delete;
    virtual ~BasicNode();


    virtual void SetParent(BasicNode* node) { parent = node; }
    // Stores node in slot index (taking ownership) and sets its parent; false
    // and no change when index is out of range.
    virtual bool SetChild(int index, BasicNode* node);
    virtual BasicNode* GetParent() const { return parent; }
    virtual BasicNode* GetChild(int index) const;
    int ChildCount() const { return childCount; }

protected:
    BasicNode* parent = nullptr;
    int childCount = 0;
    // The child slots: in the node itself for up to two children (every node
    // the parser builds), on the heap for more. A tree of a long sum has
    // hundreds of thousands of nodes, so a node stays small.
    BasicNode** children = inlineChildren_;

private:
    BasicNode* inlineChildren_[2] = {nullptr, nullptr};
};

// Pending affine map x' = sx·x + dx, y' = sy·y + dy of a laid-out subtree. The
// layout moves and scales whole subtrees many times; keeping the map on the
// subtree's root and applying it once at the end keeps layout linear in size.
struct LayoutTransform {
    float sx = 1.0f, sy = 1.0f, dx = 0.0f, dy = 0.0f;
    bool IsIdentity() const { return sx == 1.0f && sy == 1.0f && dx == 0.0f && dy == 0.0f; }
};

// The one node class of expression trees.
class ExpNode : public BasicNode {
public:
    explicit ExpNode(const Token& token);
    ExpNode(TokenType type, int childCount);

    ExpNode* Child(int index) const { return static_cast<ExpNode*>(GetChild(index)); }
    ExpNode* Parent() const { return static_cast<ExpNode*>(GetParent()); }
    Token GetToken() const { return token; }
    TokenType Type() const { return token.type; }
    double NumberValue() const { return token.number.value; }
    const std::string& Name() const { return token.name; }
    // A TT_IDENT with an argument is a function application.
    bool IsFunctionCall() const { return token.type == TT_IDENT && ChildCount() == 1; }

    // Value with every name read as x (and equations, indices, pairs as x too).
    double EvaluateAt(double x) const;
    // Value with "x" as x and every other name as y.
    double EvaluateAt(double x, double y) const;
    // Slope in x by forward differentiation (y is carried along, unused).
    double Derivative(double x, double y = 0.0) const;
    // Text in a TextMode; any other mode gives the LaTeX.
    std::string ToText(int mode) const;
    // Plain text whose numbers read back bit for bit (copies, documents).
    std::string ToExactText() const;

    // A deep copy of the subtree (tokens only; the copy is laid out afresh).
    std::unique_ptr<ExpNode> Clone() const;

    // Box layout in character cells, y downward: S, B and P of each node.
    void Layout();

    Token token;
    RectF symbolBox;       // S: the node's own symbol
    RectF box;             // B: the whole subtree
    PointF refPoint;       // P: alignment point of the symbol
    bool showSign = false;       // a product drawn with a × sign
    bool parenthesised = false;  // the subtree is drawn inside parentheses
    LayoutTransform pending;     // used only while Layout() runs
};

// Iterative post-order fold: combine(node, childResults, count) for every node,
// children first. Null child slots contribute a default-constructed result.
template <class Result, class Combine>
Result FoldTree(const ExpNode* root, Combine combine) {
    struct Frame {
        const ExpNode* node;
        int next;
    };
    std::vector<Frame> stack;
    std::vector<Result> results;
    stack.push_back({root, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.node == nullptr) {
            stack.pop_back();
            results.emplace_back();
            continue;
        }
        if (top.next < top.node->ChildCount()) {
            const ExpNode* child = top.node->Child(top.next++);
            stack.push_back({child, 0});
            continue;
        }
        const int n = top.node->ChildCount();
        const ExpNode* node = top.node;
        stack.pop_back();
        Result value = combine(*node, results.data() + (results.size() - n), n);
        results.resize(results.size() - n);
        results.push_back(std::move(value));
    }
    return std::move(results.back());
}

// Visits every node of the tree, parents before children.
template <class Visit>
void ForEachNode(ExpNode* root, Visit visit) {
    std::vector<ExpNode*> stack;
    if (root) stack.push_back(root);
    while (!stack.empty()) {
        ExpNode* node = stack.back();
        stack.pop_back();
        visit(*node);
        for (int i = node->ChildCount() - 1; i >= 0; --i)
            if (ExpNode* c = node->Child(i)) stack.push_back(c);
    }
}

}  // namespace MathEx
