// SPDX-License-Identifier: MIT
// Plain and LaTeX text of expression trees.
//
// Plain text is the equation's stored form, so it must parse back into the very
// tree it came from. It uses only the explicit notation: every product has its
// "*", functions always carry their parentheses (so "sin(x)^2" is the square
// of the sine), Euler's number is "E", and an operand gets parentheses wherever
// the parser would otherwise group it differently (the right side of a
// difference that is a sum, a power whose base is a product or a negation, an
// exponent that is not a single operand, …). LaTeX text keeps its simpler rules
// and the tree's shape as it stands; the label's textbook form is written by
// TextbookWriter.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "mathex/ExpNode.h"
#include "mathex/Functions.h"
#include "mathex/TextbookWriter.h"

namespace MathEx {

namespace {

bool IsSum(const ExpNode* n) { return n->Type() == TT_PLUS || n->Type() == TT_MINUS; }

// Binding strength of infix operators; 0 for everything else.
int InfixPrecedence(const ExpNode* n) {
    switch (n->Type()) {
        case TT_EQUAL: return 1;
        case TT_PLUS:
        case TT_MINUS: return 2;
        case TT_TIMES:
        case TT_DIVIDE: return 3;
        case TT_POWER: return 5;
        default: return 0;
    }
}

// Operands whose plain text the parser reads as one unit wherever they stand:
// numbers, names, calls, subscripts, pairs and functions (written with their
// parentheses).
bool IsPrimary(const ExpNode* n) {
    const TokenType t = n->Type();
    if (t == TT_NUMBER) return !(n->NumberValue() < 0);
    return t == TT_IDENT || t == TT_INDEX || t == TT_PAIR || FunctionOfNode(t);
}

bool PlainLeftNeedsParens(const ExpNode* parent, const ExpNode* child) {
    if (parent->Type() == TT_POWER) return !IsPrimary(child) && child->Type() != TT_POWER;
    const int p = InfixPrecedence(child);
    return p > 0 && p < InfixPrecedence(parent);
}

bool PlainRightNeedsParens(const ExpNode* parent, const ExpNode* child) {
    if (parent->Type() == TT_POWER) return !IsPrimary(child);
    const int p = InfixPrecedence(child);
    return p > 0 && p <= InfixPrecedence(parent);
}

// A negation takes powers bare ("-x^2" is −(x²)) but nothing looser.
bool NegatedNeedsParens(const ExpNode* child) {
    const int p = InfixPrecedence(child);
    return p > 0 && p <= 3;
}

// A piece of output: a subtree, optionally in parentheses, or literal text.
struct Piece {
    Piece(const ExpNode* n, bool p = false) : node(n), parens(p) {}
    Piece(std::string t) : text(std::move(t)) {}
    Piece(const char* t) : text(t) {}
    const ExpNode* node = nullptr;
    bool parens = false;
    std::string text;
};

// Plain text with display-precision numbers, plain text whose numbers read
// back bit for bit, or LaTeX.
enum class Style { Plain, Exact, Latex };

// Shortest decimal text that scans back to exactly v.
std::string ExactNumberText(double v) {
    if (v == kE) return "E";
    const bool integral = v >= INT32_MIN && v <= INT32_MAX && double(int32_t(v)) == v;
    // Integers, PI and non-finite values already print as text that reads back.
    if (integral || v == kPi || !IsFinite(v)) return SmartNumber(v).ToString();
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, result.ptr);
}

class TextWriter {
public:
    explicit TextWriter(Style style) : latex_(style == Style::Latex), exact_(style == Style::Exact) {}

    std::string Write(const ExpNode* root) {
        work_.push_back(Piece{root, false});
        while (!work_.empty()) {
            Piece piece = std::move(work_.back());
            work_.pop_back();
            if (!piece.node) {
                out_ += piece.text;
                continue;
            }
            if (piece.parens) {
                out_ += '(';
                work_.push_back(Piece{")"});
            }
            Expand(piece.node);
        }
        return std::move(out_);
    }

private:
    // Queues the pieces of one node (pushed in reverse, popped in order).
    void Queue(std::vector<Piece> pieces) {
        for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) work_.push_back(std::move(*it));
    }

    void Binary(const ExpNode* n, const char* op, bool leftParens, bool rightParens) {
        Queue({Piece{n->Child(0), leftParens}, Piece{op}, Piece{n->Child(1), rightParens}});
    }

