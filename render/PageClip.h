// SPDX-License-Identifier: MIT
#pragma once
// The part of the window plane a PostScript page can carry: the viewport
// widened by a margin on every side. Interpreters keep path coordinates in a
// bounded fixed-point range (Ghostscript stops with /limitcheck some millions
// of device pixels out), so nothing may reach the page far outside it. Lines
// and fills are clipped exactly: the cut edges lie in the margin, off the
// visible sheet; dots, circles and texts are kept or left out whole.
#include <optional>
#include <vector>

#include "core/RectClip.h"

class PageClip {
public:
    using Point = ClipPoint;

    // Window rectangle x, y, width, height (pixels), widened by the larger of
    // its sides, so a text or marker that starts beside the page still shows.
    PageClip(double x, double y, double width, double height);

    bool contains(Point p) const;
    // Whether the box centre ± radius meets the rectangle at all.
    bool meets(Point centre, double radius) const;
    // Whether the whole rectangle lies inside the circle.
    bool insideCircle(Point centre, double radius) const;

    // The part of segment a–b inside the rectangle, or nothing.
    std::optional<std::pair<Point, Point>> segment(Point a, Point b) const;
    // The polygon cut to the rectangle (fewer than three points when nothing is left).
    std::vector<Point> polygon(const std::vector<Point>& points) const;
    // A value clamped into the rectangle's x or y range.
    double clampX(double x) const;
    double clampY(double y) const;
    // The rectangle's corners, counter-clockwise from the lower left.
    std::vector<Point> corners() const;

private:
    ClipBounds bounds_;
};
