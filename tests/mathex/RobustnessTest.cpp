// SPDX-License-Identifier: MIT
// Hostile and huge inputs: nothing may crash, hang or exhaust the call stack,
// and every walk over the tree must cope with the deepest tree the parser builds.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mathex/MathExp.h"

namespace MathEx {
namespace {

std::string Repeat(const std::string& piece, size_t times) {
    std::string s;
    s.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) s += piece;
    return s;
}

// Exercises every walk: analysis and layout (inside Parse), evaluation, value,
// slope, the texts, the copy, and the destruction of both trees.
void WalkEverything(const std::string& text) {
    MathExp m;
    ASSERT_TRUE(m.Parse(text)) << text.substr(0, 40);
    if (m.Main()) (void)m.Evaluate(0.5);
    (void)m.Value(0.5, 0.25);
    (void)m.Slope(0.5, 0.25);
    EXPECT_FALSE(m.ToText(TEXT_PLAIN).empty());
    EXPECT_FALSE(m.ToText(TEXT_LATEX).empty());
    EXPECT_FALSE(m.ToText(TEXT_TEXTBOOK).empty());
    MathExp copy(m);
    EXPECT_EQ(copy.form, m.form);
    EXPECT_EQ(copy.type, m.type);
}

TEST(Robustness, LongLeftLeaningSumUpToTheLengthLimit) {
    const std::string text = "y = x" + Repeat("+x", 49990);
    WalkEverything(text);
    MathExp m;
    ASSERT_TRUE(m.Parse(text));
    EXPECT_EQ(m.type, PT_LINE);
    EXPECT_DOUBLE_EQ(m.coeffs[0], 49991);
    // A megabyte is refused before any tree is built.
    EXPECT_FALSE(m.Parse("y = x" + Repeat("+x", 500000)));
    EXPECT_EQ(m.LastError().status, ParseStatus::TooLong);
    EXPECT_DOUBLE_EQ(m.coeffs[0], 49991);
}

// Depths just inside the parser's stack, counting the stack entries that one
// level of the text (and of its written-back form) needs.
TEST(Robustness, DeepChainsAtTheNestingLimit) {
    WalkEverything("y = " + Repeat("-", 9990) + "x");
    WalkEverything("y = " + Repeat("sin ", 4990) + "x");  // written back as sin(sin(…))
    WalkEverything("y = " + Repeat("(x+", 3320) + "x" + Repeat(")", 3320));
    WalkEverything("y = " + Repeat("2^(", 3320) + "x" + Repeat(")", 3320));
    WalkEverything("y = " + Repeat("x_", 4990) + "n");
}

// A copy holds a copy of the tree, so even a tree whose text would be too
// deep to read back copies whole.
TEST(Robustness, CopyOfTheDeepestTreeIsWhole) {
    MathExp m;
    ASSERT_TRUE(m.Parse("y = " + Repeat("sin ", 9990) + "x"));
    MathExp copy(m);
    ASSERT_NE(copy.GetRoot(), nullptr);
    EXPECT_EQ(copy.form, FORM_EXPLICIT);
    EXPECT_EQ(copy.Evaluate(0.5), m.Evaluate(0.5));
}

TEST(Robustness, DeepLeftLeaningPowersAndQuotients) {
    WalkEverything("y = x" + Repeat("^x", 49990));
    WalkEverything("y = x" + Repeat("/2", 49990));
    // Each power raises the subtree above the next one, moving a growing
    // subtree at every level: the layout must stay linear.
    WalkEverything("y = " + Repeat("(", 3000) + "x" + Repeat("^2)*x", 3000));
    WalkEverything("y = x" + Repeat("*x", 49990));  // degree 49991
}

TEST(Robustness, RandomBytesAndTokenSoup) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    const char* pieces[] = {"x", "y", "(", ")", "+", "-", "*", "/", "^", "=", "_", ",", "sin", "sqrt",
                            "2", "0.5", "PI", "E", "1e999", "f", " ", "abs", "log"};
    std::uniform_int_distribution<int> piece(0, int(std::size(pieces)) - 1);
    MathExp m;
    ASSERT_TRUE(m.Parse("y = x"));
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int len = 1 + i % 40;
        for (int k = 0; k < len; ++k) {
            if (i % 2) text += char(byte(rng));
            else text += pieces[piece(rng)];
        }
        MathExp probe(m);
        if (probe.Parse(text)) {
            ++accepted;
            (void)probe.ToText(TEXT_PLAIN);
            (void)probe.ToText(TEXT_TEXTBOOK);
            (void)probe.Value(1, 2);
            (void)probe.Slope(1, 2);
            (void)probe.ExtremePoints();
            (void)probe.CanonicalText();
            probe.Translate(1, 1);
            (void)probe.Rebuild();
            if (probe.Main()) (void)probe.Evaluate(1);
        } else {
            EXPECT_EQ(probe.ToText(TEXT_PLAIN), "y=x");
        }
    }
    EXPECT_GT(accepted, 100);
}

}  // namespace
}  // namespace MathEx
