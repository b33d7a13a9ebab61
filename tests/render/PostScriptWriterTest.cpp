// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtGui/QPainterPath>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <cmath>
#include <algorithm>
#include <sstream>
#include <string>

#include "render/PostScriptWriter.h"
#include "support/Ghostscript.h"

namespace {

struct BodyCase {
    const char* name;
    std::function<void(PostScriptWriter&)> draw;
    const char* body;
};

class PostScriptBodyTest : public ::testing::TestWithParam<BodyCase> {};

TEST_P(PostScriptBodyTest, WritesExactText) {
    PostScriptWriter w;
    GetParam().draw(w);
    EXPECT_EQ(w.Body(), GetParam().body);
}

void Vertices(PostScriptWriter& w, int kind, std::initializer_list<std::pair<float, float>> points) {
    w.BeginPrimitive(kind);
    for (auto [x, y] : points) w.AddVertex(x, y);
    w.EndPrimitive();
}

INSTANTIATE_TEST_SUITE_P(
    Operations, PostScriptBodyTest,
    ::testing::Values(
        BodyCase{"Points", [](auto& w) { Vertices(w, 0, {{1, 2}, {3.5f, 4}}); },
                 "newpath 1 2 moveto 1 2 3 0 360 arc fill\nnewpath 3.5 4 moveto 3.5 4 3 0 360 arc fill\n\n"},
        BodyCase{"Segments", [](auto& w) { Vertices(w, 1, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}); },
                 "newpath\n0 0 moveto\n1 1 lineto\n2 2 moveto\n3 3 lineto\nstroke\n\n"},
        BodyCase{"Polyline", [](auto& w) { Vertices(w, 2, {{0, 0}, {1, 0}, {1, 1}}); },
                 "newpath\n0 0 moveto\n1 0 lineto\n1 1 lineto\nstroke\n\n"},
        BodyCase{"ClosedPolyline", [](auto& w) { Vertices(w, 3, {{0, 0}, {1, 0}, {1, 1}}); },
                 "newpath\n0 0 moveto\n1 0 lineto\n1 1 lineto\nclosepath\nstroke\n\n"},
        BodyCase{"TrianglesWithIncompleteGroup", [](auto& w) { Vertices(w, 4, {{0, 0}, {1, 0}, {1, 1}, {5, 5}, {6, 6}}); },
                 "newpath\n0 0 moveto\n1 0 lineto\n1 1 lineto\nclosepath\nfill\nnewpath\n5 5 moveto\n6 6 lineto\n\n"},
        BodyCase{"TriangleStrip", [](auto& w) { Vertices(w, 5, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}); },
                 "newpath\n0 0 moveto\n1 0 lineto\n0 1 lineto\nclosepath\nfill\n"
                 "newpath\n1 0 moveto\n0 1 lineto\n1 1 lineto\nclosepath\nfill\n\n"},
        BodyCase{"TriangleFan", [](auto& w) { Vertices(w, 6, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}); },
                 "newpath\n0 0 moveto\n1 0 lineto\n1 1 lineto\nclosepath\nfill\n"
                 "newpath\n0 0 moveto\n1 1 lineto\n0 1 lineto\nclosepath\nfill\n\n"},
        BodyCase{"Outline", [](auto& w) { Vertices(w, 7, {{0, 0}, {2, 0}, {2, 2}}); },
                 "newpath\n0 0 moveto\n2 0 lineto\n2 2 lineto\nclosepath\nstroke\n\n"},
        BodyCase{"UnknownKindEmitsNothing", [](auto& w) { Vertices(w, 10, {{0, 0}, {1, 1}}); }, ""},
        BodyCase{"RegionIsOnePathOfRingsFilledWithoutAnOutline",
                 [](auto& w) {
                     w.BeginPrimitive(9);
                     for (const auto& ring : {std::vector<std::pair<float, float>>{{0, 0}, {2, 0}, {2, 2}},
                                              std::vector<std::pair<float, float>>{{2, 0}, {3, 0}, {3, 1}}}) {
                         w.NextRing();
                         for (auto [x, y] : ring) w.AddVertex(x, y);
                     }
                     w.EndPrimitive();
                 },
                 "newpath\n0 0 moveto\n2 0 lineto\n2 2 lineto\nclosepath\n"
                 "2 0 moveto\n3 0 lineto\n3 1 lineto\nclosepath\nfill\n\n"},
        BodyCase{"NestedBeginJoinsTheOpenPrimitive",
                 [](auto& w) {
                     w.BeginPrimitive(2);
                     w.AddVertex(0, 0);
                     w.BeginPrimitive(4);
                     w.AddVertex(1, 1);
                     w.EndPrimitive();
                 },
                 "newpath\n0 0 moveto\n1 1 lineto\nstroke\n\n"},
        BodyCase{"ArrowFromWidthTwo",
                 [](auto& w) {
                     w.SetLineWidth(2);
                     w.SetLineEnd(10);
                     Vertices(w, 1, {{0, 0}, {10, 0}});
                 },
                 "2 setlinewidth\nnewpath\n0 0 10 0 2 6 12 arrow\nfill\n\n"},
        BodyCase{"ArrowsAlongAClosedPolyline",
                 [](auto& w) {
                     w.SetLineEnd(10);
                     Vertices(w, 3, {{0, 0}, {1, 0}, {1, 1}});
                 },
                 "newpath\n0 0 1 0 1 3 6 arrow\nfill\nnewpath\n1 0 1 1 1 3 6 arrow\nfill\n"
                 "newpath\n1 1 0 0 1 3 6 arrow\nfill\n\n"},
        BodyCase{"ColourAndWidthAreCached",
                 [](auto& w) {
                     w.SetColor(0, 0, 0);
                     w.SetColor(1, 0.5f, 0);
                     w.SetColor(1, 0.5f, 0);
                     w.SetLineWidth(1);
                     w.SetLineWidth(2.5f);
                     w.SetLineWidth(2.5f);
                 },
                 "1 0.5 0 setrgbcolor\n2.5 setlinewidth\n"},
        BodyCase{"DashIsNotCached",
                 [](auto& w) {
                     w.SetDash(true);
                     w.SetDash(true);
                     w.SetDash(false);
                 },
                 "[5 5 5 5] 0 setdash\n[5 5 5 5] 0 setdash\n[] 0 setdash\n"},
        BodyCase{"TextWithAlignmentAndEscapes",
                 [](auto& w) {
                     w.SetFont("Times-Roman", 12);
                     w.MoveTo(10, 20.25f);
                     w.ShowText("f(x) = a\\b", 11, 15);
                     w.ShowText("y", 13, 11);
                     w.ShowText("z", 0, 0);
                 },
                 "10 20.25 moveto\n/Times-Roman findfont 12 scalefont setfont\n(f\\(x\\) = a\\\\b) hcenteralign "
                 "vbottomalign show\n/Times-Roman findfont 12 scalefont setfont\n(y) hrightalign vcenteralign "
                 "show\n/Times-Roman findfont 12 scalefont setfont\n(z) show\n"},
        BodyCase{"CircleArcClipStateScaleTranslate",
                 [](auto& w) {
                     w.DrawCircle(1, 2, 3, true);
                     w.DrawCircle(1, 2, 3, false);
                     w.DrawArc(0, 0, 5, 90, 180);
                     w.ClipRect(0, 10, 1, 11);
                     w.SaveState();
                     w.RestoreState();
                     w.Scale(2, 0.5f);
                     w.Translate(-3, 4);
                 },
                 "newpath 1 2 3 0 360 arc closepath fill\n\nnewpath 1 2 3 0 360 arc closepath stroke\n\n"
                 "newpath 0 0 5 90 180 arc stroke\n\n"
                 "newpath 0 1 moveto 10 1 lineto 10 11 lineto 0 11 lineto closepath clip\n"
                 "gsave\n\ngrestore\n\n2 0.5 scale\n\n-3 4 translate\n\n"},
        BodyCase{"NumbersAsPercentG",
                 [](auto& w) { Vertices(w, 2, {{1234567.f, 0.000012345f}, {-0.5f, 100000}}); },
                 "newpath\n1.23457e+06 1.2345e-05 moveto\n-0.5 100000 lineto\nstroke\n\n"},
        // Outlines to a hundredth, never "-0"; the line that closes a subpath is closepath's.
        BodyCase{"FilledOutlineWindsAndClosesEachSubpath",
                 [](auto& w) {
                     QPainterPath path;
                     path.setFillRule(Qt::WindingFill);
                     path.moveTo(0, 0);
                     path.lineTo(10, 0);
                     path.lineTo(10, 10);
                     path.closeSubpath();
                     path.moveTo(20, 0);
                     path.cubicTo(21.004, 2.006, -0.001, 3.33333, 333333.333, 7);
                     path.closeSubpath();
                     w.FillPath(path);
                 },
                 "newpath\n0 0 moveto\n10 0 lineto\n10 10 lineto\nclosepath\n"
                 "20 0 moveto\n21 2.01 0 3.33 333333.33 7 curveto\nclosepath\nfill\n\n"},
        BodyCase{"FilledOutlineEvenOdd",
                 [](auto& w) {
                     QPainterPath path;
                     path.addRect(1, 2, 3, 4);
                     w.FillPath(path);
                 },
                 "newpath\n1 2 moveto\n4 2 lineto\n4 6 lineto\n1 6 lineto\nclosepath\neofill\n\n"},
        BodyCase{"FilledOutlineWithAPointThatIsNotANumberIsLeftOut",
                 [](auto& w) {
                     QPainterPath path;
                     path.moveTo(0, 0);
                     path.lineTo(2, 1);
                     path.lineTo(1, 1);
                     path.setElementPositionAt(1, std::numeric_limits<double>::infinity(), 1);
                     w.FillPath(path);
                     w.FillPath(QPainterPath());
                 },
                 ""}),
    [](const ::testing::TestParamInfo<BodyCase>& info) { return info.param.name; });

