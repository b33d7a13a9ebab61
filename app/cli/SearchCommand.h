// SPDX-License-Identifier: MIT
#pragma once
#include <string>
// `kvr search`: the library documents closest to a graph, ranked as the
// window's Candidates page ranks them.
#include <iosfwd>

#include <QtCore/QStringList>

// Prints the five closest documents as JSON Lines {"rank", "file", "path",
// "score"}, closest first. Exit 0; 1 when the library folder cannot be read;
// 2 on a usage error, an equation that does not parse or a FILE that cannot
// be opened (one line on `err`).
int RunSearch(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);

std::string SearchUsage();
