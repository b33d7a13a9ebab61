// SPDX-License-Identifier: MIT
// Labels on the PostScript and EPS pages: set by the screen's typesetter and
// written as filled outlines, they must land where the PDF page sets them and
// look as they look there. Every page is read back through Ghostscript.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "graph/GraphManager.h"
#include "render/GraphExport.h"
#include "render/GraphPage.h"
#include "render/PsPainter.h"
#include "render/Typesetter.h"
#include "support/Ghostscript.h"

namespace {

constexpr int kDotsPerInch = 216;  // three dots a point: a label's strokes are a few dots wide
constexpr int kInkGrey = 128;      // darker than this is ink

// A rectangle on a page, in points from the sheet's lower left.
struct Box {
    double left = 1e9, bottom = 1e9, right = -1e9, top = -1e9;
    bool valid() const { return right > left && top > bottom; }
    double height() const { return top - bottom; }
    void add(const Box& b) {
        left = std::min(left, b.left);
        bottom = std::min(bottom, b.bottom);
        right = std::max(right, b.right);
        top = std::max(top, b.top);
    }
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "[" << b.left << ", " << b.bottom << " – " << b.right << ", " << b.top << "]";
}

// The graph's box on a page just written, less a few points all round: the
// PostScript page's frame lies on its edge.
Box InsideGraph() {
    const float* g = PostScriptWriter::Instance().GraphBox();
    return Box{g[0] + 3.0, g[1] + 3.0, g[2] - 3.0, g[3] - 3.0};
}

// The raster's ink inside `area`, as pixel cells.
struct Ink {
    const ghostscript::Raster& raster;
    int col0, col1, row0, row1;

    Ink(const ghostscript::Raster& r, const Box& area)
        : raster(r),
          col0(std::max(0, int(area.left * r.dotsPerPoint))),
          col1(std::min(r.width, int(area.right * r.dotsPerPoint))),
          row0(std::max(0, r.height - int(area.top * r.dotsPerPoint))),
          row1(std::min(r.height, r.height - int(area.bottom * r.dotsPerPoint))) {}

    bool inked(int col, int row) const {
        return col >= col0 && col < col1 && row >= row0 && row < row1 &&
               raster.pixels[size_t(row) * size_t(raster.width) + size_t(col)] < kInkGrey;
    }
    // The cell in page points.
    Box cell(int col, int row) const {
        const double k = raster.dotsPerPoint;
        return Box{col / k, (raster.height - 1 - row) / k, (col + 1) / k, (raster.height - row) / k};
    }
    Box box() const {
        Box b;
        for (int row = row0; row < row1; ++row)
            for (int col = col0; col < col1; ++col)
                if (inked(col, row)) b.add(cell(col, row));
        return b;
    }
    // The boxes of the pieces of ink (8-connected), each a glyph or a rule.
    std::vector<Box> pieces() const {
        std::vector<Box> found;
        std::set<std::pair<int, int>> seen;
        for (int row = row0; row < row1; ++row)
            for (int col = col0; col < col1; ++col) {
                if (!inked(col, row) || !seen.insert({col, row}).second) continue;
                Box b;
                std::vector<std::pair<int, int>> todo{{col, row}};
                while (!todo.empty()) {
                    const auto [c, r] = todo.back();
                    todo.pop_back();
                    b.add(cell(c, r));
                    for (int dr = -1; dr <= 1; ++dr)
                        for (int dc = -1; dc <= 1; ++dc)
                            if (inked(c + dc, r + dr) && seen.insert({c + dc, r + dr}).second)
                                todo.push_back({c + dc, r + dr});
                }
                found.push_back(b);
            }
        return found;
    }
};

// How closely the ink of `page` follows the ink of `reference` (a page of
// the same sheet) inside `area`: the share of the reference's ink the page
// inks too, and the share of the page's ink within a dot of the reference's.
// PostScript fills every dot a shape touches, where glyphs ink the dots
// whose centres they cover, so filled outlines come out a dot bolder than the
// same glyphs set as text; another glyph, or one a dot out of place, loses
// either share.
struct Tracing {
    double covered = 0, near = 0;
};

Tracing Trace(const ghostscript::Raster& page, const ghostscript::Raster& reference, const Box& area) {
    const Ink ink(page, area), ref(reference, area);
    long refDots = 0, covered = 0, dots = 0, near = 0;
    for (int row = ink.row0; row < ink.row1; ++row)
        for (int col = ink.col0; col < ink.col1; ++col) {
            if (ref.inked(col, row)) {
                ++refDots;
                covered += ink.inked(col, row);
            }
            if (!ink.inked(col, row)) continue;
            ++dots;
            bool close = false;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) close = close || ref.inked(col + dc, row + dr);
            near += close;
        }
    return Tracing{refDots ? double(covered) / double(refDots) : 0.0, dots ? double(near) / double(dots) : 0.0};
}

