// SPDX-License-Identifier: MIT
#pragma once
// The graph in a document: the equations with their style, domain, label,
// attribute points and mensuration, the painted regions and the graph's own
// settings. Every field of the graph model that a document holds is read and
// written here, in the order the file lists it.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Translatable.h"
#include "graph/EquationObject.h"
#include "graph/PaintedDomain.h"

class CXMLArchive;
class CXMLArchiveNode;
class GraphManager;

// A document that cannot be opened, with the reason.
class DocumentFormatError : public std::runtime_error {
public:
    explicit DocumentFormatError(Sentence why) : std::runtime_error(why.english()), reason(std::move(why)) {}
    Sentence reason;  // for the window, which says it in the user's language
};

// What an equation's element holds beyond the equation itself, about its
// place in the graph: given when storing, filled when loading.
struct EquationContext {
    std::vector<int> tangentLines;  // graph indices of its tangent lines
    // The box the user gave the curve, as at zoom 1; none when it is the graph's own.
    bool hasPlotBox = false;
    RectF plotBox;
    // Loading: the plotting work of the equations read so far; the read ends
    // with DocumentFormatError past the document's limit.
    long work = 0;
};

// What a document holds of a graph, read before the graph is touched, so that
// a document that fails to open leaves the graph as it was.
struct LoadedGraph {
    std::vector<std::unique_ptr<EquationObject>> equations;
    std::vector<EquationContext> contexts;  // per equation
    std::vector<PaintedDomain> paintedDomains;
    int showAxisNumbers = 1;
    int showGrid = 1, showAxis = 1, showIntersections = 0;
    double xZoom = 1.0, yZoom = 1.0;  // the zoom bar's; plot boxes are kept as at zoom 1
};

// Writes the graph's "numeqns", "equation"s, "numdomain", "domain_info"s and
// then the extra settings, under the archive's open root element.
void StoreGraph(CXMLArchive& archive, CXMLArchiveNode& root, GraphManager& graph);
// Reads the same; throws DocumentFormatError when an equation text does not parse.
void LoadGraph(CXMLArchive& archive, CXMLArchiveNode& root, LoadedGraph& loaded);
// Replaces the graph's equations and painted regions with the loaded ones.
void CommitGraph(GraphManager& graph, LoadedGraph&& loaded);

// One equation, both ways (the archive says which). Loading: false when the
// file has no further "equation".
bool SerializeEquation(CXMLArchive& archive, EquationObject& equation, EquationContext& context);
// Loading: false when the file has no further "attibute_point".
bool SerializeAttribPoint(CXMLArchive& archive, AttribPoint& point);
void SerializeMensuration(CXMLArchive& archive, Mensuration& mensuration);
void SerializeColor(CXMLArchive& archive, ColorF& colour, const std::string& name = "color");
void SerializePoint(CXMLArchive& archive, PointF& point);
