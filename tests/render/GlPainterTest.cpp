// SPDX-License-Identifier: MIT
// GlPainter drawn into a headless EGL framebuffer and checked pixel by pixel.
// The view maps graph units to pixels at 10 pixels per unit: the 200 × 200
// framebuffer shows x and y in [-10, 10], so the pixel centres lie at
// k/10 + 0.05 graph units and every probe below is placed on a centre.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "render/EglContext.h"
#include "render/GL.h"
#include "render/GlPainter.h"

namespace {

constexpr int kSide = 200;
constexpr double kHalf = 10.0;  // graph units from the centre to an edge

struct Rgba {
    int r, g, b, a;
};

bool isInk(const Rgba& p) { return p.r < 100 && p.g < 100 && p.b < 100; }
bool isBackground(const Rgba& p) { return p.r > 220 && p.g > 220 && p.b > 220; }
bool isRed(const Rgba& p) { return p.r > 200 && p.g < 60 && p.b < 60; }

class GlPainterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { context_ = std::make_unique<EglContext>(kSide, kSide); }
    static void TearDownTestSuite() { context_.reset(); }

    void SetUp() override
    {
        if (!context_->ok())
            GTEST_SKIP() << "no headless OpenGL context: " << context_->error();
        ASSERT_TRUE(context_->makeCurrent()) << context_->error();
        setView(kHalf, kHalf);
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LINE_SMOOTH);
        glDisable(GL_POLYGON_SMOOTH);
        painter_.clearClip();
        painter_.setPen(Pen(ColorF(0, 0, 0), 1.0f));
    }

    // Graph x in [-halfWidth, halfWidth] and y in [-halfHeight, halfHeight].
    static void setView(double halfWidth, double halfHeight)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-halfWidth, halfWidth, -halfHeight, halfHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // Reads the framebuffer once after drawing; set KVR_TEST_PNG to a folder
    // to keep each picture for a look.
    void capture()
    {
        pixels_ = context_->readPixels();
        ASSERT_EQ(pixels_.size(), size_t(kSide) * kSide * 4);
        if (const char* folder = std::getenv("KVR_TEST_PNG")) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            std::string name = info->name();
            std::replace(name.begin(), name.end(), '/', '_');
            context_->toQImage().save(QString::fromStdString(std::string(folder) + "/" + name +
                                                             ".png"));
        }
    }

    // The pixel at column `column` from the left and row `row` from the bottom.
    Rgba pixel(int column, int row) const
    {
        const size_t i = (size_t(kSide - 1 - row) * kSide + size_t(column)) * 4;
        return {pixels_[i], pixels_[i + 1], pixels_[i + 2], pixels_[i + 3]};
    }
    // The pixel containing graph point (x, y) in the default view.
    Rgba at(double x, double y) const
    {
        return pixel(int((x + kHalf) * kSide / (2 * kHalf)),
                     int((y + kHalf) * kSide / (2 * kHalf)));
    }

    static std::unique_ptr<EglContext> context_;
    GlPainter painter_;
    std::vector<unsigned char> pixels_;
};

std::unique_ptr<EglContext> GlPainterTest::context_;

// Line widths are logical pixels: at ratio 2 a width of 2 covers 4 device rows.
TEST_F(GlPainterTest, LineWidthsScaleWithTheDevicePixelRatio)
{
    for (const double ratio : {1.0, 2.0}) {
        glClear(GL_COLOR_BUFFER_BIT);
        painter_.setDevicePixelRatio(ratio);
        painter_.setPen(Pen(ColorF(0, 0, 0), 2.0f));
        // On the boundary between rows 99 and 100.
        painter_.segment(PointF(-8, 0), PointF(8, 0));
        capture();
        int rows = 0;
        for (int row = 90; row < 110; ++row) rows += isInk(pixel(100, row));
        EXPECT_EQ(rows, int(2 * ratio)) << "ratio " << ratio;
    }
    painter_.setDevicePixelRatio(1.0);
}

