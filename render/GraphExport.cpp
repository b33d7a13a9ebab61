// SPDX-License-Identifier: MIT
#include "render/GraphExport.h"

#include "graph/GraphManager.h"
#include "render/PostScriptWriter.h"
#include "render/Projection.h"
#include "render/PsPainter.h"

bool ExportPostScript(GraphManager& graph, const std::string& path) {
    const Viewport::Ortho o = graph.viewport().setProjection();
    // A view without area has no page transform (SetupPage divides by the size).
    if (o.width <= 0 || o.height <= 0) return false;
    const Projection projection = Projection::Ortho(o.left, o.right, o.bottom, o.top, o.width, o.height);
    PostScriptWriter& writer = PostScriptWriter::Instance();
    writer.SetupPage(float(o.x), float(o.y), float(o.width), float(o.height));
    PsPainter painter(writer, projection);
    graph.draw(painter);
    return writer.WritePostScriptFile(path);
}
