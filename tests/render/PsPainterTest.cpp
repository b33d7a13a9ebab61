// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "mathex/Markers.h"
#include "mathex/MathExp.h"
#include "render/PsPainter.h"
#include "render/Typesetter.h"
#include "support/Ghostscript.h"

namespace {

// Graph [-10, 10] × [-7.5, 7.5] on a 640 × 480 viewport: 32 pixels per unit.
Projection Graph() { return Projection::Ortho(-10, 10, -7.5, 7.5, 640, 480); }

TEST(Projection, MatchesTheOrthographicMapping) {
    const Projection p = Graph();
    double wx, wy;
    ASSERT_TRUE(p.Project(0, 0, 0, wx, wy));
    EXPECT_DOUBLE_EQ(wx, 320);
    EXPECT_DOUBLE_EQ(wy, 240);
    ASSERT_TRUE(p.Project(-10, 7.5, 0, wx, wy));
    EXPECT_DOUBLE_EQ(wx, 0);
    EXPECT_DOUBLE_EQ(wy, 480);
}

TEST(PsPainter, ProjectsShapesThroughTheTransformStack) {
    PostScriptWriter w;
    PsPainter s(w, Graph());
    EXPECT_TRUE(s.isVector());
    s.setPen(Pen::Patterned(ColorF(0, 0, 1), 1, 0x00FF));
    const PointF line[] = {{0, 0}, {1, 1}};
    s.polyline(line);
    s.setPen(Pen(ColorF(0, 0, 1)));
    s.pushTransform(1, 2, 2, 0.5);
    const PointF triangle[] = {{0, 0}, {1, 0}, {1, 2}};
    s.fillPolygon(triangle);
    s.popTransform();
    EXPECT_EQ(w.Body(),
              "0 0 1 setrgbcolor\n[5 5 5 5] 0 setdash\nnewpath\n320 240 moveto\n352 272 lineto\nstroke\n\n"
              "[] 0 setdash\nnewpath\n352 304 moveto\n416 304 lineto\n416 336 lineto\nclosepath\ngsave\nfill\ngrestore\nstroke\n\n");
}

TEST(PsPainter, ClipCircleArcArrowsAndText) {
    PostScriptWriter w;
    PsPainter s(w, Graph());
    s.setClipRect(RectF(1, -1, -2, 2));  // top, bottom, left, right
    s.clearClip();
    s.clearClip();  // a second clear emits nothing
    s.circle(PointF(1, 1), 0.5, true);
    s.arc(PointF(0, 0), 1, 0, 90);
    const PointF arrow[] = {{0, 0}, {1, 0}};
    s.arrows(arrow);
    // A label beyond the view is measured but leaves nothing on the page.
    Typesetter::EnsureGuiApplication();
    EXPECT_GT(s.equationImage("x^2", PointF(-30, 0)).width, 0);
    EXPECT_GT(s.equationImage("x^2", PointF(0, 20)).width, 0);
    const float advance = s.strokeText("ab", PointF(0, 0), 0.01, 0.01);
    s.text("x", PointF(0, 0), 0.01, 0.01, Painter::TextStyle::Italic);
    EXPECT_GT(advance, 100);
    EXPECT_EQ(w.Body(),
              "gsave\n\nnewpath 256 208 moveto 384 208 lineto 384 272 lineto 256 272 lineto closepath clip\n"
              "grestore\n\n"
              "newpath 352 272 16 0 360 arc closepath fill\n\n"
              "newpath 320 240 32 0 90 arc stroke\n\n"
              "newpath\n320 240 352 240 1 3 6 arrow\nfill\n\n"
              "320 240 moveto\n/Times-Roman findfont 48 scalefont setfont\n(ab) show\n"
              "320 240 moveto\n/Times-Italic findfont 48 scalefont setfont\n(x) show\n");
}

// A whole picture through the vector path: a typeset label, markers and
// arcs, read by Ghostscript without error.
TEST(PsPainter, LabelAndMarkersMakeAValidPage) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    PostScriptWriter& w = PostScriptWriter::Instance();
    w.SetupPage(0, 0, 640, 480);
    PsPainter s(w, Graph());
    s.pushTransform(-8, 5, 0.6, 0.6);
    s.equationImage("y=\\frac{\\sqrt{{x}^{2}+1}}{2\\cdot 3}-x_{n}", PointF(0, 0));
    s.popTransform();
    const PointF marker(2, -2);
    MathEx::DrawDiscMarkers(s, {&marker, 1}, 0.2, 1, ColorF(1, 1, 0), ColorF(0, 0, 0), false);
    MathEx::DrawAngleArc(s, PointF(0, 0), PointF(3, 0), PointF(0, 3));
    const std::string path = (std::filesystem::temp_directory_path() / "kvr-test-expression.ps").string();
    ASSERT_TRUE(w.WritePostScriptFile(path));
    EXPECT_EQ(ghostscript::Errors(path), "");
    std::filesystem::remove(path);
}

