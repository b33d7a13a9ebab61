// SPDX-License-Identifier: MIT
// The label typesetter: the shapes of its boxes relative to each other, its
// bitmaps, the two-call contract, and input it was never meant to see.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "render/EglContext.h"
#include "render/GL.h"
#include "render/GlPainter.h"
#include "render/TexLayout.h"
#include "render/TexParser.h"
#include "render/Typesetter.h"

namespace {

constexpr double kEm = 16.0;

struct Box {
    double width, ascent, descent;
    double height() const { return ascent + descent; }
};

class TypesetterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Typesetter::EnsureGuiApplication()); }

    static Box box(const std::string& latex) {
        std::unique_ptr<TexNode> root = ParseTex(latex);
        TexLayout layout(kEm);
        layout.layout(*root);
        return {root->width, root->ascent, root->descent};
    }
    // The first node of a kind, depth first.
    static const TexNode* find(const TexNode& n, TexNode::Kind kind) {
        if (n.kind == kind) return &n;
        for (const auto& k : n.kids)
            if (k)
                if (const TexNode* f = find(*k, kind)) return f;
        return nullptr;
    }
    static long ink(const LabelBitmap& b) {
        return std::count_if(b.coverage.begin(), b.coverage.end(), [](unsigned char c) { return c > 128; });
    }
};

// Each row: what `bigger` must exceed `smaller` in.
enum class Measure { Width, Height, Ascent, Descent };
struct Comparison {
    const char* name;
    const char* bigger;
    const char* smaller;
    Measure measure;
};

double Of(const Box& b, Measure m) {
    switch (m) {
        case Measure::Width: return b.width;
        case Measure::Height: return b.height();
        case Measure::Ascent: return b.ascent;
        case Measure::Descent: return b.descent;
    }
    return 0;
}

TEST_F(TypesetterTest, BoxesCompareAsInPrint) {
    const Comparison rows[] = {
        {"fraction taller than its numerator", "\\frac{x+1}{2}", "x+1", Measure::Height},
        {"fraction taller than its denominator", "\\frac{x+1}{2}", "2", Measure::Height},
        {"fraction as wide as its wider part", "\\frac{x+1}{2}", "x+1", Measure::Width},
        {"exponent raises the top", "{x}^{2}", "x", Measure::Ascent},
        {"root wider than radicand", "\\sqrt{x+1}", "x+1", Measure::Width},
        {"root taller than radicand", "\\sqrt{x+1}", "x+1", Measure::Ascent},
        {"parentheses grow around a fraction", "(\\frac{1}{2})", "(x)", Measure::Height},
        {"subscript lowers the bottom", "{x}_{n}", "x", Measure::Descent},
        {"absolute value adds bars", "\\abs{x}", "x", Measure::Width},
        {"function name is set apart from its argument", "\\sin{x}", "sinx", Measure::Width},
        {"binary minus is spaced, a sign is not", "1-x", "-x1", Measure::Width},
    };
    for (const Comparison& r : rows)
        EXPECT_GT(Of(box(r.bigger), r.measure), Of(box(r.smaller), r.measure) + 0.5) << r.name;
}

TEST_F(TypesetterTest, ScriptsShrinkToAFloor) {
    // The exponent of an exponent is smaller again, and deeper ones stop shrinking.
    const Box one = box("2");
    const Box two = box("{2}^{2}");
    const Box three = box("{2}^{{2}^{2}}");
    EXPECT_GT(two.ascent, one.ascent);
    EXPECT_GT(three.ascent, two.ascent);
    std::unique_ptr<TexNode> root = ParseTex("{2}^{{2}^{{2}^{{2}^{2}}}}");
    TexLayout layout(kEm);
    layout.layout(*root);
    // The digit "2" is the base at every level: its height is the size of that level.
    std::vector<double> heights;
    for (const TexNode* n = find(*root, TexNode::Kind::Scripts); n; n = find(*n->kids[1], TexNode::Kind::Scripts))
        heights.push_back(n->kids[0]->ascent);
    ASSERT_EQ(heights.size(), 4u);
    EXPECT_LT(heights[1], heights[0] - 1);
    EXPECT_LT(heights[2], heights[1] - 1);
    EXPECT_NEAR(heights[3], heights[2], 0.01) << "scripts stop shrinking at the floor";
    EXPECT_GT(heights[3], 0.4 * heights[0]);
}

TEST_F(TypesetterTest, RootAndBarsDropTheWritersParentheses) {
    for (const char* latex : {"\\sqrt{(x+1)}", "\\abs{(x-1)}"}) {
        std::unique_ptr<TexNode> root = ParseTex(latex);
        EXPECT_EQ(find(*root, TexNode::Kind::Fence), nullptr) << latex;
    }
    std::unique_ptr<TexNode> root = ParseTex("{\\sin{x}}^{2}");
    EXPECT_NE(find(*root, TexNode::Kind::Fence), nullptr) << "(sin x)², not sin x²";
}

