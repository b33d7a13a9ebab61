// SPDX-License-Identifier: MIT
#pragma once
#include <string>
#include <iosfwd>

#include <QtCore/QStringList>

// `kvr script`: a headless run of one graph, for reproducing lessons and for
// tests. Commands, one per line, drive the graph as the window's pointer events
// and menu commands would; `dump` prints the graph's state as one JSON line.

// Runs the subcommand on its arguments (those after "script"): the script from
// FILE, or from `in` when FILE is "-" or missing. Returns 0 when every line ran;
// 2 on a usage error, an unreadable file, an unknown command or a bad argument
// (one line on `err` naming the script line; nothing after it runs); 1 when an
// export could not be written (reported likewise).
int RunScript(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);

// The usage lines of the subcommand, for `kvr --help`.
std::string ScriptUsage();
