// SPDX-License-Identifier: MIT
// Pages that `kvr script` exports from busy graphs: every one must be a page
// a PostScript interpreter draws, and stay of a size that fits its content.
#include <csignal>
#include <cstdint>
#include <sys/resource.h>
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

#include "CommandRun.h"
#include "app/cli/ScriptCommand.h"
#include "support/Ghostscript.h"

namespace {

// Every export is written as documents are: a full disk (a file-size limit
// here) or a device that takes nothing leaves no file cut short, and the run
// fails with status 1.
TEST(ScriptExport, AnExportCutShortFailsAndLeavesNoFile) {
    QTemporaryDir dir;
    for (const char* command : {"export-ps", "export-svg", "export-pdf", "export-png"}) {
        const std::string path = dir.filePath(QString(command) + ".out").toStdString();
        struct rlimit saved {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tiny = saved;
        tiny.rlim_cur = 200;  // every page is larger
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        const RunResult cut = RunEntry(&RunScript, {"-"}, std::string("type y = x^2\n") + command + " " + path + "\n");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        EXPECT_EQ(cut.status, 1) << command << ": " << cut.err;
        EXPECT_FALSE(std::filesystem::exists(path)) << command;
        EXPECT_TRUE(std::filesystem::is_empty(dir.path().toStdString())) << command << ": a temporary file is left";

        const RunResult full = RunEntry(&RunScript, {"-"}, std::string("type y = x\n") + command + " /dev/full\n");
        EXPECT_EQ(full.status, 1) << command;
        EXPECT_EQ(full.err, "kvr script: line 2: cannot write '/dev/full'\n") << command;
    }
}

// A script of random graph work: curves with far offsets and steep slopes,
// intersections, zooming, panning, painting, captions and tangents.
std::string RandomScript(uint32_t seed, const std::string& page) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return int(random() % uint32_t(n)); };
    auto pixel = [&] { return std::to_string(pick(1000)) + " " + std::to_string(pick(750)); };
    auto number = [&] {
        static const double kScales[] = {1, 10, 1000, 1e5, 3.251e6, 1e8};
        return std::to_string((pick(2001) - 1000) / 1000.0 * kScales[pick(6)]);
    };
    std::string s;
    for (int line = 0; line < 24; ++line) {
        switch (pick(10)) {
            case 0: s += "type y = " + number() + " - " + number() + "*x\n"; break;
            case 1: s += "type y = " + number() + "*x^2 + " + number() + "\n"; break;
            case 2: s += "type x^2/" + std::to_string(1 + pick(50)) + " + y^2 = " + number() + "\n"; break;
            case 3: s += "type y = sin(" + number() + "*x)\n"; break;
            case 4: s += "intersections\n"; break;
            case 5: s += "wheel " + std::string(pick(2) ? "120 " : "-120 ") + pixel() + "\n"; break;
            case 6: s += "rdown " + pixel() + "\nmove " + pixel() + "\nrup " + pixel() + "\n"; break;
            case 7: s += "paint\ndown " + pixel() + "\nup " + pixel() + "\npaint\n"; break;
            case 8: s += "rdown " + pixel() + "\nrup " + pixel() + "\nxy-caption\ntangent\n"; break;
            default: s += "zoom " + std::to_string(0.1 + pick(100) / 10.0) + " " + std::to_string(0.1 + pick(100) / 10.0) + "\n";
        }
    }
    return s + "export-ps " + page + "\n";
}

TEST(ScriptExport, RandomGraphsMakePagesGhostscriptDraws) {
    if (!ghostscript::Available()) GTEST_SKIP() << "ghostscript is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string page = dir.filePath(QStringLiteral("graph.ps")).toStdString();
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        const std::string script = RandomScript(seed, page);
        SCOPED_TRACE(script);
        const RunResult result = RunEntry(&RunScript, {}, script);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(ghostscript::Errors(page), "");
        EXPECT_LT(std::filesystem::file_size(page), 3u << 20);
    }
}

// Deep in a zoom the hatching step is a fraction of a pixel while the graph
// rectangle spans millions of steps: only what the window shows is drawn.
TEST(ScriptExport, PaintedRegionsDeepInAZoomMakeASmallPage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string page = dir.filePath(QStringLiteral("deep.ps")).toStdString();
    std::string zoomed = "type y = x\ntype y = 0.0001 - x\n";
    for (int i = 0; i < 70; ++i) zoomed += "wheel 120 500 375\n";
    zoomed += "zoom 10 10\npaint\n";
    const char* const clicks[] = {"100 100", "900 100", "100 700", "900 700", "500 50", "500 700"};
    struct Row {
        const char* name;
        int regions;
    };
    for (const Row row : {Row{"one region", 1}, Row{"six regions", 6}}) {
        SCOPED_TRACE(row.name);
        std::string script = zoomed;
        for (int i = 0; i < row.regions; ++i) script += std::string("down ") + clicks[i] + "\nup " + clicks[i] + "\n";
        const RunResult result = RunEntry(&RunScript, {}, script + "export-ps " + page + "\n");
        ASSERT_EQ(result.status, 0) << result.err;
        ASSERT_TRUE(std::filesystem::exists(page));
        EXPECT_LT(std::filesystem::file_size(page), 3u << 20);
        if (ghostscript::Available()) {
            EXPECT_EQ(ghostscript::Errors(page), "");
        }
    }
}

}  // namespace