    void Expand(const ExpNode* n);

    bool latex_;
    bool exact_;
    std::string out_;
    std::vector<Piece> work_;
};

void TextWriter::Expand(const ExpNode* n) {
    const TokenType t = n->Type();
    const ExpNode* c0 = n->ChildCount() > 0 ? n->Child(0) : nullptr;
    const ExpNode* c1 = n->ChildCount() > 1 ? n->Child(1) : nullptr;
    if (const Function* f = FunctionOfNode(t)) {
        if (latex_) Queue({Piece{std::string(f->latex) + "{"}, Piece{c0, IsSum(c0)}, Piece{"}"}});
        else Queue({Piece{std::string(f->name) + "("}, Piece{c0}, Piece{")"}});
        return;
    }
    switch (t) {
        case TT_EQUAL:
        case TT_PLUS:
        case TT_MINUS:
            if (latex_) Binary(n, OperatorText(t), false, t == TT_MINUS && IsSum(c1));
            else Binary(n, OperatorText(t), PlainLeftNeedsParens(n, c0), PlainRightNeedsParens(n, c1));
            break;
        case TT_NEGATE:
            Queue({Piece{"-"}, Piece{c0, latex_ ? IsSum(c0) : NegatedNeedsParens(c0)}});
            break;
        case TT_TIMES:
            if (latex_) Binary(n, " \\cdot ", IsSum(c0), IsSum(c1));
            else Binary(n, "*", PlainLeftNeedsParens(n, c0), PlainRightNeedsParens(n, c1));
            break;
        case TT_DIVIDE:
            if (latex_) Queue({Piece{"\\frac{"}, Piece{c0}, Piece{"}{"}, Piece{c1}, Piece{"}"}});
            else Binary(n, "/", PlainLeftNeedsParens(n, c0), PlainRightNeedsParens(n, c1));
            break;
        case TT_POWER:
            if (latex_) Queue({Piece{"{"}, Piece{c0, IsSum(c0)}, Piece{"}^{"}, Piece{c1}, Piece{"}"}});
            else Binary(n, "^", PlainLeftNeedsParens(n, c0), PlainRightNeedsParens(n, c1));
            break;
        case TT_INTEGRAL:
        case TT_SIGMA:
            Queue({Piece{std::string(OperatorText(t)) + "("}, Piece{c0}, Piece{", "}, Piece{c1}, Piece{", "},
                   Piece{n->Child(2)}, Piece{", "}, Piece{n->Child(3)}, Piece{")"}});
            break;
        case TT_LIMIT:
            Queue({Piece{std::string(OperatorText(t)) + "("}, Piece{c0}, Piece{", "}, Piece{c1}, Piece{", "},
                   Piece{n->Child(2)}, Piece{")"}});
            break;
        case TT_INDEX:
            // Plain text keeps the index so that the stored equation reads back
            // whole; the label typesetter sets it as a subscript.
            if (latex_) Queue({Piece{"{"}, Piece{c0}, Piece{"}_{"}, Piece{c1}, Piece{"}"}});
            else Queue({Piece{c0}, Piece{"_"}, Piece{c1, !IsPrimary(c1)}});
            break;
        case TT_NUMBER:
            // Euler's number shows as "e" but only "E" scans back as the number.
            if (exact_) out_ += ExactNumberText(n->NumberValue());
            else if (!latex_ && n->NumberValue() == kE) out_ += "E";
            else out_ += n->token.number.ToString();
            break;
        case TT_IDENT:
            out_ += n->Name();
            if (c0) Queue({Piece{"("}, Piece{c0}, Piece{")"}});
            break;
        case TT_PAIR:
            Queue({Piece{"("}, Piece{c0}, Piece{","}, Piece{c1}, Piece{")"}});
            break;
        default: break;  // functions, above
    }
}

}  // namespace

std::string ExpNode::ToText(int mode) const {
    if (mode == TEXT_PLAIN) return TextWriter(Style::Plain).Write(this);
    if (mode == TEXT_TEXTBOOK) return TextbookWriter::Write(*this);
    return TextWriter(Style::Latex).Write(this);
}

std::string ExpNode::ToExactText() const { return TextWriter(Style::Exact).Write(this); }

}  // namespace MathEx
