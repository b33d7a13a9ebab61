// SPDX-License-Identifier: MIT
#include "app/cli/DocumentCommands.h"
#include "app/cli/CommandInput.h"

#include <ostream>
#include <string>

#include <QtCore/QCommandLineParser>
#include <QtGui/QImage>

#include "app/cli/AnalyseCommand.h"
#include "app/cli/HeadlessThumbnail.h"
#include "app/cli/JsonLine.h"
#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "io/CXMLArchive.h"
#include "io/FeatureArchive.h"
#include "io/ThumbnailRead.h"

namespace {

void Colour(JsonLine& json, const char* key, const ColorF& c) {
    json.Key(key);
    json.BeginArray();
    for (float v : {c.r, c.g, c.b, c.a}) json.Number(v);
    json.EndArray();
}

void Point(JsonLine& json, const char* key, PointF p) {
    json.Key(key);
    json.BeginArray();
    json.Number(p.x);
    json.Number(p.y);
    json.EndArray();
}

void Int(JsonLine& json, const char* key, int v) {
    json.Key(key);
    json.Int(v);
}

void Text(JsonLine& json, const char* key, const MathEx::MathExp& e) {
    json.Key(key);
    json.String(e.ToText(MathEx::TEXT_PLAIN));
}

void WriteAttribPoint(JsonLine& json, const AttribPoint& p) {
    json.BeginObject();
    Point(json, "position", p);
    Int(json, "pointType", p.pointType);
    Colour(json, "colour", p.color);
    Int(json, "xValueType", p.xValueType);
    Text(json, "xValueText", p.xValueTypeString);
    Int(json, "xGuideType", p.xGuideType);
    Int(json, "xGuideWidth", p.xGuideWidth);
    Int(json, "xLineType", p.xLineType);
    Int(json, "xLineWidth", p.xLineWidth);
    Int(json, "yValueType", p.yValueType);
    Text(json, "yValueText", p.yValueTypeString);
    Int(json, "yGuideType", p.yGuideType);
    Int(json, "yGuideWidth", p.yGuideWidth);
    Int(json, "yLineType", p.yLineType);
    Int(json, "yLineWidth", p.yLineWidth);
    Colour(json, "xValueColour", p.xValueColor);
    Colour(json, "yValueColour", p.yValueColor);
    Int(json, "xLengthType", p.xLengthType);
    Text(json, "xLengthText", p.xLengthText);
    Int(json, "yLengthType", p.yLengthType);
    Text(json, "yLengthText", p.yLengthText);
    Colour(json, "xLengthColour", p.xLengthColor);
    Colour(json, "yLengthColour", p.yLengthColor);
    Colour(json, "xLengthTextColour", p.xLengthTextColor);
    Colour(json, "yLengthTextColour", p.yLengthTextColor);
    json.EndObject();
}

void WriteMensuration(JsonLine& json, const EquationObject& e) {
    const Mensuration& m = e.mensuration();
    json.Key("mensuration");
    json.BeginObject();
    json.Key("enabled");
    json.Bool(e.mensurationEnabled());
    json.Key("xmin");
    json.Number(m.xmin);
    json.Key("xmax");
    json.Number(m.xmax);
    Int(json, "nRects", m.nRects);
    Int(json, "fillPattern", m.fillPattern);
    Colour(json, "outlineColour", m.outlineColour);
    Colour(json, "fillColour", m.fillColour);
    Colour(json, "labelColour", m.labelColour);
    Int(json, "tickType", m.tickType);
    Int(json, "startTickNumber", m.startTickNumber);
    Int(json, "heightType", m.heightType);
    json.EndObject();
}

void WriteEquation(JsonLine& json, const GraphManager& graph, const EquationObject& e) {
    json.BeginObject();
    json.Key("text");
    json.String(e.text());
    WriteAnalysis(json, *e.expression(), MathEx::MathExp(*e.expression()).Rebuild());
    json.Key("style");
    json.BeginObject();
    Colour(json, "colour", e.colour());
    json.Key("lineWidth");
    json.Number(e.lineWidth());
    Int(json, "lineStipple", e.lineStipple());
    Int(json, "stippleType", e.stippleType());
    json.EndObject();
    json.Key("domain");
    json.BeginObject();
    json.Key("enabled");
    json.Bool(e.domainSetupEnabled());
    json.Key("from");
    json.Number(e.domainFrom());
    json.Key("to");
    json.Number(e.domainTo());
    json.EndObject();
    json.Key("label");
    json.BeginObject();
    json.Key("shown");
    json.Bool(e.displayText());
    Int(json, "kind", e.labelKind());
    json.Key("userText");
    json.String(e.userText());
    Point(json, "position", e.labelPosition());
    json.EndObject();
    json.Key("extremePointsShown");
    json.Bool(e.extremePointsShown());
    json.Key("attribPoints");
    json.BeginArray();
    for (const AttribPoint& p : e.attribPoints()) WriteAttribPoint(json, p);
    json.EndArray();
    WriteMensuration(json, e);
    json.Key("tangentLines");
    json.BeginArray();
    for (const EquationObject* line : e.tangentLines()) json.Int(graph.indexOf(line));
    json.EndArray();
    json.EndObject();
}

void WriteFeature(JsonLine& json, const CFeature& feature) {
    json.Key("feature");
    json.BeginArray();
    for (const FeatureElement& f : feature.elements) {
        json.BeginObject();
        Int(json, "type", f.type);
        Int(json, "order", f.order);
        json.Key("highestCoeff");
        json.Number(f.highestCoeff);
        Int(json, "xintercepts", f.xintercepts);
        Int(json, "yintercepts", f.yintercepts);
        Int(json, "extremePts", f.extremePts);
        json.EndObject();
    }
    json.EndArray();
}

// Parses `kvr NAME [--help] ARGS`; false with the status in `status` when the run ends here.
bool ParseArgs(const char* name, const char* usage, const QStringList& args, qsizetype minimum, std::ostream& out,
               std::ostream& err, QStringList& positional, int& status) {
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    if (!parser.parse(QStringList{QString::fromLatin1(name)} + args)) {
        err << name << ": " << OptionError(parser) << " (see " << name << " --help)\n";
        status = 2;
        return false;
    }
    if (parser.isSet(helpOption)) {
        out << "Usage:\n" << usage;
        status = 0;
        return false;
    }
    positional = parser.positionalArguments();
    if (positional.size() < minimum) {
        err << name << ": missing arguments (see " << name << " --help)\n";
        status = 2;
        return false;
    }
    return true;
}

}  // namespace

