// SPDX-License-Identifier: MIT
// Labels as a textbook prints them: what the typesetter makes of the
// equation's textbook text, against the tree's LaTeX it drew before, and the
// spacing and parentheses that text relies on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "mathex/MathExp.h"
#include "mathex/RandomExpression.h"
#include "mathex/UserLabel.h"
#include "render/TexLayout.h"
#include "render/TexParser.h"
#include "render/Typesetter.h"

namespace {

constexpr double kEm = 16.0;
const QChar kDot(0x22C5);

class TextbookLabel : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Typesetter::EnsureGuiApplication()); }

    static std::string Text(const std::string& equation, int mode) {
        MathEx::MathExp m;
        EXPECT_TRUE(m.Parse(equation)) << equation;
        return m.ToText(mode);
    }
    static std::unique_ptr<TexNode> Laid(const std::string& latex) {
        std::unique_ptr<TexNode> root = ParseTex(latex);
        TexLayout layout(kEm);
        layout.layout(*root);
        return root;
    }
    // The glyph runs and operators of a label, in reading order.
    static std::vector<const TexNode*> Glyphs(const TexNode& root) {
        std::vector<const TexNode*> out;
        std::function<void(const TexNode&)> walk = [&](const TexNode& n) {
            if (n.kind == TexNode::Kind::Text || n.kind == TexNode::Kind::Operator) out.push_back(&n);
            for (const auto& k : n.kids)
                if (k) walk(*k);
        };
        walk(root);
        return out;
    }
};

// What matters on the page, for each equation: narrower than the tree's
// LaTeX made it, no dot between a number and a letter, no zero drawn for a
// term that is left out.
TEST_F(TextbookLabel, ReadsLikeATextbook) {
    struct Row {
        const char* equation;
        bool zeroLeftOut;  // a zero term of the equation is not drawn
    };
    const Row rows[] = {
        {"y = 2x + 1", false},
        {"y = 0.1963*x^3 + 0*x^2 - 1.9687*x - 0", true},
        {"y = 1*x^2 - 1*x", false},
        {"y = 2*sin(x)", false},
        {"y = (x-1)*(x+2)", false},
        {"y = x^2*y", false},
        {"y = 3*(x + 1) + 0", true},
    };
    for (const Row& r : rows) {
        const auto textbook = Typesetter::Typeset(Text(r.equation, MathEx::TEXT_TEXTBOOK));
        const auto latex = Typesetter::Typeset(Text(r.equation, MathEx::TEXT_LATEX));
        ASSERT_TRUE(textbook && latex) << r.equation;
        EXPECT_LT(textbook->width, latex->width) << r.equation;

        const std::unique_ptr<TexNode> root = ParseTex(Text(r.equation, MathEx::TEXT_TEXTBOOK));
        const std::vector<const TexNode*> glyphs = Glyphs(*root);
        for (size_t i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i]->kind == TexNode::Kind::Operator && glyphs[i]->text == QString(kDot))
                ADD_FAILURE() << r.equation << ": a dot between factors";
            if (r.zeroLeftOut && glyphs[i]->text == QStringLiteral("0"))
                ADD_FAILURE() << r.equation << ": a zero is drawn";
        }
    }
}

// Two numbers side by side would read as one: there the dot stays.
TEST_F(TextbookLabel, DotBetweenNumbers) {
    const std::unique_ptr<TexNode> root = ParseTex(Text("y = 2*3", MathEx::TEXT_TEXTBOOK));
    const std::vector<const TexNode*> glyphs = Glyphs(*root);
    ASSERT_EQ(glyphs.size(), 5u);
    EXPECT_EQ(glyphs[3]->text, QString(kDot));
}

// A function word keeps a thin space from the factors beside it ("2 sin x",
// "sin x cos x"); after its parentheses and between a number and a letter
// nothing is added.
TEST_F(TextbookLabel, ThinSpaceBesideFunctionWords) {
    struct Row {
        const char* together;
        const char* left;
        const char* right;
        double extraEms;
    };
    const Row rows[] = {
        {"2\\sin{x}", "2", "\\sin{x}", 0.17},
        {"x\\sin{x}", "x", "\\sin{x}", 0.17},
        {"\\sin{x}\\cos{x}", "\\sin{x}", "\\cos{x}", 0.17},
        {"\\sin{(x)}y", "\\sin{(x)}", "y", 0},
        {"2x", "2", "x", 0},
    };
    for (const Row& r : rows) {
        const double apart = Laid(r.left)->width + Laid(r.right)->width + r.extraEms * kEm;
        // An italic letter before an upright word adds its overhang.
        EXPECT_NEAR(Laid(r.together)->width, apart, 1.0) << r.together;
    }
}

