// SPDX-License-Identifier: MIT
// User labels: words stay words, maths is set by the textbook rules of the
// equation labels, and any other text is shown as typed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mathex/MathExp.h"
#include "mathex/UserLabel.h"

using MathEx::UserLabel;
using Kind = UserLabel::Piece::Kind;

namespace {

struct LatexCase {
    const char* typed;
    const char* latex;
};

class UserLabelLatex : public ::testing::TestWithParam<LatexCase> {};

TEST_P(UserLabelLatex, IsWhatTheTypesetterReads) {
    const LatexCase& c = GetParam();
    EXPECT_EQ(UserLabel::Latex(c.typed), c.latex) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UserLabelLatex,
    ::testing::Values(
        // Words upright with their spaces; maths beside them as an equation label sets it.
        LatexCase{"Parabola P", "\\text{Parabola }P"},
        LatexCase{"tangent at A", "\\text{tangent at }A"},
        LatexCase{"Area = 1/2 b h", "\\text{Area}=\\frac{1}{2}bh"},
        LatexCase{"y = x^2", "y={x}^{2}"},
        LatexCase{"f(x)", "f(x)"},
        LatexCase{"P", "P"},
        LatexCase{"x^2 is the parabola", "{x}^{2}\\text{ is the parabola}"},
        LatexCase{"Fläche A", "\\text{Fläche }A"},
        LatexCase{"two  spaces kept", "\\text{two  spaces kept}"},
        // Names of the language are maths, not words.
        LatexCase{"sin x", "\\sin{x}"},
        LatexCase{"Area = PI r^2", "\\text{Area}=\\pi{r}^{2}"},
        LatexCase{"2*PI", "2\\pi"},
        // A product of variables with an exponent is maths.
        LatexCase{"xy^2", "x{y}^{2}"},
        // What does not read as maths is shown as typed, between the maths that does.
        LatexCase{"y = 2 3", "y=\\text{2 3}"},
        LatexCase{"(((", "\\text{(((}"},
        LatexCase{"a < b, c", "a<b,c"},
        LatexCase{"Parabola P: Area = 1/2 b h", "\\text{Parabola }P:\\text{Area}=\\frac{1}{2}bh"},
        // Blanks beside text that is no maths stay as typed.
        LatexCase{"Area 50% off", "\\text{Area }\\text{50%}\\text{ off}"},
        LatexCase{"50% off", "\\text{50%}\\text{ off}"},
        LatexCase{"\\{}", "\\text{\\\\\\{\\}}"},
        LatexCase{"", ""},
        LatexCase{"   ", ""}));

// Every piece, and the words among them, as the vector drawing reads them.
TEST(UserLabel, PiecesKeepWordsWholeAndMathsParsed) {
    const UserLabel label("Area = 1/2 b h");
    ASSERT_EQ(label.pieces().size(), 3u);
    EXPECT_EQ(label.pieces()[0].kind, Kind::Words);
    EXPECT_EQ(label.pieces()[0].text, "Area");
    EXPECT_EQ(label.pieces()[1].kind, Kind::Relation);
    EXPECT_EQ(label.pieces()[2].kind, Kind::Maths);
    ASSERT_NE(label.pieces()[2].expression, nullptr);
    EXPECT_NE(label.pieces()[2].expression->GetRoot(), nullptr);
}

// No "·" between the letters of a word, whatever the word.
TEST(UserLabel, NoDotBetweenTheLettersOfAWord) {
    for (const char* typed : {"Parabola P", "tangent at A", "Parabola", "The curve y = x^2 and its tangent"}) {
        const std::string latex = UserLabel::Latex(typed);
        EXPECT_EQ(latex.find("\\cdot"), std::string::npos) << typed << ": " << latex;
    }
}

// A text longer than the typesetter shows is cut, on a character boundary.
TEST(UserLabel, ALongTextIsLaidOutOnlyAsFarAsItShows) {
    std::string typed;
    for (int i = 0; i < 2000; ++i) typed += "ä ";
    const UserLabel label(typed);
    ASSERT_FALSE(label.pieces().empty());
    EXPECT_LE(label.latex().size(), UserLabel::kMaxLaidOut + 16);
    std::string all;
    for (const auto& piece : label.pieces()) all += piece.text;
    EXPECT_EQ(all.find("\xC3 "), std::string::npos) << "a character cut in two";
}

}  // namespace
