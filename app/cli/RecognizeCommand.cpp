// SPDX-License-Identifier: MIT
#include "app/cli/RecognizeCommand.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QtCore/QCommandLineParser>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>

#include "app/cli/CommandInput.h"
#include "app/cli/CommandText.h"
#include "app/cli/JsonLine.h"
#include "mathex/MathExp.h"
#include "sketch/Gesture.h"
#include "sketch/ShapeEquationText.h"
#include "sketch/ShapeRecognizer.h"

namespace {

// "strokes[i][j]": where in the input a fault is.
QString PathOf(qsizetype stroke, qsizetype point = -1) {
    QString path = QStringLiteral("strokes[%1]").arg(stroke);
    if (point >= 0) path += QStringLiteral("[%1]").arg(point);
    return path;
}

// A coordinate is a finite number that fits single precision, as graph coordinates are stored.
std::optional<float> Coordinate(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    const double v = value.toDouble();
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return std::nullopt;
    return float(v);
}

std::optional<Stroke> ReadStroke(const QJsonValue& value, qsizetype index, QString& error) {
    if (!value.isArray()) {
        error = PathOf(index) + QStringLiteral(" must be an array of [x, y] points");
        return std::nullopt;
    }
    const QJsonArray points = value.toArray();
    // A stroke of one point never enters a gesture: it is a click, not a stroke.
    if (points.size() < 2) {
        error = PathOf(index) + (points.isEmpty() ? QStringLiteral(" is empty") : QStringLiteral(" has one point")) +
                QStringLiteral("; a stroke needs at least two points");
        return std::nullopt;
    }
    Stroke stroke;
    for (qsizetype j = 0; j < points.size(); ++j) {
        const QJsonArray point = points[j].toArray();
        const auto x = Coordinate(point.isEmpty() ? QJsonValue() : point[0]);
        const auto y = Coordinate(point.size() < 2 ? QJsonValue() : point[1]);
        if (!points[j].isArray() || point.size() != 2 || !x || !y) {
            error = PathOf(index, j) + QStringLiteral(" must be [x, y] with two finite numbers");
            return std::nullopt;
        }
        stroke.emplace_back(*x, *y);
    }
    return stroke;
}

std::optional<std::vector<Stroke>> ReadStrokes(const QByteArray& json, QString& error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("malformed JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString());
        return std::nullopt;
    }
    const QJsonValue strokes = document.isObject() ? document.object().value(QStringLiteral("strokes")) : QJsonValue();
    if (!document.isObject() || strokes.isUndefined()) {
        error = QStringLiteral("expected an object with \"strokes\": [[[x, y], ...], ...]");
        return std::nullopt;
    }
    if (!strokes.isArray()) {
        error = QStringLiteral("\"strokes\" must be an array of strokes");
        return std::nullopt;
    }
    std::vector<Stroke> result;
    const QJsonArray array = strokes.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        auto stroke = ReadStroke(array[i], i, error);
        if (!stroke) return std::nullopt;
        result.push_back(std::move(*stroke));
    }
    return result;
}

// What the sketch adds: the text of a line, quadratic or cubic, the canonical
// text of the equation object a conic creates, nothing otherwise.
std::string EquationOf(const RecognizedShape& shape) {
    MathEx::MathExp conic;
    return shapeConicExpression(shape, conic) ? conic.CanonicalText() : shapeEquationText(shape);
}

void WriteShape(JsonLine& json, const RecognizedShape& shape) {
    json.Field("shapeType", shape.shapeType);
    json.Field("center", shape.center);
    json.Field("start", shape.startPoint);
    json.Field("end", shape.endPoint);
    json.Field("coeffs", shape.coeffs);
    json.Field("angle", shape.angle);
    json.Field("equation", EquationOf(shape));
}

void WriteStrokesAndFits(JsonLine& json, const Gesture& gesture, const std::vector<ShapeCandidate>& fits) {
    json.Key("resampled");
    json.BeginArray();
    for (const Stroke& stroke : gesture.strokes) {
        json.BeginArray();
        for (const PointF& p : stroke) json.Point(p);
        json.EndArray();
    }
    json.EndArray();
    json.Key("fits");
    json.BeginArray();
    for (const ShapeCandidate& fit : fits) {
        json.BeginObject();
        json.Field("kind", fit.kind);
        json.Field("score", fit.score);  // an unusable model's +∞ is null
        json.EndObject();
    }
    json.EndArray();
}

QByteArray ErrorLine(qint64 line, const QString& error) {
    QByteArray out;
    JsonLine json(out);
    json.BeginObject();
    json.Field("line", int(std::min<qint64>(line, std::numeric_limits<int>::max())));
    json.Field("error", error.toStdString());
    json.EndObject();
    return out;
}

