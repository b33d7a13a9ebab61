// SPDX-License-Identifier: MIT
#pragma once
// The "Export to PS" command's drawing: the whole graph as one PostScript page.
#include <string>

class GraphManager;

// Projects through the graph's current view (its orthographic numbers), fits
// the client area onto the page, draws the whole scene through the program's
// one PostScript writer and writes the file. Labels and selection are drawn as
// they are; the equation drawing itself leaves out what only the screen shows
// (selection frame, control points). False when the file cannot
// be written or the view has no area.
bool ExportPostScript(GraphManager& graph, const std::string& path);
