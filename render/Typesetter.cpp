// SPDX-License-Identifier: MIT
#include "render/Typesetter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>

#include "render/LabelCache.h"
#include "render/TexLayout.h"
#include "render/TexParser.h"

namespace {

// Em in pixels for sizes 0 … 7; 5 is 12 pt at 96 dpi.
constexpr double kSizePixels[] = {10, 11, 12, 13, 14, 16, 20, 24};

// A frame of the busiest graph has well under a hundred labels; a few hundred
// keeps zooming back and forth warm. 64 MB bounds the worst case of huge labels.
LabelCache& Cache() {
    static LabelCache cache(400, size_t(64) << 20);
    return cache;
}

long typesetCount = 0;

double ClampRatio(double ratio) { return std::isfinite(ratio) ? std::clamp(ratio, 0.25, 4.0) : 1.0; }

// A label laid out, and the picture it makes: its size in pixels and where
// its baseline lies, a margin of ink-free pixels all round.
struct Laid {
    std::unique_ptr<TexNode> root;
    std::unique_ptr<TexLayout> layout;
    double margin = 0, baselineFromTop = 0;
    int w = 0, h = 0;
};

Laid LayOut(const std::string& latex, int size, double ratio) {
    Laid l;
    const double em = kSizePixels[std::clamp(size, 0, 7)] * ratio;
    l.root = ParseTex(latex);
    l.layout = std::make_unique<TexLayout>(em);
    l.layout->layout(*l.root);
    l.margin = std::ceil(ratio);
    const double ascent = std::max(l.root->ascent, 0.7 * em);
    const double descent = std::max(l.root->descent, 0.2 * em);
    // Never an empty image for a non-empty text, even one with no ink.
    const double width = std::max(l.root->width + l.root->italicCorrection, 0.3 * em);
    l.w = std::min(int(std::ceil(width + 2 * l.margin)), int(Typesetter::kMaxLabelWidth * ratio));
    l.h = std::min(int(std::ceil(ascent + descent + 2 * l.margin)), int(Typesetter::kMaxLabelHeight * ratio));
    l.baselineFromTop = std::min(l.margin + std::ceil(ascent), double(l.h));
    return l;
}

std::shared_ptr<LabelBitmap> Render(const std::string& latex, int size, double ratio) {
    const Laid l = LayOut(latex, size, ratio);
    const int w = l.w, h = l.h;
    const double baselineFromTop = l.baselineFromTop;

    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setPen(Qt::black);
        l.layout->paint(*l.root, painter, l.margin, baselineFromTop);
    }

    auto bitmap = std::make_shared<LabelBitmap>();
    bitmap->width = w;
    bitmap->height = h;
    bitmap->baseline = h - int(baselineFromTop);
    bitmap->coverage.resize(size_t(w) * size_t(h));
    for (int row = 0; row < h; ++row) {
        const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(h - 1 - row));
        unsigned char* dst = bitmap->coverage.data() + size_t(row) * size_t(w);
        for (int col = 0; col < w; ++col) dst[col] = static_cast<unsigned char>(qAlpha(src[col]));
    }
    return bitmap;
}

}  // namespace

namespace Typesetter {

bool EnsureGuiApplication() {
    if (QCoreApplication::instance()) return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    static int argc = 3;
    static char arg0[] = "kvr";
    static char arg1[] = "-platform";
    static char arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    // Lives until the process ends: Qt allows one application object.
    new QGuiApplication(argc, argv);
    return true;
}

std::shared_ptr<const LabelBitmap> Typeset(const std::string& latex, int size, double ratio) {
    if (latex.empty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    ratio = ClampRatio(ratio);
    if (auto hit = Cache().find(latex, size, ratio)) return hit;
    std::shared_ptr<const LabelBitmap> bitmap = Render(latex, size, ratio);
    ++typesetCount;
    Cache().insert(latex, size, ratio, bitmap);
    return bitmap;
}

QImage TypesetImage(const std::string& latex, int size, double ratio) {
    const std::shared_ptr<const LabelBitmap> b = Typeset(latex, size, ratio);
    if (!b) return {};
    QImage image(b->width, b->height, QImage::Format_ARGB32);
    for (int row = 0; row < b->height; ++row) {
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(b->height - 1 - row));
        const unsigned char* src = b->coverage.data() + size_t(row) * size_t(b->width);
        for (int col = 0; col < b->width; ++col) dst[col] = qRgba(0, 0, 0, src[col]);
    }
    image.setDevicePixelRatio(ClampRatio(ratio));
    return image;
}

QSize PaintLabel(const std::string& latex, QPainter& painter, QPointF topLeft, int size) {
    if (latex.empty() || !EnsureGuiApplication()) return {};
    const Laid l = LayOut(latex, size, 1.0);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.setClipRect(QRectF(topLeft, QSizeF(l.w, l.h)), Qt::IntersectClip);
    l.layout->paint(*l.root, painter, topLeft.x() + l.margin, topLeft.y() + l.baselineFromTop);
    painter.restore();
    return QSize(l.w, l.h);
}

long TypesetCount() { return typesetCount; }

void ClearCache() { Cache().clear(); }

}  // namespace Typesetter

int CreateEqnGLBitmapAA(const char* latex, int size, int* width, int* height, unsigned char* buffer,
                        double devicePixelRatio) {
    if (width) *width = 0;
    if (height) *height = 0;
    if (!latex || !*latex) return 0;
    const std::shared_ptr<const LabelBitmap> b = Typesetter::Typeset(latex, size, devicePixelRatio);
    if (!b) return 0;
    if (width) *width = b->width;
    if (height) *height = b->height;
    if (buffer) std::memcpy(buffer, b->coverage.data(), b->coverage.size());
    return int(b->coverage.size());
}