TEST_F(TypesetterTest, LettersItalicNumbersAndNamesUpright) {
    std::unique_ptr<TexNode> root = ParseTex("y=2 \\cdot \\sin{x}+\\ln{x}+PI");
    std::vector<std::pair<QString, bool>> texts;
    std::function<void(const TexNode&)> walk = [&](const TexNode& n) {
        if (n.kind == TexNode::Kind::Text) texts.emplace_back(n.text, n.italic);
        for (const auto& k : n.kids)
            if (k) walk(*k);
    };
    walk(*root);
    const std::vector<std::pair<QString, bool>> expected = {{"y", true},  {"2", false},  {"sin", false},
                                                            {"x", true},  {"ln", false}, {"x", true},
                                                            {QString(QChar(0x3C0)), true}};
    EXPECT_EQ(texts, expected);

    texts.clear();
    walk(*ParseTex("1.5e-7 \\cdot e"));
    const std::vector<std::pair<QString, bool>> number = {{"1.5e-7", false}, {"e", true}};
    EXPECT_EQ(texts, number) << "a number's exponent is part of the number; Euler's e is a letter";
}

TEST_F(TypesetterTest, TwoCallContract) {
    int w = -1, h = -1;
    const int bytes = CreateEqnGLBitmapAA("y=\\frac{1}{x}", 5, &w, &h, nullptr);
    ASSERT_GT(bytes, 0);
    EXPECT_EQ(bytes, w * h);
    std::vector<unsigned char> buffer(size_t(bytes), 7);
    int w2 = 0, h2 = 0;
    EXPECT_EQ(CreateEqnGLBitmapAA("y=\\frac{1}{x}", 5, &w2, &h2, buffer.data()), bytes);
    EXPECT_EQ(w2, w);
    EXPECT_EQ(h2, h);
    EXPECT_GT(std::count_if(buffer.begin(), buffer.end(), [](unsigned char c) { return c > 128; }), 20);

    EXPECT_EQ(CreateEqnGLBitmapAA("", 5, &w, &h, nullptr), 0);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(CreateEqnGLBitmapAA(nullptr, 5, &w, &h, nullptr), 0);
    EXPECT_GT(CreateEqnGLBitmapAA("x", 5, nullptr, nullptr, nullptr), 0);
}

TEST_F(TypesetterTest, LabelSizeIsTwelvePointText) {
    // 12 pt at 96 dpi is a 16-pixel em: a plain label is about that high.
    const auto b = Typesetter::Typeset("y=x+1");
    ASSERT_TRUE(b);
    EXPECT_GE(b->height, 14);
    EXPECT_LE(b->height, 24);
    EXPECT_GT(ink(*b), 30);
    EXPECT_GT(b->baseline, 0);
    EXPECT_LT(b->baseline, b->height);
}

TEST_F(TypesetterTest, FirstRowIsTheBottom) {
    // A fraction bar over a wide denominator: the denominator "xxxx" is below
    // the bar, so the lower rows hold more ink than the rows of the "1".
    const auto b = Typesetter::Typeset("\\frac{1}{xxxxxxxx}");
    ASSERT_TRUE(b);
    long low = 0, high = 0;
    for (int row = 0; row < b->height / 3; ++row)
        for (int col = 0; col < b->width; ++col) low += b->coverage[size_t(row) * b->width + col] > 128;
    for (int row = 2 * b->height / 3; row < b->height; ++row)
        for (int col = 0; col < b->width; ++col) high += b->coverage[size_t(row) * b->width + col] > 128;
    EXPECT_GT(low, 2 * high);
}

TEST_F(TypesetterTest, HighDpiRendersMorePixels) {
    const auto one = Typesetter::Typeset("{x}^{2}+1", 5, 1.0);
    const auto two = Typesetter::Typeset("{x}^{2}+1", 5, 2.0);
    ASSERT_TRUE(one && two);
    EXPECT_NEAR(two->width, 2 * one->width, 4);
    EXPECT_NEAR(two->height, 2 * one->height, 4);
    EXPECT_GT(ink(*two), 3 * ink(*one)) << "rendered at twice the pixels, not scaled";
}

