#pragma once
// The thumbnail's text in documents: Base64 (standard alphabet, "=" fill) with
// 19 complete 3-byte groups (76 characters) to a line and CR LF between lines.
// The groups after the last full line form a last line without CR LF, and the
// 4 characters of a final 1- or 2-byte group follow on that line; when the
// number of complete groups is a positive multiple of 19, the last full line
// is also followed by CR LF.
#include <QtCore/QByteArray>

QByteArray EncodeBase64Lines(const QByteArray& bytes);
// Skips every character outside the alphabet (CR, LF, "=", spaces) and stops
// at the end of the text; a trailing lone character carries no whole byte.
QByteArray DecodeBase64Lines(const QByteArray& text);
