// SPDX-License-Identifier: MIT
#include "render/TexParser.h"

#include <algorithm>

namespace {

// Groups nested deeper than this are read as plain text: the parser and the
// layout recurse once per level, so the stack stays small for any input.
constexpr int kMaxDepth = 24;

using Node = std::unique_ptr<TexNode>;

Node MakeNode(TexNode::Kind kind, int level) {
    auto n = std::make_unique<TexNode>();
    n->kind = kind;
    n->level = level;
    return n;
}

Node MakeText(const QString& text, bool italic, int level) {
    Node n = MakeNode(TexNode::Kind::Text, level);
    n->text = text;
    n->italic = italic;
    return n;
}

Node MakeOperator(const QString& text, int level) {
    Node n = MakeNode(TexNode::Kind::Operator, level);
    n->text = text;
    return n;
}

Node MakeSpace(double ems, int level) {
    Node n = MakeNode(TexNode::Kind::Space, level);
    n->space = ems;
    return n;
}

bool IsFunctionWord(const QString& w) {
    static const char* const kWords[] = {"sin",  "cos",    "tan",    "cot",    "sec",  "csc",  "log", "ln",
                                         "lg",   "exp",    "arcsin", "arccos", "arctan", "sinh", "cosh",
                                         "tanh", "coth",   "min",    "max",    "lim",  "det",  "sgn", "deg"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char* k) { return w == QLatin1String(k); });
}

// Symbols spelled as control words: {word, character, is an operator, italic}.
struct Symbol {
    const char* word;
    char16_t ch;
    bool op;
    bool italic;
};
constexpr Symbol kSymbols[] = {
    {"cdot", u'\u22C5', true, false}, {"times", u'\u00D7', true, false}, {"pm", u'\u00B1', true, false},
    {"mp", u'\u2213', true, false},   {"div", u'\u00F7', true, false},   {"le", u'\u2264', true, false},
    {"leq", u'\u2264', true, false},  {"ge", u'\u2265', true, false},    {"geq", u'\u2265', true, false},
    {"ne", u'\u2260', true, false},   {"neq", u'\u2260', true, false},   {"approx", u'\u2248', true, false},
    {"infty", u'\u221E', false, false}, {"alpha", u'\u03B1', false, true}, {"beta", u'\u03B2', false, true},
    {"gamma", u'\u03B3', false, true}, {"delta", u'\u03B4', false, true}, {"theta", u'\u03B8', false, true},
    {"lambda", u'\u03BB', false, true}, {"mu", u'\u03BC', false, true},  {"pi", u'\u03C0', false, true},
    {"sigma", u'\u03C3', false, true}, {"phi", u'\u03C6', false, true},  {"omega", u'\u03C9', false, true},
    {"Delta", u'\u0394', false, false}, {"Sigma", u'\u03A3', false, false}, {"Omega", u'\u03A9', false, false},
};

class Parser {
public:
    explicit Parser(const QString& text) : s_(text) {}

    Node parseAll() {
        Node row = parseRow(0, 0, false, QChar());
        // Closers with nothing to close are shown as they were typed.
        while (pos_ < s_.size()) {
            row->kids.push_back(MakeText(QString(s_[pos_]), false, 0));
            ++pos_;
            Node rest = parseRow(0, 0, false, QChar());
            for (auto& k : rest->kids) row->kids.push_back(std::move(k));
        }
        return row;
    }

private:
    bool atEnd() const { return pos_ >= s_.size(); }
    QChar peek() const { return atEnd() ? QChar() : s_[pos_]; }

    void skipSpaces() {
        while (!atEnd() && s_[pos_].isSpace()) ++pos_;
    }

    // A row up to `closer` ('}' or ')'; null at the top), which is not consumed.
    // Inside a fence a '}' also ends the row, so "{(x}" keeps its brace.
    Node parseRow(int level, int depth, bool inFraction, QChar closer) {
        Node row = MakeNode(TexNode::Kind::Row, level);
        for (;;) {
            skipSpaces();
            if (atEnd()) break;
            const QChar c = peek();
            if (c == u'}' && (closer == u'}' || closer == u')')) break;
            if (c == u')' && closer == u')') break;
            if (c == u'}' && closer.isNull()) break;
            Node atom = parseAtom(level, depth, inFraction);
            if (!atom) continue;
            atom = parseScripts(std::move(atom), level, depth, inFraction);
            row->kids.push_back(std::move(atom));
        }
        return row;
    }

