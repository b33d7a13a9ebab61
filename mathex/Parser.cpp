// SPDX-License-Identifier: MIT
#include "mathex/Parser.h"

#include <string>
#include <vector>

#include "mathex/Functions.h"
#include "mathex/Scanner.h"

namespace MathEx {

namespace {

enum class Sym { Expr, Op, Neg, Func, FuncParen, LParen, CallParen, Comma, Ident, Underscore, Bar };

struct Entry {
    Sym kind;
    int code = 0;             // operator character or function token
    ExpNode* node = nullptr;  // owned while on the stack (Expr only)
    std::string name;         // Ident only
    int column = 0;           // where the "(" or "|" stands (open groups)
};

// What the last consumed token was, for deciding implicit products.
enum class Last { None, Number, Constant, Name, XorY, Close, Other };

constexpr int kProductPrecedence = 3;
constexpr int kNegatePrecedence = 4;
constexpr int kFunctionPrecedence = 4;
constexpr int kSubscriptPrecedence = 7;

int BinaryPrecedence(int code) {
    switch (code) {
        case '=': return 1;
        case '+':
        case '-': return 2;
        case '*':
        case '/': return kProductPrecedence;
        case '^': return 5;
        default: return -1;
    }
}

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

bool IsNumberToken(int t) { return t == LEX_INTEGER || t == LEX_FLOAT || (t >= LEX_ZERO && t <= LEX_FOUR); }
bool IsConstantToken(int t) { return t == LEX_PI || t == LEX_E; }
bool IsFunctionToken(int t) { return FunctionOfLex(t) != nullptr; }

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

ExpNode* FunctionNode(int code, ExpNode* argument) { return FunctionOfLex(code)->Make(argument); }

class ShiftReduceParser {
public:
    explicit ShiftReduceParser(std::string_view text) : scanner_(text), end_(CharacterCount(text) + 1) {}
    ~ShiftReduceParser() {
        for (Entry& e : stack_) delete e.node;
    }

    ParseResult Run();

private:
    void Read();
    bool Push(Entry e);
    int PendingPrecedence() const;
    void ReduceOne();
    bool ShiftOperand();
    bool CloseParen();
    bool CloseBar();
    bool ImplicitProduct() const;
    const Entry& Under() const { return stack_[stack_.size() - 2]; }
    const Entry* InnermostOpen() const;
    ParseError Diagnose(bool exprOnTop) const;

    Scanner scanner_;
    int end_;  // column one past the last character
    std::vector<Entry> stack_;
    int lookahead_ = 0;
    int column_ = 0;            // of the lookahead
    std::string lexeme_;        // of the lookahead
    std::string previous_;      // lexeme of the last consumed token
    Last last_ = Last::None;
    int openBars_ = 0;
    bool tooDeep_ = false;
    int equalsColumn_ = 0;  // the column of the '=' read so far, 0 for none
    bool secondEquals_ = false;
    bool started_ = false;
};

// Consumes the lookahead and reads the next token.
void ShiftReduceParser::Read() {
    if (started_) previous_ = lexeme_;
    started_ = true;
    lookahead_ = scanner_.Next();
    column_ = scanner_.Column();
    lexeme_.assign(scanner_.Lexeme());
}

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
// -1 when the symbol below it (a parenthesis, a bar, a comma, nothing) cannot reduce.
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
        case Sym::Func: node = FunctionNode(under.code, top.node); break;
        default: {  // subscript: name _ expr
            Entry name = std::move(stack_.back());
            stack_.pop_back();
            node = Combine(TT_INDEX, NameNode(name.name, 0), top.node);
        }
    }
    stack_.push_back(Entry{Sym::Expr, 0, node, {}, 0});
}

// Two operands side by side multiply: a number or constant before a name, a
// constant, a function or "("; a name before a name, a constant or a function
// (x and y also before "("); ")" or a closing bar before "(", a name, a
// constant, a function or a number. Any of them before an opening bar.
bool ShiftReduceParser::ImplicitProduct() const {
    const int t = lookahead_;
    const bool nameLike = t == LEX_IDENT || IsConstantToken(t) || IsFunctionToken(t);
    if (t == '|') return last_ != Last::Other && last_ != Last::None;
    switch (last_) {
        case Last::Number:
        case Last::Constant: return nameLike || t == '(';
        case Last::Name: return nameLike;
        case Last::XorY: return nameLike || t == '(';
        case Last::Close: return nameLike || t == '(' || IsNumberToken(t);
        default: return false;
    }
}

