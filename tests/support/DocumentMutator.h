// SPDX-License-Identifier: MIT
#pragma once
// Mutated copies of a document for the fuzz test and the long fuzz run: bytes
// overwritten, hostile tokens inserted, the file cut short, runs removed or
// repeated, and values replaced so that a file that stays well-formed reaches
// the readers with numbers and texts no program wrote.
#include <QtCore/QByteArray>
#include <iterator>
#include <random>

namespace io_test {

// Up to `maxEdits` edits; a repeated run is at most `maxRepeat` bytes.
inline QByteArray MutateDocument(QByteArray bytes, std::mt19937& rng, int maxEdits, int maxRepeat)
{
    static const QByteArray values[] = {"nan", "-inf", "1e308", "-1e-320", "2147483648", "-2147483649", "0x1p3", "",
                                        "  7 ", "y=(", "y=x^", "99999999999999999999", "-0.00", "3abc", "é\xe2\x82"};
    static const QByteArray tokens[] = {"<equation>", "</equation>", "<color>", "<!DOCTYPE x>", "&amp;",
                                        "&bogus;", "nan", "1e308", "-2147483649", "99999999999",
                                        "<attibute_point>", "]]>", "\xff", "<numeqns>"};
    const int edits = 1 + int(rng() % unsigned(maxEdits));
    for (int k = 0; k < edits && !bytes.isEmpty(); ++k) {
        const qsizetype at = qsizetype(rng() % bytes.size());
        switch (rng() % 6) {
            case 0: bytes[at] = char(rng()); break;
            case 1: bytes.insert(at, tokens[rng() % std::size(tokens)]); break;
            case 2: bytes.truncate(at); break;
            case 3: bytes.remove(at, qsizetype(rng() % 64)); break;
            case 5: {
                // A value replaced: the file stays well-formed and reaches the readers.
                const qsizetype open = bytes.indexOf('>', at), close = bytes.indexOf('<', open + 1);
                if (open >= 0 && close > open) bytes.replace(open + 1, close - open - 1, values[rng() % std::size(values)]);
                break;
            }
            default: bytes.insert(at, bytes.mid(at, qsizetype(rng() % unsigned(maxRepeat)))); break;
        }
    }
    return bytes;
}

}  // namespace io_test
