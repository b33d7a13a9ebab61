// SPDX-License-Identifier: MIT
#include "mathex/UserLabel.h"

#include <algorithm>
#include <string_view>

#include "mathex/Functions.h"
#include "mathex/MathExp.h"

namespace MathEx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The code point starting at s[i] and its length in bytes; a byte that starts
// no well-formed sequence is one code point of its own that is no letter.
char32_t CodePointAt(std::string_view s, size_t i, size_t& length) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    length = 1;
    if (b < 0x80) return b;
    const size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (need == 0 || i + need > s.size()) return 0xFFFD;
    char32_t c = b & (0x3F >> (need - 1));
    for (size_t k = 1; k < need; ++k) {
        if (!IsContinuation(s[i + k])) return 0xFFFD;
        c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    length = need;
    return c;
}

// Letters of words: Latin ones, accented ones included ("Fläche"). Greek
// letters are maths symbols in a lesson (π r², α + β), never words.
bool IsWordLetter(char32_t c) {
    if (c < 0x80) return IsAsciiLetter(char(c));
    return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

// A run of letters the equation language reads as maths: a function name
// ("sin", "sqrt"), the name of π, or a function name with its variable
// written against it, as teachers type "sinx".
bool IsLanguageName(std::string_view run) {
    if (run == "PI" || run == "pi" || run == "Pi") return true;
    for (const Function& f : Functions()) {
        const std::string_view name = f.name;
        if (run == name) return true;
        if (run.size() == name.size() + 1 && run.substr(0, name.size()) == name && (run.back() == 'x' || run.back() == 'y'))
            return true;
    }
    return false;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsBlankText(std::string_view s) { return Trimmed(s).empty(); }

// Relations and separators that may stand between two pieces of maths, with
// what the typesetter reads for each; longer spellings first.
struct Relation {
    std::string_view typed;
    std::string_view latex;
};
constexpr Relation kRelations[] = {
    {"<=", "\\le "}, {">=", "\\ge "}, {"!=", "\\ne "}, {"\xE2\x89\xA4", "\\le "}, {"\xE2\x89\xA5", "\\ge "},
    {"\xE2\x89\xA0", "\\ne "}, {"=", "="}, {"<", "<"}, {">", ">"}, {",", ","}, {";", ";"}, {":", ":"},
};

const Relation* RelationAt(std::string_view s, size_t i) {
    for (const Relation& r : kRelations)
        if (s.substr(i, r.typed.size()) == r.typed) return &r;
    return nullptr;
}

// Whether the typesetter spaces this end of the maths by itself: a relation
// is set with space around it, and so is an operator that opens or closes
// an expression, so that a blank typed between it and a word would only add
// more. Text shown as typed keeps the blanks typed beside it.
bool SpacedByItself(const UserLabel::Piece& piece, bool atStart) {
    if (piece.kind == UserLabel::Piece::Kind::Relation) return true;
    if (piece.kind != UserLabel::Piece::Kind::Maths || piece.text.empty()) return false;
    const char c = atStart ? piece.text.front() : piece.text.back();
    return std::string_view("=<>+-*/").find(c) != std::string_view::npos;
}

}  // namespace

std::string UserLabel::TextLatex(const std::string& text) {
    std::string out = "\\text{";
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}') out += '\\';
        out += c;
    }
    out += '}';
    return out;
}

void UserLabel::addPiece(Piece::Kind kind, std::string text, std::string latex,
                         std::shared_ptr<const MathExp> expression) {
    latex_ += latex;
    pieces_.push_back(Piece{kind, std::move(text), std::move(latex), std::move(expression)});
}

