// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "graph/GraphManager.h"
#include "render/GraphExport.h"
#include "render/PsPainter.h"
#include "support/Ghostscript.h"

namespace {

// Client pixel of a graph point.
PointF Px(const GraphManager& g, double x, double y) { return g.viewport().graphToScreen(x, y); }

void RightClick(GraphManager& g, double x, double y) {
    const PointF p = Px(g, x, y);
    g.rightButtonDown(int(p.x), int(p.y));
    g.rightButtonUp(int(p.x), int(p.y));
}

void Click(GraphManager& g, double x, double y) {
    const PointF p = Px(g, x, y);
    g.mouseDown(int(p.x), int(p.y));
    g.mouseUp(int(p.x), int(p.y));
}

// Everything a page can show: a labelled curve with a captioned attribute
// point, mensuration, a painted domain, intersections and a selected hyperbola.
void BuildScene(GraphManager& g) {
    ASSERT_NE(g.addEquationFromText("y = x^2 - 2"), nullptr);
    RightClick(g, 1, -1);
    g.toggleDisplayEquation();
    g.addAttribPoint(PRESET_XY_CAPTION);
    EquationObject* line = g.addEquationFromText("y = x");
    ASSERT_NE(line, nullptr);
    line->setMensurationEnabled(true);
    line->setMensurationRange(-1, 2);
    g.toggleIntersections();
    g.addPaintedDomain(PaintedDomain{ColorF(0, 0.5, 0, 1), PointF(-6, 2)});
    ASSERT_NE(g.addEquationFromText("x^2 - y^2/4 - 1 = 0"), nullptr);
    Click(g, 1, 0);
    ASSERT_NE(g.selected(), nullptr);
    ASSERT_EQ(g.selected()->expression()->type, MathEx::PT_HYPERBOLA);
    ASSERT_FALSE(g.intersections().empty());
}


TEST(GraphExport, WritesAPageGhostscriptReads) {
    GraphManager g;
    ASSERT_NO_FATAL_FAILURE(BuildScene(g));
    const std::string path = (std::filesystem::temp_directory_path() / "kvr-test-graph-export.ps").string();
    ASSERT_TRUE(ExportPostScript(g, path));
    const std::string page = ghostscript::Slurp(path);
    EXPECT_EQ(page.rfind("%!", 0), 0u);
    // The page transform of the 1000 × 750 client area, then the drawing.
    EXPECT_NE(page.find("0 0 1000 750 rectclip\r\n"), std::string::npos);
    EXPECT_NE(page.find("showpage"), std::string::npos);
    // The export draws; it changes nothing on the graph.
    ASSERT_NE(g.selected(), nullptr);
    EXPECT_EQ(g.selected()->expression()->type, MathEx::PT_HYPERBOLA);
    EXPECT_TRUE(g.equations().front()->displayText());
    if (!ghostscript::Available()) {
        std::filesystem::remove(path);
        GTEST_SKIP() << "ghostscript is not installed";
    }
    EXPECT_EQ(ghostscript::Errors(path), "");
    std::filesystem::remove(path);
}

bool HasNonFiniteNumber(const std::string& page) {
    return page.find("nan") != std::string::npos || page.find("inf") != std::string::npos;
}

// Curves whose samples overflow: the page leaves those points out and stays readable.
TEST(GraphExport, PointsThatAreNotNumbersStayOffThePage) {
    const char* const rows[] = {"y = tan(x)/0", "y = 1e308*x^2", "y = 1e200*x^3 - x", "y = log(x)"};
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        GraphManager g;
        ASSERT_NE(g.addEquationFromText(text), nullptr);
        g.addEquationFromText("y = x");
        RightClick(g, 1, 1);
        g.addAttribPoint(PRESET_XY_CAPTION);
        g.toggleIntersections();
        const std::string path = (std::filesystem::temp_directory_path() / "kvr-test-graph-overflow.ps").string();
        ASSERT_TRUE(ExportPostScript(g, path));
        const std::string page = ghostscript::Slurp(path);
        std::filesystem::remove(path);
        EXPECT_FALSE(HasNonFiniteNumber(page));
    }
}

TEST(GraphExport, AStripBreaksAtAPointThatIsNotANumber) {
    PostScriptWriter w;
    PsPainter s(w, Projection::Ortho(-10, 10, -7.5, 7.5, 640, 480));
    const float nan = std::nanf("");
    const PointF strip[] = {{0, 0}, {1, 1}, {nan, nan}, {nan, nan}, {2, 2}, {3, 3}};
    s.polyline(strip);
    const PointF ends[] = {{0, 0}, {nan, 0}, {1, 0}, {2, 0}};
    s.segments(ends);
    s.circle(PointF(float(nan), 0), 1, true);
    EXPECT_EQ(w.Body(),
              "newpath\n320 240 moveto\n352 272 lineto\nstroke\n\n"
              "newpath\n384 304 moveto\n416 336 lineto\nstroke\n\n"
              "newpath\n352 240 moveto\n384 240 lineto\nstroke\n\n");
}

TEST(GraphExport, RefusesWhatCannotBeWritten) {
    struct Row {
        const char* name;
        std::string path;
        int width, height;
    };
    const std::string good = (std::filesystem::temp_directory_path() / "kvr-test-graph-empty.ps").string();
    const Row rows[] = {
        {"missing folder", "/no/such/folder/graph.ps", 1000, 750},
        {"a folder", std::filesystem::temp_directory_path().string(), 1000, 750},
        {"no width", good, 0, 750},
        {"no height", good, 1000, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GraphManager g;
        g.addEquationFromText("y = x");
        g.setClientSize(row.width, row.height);
        EXPECT_FALSE(ExportPostScript(g, row.path));
    }
    EXPECT_FALSE(std::filesystem::exists(good));
}

}  // namespace
