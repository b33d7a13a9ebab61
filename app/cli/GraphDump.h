// SPDX-License-Identifier: MIT
#pragma once
// The state of a graph as one JSON line, for `kvr script`'s dump.
#include <string>

#include <QtCore/QByteArray>

class GraphManager;

// Keys in this order: mode, scale, xZoom, yZoom, pan [x, y], graphRect [top,
// bottom, left, right], selected (index or -1), hitCode, popup, status,
// equations [...], paintedDomains [{colour, seed}], intersections [[x, y]],
// gestureStrokes. Each equation: text, form, type, coeffs, colour, plotBox,
// displayText, selected, from, to, stippletype, lineStipple, lineWidth,
// bEnableMensu, bDrawExtremePoints, mensuration {xmin, xmax, nRects,
// heightType}, labelPosition, controlPoints [[x, y, pinned]], attribPoints
// [{x, y, pointType, xValueType, yValueType, xLineType, yLineType}], pieces
// (count), tangentLines (indices into equations). Non-finite numbers are null.
QByteArray GraphToJson(const GraphManager& graph, const std::string& status);
