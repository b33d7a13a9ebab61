// SPDX-License-Identifier: MIT
#pragma once
// Runs a subcommand's entry point as `kvr` would, with standard input from a
// string, and collects what it printed.
#include <iosfwd>
#include <sstream>
#include <string>
#include <vector>

#include <QtCore/QStringList>

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