// The font's own parentheses where they cover what they hold but for a
// descender or an exponent, as in print: the fence reaches no further than
// the taller of its content and the font's parenthesis. Grown ones for a
// fraction.
TEST_F(TextbookLabel, FontParenthesesWhereTheyFit) {
    const std::unique_ptr<TexNode> paren = Laid("()");
    for (const char* content : {"y+2", "{x}^{2}+1", "f+1", "{x}_{n}+1"}) {
        const std::unique_ptr<TexNode> inner = Laid(content);
        const std::unique_ptr<TexNode> fenced = Laid("(" + std::string(content) + ")");
        EXPECT_NEAR(fenced->ascent, std::max(inner->ascent, paren->ascent), 0.01) << content;
        EXPECT_NEAR(fenced->descent, std::max(inner->descent, paren->descent), 0.01) << content;
    }
    EXPECT_GT(Laid("(\\frac{1}{2})")->descent, Laid("\\frac{1}{2}")->descent + 1);
}

std::vector<std::string> LabelPageAndLessons() {
    std::vector<std::string> texts;
    const auto read = [&](const std::filesystem::path& file, const std::string& prefix) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line))
            if (!line.empty() && line[0] != '#' && line.rfind(prefix, 0) == 0) texts.push_back(line.substr(prefix.size()));
    };
    read(std::filesystem::path(KVR_TEST_DATA) / "labels.txt", "");
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(KVR_TEST_DATA) / ".." / ".." / "library" / "sources"))
        read(entry.path(), "type ");
    return texts;
}

// The typesetter reads every textbook text whole: no brace, script mark or
// control word is left over to be drawn as text.
TEST_F(TextbookLabel, EveryTextIsReadWhole) {
    std::vector<std::string> equations = LabelPageAndLessons();
    ASSERT_GT(equations.size(), 40u);
    MathEx::testing::RandomExpression gen(5);
    for (int i = 0; i < 2000; ++i) equations.push_back(gen.Make(1 + i % 4));
    for (const std::string& equation : equations) {
        MathEx::MathExp m;
        if (!m.Parse(equation)) continue;
        const std::string latex = m.ToText(MathEx::TEXT_TEXTBOOK);
        for (const TexNode* g : Glyphs(*ParseTex(latex)))
            for (QChar c : {u'\\', u'{', u'}', u'^', u'_'})
                EXPECT_FALSE(g->text.contains(c)) << equation << " -> " << latex;
    }
}

// A user label as the typesetter reads it, written out: [upright text],
// /italic text/, <operator>, frac(numerator, denominator), base^(superscript).
std::string Described(const TexNode& n) {
    std::string out;
    const auto add = [&out](std::initializer_list<std::string> parts) {
        for (const std::string& p : parts) out.append(p);
    };
    switch (n.kind) {
        case TexNode::Kind::Text:
            add({n.italic ? "/" : "[", n.text.toStdString(), n.italic ? "/" : "]"});
            break;
        case TexNode::Kind::Operator: add({"<", n.text.toStdString(), ">"}); break;
        case TexNode::Kind::Fraction: add({"frac(", Described(*n.kids[0]), ",", Described(*n.kids[1]), ")"}); break;
        case TexNode::Kind::Scripts:
            add({Described(*n.kids[0])});
            if (n.kids[1]) add({"^(", Described(*n.kids[1]), ")"});
            if (n.kids[2]) add({"_(", Described(*n.kids[2]), ")"});
            break;
        case TexNode::Kind::Space: break;
        default: {
            std::string inner;
            for (const auto& k : n.kids)
                if (k) inner.append(Described(*k));
            if (n.kind == TexNode::Kind::Fence) add({"(", inner, ")"});
            else add({inner});
        }
    }
    return out;
}

// Words stay whole and upright with their spaces, never a product of letters;
// the maths beside them is set as an equation label (italic variables,
// raised exponents, fractions); text that is no maths is shown as typed,
// the characters the typesetter reads as markup included.
TEST_F(TextbookLabel, UserLabelsKeepWordsAndTypesetTheMaths) {
    struct Row {
        const char* typed;
        const char* typeset;
    };
    const Row rows[] = {
        {"Parabola P", "[Parabola ]/P/"},
        {"tangent at A", "[tangent at ]/A/"},
        {"Area = 1/2 b h", "[Area]<=>frac([1],[2])/b//h/"},
        {"y = x^2", "/y/<=>/x/^([2])"},
        {"f(x)", "/f/(/x/)"},
        {"P", "/P/"},
        {"Fläche  A", "[Fläche  ]/A/"},
        {"y = 2 3", "/y/<=>[2 3]"},
        {"(((", "[(((]"},
        {"\\ { } % $ < & \"quoted\"", "[\\ { } % $]<<>[& \"][quoted][\"]"},
        {"", ""},
    };
    for (const Row& r : rows) {
        const std::string latex = MathEx::UserLabel::Latex(r.typed);
        EXPECT_EQ(Described(*ParseTex(latex)), r.typeset) << r.typed << " -> " << latex;
    }
}

}  // namespace
