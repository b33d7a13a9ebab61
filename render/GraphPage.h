// SPDX-License-Identifier: MIT
#pragma once
// The graph as a vector page on any QPainter device: the printer, print
// preview, SVG and PDF files. The scene is the one the PostScript export
// draws, at the view's projection, scaled to fit the target with its aspect kept.
#include <QtCore/QByteArray>
#include <QtCore/QRectF>
#include <QtCore/QString>

#include "render/GraphExport.h"

class GraphManager;
class QPainter;

// Draws the whole graph into `target` (painter coordinates), centred.
void PaintGraphPage(GraphManager& graph, QPainter& painter, const QRectF& target);

// The graph as an SVG drawing the size of the view, in millimetres at the
// screen's 96 pixels an inch, with the view's pixels as its viewBox.
QByteArray SvgDrawing(GraphManager& graph);

// Whole-graph files; false when the file cannot be written.
bool ExportSvg(GraphManager& graph, const QString& path);
// A PDF page of `sheet` (turned to landscape for a wide view, 15 mm margins).
bool ExportPdf(GraphManager& graph, const QString& path, const PageSheet& sheet = DefaultSheet());
