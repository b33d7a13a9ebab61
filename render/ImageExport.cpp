// SPDX-License-Identifier: MIT
#include "render/ImageExport.h"

#include <QtCore/QBuffer>

#include "core/AtomicFile.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QImageWriter>

#include "graph/GraphManager.h"
#include "render/EglContext.h"
#include "render/GL.h"
#include "render/GlPainter.h"
#include "render/GraphFrame.h"
#include "render/Typesetter.h"

namespace {

// Large enough for any screen, small enough that a bad size cannot exhaust memory.
constexpr int kMaxSide = 8192;

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

}  // namespace

std::string SuggestedFileName(const std::string& documentPath, const std::string& extension) {
    if (documentPath.empty()) return "Untitled." + extension;
    const size_t slash = documentPath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = documentPath;
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > nameStart) name.erase(dot);
    return name + "." + extension;
}

QImage ImageFromGlPixels(const unsigned char* rgba, int width, int height) {
    if (!rgba || width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_ARGB32);
    const size_t n = size_t(width) * size_t(height);
    QRgb* out = reinterpret_cast<QRgb*>(image.bits());
    // Pixel i of the GL rows goes to i + w·(h − 1) − 2·w·(i div w): the rows mirrored.
    for (size_t i = 0; i < n; ++i) {
        const unsigned char* p = rgba + 4 * i;
        const size_t row = i / size_t(width);
        const size_t to = i + size_t(width) * (size_t(height) - 1) - 2 * size_t(width) * row;
        out[to] = qRgba(p[0], p[1], p[2], p[3]);
    }
    return image;
}

QImage CaptureGraphImage(GraphManager& graph, int width, int height, double devicePixelRatio, std::string* error) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        SetError(error, "the picture size must be from 1 to 8192 pixels");
        return {};
    }
    EglContext context(width, height);
    if (!context.ok()) {
        SetError(error, "no headless OpenGL context: " + context.error());
        return {};
    }
    // Labels need fonts; without them the picture is still drawn, labels left out.
    Typesetter::EnsureGuiApplication();

    // The graph is laid out in logical pixels (what a window of that ratio
    // reports as its size); the framebuffer has the device pixels.
    if (!std::isfinite(devicePixelRatio) || devicePixelRatio <= 0) devicePixelRatio = 1.0;
    const int savedWidth = graph.viewport().width, savedHeight = graph.viewport().height;
    graph.setClientSize(std::max(1, int(std::lround(width / devicePixelRatio))),
                        std::max(1, int(std::lround(height / devicePixelRatio))));
    glClearColor(1, 1, 1, 1);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    GlPainter painter;
    DrawGraphFrame(graph, painter, devicePixelRatio);
    glFinish();
    graph.setClientSize(savedWidth, savedHeight);

    std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return ImageFromGlPixels(rgba.data(), width, height);
}

QImage CaptureCleanGraphImage(GraphManager& graph, int width, int height, std::string* error, bool withLabels) {
    const bool grid = graph.showGrid();
    graph.saveFlagsForExport(withLabels);
    graph.setShowGrid(false);
    QImage image = CaptureGraphImage(graph, width, height, 1.0, error);
    graph.setShowGrid(grid);
    graph.restoreFlagsAfterExport();
    return image;
}

bool SaveImagePng(const QImage& image, const std::string& path) {
    if (image.isNull() || path.empty()) return false;
    QBuffer png;
    QImageWriter writer(&png, "png");
    if (!writer.write(image)) return false;
    return WriteFileAtomically(path, std::string_view(png.data().constData(), size_t(png.data().size()))).empty();
}

bool ExportGraphImage(GraphManager& graph, const std::string& path, int width, int height, std::string* error,
                      bool withLabels) {
    const QImage image = CaptureCleanGraphImage(graph, width, height, error, withLabels);
    if (image.isNull()) return false;
    if (!SaveImagePng(image, path)) {
        SetError(error, kImageSaveFailed);
        return false;
    }
    return true;
}
