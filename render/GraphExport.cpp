// SPDX-License-Identifier: MIT
#include "render/GraphExport.h"

#include <QtCore/QLocale>

#include "graph/GraphManager.h"
#include "render/PostScriptWriter.h"
#include "render/Projection.h"
#include "render/PsPainter.h"
#include "render/Typesetter.h"

#include <cctype>

PageSheet DefaultSheet() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? PageSheet::Letter() : PageSheet::A4();
}

PageSheet SheetForName(const std::string& path, PageSheet sheet) {
    const size_t dot = path.find_last_of('.'), slash = path.find_last_of('/');
    std::string suffix = dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : path.substr(dot);
    for (char& c : suffix) c = char(std::tolower(static_cast<unsigned char>(c)));
    sheet.encapsulated = suffix == ".eps";
    return sheet;
}

bool ExportPostScript(GraphManager& graph, const std::string& path, const PageSheet& sheet) {
    const Viewport::Ortho o = graph.viewport().setProjection();
    // A view without area has no page transform (SetupPage divides by the size).
    if (o.width <= 0 || o.height <= 0) return false;
    const Projection projection = Projection::Ortho(o.left, o.right, o.bottom, o.top, o.width, o.height);
    // The labels are typeset with Qt's fonts, as on the PDF page.
    Typesetter::EnsureGuiApplication();
    PostScriptWriter& writer = PostScriptWriter::Instance();
    writer.SetupPage(float(o.x), float(o.y), float(o.width), float(o.height), sheet);
    PsPainter painter(writer, projection);
    graph.draw(painter);
    return writer.WritePostScriptFile(path);
}
