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
    json.Field("xmin", m.xmin);
    json.Field("xmax", m.xmax);
    json.Field("nRects", m.nRects);
    json.Field("heightType", m.heightType);
    json.EndObject();
}

void WriteAttribPoint(JsonLine& json, const AttribPoint& ap) {
    json.BeginObject();
    json.Field("x", ap.position.x);
    json.Field("y", ap.position.y);
    const AttribPoint::Axis &x = ap.axis[AttribPoint::X], &y = ap.axis[AttribPoint::Y];
    const std::pair<const char*, int> fields[] = {{"pointType", ap.pointType}, {"xValueType", x.valueType},
                                                  {"yValueType", y.valueType},   {"xLineType", x.lineType},
                                                  {"yLineType", y.lineType}};
    for (const auto& [key, value] : fields) {
        json.Field(key, value);
    }
    json.EndObject();
}

void WriteStyle(JsonLine& json, const GraphManager& graph, const EquationObject& e) {
    json.Key("colour");
    WriteColour(json, e.colour());
    json.Key("plotBox");
    WriteRect(json, e.plotBox());
    json.Field("displayText", e.displayText());
    json.Field("selected", graph.isSelected(&e));
    json.Field("from", e.domainFrom());
    json.Field("to", e.domainTo());
    json.Field("stippletype", e.stippleType());
    json.Field("lineStipple", e.lineStipple());
    json.Field("lineWidth", e.lineWidth());
    json.Field("bEnableMensu", e.mensurationEnabled());
    json.Field("bDrawExtremePoints", e.extremePointsShown());
}

void WriteEquation(JsonLine& json, const GraphManager& graph, const EquationObject& e) {
    json.BeginObject();
    json.Field("text", e.text());
    WriteClassification(json, e.expression());  // as `kvr analyse` reports it
    WriteStyle(json, graph, e);
    json.Key("mensuration");
    WriteMensuration(json, e.mensuration());
    json.Field("labelPosition", e.labelPosition());
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
    json.Field("pieces", int(e.pieces().size()));
    json.Key("tangentLines");
    json.BeginArray();
    for (const EquationObject* line : e.tangentLines()) json.Int(graph.indexOf(line));
    json.EndArray();
    json.EndObject();
}

void WriteView(JsonLine& json, const GraphManager& graph) {
    const Viewport& v = graph.viewport();
    json.Field("mode", graph.mode());
    json.Field("scale", v.scale);
    json.Field("xZoom", v.xZoom);
    json.Field("yZoom", v.yZoom);
    json.Field("pan", v.pan);
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
        json.Field("seed", d.seed);
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
    json.Field("selected", graph.indexOf(graph.selected()));
    json.Field("hitCode", graph.hitCode());
    json.Field("popup", graph.lastPopup());
    json.Field("status", status);
    json.Key("equations");
    json.BeginArray();
    for (const auto& e : graph.equations()) WriteEquation(json, graph, *e);
    json.EndArray();
    WriteMarks(json, graph);
    json.Field("gestureStrokes", int(graph.pen().gesture().strokes.size()));
    json.EndObject();
    return out;
}
