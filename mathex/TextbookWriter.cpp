// SPDX-License-Identifier: MIT
// The label's textbook LaTeX. A sum is written term by term and a term factor
// by factor, so that signs, zero terms, coefficients of 1 and the order of a
// product's factors can be decided for the term as a whole; everything below
// a factor goes onto the same work list, so deep trees cost no stack.
//
// Whether two factors may stand side by side is the classroom grammar's
// question (see ImplicitProduct in the parser): a number before a number
// would be one number, "a(x + 1)" is a call of a, "sin x y" is the sine of xy.
// What is drawn grouped (a raised exponent, a fraction, a radical, bars)
// groups on the page too.
#include "mathex/TextbookWriter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "mathex/ExpNode.h"
#include "mathex/Functions.h"
#include "mathex/Numeric.h"
#include "mathex/SmartNumber.h"

namespace MathEx {

namespace {

bool IsSum(const ExpNode* n) { return n->Type() == TT_PLUS || n->Type() == TT_MINUS; }

bool IsConstant(double magnitude) { return magnitude == kPi || magnitude == kE; }

// A number's magnitude as the label shows it: π and e as letters, anything
// else at the display precision.
std::string NumberLatex(double magnitude) {
    if (magnitude == kPi) return "\\pi";
    if (magnitude == kE) return "e";
    return SmartNumber(magnitude).ToString();
}

// What a number shows, not what it holds, decides: "0.0" at two decimals
// says nothing a dropped term does not.
bool ReadsZero(const std::string& digits) {
    return !digits.empty() && digits.find_first_not_of("0.") == std::string::npos;
}

bool ReadsOne(const std::string& digits) {
    return digits == "1" || (digits.size() > 2 && digits.compare(0, 2, "1.") == 0 &&
                             digits.find_first_not_of('0', 2) == std::string::npos);
}

const Function* WordFunction(const ExpNode* n) {
    const Function* f = FunctionOfNode(n->Type());
    return f && f->shape == FunctionShape::Word ? f : nullptr;
}

bool IsDigitsOne(const ExpNode* n) {
    return n->Type() == TT_NUMBER && !IsConstant(n->NumberValue()) && n->NumberValue() >= 0 &&
           ReadsOne(NumberLatex(n->NumberValue()));
}

// The argument printed without parentheses, as in "sin x" and "log 2" (a
// coefficient of 1 is not written, so "sin(1x)" is "sin x"); null for any
// other argument.
const ExpNode* BareArgument(const ExpNode* n) {
    if (n->Type() == TT_NUMBER) return n->NumberValue() >= 0 ? n : nullptr;
    while (n->Type() == TT_TIMES) {
        if (IsDigitsOne(n->Child(0))) n = n->Child(1);
        else if (IsDigitsOne(n->Child(1))) n = n->Child(0);
        else break;
    }
    return n->Type() == TT_IDENT && n->ChildCount() == 0 ? n : nullptr;
}

// A power's base that needs no parentheses: one letter or number, or
// something already drawn as one block.
bool IsBlockBase(const ExpNode* n) {
    const TokenType t = n->Type();
    if (t == TT_NUMBER) return n->NumberValue() >= 0;
    if (t == TT_IDENT || t == TT_INDEX) return true;
    const Function* f = FunctionOfNode(t);
    return f && f->shape != FunctionShape::Word;
}

// One factor of a term, its sign already taken out into the term's.
struct Factor {
    const ExpNode* node = nullptr;
    std::string number;                  // a number's magnitude, as written
    const ExpNode* numerator = nullptr;  // a fraction's numerator without its signs
    bool digits = false;                 // a number printed with digits
    bool numeric = false;                // digits, or a fraction of two of them

