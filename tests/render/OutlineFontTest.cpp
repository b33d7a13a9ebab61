// SPDX-License-Identifier: MIT
// Outline text in a headless GL context: the lists come and go with the font,
// glyphs fill where they should, and the last code draws nothing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "render/EglContext.h"
#include "render/GL.h"
#include "render/OutlineFont.h"
#include "render/Typesetter.h"

namespace {

constexpr int kSide = 200;

class OutlineFontTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Typesetter::EnsureGuiApplication();
        context_ = std::make_unique<EglContext>(kSide, kSide);
    }
    static void TearDownTestSuite() { context_.reset(); }

    void SetUp() override {
        if (!context_->ok()) GTEST_SKIP() << "no headless OpenGL context: " << context_->error();
        ASSERT_TRUE(context_->makeCurrent());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kSide, 0, kSide, -1, 1);  // one unit per pixel, y up
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(0, 0, 0);
    }

    // Dark pixels in [x0, x1) × [y0, y1), y counted from the bottom.
    static long ink(int x0, int y0, int x1, int y1) {
        const std::vector<unsigned char> rgba = context_->readPixels();  // top row first
        long n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += rgba[(size_t(kSide - 1 - y) * kSide + x) * 4] < 128;
        return n;
    }

    static std::unique_ptr<EglContext> context_;
};

std::unique_ptr<EglContext> OutlineFontTest::context_;

bool AnyList(unsigned base) {
    for (unsigned i = 0; i < 256; ++i)
        if (glIsList(base + i)) return true;
    return false;
}

TEST_F(OutlineFontTest, CreatingAndDestroyingTwiceMakesAndDeletesTheListsTwice) {
    for (int round = 0; round < 2; ++round) {
        OutlineFont font;
        ASSERT_TRUE(font.create(96));
        EXPECT_EQ(font.pixelHeight(), 13) << "10 pt at 96 dpi";
        const unsigned base = font.listBase();
        ASSERT_NE(base, 0u);
        EXPECT_TRUE(glIsList(base));
        EXPECT_TRUE(glIsList(base + 'A'));
        EXPECT_TRUE(glIsList(base + 255));
        font.destroy();
        EXPECT_FALSE(font.created());
        EXPECT_FALSE(AnyList(base)) << "round " << round;
        font.destroy();  // a second destroy is harmless
    }
    {
        OutlineFont font;
        ASSERT_TRUE(font.create());
        const unsigned base = font.listBase();
        EXPECT_TRUE(font.create()) << "creating again replaces the lists";
        if (font.listBase() != base) {
            EXPECT_FALSE(glIsList(base));
        }
        unsigned scopedBase = 0;
        {
            OutlineFont scoped;
            ASSERT_TRUE(scoped.create());
            scopedBase = scoped.listBase();
        }
        EXPECT_FALSE(AnyList(scopedBase)) << "the destructor deletes the lists";
        EXPECT_TRUE(glIsList(font.listBase()));
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(OutlineFontTest, GlyphsFillFromTheOriginAndAdvance) {
    OutlineFont font;
    ASSERT_TRUE(font.create());
    const auto& m = font.metrics();
    EXPECT_GT(m['W'].advance, m['i'].advance);
    EXPECT_GT(m['i'].advance, 0.1f);
    EXPECT_EQ(m[255].advance, 0.0f);

    glTranslatef(20, 100, 0);
    glScalef(60, 60, 1);  // one em = 60 pixels
    DrawOutlineText(font, "%d", 88);
    glFinish();
    const float two = 2 * m['8'].advance * 60;
    EXPECT_GT(ink(20, 100, int(20 + two), 150), 400) << "filled glyphs above the baseline";
    EXPECT_EQ(ink(int(20 + two) + 8, 90, kSide, kSide), 0) << "nothing beyond the advance";
    EXPECT_LT(ink(0, 0, kSide, 90), 10) << "digits barely reach below the baseline";
}

TEST_F(OutlineFontTest, CodeTwoFiftyFiveAndNullFormatDrawNothing) {
    OutlineFont font;
    ASSERT_TRUE(font.create());
    glTranslatef(20, 100, 0);
    glScalef(60, 60, 1);
    DrawOutlineText(font, "%s", "\xff\xff\xff");
    DrawOutlineText(font, nullptr);
    OutlineFont none;
    DrawOutlineText(none, "%s", "8");
    glFinish();
    EXPECT_EQ(ink(0, 0, kSide, kSide), 0);
}

}  // namespace
