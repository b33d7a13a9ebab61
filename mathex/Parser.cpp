#include "mathex/Parser.h"

#include <string>
#include <vector>

#include "mathex/Scanner.h"

namespace MathEx {

namespace {

enum class Sym { Expr, Op, Neg, Func, LParen, CallParen, Comma, Ident, Underscore };

struct Entry {
    Sym kind;
    int code = 0;              // operator character or function token
    ExpNode* node = nullptr;   // owned while on the stack (Expr only)
    std::string name;          // Ident only
};

int BinaryPrecedence(int code) {
    switch (code) {
        case '=': return 1;
        case '+':
        case '-': return 2;
        case '*':
        case '/': return 3;
        case '^': return 5;
        default: return -1;
    }
}
constexpr int kFunctionPrecedence = 4;
constexpr int kNegatePrecedence = 6;
constexpr int kSubscriptPrecedence = 7;

TokenType BinaryType(int code) {
    switch (code) {
        case '=': return TT_EQUAL;
        case '+': return TT_PLUS;
        case '-': return TT_MINUS;
        case '*': return TT_TIMES;
        case '/': return TT_DIVIDE;
        default: return TT_POWER;
    }
}

TokenType FunctionType(int code) {
    switch (code) {
        case LEX_SIN: return TT_SIN;
        case LEX_COS: return TT_COS;
        case LEX_TAN: return TT_TAN;
        case LEX_LOG: return TT_LOG;
        case LEX_SQRT: return TT_SQRT;
        default: return TT_ABS;
    }
}

bool IsNumberToken(int code) {
    return code == LEX_INTEGER || code == LEX_FLOAT || code == LEX_PI || code == LEX_E ||
           (code >= LEX_ZERO && code <= LEX_FOUR);
}

ExpNode* NumberNode(double value) {
    Token t;
    t.type = TT_NUMBER;
    t.number.value = value;
    return new ExpNode(t);
}

ExpNode* NameNode(const std::string& name, int childCount) {
    auto* node = new ExpNode(TT_IDENT, childCount);
    node->token.name = name;
    return node;
}

ExpNode* Combine(TokenType type, ExpNode* a, ExpNode* b = nullptr) {
    auto* node = new ExpNode(type, b ? 2 : 1);
    node->SetChild(0, a);
    if (b) node->SetChild(1, b);
    return node;
}

class ShiftReduceParser {
public:
    explicit ShiftReduceParser(std::string_view text) : scanner_(text) {}
    ~ShiftReduceParser() {
        for (Entry& e : stack_) delete e.node;
    }

    ParseResult Run();

private:
    bool Push(Entry e);
    int PendingPrecedence() const;
    void ReduceOne();
    bool ShiftOperand();
    bool CloseParen();
    const Entry& Under() const { return stack_[stack_.size() - 2]; }

