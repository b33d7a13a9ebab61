// SPDX-License-Identifier: MIT
#pragma once
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QtCore/QString>

struct DocumentResult;
class QCommandLineParser;
class QTemporaryDir;

// The input a subcommand reads: `in` for "-", otherwise the named file, opened
// into `file`. Null when the file cannot be opened (a folder counts as one that
// cannot: it opens, but reading it fails).
std::istream* OpenCommandInput(const QString& name, std::istream& in, std::unique_ptr<std::ifstream>& file);

// How a subcommand's input is named in messages: "standard input" for "-",
// otherwise the file name in quotes.
std::string InputName(const QString& name);

// How a subcommand's output file is named in messages: "standard output" for
// "-", otherwise the file name in quotes.
std::string OutputName(const std::string& name);
inline std::string OutputName(const QString& name) { return OutputName(name.toStdString()); }

// Why a document did not open or save, in the user's language: "Failed to open
// document. (lesson.kvr: it is a folder)". `stream` names a document read from or
// written to "-" ("standard input"), for the temporary file's name means nothing
// to the user; empty for a file.
std::string DocumentFailure(const DocumentResult& result, const std::string& stream = {});

// " (see kvr analyse --help)", to end a message about the command's arguments.
std::string SeeHelp(const std::string& command);

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

// Why the options did not parse, in KVR's words ("unknown option '--helpp'",
// "option '--precision' needs a value"), not Qt's.
std::string OptionError(const QCommandLineParser& parser);

// The nearest of `names` to a mistyped `word` (a letter or two off, or its
// start), or "" when none is near enough to suggest.
std::string NearestName(const std::string& word, const std::vector<std::string>& names);

// "-" as a document to read: standard input is read (up to `limit` bytes and
// one more, so that a larger input is seen as such) into a temporary file,
// because the document readers take a path. Otherwise the name itself.
class InputDocument {
public:
    InputDocument();
    ~InputDocument();
    // False with `error` set when standard input cannot be read.
    bool open(const QString& name, std::istream& in, std::string& error, long long limit);
    const std::string& path() const { return path_; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::string path_;
};

// "-" as a file to write: the writer writes a temporary file (whole or not at
// all, as every file is written), which is then copied to standard output.
class OutputTarget {
public:
    // `suffix` names the temporary file (".png"), for writers that go by it.
    OutputTarget(const QString& name, const char* suffix);
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;
    ~OutputTarget();
    const std::string& path() const { return path_; }
    // After the writer succeeded: the bytes to `out`; false when they could not be written.
    bool deliver(std::ostream& out) const;

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::string path_;
};
