// SPDX-License-Identifier: MIT
#include "app/cli/CommandLine.h"

#include <iostream>
#include <string>
#include <vector>

#include <QtCore/QCommandLineParser>
#include <QtCore/QFileInfo>
#include <QtCore/QtGlobal>

#include "app/cli/AnalyseCommand.h"
#include "app/cli/CommandInput.h"
#include "app/cli/CommandText.h"
#include "app/cli/DocumentCommands.h"
#include "app/cli/RecognizeCommand.h"
#include "app/cli/RenderLabelsCommand.h"
#include "app/cli/ScriptCommand.h"
#include "app/cli/SearchCommand.h"

namespace {

using Entry = int (*)(const QStringList&, std::istream&, std::ostream&, std::ostream&);

struct Subcommand {
    const char* name;
    Entry run;
};

const Subcommand kSubcommands[] = {
    {"analyse", &RunAnalyse},     {"analyze", &RunAnalyse}, {"recognize", &RunRecognize},
    {"recognise", &RunRecognize}, {"script", &RunScript},   {"render-labels", &RunRenderLabels},
    {"info", &RunInfo},           {"make", &RunMake},         {"search", &RunSearch},
};

WindowLauncher& Launcher() {
    static WindowLauncher launcher;
    return launcher;
}

std::vector<std::string> CommandNames() {
    std::vector<std::string> names{"help"};
    for (const Subcommand& c : kSubcommands) names.emplace_back(c.name);
    return names;
}

const Subcommand* FindSubcommand(const QString& name) {
    for (const Subcommand& c : kSubcommands)
        if (name == QLatin1String(c.name)) return &c;
    return nullptr;
}

// "unknown command 'anlyse'; did you mean 'analyse'?"
std::string UnknownCommand(const QString& word) {
    const std::string nearest = NearestName(word.toStdString(), CommandNames());
    if (nearest.empty()) return CommandText::tr("unknown command %1", {Quoted(word)});
    return CommandText::tr("unknown command %1; did you mean %2?", {Quoted(word), Quoted(nearest)});
}

void PrintUsage(std::ostream& out) {
    out << CommandText::tr("Usage: kvr [--measure-startup] [FILE.kvr]\n"
                           "           Opens the window, with FILE when given; --measure-startup prints the\n"
                           "           milliseconds from start to the first painted frame, then quits.\n"
                           "       kvr --version\n"
                           "           Prints the version.\n"
                           "       kvr help [COMMAND]\n"
                           "           Prints this text, or the help of one command (as kvr COMMAND --help).\n")
        << AnalyseUsage() << RecognizeUsage() << ScriptUsage() << RenderLabelsUsage() << InfoUsage() << MakeUsage() << SearchUsage()
        << CommandText::tr("       (analyze and recognise are accepted for analyse and recognize)\n"
                           "       A FILE or OUT named - is standard input or standard output.\n");
}

// `kvr [FILE.kvr]` and `kvr --help`.
int RunWindow(const QStringList& args, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    const QCommandLineOption measureOption(QStringLiteral("measure-startup"));
    parser.addOption(measureOption);
    const QCommandLineOption versionOption(QStringLiteral("version"));
    parser.addOption(versionOption);
    if (!parser.parse(args)) {
        err << "kvr: " << OptionError(parser) << SeeHelp("kvr") << '\n';
        return 2;
    }
    if (parser.isSet(versionOption)) {
        out << "kvr " << KVR_VERSION << '\n';
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        const QString& first = positional.front();
        const QFileInfo file(first);
        // A word that names no file and does not look like a document was meant as a command.
        if (!file.exists() && !first.endsWith(QLatin1String(".kvr"), Qt::CaseInsensitive)) {
            err << "kvr: " << UnknownCommand(first) << SeeHelp("kvr") << '\n';
            return 2;
        }
        if (positional.size() > 1) {
            err << "kvr: " << CommandText::tr("expected at most one FILE.kvr") << SeeHelp("kvr") << '\n';
            return 2;
        }
        if (!file.exists()) {
            err << "kvr: " << CommandText::tr("cannot open %1: no such file", {Quoted(first)}) << '\n';
            return 2;
        }
        if (file.isDir()) {
            err << "kvr: " << CommandText::tr("cannot open %1: it is a folder", {Quoted(first)}) << '\n';
            return 2;
        }
    }
    if (parser.isSet(helpOption) || !Launcher()) {
        PrintUsage(out);
        return 0;
    }
    return Launcher()(positional.value(0), parser.isSet(measureOption));
}

// `kvr help` and `kvr help COMMAND`.
int RunHelp(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.isEmpty()) {
        PrintUsage(out);
        return 0;
    }
    if (args.size() > 1) {
        err << "kvr help: " << CommandText::tr("expected at most one COMMAND") << SeeHelp("kvr") << '\n';
        return 2;
    }
    if (const Subcommand* c = FindSubcommand(args.front())) return c->run({QStringLiteral("--help")}, in, out, err);
    if (args.front() == QLatin1String("help")) {
        PrintUsage(out);
        return 0;
    }
    err << "kvr help: " << UnknownCommand(args.front()) << SeeHelp("kvr") << '\n';
    return 2;
}

// Qt's own remarks ("QStandardPaths: XDG_RUNTIME_DIR not set", font and platform
// notes) are for Qt's developers; a command's standard error is for its user.
// KVR_QT_MESSAGES=1 lets them through when they are wanted.
void DropQtRemarks(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

class QtRemarksDropped {
public:
    QtRemarksDropped() {
        if (qEnvironmentVariable("KVR_QT_MESSAGES") == QLatin1String("1")) return;
        previous_ = qInstallMessageHandler(&DropQtRemarks);
        installed_ = true;
    }
    ~QtRemarksDropped() {
        if (installed_) qInstallMessageHandler(previous_);
    }
    QtRemarksDropped(const QtRemarksDropped&) = delete;
    QtRemarksDropped& operator=(const QtRemarksDropped&) = delete;

private:
    QtMessageHandler previous_ = nullptr;
    bool installed_ = false;
};

int Dispatch(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.size() < 2) return RunWindow(args, out, err);
    const bool help = args[1] == QLatin1String("help");
    const Subcommand* command = FindSubcommand(args[1]);
    if (!help && !command) return RunWindow(args, out, err);
    const QtRemarksDropped quiet;
    return help ? RunHelp(args.mid(2), in, out, err) : command->run(args.mid(2), in, out, err);
}

}  // namespace

void SetWindowLauncher(WindowLauncher launcher) { Launcher() = std::move(launcher); }

int RunCommandLine(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const int status = Dispatch(args, in, out, err);
    // Whatever a command printed (a help text, a document's JSON) must have reached its reader.
    out.flush();
    if (status == 0 && !out) {
        const bool named = args.size() >= 2 && (FindSubcommand(args[1]) || args[1] == QLatin1String("help"));
        const QString command = named ? args[1] : QString();
        const std::string name = command.isEmpty() ? "kvr" : "kvr " + command.toStdString();
        err << name << ": " << CommandText::tr("cannot write output") << '\n';
        return 2;
    }
    return status;
}
