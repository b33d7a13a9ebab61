// SPDX-License-Identifier: MIT
#pragma once
// A paint device that keeps what a QPainter paints on it as filled outlines,
// in device coordinates: a text as the outlines of its glyphs in its font, a
// stroked line as the outline of its stroke, a fill as it is; each under the
// painter's transform and cut to its clip. A page language that cannot use
// our fonts as text (PostScript) can then fill the very shapes the PDF page
// shows as text. Images leave nothing. Needs a QGuiApplication (fonts).
#include <memory>
#include <vector>

#include <QtGui/QPaintDevice>
#include <QtGui/QPainterPath>

class PathCollector : public QPaintDevice {
public:
    PathCollector();
    ~PathCollector() override;
    PathCollector(const PathCollector&) = delete;
    PathCollector& operator=(const PathCollector&) = delete;

    QPaintEngine* paintEngine() const override;
    // What was painted, in painting order; each path is filled by its own
    // fill rule (glyph outlines and strokes wind, nonzero).
    const std::vector<QPainterPath>& paths() const { return paths_; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    std::vector<QPainterPath> paths_;
    std::unique_ptr<Engine> engine_;
};
