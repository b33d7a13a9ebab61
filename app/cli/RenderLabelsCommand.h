// SPDX-License-Identifier: MIT
#pragma once
#include <string>
#include <iosfwd>

#include <QtCore/QStringList>

// `kvr render-labels`: typesets equation labels, one under another, into one
// PNG, exactly as the graph shows them (equation text goes through the
// engine's LaTeX writer first). Needs no display.

// Runs the subcommand on its arguments (those after "render-labels").
// 0 when the PNG was written; 1 when an equation does not parse or the file
// cannot be written; 2 on a usage error. One line on `err` says which.
int RunRenderLabels(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);

std::string RenderLabelsUsage();