// A curve in the paper's colour with its label shown, set where the test
// puts it, and neither grid nor axes: the label is the only ink in the view.
void LabelOnly(GraphManager& graph, const char* equation) {
    ASSERT_TRUE(Typesetter::EnsureGuiApplication());
    graph.setClientSize(1000, 750);
    graph.toggleGrid();
    graph.toggleAxis();
    EquationObject* e = graph.addEquationFromText(equation);
    ASSERT_NE(e, nullptr);
    e->setColour(ColorF(1, 1, 1, 1));
    e->setDisplayText(true);
    e->setLabelPosition(PointF(-4, 2));
}

struct Pages {
    std::string folder;
    Pages() : folder(ghostscript::TempPath("labels")) { std::filesystem::create_directories(folder); }
    ~Pages() { std::filesystem::remove_all(folder); }
    std::string operator()(const std::string& name) const { return folder + "/" + name; }
};

struct LabelCase {
    const char* name;
    const char* equation;
};

const LabelCase kLabels[] = {
    {"Line", "y = 0.5x + 1"},
    {"Superscript", "y = x^2"},
    {"Fraction", "y = (x + 1)/(x - 2)"},
    {"SquareRoot", "y = sqrt(x + 1)"},
};

class PostScriptLabel : public ::testing::TestWithParam<std::tuple<LabelCase, bool>> {
protected:
    void SetUp() override {
        if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    }
};

// The label's ink lies where the PDF page puts it: its box within a point
// and a half on each side, scaled to the page (an EPS picture is narrower).
// On the PostScript page, which shares the PDF's sheet and scale, the ink is
// the PDF's ink, glyph for glyph: italic letters, upright digits, built-up
// fractions and radicals, where a stroke-font layout would share little of it.
TEST_P(PostScriptLabel, InkLiesWhereThePdfPageSetsIt) {
    const auto& [label, encapsulated] = GetParam();
    GraphManager graph;
    ASSERT_NO_FATAL_FAILURE(LabelOnly(graph, label.equation));
    const Pages pages;
    ASSERT_TRUE(ExportPdf(graph, QString::fromStdString(pages("label.pdf")), PageSheet::A4()));
    ASSERT_TRUE(ExportPostScript(graph, pages("label.ps"), PageSheet::A4()));
    const Box sheetArea = InsideGraph();  // the PDF's too: same sheet, margins and fit
    PageSheet sheet = PageSheet::A4();
    sheet.encapsulated = encapsulated;
    const std::string page = pages(encapsulated ? "label.eps" : "label.ps");
    if (encapsulated) {
        ASSERT_TRUE(ExportPostScript(graph, page, sheet));
    }
    const Box area = InsideGraph();
    EXPECT_EQ(ghostscript::Errors(page), "");

    const ghostscript::Raster pdf = ghostscript::Render(pages("label.pdf"), kDotsPerInch);
    const ghostscript::Raster ps = ghostscript::Render(page, kDotsPerInch);
    ASSERT_TRUE(pdf.valid());
    ASSERT_TRUE(ps.valid());
    const Box pdfInk = Ink(pdf, sheetArea).box(), psInk = Ink(ps, area).box();
    ASSERT_TRUE(pdfInk.valid());
    ASSERT_TRUE(psInk.valid()) << "no label ink on the page";
    // The PDF's box carried over to this page's graph box.
    const double k = (area.right - area.left) / (sheetArea.right - sheetArea.left);
    const auto x = [&](double onSheet) { return area.left + k * (onSheet - sheetArea.left); };
    const auto y = [&](double onSheet) { return area.bottom + k * (onSheet - sheetArea.bottom); };
    const Box expected{x(pdfInk.left), y(pdfInk.bottom), x(pdfInk.right), y(pdfInk.top)};
    constexpr double kPoints = 1.5;
    EXPECT_NEAR(psInk.left, expected.left, kPoints) << psInk << " against " << expected;
    EXPECT_NEAR(psInk.right, expected.right, kPoints) << psInk << " against " << expected;
    EXPECT_NEAR(psInk.bottom, expected.bottom, kPoints) << psInk << " against " << expected;
    EXPECT_NEAR(psInk.top, expected.top, kPoints) << psInk << " against " << expected;
    if (!encapsulated) {
        const Tracing t = Trace(ps, pdf, area);
        EXPECT_GT(t.covered, 0.9);
        EXPECT_GT(t.near, 0.9);
    }
}

