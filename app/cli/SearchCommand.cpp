// SPDX-License-Identifier: MIT
#include "app/cli/SearchCommand.h"

#include <ostream>
#include <string>

#include <QtCore/QCommandLineParser>
#include <QtCore/QFile>

#include "app/cli/CommandInput.h"
#include "app/cli/CommandText.h"
#include "app/cli/JsonLine.h"
#include "app/LibrarySettings.h"
#include "graph/GraphManager.h"
#include "io/CKVRDoc.h"
#include "io/CXMLArchive.h"
#include "io/Library.h"
#include "io/LibraryReaders.h"

namespace {

struct SearchArgs {
    QString error;
    bool help = false;
    QString library;  // empty: the configured library
    bool equations = false;
    QStringList positional;
};

SearchArgs ParseSearchArgs(const QStringList& args) {
    SearchArgs parsed;
    QCommandLineParser parser;
    const QCommandLineOption libraryOption(QStringLiteral("library"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption equationsOption(QStringLiteral("equations"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({libraryOption, equationsOption, helpOption});
    if (!parser.parse(QStringList{QStringLiteral("kvr search")} + args)) {
        parsed.error = QString::fromStdString(OptionError(parser));
        return parsed;
    }
    parsed.help = parser.isSet(helpOption);
    parsed.library = parser.value(libraryOption);
    parsed.equations = parser.isSet(equationsOption);
    parsed.positional = parser.positionalArguments();
    if (parsed.help) return parsed;
    if (parser.isSet(libraryOption) && parsed.library.isEmpty())
        parsed.error = QString::fromStdString(CommandText::tr("--library needs a folder"));
    else if (parsed.equations && parsed.positional.isEmpty())
        parsed.error = QString::fromStdString(CommandText::tr("--equations needs at least one EQUATION"));
    else if (!parsed.equations && parsed.positional.size() != 1)
        parsed.error = QString::fromStdString(CommandText::tr("expected one FILE.kvr, or --equations EQUATION..."));
    return parsed;
}

// The signature of the graph the equations make, as the window computes it.
bool SignatureOfEquations(const QStringList& equations, CFeature& feature, std::string& error) {
    GraphManager graph;
    for (const QString& text : equations) {
        if (!graph.addEquationFromText(text.toStdString())) {
            error = CommandText::tr("cannot read the equation %1", {Quoted(text)});
            return false;
        }
    }
    graph.computeFeature(feature);
    return true;
}

// The signature of the graph the document holds, as it is once opened.
bool SignatureOfDocument(const QString& path, std::istream& in, CFeature& feature, std::string& error) {
    InputDocument input;
    if (!input.open(path, in, error, CXMLArchive::kMaxFileBytes)) return false;
    GraphManager graph;
    CKVRDoc doc(graph);
    const DocumentResult opened = doc.open(input.path());
    if (!opened.ok) {
        error = CommandText::tr("cannot open %1: %2", {InputName(path), CommandText::reason(opened.why)});
        return false;
    }
    graph.computeFeature(feature);
    return true;
}

}  // namespace

std::string SearchUsage() {
    return CommandText::tr("       kvr search [--library DIR] (FILE.kvr|- | --equations EQUATION...)\n"
                           "           Prints the five library documents closest to the graph of FILE or\n"
                           "           of the equations, closest first (JSON Lines: rank, file, path,\n"
                           "           score). DIR defaults to the configured library folder.\n");
}

int RunSearch(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const SearchArgs parsed = ParseSearchArgs(args);
    if (!parsed.error.isEmpty()) {
        err << "kvr search: " << parsed.error.toStdString() << SeeHelp("kvr search") << '\n';
        return 2;
    }
    if (parsed.help) {
        out << CommandText::tr("Usage:") << '\n' << SearchUsage();
        return 0;
    }

    CFeature graph;
    std::string error;
    const bool ok = parsed.equations ? SignatureOfEquations(parsed.positional, graph, error)
                                     : SignatureOfDocument(parsed.positional.front(), in, graph, error);
    if (!ok) {
        err << "kvr search: " << error << "\n";
        return 2;
    }

    const QString folder = parsed.library.isEmpty() ? LibraryFolder() : parsed.library;
    Library library;
    if (!library.loadLibrary(QFile::encodeName(folder).toStdString(), DocumentFeatureReader())) {
        err << "kvr search: " << CommandText::tr("cannot read the library folder %1", {Quoted(folder)}) << '\n';
        return 1;
    }
    library.updateCandidates(graph, ThumbnailReader());
    int rank = 0;
    for (const Candidate& c : library.candidates()) {
        QByteArray line;
        JsonLine json(line);
        json.BeginObject();
        json.Field("rank", ++rank);
        json.Field("file", c.name);
        json.Field("path", LibraryPath(library.folder(), c.name));
        json.Field("score", c.score);
        json.EndObject();
        WriteJsonLine(out, line);
    }
    return StreamFailure("search", nullptr, std::string(), out, err);
}
