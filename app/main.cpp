#include <iostream>

#include <QtCore/QCommandLineParser>
#include <QtCore/QStringList>

#include "app/AnalyseCommand.h"
#include "app/RecognizeCommand.h"
#include "app/RenderLabelsCommand.h"
#include "app/ScriptCommand.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "Usage: kvr [FILE.kvr]\n"
           "           Opens the window, with FILE when given.\n"
        << AnalyseUsage() << RecognizeUsage() << ScriptUsage() << RenderLabelsUsage();
}

// `kvr [FILE.kvr]` and `kvr --help`; the subcommands are dispatched before this.
int RunWindow(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    if (!parser.parse(args)) {
        std::cerr << "kvr: " << parser.errorText().toStdString() << " (see kvr --help)\n";
        return 2;
    }
    if (parser.positionalArguments().size() > 1) {
        std::cerr << "kvr: expected at most one FILE.kvr (see kvr --help)\n";
        return 2;
    }
    if (!parser.isSet(helpOption)) std::cout << "kvr: the window is not built yet; the subcommands work.\n";
    PrintUsage(std::cout);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Equations stream through at tens of thousands per second: no stdio sync, and
    // no flush of the output before every read (the analyse loop flushes when input runs dry).
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);

    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    if (args.size() >= 2 && args[1] == QLatin1String("analyse"))
        return RunAnalyse(args.mid(2), std::cin, std::cout, std::cerr);
    if (args.size() >= 2 && args[1] == QLatin1String("recognize"))
        return RunRecognize(args.mid(2), std::cin, std::cout, std::cerr);
    if (args.size() >= 2 && args[1] == QLatin1String("script"))
        return RunScript(args.mid(2), std::cin, std::cout, std::cerr);
    if (args.size() >= 2 && args[1] == QLatin1String("render-labels"))
        return RunRenderLabels(args.mid(2), std::cout, std::cerr);
    return RunWindow(args);
}
