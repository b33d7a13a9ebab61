#pragma once
#include <iosfwd>

#include <QtCore/QStringList>

// The `kvr` command line: a subcommand (each accepted in its British and its
// American spelling: analyse / analyze, recognize / recognise, and script),
// or `kvr [FILE.kvr]` for the window. `args` starts with the program name.
// An unknown command or a FILE that does not exist is a usage error (status 2,
// one line on `err`).
int RunCommandLine(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);