struct ParsedArgs {
    QString input = QStringLiteral("-");
    bool batch = false;
    bool help = false;
    QString error;  // non-empty: a usage error
};

ParsedArgs ParseArguments(const QStringList& args) {
    ParsedArgs parsed;
    QCommandLineParser parser;
    const QCommandLineOption batchOption(QStringLiteral("batch"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(batchOption);
    parser.addOption(helpOption);
    if (!parser.parse(QStringList{QStringLiteral("kvr recognize")} + args)) {
        parsed.error = QString::fromStdString(OptionError(parser));
        return parsed;
    }
    parsed.help = parser.isSet(helpOption);
    const QStringList positional = parser.positionalArguments();
    parsed.batch = parser.isSet(batchOption);
    if (positional.size() > 1 || (parsed.batch && !positional.isEmpty())) {
        parsed.error = QString::fromStdString(CommandText::tr("expected one input: FILE, -, or --batch FILE"));
    } else if (parsed.batch) {
        parsed.input = parser.value(batchOption);
    } else if (!positional.isEmpty()) {
        parsed.input = positional.front();
    }
    return parsed;
}

int RunBatch(std::istream& input, std::ostream& out) {
    bool allRead = true;
    std::string line;
    for (qint64 number = 1; out && std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // CR LF input
        const QByteArray gesture = QByteArray::fromStdString(line);
        // A blank line still gets its result line, so results and input lines stay paired.
        QString error = gesture.trimmed().isEmpty() ? QStringLiteral("empty line") : QString();
        const QByteArray result = error.isEmpty() ? RecognizeToJson(gesture, error) : QByteArray();
        WriteJsonLine(out, error.isEmpty() ? result : ErrorLine(number, error));
        allRead = allRead && error.isEmpty();
    }
    out.flush();
    return allRead ? 0 : 1;
}

// One gesture: the whole input.
int RunSingle(std::istream& input, std::ostream& out, std::ostream& err) {
    const std::string text{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
    QString error;
    const QByteArray result = RecognizeToJson(QByteArray::fromStdString(text), error);
    if (!error.isEmpty()) {
        err << "kvr recognize: " << error.toStdString() << '\n';
        return 2;
    }
    WriteJsonLine(out, result);
    out.flush();
    return 0;
}

}  // namespace

std::string RecognizeUsage() {
    return CommandText::tr("       kvr recognize [FILE|-]\n"
                           "       kvr recognize --batch FILE|-\n"
                           "           Recognises the sketch {\"strokes\": [[[x, y], ...], ...]} (graph units)\n"
                           "           read from FILE or standard input, and prints the shape, the\n"
                           "           resampled strokes, the five fitter scores and the equation the\n"
                           "           sketch would add, as one JSON object. --batch reads one sketch\n"
                           "           per line (JSON Lines) and prints one result per line.\n");
}

QByteArray RecognizeToJson(const QByteArray& gestureJson, QString& error) {
    error.clear();
    const auto strokes = ReadStrokes(gestureJson, error);
    if (!strokes) return {};
    Gesture gesture;
    for (const Stroke& stroke : *strokes) gesture.addStroke(stroke);
    gesture.resampleStrokes();
    ShapeRecognizer recognizer;
    gesture.shape = recognizer.recognize(gesture.strokes);

    QByteArray out;
    out.reserve(1024);
    JsonLine json(out);
    json.BeginObject();
    WriteShape(json, gesture.shape);
    WriteStrokesAndFits(json, gesture, recognizer.fits());
    json.EndObject();
    return out;
}

int RunRecognize(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const ParsedArgs parsed = ParseArguments(args);
    if (!parsed.error.isEmpty()) {
        err << "kvr recognize: " << parsed.error.toStdString() << SeeHelp("kvr recognize") << '\n';
        return 2;
    }
    if (parsed.help) {
        out << CommandText::tr("Usage:") << '\n' << RecognizeUsage();
        return 0;
    }
    std::unique_ptr<std::ifstream> file;
    std::istream* input = OpenCommandInput(parsed.input, in, file);
    if (!input) {
        err << "kvr recognize: " << CommandText::tr("cannot open %1", {Quoted(parsed.input)}) << '\n';
        return 2;
    }
    int status = 0;
    try {
        status = parsed.batch ? RunBatch(*input, out) : RunSingle(*input, out, err);
    } catch (const std::ios_base::failure&) {
        input->setstate(std::ios::badbit);  // a read error the stream passed on
    }
    if (const int failed = StreamFailure("recognize", input, InputName(parsed.input), out, err)) return failed;
    return status;
}