// With no expression on top the lookahead must start one.
bool ShiftReduceParser::ShiftOperand() {
    const int t = lookahead_;
    const int column = column_;
    if (IsNumberToken(t) || IsConstantToken(t)) {
        if (!Push(Entry{Sym::Expr, 0, NumberNode(scanner_.Value()), {}, 0})) return false;
        last_ = IsNumberToken(t) ? Last::Number : Last::Constant;
    } else if (t == LEX_IDENT) {
        std::string name = scanner_.Identifier();
        const bool xy = name == "x" || name == "y";
        Read();
        last_ = xy ? Last::XorY : Last::Name;
        if ((lookahead_ == '(' && !xy) || lookahead_ == '_') {
            if (!Push(Entry{Sym::Ident, 0, nullptr, std::move(name), 0})) return false;
            const Sym kind = lookahead_ == '(' ? Sym::CallParen : Sym::Underscore;
            if (!Push(Entry{kind, lookahead_, nullptr, {}, column_})) return false;
            last_ = Last::Other;
        } else {
            return Push(Entry{Sym::Expr, 0, NameNode(name, 0), {}, 0});
        }
    } else if (t == '(') {
        if (!Push(Entry{Sym::LParen, t, nullptr, {}, column})) return false;
        last_ = Last::Other;
    } else if (t == '-') {
        if (!Push(Entry{Sym::Neg, t, nullptr, {}, column})) return false;
        last_ = Last::Other;
    } else if (t == '|') {
        if (!Push(Entry{Sym::Bar, t, nullptr, {}, column})) return false;
        ++openBars_;
        last_ = Last::Other;
    } else if (IsFunctionToken(t)) {
        Read();
        last_ = Last::Other;
        if (lookahead_ == '(') return Push(Entry{Sym::FuncParen, t, nullptr, {}, column_}) && (Read(), true);
        return Push(Entry{Sym::Func, t, nullptr, {}, column});
    } else {
        return false;
    }
    Read();
    return true;
}

// ")" after a complete expression: a group, a call, a function's group, or the end of a pair.
bool ShiftReduceParser::CloseParen() {
    if (stack_.size() < 2) return false;
    const Sym under = Under().kind;
    if (stack_.size() + 2 > kMaxParserStack) {  // the ")" itself is shifted first
        tooDeep_ = true;
        return false;
    }
    if (under != Sym::LParen && under != Sym::CallParen && under != Sym::FuncParen && under != Sym::Comma)
        return false;
    Entry top = std::move(stack_.back());
    stack_.pop_back();
    Entry open = std::move(stack_.back());
    stack_.pop_back();
    ExpNode* node = top.node;
    if (under == Sym::CallParen) {
        Entry name = std::move(stack_.back());
        stack_.pop_back();
        node = NameNode(name.name, 1);
        node->SetChild(0, top.node);
    } else if (under == Sym::FuncParen) {
        node = FunctionNode(open.code, top.node);
    } else if (under == Sym::Comma) {
        Entry first = std::move(stack_.back());
        stack_.pop_back();
        stack_.pop_back();  // the "(" of the pair
        node = Combine(TT_PAIR, first.node, top.node);
    }
    stack_.push_back(Entry{Sym::Expr, 0, node, {}, 0});
    last_ = Last::Close;
    Read();
    return true;
}

// A bar after an operand closes the innermost open bar.
bool ShiftReduceParser::CloseBar() {
    while (PendingPrecedence() >= 0) ReduceOne();
    if (stack_.size() < 2 || Under().kind != Sym::Bar) return false;
    Entry top = std::move(stack_.back());
    stack_.pop_back();
    stack_.pop_back();
    --openBars_;
    stack_.push_back(Entry{Sym::Expr, 0, Combine(TT_ABS, top.node), {}, 0});
    last_ = Last::Close;
    Read();
    return true;
}

const Entry* ShiftReduceParser::InnermostOpen() const {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        const Sym k = it->kind;
        if (k == Sym::LParen || k == Sym::CallParen || k == Sym::FuncParen || k == Sym::Bar) return &*it;
    }
    return nullptr;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// The reason the lookahead cannot continue the equation.
