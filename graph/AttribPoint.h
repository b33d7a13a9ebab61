// SPDX-License-Identifier: MIT
#pragma once
// A point on an equation's curve with its annotations: marker, guide lines to
// the axes, axis labels and length labels with brackets.
#include <array>
#include <string>
#include <vector>

#include "core/ColorF.h"
#include "core/PointF.h"
#include "core/Painter.h"
#include "mathex/MathExp.h"

class EquationObject;

class AttribPoint {
public:
    enum LabelType { LABEL_NONE = 0, LABEL_VALUE = 1, LABEL_TEXT = 2 };
    enum LineType { LINE_NONE = 0, LINE_SOLID = 1, LINE_DASHED = 2 };
    static constexpr uint16_t kSolidPattern = 0xFFFF;
    static constexpr uint16_t kDashedPattern = 0xFF00;

    AttribPoint() = default;
    explicit AttribPoint(EquationObject* owner_) : owner(owner_) {}

    // What the point shows towards one axis: its coordinate as a label, the
    // line to that axis, and the length along the line with its bracket. The
    // x side (axis[X]: about the x-coordinate, the vertical line to the x-axis)
    // and the y side are the same kind of thing, kept twice.
    struct Axis {
        MathEx::MathExp valueExpr;        // the coordinate, as the value label shows it
        int valueType = LABEL_NONE;       // none, the coordinate, or valueTypeString
        MathEx::MathExp valueTypeString;
        int lineType = LINE_NONE;         // the line from the point to the axis
        int lineWidth = 1;
        ColorF valueColor{0, 0, 0, 1};    // of that line
        int lengthType = LABEL_NONE;      // none, the line's length, or lengthText
        MathEx::MathExp lengthText;
        int guideType = LINE_NONE;        // the bracket beside the length
        int guideWidth = 1;
        ColorF lengthColor{0, 0, 0, 1};   // of the bracket
        ColorF lengthTextColor{0, 0, 0, 1};
    };
    enum AxisIndex { X = 0, Y = 1 };

    EquationObject* owner = nullptr;  // not owned
    PointF position;                  // on the owner's curve, in graph units
    ColorF color{0, 0, 0, 1};
    int pointType = 0;
    std::array<Axis, 2> axis;

    // Moves the point and rebuilds xValueExpr and yValueExpr from the coordinates.
    void setPosition(float x_, float y_);
    // The typed x: moves the point along its owner's curve when the text is a constant.
    void setX(const std::string& text);
    void setXValueTypeString(const std::string& text);
    void setYValueTypeString(const std::string& text);
    void setXLengthText(const std::string& text);
    void setYLengthText(const std::string& text);

    bool hit(PointF p, double scale) const;

    // Marker, axis labels, guide lines and lengths, in this order.
    void draw(Painter& painter) const;
    void drawMarker(Painter& painter) const;
    void drawValueLabels(Painter& painter) const;
    // The boxes (graph units) the axis labels take as drawValueLabels draws
    // them on this painter: none, one or two.
    std::vector<RectF> valueLabelBoxes(Painter& painter) const;
    void drawGuideLines(Painter& painter) const;
    void drawLengths(Painter& painter) const;

    // A bracket from p1 to p4 that leaves the gap between p2 and p3 open: arcs
    // p1 → p2 and p4 → p3 about the centre of the circle through p1, p2 and p4,
    // bowing away from the chord p1 p4; straight segments when there is no circle.
    static void drawBracket(Painter& painter, PointF p1, PointF p2, PointF p3, PointF p4);

private:
    // The axis labels that are on, with their lower-left corners and sizes.
    struct ValueLabel {
        const MathEx::MathExp* exp;
        PointF corner;
        double width, height;
    };
    std::vector<ValueLabel> valueLabels(Painter& painter) const;
    void drawXLength(Painter& painter) const;
    void drawYLength(Painter& painter) const;
};
