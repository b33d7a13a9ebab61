// SPDX-License-Identifier: MIT
// The headless EGL context: clean failure on unusable sizes, read-back
// orientation, and several contexts alive at once sharing the EGL display.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "render/EglContext.h"
#include "render/GL.h"

namespace {

struct SizeCase {
    const char* name;
    int width, height;
};

class EglContextSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(EglContextSizeTest, UnusableSizeFailsWithAReason)
{
    EglContext context(GetParam().width, GetParam().height);
    EXPECT_FALSE(context.ok());
    EXPECT_FALSE(context.error().empty());
    EXPECT_FALSE(context.makeCurrent());
    EXPECT_TRUE(context.readPixels().empty());
    EXPECT_TRUE(context.toQImage().isNull());
}

INSTANTIATE_TEST_SUITE_P(Sizes, EglContextSizeTest,
                         ::testing::Values(SizeCase{"ZeroWidth", 0, 10},
                                           SizeCase{"ZeroHeight", 10, 0},
                                           SizeCase{"Negative", -5, 5},
                                           SizeCase{"Huge", 100000, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

// Clears the framebuffer white with a coloured band over its top `rows` rows.
void paintTopBand(int height, int rows, float r, float g, float b)
{
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, height - rows, 10000, rows);
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

TEST(EglContext, ReadsBackTopRowFirst)
{
    EglContext context(40, 30);
    if (!context.ok())
        GTEST_SKIP() << "no headless OpenGL context: " << context.error();
    EXPECT_TRUE(context.error().empty());
    paintTopBand(30, 5, 0, 0, 1);
    const std::vector<unsigned char> pixels = context.readPixels();
    ASSERT_EQ(pixels.size(), size_t(40 * 30 * 4));
    EXPECT_EQ(pixels[0], 0);  // first row of the picture: the blue band
    EXPECT_EQ(pixels[2], 255);
    EXPECT_EQ(pixels[3], 255);
    EXPECT_EQ(pixels[pixels.size() - 4], 255);  // last row: white
    const QImage image = context.toQImage();
    ASSERT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixelColor(39, 4), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(39, 5), QColor(255, 255, 255));
}

TEST(EglContext, ContextsShareTheDisplayAndOutliveEachOther)
{
    auto first = std::make_unique<EglContext>(20, 20);
    if (!first->ok())
        GTEST_SKIP() << "no headless OpenGL context: " << first->error();
    paintTopBand(20, 20, 1, 0, 0);
    {
        EglContext second(10, 10);
        ASSERT_TRUE(second.ok()) << second.error();
        paintTopBand(10, 10, 0, 1, 0);
        EXPECT_EQ(second.toQImage().pixelColor(5, 5), QColor(0, 255, 0));
        // Each context keeps its own framebuffer.
        ASSERT_TRUE(first->makeCurrent());
        EXPECT_EQ(first->toQImage().pixelColor(5, 5), QColor(255, 0, 0));
    }
    // Ending the second context left the first one (and the display) usable.
    ASSERT_TRUE(first->makeCurrent()) << first->error();
    paintTopBand(20, 20, 0, 0, 1);
    EXPECT_EQ(first->toQImage().pixelColor(5, 5), QColor(0, 0, 255));
    first.reset();
    EglContext third(8, 8);
    EXPECT_TRUE(third.ok()) << "a new context after the last one ended: " << third.error();
}

}  // namespace
