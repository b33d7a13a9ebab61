// SPDX-License-Identifier: MIT
#pragma once
// Reads the LaTeX of equation labels into a small tree of typesetting nodes.
// The dialect is what the equation text writer produces (\frac, {}^{}, {}_{},
// \sqrt, \abs, \sin and the other function words, \cdot, parentheses), the
// words of user labels (\text{…}) and a few common words; anything else
// becomes plain text. Never fails.
#include <memory>
#include <string>
#include <vector>

#include <QtCore/QString>

struct TexNode {
    enum class Kind {
        Text,      // a run of characters in one font (number, letter, name, symbol)
        Operator,  // + − = , and friends: spaced by their neighbours
        Row,       // children side by side on one baseline
        Fraction,  // kids[0] over kids[1]
        Scripts,   // kids[0] base, kids[1] superscript, kids[2] subscript (either may be null)
        Root,      // kids[0] under a radical sign
        Fence,     // kids[0] between delimiters that grow with it
        Bars,      // kids[0] between vertical bars (absolute value)
        Space      // an empty box `space` ems wide
    };

    Kind kind = Kind::Row;
    QString text;        // Text and Operator
    bool italic = false;  // Text
    int level = 0;        // script level: 0 normal, 1 script, 2 and more script-script
    double space = 0;     // Space, in ems
    QChar open, close;    // Fence; a null char when the text had none
    bool application = false;  // Row: a function word with its argument ("sin x")
    std::vector<std::unique_ptr<TexNode>> kids;

    // Layout, in device pixels: advance, height above and depth below the
    // baseline, and each child's baseline origin relative to this node's.
    double width = 0, ascent = 0, descent = 0;
    double italicCorrection = 0;
    std::vector<double> kidX, kidY;
};

// Longest text typeset, in bytes; longer texts are cut (a label that long is
// wider than any image anyway, and the cut keeps time and memory bounded).
constexpr size_t kTexMaxInput = 2000;

// Parses `latex` (UTF-8) into a row. Bytes that are not valid UTF-8 and control
// characters are dropped or shown as the replacement character.
std::unique_ptr<TexNode> ParseTex(const std::string& latex);
