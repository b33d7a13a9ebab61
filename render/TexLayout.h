// SPDX-License-Identifier: MIT
#pragma once
// Lays out and paints a tree of typesetting nodes with Qt fonts, in the
// manner of a printed textbook: letters italic, numbers, names and operators
// upright, fractions with a bar, raised smaller exponents, radicals with a bar
// over the radicand, delimiters that grow with what they hold.
// Needs a QGuiApplication (fonts).
#include <array>
#include <optional>

#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>

#include "render/TexParser.h"

class QPainter;

class TexLayout {
public:
    // `pixelSize` is the em of normal-size text in device pixels.
    explicit TexLayout(double pixelSize);

    // Fills the layout fields of the tree (sizes in device pixels).
    void layout(TexNode& node);
    // Paints a laid-out tree with its baseline origin at (x, y), y downward.
    void paint(const TexNode& node, QPainter& painter, double x, double y) const;

private:
    struct Face {
        QFont font;
        std::optional<QFontMetricsF> metrics;
    };

    const Face& face(int level, bool italic) const;
    double em(int level) const;
    // Height of the fraction bar's centre and of the minus sign above the baseline.
    double axis(int level) const;
    double rule(int level) const;

    void layoutText(TexNode& n) const;
    void layoutRow(TexNode& n);
    void layoutFraction(TexNode& n);
    void layoutScripts(TexNode& n);
    void layoutRoot(TexNode& n);
    void layoutFence(TexNode& n);
    void layoutBars(TexNode& n);
    // Whether a fence's content fits the font's own parenthesis.
    bool glyphFence(const TexNode& n) const;

    void paintRoot(const TexNode& n, QPainter& painter, double x, double y) const;
    void paintFence(const TexNode& n, QPainter& painter, double x, double y) const;
    void paintDelimiter(QChar c, const TexNode& n, QPainter& painter, double x, double y) const;

    double pixelSize_;
    // Normal, script and script-script sizes (deeper levels use the last).
    mutable std::array<std::array<Face, 2>, 3> faces_;
};
