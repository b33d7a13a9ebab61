// SPDX-License-Identifier: MIT
#include "app/cli/AnalyseCommand.h"

#include <cmath>
#include <istream>
#include <optional>
#include <ostream>
#include <vector>

#include <QtCore/QCommandLineParser>
#include <QtCore/QString>

#include "app/cli/AnalysisFields.h"
#include "app/cli/CommandInput.h"
#include "app/cli/CommandText.h"
#include "app/cli/JsonLine.h"
#include "app/PrecisionGuard.h"
#include "mathex/MathExp.h"
#include "mathex/SmartNumber.h"

namespace {

std::vector<MathEx::ExtremePoint> ExtremesOf(const MathEx::MathExp& equation) {
    try {
        return equation.ExtremePoints();
    } catch (const std::exception&) {
        return {};  // no main expression to evaluate: nothing to report
    }
}

struct ParsedArgs {
    std::optional<int> precision;
    AnalyseOptions options;
    QStringList equations;
    bool help = false;
    QString error;  // non-empty: a usage error
};

std::optional<double> FiniteNumber(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool IsKnownOption(const QString& arg) {
    return arg == QLatin1String("-h") || arg == QLatin1String("--help") || arg == QLatin1String("--precision") ||
           arg.startsWith(QLatin1String("--precision="));
}

// QCommandLineParser gives an option one value, so the two values of --translate
// are taken out of `args` first (a DY such as "-2" would otherwise read as an
// option); the rest, behind a program name, goes to `rest`. Returns an error or "".
QString TakeTranslate(const QStringList& args, QStringList& rest, std::optional<QString>& dx,
                      std::optional<QString>& dy) {
    rest = QStringList{QStringLiteral("kvr analyse")};
    bool endOfOptions = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!endOfOptions && a == QLatin1String("--translate")) {
            if (i + 2 >= args.size())
                return QString::fromStdString(CommandText::tr("--translate needs two numbers: --translate DX DY"));
            dx = args[i + 1];
            dy = args[i + 2];
            i += 2;
            continue;
        }
        if (!endOfOptions && a.startsWith(QLatin1String("--translate=")))
            return QString::fromStdString(CommandText::tr("--translate takes two values: --translate DX DY"));
        if (a == QLatin1String("--")) endOfOptions = true;
        if (!endOfOptions && a.size() > 1 && a.startsWith(QLatin1Char('-')) && !IsKnownOption(a)) {
            const std::string option = Quoted(a);
            if (a.startsWith(QLatin1String("--")))
                return QString::fromStdString(CommandText::tr("unknown option %1", {option}));
            return QString::fromStdString(
                CommandText::tr("unknown option %1; put -- before an equation that starts with '-'", {option}));
        }
        rest << a;
        // The value of --precision is never an option, even when it starts with '-'.
        if (!endOfOptions && a == QLatin1String("--precision") && i + 1 < args.size()) rest << args[++i];
    }
    return {};
}

