#include "render/GraphPage.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>

#include "graph/GraphManager.h"
#include "render/Typesetter.h"
#include "render/Projection.h"
#include "render/QPainterSurface.h"

void PaintGraphPage(GraphManager& graph, QPainter& painter, const QRectF& target)
{
    const Viewport::Ortho o = graph.viewport().setProjection();
    if (o.width <= 0 || o.height <= 0 || target.width() <= 0 || target.height() <= 0) return;
    const Projection projection = Projection::Ortho(o.left, o.right, o.bottom, o.top, o.width, o.height);
    const double fit = std::min(target.width() / o.width, target.height() / o.height);
    painter.save();
    painter.translate(target.center().x() - fit * o.width / 2, target.center().y() - fit * o.height / 2);
    painter.scale(fit, fit);
    QPainterSurface surface(painter, projection, o.height);
    surface.setViewClip(QRectF(0, 0, o.width, o.height));
    graph.draw(surface);
    painter.restore();
}

namespace {

// The painting device must be closed before the file is checked.
bool written(const QString& path) { return QFileInfo(path).isFile() && QFileInfo(path).size() > 0; }

// A file that cannot be opened for writing is reported before any painting.
bool writable(const QString& path)
{
    QFile probe(path);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    probe.close();
    if (!existed) probe.remove();
    return true;
}

}  // namespace

bool ExportSvg(GraphManager& graph, const QString& path)
{
    Typesetter::EnsureGuiApplication();
    if (!writable(path)) return false;
    const Viewport::Ortho o = graph.viewport().setProjection();
    {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(QSize(o.width, o.height));
        svg.setViewBox(QRectF(0, 0, o.width, o.height));
        svg.setTitle(QStringLiteral("KVR graph"));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        painter.fillRect(QRectF(0, 0, o.width, o.height), Qt::white);
        PaintGraphPage(graph, painter, QRectF(0, 0, o.width, o.height));
        painter.end();
    }
    return written(path);
}

bool ExportPdf(GraphManager& graph, const QString& path)
{
    Typesetter::EnsureGuiApplication();
    if (!writable(path)) return false;
    {
        QPdfWriter pdf(path);
        pdf.setTitle(QStringLiteral("KVR graph"));
        pdf.setCreator(QStringLiteral("KVR"));
        const Viewport::Ortho o = graph.viewport().setProjection();
        const bool landscape = o.width > o.height;
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&pdf)) return false;
        PaintGraphPage(graph, painter, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
        painter.end();
    }
    return written(path);
}
