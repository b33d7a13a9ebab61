// SPDX-License-Identifier: MIT
#pragma once
// The graph as a vector page on any QPainter device: the printer, print
// preview, SVG and PDF files. The scene is the one the PostScript export
// draws, at the view's projection, scaled to fit the target with its aspect kept.
#include <QtCore/QByteArray>
#include <QtCore/QRectF>
#include <QtCore/QString>

class GraphManager;
class QPainter;

// Draws the whole graph into `target` (painter coordinates), centred.
void PaintGraphPage(GraphManager& graph, QPainter& painter, const QRectF& target);

// The graph as an SVG drawing the size of the view.
QByteArray SvgDrawing(GraphManager& graph);

// Whole-graph files; false when the file cannot be written.
bool ExportSvg(GraphManager& graph, const QString& path);
bool ExportPdf(GraphManager& graph, const QString& path);