    bool isFraction() const { return numerator != nullptr; }
    // Printed starting with a digit: "2", "2ˣ".
    bool leadsWithDigit() const {
        if (digits) return true;
        if (node->Type() != TT_POWER) return false;
        const ExpNode* base = node->Child(0);
        return base->Type() == TT_NUMBER && base->NumberValue() >= 0 && !IsConstant(base->NumberValue());
    }
    // Printed starting with an absolute value's bar: "|x|", "|x|²".
    bool opensWithBar() const {
        const TokenType t = node->Type();
        return t == TT_ABS || (t == TT_POWER && node->Child(0)->Type() == TT_ABS);
    }
    // Printed starting with a parenthesis.
    bool opensWithParenthesis() const {
        const TokenType t = node->Type();
        if (IsSum(node) || t == TT_EQUAL || t == TT_PAIR) return true;
        return t == TT_POWER && !IsBlockBase(node->Child(0));
    }
    // A name that the grammar would call with a following "(": every name but
    // x and y (and a subscripted one, whose subscript is such a name).
    bool callsParenthesis() const {
        const TokenType t = node->Type();
        if (t == TT_INDEX) return true;
        return t == TT_IDENT && node->ChildCount() == 0 && node->Name() != "x" && node->Name() != "y";
    }
};

// Whether a "·" must stand between two neighbouring factors of a product.
// Inside bars, a bar after a factor would close them: "|2|x||".
bool NeedsDot(const Factor& left, const Factor& right, bool insideBars) {
    if (left.numeric && right.numeric) return true;
    if (insideBars && right.opensWithBar()) return true;
    if (right.leadsWithDigit()) return true;           // 2 · 3ˣ, not 23ˣ
    if (left.digits && right.isFraction()) return true;  // 2 · x/3, not a mixed number
    return left.callsParenthesis() && right.opensWithParenthesis();
}

enum class Context {
    Sum,        // any expression: terms with their signs
    Operand,    // one operand, in parentheses unless it prints as one block
    Magnitude,  // a number whose sign went to its term
};

// A piece of output: a subtree in a context, or literal text (which may
// open or close an absolute value's bars).
struct Piece {
    Piece(const ExpNode* n, Context c) : node(n), context(c) {}
    Piece(const char* literal, int b = 0) : text(literal), bars(b) {}
    const ExpNode* node = nullptr;
    Context context = Context::Sum;
    std::string_view text;
    int bars = 0;
};

// Entries of scratch kept between labels; a label's tree needs a few dozen.
constexpr size_t kKeptScratch = 4096;

class Writer {
public:
    std::string Write(const ExpNode& root) {
        out_.clear();
        barDepth_ = 0;
        if (root.Type() == TT_EQUAL)
            Queue({Piece{root.Child(0), Context::Sum}, Piece{"="}, Piece{root.Child(1), Context::Sum}});
        else
            work_.emplace_back(&root, Context::Sum);
        while (!work_.empty()) {
            const Piece piece = work_.back();
            work_.pop_back();
            barDepth_ += piece.bars;
            if (!piece.node) Append(piece.text);
            else if (piece.context == Context::Sum) ExpandSum(piece.node);
            else if (piece.context == Context::Operand) ExpandOperand(piece.node);
            else Append(NumberLatex(std::fabs(piece.node->NumberValue())));
        }
        std::string text = std::move(out_);
        // The scratch lists live on for the next label; a huge tree's are let go.
        if (work_.capacity() + batch_.capacity() + factors_.capacity() + terms_.capacity() > kKeptScratch)
            *this = Writer();
        return text;
    }

private:
    struct Term {
        const ExpNode* node;
        bool negative;
        bool whole;  // the right side of a difference: one term even when it is a sum
    };

    // Queues pieces in order (pushed in reverse, popped in order).
    void Queue(std::initializer_list<Piece> pieces) { work_.insert(work_.end(), std::rbegin(pieces), std::rend(pieces)); }

    // Appends text, with a space where the typesetter would otherwise read
    // two pieces as one: "\pi x" is not "\pix", "P I" is not π, and "2 e+1"
    // is not the number 2e+1.
    void Append(std::string_view text) {
        if (text.empty()) return;
        if (!out_.empty() && std::isalpha(static_cast<unsigned char>(text[0]))) {
            const char last = out_.back();
            // The words written here are short; a long run of letters is a
            // long product ("xxx…"), not a word, and is not walked back.
            size_t i = out_.size();
            while (i > 0 && out_.size() - i < 8 && std::isalpha(static_cast<unsigned char>(out_[i - 1]))) --i;
            const bool word = i < out_.size() && i > 0 && out_[i - 1] == '\\';
            const bool exponent = (std::isdigit(static_cast<unsigned char>(last)) || last == '.') &&
                                  (text[0] == 'e' || text[0] == 'E');
            if (word || exponent || (last == 'P' && text[0] == 'I')) out_ += ' ';
        }
        out_ += text;
    }

