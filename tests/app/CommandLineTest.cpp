// SPDX-License-Identifier: MIT
// The `kvr` command line as a newcomer meets it: both spellings of the
// commands, a clear word for a mistyped command or a missing file, in the
// user's language.
#include <string>

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtCore/QTemporaryDir>

#include "CommandRun.h"
#include "app/cli/CommandLine.h"
#include "app/cli/CommandText.h"

namespace {

RunResult Kvr(QStringList args, const std::string& input = "") {
    args.prepend(QStringLiteral("kvr"));
    return RunEntry(&RunCommandLine, args, input);
}

TEST(CommandLine, BothSpellingsRunTheCommand) {
    const char* const gesture = "{\"strokes\": [[[0, 1], [4.5, 10]]]}";
    struct Row {
        QStringList args;
        std::string input;
        const char* start;  // of the first output line
    };
    const Row rows[] = {
        {{"analyse", "y = x"}, "", "{\"input\":\"y = x\",\"ok\":true"},
        {{"analyze", "y = x"}, "", "{\"input\":\"y = x\",\"ok\":true"},
        {{"recognize"}, gesture, "{\"shapeType\":2"},
        {{"recognise"}, gesture, "{\"shapeType\":2"},
        {{"script"}, "dump\n", "{\"mode\":0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const RunResult r = Kvr(row.args, row.input);
        EXPECT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.lines.size(), 1u);
        EXPECT_EQ(r.lines[0].rfind(row.start, 0), 0u) << r.lines[0];
    }
}

TEST(CommandLine, MistakesAreNamed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Row {
        QStringList args;
        const char* err;
    };
    const Row rows[] = {
        {{"analys", "y = x"}, "kvr: unknown command 'analys'; did you mean 'analyse'? (see kvr --help)\n"},
        {{"scrpit"}, "kvr: unknown command 'scrpit'; did you mean 'script'? (see kvr --help)\n"},
        {{"rend"}, "kvr: unknown command 'rend'; did you mean 'render-labels'? (see kvr --help)\n"},
        {{"hlep"}, "kvr: unknown command 'hlep'; did you mean 'help'? (see kvr --help)\n"},
        {{"--helpp"}, "kvr: unknown option '--helpp' (see kvr --help)\n"},
        {{"-x"}, "kvr: unknown option '-x' (see kvr --help)\n"},
        {{"help", "scirpt"}, "kvr help: unknown command 'scirpt'; did you mean 'script'? (see kvr --help)\n"},
        {{"help", "info", "make"}, "kvr help: expected at most one COMMAND (see kvr --help)\n"},
        {{"info", "--frob"}, "kvr info: unknown option '--frob' (see kvr info --help)\n"},
        {{"analyse", "--precision"}, "kvr analyse: option '--precision' needs a value (see kvr analyse --help)\n"},
        {{"search", "--library"}, "kvr search: option '--library' needs a value (see kvr search --help)\n"},
        {{"script", "--nope"}, "kvr script: unknown option '--nope' (see kvr script --help)\n"},
        {{"recognition"}, "kvr: unknown command 'recognition' (see kvr --help)\n"},
        {{"missing.kvr"}, "kvr: cannot open 'missing.kvr': no such file\n"},
        {{"Missing.KVR"}, "kvr: cannot open 'Missing.KVR': no such file\n"},
        {{dir.path()}, nullptr},
        {{"a.kvr", "b.kvr"}, "kvr: expected at most one FILE.kvr (see kvr --help)\n"},
        {{"--frobnicate"}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const RunResult r = Kvr(row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.lines.empty());
        const std::string expected = row.err ? row.err : "kvr: ";
        EXPECT_EQ(r.err.rfind(expected, 0), 0u) << r.err;
        if (row.err) {
            EXPECT_EQ(r.err, expected);
        }
    }
}

TEST(CommandLine, HelpAndAnExistingFileShowTheUsage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lesson = dir.filePath(QStringLiteral("lesson.kvr"));
    QFile file(lesson);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    for (const QStringList& args : {QStringList{}, QStringList{"--help"}, QStringList{lesson}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const RunResult r = Kvr(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        std::string all;
        for (const std::string& line : r.lines) all += line + "\n";
        EXPECT_NE(all.find("kvr analyse"), std::string::npos);
        EXPECT_NE(all.find("kvr script"), std::string::npos);
    }
}

TEST(CommandLine, VersionAndHelpOfOneCommand) {
    const RunResult version = Kvr({"--version"});
    EXPECT_EQ(version.status, 0);
    ASSERT_EQ(version.lines.size(), 1u);
    EXPECT_EQ(version.lines[0], std::string("kvr ") + KVR_VERSION);
    EXPECT_EQ(version.err, "");

    // `kvr help COMMAND` prints what `kvr COMMAND --help` prints.
    for (const char* command : {"analyse", "recognize", "script", "render-labels", "info", "make", "search"}) {
        SCOPED_TRACE(command);
        const RunResult help = Kvr({"help", command});
        const RunResult own = Kvr({command, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_EQ(help.lines, own.lines);
        ASSERT_GE(help.lines.size(), 2u);
        EXPECT_EQ(help.lines[0], "Usage:");
        EXPECT_NE(help.lines[1].find(std::string("kvr ") + command), std::string::npos) << help.lines[1];
    }
    EXPECT_EQ(Kvr({"help"}).lines, Kvr({"--help"}).lines);
}

// "-" is standard input or output wherever a file is named, and a byte-order
// mark before an equation or a script is not a character of it.
TEST(CommandLine, DashIsTheStreamAndAByteOrderMarkIsSkipped) {
    const RunResult made = Kvr({"make", "-", "y = x^2 - 1", "y = 2x"});
    ASSERT_EQ(made.status, 0) << made.err;
    std::string document;
    for (const std::string& line : made.lines) document += line + "\n";
    EXPECT_EQ(document.rfind("<?xml", 0), 0u);

    const RunResult info = Kvr({"info", "-"}, document);
    ASSERT_EQ(info.status, 0) << info.err;
    ASSERT_EQ(info.lines.size(), 1u);
    EXPECT_NE(info.lines[0].find("\"text\":\"y=x^2-1\""), std::string::npos) << info.lines[0];

    const RunResult notADocument = Kvr({"info", "-"}, "y = x\n");
    EXPECT_EQ(notADocument.status, 1);
    EXPECT_EQ(notADocument.err.rfind("kvr info: Failed to open document. (standard input: ", 0), 0u) << notADocument.err;

    const RunResult analysed = Kvr({"analyse", "-"}, "y = x\n\xEF\xBB\xBFy = x^2\n");
    ASSERT_EQ(analysed.status, 0) << analysed.err;
    ASSERT_EQ(analysed.lines.size(), 2u);
    EXPECT_NE(analysed.lines[1].find("\"ok\":true"), std::string::npos) << analysed.lines[1];
    const RunResult marked = Kvr({"analyse", "\xEF\xBB\xBFy = 3x"});
    ASSERT_EQ(marked.lines.size(), 1u);
    EXPECT_NE(marked.lines[0].find("\"ok\":true"), std::string::npos) << marked.lines[0];

    const RunResult script = Kvr({"script"}, "\xEF\xBB\xBFtype y = x\nexport-svg -\n");
    ASSERT_EQ(script.status, 0) << script.err;
    std::string svg;
    for (const std::string& line : script.lines) svg += line + "\n";
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);

    const RunResult png = Kvr({"render-labels", "--input", "-", "-"}, "y = x^2\n");
    ASSERT_EQ(png.status, 0) << png.err;
    ASSERT_FALSE(png.lines.empty());
    EXPECT_EQ(png.lines[0].rfind("\x89PNG", 0), 0u);
}

// The classification fields of an equation read the same, byte for byte, in
// `kvr analyse` and in a script's `dump`.
TEST(CommandLine, AnalyseAndDumpWriteTheClassificationAlike) {
    for (const char* text : {"y = x^3 - 3*x", "x^2/4 + y^2 - 1 = 0", "y = 0.1234567*sin(2*x)", "y = 1e308*x^2"}) {
        SCOPED_TRACE(text);
        const RunResult analysed = Kvr({"analyse", text});
        const RunResult dumped = Kvr({"script"}, std::string("type ") + text + "\ndump\n");
        ASSERT_EQ(analysed.lines.size(), 1u);
        ASSERT_EQ(dumped.lines.size(), 1u);
        const std::string& a = analysed.lines[0];
        const size_t from = a.find(",\"form\":"), to = a.find(",\"conic\":");
        ASSERT_NE(from, std::string::npos);
        ASSERT_NE(to, std::string::npos);
        const std::string fields = a.substr(from, to - from);
        EXPECT_NE(dumped.lines[0].find(fields + ",\"colour\":"), std::string::npos) << fields;
    }
}

// The command's own words follow the user's language; what it prints for
// scripts (JSON) does not.
TEST(CommandLine, SpeaksTheUsersLanguageOnStandardErrorOnly) {
    struct German {
        German() { EXPECT_TRUE(CommandText::useLocale(QLocale(QLocale::German, QLocale::Germany))); }
        ~German() { CommandText::useLocale(QLocale::c()); }
    };
    const RunResult englishJson = Kvr({"analyse", "y = x^2"});
    struct Row {
        QStringList args;
        std::string input;
        const char* err;
    };
    const Row rows[] = {
        {{"analys"}, "", "kvr: unbekannter Befehl 'analys'; meinten Sie 'analyse'? (siehe kvr --help)\n"},
        {{"analyse", "--precision", "x"}, "",
         "kvr analyse: --precision braucht eine ganze Zahl von Nachkommastellen, nicht 'x' (siehe kvr analyse --help)\n"},
        {{"info", "missing.kvr"}, "",
         "kvr info: Das Dokument konnte nicht geöffnet werden. (missing.kvr: die Datei gibt es nicht)\n"},
        {{"info", "-"}, "<KVR", "kvr info: Das Dokument konnte nicht geöffnet werden. (Standardeingabe: "},
        {{"script"}, "size 10\n", "kvr script: Zeile 1: 'size' braucht W H: zwei ganze Zahlen von Pixeln von 1 bis 100000\n"},
        {{"script"}, "type y = (x\n", "kvr script: Zeile 1: 'type' kann die Gleichung nicht lesen: "},
        {{"make", "-", "hello"}, "", "kvr make: die Gleichung 'hello' fügt nichts hinzu: "},
    };
    const German german;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const RunResult r = Kvr(row.args, row.input);
        EXPECT_NE(r.status, 0);
        EXPECT_EQ(r.err.rfind(row.err, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    const RunResult help = Kvr({"--help"});
    EXPECT_EQ(help.lines.at(0), "Aufruf: kvr [--measure-startup] [FILE.kvr]");
    EXPECT_EQ(Kvr({"help", "info"}).lines.at(0), "Aufruf:");
    EXPECT_EQ(Kvr({"analyse", "y = x^2"}).lines, englishJson.lines);
}

}  // namespace
