// SPDX-License-Identifier: MIT
#pragma once
#include <string>
// `kvr info` and `kvr make`: documents from the command line, without a window.
#include <iosfwd>

#include <QtCore/QByteArray>
#include <QtCore/QStringList>

class GraphManager;
class CFeature;

// `kvr info FILE.kvr`: one JSON object describing the document. Exit 0; 1 when
// the file cannot be opened (the message on `err`); 2 on a usage error.
int RunInfo(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);
// `kvr make OUT.kvr EQUATION...`: a document of those equations with its
// thumbnail rendered headless. Exit 0; 1 when an equation does not parse or the
// file cannot be saved (nothing is written then); 2 on a usage error.
int RunMake(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);

std::string InfoUsage();
std::string MakeUsage();

// The JSON object of `kvr info` for a graph already opened, with what the file
// holds besides the graph: its version, stored signature and thumbnail bytes.
QByteArray DocumentToJson(const GraphManager& graph, double version, const CFeature& feature,
                          const QByteArray& thumbnailPng);
