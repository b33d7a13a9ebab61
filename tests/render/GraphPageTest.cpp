// SPDX-License-Identifier: MIT
// The page drawing (print, PDF, SVG) of a painted region, rasterised at
// printer resolutions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include <QtCore/QStringList>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "graph/GraphManager.h"
#include "render/GraphPage.h"
#include "render/Typesetter.h"

namespace {

struct ResolutionCase {
    int dpi;
};

class PaintedRegionOnPaper : public ::testing::TestWithParam<ResolutionCase> {};

// The region between y = x² − 4 and the axis, filled on a page at the printer's
// resolution: inside it (away from its rim) no pixel is left white, as hatching
// by fixed columns or scan lines would leave at a fine resolution. Only a
// window of the page is rasterised, the part around x in [−1, 1], y in [−2.5, −0.5].
TEST_P(PaintedRegionOnPaper, HasNoUnpaintedPixelInside) {
    Typesetter::EnsureGuiApplication();
    GraphManager graph;
    graph.setClientSize(800, 600);
    ASSERT_NE(graph.addEquationFromText("y = x^2 - 4"), nullptr);
    graph.addPaintedDomain(PaintedDomain{ColorF(0, 0, 1, 1), PointF(0, -1)});
    // Grid and axes off: every pixel of the window is then region or paper.
    graph.toggleGrid();
    graph.toggleAxis();

    const double k = GetParam().dpi / 72.0;  // page pixels per view pixel
    const PointF a = graph.viewport().graphToScreen(-1, -0.5), b = graph.viewport().graphToScreen(1, -2.5);
    const int width = int((b.x - a.x) * k), height = int((b.y - a.y) * k);
    ASSERT_GT(width, 100);
    ASSERT_GT(height, 100);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(-a.x * k, -a.y * k);
        PaintGraphPage(graph, painter, QRectF(0, 0, 800 * k, 600 * k));
    }
    const QColor tint = QColor::fromRgbF(0.7f, 0.7f, 1.0f);
    int white = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - tint.red()) > 3 || std::abs(c.green() - tint.green()) > 3 ||
                std::abs(c.blue() - tint.blue()) > 3)
                ++white;
        }
    EXPECT_EQ(white, 0) << "pixels of " << width << " × " << height << " not in the region's tint";
}

INSTANTIATE_TEST_SUITE_P(Printers, PaintedRegionOnPaper,
                         ::testing::Values(ResolutionCase{300}, ResolutionCase{1200}),
                         [](const auto& info) { return std::to_string(info.param.dpi) + "dpi"; });

// A graph with the line y = 0.5x + 1 and its label shown.
void LabelledLine(GraphManager& graph) {
    Typesetter::EnsureGuiApplication();
    graph.setClientSize(800, 600);
    EquationObject* line = graph.addEquationFromText("y = 0.5x + 1");
    ASSERT_NE(line, nullptr);
    line->setDisplayText(true);
}

// A page sets labels as the screen does, as text: the SVG of a labelled
// curve holds the label's words and numbers in order, the number whole
// (a stroke-font layout would give it glyph by glyph).
TEST(GraphPage, LabelsAreTypesetAsTextOnTheSvgPage) {
    GraphManager graph;
    ASSERT_NO_FATAL_FAILURE(LabelledLine(graph));
    const QByteArray svg = SvgDrawing(graph);
    ASSERT_FALSE(svg.isEmpty());
    QStringList texts;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("text"))
            texts << reader.readElementText().trimmed();
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    const QString joined = texts.join(QLatin1Char(' '));
    EXPECT_TRUE(joined.contains(QStringLiteral("y = 0.5 x + 1"))) << joined.toStdString();
}

// The PDF page's label is text a reader finds: pdftotext reads the label of
// y = 0.5x + 1 back as it is shown, on one line.
TEST(GraphPage, PdfTextOfALabelReadsAsShown) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
    GraphManager graph;
    ASSERT_NO_FATAL_FAILURE(LabelledLine(graph));
    const std::string folder = (std::filesystem::temp_directory_path() / ("kvr-pdftext-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(folder);
    const std::string pdf = folder + "/page.pdf", text = folder + "/page.txt";
    ASSERT_TRUE(ExportPdf(graph, QString::fromStdString(pdf)));
    ASSERT_EQ(std::system(("pdftotext '" + pdf + "' '" + text + "'").c_str()), 0);
    std::ifstream in(text);
    const std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(read.find("y = 0.5x + 1"), std::string::npos) << read;
    std::filesystem::remove_all(folder);
}

}  // namespace