std::string ReadFile(const std::string& path) { return ghostscript::Slurp(path); }

// A sheet on which a 540 × 786 viewport lands at one point per pixel, inside
// the margins: page points are then window pixels shifted by the margin.
constexpr float kMargin = PostScriptWriter::kMargin;
const PageSheet kOnePointPerPixel{540 + 2 * kMargin, 786 + 2 * kMargin, false};

struct PageCase {
    const char* name;
    float x, y, w, h;
    PageSheet sheet;
    bool landscape;
};

class SetupPageTest : public ::testing::TestWithParam<PageCase> {};

// The graph fills the sheet inside its 15 mm margins: turned to landscape when
// it is wide, as large as its aspect allows (touching the margins on one
// axis), centred, and the window's corners land on the box's corners.
TEST_P(SetupPageTest, FitsTheViewportOnTheSheet) {
    PostScriptWriter w;
    const PageCase& c = GetParam();
    w.SetupPage(c.x, c.y, c.w, c.h, c.sheet);
    const float* media = w.Media();
    const float* box = w.GraphBox();
    EXPECT_EQ(media[0] > media[1], c.landscape);
    EXPECT_FLOAT_EQ(std::max(media[0], media[1]), std::max(c.sheet.width, c.sheet.height));
    const float roomX = media[0] - 2 * kMargin, roomY = media[1] - 2 * kMargin;
    const float w_ = box[2] - box[0], h_ = box[3] - box[1];
    EXPECT_NEAR(w_ / h_, c.w / c.h, 1e-4);
    EXPECT_TRUE(std::fabs(w_ - roomX) < 0.01f || std::fabs(h_ - roomY) < 0.01f) << "touches the margins";
    EXPECT_LE(w_, roomX + 0.01f);
    EXPECT_LE(h_, roomY + 0.01f);
    EXPECT_NEAR(box[0], media[0] - box[2], 0.01) << "centred across";
    EXPECT_NEAR(box[1], media[1] - box[3], 0.01) << "centred up and down";
    EXPECT_NEAR(w.PageX(c.x), box[0], 1e-3);
    EXPECT_NEAR(w.PageY(c.y + c.h), box[3], 1e-3);
    EXPECT_NE(w.Body().find(" rectclip\n"), std::string::npos);
    EXPECT_EQ(w.Body().find("initmatrix"), std::string::npos) << "the page's own matrix is kept";
}