TEST_F(TypesetterTest, CachedLabelsAreTypesetOnce) {
    Typesetter::ClearCache();
    const long before = Typesetter::TypesetCount();
    int w = 0, h = 0;
    const int bytes = CreateEqnGLBitmapAA("y=x+42", 5, &w, &h, nullptr);
    std::vector<unsigned char> buffer(static_cast<size_t>(bytes));
    CreateEqnGLBitmapAA("y=x+42", 5, &w, &h, buffer.data());
    Typesetter::Typeset("y=x+42", 5, 1.0);
    EXPECT_EQ(Typesetter::TypesetCount(), before + 1);
    Typesetter::Typeset("y=x+42", 5, 2.0);
    EXPECT_EQ(Typesetter::TypesetCount(), before + 2) << "another ratio is another bitmap";
}

TEST_F(TypesetterTest, AnyInputGivesABoundedNonEmptyImage) {
    std::mt19937 rng(7);
    std::vector<std::string> inputs = {
        "}}}{{{", "{{{{x", "\\frac", "\\frac{1}", "\\sqrt", "^", "_", "x^", "{}^{}", "((((x", "x))))",
        "\\", "\\unknownword{x}", "\\left(x\\right)", "\xff\xfe\x01\x02", "\t\n", "{(x}",
        std::string(100000, '{'), std::string(100000, 'x'), std::string(100000, '('),
    };
    std::string frac;
    while (frac.size() < 100000) frac += "\\frac{";
    inputs.push_back(frac);
    std::string power;
    while (power.size() < 100000) power += "{x}^{";
    inputs.push_back(power);
    for (int i = 0; i < 20; ++i) {
        std::string bytes(size_t(1 + rng() % 300), ' ');
        for (char& c : bytes) c = char(rng() % 256);
        inputs.push_back(bytes);
    }
    for (const std::string& in : inputs) {
        int w = 0, h = 0;
        const int bytes = CreateEqnGLBitmapAA(in.c_str(), 5, &w, &h, nullptr);
        if (std::strlen(in.c_str()) == 0) continue;  // embedded NUL first: an empty text
        EXPECT_GT(w, 0) << in.substr(0, 40);
        EXPECT_GT(h, 0) << in.substr(0, 40);
        EXPECT_LE(w, Typesetter::kMaxLabelWidth);
        EXPECT_LE(h, Typesetter::kMaxLabelHeight);
        EXPECT_EQ(bytes, w * h);
    }
}

}  // namespace

namespace {

// GlPainter's own labels: measured and drawn from one typesetting, the same
// logical size at any device pixel ratio, drawn as ink at their corner.
TEST(TypesetterGl, SurfaceMeasuresAndDrawsFromOneTypesetting) {
    ASSERT_TRUE(Typesetter::EnsureGuiApplication());
    EglContext context(200, 100);
    if (!context.ok()) GTEST_SKIP() << "no headless OpenGL context: " << context.error();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 200, 0, 100, -1, 1);  // one unit per pixel
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    Typesetter::ClearCache();
    GlPainter painter;
    const long before = Typesetter::TypesetCount();
    const PixelSize measured = painter.equationImageSize("y={x}^{2}+1");
    const PixelSize drawn = painter.equationImage("y={x}^{2}+1", PointF(10, 10));
    EXPECT_EQ(Typesetter::TypesetCount(), before + 1);
    EXPECT_EQ(measured.width, drawn.width);
    EXPECT_EQ(measured.height, drawn.height);
    EXPECT_GT(drawn.width, 30);

    GlPainter hidpi;
    hidpi.setDevicePixelRatio(2.0);
    const PixelSize logical = hidpi.equationImageSize("y={x}^{2}+1");
    EXPECT_NEAR(logical.width, measured.width, 2);
    EXPECT_NEAR(logical.height, measured.height, 2);

    // A presenting view's labels are set larger, and measure so, at any ratio:
    // the graph places them by the room they take.
    for (const double ratio : {1.0, 2.0}) {
        GlPainter presenting;
        presenting.setDevicePixelRatio(ratio);
        presenting.setMagnification(1.6);
        const PixelSize larger = presenting.equationImageSize("y={x}^{2}+1");
        EXPECT_NEAR(larger.width, 1.6 * measured.width, 3) << "ratio " << ratio;
        EXPECT_NEAR(larger.height, 1.6 * measured.height, 3) << "ratio " << ratio;
    }

    glFinish();
    const std::vector<unsigned char> rgba = context.readPixels();  // top row first
    long ink = 0, outside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool dark = rgba[(size_t(y) * 200 + x) * 4] < 128;
            const int gy = 99 - y;  // from the bottom
            const bool inBox = x >= 10 && x < 10 + drawn.width && gy >= 10 && gy < 10 + drawn.height;
            (inBox ? ink : outside) += dark;
        }
    EXPECT_GT(ink, 40);
    EXPECT_EQ(outside, 0);
}

}  // namespace
