// SPDX-License-Identifier: MIT
#include "render/PathCollector.h"

#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtGui/QPainterPathStroker>
#include <QtGui/QPolygonF>

namespace {

// The device has no edge of its own: only the painter's clip cuts. Its
// resolution is the screen's logical one, which fonts sized in pixels ignore.
constexpr int kExtent = 1 << 16;
constexpr int kDotsPerInch = 96;

}  // namespace

// Asks for every feature, so that QPainter hands over paths, texts and its
// state as they are instead of emulating them; reads the transform, pen,
// brush and clip from the painter at each call. Texts reach drawPath through
// the base class, which fills each text item's glyph outlines.
class PathCollector::Engine : public QPaintEngine {
public:
    explicit Engine(std::vector<QPainterPath>& paths) : QPaintEngine(AllFeatures), paths_(paths) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }

    void drawPath(const QPainterPath& path) override { collect(path, true); }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (!points || count < 2) return;
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode) path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        collect(path, mode != PolylineMode);
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}

private:
    void collect(const QPainterPath& path, bool fill) {
        if (path.isEmpty()) return;
        const QPainter& p = *painter();
        const QTransform& t = p.deviceTransform();
        if (fill && p.brush().style() != Qt::NoBrush) keep(t.map(path));
        const QPen pen = p.pen();
        if (pen.style() == Qt::NoPen) return;
        QPainterPathStroker stroker(pen);
        if (!pen.isCosmetic()) {
            keep(t.map(stroker.createStroke(path)));
            return;
        }
        // A cosmetic pen is as wide on the device whatever the transform.
        stroker.setWidth(pen.widthF() > 0 ? pen.widthF() : 1.0);
        keep(stroker.createStroke(t.map(path)));
    }

    // The path cut to the painter's clip (in device coordinates). Clips here
    // are rectangles, which cut curves without flattening them.
    void keep(QPainterPath path) {
        if (path.isEmpty()) return;
        const QPainter& p = *painter();
        if (p.hasClipping()) {
            const QPainterPath clip = p.deviceTransform().map(p.clipPath());
            if (!clip.boundingRect().contains(path.controlPointRect())) path = path.intersected(clip);
            if (path.isEmpty()) return;
        }
        paths_.push_back(std::move(path));
    }

    std::vector<QPainterPath>& paths_;
};

PathCollector::PathCollector() : engine_(std::make_unique<Engine>(paths_)) {}

PathCollector::~PathCollector() = default;

QPaintEngine* PathCollector::paintEngine() const { return engine_.get(); }

int PathCollector::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
        case PdmHeight: return kExtent;
        case PdmWidthMM:
        case PdmHeightMM: return int(kExtent * 25.4 / kDotsPerInch);
        case PdmNumColors: return 0;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return kDotsPerInch;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}
