#include "app/HeadlessThumbnail.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>

#include "graph/GraphManager.h"
#include "render/EglContext.h"
#include "render/GL.h"
#include "render/GlSurface.h"

namespace {
constexpr int kThumbnailSize = 256;
}

QByteArray RenderThumbnailPng(GraphManager& graph, std::string* error) {
    const Viewport& view = graph.viewport();
    EglContext context(view.width, view.height);
    if (!context.ok()) {
        if (error) *error = context.error();
        return QByteArray();
    }
    const Viewport::Ortho o = view.setProjection();
    glViewport(o.x, o.y, o.width, o.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(o.left, o.right, o.bottom, o.top, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GlSurface surface;
    graph.draw(surface);
    glFinish();
    const QImage image = context.toQImage().scaled(kThumbnailSize, kThumbnailSize, Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        if (error) *error = "the thumbnail could not be encoded";
        return QByteArray();
    }
    return png;
}
