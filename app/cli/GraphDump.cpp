// SPDX-License-Identifier: MIT
#include "app/cli/GraphDump.h"

#include <array>

#include "app/cli/AnalysisFields.h"
#include "app/cli/JsonLine.h"
#include "graph/GraphManager.h"

namespace {

void WriteColour(JsonLine& json, const ColorF& c) { json.Numbers(std::array<float, 4>{c.r, c.g, c.b, c.a}); }

// Rectangles as [top, bottom, left, right], the order RectF is built in.
void WriteRect(JsonLine& json, const RectF& r) {
    json.Numbers(std::array<float, 4>{r.top, r.bottom, r.left, r.right});
}

void WriteMensuration(JsonLine& json, const Mensuration& m) {
    json.BeginObject();
    json.Key("xmin");
    json.Number(m.xmin);
    json.Key("xmax");
    json.Number(m.xmax);
    json.Key("nRects");
    json.Int(m.nRects);
    json.Key("heightType");
    json.Int(m.heightType);
    json.EndObject();
}

void WriteAttribPoint(JsonLine& json, const AttribPoint& ap) {
    json.BeginObject();
    json.Key("x");
    json.Number(ap.x);
    json.Key("y");
    json.Number(ap.y);
    const std::pair<const char*, int> fields[] = {{"pointType", ap.pointType}, {"xValueType", ap.xValueType},
                                                  {"yValueType", ap.yValueType}, {"xLineType", ap.xLineType},
                                                  {"yLineType", ap.yLineType}};
    for (const auto& [key, value] : fields) {
        json.Key(key);
        json.Int(value);
    }
    json.EndObject();
}

void WriteStyle(JsonLine& json, const GraphManager& graph, const EquationObject& e) {
    json.Key("colour");
    WriteColour(json, e.colour());
    json.Key("plotBox");
    WriteRect(json, e.plotBox());
    json.Key("displayText");
    json.Bool(e.displayText());
    json.Key("selected");
    json.Bool(graph.isSelected(&e));
    json.Key("from");
    json.Number(e.domainFrom());
    json.Key("to");
    json.Number(e.domainTo());
    json.Key("stippletype");
    json.Int(e.stippleType());
    json.Key("lineStipple");
    json.Int(e.lineStipple());
    json.Key("lineWidth");
    json.Number(e.lineWidth());
    json.Key("bEnableMensu");
    json.Bool(e.mensurationEnabled());
    json.Key("bDrawExtremePoints");
    json.Bool(e.extremePointsShown());
}

void WriteEquation(JsonLine& json, const GraphManager& graph, const EquationObject& e) {
    json.BeginObject();
    json.Key("text");
    json.String(e.text());
    WriteClassification(json, e.expression());  // as `kvr analyse` reports it
    WriteStyle(json, graph, e);
    json.Key("mensuration");
    WriteMensuration(json, e.mensuration());
    json.Key("labelPosition");
    json.Point(e.labelPosition());
    json.Key("controlPoints");
    json.BeginArray();
    for (const ControlPoint& c : e.controlPoints()) {
        json.BeginArray();
        json.Number(c.x);
        json.Number(c.y);
        json.Bool(c.pinned);
        json.EndArray();
    }
    json.EndArray();
    json.Key("attribPoints");
    json.BeginArray();
    for (const AttribPoint& ap : e.attribPoints()) WriteAttribPoint(json, ap);
    json.EndArray();
    json.Key("pieces");
    json.Int(int(e.pieces().size()));
    json.Key("tangentLines");
    json.BeginArray();
    for (const EquationObject* line : e.tangentLines()) json.Int(graph.indexOf(line));
    json.EndArray();
    json.EndObject();
}

void WriteView(JsonLine& json, const GraphManager& graph) {
    const Viewport& v = graph.viewport();
    json.Key("mode");
    json.Int(graph.mode());
    json.Key("scale");
    json.Number(v.scale);
    json.Key("xZoom");
    json.Number(v.xZoom);
    json.Key("yZoom");
    json.Number(v.yZoom);
    json.Key("pan");
    json.Point(v.pan);
    json.Key("graphRect");
    WriteRect(json, v.graphRect);
}

void WriteMarks(JsonLine& json, const GraphManager& graph) {
    json.Key("paintedDomains");
    json.BeginArray();
    for (const PaintedDomain& d : graph.paintedDomains()) {
        json.BeginObject();
        json.Key("colour");
        WriteColour(json, d.colour);
        json.Key("seed");
        json.Point(d.seed);
        json.EndObject();
    }
    json.EndArray();
    json.Key("intersections");
    json.BeginArray();
    for (const PointF& p : graph.intersections()) json.Point(p);
    json.EndArray();
}

}  // namespace

QByteArray GraphToJson(const GraphManager& graph, const std::string& status) {
    QByteArray out;
    out.reserve(4096);
    JsonLine json(out);
    json.BeginObject();
    WriteView(json, graph);
    json.Key("selected");
    json.Int(graph.indexOf(graph.selected()));
    json.Key("hitCode");
    json.Int(graph.hitCode());
    json.Key("popup");
    json.String(graph.lastPopup());
    json.Key("status");
    json.String(status);
    json.Key("equations");
    json.BeginArray();
    for (const auto& e : graph.equations()) WriteEquation(json, graph, *e);
    json.EndArray();
    WriteMarks(json, graph);
    json.Key("gestureStrokes");
    json.Int(int(graph.pen().gesture().strokes.size()));
    json.EndObject();
    return out;
}