// A presenting view magnifies what is sized in pixels on top of the device
// pixel ratio: a width of `size` covers size × ratio × magnification device
// rows, and a dot of that diameter as many columns. A magnification that is
// no positive finite number draws the usual size.
struct MagnificationCase {
    double ratio, magnification;
    float size;
    int expected;  // device pixels across
};

class GlPainterMagnificationTest : public GlPainterTest,
                                   public ::testing::WithParamInterface<MagnificationCase> {};

TEST_P(GlPainterMagnificationTest, LinesAndDotsGrowByTheFactor)
{
    const MagnificationCase& c = GetParam();
    painter_.setDevicePixelRatio(c.ratio);
    painter_.setMagnification(c.magnification);
    painter_.setPen(Pen(ColorF(0, 0, 0), c.size));
    // A line on the boundary between rows 99 and 100, and a dot on the corner
    // of pixels (149, 49) and (150, 50), clear of the line.
    painter_.segment(PointF(-8, 0), PointF(2, 0));
    const PointF dot[] = {PointF(5, -5)};
    painter_.dots(dot, c.size);
    capture();
    int rows = 0, columns = 0;
    for (int row = 80; row < 120; ++row) rows += isInk(pixel(50, row));
    for (int column = 130; column < 170; ++column) columns += isInk(pixel(column, 49));
    EXPECT_EQ(rows, c.expected) << "line, ratio " << c.ratio << " magnification " << c.magnification;
    EXPECT_EQ(columns, c.expected) << "dot, ratio " << c.ratio << " magnification " << c.magnification;
    painter_.setDevicePixelRatio(1.0);
    painter_.setMagnification(1.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, GlPainterMagnificationTest,
                         ::testing::Values(MagnificationCase{1.0, 1.0, 2.0f, 2}, MagnificationCase{1.0, 1.6, 2.5f, 4},
                                           MagnificationCase{2.0, 1.6, 2.5f, 8}, MagnificationCase{1.0, 2.0, 3.0f, 6},
                                           MagnificationCase{1.0, 0.0, 2.0f, 2}, MagnificationCase{1.0, -1.6, 2.0f, 2},
                                           MagnificationCase{1.0, std::nan(""), 2.0f, 2},
                                           MagnificationCase{1.0, HUGE_VAL, 2.0f, 2}));

// The arrow head is sized by the magnified width: at 1.6 a width-2 arrow's
// head reaches 1.6 times as far off its shaft.
TEST_F(GlPainterTest, ArrowHeadsGrowWithTheMagnification)
{
    auto halfHeadRows = [this](double magnification) {
        glClear(GL_COLOR_BUFFER_BIT);
        painter_.setMagnification(magnification);
        painter_.setPen(Pen(ColorF(0, 0, 0), 2.0f));
        const PointF arrow[] = {{-8.0f, 0.0f}, {8.0f, 0.0f}};
        painter_.arrows(arrow);
        capture();
        // The head's base is 6·w·m pixels before the tip at column 180; its
        // widest ink just after the base, counted upwards from the axis.
        int widest = 0;
        for (int column = 150; column < 180; ++column) {
            int rows = 0;
            for (int row = 100; row < 130; ++row) rows += isInk(pixel(column, row));
            widest = std::max(widest, rows);
        }
        painter_.setMagnification(1.0);
        return widest;
    };
    const int usual = halfHeadRows(1.0), magnified = halfHeadRows(1.6);
    EXPECT_GE(usual, 2);
    EXPECT_NEAR(magnified, 1.6 * usual, 1.0) << "usual " << usual;
}

struct StippleCase {
    const char* name;
    int factor;
    uint16_t pattern;
};

class GlPainterStippleTest : public GlPainterTest,
                             public ::testing::WithParamInterface<StippleCase> {};

// A horizontal line from pixel column 20 to 180 on row 100: ink follows the
// pattern's bits, lowest first, each covering `factor` pixels.
TEST_P(GlPainterStippleTest, InkFollowsThePattern)
{
    const StippleCase& c = GetParam();
    painter_.setPen(Pen::Patterned(ColorF(0, 0, 0), 1, c.pattern, c.factor));
    painter_.segment(PointF(-8.0f + 0.001f, 0.05f), PointF(8.0f + 0.001f, 0.05f));
    capture();
    auto bit = [&](int i) { return (c.pattern >> ((i / c.factor) % 16)) & 1; };
    int checked = 0;
    for (int i = 1; i < 159; ++i) {
        // Pixels next to a change of bit are skipped: a rasteriser may round
        // the line's first fragment either way.
        if (bit(i - 1) != bit(i) || bit(i + 1) != bit(i))
            continue;
        const Rgba p = pixel(20 + i, 100);
        if (bit(i))
            EXPECT_TRUE(isInk(p)) << "pixel " << i << " of the line should be ink";
        else
            EXPECT_TRUE(isBackground(p)) << "pixel " << i << " of the line should be a gap";
        ++checked;
    }
    EXPECT_GT(checked, 40);
    EXPECT_TRUE(isBackground(pixel(100, 102))) << "the line is one pixel wide";
}

INSTANTIATE_TEST_SUITE_P(Patterns, GlPainterStippleTest,
                         ::testing::Values(StippleCase{"Solid", 1, Painter::kSolid},
                                           StippleCase{"HalfOn", 1, 0x00FF},
                                           StippleCase{"HalfOnDoubled", 2, 0x00FF},
                                           StippleCase{"Dashes", 1, 0x0F0F},
                                           StippleCase{"DotsTripled", 3, 0x5555}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Probe {
    double x, y;
    bool red;
};

// A red square of side 12 drawn under a clip rectangle of 6 × 4: only the
// part inside the rectangle is painted; after clearClip a second square is whole.
TEST_F(GlPainterTest, ClipRectangleCutsAFilledPolygon)
{
    const RectF clip(2.0f, -2.0f, -3.0f, 3.0f);  // top, bottom, left, right
    painter_.setClipRect(clip);
    painter_.setPen(Pen(ColorF(1, 0, 0)));
    const PointF big[] = {{-6, -6}, {6, -6}, {6, 6}, {-6, 6}};
    painter_.fillPolygon(big);
    painter_.clearClip();
    const PointF small[] = {{7, 7}, {9, 7}, {9, 9}, {7, 9}};
    painter_.fillPolygon(small);
    capture();
    const Probe probes[] = {
        {0.05, 0.05, true},    {2.85, 1.85, true},    {-2.85, -1.85, true},
        {3.25, 0.05, false},   {-3.25, 0.05, false},  {0.05, 2.25, false},
        {0.05, -2.25, false},  {5.05, 5.05, false},   {-5.05, -5.05, false},
        {8.05, 8.05, true},    {7.15, 8.85, true},
    };
    for (const Probe& p : probes) {
        const Rgba c = at(p.x, p.y);
        if (p.red)
            EXPECT_TRUE(isRed(c)) << "(" << p.x << ", " << p.y << ") should be painted";
        else
            EXPECT_TRUE(isBackground(c)) << "(" << p.x << ", " << p.y << ") should be clipped";
    }
}

// Nested transforms compose as p' = (dx + sx·p.x, dy + sy·p.y) and pop back.
TEST_F(GlPainterTest, TransformsTranslateThenScaleAndPop)
{
    painter_.pushTransform(2.0, 3.0, 2.0, 0.5);  // the unit square becomes [2,4] × [3,3.5]
    painter_.pushTransform(0.0, 0.0, 1.0, 1.0);
    const PointF unit[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    painter_.fillPolygon(unit);
    painter_.popTransform();
    painter_.popTransform();
    const PointF corner[] = {{-9, -9}, {-7, -9}, {-9, -7}};  // untransformed again
    painter_.fillPolygon(corner);
    capture();
    EXPECT_TRUE(isInk(at(3.05, 3.25)));
    EXPECT_TRUE(isInk(at(2.05, 3.05)));
    EXPECT_TRUE(isBackground(at(4.25, 3.25)));
    EXPECT_TRUE(isBackground(at(3.05, 3.65)));
    EXPECT_TRUE(isBackground(at(0.55, 0.55)));
    EXPECT_TRUE(isInk(at(-8.55, -8.55)));
}

// "KVR" 2 units high (a capital is about 100 glyph units; scale 0.02) from
// (-8, -1): ink inside the text's box, nothing outside it.
TEST_F(GlPainterTest, StrokeTextDrawsInsideItsAdvanceAndHeight)
{
    const std::string text = "KVR";
    const double scale = 0.02;
    painter_.setPen(Pen(ColorF(0, 0, 0), 2.0f));
    const float advance = painter_.strokeText(text, PointF(-8.0f, -1.0f), scale, scale);
    capture();
    EXPECT_FLOAT_EQ(advance, painter_.strokeTextWidth(text));
    EXPECT_GT(advance, 150.0f);
    EXPECT_LT(advance, 300.0f);
    const int left = 20, bottom = 90;  // pixel of the origin
    const int right = left + int(advance * scale * 10.0);
    const int top = bottom + 20;  // 100 glyph units × 0.02 × 10 pixels
    int inside = 0, outside = 0;
    for (int row = 0; row < kSide; ++row)
        for (int column = 0; column < kSide; ++column) {
            if (!isInk(pixel(column, row)))
                continue;
            const bool inBox = column >= left - 2 && column <= right + 2 && row >= bottom - 2 &&
                               row <= top + 3;
            ++(inBox ? inside : outside);
        }
    EXPECT_GT(inside, 60) << "the three letters leave ink";
    EXPECT_EQ(outside, 0);
    // The model-view matrix is left as it was: a later square lands where asked.
    const PointF square[] = {{5, 5}, {6, 5}, {6, 6}, {5, 6}};
    painter_.fillPolygon(square);
    capture();
    EXPECT_TRUE(isInk(at(5.55, 5.55)));
}

TEST(GlPainterNoContext, StrokeWidthsNeedNoContext)
{
    GlPainter painter;
    EXPECT_EQ(painter.strokeTextWidth(""), 0.0f);
    const float m = painter.strokeTextWidth("M");
    const float i = painter.strokeTextWidth("i");
    EXPECT_GT(m, i);
    EXPECT_GT(i, 0.0f);
    EXPECT_FLOAT_EQ(painter.strokeTextWidth("Mi"), m + i);
    EXPECT_FALSE(painter.isVector());
}

struct DiscCase {
    const char* name;
    double halfHeight;  // of the view; 10 is square pixels, 5 squeezes y by 2
};

class GlPainterDiscTest : public GlPainterTest,
                          public ::testing::WithParamInterface<DiscCase> {};

// A filled circle of radius 2 (x units) stays round on screen: 20 pixels of
// radius in every direction, however many graph units that is along y.
TEST_P(GlPainterDiscTest, FilledCircleIsRoundInPixels)
{
    setView(kHalf, GetParam().halfHeight);
    painter_.circle(PointF(0.0f, 0.0f), 2.0, true);
    capture();
    const int cx = 100, cy = 100;
    const struct {
        int dx, dy;
        bool ink;
    } probes[] = {{0, 0, true},    {17, 0, true},   {-17, 0, true}, {0, 17, true},
                  {0, -17, true},  {11, 11, true},  {23, 0, false}, {0, 23, false},
                  {0, -23, false}, {16, 16, false}, {-16, -16, false}};
    for (const auto& p : probes) {
        const Rgba c = pixel(cx + p.dx, cy + p.dy);
        EXPECT_EQ(isInk(c), p.ink) << "offset (" << p.dx << ", " << p.dy << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Views, GlPainterDiscTest,
                         ::testing::Values(DiscCase{"Square", 10.0}, DiscCase{"Squeezed", 5.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// Markers come by the hundred in one call: every disc is drawn, round in
// pixels on a squeezed view, filled or as a rim with an empty middle.
TEST_F(GlPainterTest, DiscsAreDrawnAllAtOnceAndRound)
{
    setView(kHalf, 5.0);  // y squeezed by 2: a radius of 1 x unit is 0.5 y units
    std::vector<PointF> centres;
    for (int i = 0; i < 5; ++i)
        centres.emplace_back(float(-8 + 4 * i), 2.0f);
    painter_.discs(centres, 1.0, true);
    const PointF rim(0.0f, -2.0f);
    painter_.discs({&rim, 1}, 2.0, false);
    capture();
    for (int i = 0; i < 5; ++i) {
        const int cx = 100 + 10 * (-8 + 4 * i), cy = 100 + 40;
        EXPECT_TRUE(isInk(pixel(cx, cy))) << "disc " << i;
        EXPECT_TRUE(isInk(pixel(cx, cy + 7))) << "disc " << i << " reaches 10 pixels up";
        EXPECT_TRUE(isBackground(pixel(cx, cy + 13))) << "disc " << i << " is round, not stretched";
        EXPECT_TRUE(isBackground(pixel(cx + 13, cy))) << "disc " << i;
    }
    EXPECT_TRUE(isBackground(pixel(100, 100 - 40)));  // the rim's middle
    int rimInk = 0;
    for (int dy = 15; dy <= 22; ++dy)
        rimInk += isInk(pixel(100, 100 - 40 + dy));
    EXPECT_GT(rimInk, 0) << "the rim is 20 pixels from its centre";
}

// Documents keep line patterns as 16 bits; OpenGL draws them as such. A
// pattern that goes to a pen and back is the pattern it was, so the screen
// draws what it always drew.
TEST(GlPainterStipple, PatternsSurviveTheWayThroughAPen)
{
    const struct {
        uint16_t pattern;
        int factor;
    } cases[] = {{0xFFFF, 1}, {0x00FF, 1}, {0x00FF, 5}, {0xFF00, 1}, {0xF0F0, 1}, {0x5555, 5},
                 {0xAAAA, 1}, {0x0F0F, 3}, {0x8001, 2}, {0x1C47, 1}, {0x0001, 4}};
    for (const auto& c : cases) {
        int factor = 0;
        uint16_t pattern = 0;
        GlPainter::StippleOf(Pen::Patterned(ColorF(0, 0, 0), 1, c.pattern, c.factor), factor, pattern);
        EXPECT_EQ(pattern, c.pattern) << std::hex << c.pattern;
        if (c.pattern != Painter::kSolid)
            EXPECT_EQ(factor, c.factor) << std::hex << c.pattern;
    }
    // No bit set would draw nothing at all: such a line is drawn solid.
    EXPECT_TRUE(Pen::Patterned(ColorF(0, 0, 0), 1, 0).solid());
}

TEST_F(GlPainterTest, OutlinedCircleAndArcLeaveTheCentreEmpty)
{
    painter_.setPen(Pen(ColorF(0, 0, 0), 2.0f));
    painter_.circle(PointF(-5.0f, 0.0f), 2.0, false);
    painter_.arc(PointF(5.0f, 0.0f), 2.0, 0.0, 90.0);  // the upper right quarter only
    capture();
    EXPECT_TRUE(isBackground(at(-4.95, 0.05)));
    EXPECT_TRUE(isInk(at(-2.95, 0.05)));
    EXPECT_TRUE(isInk(at(-5.05, 2.05)));
    EXPECT_TRUE(isInk(at(-6.95, 0.05)));
    EXPECT_TRUE(isBackground(at(5.05, 0.05)));
    EXPECT_TRUE(isInk(at(5.05 + 1.35, 1.45)));     // 45° on the arc
    EXPECT_TRUE(isBackground(at(5.05 - 1.45, 1.45)));  // 135°: not swept
    EXPECT_TRUE(isBackground(at(5.05 + 1.45, -1.45)));  // 315°: not swept
}

// Segment from (-8, 0.05) to (0.05, 0.05), width 2: with arrows the head
// (12 pixels long, 6 wide) is ink 2 pixels off the axis 10 pixels before the
// tip, where a plain line of width 2 leaves background; nothing passes the tip.
TEST_F(GlPainterTest, ArrowsAddAHeadAtTheTip)
{
    painter_.setPen(Pen(ColorF(0, 0, 0), 2.0f));
    const PointF arrows[] = {{-8.0f, 0.05f}, {0.05f, 0.05f},      // one arrow
                             {2.05f, -8.0f}, {2.05f, -4.05f},     // and two more,
                             {2.05f, -4.05f}, {8.0f, -4.05f}};    // one head each
    painter_.arrows(arrows);
    painter_.segment(PointF(-8.0f, 5.05f), PointF(0.05f, 5.05f));
    capture();
    EXPECT_TRUE(isInk(at(-0.95, 0.25)));
    EXPECT_TRUE(isInk(at(-0.95, -0.15)));
    EXPECT_TRUE(isInk(at(-4.05, 0.05)));
    EXPECT_TRUE(isBackground(at(-4.05, 0.25)));  // the shaft keeps the line width
    EXPECT_TRUE(isBackground(at(0.45, 0.05)));
    EXPECT_TRUE(isBackground(at(-0.95, 5.25)));
    EXPECT_TRUE(isInk(at(-0.95, 5.05)));
    EXPECT_TRUE(isInk(at(2.25, -5.05)));  // head of the first strip segment
    EXPECT_TRUE(isInk(at(7.05, -3.85)));  // head of the second
    EXPECT_TRUE(isBackground(at(3.05, -3.85)));
}

struct EquationCase {
    const char* name;
    std::string latex;
    bool typesetter;  // a typesetter is set
    bool succeeds;    // and it renders
    PixelSize expected;
};

class GlPainterEquationTest : public GlPainterTest,
                              public ::testing::WithParamInterface<EquationCase> {};

// A 20 × 10 coverage image, full ink except its left half, which is empty:
// drawn black at the corner's pixel, the empty half leaves the background.
TEST_P(GlPainterEquationTest, CoverageIsDrawnAsBlackInkAtTheCorner)
{
    const EquationCase& c = GetParam();
    int calls = 0;
    if (c.typesetter)
        painter_.setTypesetter([&](const std::string& latex, int& w, int& h,
                                   std::vector<unsigned char>& coverage) {
            ++calls;
            EXPECT_EQ(latex, c.latex);
            w = 20;
            h = 10;
            coverage.assign(size_t(w) * h, 255);
            for (int row = 0; row < h; ++row)
                for (int column = 0; column < w / 2; ++column)
                    coverage[size_t(row) * w + column] = 0;
            return c.succeeds;
        });
    painter_.setPen(Pen(ColorF(1, 0, 0)));  // the ink is black whatever the colour
    const PixelSize size = painter_.equationImage(c.latex, PointF(0.0f, 0.0f));
    capture();
    EXPECT_EQ(size.width, c.expected.width);
    EXPECT_EQ(size.height, c.expected.height);
    EXPECT_EQ(calls, c.typesetter && !c.latex.empty() ? 1 : 0);
    const bool drawn = c.expected.width > 0;
    EXPECT_EQ(isInk(pixel(100 + 15, 100 + 5)), drawn);
    EXPECT_TRUE(isBackground(pixel(100 + 5, 100 + 5)));
    EXPECT_TRUE(isBackground(pixel(100 + 15, 100 + 12)));
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "the caller's blending state is restored";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GlPainterEquationTest,
    ::testing::Values(EquationCase{"Drawn", "x^{2}", true, true, {20, 10}},
                      EquationCase{"EmptyText", "", true, true, {0, 0}},
                      EquationCase{"TypesetterFails", "x^{2}", true, false, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