// A stretch between words: maths as the equation labels set it when it reads
// as an expression or an equation; otherwise cut at its relations ("= 1/2 b h"
// after the word "Area") and each side read alone, shown as typed if it
// still does not read.
std::vector<UserLabel::Piece> UserLabel::MathsPieces(const std::string& chunk) {
    std::vector<Piece> pieces;
    auto add = [&pieces](std::string_view typed) {
        auto parsed = std::make_shared<MathExp>();
        if (parsed->Parse(std::string(typed)) && parsed->GetRoot()) {
            std::string latex = parsed->ToText(TEXT_TEXTBOOK);
            pieces.push_back(Piece{Piece::Kind::Maths, std::string(typed), std::move(latex), std::move(parsed)});
            return true;
        }
        return false;
    };
    if (add(chunk)) return pieces;
    auto addSide = [&](std::string_view side) {
        side = Trimmed(side);
        if (!side.empty() && !add(side))
            pieces.push_back(Piece{Piece::Kind::Text, std::string(side), TextLatex(std::string(side)), nullptr});
    };
    const std::string_view s = chunk;
    size_t start = 0;
    for (size_t i = 0; i < s.size();) {
        if (const Relation* r = RelationAt(s, i)) {
            addSide(s.substr(start, i - start));
            pieces.push_back(Piece{Piece::Kind::Relation, std::string(r->typed), std::string(r->latex), nullptr});
            i += r->typed.size();
            start = i;
        } else {
            ++i;
        }
    }
    addSide(s.substr(start));
    return pieces;
}

UserLabel::UserLabel(const std::string& typed) {
    // Cut on a character boundary, and without the blanks at either end,
    // which the label would only push away from its corner.
    size_t n = std::min(typed.size(), kMaxLaidOut);
    while (n > 0 && n < typed.size() && IsContinuation(typed[n])) --n;
    const std::string_view text = Trimmed(std::string_view(typed).substr(0, n));

    // The text as alternating parts: words and what stands between them.
    struct Part {
        bool word;
        std::string_view text;
    };
    std::vector<Part> parts;
    auto addOther = [&](std::string_view s) {
        if (s.empty()) return;
        if (!parts.empty() && !parts.back().word)
            parts.back().text = std::string_view(parts.back().text.data(), parts.back().text.size() + s.size());
        else
            parts.push_back({false, s});
    };
    for (size_t i = 0; i < text.size();) {
        size_t length = 0;
        if (!IsWordLetter(CodePointAt(text, i, length))) {
            addOther(text.substr(i, length));
            i += length;
            continue;
        }
        size_t end = i, letters = 0;
        while (end < text.size() && IsWordLetter(CodePointAt(text, end, length))) {
            end += length;
            ++letters;
        }
        const std::string_view run = text.substr(i, end - i);
        // A run carrying an exponent or an index ("xy^2", "ab_1") is a product of variables.
        const bool scripted = end < text.size() && (text[end] == '^' || text[end] == '_');
        if (letters >= 2 && !scripted && !IsLanguageName(run)) parts.push_back({true, run});
        else addOther(run);
        i = end;
    }

    // Words and the blanks between them make one upright piece; the blank
    // between a word and maths stays unless the maths spaces that end itself.
    std::string words;
    auto flushWords = [&] {
        if (words.empty()) return;
        addPiece(Piece::Kind::Words, words, TextLatex(words));
        words.clear();
    };
    for (size_t k = 0; k < parts.size(); ++k) {
        const Part& part = parts[k];
        const bool wordAfter = k + 1 < parts.size() && parts[k + 1].word;
        if (part.word) {
            words += part.text;
            continue;
        }
        if (IsBlankText(part.text)) {
            if (!words.empty() && wordAfter) words += part.text;
            continue;
        }
        const std::string_view core = Trimmed(part.text);
        const std::string_view lead = part.text.substr(0, size_t(core.data() - part.text.data()));
        const std::string_view trail = part.text.substr(lead.size() + core.size());
        std::vector<Piece> maths = MathsPieces(std::string(core));
        if (!words.empty() && !maths.empty() && !SpacedByItself(maths.front(), true)) words += lead;
        flushWords();
        for (Piece& piece : maths) addPiece(piece.kind, std::move(piece.text), std::move(piece.latex), std::move(piece.expression));
        if (wordAfter && !maths.empty() && !SpacedByItself(maths.back(), false)) words = std::string(trail);
    }
    flushWords();
}

}  // namespace MathEx
