#pragma once
// The graph in a document: the equations with their style, domain, label,
// attribute points and mensuration, the painted regions and the graph's own
// settings. Every field of the graph model that a document holds is read and
// written here, in the order the file lists it.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "graph/EquationObject.h"
#include "graph/PaintedDomain.h"

class CXMLArchive;
class CXMLArchiveNode;
class GraphManager;

// A document that cannot be opened, with the reason.
class DocumentFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a document holds of a graph, read before the graph is touched, so that
// a document that fails to open leaves the graph as it was.
struct LoadedGraph {
    std::vector<std::unique_ptr<EquationObject>> equations;
    std::vector<std::vector<int>> tangentLines;  // per equation: indices of its tangent lines
    std::vector<PaintedDomain> paintedDomains;
    int showAxisNumbers = 1;
};

// Writes the graph's "numeqns", "equation"s, "numdomain", "domain_info"s and
// then the extra settings, under the archive's open root element.
void StoreGraph(CXMLArchive& archive, CXMLArchiveNode& root, GraphManager& graph);
// Reads the same; throws DocumentFormatError when an equation text does not parse.
void LoadGraph(CXMLArchive& archive, CXMLArchiveNode& root, LoadedGraph& loaded);
// Replaces the graph's equations and painted regions with the loaded ones.
void CommitGraph(GraphManager& graph, LoadedGraph&& loaded);

// One equation, both ways (the archive says which). `tangentLines` are the
// graph indices of its tangent lines: given when storing, filled when loading.
// Loading: false when the file has no further "equation"; `work`, when given,
// adds up the plotting work of the equations read and ends the read past the
// document's limit (DocumentFormatError).
bool SerializeEquation(CXMLArchive& archive, EquationObject& equation, std::vector<int>& tangentLines,
                       long* work = nullptr);
// Loading: false when the file has no further "attibute_point".
bool SerializeAttribPoint(CXMLArchive& archive, AttribPoint& point);
void SerializeMensuration(CXMLArchive& archive, Mensuration& mensuration);
void SerializeColor(CXMLArchive& archive, ColorF& colour, const std::string& name = "color");
void SerializePoint(CXMLArchive& archive, PointF& point);