ParseError ShiftReduceParser::Diagnose(bool exprOnTop) const {
    ParseError e;
    e.status = ParseStatus::SyntaxError;
    e.position = column_;
    const int t = lookahead_;
    auto say = [&e](const char* text, std::vector<std::string> args = {}) { e.reason = {text, std::move(args)}; };
    if (tooDeep_) {
        e.status = ParseStatus::TooDeep;
        say(KVR_TRANSLATE_NOOP("Reason", "the equation is too deeply nested"));
    } else if (secondEquals_) {
        say(KVR_TRANSLATE_NOOP("Reason", "'=' may stand only once (there is one at column %1)"), {std::to_string(equalsColumn_)});
    } else if (t == LEX_UNKNOWN ||
               (t < 128 && t != LEX_END && std::string_view("()=+-*/^_,|").find(char(t)) == std::string_view::npos)) {
        say(KVR_TRANSLATE_NOOP("Reason", "unknown character %1"), {Quoted(lexeme_)});
    } else if (t == LEX_INTEGRAL || t == LEX_SIGMA || t == LEX_LIMIT) {
        say(KVR_TRANSLATE_NOOP("Reason", "%1 is not supported"), {Quoted(lexeme_)});
    } else if (!exprOnTop) {
        if (t == LEX_END && previous_.empty()) say(KVR_TRANSLATE_NOOP("Reason", "the equation is empty"));
        else if (previous_.empty()) say(KVR_TRANSLATE_NOOP("Reason", "expected a number, a name or '(' at the start"));
        else say(KVR_TRANSLATE_NOOP("Reason", "expected a number, a name or '(' after %1"), {Quoted(previous_)});
    } else if (t == ')' || t == LEX_END || t == '|') {
        const Entry* open = InnermostOpen();
        if (open && open->kind == Sym::Bar)
            say(KVR_TRANSLATE_NOOP("Reason", "missing '|' for the '|' at column %1"), {std::to_string(open->column)});
        else if (open)
            say(KVR_TRANSLATE_NOOP("Reason", "missing ')' for the '(' at column %1"), {std::to_string(open->column)});
        else
            say(KVR_TRANSLATE_NOOP("Reason", "')' without a matching '('"));
    } else if (t == ',') {
        say(KVR_TRANSLATE_NOOP("Reason", "',' belongs only in a pair such as (1, 2)"));
    } else if (t == '_') {
        say(KVR_TRANSLATE_NOOP("Reason", "'_' must follow a name"));
    } else {
        say(KVR_TRANSLATE_NOOP("Reason", "expected an operator before %1"), {Quoted(lexeme_)});
    }
    e.message = e.reason.english();
    return e;
}

ParseResult ShiftReduceParser::Run() {
    ParseResult result;
    Read();
    for (;;) {
        const bool exprOnTop = !stack_.empty() && stack_.back().kind == Sym::Expr;
        bool ok = true;
        if (!exprOnTop) {
            ok = ShiftOperand();
        } else if (BinaryPrecedence(lookahead_) > 0) {
            // Equal precedence reduces: every binary operator is left-associative.
            if (PendingPrecedence() >= BinaryPrecedence(lookahead_)) {
                ReduceOne();
            } else if (lookahead_ == '=' && equalsColumn_ > 0) {
                // `y = xy = 2` is two equations run together, not a chain.
                secondEquals_ = true;
                ok = false;
            } else {
                if (lookahead_ == '=') equalsColumn_ = column_;
                ok = Push(Entry{Sym::Op, lookahead_, nullptr, {}, column_});
                if (ok) {
                    last_ = Last::Other;
                    Read();
                }
            }
        } else if (lookahead_ == '|' && openBars_ > 0) {
            ok = CloseBar();
        } else if (ImplicitProduct()) {
            // A function's argument written without parentheses runs on over
            // implicit products, but not into another function.
            const bool function = IsFunctionToken(lookahead_);
            if (PendingPrecedence() >= kProductPrecedence && (function || Under().kind != Sym::Func))
                ReduceOne();
            else
                ok = Push(Entry{Sym::Op, '*', nullptr, {}, column_});
        } else if (PendingPrecedence() >= 0 &&
                   (lookahead_ == ')' || lookahead_ == ',' || lookahead_ == LEX_END)) {
            ReduceOne();
        } else if (lookahead_ == ')') {
            ok = CloseParen();
        } else if (lookahead_ == ',') {
            ok = stack_.size() >= 2 && Under().kind == Sym::LParen &&
                 Push(Entry{Sym::Comma, ',', nullptr, {}, column_});
            if (ok) {
                last_ = Last::Other;
                Read();
            }
        } else if (lookahead_ == LEX_END && stack_.size() == 1) {
            result.status = ParseStatus::Ok;
            result.root.reset(stack_.back().node);
            stack_.clear();
            return result;
        } else {
            ok = false;
        }
        if (!ok) {
            result.error = Diagnose(!stack_.empty() && stack_.back().kind == Sym::Expr);
            result.status = result.error.status;
            return result;
        }
    }
}

}  // namespace

ParseResult ParseExpression(std::string_view text) {
    if (size_t(CharacterCount(text)) > kMaxEquationLength) {
        ParseResult result;
        result.status = ParseStatus::TooLong;
        const Sentence reason{KVR_TRANSLATE_NOOP("Reason", "the equation is longer than %1 characters"),
                              {std::to_string(kMaxEquationLength)}};
        result.error = {ParseStatus::TooLong, int(kMaxEquationLength) + 1, reason.english(), reason};
        return result;
    }
    ShiftReduceParser parser(text);
    return parser.Run();
}

}  // namespace MathEx