INSTANTIATE_TEST_SUITE_P(
    Viewports, SetupPageTest,
    ::testing::Values(PageCase{"WideOnA4", 0, 0, 640, 480, PageSheet::A4(), true},
                      PageCase{"TallOnA4", 0, 0, 500, 1000, PageSheet::A4(), false},
                      PageCase{"OffsetWideOnLetter", 10, 20, 1000, 750, PageSheet::Letter(), true},
                      PageCase{"SquareOnLetter", 0, 0, 600, 600, PageSheet::Letter(), false},
                      PageCase{"VeryWideOnA4", 0, 0, 1380, 300, PageSheet::A4(), true}),
    [](const auto& info) { return std::string(info.param.name); });

// An encapsulated picture sits at the origin with its bounding box the graph's,
// as wide as the sheet's text (or as high, for a tall one), on no page of its own.
TEST(PostScriptFile, EncapsulatedHasATightBoundingBoxAndNoPage) {
    PostScriptWriter w;
    PageSheet sheet = PageSheet::A4();
    sheet.encapsulated = true;
    w.SetupPage(0, 0, 800, 600, sheet);
    const float* box = w.GraphBox();
    EXPECT_FLOAT_EQ(box[0], 0);
    EXPECT_FLOAT_EQ(box[1], 0);
    EXPECT_NEAR(box[2], sheet.width - 2 * kMargin, 0.01);
    EXPECT_NEAR(box[3], (sheet.width - 2 * kMargin) * 0.75f, 0.01);
    const std::string path = ghostscript::TempPath("picture.eps");
    ASSERT_TRUE(w.WritePostScriptFile(path));
    const std::string text = ReadFile(path);
    std::filesystem::remove(path);
    EXPECT_EQ(text.rfind("%!PS-Adobe-3.0 EPSF-3.0\r\n", 0), 0u);
    EXPECT_NE(text.find("%%BoundingBox: 0 0 511 383\r\n"), std::string::npos);
    EXPECT_EQ(text.find("setpagedevice"), std::string::npos);
    EXPECT_EQ(text.find("%%DocumentMedia"), std::string::npos);
}


