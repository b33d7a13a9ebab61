#pragma once
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include <QtCore/QString>

// The input a subcommand reads: `in` for "-", otherwise the named file, opened
// into `file`. Null when the file cannot be opened (a folder counts as one that
// cannot: it opens, but reading it fails).
std::istream* OpenCommandInput(const QString& name, std::istream& in, std::unique_ptr<std::ifstream>& file);

// How a subcommand's input is named in messages: "standard input" for "-",
// otherwise the file name in quotes.
std::string InputName(const QString& name);

// Text the user gave (an equation, a file name), in single quotes for a
// one-line message: line breaks, tabs and other control characters are
// written as escapes (\n, \t, \x1b), so that a message stays one line.
std::string Quoted(const std::string& text);
inline std::string Quoted(const QString& text) { return Quoted(text.toStdString()); }

// After a run: flushes `out`, then tells a read error apart from the end of
// the input (a stream from /proc/self/mem or a folder ends in an error, not
// at its end) and notices output that could not be written (a full disk, a
// closed pipe). Returns 2 with one line on `err` ("kvr COMMAND: cannot read
// INPUT" or "kvr COMMAND: cannot write output"), otherwise 0. `in` may be null.
int StreamFailure(const char* command, const std::istream* in, const std::string& inputName, std::ostream& out,
                  std::ostream& err);