std::string LabelAndPage(const ::testing::TestParamInfo<std::tuple<LabelCase, bool>>& info) {
    return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Eps" : "Ps");
}

INSTANTIATE_TEST_SUITE_P(Labels, PostScriptLabel, ::testing::Combine(::testing::ValuesIn(kLabels), ::testing::Bool()),
                         LabelAndPage);

class PostScriptSuperscript : public ::testing::TestWithParam<bool> {};

// An exponent is set as in print: as tall as the letter it stands on (a
// script-size digit is about an x-height), its foot above that letter's
// middle. The stroke-font layout shrank it to half.
TEST_P(PostScriptSuperscript, IsFullSizeAndRaised) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    GraphManager graph;
    ASSERT_NO_FATAL_FAILURE(LabelOnly(graph, "y = x^2"));
    const Pages pages;
    PageSheet sheet = PageSheet::A4();
    sheet.encapsulated = GetParam();
    const std::string page = pages(GetParam() ? "square.eps" : "square.ps");
    ASSERT_TRUE(ExportPostScript(graph, page, sheet));
    const ghostscript::Raster raster = ghostscript::Render(page, kDotsPerInch);
    ASSERT_TRUE(raster.valid());
    std::vector<Box> pieces = Ink(raster, InsideGraph()).pieces();
    // y, the two bars of =, x and 2; the last two by their right edges are x and 2.
    ASSERT_GE(pieces.size(), 5u);
    std::sort(pieces.begin(), pieces.end(), [](const Box& a, const Box& b) { return a.right < b.right; });
    const Box& exponent = pieces.back();
    const Box& base = pieces[pieces.size() - 2];
    EXPECT_GT(exponent.height(), 0.9 * base.height()) << exponent << " on " << base;
    EXPECT_GT(exponent.bottom, (base.bottom + base.top) / 2) << exponent << " on " << base;
}

INSTANTIATE_TEST_SUITE_P(Pages, PostScriptSuperscript, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Eps" : "Ps"); });

// Whatever a label's text holds (characters no PostScript font has, the
// string and comment characters of the language, broken LaTeX), the page
// gets only numbers and path operators from it, and stays readable.
TEST(PostScriptLabelText, NeverReachesThePage) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    ASSERT_TRUE(Typesetter::EnsureGuiApplication());
    struct Row {
        std::string latex;
        bool inked;  // has glyphs every serif face draws
    };
    const Row rows[] = {
        {"y = x^{2} ) ( \\ % \\%", true},
        {"\\text{a(b)c \\\\ 100\\%}", true},
        {"f(x) = \u00e4\u00df\u03c0 \u2264 \u221e \u65e5\u672c", true},
        {"%%EOF\nshowpage\n(", true},
        {"\\frac{", false},
        {"}}}^^__{", false},
        {"\\sqrt", false},
        {std::string(3000, 'x'), true},  // wider than a label may be: cut to its largest size
    };
    const std::set<std::string> operators{"gsave",  "grestore",  "setrgbcolor", "newpath", "moveto",
                                          "lineto", "curveto",   "closepath",   "fill",    "eofill"};
    const Projection view = Projection::Ortho(-10, 10, -7.5, 7.5, 640, 480);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.latex.substr(0, 40));
        PostScriptWriter w;
        w.SetupPage(0, 0, 640, 480);
        const size_t setup = w.Body().size();
        PsPainter painter(w, view);
        painter.equationImage(row.latex, PointF(-9, 0));
        const std::string label = w.Body().substr(setup);
        std::istringstream words(label);
        for (std::string word; words >> word;) {
            char* end = nullptr;
            std::strtod(word.c_str(), &end);
            EXPECT_TRUE((end != word.c_str() && *end == 0) || operators.count(word)) << word;
        }
        if (row.inked) {
            EXPECT_NE(label.find("fill"), std::string::npos);
        }
        const std::string path = ghostscript::TempPath("label-text.ps");
        ASSERT_TRUE(w.WritePostScriptFile(path));
        EXPECT_EQ(ghostscript::Errors(path), "");
        std::filesystem::remove(path);
    }
}

}  // namespace