    Scanner scanner_;
    std::vector<Entry> stack_;
    int lookahead_ = 0;
    bool tooDeep_ = false;
};

bool ShiftReduceParser::Push(Entry e) {
    // The automaton's stack also holds its initial state.
    if (stack_.size() + 2 > kMaxParserStack) {
        delete e.node;
        tooDeep_ = true;
        return false;
    }
    stack_.push_back(std::move(e));
    return true;
}

// Precedence of the production that the expression on top would complete, or
// -1 when the symbol below it (a parenthesis, a comma, nothing) cannot reduce.
int ShiftReduceParser::PendingPrecedence() const {
    if (stack_.size() < 2) return -1;
    const Entry& under = Under();
    switch (under.kind) {
        case Sym::Op: return BinaryPrecedence(under.code);
        case Sym::Neg: return kNegatePrecedence;
        case Sym::Func: return kFunctionPrecedence;
        case Sym::Underscore: return kSubscriptPrecedence;
        default: return -1;
    }
}

void ShiftReduceParser::ReduceOne() {
    Entry top = std::move(stack_.back());
    stack_.pop_back();
    Entry under = std::move(stack_.back());
    stack_.pop_back();
    ExpNode* node = nullptr;
    switch (under.kind) {
        case Sym::Op: {
            Entry left = std::move(stack_.back());
            stack_.pop_back();
            node = Combine(BinaryType(under.code), left.node, top.node);
            break;
        }
        case Sym::Neg: node = Combine(TT_NEGATE, top.node); break;
        case Sym::Func: node = Combine(FunctionType(under.code), top.node); break;
        default: {  // subscript: name _ expr
            Entry name = std::move(stack_.back());
            stack_.pop_back();
            node = Combine(TT_INDEX, NameNode(name.name, 0), top.node);
        }
    }
    stack_.push_back(Entry{Sym::Expr, 0, node, {}});
}

// With no expression on top the lookahead must start one.
bool ShiftReduceParser::ShiftOperand() {
    const int t = lookahead_;
    if (IsNumberToken(t)) {
        double value = scanner_.Value();
        if (t == LEX_PI) value = kPi;
        if (t == LEX_E) value = kE;
        if (!Push(Entry{Sym::Expr, 0, NumberNode(value), {}})) return false;
    } else if (t == LEX_IDENT) {
        std::string name = scanner_.Identifier();
        lookahead_ = scanner_.Next();
        if (lookahead_ == '(' || lookahead_ == '_') {
            if (!Push(Entry{Sym::Ident, 0, nullptr, std::move(name)})) return false;
            const Sym kind = lookahead_ == '(' ? Sym::CallParen : Sym::Underscore;
            if (!Push(Entry{kind, lookahead_, nullptr, {}})) return false;
        } else {
            return Push(Entry{Sym::Expr, 0, NameNode(name, 0), {}});
        }
    } else if (t == '(') {
        if (!Push(Entry{Sym::LParen, t, nullptr, {}})) return false;
    } else if (t == '-') {
        if (!Push(Entry{Sym::Neg, t, nullptr, {}})) return false;
    } else if (t >= LEX_SIN && t <= LEX_ABS) {
        if (!Push(Entry{Sym::Func, t, nullptr, {}})) return false;
    } else {
        return false;
    }
    lookahead_ = scanner_.Next();
    return true;
}

// ")" after a complete expression: a group, a call, or the end of a pair.
bool ShiftReduceParser::CloseParen() {
    if (stack_.size() < 2) return false;
    const Sym under = Under().kind;
    if (stack_.size() + 2 > kMaxParserStack) {  // the ")" itself is shifted first
        tooDeep_ = true;
        return false;
    }
    Entry top = std::move(stack_.back());
    stack_.pop_back();
    if (under == Sym::LParen) {
        stack_.pop_back();
        stack_.push_back(std::move(top));
    } else if (under == Sym::CallParen) {
        stack_.pop_back();
        Entry name = std::move(stack_.back());
        stack_.pop_back();
        ExpNode* call = NameNode(name.name, 1);
        call->SetChild(0, top.node);
        stack_.push_back(Entry{Sym::Expr, 0, call, {}});
    } else if (under == Sym::Comma) {
        stack_.pop_back();
        Entry first = std::move(stack_.back());
        stack_.pop_back();
        stack_.pop_back();  // the "(" of the pair
        stack_.push_back(Entry{Sym::Expr, 0, Combine(TT_PAIR, first.node, top.node), {}});
    } else {
        stack_.push_back(std::move(top));
        return false;
    }
    lookahead_ = scanner_.Next();
    return true;
}

ParseResult ShiftReduceParser::Run() {
    ParseResult result;
    lookahead_ = scanner_.Next();
    for (;;) {
        const bool exprOnTop = !stack_.empty() && stack_.back().kind == Sym::Expr;
        bool ok = true;
        if (!exprOnTop) {
            ok = ShiftOperand();
        } else if (BinaryPrecedence(lookahead_) > 0) {
            // Equal precedence reduces: every binary operator is left-associative.
            if (PendingPrecedence() >= BinaryPrecedence(lookahead_)) {
                ReduceOne();
            } else {
                ok = Push(Entry{Sym::Op, lookahead_, nullptr, {}});
                if (ok) lookahead_ = scanner_.Next();
            }
        } else if (PendingPrecedence() >= 0 &&
                   (lookahead_ == ')' || lookahead_ == ',' || lookahead_ == LEX_END)) {
            ReduceOne();
        } else if (lookahead_ == ')') {
            ok = CloseParen();
        } else if (lookahead_ == ',') {
            ok = stack_.size() >= 2 && Under().kind == Sym::LParen &&
                 Push(Entry{Sym::Comma, ',', nullptr, {}});
            if (ok) lookahead_ = scanner_.Next();
        } else if (lookahead_ == LEX_END && stack_.size() == 1) {
            result.status = ParseStatus::Ok;
            result.root.reset(stack_.back().node);
            stack_.clear();
            return result;
        } else {
            ok = false;
        }
        if (!ok) {
            result.status = tooDeep_ ? ParseStatus::TooDeep : ParseStatus::SyntaxError;
            return result;
        }
    }
}

}  // namespace

ParseResult ParseExpression(std::string_view text) {
    ShiftReduceParser parser(text);
    return parser.Run();
}

}  // namespace MathEx