std::string TempPath(const std::string& name) { return ghostscript::TempPath(name); }

// Ghostscript must read the page without any error.
void ExpectGhostscriptAccepts(const std::string& path) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    EXPECT_EQ(ghostscript::Errors(path), "");
}

TEST(PostScriptFile, LayoutCrLfAndGhostscript) {
    PostScriptWriter w;
    w.SetupPage(0, 0, 640, 480);
    w.SetColor(1, 0, 0);
    w.SetLineWidth(2);
    w.SetLineEnd(10);
    Vertices(w, 2, {{10, 10}, {200, 100}, {300, 50}});
    w.SetLineEnd(0);
    w.SetDash(true);
    Vertices(w, 3, {{50, 50}, {150, 50}, {100, 150}});
    w.SetDash(false);
    Vertices(w, 0, {{320, 240}});
    Vertices(w, 6, {{400, 400}, {450, 400}, {450, 450}, {400, 450}});
    w.SetFont("Times-Roman", 14);
    w.MoveTo(100, 300);
    w.ShowText("y = (x+1) \\ 2) (", 11, 11);
    w.MoveTo(100, 330);
    w.ShowText(std::string(5000, 'x'), 13, 15);
    w.DrawCircle(500, 100, 20, false);
    w.DrawArc(500, 100, 30, 0, 90);
    w.SaveState();
    w.ClipRect(0, 100, 0, 100);
    w.RestoreState();
    const std::string path = TempPath("page.ps");
    ASSERT_TRUE(w.WritePostScriptFile(path));
    EXPECT_TRUE(w.Body().empty());

    const std::string text = ReadFile(path);
    // The structuring comments a print spooler and a viewer read: the page's
    // bounding box (the graph on the landscape sheet), one page, the media.
    EXPECT_EQ(text.rfind("%!PS-Adobe-3.0\r\n%%Creator: KVR\r\n%%Title: KVR graph\r\n"
                         "%%BoundingBox: 80 42 762 553\r\n",
                         0),
              0u);
    for (const char* comment : {"\r\n%%Pages: 1\r\n", "\r\n%%DocumentMedia: Sheet 841.89 595.276 0 () ()\r\n",
                                "\r\n%%EndComments\r\n", "\r\n%%BeginProlog\r\n", "\r\n%%EndProlog\r\n",
                                "\r\n<< /PageSize [841.89 595.276] >> setpagedevice\r\n", "\r\n%%Page: 1 1\r\n"})
        EXPECT_NE(text.find(comment), std::string::npos) << comment;
    EXPECT_NE(text.find("% Arrow Procedure\r\n"), std::string::npos);
    EXPECT_NE(text.find("% Text Align Proedures\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 30), "\r\nshowpage\r\n%%Trailer\r\n%%EOF\r\n");
    size_t bare = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++bare;
    EXPECT_EQ(bare, 0u) << "every line ends with CR LF";
    // The page ends with a thin frame just inside the viewport, not a fill over the graph.
    EXPECT_NE(text.find("newpath\r\n0.5 0.5 moveto\r\n0.5 479.5 lineto\r\n639.5 479.5 lineto\r\n639.5 0.5 lineto\r\n"
                        "closepath\r\nstroke\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("fill\r\n\r\n\r\nshowpage"), std::string::npos);
    ExpectGhostscriptAccepts(path);
    std::filesystem::remove(path);
}

// Rasterised at 100 dpi, the empty page's frame shows on all four sides: the
// outermost ink rows and columns are long runs, not stray pixels.
TEST(PostScriptFile, FrameShowsOnAllFourSidesAt100Dpi) {
    if (std::system("command -v gs >/dev/null 2>&1") != 0) GTEST_SKIP() << "ghostscript is not installed";
    for (const auto& [w, h] : {std::pair{640.f, 480.f}, std::pair{1000.f, 750.f}, std::pair{300.f, 900.f}}) {
        PostScriptWriter writer;
        writer.SetupPage(0, 0, w, h);
        const std::string path = TempPath("frame.ps"), png = TempPath("frame.png");
        ASSERT_TRUE(writer.WritePostScriptFile(path));
        const std::string command = "gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pnggray -r100 -o '" + png + "' '" + path +
                                    "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const QImage page(QString::fromStdString(png));
        ASSERT_FALSE(page.isNull());
        int left = page.width(), right = -1, top = page.height(), bottom = -1;
        auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (dark(x, y)) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        ASSERT_GT(right, left);
        ASSERT_GT(bottom, top);
        auto column = [&](int x) {
            int n = 0;
            for (int y = top; y <= bottom; ++y) n += dark(x, y);
            return n;
        };
        auto row = [&](int y) {
            int n = 0;
            for (int x = left; x <= right; ++x) n += dark(x, y);
            return n;
        };
        const int height = bottom - top + 1, width = right - left + 1;
        EXPECT_GT(column(left), height * 9 / 10) << w << "x" << h << " left side";
        EXPECT_GT(column(right), height * 9 / 10) << w << "x" << h << " right side";
        EXPECT_GT(row(top), width * 9 / 10) << w << "x" << h << " top side";
        EXPECT_GT(row(bottom), width * 9 / 10) << w << "x" << h << " bottom side";
        std::filesystem::remove(path);
        std::filesystem::remove(png);
    }
}

TEST(PostScriptFile, NoArrowProcedureWithoutArrows) {
    PostScriptWriter w;
    w.SetupPage(0, 0, 100, 100);
    Vertices(w, 2, {{0, 0}, {50, 50}});
    const std::string path = TempPath("plain.ps");
    ASSERT_TRUE(w.WritePostScriptFile(path));
    EXPECT_EQ(ReadFile(path).find("Arrow Procedure"), std::string::npos);
    ExpectGhostscriptAccepts(path);
    std::filesystem::remove(path);
}

TEST(PostScriptFile, UnwritablePathIsReportedAndTheBodyEmptied) {
    PostScriptWriter w;
    Vertices(w, 2, {{0, 0}, {1, 1}});
    EXPECT_FALSE(w.WritePostScriptFile("/nonexistent-folder/graph.ps"));
    EXPECT_TRUE(w.Body().empty());
}

TEST(PostScriptState, RestoreBringsBackTheCachedColour) {
    PostScriptWriter w;
    w.SetColor(1, 0, 0);
    w.SaveState();
    w.SetColor(0, 1, 0);
    w.RestoreState();
    w.SetColor(0, 1, 0);  // the page is red again, so green must be set anew
    EXPECT_EQ(w.Body(), "1 0 0 setrgbcolor\ngsave\n\n0 1 0 setrgbcolor\ngrestore\n\n0 1 0 setrgbcolor\n");
}

// What one part of the program draws into the writer, the export that
// writes the file later sees: the body and the caches are the program's.
TEST(PostScriptWriterInstance, KeepsWhatWasDrawnUntilTheFileIsWritten) {
    PostScriptWriter::Instance().SetColor(0.25f, 0.5f, 0.75f);
    Vertices(PostScriptWriter::Instance(), 2, {{0, 0}, {1, 1}});
    PostScriptWriter& writer = PostScriptWriter::Instance();
    writer.SetColor(0.25f, 0.5f, 0.75f);  // cached: nothing new
    EXPECT_EQ(writer.Body(), "0.25 0.5 0.75 setrgbcolor\nnewpath\n0 0 moveto\n1 1 lineto\nstroke\n\n");
    const std::string path = TempPath("instance.ps");
    ASSERT_TRUE(writer.WritePostScriptFile(path));
    EXPECT_TRUE(PostScriptWriter::Instance().Body().empty());
    EXPECT_NE(ReadFile(path).find("0.25 0.5 0.75 setrgbcolor"), std::string::npos);
    std::filesystem::remove(path);
}

// What a printer makes of each primitive: the page is rendered and the ink
// inside and on the edge of a 100-point square is looked at. With the
// viewport 540 × 786 on kOnePointPerPixel the window is one point per pixel,
// shifted by the margins.
struct InkCase {
    const char* name;
    std::function<void(PostScriptWriter&)> draw;
    bool insideInked;  // the middle of the square (150, 150)
};

class PostScriptInkTest : public ::testing::TestWithParam<InkCase> {};

TEST_P(PostScriptInkTest, InksWhatThePrimitiveCovers) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    PostScriptWriter w;
    w.SetupPage(0, 0, 540, 786, kOnePointPerPixel);
    w.SetLineWidth(3);
    GetParam().draw(w);
    const std::string path = TempPath(std::string("ink-") + GetParam().name + ".ps");
    ASSERT_TRUE(w.WritePostScriptFile(path));
    const ghostscript::Raster page = ghostscript::Render(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(page.valid());
    EXPECT_EQ(page.at(kMargin + 150, kMargin + 150) < 128, GetParam().insideInked);
    EXPECT_LT(page.at(kMargin + 100, kMargin + 150), 128) << "the left edge";
    EXPECT_GT(page.at(kMargin + 300, kMargin + 300), 128) << "paper away from the shape";
}

const std::initializer_list<std::pair<float, float>> kSquare = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};

INSTANTIATE_TEST_SUITE_P(
    Primitives, PostScriptInkTest,
    ::testing::Values(
        InkCase{"FilledOutline", [](auto& w) { Vertices(w, 8, kSquare); }, true},
        InkCase{"Outline", [](auto& w) { Vertices(w, 7, kSquare); }, false},
        InkCase{"ClosedPolyline", [](auto& w) { Vertices(w, 3, kSquare); }, false},
        InkCase{"TriangleFan", [](auto& w) { Vertices(w, 6, kSquare); }, true},
        InkCase{"TriangleStrip", [](auto& w) { Vertices(w, 5, {{100, 100}, {200, 100}, {100, 200}, {200, 200}}); },
                true},
        InkCase{"Triangles",
                [](auto& w) { Vertices(w, 4, {{100, 100}, {200, 100}, {200, 200}, {100, 100}, {200, 200}, {100, 200}}); },
                true},
        InkCase{"FilledCircle", [](auto& w) { w.DrawCircle(150, 150, 50, true); }, true},
        InkCase{"Circle", [](auto& w) { w.DrawCircle(150, 150, 50, false); }, false},
        InkCase{"Segments", [](auto& w) { Vertices(w, 1, {{100, 100}, {100, 200}}); }, false}),
    [](const ::testing::TestParamInfo<InkCase>& info) { return info.param.name; });

// Aligned text as a printer places it: the ink of "HHHH" (40 points) around
// the current point, found by rendering the page.
struct AlignCase {
    const char* name;
    int horizontal, vertical;
    double left, right, bottom, top;  // where the ink's box must lie, relative to the point; NaN: anywhere
};

class PostScriptAlignTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(PostScriptAlignTest, PlacesTheTextAroundThePoint) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    const AlignCase& c = GetParam();
    PostScriptWriter w;
    w.SetupPage(0, 0, 540, 786, kOnePointPerPixel);
    w.SetFont("Times-Roman", 40);
    w.MoveTo(270, 400);
    w.ShowText("HHHH", c.horizontal, c.vertical);
    const std::string path = TempPath(std::string("align-") + c.name + ".ps");
    ASSERT_TRUE(w.WritePostScriptFile(path));
    const ghostscript::Raster page = ghostscript::Render(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(page.valid());
    // The ink's box, away from the frame around the viewport; the point is (270, 400) + the margins.
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    const double px = 270 + kMargin, py = 400 + kMargin;
    for (int y = 50; y < 786 + 35; ++y)
        for (int x = 50; x < 540 + 35; ++x)
            if (page.at(x + 0.5, y + 0.5) < 128) {
                left = std::min(left, x - px);
                right = std::max(right, x - px);
                bottom = std::min(bottom, y - py);
                top = std::max(top, y - py);
            }
    ASSERT_LT(left, right) << "no ink";
    constexpr double kSlack = 3;
    const std::pair<double, double> edges[] = {{left, c.left}, {right, c.right}, {bottom, c.bottom}, {top, c.top}};
    for (const auto& [found, expected] : edges) {
        if (!std::isnan(expected)) {
            EXPECT_NEAR(found, expected, kSlack);
        }
    }
    if (c.horizontal == 11) {
        EXPECT_NEAR(left + right, 0, kSlack) << "centred across";
    }
    if (c.vertical == 11) {
        EXPECT_NEAR(bottom + top, 0, kSlack) << "centred up and down";
    }
}

constexpr double kAny = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Alignments, PostScriptAlignTest,
    ::testing::Values(AlignCase{"LeftOnTheBaseline", 0, 0, 0, kAny, 0, kAny},
                      AlignCase{"Centred", 11, 0, kAny, kAny, 0, kAny},
                      AlignCase{"RightAligned", 13, 0, kAny, 0, 0, kAny},
                      AlignCase{"CentredBothWays", 11, 11, kAny, kAny, kAny, kAny}),
    [](const ::testing::TestParamInfo<AlignCase>& info) { return info.param.name; });

}  // namespace
