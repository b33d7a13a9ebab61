// SPDX-License-Identifier: MIT
// Box layout of expression trees in character cells (y grows downward), in the
// manner of a small typesetter: every node gets the box of its own symbol (S),
// the box of its whole subtree (B) and an alignment point (P).
//
// Laying out a node moves or scales whole child subtrees. Doing that eagerly
// costs the subtree's size each time, which is quadratic on deep trees, so a
// move is recorded as a pending transform on the subtree's root, applied to a
// node only when its own values are read, and pushed down once at the end.
#include <algorithm>
#include <cstring>
#include <vector>

#include "mathex/ExpNode.h"
#include "mathex/Functions.h"

namespace MathEx {

namespace {

RectF Box(float left, float right, float top, float bottom) { return RectF(top, bottom, left, right); }

RectF Apply(const LayoutTransform& t, const RectF& r) {
    return Box(t.sx * r.left + t.dx, t.sx * r.right + t.dx, t.sy * r.top + t.dy, t.sy * r.bottom + t.dy);
}

// outer ∘ inner: first inner, then outer.
LayoutTransform Compose(const LayoutTransform& outer, const LayoutTransform& inner) {
    return LayoutTransform{outer.sx * inner.sx, outer.sy * inner.sy, outer.sx * inner.dx + outer.dx,
                           outer.sy * inner.dy + outer.dy};
}

// Brings a node's own S, B and P up to date and hands its pending transform to its children.
ExpNode* Settle(ExpNode* n) {
    const LayoutTransform t = n->pending;
    if (t.IsIdentity()) return n;
    n->symbolBox = Apply(t, n->symbolBox);
    n->box = Apply(t, n->box);
    n->refPoint = PointF(t.sx * n->refPoint.x + t.dx, t.sy * n->refPoint.y + t.dy);
    for (int i = 0; i < n->ChildCount(); ++i)
        if (ExpNode* c = n->Child(i)) c->pending = Compose(t, c->pending);
    n->pending = LayoutTransform{};
    return n;
}

void Move(ExpNode* n, float dx, float dy) { n->pending = Compose(LayoutTransform{1, 1, dx, dy}, n->pending); }

void Scale(ExpNode* n, float s) { n->pending = Compose(LayoutTransform{s, s, 0, 0}, n->pending); }

void Wrap(ExpNode* c) {
    Move(c, 0.5f, 0);
    Settle(c);
    c->box.left -= 0.5f;
    c->box.right += 0.75f;
    c->parenthesised = true;
}

bool IsSum(const ExpNode* n) { return n->Type() == TT_PLUS || n->Type() == TT_MINUS; }
bool IsName(const ExpNode* n) { return n->Type() == TT_IDENT && n->ChildCount() == 0; }

float Top(const ExpNode* a, const ExpNode* b) { return std::min(a->box.top, b->box.top); }
float Bottom(const ExpNode* a, const ExpNode* b) { return std::max(a->box.bottom, b->box.bottom); }

// Shared tail of "=", "+", "−" and "×": operand c1 placed right of the symbol
// on c0's axis, then the whole node pushed down if c1 sticks out above.
void Chain(ExpNode* n, ExpNode* c0, ExpNode* c1, float gap) {
    Move(c1, n->refPoint.x + gap, c0->refPoint.y - c1->refPoint.y);  // c1 is settled on entry
    Settle(c1);
    n->box = Box(0, c1->box.right, Top(c0, c1), Bottom(c0, c1));
    if (c1->box.top < 0) Move(n, 0, -c1->box.top);
}

void InfixSymbol(ExpNode* n, ExpNode* c0, float gap, float half) {
    n->refPoint = PointF(c0->box.right + gap, c0->refPoint.y);
    n->symbolBox = Box(n->refPoint.x - half, n->refPoint.x + half, n->refPoint.y - half, n->refPoint.y + half);
}

bool ShowsSign(const ExpNode* c0, const ExpNode* c1) {
    return c0->Type() == TT_NUMBER && (c1->Type() == TT_NUMBER || c1->Type() == TT_DIVIDE);
}

void LayoutDivide(ExpNode* n, ExpNode* c0, ExpNode* c1) {
    const float w0 = c0->box.width(), w1 = c1->box.width();
    const float w = std::max(w0, w1);
    n->refPoint = PointF(w / 2, c0->box.bottom + 0.25f);
    n->symbolBox = Box(0, w, n->refPoint.y - 0.25f, n->refPoint.y + 0.25f);
    if (w0 < w1) Move(c0, (w - w0) / 2, 0);
    Move(c1, w1 < w0 ? (w - w1) / 2 : 0, n->refPoint.y + 0.25f);
    Settle(c1);
    n->box = Box(0, w, 0, c1->box.bottom);
}

void LayoutPower(ExpNode* n, ExpNode* c0, ExpNode* c1) {
    if (c0->Type() != TT_NUMBER && !IsName(c0) && c0->Type() != TT_INDEX) Wrap(c0);
    n->refPoint = c0->refPoint;
    n->symbolBox = Box(c0->box.right, c0->box.right, 0, 0);
    Scale(c1, 0.4f);
    Settle(c1);
    const float h = c1->box.top - c1->box.bottom;
    Move(c1, c0->box.right, -c1->box.bottom - 0.6f * h);
    Settle(c1);
    n->box = Box(0, c1->box.right, c1->box.top, c0->box.bottom);
    Move(n, 0, -h);
}

constexpr float kMaxSubscriptDrop = 1.25f;  // character cells

void LayoutIndex(ExpNode* n, ExpNode* c0, ExpNode* c1) {
    n->refPoint = c0->refPoint;
    n->symbolBox = Box(c0->box.right, c0->box.right, 0, 0);
    Scale(c1, 0.5f);
    Settle(c1);
    const float h = c1->box.top - c1->box.bottom;
    // The drop grows with the subscript's own depth (by a quarter per level,
    // without end on a chain of hundreds of subscripts); a subscript of a
    // subscript of a subscript already sits as low as any needs to.
    Move(c1, c0->box.right, std::min(c1->box.bottom - 0.5f * h, kMaxSubscriptDrop));
    Settle(c1);
    n->box = Box(0, c1->box.right, c0->box.top, c1->box.bottom);
}

// A prefix word (sin, a function name, the minus sign) of the given width in front of c0.
void LayoutPrefix(ExpNode* n, ExpNode* c0, float width) {
    n->refPoint = PointF(c0->refPoint.x - 1.5f, c0->refPoint.y);
    n->symbolBox = Box(-width, 0, n->refPoint.y - 0.5f, n->refPoint.y + 0.5f);
    n->box = Box(-width, c0->box.right, c0->box.top, c0->box.bottom);
    Move(n, width, 0);
}

void LayoutFunction(ExpNode* n, ExpNode* c0, const Function& f) {
    switch (f.shape) {
        case FunctionShape::Word:
            if (IsSum(c0)) Wrap(c0);
            LayoutPrefix(n, c0, float(std::strlen(f.name)));
            break;
        case FunctionShape::Radical:
            n->refPoint = c0->refPoint;
            n->symbolBox = n->box = Box(-0.5f, c0->box.right, c0->box.top - 0.5f, c0->box.bottom);
            Move(n, 0.5f, 0.5f);
            break;
        case FunctionShape::Bars:
            n->refPoint = c0->refPoint;
            Move(c0, 0.1f, 0);
            Settle(c0);
            n->symbolBox = n->box = Box(0, c0->box.right + 0.2f, c0->box.top, c0->box.bottom);
            break;
    }
}

void LayoutPair(ExpNode* n, ExpNode* c0, ExpNode* c1) {
    n->parenthesised = true;
    Move(c0, 0.3f, 0);
    Settle(c0);
    n->refPoint = PointF(c0->box.right + 0.25f, c0->refPoint.y);
    n->symbolBox = Box(n->refPoint.x - 0.25f, n->refPoint.x + 0.25f, n->refPoint.y - 0.5f, n->refPoint.y + 0.5f);
    Move(c1, n->refPoint.x + 0.25f, c0->refPoint.y - c1->refPoint.y);
    Settle(c1);
    n->box = Box(0, c1->box.right + 0.3f, Top(c0, c1), Bottom(c0, c1));
}

void LayoutNode(ExpNode* n) {
    ExpNode* c0 = n->ChildCount() > 0 && n->Child(0) ? Settle(n->Child(0)) : nullptr;
    ExpNode* c1 = n->ChildCount() > 1 && n->Child(1) ? Settle(n->Child(1)) : nullptr;
    const TokenType t = n->Type();
    const bool binary = c0 && c1;
    if ((t == TT_NUMBER || IsName(n))) {
        const float len = float((t == TT_NUMBER ? n->token.number.ToString() : n->Name()).size());
        n->symbolBox = n->box = Box(0, len, 0, 1);
        n->refPoint = PointF(len / 2, 0.5f);
        return;
    }
    if (!c0) return;
    if (const Function* f = FunctionOfNode(t)) {
        LayoutFunction(n, c0, *f);
        return;
    }
    switch (t) {
        case TT_EQUAL:
        case TT_PLUS:
        case TT_MINUS:
            if (!binary) return;
            if (t == TT_MINUS && IsSum(c1)) Wrap(c1);
            InfixSymbol(n, c0, 0.6f, 0.5f);
            Chain(n, c0, c1, t == TT_EQUAL ? 1.0f : 0.6f);
            break;
        case TT_TIMES:
            if (!binary) return;
            n->showSign = ShowsSign(c0, c1);
            if (IsSum(c0)) Wrap(c0);
            if (IsSum(c1)) Wrap(c1);
            InfixSymbol(n, c0, n->showSign ? 0.6f : 0.1f, n->showSign ? 0.5f : 0.0f);
            Chain(n, c0, c1, n->showSign ? 0.6f : 0.1f);
            break;
        case TT_DIVIDE:
            if (binary) LayoutDivide(n, c0, c1);
            break;
        case TT_POWER:
            if (binary) LayoutPower(n, c0, c1);
            break;
        case TT_INDEX:
            if (binary) LayoutIndex(n, c0, c1);
            break;
        case TT_PAIR:
            if (binary) LayoutPair(n, c0, c1);
            break;
        case TT_NEGATE:
            if (IsSum(c0)) Wrap(c0);
            LayoutPrefix(n, c0, 1.0f);
            break;
        case TT_IDENT:  // function application
            Wrap(c0);
            LayoutPrefix(n, c0, float(n->Name().size()));
            break;
        default: break;  // integral, sigma and limit have no layout
    }
}

}  // namespace

void ExpNode::Layout() {
    // Children before parents, without recursion.
    std::vector<std::pair<ExpNode*, int>> stack{{this, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next == 0) {
            node->parenthesised = false;
            node->showSign = false;
            node->pending = LayoutTransform{};
        }
        if (next < node->ChildCount()) {
            ExpNode* child = node->Child(next++);
            if (child) stack.push_back({child, 0});
            continue;
        }
        ExpNode* done = node;
        stack.pop_back();
        LayoutNode(done);
    }
    // Push every pending move down so that all boxes are final.
    ForEachNode(this, [](ExpNode& n) { Settle(&n); });
}

}  // namespace MathEx
