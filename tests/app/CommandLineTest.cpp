// The `kvr` command line as a newcomer meets it: both spellings of the
// commands, and a clear word for a mistyped command or a missing file.
#include <string>

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include "CommandRun.h"
#include "app/CommandLine.h"

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
        {{"analys", "y = x"}, "kvr: unknown command 'analys' (see kvr --help)\n"},
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

}  // namespace
