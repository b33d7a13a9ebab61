#include "app/CommandLine.h"

#include <iostream>

#include <QtCore/QCommandLineParser>
#include <QtCore/QFileInfo>

#include "app/AnalyseCommand.h"
#include "app/CommandInput.h"
#include "app/DocumentCommands.h"
#include "app/RecognizeCommand.h"
#include "app/RenderLabelsCommand.h"
#include "app/ScriptCommand.h"
#include "app/SearchCommand.h"

namespace {

using Entry = int (*)(const QStringList&, std::istream&, std::ostream&, std::ostream&);

struct Subcommand {
    const char* name;
    Entry run;
};

int RenderLabels(const QStringList& args, std::istream&, std::ostream& out, std::ostream& err) {
    return RunRenderLabels(args, out, err);
}

const Subcommand kSubcommands[] = {
    {"analyse", &RunAnalyse},     {"analyze", &RunAnalyse}, {"recognize", &RunRecognize},
    {"recognise", &RunRecognize}, {"script", &RunScript},   {"render-labels", &RenderLabels},
    {"info", &RunInfo},           {"make", &RunMake},         {"search", &RunSearch},
};

WindowLauncher& Launcher() {
    static WindowLauncher launcher;
    return launcher;
}

void PrintUsage(std::ostream& out) {
    out << "Usage: kvr [--measure-startup] [FILE.kvr]\n"
           "           Opens the window, with FILE when given; --measure-startup prints the\n"
           "           milliseconds from start to the first painted frame, then quits.\n"
        << AnalyseUsage() << RecognizeUsage() << ScriptUsage() << RenderLabelsUsage() << InfoUsage() << MakeUsage() << SearchUsage()
        << "       (analyze and recognise are accepted for analyse and recognize)\n";
}

// `kvr [FILE.kvr]` and `kvr --help`.
int RunWindow(const QStringList& args, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    const QCommandLineOption measureOption(QStringLiteral("measure-startup"));
    parser.addOption(measureOption);
    if (!parser.parse(args)) {
        err << "kvr: " << parser.errorText().toStdString() << " (see kvr --help)\n";
        return 2;
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        const QString& first = positional.front();
        const QFileInfo file(first);
        // A word that names no file and does not look like a document was meant as a command.
        if (!file.exists() && !first.endsWith(QLatin1String(".kvr"), Qt::CaseInsensitive)) {
            err << "kvr: unknown command " << Quoted(first) << " (see kvr --help)\n";
            return 2;
        }
        if (positional.size() > 1) {
            err << "kvr: expected at most one FILE.kvr (see kvr --help)\n";
            return 2;
        }
        if (!file.exists()) {
            err << "kvr: cannot open " << Quoted(first) << ": no such file\n";
            return 2;
        }
        if (file.isDir()) {
            err << "kvr: cannot open " << Quoted(first) << ": it is a folder\n";
            return 2;
        }
    }
    if (parser.isSet(helpOption) || !Launcher()) {
        PrintUsage(out);
        return 0;
    }
    return Launcher()(positional.value(0), parser.isSet(measureOption));
}

}  // namespace

void SetWindowLauncher(WindowLauncher launcher) { Launcher() = std::move(launcher); }

int RunCommandLine(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.size() >= 2)
        for (const Subcommand& c : kSubcommands)
            if (args[1] == QLatin1String(c.name)) return c.run(args.mid(2), in, out, err);
    return RunWindow(args, out, err);
}
