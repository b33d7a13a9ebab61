// SPDX-License-Identifier: MIT
// Input that fails to read, and output that cannot be written, are errors
// (status 2 and one line), not a quiet end of the run.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <QtCore/QStringList>

#include "CommandRun.h"
#include "app/cli/AnalyseCommand.h"
#include "app/cli/CommandLine.h"
#include "app/cli/RecognizeCommand.h"
#include "app/cli/ScriptCommand.h"

namespace {

// The whole command line, as `kvr ARGS` runs it.
int Kvr(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err) {
    return RunCommandLine(QStringList{QStringLiteral("kvr")} + args, in, out, err);
}

const char* const kGesture = "{\"strokes\": [[[0, 0], [1, 1], [2, 2], [3, 3]]]}\n";

struct ReadCase {
    const char* name;
    CommandEntry entry;
    QStringList args;
    bool stdinIsAFolder;  // otherwise standard input is empty
    const char* message;
};

TEST(StreamFailure, ReadErrorsAreNotTheEndOfTheInput) {
    if (!std::ifstream("/proc/self/mem").is_open()) GTEST_SKIP() << "no /proc";
    const ReadCase rows[] = {
        {"script FILE", &RunScript, {QStringLiteral("/proc/self/mem")}, false,
         "kvr script: cannot read '/proc/self/mem'\n"},
        {"script from a folder", &RunScript, {}, true, "kvr script: cannot read standard input\n"},
        {"recognize FILE", &RunRecognize, {QStringLiteral("/proc/self/mem")}, false,
         "kvr recognize: cannot read '/proc/self/mem'\n"},
        {"recognize --batch FILE", &RunRecognize, {QStringLiteral("--batch"), QStringLiteral("/proc/self/mem")}, false,
         "kvr recognize: cannot read '/proc/self/mem'\n"},
        {"recognize --batch from a folder", &RunRecognize, {QStringLiteral("--batch"), QStringLiteral("-")}, true,
         "kvr recognize: cannot read standard input\n"},
        {"analyse from a folder", &RunAnalyse, {}, true, "kvr analyse: cannot read standard input\n"},
    };
    for (const ReadCase& row : rows) {
        SCOPED_TRACE(row.name);
        // A folder opens as a file, and its first read fails, as `kvr analyse < .` sees it.
        std::ifstream folder(std::filesystem::temp_directory_path());
        ASSERT_TRUE(folder.is_open());
        std::istringstream empty;
        std::ostringstream out, err;
        std::istream& in = row.stdinIsAFolder ? static_cast<std::istream&>(folder) : empty;
        EXPECT_EQ(row.entry(row.args, in, out, err), 2);
        EXPECT_EQ(err.str(), row.message);
    }
}

struct WriteCase {
    const char* name;
    CommandEntry entry;
    QStringList args;
    std::string input;
    const char* message;
};

TEST(StreamFailure, OutputThatCannotBeWrittenIsAnError) {
    std::ofstream full("/dev/full");
    if (!full.is_open()) GTEST_SKIP() << "no /dev/full";
    full.close();
    const WriteCase rows[] = {
        {"analyse EQUATION", &RunAnalyse, {QStringLiteral("y=x")}, "", "kvr analyse: cannot write output\n"},
        {"analyse from input", &RunAnalyse, {}, "y=x\ny=x^2\n", "kvr analyse: cannot write output\n"},
        {"recognize", &RunRecognize, {}, kGesture, "kvr recognize: cannot write output\n"},
        {"recognize --batch", &RunRecognize, {QStringLiteral("--batch"), QStringLiteral("-")}, kGesture,
         "kvr recognize: cannot write output\n"},
        {"script dump", &RunScript, {}, "type y = x\ndump\n", "kvr script: cannot write output\n"},
        {"script export-svg -", &RunScript, {}, "type y = x\nexport-svg -\n", "kvr script: line 2: cannot write output\n"},
        {"--help", &Kvr, {QStringLiteral("--help")}, "", "kvr: cannot write output\n"},
        {"--version", &Kvr, {QStringLiteral("--version")}, "", "kvr: cannot write output\n"},
        {"help", &Kvr, {QStringLiteral("help")}, "", "kvr help: cannot write output\n"},
        {"help info", &Kvr, {QStringLiteral("help"), QStringLiteral("info")}, "", "kvr help: cannot write output\n"},
        {"info --help", &Kvr, {QStringLiteral("info"), QStringLiteral("--help")}, "", "kvr info: cannot write output\n"},
        {"info FILE", &Kvr, {QStringLiteral("info"), QStringLiteral(KVR_TEST_DATA "/attribpoints.kvr")}, "",
         "kvr info: cannot write output\n"},
        {"make -", &Kvr, {QStringLiteral("make"), QStringLiteral("-"), QStringLiteral("y = x")}, "",
         "kvr make: cannot write output\n"},
        {"render-labels -", &Kvr, {QStringLiteral("render-labels"), QStringLiteral("-"), QStringLiteral("y = x")}, "",
         "kvr render-labels: cannot write output\n"},
    };
    for (const WriteCase& row : rows) {
        SCOPED_TRACE(row.name);
        std::ofstream out("/dev/full");
        std::istringstream in(row.input);
        std::ostringstream err;
        EXPECT_EQ(row.entry(row.args, in, out, err), 2);
        EXPECT_EQ(err.str(), row.message);
    }
}

// The plain end of the input is still a success.
TEST(StreamFailure, TheEndOfTheInputIsNoError) {
    EXPECT_EQ(RunEntry(&RunAnalyse, {}, "y=x\n").status, 0);
    EXPECT_EQ(RunEntry(&RunScript, {}, "type y = x\n").status, 0);
    EXPECT_EQ(RunEntry(&RunRecognize, {QStringLiteral("--batch"), QStringLiteral("-")}, kGesture).status, 0);
}

}  // namespace
