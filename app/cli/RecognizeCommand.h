// SPDX-License-Identifier: MIT
#pragma once
#include <string>
#include <iosfwd>

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtCore/QStringList>

// `kvr recognize`: runs the sketch recognition on strokes given as JSON,
// {"strokes": [[[x, y], ...], ...]} in graph units, and prints what the sketch
// would become, one JSON object per gesture.

// The result object for one gesture, without the line break. Keys in this order:
// shapeType, center, start, end, coeffs [4], angle, equation, resampled, fits
// [{kind, score} ×5]. Non-finite numbers are null. On bad input the result is
// empty and `error` holds a one-line message.
QByteArray RecognizeToJson(const QByteArray& gesture, QString& error);

// Runs the subcommand on its arguments (those after "recognize"). One gesture
// from FILE, or from `in` when FILE is "-" or missing; with --batch FILE, one
// gesture per line (JSON Lines) and one result per line, a bad line giving
// {"line", "error"} while the rest go on. Returns 0 when every gesture was read,
// 1 when a batch line was not, 2 on a usage error or unreadable input (one line on `err`).
int RunRecognize(const QStringList& args, std::istream& in, std::ostream& out, std::ostream& err);

// The usage lines of the subcommand, for `kvr --help`.
std::string RecognizeUsage();
