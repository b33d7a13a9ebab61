// SPDX-License-Identifier: MIT
#pragma once
// Rectangles of a Riemann-style approximation under a curve: [xmin, xmax] cut
// into nRects equal sections standing on the x-axis, labelled x_0 … x_n.
#include <string>
#include <vector>

#include "core/ColorF.h"
#include "core/RectF.h"
#include "core/Painter.h"

class EquationObject;

// The most sections a mensuration may have, wherever the count comes from (a
// typed entry, a document): every section is sampled and drawn at each repaint.
inline constexpr int kMaxRects = 1000;

class Mensuration {
public:
    enum HeightType { HEIGHT_LEFT = 0, HEIGHT_RIGHT = 1, HEIGHT_SHORT = 2 };
    static constexpr int kOmitMiddle = 2;  // tickType: the middle section is left out

    double xmin = 0;
    double xmax = 0;
    int nRects = 10;
    int fillPattern = 1;  // 1: hatched
    ColorF outlineColour{1, 0, 0, 1};
    ColorF fillColour{1, 0, 0, 1};
    ColorF labelColour{0, 0, 0, 1};
    int tickType = kOmitMiddle;
    int startTickNumber = 0;  // kept in documents only
    int heightType = HEIGHT_LEFT;

    // The interval a mensuration switched on without one (xmin = xmax) takes:
    // the middle half of the visible x-range [left, right], its ends rounded to
    // whole units (as a teacher would choose them) where that leaves an
    // interval within the view.
    static void middleHalf(double left, double right, double& xmin, double& xmax);

    // Height of section i (left, right or the shorter end, per heightType).
    double sectionHeight(const EquationObject& owner, int i) const;

    // Draws the sections, hatching and labels of `owner` (hatch spacing d).
    void draw(Painter& painter, const EquationObject& owner, double d) const;

    // A boundary's label as drawn: its text and where it hangs below the axis
    // (or stands on it, where the sections hang below).
    struct Label {
        std::string text;
        double x;  // the boundary
        RectF box;  // graph units
    };
    // The boundary labels drawn at this scale: x_0 and x_n always, and between
    // them every k-th boundary for the smallest k with which no two labels
    // touch (x_0 … x_n all when they fit; counted from n past an omitted middle).
    // Measured by the painter's typesetter at the painter's view.
    std::vector<Label> labels(Painter& painter, const EquationObject& owner) const;
    // Whether the labels stand above the axis: most sections of `owner` hang below it.
    bool labelsAbove(const EquationObject& owner) const;

    // Label text of the boundary at the left of section i: "x_i" before the
    // omitted section, "x_(n - k)" after it, counting back from n.
    static std::string labelText(int i, int nRects, bool pastGap);
    // 45° lines x − y = x0 + k·d, each clipped to the rectangle [xa, xb] × [ya, yb]
    // (corners in any order), drawn as separate segments.
    static void drawHatch(Painter& painter, double x0, double xa, double xb, double ya, double yb, double d);

private:
    double heightOf(double fl, double fr) const;
    void drawGap(Painter& painter, double xl, double w, bool labelsAbove) const;
};