// Whatever is drawn far off the page (10 million units out, where the view
// shows ten), the page keeps its numbers near the sheet, Ghostscript draws
// it, and what crosses the view is still on it.
struct FarCase {
    const char* name;
    std::function<void(Painter&)> draw;
    double probeX, probeY;  // a window pixel that must be inked; negative: nothing to look at
};

class PsPainterFarTest : public ::testing::TestWithParam<FarCase> {};

constexpr float kFar = 1e7f;

TEST_P(PsPainterFarTest, KeepsThePageDrawable) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    PostScriptWriter w;
    w.SetupPage(0, 0, 640, 480);
    PsPainter s(w, Graph());
    s.setPen(Pen(ColorF(0, 0, 0), 3));
    GetParam().draw(s);
    std::istringstream words(w.Body());
    for (std::string word; words >> word;) {
        char* end = nullptr;
        const double v = std::strtod(word.c_str(), &end);
        if (end != word.c_str() && *end == 0) {
            EXPECT_LT(std::fabs(v), 1e6) << word;
        }
    }
    const std::string path = ghostscript::TempPath(std::string("far-") + GetParam().name + ".ps");
    ASSERT_TRUE(w.WritePostScriptFile(path));
    EXPECT_EQ(ghostscript::Errors(path), "");
    if (GetParam().probeX >= 0) {
        const ghostscript::Raster page = ghostscript::Render(path);
        ASSERT_TRUE(page.valid());
        EXPECT_LT(page.at(w.PageX(float(GetParam().probeX)), w.PageY(float(GetParam().probeY))), 128);
    }
    std::filesystem::remove(path);
}

std::vector<PointF> Points(std::initializer_list<PointF> points) { return points; }

INSTANTIATE_TEST_SUITE_P(
    Shapes, PsPainterFarTest,
    ::testing::Values(
        FarCase{"Dots", [](Painter& s) { s.dots(Points({{kFar, 0}, {0, 0}}), 5); }, 320, 240},
        FarCase{"Segments", [](Painter& s) { s.segments(Points({{-kFar, 0}, {kFar, 0}})); }, 320, 240},
        FarCase{"Polyline", [](Painter& s) { s.polyline(Points({{-kFar, -kFar}, {0, 0}, {kFar, kFar}})); }, 320, 240},
        FarCase{"ClosedPolyline",
                [](Painter& s) { s.polyline(Points({{-kFar, -1}, {kFar, -1}, {0, kFar}}), true); }, 320, 208},
        FarCase{"Triangle", [](Painter& s) { s.fillPolygon(Points({{-kFar, -kFar}, {kFar, -kFar}, {0, kFar}})); },
                320, 240},
        FarCase{"Diamond", [](Painter& s) { s.fillPolygon(Points({{0, -kFar}, {kFar, 0}, {0, kFar}, {-kFar, 0}})); },
                320, 240},
        FarCase{"Square",
                [](Painter& s) { s.fillPolygon(Points({{-kFar, -kFar}, {kFar, -kFar}, {kFar, kFar}, {-kFar, kFar}})); },
                320, 240},
        FarCase{"DiscCoveringThePage", [](Painter& s) { s.circle(PointF(0, 0), kFar, true); }, 320, 240},
        FarCase{"MarkersAndTextsOffThePage",
                [](Painter& s) {
                    s.circle(PointF(kFar, 0), 1, true);
                    s.discs(Points({{kFar, kFar}, {-kFar, 0}}), 1, true);
                    s.circle(PointF(0, 0), kFar, false);
                    s.arc(PointF(0, -kFar), 1, 0, 90);
                    s.strokeText("far", PointF(kFar, kFar), 0.01, 0.01);
                    s.setClipRect(RectF(kFar, -kFar, -kFar, kFar));
                    s.segments(Points({{-1, 0}, {1, 0}}));
                    s.clearClip();
                },
                320, 240}),
    [](const ::testing::TestParamInfo<FarCase>& info) { return info.param.name; });

}  // namespace
