// SPDX-License-Identifier: MIT
#include "mathex/ExpressionPainter.h"

#include <string>
#include <vector>

#include "mathex/Functions.h"

namespace MathEx {

namespace {

class LayoutPainter {
public:
    explicit LayoutPainter(Painter& s) : s_(s) {}

    void Paint(const ExpNode& n);

private:
    // Layout point to graph point: y turns upward.
    static PointF At(double x, double y) { return PointF(float(x), float(-y)); }
    void Segment(double x0, double y0, double x1, double y1) { s_.segment(At(x0, y0), At(x1, y1)); }
    void Glyphs(const std::string& text, double left, double baseline, double scale, double advanceScale);
    void Text(const ExpNode& n, const std::string& text);
    void Radical(const ExpNode& n);
    void FunctionSymbol(const ExpNode& n, const Function& f);
    void Symbol(const ExpNode& n);
    void Parentheses(const ExpNode& n);

    Painter& s_;
};

// Glyph by glyph: the pen moves right by 20·h before every glyph but "-", by
// a further 14·h before a "1" (whose stroke is narrow), then by the glyph's width.
void LayoutPainter::Glyphs(const std::string& text, double left, double baseline, double scale, double h) {
    double pen = 0;
    for (char c : text) {
        if (c != '-') pen += 20 * h;
        if (c == '1') pen += 14 * h;
        const std::string glyph(1, c);
        pen += s_.strokeText(glyph, PointF(float(left + pen * scale), float(-baseline)), scale, scale);
    }
}

void LayoutPainter::Text(const ExpNode& n, const std::string& text) {
    const RectF& S = n.symbolBox;
    const double h = S.height();
    const double scale = 0.01 * h * (n.Type() == TT_NUMBER ? 0.8 : 1.0);
    Glyphs(text, S.left, S.bottom, scale, h);
}

// From the left end raised by k, down to the foot, up to the top left of the
// radicand and along its top; k is the gap between the sign and the radicand.
void LayoutPainter::Radical(const ExpNode& n) {
    const RectF& S = n.symbolBox;
    const ExpNode* radicand = n.Child(0);
    const double k = radicand ? radicand->box.left - n.box.left : 0.5;
    const PointF sign[] = {At(S.left, S.bottom - k), At(S.left + k / 2, S.bottom), At(S.left + k, S.top),
                           At(S.right, S.top)};
    s_.polyline(sign);
}

void LayoutPainter::Parentheses(const ExpNode& n) {
    const RectF& B = n.box;
    const double height = B.height();
    const double baseline = B.bottom - 0.2 * height;
    s_.strokeText("(", PointF(B.left, float(-baseline)), 0.005, 0.007 * height);
    s_.strokeText(")", PointF(B.right - 0.25f, float(-baseline)), 0.005, 0.007 * height);
}

void LayoutPainter::FunctionSymbol(const ExpNode& n, const Function& f) {
    const RectF& S = n.symbolBox;
    switch (f.shape) {
        case FunctionShape::Word: Text(n, f.name); break;
        case FunctionShape::Radical: Radical(n); break;
        case FunctionShape::Bars:
            Segment(S.left, n.box.top, S.left, n.box.bottom);
            Segment(S.right, n.box.top, S.right, n.box.bottom);
            break;
    }
}

void LayoutPainter::Symbol(const ExpNode& n) {
    if (const Function* f = FunctionOfNode(n.Type())) {
        FunctionSymbol(n, *f);
        return;
    }
    const RectF& S = n.symbolBox;
    const double midX = (S.left + S.right) / 2, midY = (S.top + S.bottom) / 2;
    switch (n.Type()) {
        case TT_PLUS:
            Segment(S.left + 0.1, midY, S.right - 0.1, midY);
            Segment(midX, S.top + 0.1, midX, S.bottom - 0.1);
            break;
        case TT_MINUS:
        case TT_NEGATE: Segment(S.left + 0.1, midY, S.right - 0.1, midY); break;
        case TT_TIMES:
            if (n.showSign) {
                Segment(S.left + 0.1, S.top + 0.1, S.right - 0.1, S.bottom - 0.1);
                Segment(S.left + 0.1, S.bottom - 0.1, S.right - 0.1, S.top + 0.1);
            }
            break;
        case TT_DIVIDE: Segment(S.left, midY, S.right, midY); break;
        case TT_EQUAL: Text(n, OperatorText(n.Type())); break;
        case TT_NUMBER: Text(n, n.token.number.ToString()); break;
        case TT_IDENT: Text(n, n.Name()); break;
        case TT_PAIR: Text(n, ","); break;
        default: break;
    }
}

void LayoutPainter::Paint(const ExpNode& n) {
    Symbol(n);
    if (n.parenthesised) Parentheses(n);
}

}  // namespace

void PaintExpression(const ExpNode& root, Painter& painter) {
    painter.setPen(Pen(ColorF(0, 0, 0, 1)));
    LayoutPainter layout(painter);
    // Parents before children, without recursion.
    std::vector<const ExpNode*> stack{&root};
    while (!stack.empty()) {
        const ExpNode* n = stack.back();
        stack.pop_back();
        layout.Paint(*n);
        for (int i = n->ChildCount() - 1; i >= 0; --i)
            if (const ExpNode* c = n->Child(i)) stack.push_back(c);
    }
}

}  // namespace MathEx
