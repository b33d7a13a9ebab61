// SPDX-License-Identifier: MIT
#pragma once
#include <iosfwd>
#include <string>

#include <QtCore/QByteArray>
#include <QtCore/QStringList>

// `kvr analyse`: parses equations and prints what the expression engine makes of
// each, one JSON object per input line (JSON Lines).

class JsonLine;
namespace MathEx {
class MathExp;
}

// The keys after "ok" of an equation that parsed: form, type, coeffs, conic,
// plain, latex, canonical, rebuilt, extremes (as AnalyseToJson writes them).
void WriteAnalysis(JsonLine& json, const MathEx::MathExp& equation, bool rebuilt);

struct AnalyseOptions {
    bool translate = false;  // move the equation by (dx, dy) and rebuild it before reporting
    double dx = 0.0;
    double dy = 0.0;
};

// The object for one equation, without the line break. Keys in this order:
// input, ok, form, type, coeffs [c0..c4], conic [A..F], plain, latex, canonical,
// rebuilt, extremes [{x, y, min}]; only input, ok, form when the text does not
// parse. Non-finite numbers are null. Text uses the current display precision.
QByteArray AnalyseToJson(const std::string& text, const AnalyseOptions& options);

// Runs the subcommand on its arguments (those after "analyse"). Equations come
// from the arguments, or one per line from `in` when there are none. Returns 0
// when every input parsed, 1 when one did not, 2 on a usage error (one line on `err`).
// --precision sets the process-wide display precision for the run; the previous value is restored after.
int RunAnalyse(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);

// The usage lines of the subcommand, for `kvr --help`.
std::string AnalyseUsage();
