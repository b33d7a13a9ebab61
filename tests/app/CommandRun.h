// SPDX-License-Identifier: MIT
#pragma once
// Runs a subcommand's entry point as `kvr` would, with standard input from a
// string, and collects what it printed.
#include <iosfwd>
#include <sstream>
#include <string>
#include <vector>

#include <QtCore/QStringList>
#include <gtest/gtest.h>
#include <algorithm>

struct RunResult {
    int status = -1;
    std::vector<std::string> lines;  // standard output
    std::string err;
};

using CommandEntry = int (*)(const QStringList&, std::istream&, std::ostream&, std::ostream&);

inline RunResult RunEntry(CommandEntry entry, const QStringList& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    RunResult result;
    result.status = entry(args, in, out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) result.lines.push_back(line);
    result.err = err.str();
    return result;
}

// One way to call a command wrongly: its arguments, the exit status it must give
// and a part of the one line it must write on standard error.
struct RefusedRun {
    QStringList args;
    int status;
    const char* message;
};

// Every row is refused as it says: its status, nothing on standard output, and
// one line on standard error holding its message.
inline void ExpectRefused(CommandEntry entry, const std::vector<RefusedRun>& rows) {
    for (const RefusedRun& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const RunResult result = RunEntry(entry, row.args, "");
        EXPECT_EQ(result.status, row.status);
        EXPECT_TRUE(result.lines.empty());
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
}
