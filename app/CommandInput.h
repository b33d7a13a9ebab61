#pragma once
#include <fstream>
#include <istream>
#include <memory>

#include <QtCore/QString>

// The input a subcommand reads: `in` for "-", otherwise the named file, opened
// into `file`. Null when the file cannot be opened (a folder counts as one that
// cannot: it opens, but reading it fails).
std::istream* OpenCommandInput(const QString& name, std::istream& in, std::unique_ptr<std::ifstream>& file);