ParsedArgs ParseArguments(const QStringList& args) {
    ParsedArgs parsed;
    QStringList rest;
    std::optional<QString> dxText, dyText;
    parsed.error = TakeTranslate(args, rest, dxText, dyText);
    if (!parsed.error.isEmpty()) return parsed;

    QCommandLineParser parser;
    const QCommandLineOption precisionOption(QStringLiteral("precision"), QString(), QStringLiteral("N"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(precisionOption);
    parser.addOption(helpOption);
    if (!parser.parse(rest)) {
        parsed.error = QString::fromStdString(OptionError(parser));
        return parsed;
    }
    parsed.help = parser.isSet(helpOption);
    parsed.equations = parser.positionalArguments();
    if (parser.isSet(precisionOption)) {
        const QString text = parser.value(precisionOption);
        parsed.precision = ParseDecimals(text.toStdString());
        if (!parsed.precision)
            parsed.error = QString::fromStdString(
                CommandText::tr("--precision needs a whole number of decimals, not %1", {Quoted(text)}));
    }
    if (dxText && parsed.error.isEmpty()) {
        const auto dx = FiniteNumber(*dxText), dy = FiniteNumber(*dyText);
        if (!dx || !dy)
            parsed.error = QString::fromStdString(
                CommandText::tr("--translate needs two finite numbers, not %1 %2", {Quoted(*dxText), Quoted(*dyText)}));
        parsed.options = {true, dx.value_or(0.0), dy.value_or(0.0)};
    }
    return parsed;
}


}  // namespace

void WriteAnalysis(JsonLine& json, const MathEx::MathExp& equation, bool rebuilt) {
    WriteClassification(json, &equation);
    json.Field("conic", equation.conic);
    json.Field("plain", equation.ToText(MathEx::TEXT_PLAIN));
    json.Field("latex", equation.ToText(MathEx::TEXT_LATEX));
    json.Field("canonical", equation.CanonicalText());
    json.Field("rebuilt", rebuilt);
    json.Key("extremes");
    json.BeginArray();
    for (const MathEx::ExtremePoint& p : ExtremesOf(equation)) {
        json.BeginObject();
        json.Field("x", p.x);
        json.Field("y", p.y);
        json.Field("min", p.isMinimum);
        json.EndObject();
    }
    json.EndArray();
}

namespace {

QByteArray Analyse(const std::string& text, const AnalyseOptions& options, bool& ok) {
    QByteArray out;
    out.reserve(512);
    JsonLine json(out);
    json.BeginObject();
    json.Field("input", text);

    MathEx::MathExp equation;
    ok = equation.Parse(text);
    json.Field("ok", ok);
    if (!ok) {
        json.Field("form", equation.form);
        json.Key("error");
        json.BeginObject();
        json.Field("position", equation.LastError().position);
        json.Field("message", equation.LastError().message);
        json.EndObject();
    } else if (options.translate) {
        equation.Translate(options.dx, options.dy);
        const bool rebuilt = equation.Rebuild();
        WriteAnalysis(json, equation, rebuilt);
    } else {
        // Whether the canonical text would take the equation's place, without changing it.
        WriteAnalysis(json, equation, equation.CanRebuild());
    }
    json.EndObject();
    return out;
}

}  // namespace

std::string AnalyseUsage() {
    return CommandText::tr("       kvr analyse [--precision N] [--translate DX DY] [EQUATION ...|-]\n"
                           "           Prints one JSON object per equation (JSON Lines); without EQUATION,\n"
                           "           or with -, reads one equation per line from standard input.\n"
                           "           --precision N      decimals of non-integral numbers in plain and\n"
                           "                              latex (default 2; above 17 acts as 17)\n"
                           "           --translate DX DY  move each equation by (DX, DY) and rebuild it\n"
                           "           Put -- before an equation that starts with '-'.\n");
}

QByteArray AnalyseToJson(const std::string& text, const AnalyseOptions& options) {
    bool ok = false;
    return Analyse(text, options, ok);
}

int RunAnalyse(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const ParsedArgs parsed = ParseArguments(args);
    if (!parsed.error.isEmpty()) {
        err << "kvr analyse: " << parsed.error.toStdString() << SeeHelp("kvr analyse") << '\n';
        return 2;
    }
    if (parsed.help) {
        out << CommandText::tr("Usage:") << '\n' << AnalyseUsage();
        return 0;
    }

    PrecisionGuard precisionGuard;
    if (parsed.precision) MathEx::SetDisplayPrecision(*parsed.precision);

    bool allParsed = true;
    auto analyse = [&](const std::string& text) {
        bool ok = false;
        WriteJsonLine(out, Analyse(text, parsed.options, ok));
        allParsed = allParsed && ok;
    };

    // "-" alone: the equations come from standard input, as with none.
    const bool fromInput = parsed.equations.isEmpty() || parsed.equations == QStringList{QStringLiteral("-")};
    if (!fromInput) {
        for (const QString& equation : parsed.equations) analyse(equation.toStdString());
    } else {
        std::string line;
        for (;;) {
            // Flush only before a read that may wait, so a pipe partner sees its answers
            // without a write per line.
            if (in.rdbuf()->in_avail() <= 0) out.flush();
            if (!out) break;  // nobody gets the answers: stop reading
            if (!std::getline(in, line)) break;
            if (!line.empty() && line.back() == '\r') line.pop_back();  // CR LF input
            analyse(line);
        }
    }
    if (const int failed = StreamFailure("analyse", fromInput ? &in : nullptr, InputName(QStringLiteral("-")), out, err))
        return failed;
    return allParsed ? 0 : 1;
}
