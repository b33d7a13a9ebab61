// SPDX-License-Identifier: MIT
#pragma once
// A label the teacher typed, as a textbook prints it. Words of two or more
// letters that are not names of the equation language stay words (upright,
// with the spaces typed between them); the rest is read as maths and set as
// the equation labels are (italic variables, raised exponents, fractions);
// what does not read as maths is shown as it was typed. Any text is a label:
// nothing is refused, nothing is lost.
#include <memory>
#include <string>
#include <vector>

namespace MathEx {

class MathExp;

class UserLabel {
public:
    struct Piece {
        enum class Kind {
            Words,     // upright text with its spaces: "Parabola ", "tangent at "
            Maths,     // an expression; `expression` holds it parsed
            Relation,  // "=", "<", "≤", "," … between two pieces of maths
            Text,      // typed text that does not read as maths, shown as typed
        };
        Kind kind;
        std::string text;   // as typed (Relation: the relation's own character)
        std::string latex;  // what the label typesetter reads for this piece
        std::shared_ptr<const MathExp> expression;  // Maths only
    };

    // The longest stretch of a text that is laid out, in bytes: the typesetter
    // shows no more, and the cut bounds the work for any text.
    static constexpr size_t kMaxLaidOut = 2000;

    UserLabel() = default;
    explicit UserLabel(const std::string& text);

    const std::vector<Piece>& pieces() const { return pieces_; }
    // The whole label in the typesetter's dialect: words as \text{…}.
    const std::string& latex() const { return latex_; }

    // The LaTeX of a typed text, as latex() gives it.
    static std::string Latex(const std::string& text) { return UserLabel(text).latex(); }
    // `text` inside \text{…}: backslashes and braces escaped, the rest as typed.
    static std::string TextLatex(const std::string& text);

private:
    static std::vector<Piece> MathsPieces(const std::string& chunk);
    void addPiece(Piece::Kind kind, std::string text, std::string latex,
                  std::shared_ptr<const MathExp> expression = nullptr);

    std::vector<Piece> pieces_;
    std::string latex_;
};

}  // namespace MathEx
