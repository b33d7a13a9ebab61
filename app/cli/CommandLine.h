// SPDX-License-Identifier: MIT
#pragma once
#include <functional>
#include <iosfwd>

#include <QtCore/QStringList>

// The `kvr` command line: a subcommand (each accepted in its British and its
// American spelling: analyse / analyze, recognize / recognise, and script),
// or `kvr [FILE.kvr]` for the window. `args` starts with the program name.
// An unknown command or a FILE that does not exist is a usage error (status 2,
// one line on `err`).
int RunCommandLine(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);

// Opens the window with a document path ("" for a new one) and runs it until
// it closes, returning the exit status. The program sets it; without it the
// command line only prints its usage (the tests run without a window).
// With `measureStartup` it prints the time to the first painted frame and quits.
using WindowLauncher = std::function<int(const QString& file, bool measureStartup)>;
void SetWindowLauncher(WindowLauncher launcher);
