// SPDX-License-Identifier: MIT
#include "render/GraphPage.h"

#include <cmath>

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QPageLayout>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtSvg/QSvgGenerator>

#include "core/AtomicFile.h"
#include "graph/GraphManager.h"
#include "render/Typesetter.h"
#include "render/Projection.h"
#include "render/QtPainter.h"

void PaintGraphPage(GraphManager& graph, QPainter& painter, const QRectF& target)
{
    const Viewport::Ortho o = graph.viewport().setProjection();
    if (o.width <= 0 || o.height <= 0 || target.width() <= 0 || target.height() <= 0) return;
    const Projection projection = Projection::Ortho(o.left, o.right, o.bottom, o.top, o.width, o.height);
    const double fit = std::min(target.width() / o.width, target.height() / o.height);
    painter.save();
    painter.translate(target.center().x() - fit * o.width / 2, target.center().y() - fit * o.height / 2);
    painter.scale(fit, fit);
    QtPainter page(painter, projection, o.height);
    page.setViewClip(QRectF(0, 0, o.width, o.height));
    graph.draw(page);
    painter.restore();
}

namespace {

// The page is drawn into memory and written as documents are: a full disk
// leaves no half a page behind, and says so.
bool WritePage(const QByteArray& bytes, const QString& path)
{
    return !bytes.isEmpty() &&
           WriteFileAtomically(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), size_t(bytes.size())))
               .empty();
}

}  // namespace

QByteArray SvgDrawing(GraphManager& graph)
{
    Typesetter::EnsureGuiApplication();
    const Viewport::Ortho o = graph.viewport().setProjection();
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&page);
        svg.setSize(QSize(o.width, o.height));
        svg.setResolution(96);
        svg.setViewBox(QRectF(0, 0, o.width, o.height));
        svg.setTitle(QStringLiteral("KVR graph"));
        QPainter painter;
        if (!painter.begin(&svg)) return {};
        painter.fillRect(QRectF(0, 0, o.width, o.height), Qt::white);
        PaintGraphPage(graph, painter, QRectF(0, 0, o.width, o.height));
        painter.end();
    }
    return page.data();
}

bool ExportSvg(GraphManager& graph, const QString& path)
{
    const QByteArray drawing = SvgDrawing(graph);
    return !drawing.isEmpty() && WritePage(drawing, path);
}

bool ExportPdf(GraphManager& graph, const QString& path, const PageSheet& sheet)
{
    Typesetter::EnsureGuiApplication();
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&page);
        pdf.setTitle(QStringLiteral("KVR graph"));
        pdf.setCreator(QStringLiteral("KVR"));
        const Viewport::Ortho o = graph.viewport().setProjection();
        const bool landscape = o.width > o.height;
        const bool letter = std::fabs(sheet.width - PageSheet::Letter().width) < 1;
        pdf.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&pdf)) return false;
        PaintGraphPage(graph, painter, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
        painter.end();
    }
    return WritePage(page.data(), path);
}