QByteArray DocumentToJson(const GraphManager& graph, double version, const CFeature& feature,
                          const QByteArray& thumbnailPng) {
    QByteArray out;
    JsonLine json(out);
    json.BeginObject();
    json.Key("settings");
    json.BeginObject();
    json.Key("version");
    json.Number(version);
    json.Key("showAxisNumbers");
    json.Bool(graph.showAxisNumbers());
    json.Key("showGrid");
    json.Bool(graph.showGrid());
    json.Key("showAxis");
    json.Bool(graph.showAxis());
    json.Key("showIntersections");
    json.Bool(graph.showIntersections());
    json.Key("xZoom");
    json.Number(graph.viewport().xZoom);
    json.Key("yZoom");
    json.Number(graph.viewport().yZoom);
    json.EndObject();
    json.Key("equations");
    json.BeginArray();
    for (const auto& e : graph.equations()) WriteEquation(json, graph, *e);
    json.EndArray();
    json.Key("paintedDomains");
    json.BeginArray();
    for (const PaintedDomain& d : graph.paintedDomains()) {
        json.BeginObject();
        Colour(json, "colour", d.colour);
        Point(json, "seed", d.seed);
        json.EndObject();
    }
    json.EndArray();
    WriteFeature(json, feature);
    // 0 × 0 when the file has no image that decodes as PNG.
    json.Key("thumbnail");
    const QImage image = QImage::fromData(thumbnailPng, "PNG");
    json.BeginObject();
    Int(json, "width", image.width());
    Int(json, "height", image.height());
    Int(json, "bytes", int(thumbnailPng.size()));
    json.EndObject();
    json.EndObject();
    return out;
}

const char* InfoUsage() {
    return "       kvr info FILE.kvr|-\n"
           "           Prints the document as one JSON object: settings, equations (text,\n"
           "           analysis, style, domain, label, attribute points, mensuration),\n"
           "           painted regions, the stored signature and the thumbnail's size.\n";
}

const char* MakeUsage() {
    return "       kvr make OUT.kvr|- EQUATION...\n"
           "           Writes a document of the equations, with its thumbnail rendered\n"
           "           headless, as the window would save it (- : to standard output).\n";
}

int RunInfo(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    QStringList positional;
    int status = 0;
    if (!ParseArgs("kvr info", InfoUsage(), args, 1, out, err, positional, status)) return status;
    if (positional.size() != 1) {
        err << "kvr info: expected one FILE.kvr (see kvr info --help)\n";
        return 2;
    }
    InputDocument input;
    std::string error;
    if (!input.open(positional.front(), in, error, CXMLArchive::kMaxFileBytes)) {
        err << "kvr info: " << error << '\n';
        return 2;
    }
    const std::string& path = input.path();
    GraphManager graph;
    CKVRDoc doc(graph);
    const DocumentResult opened = doc.open(path);
    if (!opened.ok) {
        err << "kvr info: " << opened.message << " (" << opened.reason << ")\n";
        return 1;
    }
    double version = CKVRDoc::kVersion;
    {
        CXMLArchive archive(path, CXMLArchive::kLoad);
        if (CXMLArchiveNode* root = archive.OpenElement("KVR")) root->ExchangeReal("version", version);
    }
    CFeature feature;
    ReadDocumentFeature(path, feature);
    QByteArray png;
    ReadDocumentThumbnail(path, png);
    const QByteArray json = DocumentToJson(graph, version, feature, png);
    out.write(json.constData(), json.size());
    out.put('\n');
    return 0;
}

int RunMake(const QStringList& args, std::istream&, std::ostream& out, std::ostream& err) {
    QStringList positional;
    int status = 0;
    if (!ParseArgs("kvr make", MakeUsage(), args, 2, out, err, positional, status)) return status;
    GraphManager graph;
    for (qsizetype i = 1; i < positional.size(); ++i) {
        std::string why;
        if (!graph.addEquationFromText(positional[i].toStdString(), &why)) {
            err << "kvr make: the equation " << Quoted(positional[i]) << ' '
                << (why.empty() ? std::string("does not parse") : "adds nothing: " + why) << '\n';
            return 1;
        }
    }
    std::string why;
    const QByteArray png = RenderThumbnailPng(graph, &why);
    if (png.isEmpty()) err << "kvr make: no thumbnail (" << why << ")\n";
    CKVRDoc doc(graph);
    const OutputTarget target(positional.front(), ".kvr");
    const DocumentResult saved = doc.save(target.path(), png);
    if (!saved.ok) {
        err << "kvr make: " << saved.message << " (" << saved.reason << ")\n";
        return 1;
    }
    if (!target.deliver(out)) {
        err << "kvr make: cannot write output\n";
        return 2;
    }
    return 0;
}
