// SPDX-License-Identifier: MIT
#include "app/cli/DocumentCommands.h"
#include "app/cli/CommandInput.h"
#include "app/cli/CommandText.h"

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

void Text(JsonLine& json, const char* key, const MathEx::MathExp& e) {
    json.Field(key, e.ToText(MathEx::TEXT_PLAIN));
}

void WriteAttribPoint(JsonLine& json, const AttribPoint& p) {
    json.BeginObject();
    json.Field("position", p.position);
    json.Field("pointType", p.pointType);
    Colour(json, "colour", p.color);
    // The x side's keys, then the y side's, each named by its axis letter.
    const auto key = [](AttribPoint::AxisIndex i, const char* name) { return "xy"[i] + std::string(name); };
    for (const AttribPoint::AxisIndex i : {AttribPoint::X, AttribPoint::Y}) {
        const AttribPoint::Axis& a = p.axis[i];
        json.Field(key(i, "ValueType"), a.valueType);
        Text(json, key(i, "ValueText").c_str(), a.valueTypeString);
        json.Field(key(i, "GuideType"), a.guideType);
        json.Field(key(i, "GuideWidth"), a.guideWidth);
        json.Field(key(i, "LineType"), a.lineType);
        json.Field(key(i, "LineWidth"), a.lineWidth);
    }
    Colour(json, "xValueColour", p.axis[AttribPoint::X].valueColor);
    Colour(json, "yValueColour", p.axis[AttribPoint::Y].valueColor);
    json.Field("xLengthType", p.axis[AttribPoint::X].lengthType);
    Text(json, "xLengthText", p.axis[AttribPoint::X].lengthText);
    json.Field("yLengthType", p.axis[AttribPoint::Y].lengthType);
    Text(json, "yLengthText", p.axis[AttribPoint::Y].lengthText);
    Colour(json, "xLengthColour", p.axis[AttribPoint::X].lengthColor);
    Colour(json, "yLengthColour", p.axis[AttribPoint::Y].lengthColor);
    Colour(json, "xLengthTextColour", p.axis[AttribPoint::X].lengthTextColor);
    Colour(json, "yLengthTextColour", p.axis[AttribPoint::Y].lengthTextColor);
    json.EndObject();
}

void WriteMensuration(JsonLine& json, const EquationObject& e) {
    const Mensuration& m = e.mensuration();
    json.Key("mensuration");
    json.BeginObject();
    json.Field("enabled", e.mensurationEnabled());
    json.Field("xmin", m.xmin);
    json.Field("xmax", m.xmax);
    json.Field("nRects", m.nRects);
    json.Field("fillPattern", m.fillPattern);
    Colour(json, "outlineColour", m.outlineColour);
    Colour(json, "fillColour", m.fillColour);
    Colour(json, "labelColour", m.labelColour);
    json.Field("tickType", m.tickType);
    json.Field("startTickNumber", m.startTickNumber);
    json.Field("heightType", m.heightType);
    json.EndObject();
}

void WriteEquation(JsonLine& json, const GraphManager& graph, const EquationObject& e) {
    json.BeginObject();
    json.Field("text", e.text());
    WriteAnalysis(json, *e.expression(), MathEx::MathExp(*e.expression()).Rebuild());
    json.Key("style");
    json.BeginObject();
    Colour(json, "colour", e.colour());
    json.Field("lineWidth", e.lineWidth());
    json.Field("lineStipple", e.lineStipple());
    json.Field("stippleType", e.stippleType());
    json.EndObject();
    json.Key("domain");
    json.BeginObject();
    json.Field("enabled", e.domainSetupEnabled());
    json.Field("from", e.domainFrom());
    json.Field("to", e.domainTo());
    json.EndObject();
    json.Key("label");
    json.BeginObject();
    json.Field("shown", e.displayText());
    json.Field("kind", e.labelKind());
    json.Field("userText", e.userText());
    json.Field("position", e.labelPosition());
    json.EndObject();
    json.Field("extremePointsShown", e.extremePointsShown());
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
        json.Field("type", f.type);
        json.Field("order", f.order);
        json.Field("highestCoeff", f.highestCoeff);
        json.Field("xintercepts", f.xintercepts);
        json.Field("yintercepts", f.yintercepts);
        json.Field("extremePts", f.extremePts);
        json.EndObject();
    }
    json.EndArray();
}