    Node parseScripts(Node base, int level, int depth, bool inFraction) {
        Node sup, sub;
        for (;;) {
            skipSpaces();
            const QChar c = peek();
            if (c != u'^' && c != u'_') break;
            ++pos_;
            Node arg = parseArgument(std::min(level + 1, 3), depth + 1, inFraction);
            (c == u'^' ? sup : sub) = std::move(arg);
        }
        if (!sup && !sub) return base;
        // "{\sin{x}}^{2}" is the square of sin x; without parentheses it would read as sin x².
        if (base->kind == TexNode::Kind::Row && base->kids.size() == 1 && base->kids[0]->application)
            base = std::move(base->kids[0]);
        if (base->application) {
            Node fence = MakeNode(TexNode::Kind::Fence, level);
            fence->open = u'(';
            fence->close = u')';
            fence->kids.push_back(std::move(base));
            base = std::move(fence);
        }
        Node scripts = MakeNode(TexNode::Kind::Scripts, level);
        scripts->kids.push_back(std::move(base));
        scripts->kids.push_back(std::move(sup));
        scripts->kids.push_back(std::move(sub));
        return scripts;
    }

    // The argument of ^, _, \frac, \sqrt: a braced group or one atom.
    Node parseArgument(int level, int depth, bool inFraction) {
        skipSpaces();
        if (atEnd() || peek() == u'}' || peek() == u')') return MakeNode(TexNode::Kind::Row, level);
        if (peek() == u'{') return parseGroup(level, depth, inFraction);
        Node atom = parseAtom(level, depth, inFraction);
        return atom ? std::move(atom) : MakeNode(TexNode::Kind::Row, level);
    }

    Node parseGroup(int level, int depth, bool inFraction) {
        ++pos_;  // '{'
        if (depth >= kMaxDepth) return flatText(level, u'}');
        Node row = parseRow(level, depth + 1, inFraction, u'}');
        if (peek() == u'}') ++pos_;
        return row;
    }

    // The rest of a too deeply nested group, as typed, up to its closer.
    Node flatText(int level, QChar closer) {
        QString text;
        int open = 0;
        while (!atEnd()) {
            const QChar c = s_[pos_];
            if (c == u'{' || c == u'(') ++open;
            if (c == closer && open == 0) {
                ++pos_;
                break;
            }
            if ((c == u'}' || c == u')') && open > 0) --open;
            text += c;
            ++pos_;
        }
        return MakeText(text, false, level);
    }

    Node parseFence(int level, int depth, bool inFraction) {
        ++pos_;  // '('
        if (depth >= kMaxDepth) {
            Node flat = flatText(level, u')');
            flat->text = QLatin1Char('(') + flat->text + QLatin1Char(')');
            return flat;
        }
        Node fence = MakeNode(TexNode::Kind::Fence, level);
        fence->open = u'(';
        fence->kids.push_back(parseRow(level, depth + 1, inFraction, u')'));
        if (peek() == u')') {
            fence->close = u')';
            ++pos_;
        }
        return fence;
    }

    Node parseAtom(int level, int depth, bool inFraction);
    Node parseControl(int level, int depth, bool inFraction);

    // \text{…}: words as typed, upright, spaces and all; a backslash takes
    // the character after it as it is (\{, \}, \\), so any typed text fits.
    Node parseText(int level) {
        ++pos_;  // '{'
        QString text;
        while (!atEnd() && peek() != u'}') {
            if (peek() == u'\\' && pos_ + 1 < s_.size()) ++pos_;
            const QChar c = s_[pos_++];
            if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) continue;
            text += c;
        }
        if (peek() == u'}') ++pos_;
        return MakeText(text, false, level);
    }

    // The argument of \sqrt and \abs without the parentheses the writer puts
    // around sums: the radical's bar and the bars already group it.
    static Node StripFence(Node arg) {
        TexNode* n = arg.get();
        if (n->kind == TexNode::Kind::Row && n->kids.size() == 1 && n->kids[0]->kind == TexNode::Kind::Fence &&
            !n->kids[0]->open.isNull() && !n->kids[0]->close.isNull())
            return std::move(n->kids[0]->kids[0]);
        return arg;
    }

    QString s_;
    qsizetype pos_ = 0;
};

