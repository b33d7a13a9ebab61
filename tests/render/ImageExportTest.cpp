// SPDX-License-Identifier: MIT
// Image export: the proposed file name, the picture's row order, the clean
// picture and its flags, a headless picture against a kept reference, and
// a file that cannot be written.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <QtGui/QColor>
#include <QtGui/QImage>

#include "graph/EquationObject.h"
#include "graph/GraphManager.h"
#include "render/ImageExport.h"

#ifndef KVR_TEST_DATA
#define KVR_TEST_DATA "tests/data"
#endif

namespace {

// Every save and export dialog offers the document's own name beside it.
TEST(ImageExport, SuggestedNames) {
    const struct {
        const char* path;
        const char* extension;
        const char* name;
    } rows[] = {{"", "png", "Untitled.png"},
                {"", "kvr", "Untitled.kvr"},
                {"/home/ann/lessons/graph.final.kvr", "png", "/home/ann/lessons/graph.final.png"},
                {"/home/ann/lessons/circle.kvr", "ps", "/home/ann/lessons/circle.ps"},
                {"graph.final.kvr", "svg", "graph.final.svg"},
                {"/tmp/notes", "pdf", "/tmp/notes.pdf"},
                {"/a.b/notes", "png", "/a.b/notes.png"},
                {"/a.b/.hidden", "png", "/a.b/.hidden.png"},
                {"lesson.kvr", "kvr", "lesson.kvr"}};
    for (const auto& r : rows) EXPECT_EQ(SuggestedFileName(r.path, r.extension), r.name) << r.path;
}

TEST(ImageExport, LowerLeftOfTheGlPictureIsTheLastRowFirstColumn) {
    // 3 × 2 pixels, GL order (bottom row first): the first pixel is red.
    std::vector<unsigned char> rgba(3 * 2 * 4, 255);
    rgba[0] = 255, rgba[1] = 0, rgba[2] = 0, rgba[3] = 255;
    const size_t topRight = (1 * 3 + 2) * 4;  // bottom row is GL row 0
    rgba[topRight] = 0, rgba[topRight + 1] = 0, rgba[topRight + 2] = 255, rgba[topRight + 3] = 128;
    const QImage image = ImageFromGlPixels(rgba.data(), 3, 2);
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 1), qRgba(255, 0, 0, 255));
    EXPECT_EQ(image.pixel(2, 0), qRgba(0, 0, 255, 128));
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 255, 255, 255));
}

// Non-white pixels of a picture.
std::vector<bool> Ink(const QImage& image) {
    std::vector<bool> ink(size_t(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            ink[size_t(y) * image.width() + x] = c.red() < 160 || c.green() < 160 || c.blue() < 160;
        }
    return ink;
}

// Ink of `a` with no ink of `b` within `reach` pixels.
long Strays(const std::vector<bool>& a, const std::vector<bool>& b, int w, int h, int reach) {
    long strays = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!a[size_t(y) * w + x]) continue;
            bool near = false;
            for (int dy = -reach; dy <= reach && !near; ++dy)
                for (int dx = -reach; dx <= reach && !near; ++dx) {
                    const int u = x + dx, v = y + dy;
                    near = u >= 0 && v >= 0 && u < w && v < h && b[size_t(v) * w + u];
                }
            strays += !near;
        }
    return strays;
}

void AddSmallGraph(GraphManager& graph) {
    graph.setClientSize(200, 150);
    ASSERT_TRUE(graph.addEquationFromText("y = x^2 - 2"));
    ASSERT_TRUE(graph.addEquationFromText("y = 0.5*x + 1"));
}

// The reference was drawn by `kvr script tests/data/graph-small.script`; the
// rasteriser may differ by a pixel here and there, so ink is compared by
// distance, not bytes.
TEST(ImageExport, HeadlessPictureMatchesTheReference) {
    const QImage reference(QStringLiteral(KVR_TEST_DATA "/graph-small.png"));
    ASSERT_FALSE(reference.isNull());
    GraphManager graph;
    AddSmallGraph(graph);
    std::string error;
    const QImage image = CaptureCleanGraphImage(graph, 200, 150, &error);
    if (image.isNull()) GTEST_SKIP() << error;
    ASSERT_EQ(image.size(), reference.size());
    const std::vector<bool> got = Ink(image), want = Ink(reference);
    long inkPixels = 0;
    for (bool b : want) inkPixels += b;
    ASSERT_GT(inkPixels, 300);
    EXPECT_LE(Strays(got, want, 200, 150, 3), inkPixels / 100);
    EXPECT_LE(Strays(want, got, 200, 150, 3), inkPixels / 100);
}

TEST(ImageExport, CleanPictureHidesGridLabelsAndSelectionThenRestoresThem) {
    GraphManager graph;
    AddSmallGraph(graph);
    graph.setShowGrid(true);
    EquationObject* first = graph.equation(0);
    first->setDisplayText(true);
    graph.select(first);
    std::string error;
    const QImage clean = CaptureCleanGraphImage(graph, 200, 150, &error);
    if (clean.isNull()) GTEST_SKIP() << error;
    EXPECT_TRUE(graph.showGrid());
    EXPECT_TRUE(first->displayText());
    EXPECT_EQ(graph.selected(), first);
    EXPECT_FALSE(graph.equations().back()->displayText());
    EXPECT_EQ(graph.viewport().width, 200);

    const QImage shown = CaptureGraphImage(graph, 200, 150);
    long cleanInk = 0, shownInk = 0;
    for (bool b : Ink(clean)) cleanInk += b;
    for (bool b : Ink(shown)) shownInk += b;
    EXPECT_GT(shownInk, cleanInk + 200) << "the screen picture has grid lines the export leaves out";
}

TEST(ImageExport, UnwritableFileIsReported) {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::white);
    EXPECT_FALSE(SaveImagePng(image, "/no/such/folder/picture.png"));
    EXPECT_FALSE(SaveImagePng(QImage(), "/tmp/never.png"));
    GraphManager graph;
    AddSmallGraph(graph);
    std::string error;
    EXPECT_FALSE(ExportGraphImage(graph, "/no/such/folder/picture.png", 50, 50, &error));
    if (error.rfind("no headless", 0) != 0) {
        EXPECT_EQ(error, kImageSaveFailed);
    }
    EXPECT_FALSE(ExportGraphImage(graph, "/tmp/never.png", 0, 50, &error));
}

}  // namespace