// Parses `kvr NAME [--help] ARGS`; false with the status in `status` when the run ends here.
bool ParseArgs(const char* name, const std::string& usage, const QStringList& args, qsizetype minimum, std::ostream& out,
               std::ostream& err, QStringList& positional, int& status) {
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    if (!parser.parse(QStringList{QString::fromLatin1(name)} + args)) {
        err << name << ": " << OptionError(parser) << SeeHelp(name) << '\n';
        status = 2;
        return false;
    }
    if (parser.isSet(helpOption)) {
        out << CommandText::tr("Usage:") << '\n' << usage;
        status = 0;
        return false;
    }
    positional = parser.positionalArguments();
    if (positional.size() < minimum) {
        err << name << ": " << CommandText::tr("missing arguments") << SeeHelp(name) << '\n';
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
    json.Field("version", version);
    json.Field("showAxisNumbers", graph.showAxisNumbers());
    json.Field("showGrid", graph.showGrid());
    json.Field("showAxis", graph.showAxis());
    json.Field("showIntersections", graph.showIntersections());
    json.Field("xZoom", graph.viewport().xZoom);
    json.Field("yZoom", graph.viewport().yZoom);
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
        json.Field("seed", d.seed);
        json.EndObject();
    }
    json.EndArray();
    WriteFeature(json, feature);
    // 0 × 0 when the file has no image that decodes as PNG.
    json.Key("thumbnail");
    const QImage image = QImage::fromData(thumbnailPng, "PNG");
    json.BeginObject();
    json.Field("width", image.width());
    json.Field("height", image.height());
    json.Field("bytes", int(thumbnailPng.size()));
    json.EndObject();
    json.EndObject();
    return out;
}

std::string InfoUsage() {
    return CommandText::tr("       kvr info FILE.kvr|-\n"
                           "           Prints the document as one JSON object: settings, equations (text,\n"
                           "           analysis, style, domain, label, attribute points, mensuration),\n"
                           "           painted regions, the stored signature and the thumbnail's size.\n");
}

std::string MakeUsage() {
    return CommandText::tr("       kvr make OUT.kvr|- EQUATION...\n"
                           "           Writes a document of the equations, with its thumbnail rendered\n"
                           "           headless, as the window would save it (- : to standard output).\n");
}

int RunInfo(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    QStringList positional;
    int status = 0;
    if (!ParseArgs("kvr info", InfoUsage(), args, 1, out, err, positional, status)) return status;
    if (positional.size() != 1) {
        err << "kvr info: " << CommandText::tr("expected one FILE.kvr") << SeeHelp("kvr info") << '\n';
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
        const bool stream = positional.front() == QLatin1String("-");
        err << "kvr info: " << DocumentFailure(opened, stream ? InputName(positional.front()) : std::string()) << '\n';
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
            err << "kvr make: "
                << (why.empty() ? CommandText::tr("the equation %1 does not parse", {Quoted(positional[i])})
                                : CommandText::tr("the equation %1 adds nothing: %2",
                                                  {Quoted(positional[i]), CommandText::reason({why})}))
                << '\n';
            return 1;
        }
    }
    std::string why;
    const QByteArray png = RenderThumbnailPng(graph, &why);
    if (png.isEmpty()) err << "kvr make: " << CommandText::tr("no thumbnail (%1)", {why}) << '\n';
    CKVRDoc doc(graph);
    const OutputTarget target(positional.front(), ".kvr");
    const DocumentResult saved = doc.save(target.path(), png);
    if (!saved.ok) {
        const bool stream = positional.front() == QLatin1String("-");
        err << "kvr make: " << DocumentFailure(saved, stream ? OutputName(positional.front()) : std::string()) << '\n';
        return 1;
    }
    if (!target.deliver(out)) {
        err << "kvr make: " << CommandText::tr("cannot write output") << '\n';
        return 2;
    }
    return 0;
}