Node Parser::parseAtom(int level, int depth, bool inFraction) {
    const QChar c = peek();
    if (c == u'{') return parseGroup(level, depth, inFraction);
    if (c == u'(') return parseFence(level, depth, inFraction);
    if (c == u'\\') return parseControl(level, depth, inFraction);
    if (c == u'^' || c == u'_') return MakeNode(TexNode::Kind::Row, level);  // script of nothing
    if (c.isDigit() || c == u'.') {
        QString number;
        while (!atEnd() && (peek().isDigit() || peek() == u'.')) number += s_[pos_++];
        // An exponent in number notation ("1.5e-7") stays part of the number.
        const QChar e = peek();
        if (e == u'e' || e == u'E') {
            qsizetype at = pos_ + 1;
            if (at < s_.size() && (s_[at] == u'+' || s_[at] == u'-')) ++at;
            if (at < s_.size() && s_[at].isDigit()) {
                while (at < s_.size() && s_[at].isDigit()) ++at;
                number += s_.mid(pos_, at - pos_);
                pos_ = at;
            }
        }
        return MakeText(number, false, level);
    }
    if (c.isLetter()) {
        // The number pi prints as "PI"; every other letter is a variable.
        if (s_.mid(pos_, 2) == QLatin1String("PI")) {
            pos_ += 2;
            return MakeText(QString(QChar(u'\u03C0')), true, level);
        }
        ++pos_;
        return MakeText(QString(c), true, level);
    }
    ++pos_;
    switch (c.unicode()) {
        case u'+': case u'=': case u'<': case u'>': case u',': case u';': case u':':
            return MakeOperator(QString(c), level);
        case u'-': return MakeOperator(QString(QChar(u'\u2212')), level);
        case u'*': return MakeOperator(QString(QChar(u'\u22C5')), level);
        default: break;
    }
    if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) return nullptr;
    return MakeText(QString(c), false, level);
}

Node Parser::parseControl(int level, int depth, bool inFraction) {
    ++pos_;  // backslash
    QString word;
    while (!atEnd() && peek().isLetter() && peek().unicode() < 128) word += s_[pos_++];
    if (word.isEmpty()) {
        if (atEnd()) return MakeText(QStringLiteral("\\"), false, level);
        const QChar c = s_[pos_++];
        if (c == u',') return MakeSpace(0.17, level);
        if (c == u':' || c == u'>') return MakeSpace(0.22, level);
        if (c == u';') return MakeSpace(0.28, level);
        if (c == u' ') return MakeSpace(0.33, level);
        if (c == u'!') return MakeSpace(-0.1, level);
        return MakeText(QString(c), false, level);  // \{ \} \\ and the like
    }
    if (word == QLatin1String("left") || word == QLatin1String("right")) return nullptr;  // fences grow anyway
    if (word == QLatin1String("text") && peek() == u'{') return parseText(level);
    if (depth >= kMaxDepth) return MakeText(word, false, level);
    if (word == QLatin1String("frac")) {
        const int inner = inFraction ? std::min(level + 1, 3) : level;
        Node f = MakeNode(TexNode::Kind::Fraction, level);
        f->kids.push_back(parseArgument(inner, depth + 1, true));
        f->kids.push_back(parseArgument(inner, depth + 1, true));
        return f;
    }
    if (word == QLatin1String("sqrt") || word == QLatin1String("abs")) {
        Node n = MakeNode(word == QLatin1String("sqrt") ? TexNode::Kind::Root : TexNode::Kind::Bars, level);
        n->kids.push_back(StripFence(parseArgument(level, depth + 1, inFraction)));
        return n;
    }
    for (const Symbol& s : kSymbols)
        if (word == QLatin1String(s.word)) {
            const QString text(QChar(s.ch));
            return s.op ? MakeOperator(text, level) : MakeText(text, s.italic, level);
        }
    // A function word, or any other word shown upright as a name; a braced
    // argument right after it is its argument.
    Node name = MakeText(word, false, level);
    if (!IsFunctionWord(word)) return name;
    skipSpaces();
    if (peek() != u'{') return name;
    Node arg = parseGroup(level, depth, inFraction);
    Node row = MakeNode(TexNode::Kind::Row, level);
    row->application = true;
    const bool fenced = !arg->kids.empty() && arg->kids[0]->kind == TexNode::Kind::Fence;
    row->kids.push_back(std::move(name));
    if (!fenced) row->kids.push_back(MakeSpace(0.17, level));
    row->kids.push_back(std::move(arg));
    return row;
}

}  // namespace

std::unique_ptr<TexNode> ParseTex(const std::string& latex) {
    size_t n = std::min(latex.size(), kTexMaxInput);
    // Cut on a character boundary, not inside a multi-byte sequence.
    while (n > 0 && n < latex.size() && (static_cast<unsigned char>(latex[n]) & 0xC0) == 0x80) --n;
    QString text = QString::fromUtf8(latex.data(), qsizetype(n));
    // Labels are Latin letters, Greek letters and mathematical symbols; other
    // scripts (stray bytes, mostly) show as the replacement character rather
    // than sending the font machinery looking for a face that shapes them.
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        const bool known = u < 0x0250 || (u >= 0x0370 && u < 0x0400) || (u >= 0x2000 && u < 0x2C00);
        if (!known) c = QChar(QChar::ReplacementCharacter);
    }
    return Parser(text).parseAll();
}
