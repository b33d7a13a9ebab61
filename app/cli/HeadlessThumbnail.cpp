// SPDX-License-Identifier: MIT
#include "app/cli/HeadlessThumbnail.h"

#include "graph/GraphManager.h"
#include "render/ImageExport.h"
#include "io/Thumbnail.h"

QByteArray RenderThumbnailPng(GraphManager& graph, std::string* error) {
    const Viewport& view = graph.viewport();
    const QImage picture = CaptureGraphImage(graph, view.width, view.height, 1.0, error);
    return picture.isNull() ? QByteArray() : MakeThumbnail(picture);
}