    void ExpandSum(const ExpNode* n);
    void ExpandOperand(const ExpNode* n);
    // Fills factors_ with the factors of one term, numbers first; false when
    // the term reads as zero.
    bool CollectFactors(const ExpNode* term, bool& negative);
    void QueueFactor(const Factor& f, const Factor* next, std::vector<Piece>& out);

    std::string out_;
    std::vector<Piece> work_;
    int barDepth_ = 0;  // absolute values open at the piece being written
    // Scratch lists, reused from sum to sum.
    std::vector<Term> open_, terms_;
    std::vector<const ExpNode*> nodes_;
    std::vector<Factor> factors_;
    std::vector<Piece> batch_;  // one sum's pieces, in order
};

void Writer::ExpandSum(const ExpNode* n) {
    terms_.clear();
    open_.assign(1, Term{n, false, false});
    while (!open_.empty()) {
        const Term t = open_.back();
        open_.pop_back();
        const TokenType type = t.node->Type();
        if (!t.whole && (type == TT_PLUS || type == TT_MINUS)) {
            const bool rightWhole = type == TT_MINUS && IsSum(t.node->Child(1));
            open_.push_back({t.node->Child(1), type == TT_MINUS ? !t.negative : t.negative, rightWhole});
            open_.push_back({t.node->Child(0), t.negative, false});
            continue;
        }
        terms_.push_back(t);
    }
    std::vector<Piece>& pieces = batch_;
    pieces.clear();
    bool first = true;
    for (const Term& term : terms_) {
        bool negative = term.negative;
        if (!CollectFactors(term.node, negative)) continue;
        if (negative) pieces.emplace_back("-");
        else if (!first) pieces.emplace_back("+");
        first = false;
        for (size_t i = 0; i < factors_.size(); ++i) {
            const Factor* next = i + 1 < factors_.size() ? &factors_[i + 1] : nullptr;
            QueueFactor(factors_[i], next, pieces);
            if (next && NeedsDot(factors_[i], *next, barDepth_ > 0)) pieces.emplace_back(" \\cdot ");
        }
    }
    if (first) pieces.emplace_back("0");  // every term was zero
    work_.insert(work_.end(), pieces.rbegin(), pieces.rend());
}

bool Writer::CollectFactors(const ExpNode* term, bool& negative) {
    factors_.clear();
    nodes_.assign(1, term);
    while (!nodes_.empty()) {
        const ExpNode* n = nodes_.back();
        nodes_.pop_back();
        if (n->Type() == TT_TIMES) {
            nodes_.push_back(n->Child(1));
            nodes_.push_back(n->Child(0));
            continue;
        }
        if (n->Type() == TT_NEGATE) {
            negative = !negative;
            nodes_.push_back(n->Child(0));
            continue;
        }
        Factor f;
        f.node = n;
        if (n->Type() == TT_NUMBER) {
            double v = n->NumberValue();
            if (v < 0) {
                negative = !negative;
                v = -v;
            }
            f.number = NumberLatex(v);
            f.digits = f.numeric = !IsConstant(v);
            if (f.digits && ReadsZero(f.number)) return false;
        } else if (n->Type() == TT_DIVIDE) {
            const ExpNode* numerator = n->Child(0);
            while (numerator->Type() == TT_NEGATE) {
                negative = !negative;
                numerator = numerator->Child(0);
            }
            f.numerator = numerator;
            const auto digits = [](const ExpNode* d) {
                return d->Type() == TT_NUMBER && d->NumberValue() >= 0 && !IsConstant(d->NumberValue());
            };
            f.numeric = digits(numerator) && digits(n->Child(1));
        }
        factors_.push_back(std::move(f));
    }
    // A coefficient of 1 is not written, unless nothing but numbers is left.
    const bool letters = std::any_of(factors_.begin(), factors_.end(), [](const Factor& f) { return !f.numeric; });
    if (letters)
        factors_.erase(std::remove_if(factors_.begin(), factors_.end(),
                                      [](const Factor& f) { return f.digits && ReadsOne(f.number); }),
                       factors_.end());
    std::stable_partition(factors_.begin(), factors_.end(), [](const Factor& f) { return f.numeric; });
    return true;
}

void Writer::QueueFactor(const Factor& f, const Factor* next, std::vector<Piece>& out) {
    const ExpNode* n = f.node;
    if (n->Type() == TT_NUMBER) {
        out.emplace_back(n, Context::Magnitude);
    } else if (f.isFraction()) {
        out.insert(out.end(), {Piece{"\\frac{"}, Piece{f.numerator, Context::Sum}, Piece{"}{"},
                               Piece{n->Child(1), Context::Sum}, Piece{"}"}});
    } else if (const Function* word = WordFunction(n)) {
        // "sin x" only where nothing follows that the grammar would take into
        // the argument: the end of the product, or another function.
        const ExpNode* bare = BareArgument(n->Child(0));
        if (next && !WordFunction(next->node) && next->node->Type() != TT_SQRT) bare = nullptr;
        if (bare) out.insert(out.end(), {Piece{word->latex}, Piece{"{"}, Piece{bare, Context::Operand}, Piece{"}"}});
        else out.insert(out.end(), {Piece{word->latex}, Piece{"{("}, Piece{n->Child(0), Context::Sum}, Piece{")}"}});
    } else {
        out.emplace_back(n, Context::Operand);
    }
}

void Writer::ExpandOperand(const ExpNode* n) {
    const TokenType t = n->Type();
    const ExpNode* c0 = n->ChildCount() > 0 ? n->Child(0) : nullptr;
    const ExpNode* c1 = n->ChildCount() > 1 ? n->Child(1) : nullptr;
    if (const Function* f = FunctionOfNode(t)) {
        // Radicals and bars group their argument themselves.
        const int bars = f->shape == FunctionShape::Bars ? 1 : 0;
        if (f->shape == FunctionShape::Word) Queue({Piece{f->latex}, Piece{"{("}, Piece{c0, Context::Sum}, Piece{")}"}});
        else Queue({Piece{f->latex, bars}, Piece{"{"}, Piece{c0, Context::Sum}, Piece{"}", -bars}});
        return;
    }
    switch (t) {
        case TT_NUMBER: {
            const double v = n->NumberValue();
            if (v < 0) Append("(-");
            Append(NumberLatex(std::fabs(v)));
            if (v < 0) Append(")");
            break;
        }
        case TT_IDENT:
            Append(n->Name());
            if (c0) Queue({Piece{"("}, Piece{c0, Context::Sum}, Piece{")"}});
            break;
        case TT_DIVIDE:
            Queue({Piece{"\\frac{"}, Piece{c0, Context::Sum}, Piece{"}{"}, Piece{c1, Context::Sum}, Piece{"}"}});
            break;
        case TT_POWER:
            if (IsBlockBase(c0))
                Queue({Piece{"{"}, Piece{c0, Context::Operand}, Piece{"}^{"}, Piece{c1, Context::Sum}, Piece{"}"}});
            else
                Queue({Piece{"{("}, Piece{c0, Context::Sum}, Piece{")}^{"}, Piece{c1, Context::Sum}, Piece{"}"}});
            break;
        case TT_INDEX:
            Queue({Piece{"{"}, Piece{c0, Context::Operand}, Piece{"}_{"}, Piece{c1, Context::Sum}, Piece{"}"}});
            break;
        case TT_PAIR:
            Queue({Piece{"("}, Piece{c0, Context::Sum}, Piece{","}, Piece{c1, Context::Sum}, Piece{")"}});
            break;
        case TT_INTEGRAL:
        case TT_SIGMA:
        case TT_LIMIT: {
            Append(OperatorText(t));
            Append("(");
            work_.emplace_back(")");
            for (int i = n->ChildCount() - 1; i >= 0; --i) {
                work_.emplace_back(n->Child(i), Context::Sum);
                if (i > 0) work_.emplace_back(", ");
            }
            break;
        }
        case TT_EQUAL:
            Queue({Piece{"("}, Piece{c0, Context::Sum}, Piece{"="}, Piece{c1, Context::Sum}, Piece{")"}});
            break;
        case TT_PLUS:
        case TT_MINUS:
        case TT_NEGATE:
        case TT_TIMES:
            Queue({Piece{"("}, Piece{n, Context::Sum}, Piece{")"}});
            break;
        default: break;  // functions, above
    }
}

}  // namespace

// Every repaint writes each label's text twice (to measure it and to draw
// it): one writer per thread keeps its lists from label to label.
std::string TextbookWriter::Write(const ExpNode& root) {
    thread_local Writer writer;
    return writer.Write(root);
}

}  // namespace MathEx
