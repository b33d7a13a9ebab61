// SPDX-License-Identifier: MIT
#pragma once
// The "Export to PS" command's drawing: the whole graph as one PostScript page.
#include <string>

#include "render/PostScriptWriter.h"

class GraphManager;

// The sheet a page goes on when the teacher has not chosen one: Letter where
// the locale measures in inches, A4 everywhere else.
PageSheet DefaultSheet();

// The sheet a file name asks for: an ".eps" name is an encapsulated picture
// (on `sheet`'s width), any other the page itself.
PageSheet SheetForName(const std::string& path, PageSheet sheet);

// Projects through the graph's current view (its orthographic numbers), fits
// the client area onto the sheet (turned to landscape for a wide view, 15 mm
// margins), draws the whole scene through the program's one PostScript
// writer and writes the file, with its structuring comments. Labels and selection are drawn as
// they are; the equation drawing itself leaves out what only the screen shows
// (selection frame, control points). False when the file cannot
// be written or the view has no area.
bool ExportPostScript(GraphManager& graph, const std::string& path, const PageSheet& sheet = DefaultSheet());
