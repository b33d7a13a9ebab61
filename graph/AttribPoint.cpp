// SPDX-License-Identifier: MIT
#include "graph/AttribPoint.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "graph/EquationLabel.h"
#include "graph/EquationObject.h"
#include "mathex/CurveKind.h"
#include "mathex/Markers.h"
#include "mathex/SmartNumber.h"

using MathEx::MathExp;

namespace {

const ColorF kBlack(0, 0, 0, 1);
const ColorF kWhite(1, 1, 1, 1);
const ColorF kGrey(0.5f, 0.5f, 0.5f, 0.5f);
// Stroke-font glyph units to graph units at scale 1 and zoom 1.
constexpr double kStrokeScale = 0.003 * 0.8;

bool Finite(double v) { return std::isfinite(v); }
// A coordinate that converts to a finite single-precision value.
bool FitsFloat(double v) { return std::fabs(v) <= std::numeric_limits<float>::max(); }

uint16_t PatternOf(int lineType) {
    return lineType == AttribPoint::LINE_DASHED ? AttribPoint::kDashedPattern : AttribPoint::kSolidPattern;
}

// The text of v as a display expression; a value without a text (not a number) leaves it empty.
void SetNumber(MathExp& exp, double v) {
    if (!exp.Parse(MathEx::SmartNumber(v).ToString())) exp = MathExp();
}

const MathExp* LabelOf(int type, const MathExp& value, const MathExp& text) {
    if (type == AttribPoint::LABEL_VALUE) return &value;
    if (type == AttribPoint::LABEL_TEXT) return &text;
    return nullptr;
}

// Stroke-font text, one character after another from `origin`.
void DrawStrokeText(Painter& painter, const std::string& text, PointF origin, double sx, double sy,
                    const ColorF& colour) {
    painter.setPen(Pen(colour));
    double pen = origin.x;
    for (char c : text) pen += painter.strokeText(std::string(1, c), PointF(float(pen), origin.y), sx, sy) * sx;
}

void DrawQuad(Painter& painter, const PointF (&corners)[4], const ColorF& fill, const ColorF* outline) {
    painter.setPen(Pen(fill));
    painter.fillPolygon(corners);
    if (!outline) return;
    painter.setPen(Pen(*outline));
    painter.polyline(corners, true);
}

bool Circumcentre(PointF a, PointF b, PointF c, PointF& centre) {
    const double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const double d = 2 * (bx * cy - by * cx);
    // Nearly collinear points give a centre so far off that single-precision
    // arcs about it would wander; the bracket is straight there anyway.
    if (!(std::fabs(d) > 2e-4 * std::sqrt(b2 * c2))) return false;
    const double ux = (cy * b2 - by * c2) / d, uy = (bx * c2 - cx * b2) / d;
    if (!Finite(ux) || !Finite(uy)) return false;
    centre = PointF(float(a.x + ux), float(a.y + uy));
    return true;
}

// The arc about `centre` from `from` to the ray through `to` that does not pass
// `avoid`. DrawAngleArc always takes the short way, so a longer arc is drawn in
// two halves.
void ArcAvoiding(Painter& painter, PointF centre, PointF from, PointF to, PointF avoid) {
    auto angle = [&](PointF p) { return std::atan2(p.y - centre.y, p.x - centre.x); };
    const double a0 = angle(from);
    const double ccw = MathEx::WrapAngle(angle(to) - a0), t = MathEx::WrapAngle(angle(avoid) - a0);
    const double sweep = (t > 0 && t < ccw) ? ccw - 2 * std::numbers::pi : ccw;
    if (std::fabs(sweep) < std::numbers::pi - 1e-6) {
        MathEx::DrawAngleArc(painter, centre, from, to);
        return;
    }
    const double radius = std::hypot(from.x - centre.x, from.y - centre.y), mid = a0 + sweep / 2;
    const PointF half(float(centre.x + radius * std::cos(mid)), float(centre.y + radius * std::sin(mid)));
    MathEx::DrawAngleArc(painter, centre, from, half);
    MathEx::DrawAngleArc(painter, centre, half, to);
}

bool IsImplicitConic(const MathExp& e) { return e.form == MathEx::FORM_IMPLICIT && e.kind().isConic(); }

// The root in y of A·v² + B·v·y + C·y² + D·v + E·y + F = 0 nearer `near`; not a
// number when the discriminant is not positive. With C = 0 the equation is
// linear in y and its one root is taken (not finite when there is none).
double ConicOrdinate(const double (&k)[6], double v, double near) {
    const double a = k[2], b = k[1] * v + k[4], c = k[0] * v * v + k[3] * v + k[5];
    if (a == 0) return -c / b;
    const double disc = b * b - 4 * a * c;
    if (!(disc > 0)) return NAN;
    const double r1 = (-b + std::sqrt(disc)) / (2 * a), r2 = (-b - std::sqrt(disc)) / (2 * a);
    return std::fabs(r2 - near) < std::fabs(r1 - near) ? r2 : r1;
}

}  // namespace

void AttribPoint::setPosition(float x_, float y_) {
    position.x = x_;
    position.y = y_;
    SetNumber(axis[X].valueExpr, position.x);
    SetNumber(axis[Y].valueExpr, position.y);
}

void AttribPoint::setX(const std::string& text) {
    MathExp typed;
    double v = NAN;
    if (typed.Parse(text) && typed.form == MathEx::FORM_CONSTANT) {
        try {
            v = typed.Evaluate(0);
        } catch (const MathEx::NotSupportedException&) {
        }
    }
    if (!Finite(v)) {
        SetNumber(axis[X].valueExpr, position.x);
        return;
    }
    const MathExp* e = owner ? owner->expression() : nullptr;
    double newY = NAN;
    if (e && IsImplicitConic(*e)) {
        newY = ConicOrdinate(e->conic, v, position.y);
    } else if (e && e->form == MathEx::FORM_EXPLICIT) {
        double y2 = 0;
        owner->ordinates(v, newY, y2);
    } else {
        axis[X].valueExpr = typed;  // nothing to move along
        return;
    }
    // No real ordinate at v (no branch there, or outside the function's domain).
    if (!FitsFloat(v) || !FitsFloat(newY)) {
        SetNumber(axis[X].valueExpr, position.x);
        return;
    }
    setPosition(float(v), float(newY));
}

void AttribPoint::setXValueTypeString(const std::string& text) { axis[X].valueTypeString.Parse(text); }
void AttribPoint::setYValueTypeString(const std::string& text) { axis[Y].valueTypeString.Parse(text); }
void AttribPoint::setXLengthText(const std::string& text) { axis[X].lengthText.Parse(text); }
void AttribPoint::setYLengthText(const std::string& text) { axis[Y].lengthText.Parse(text); }

bool AttribPoint::hit(PointF p, double scale) const {
    return std::fabs(position.x - p.x) < 0.2 * scale && std::fabs(position.y - p.y) < 0.2 * scale;
}

void AttribPoint::draw(Painter& painter) const {
    drawMarker(painter);
    drawValueLabels(painter);
    drawGuideLines(painter);
    drawLengths(painter);
}

void AttribPoint::drawMarker(Painter& painter) const {
    const auto [scale, xZoom, yZoom] = painter.view();
    const auto [x, y] = position;
    if (!Finite(x) || !Finite(y)) return;
    const double sx = scale * xZoom, sy = scale * yZoom;
    const PointF centre = position;
    const float hx = float(0.1 * sx), hy = float(0.1 * sy);
    const PointF square[4] = {{x - hx, y - hy}, {x + hx, y - hy}, {x + hx, y + hy}, {x - hx, y + hy}};
    const float dx = float(0.15 * sx), dy = float(0.15 * sy);
    const PointF diamond[4] = {{x + dx, y}, {x, y + dy}, {x - dx, y}, {x, y - dy}};
    switch (pointType) {
        case 0: MathEx::DrawDiscMarkers(painter, {&centre, 1}, 0.1 * sx, 1, kGrey, kGrey, true); break;
        case 1: MathEx::DrawDiscMarkers(painter, {&centre, 1}, 0.1 * sx, 1, kBlack, kWhite, false); break;
        case 2: MathEx::DrawDiscMarkers(painter, {&centre, 1}, 0.1 * sx, 1, kBlack, kBlack, true); break;
        case 3: DrawQuad(painter, square, kWhite, &kBlack); break;
        case 4: DrawQuad(painter, square, kBlack, nullptr); break;
        case 5: DrawQuad(painter, diamond, kWhite, &kBlack); break;
        case 6: DrawQuad(painter, diamond, kBlack, nullptr); break;
        default: break;
    }
}

// Each label on the far side of its axis from the point, centred on the point's coordinate.
std::vector<AttribPoint::ValueLabel> AttribPoint::valueLabels(Painter& painter) const {
    const auto [x, y] = position;
    std::vector<ValueLabel> labels;
    if (!Finite(x) || !Finite(y)) return labels;
    if (const MathExp* e = LabelOf(axis[X].valueType, axis[X].valueExpr, axis[X].valueTypeString)) {
        const LabelSize size = MeasureEquationLabel(painter, *e);
        const PointF corner(float(x - size.width / 2), float(y >= 0 ? -size.height : 0.0));
        labels.push_back({e, corner, size.width, size.height});
    }
    if (const MathExp* e = LabelOf(axis[Y].valueType, axis[Y].valueExpr, axis[Y].valueTypeString)) {
        const LabelSize size = MeasureEquationLabel(painter, *e);
        const PointF corner(float(x >= 0 ? -size.width : 0.0), float(y - size.height / 2));
        labels.push_back({e, corner, size.width, size.height});
    }
    return labels;
}

void AttribPoint::drawValueLabels(Painter& painter) const {
    painter.setPen(Pen(kBlack));
    for (const ValueLabel& label : valueLabels(painter))
        DrawEquationLabel(painter, *label.exp, label.corner);
}

std::vector<RectF> AttribPoint::valueLabelBoxes(Painter& painter) const {
    std::vector<RectF> boxes;
    for (const ValueLabel& l : valueLabels(painter))
        boxes.emplace_back(float(l.corner.y + l.height), l.corner.y, l.corner.x, float(l.corner.x + l.width));
    return boxes;
}

void AttribPoint::drawGuideLines(Painter& painter) const {
    if (!Finite(position.x) || !Finite(position.y)) return;
    auto guide = [&](int type, int width, const ColorF& colour, PointF foot) {
        if (type == LINE_NONE) return;
        painter.setPen(Pen::Patterned(colour, float(width), PatternOf(type)));
        painter.segment(position, foot);
    };
    guide(axis[X].lineType, axis[X].lineWidth, axis[X].valueColor, PointF(position.x, 0));
    guide(axis[Y].lineType, axis[Y].lineWidth, axis[Y].valueColor, PointF(0, position.y));
}

void AttribPoint::drawLengths(Painter& painter) const {
    if (!Finite(position.x) || !Finite(position.y)) return;
    drawXLength(painter);
    drawYLength(painter);
}

// The length of the vertical guide, beside it at half its height; the bracket
// is drawn only where the guide is longer than the label is far from it.
void AttribPoint::drawXLength(Painter& painter) const {
    const auto [scale, xZoom, yZoom] = painter.view();
    const auto [x, y] = position;
    const double mid = y / 2.0, top = mid + 0.4, bottom = mid - 0.15;
    double left = 0, right = 0;
    if (axis[X].lengthType == LABEL_VALUE) {
        const std::string text = MathEx::SmartNumber(std::fabs(y)).ToString();
        const double n = double(text.size());
        left = x >= 0 ? x + 0.2 : x - 0.2 - 0.2 * n;
        right = left + 0.2 * n;
        DrawStrokeText(painter, text, PointF(float(left), float(mid)), kStrokeScale * scale * xZoom,
                       kStrokeScale * scale * yZoom, axis[X].lengthTextColor);
    } else if (axis[X].lengthType == LABEL_TEXT) {
        const double w = MeasureEquationLabel(painter, axis[X].lengthText).width;
        left = x >= 0 ? x + 0.2 : x - 0.2 - 0.3 * w;
        right = left + 0.3 * w;
        painter.setPen(Pen(kBlack));
        DrawEquationLabel(painter, axis[X].lengthText, PointF(float(left), float(top)));
    } else {
        return;
    }
    const double m = (left + right) / 2;
    if (axis[X].guideType == LINE_NONE || !(std::fabs(y) > std::fabs(m - x))) return;
    painter.setPen(Pen::Patterned(axis[X].lengthColor, float(axis[X].guideWidth), PatternOf(axis[X].guideType)));
    // From the point towards the foot: downwards above the axis, upwards below it.
    const double first = y >= 0 ? top : bottom, second = y >= 0 ? bottom : top;
    drawBracket(painter, PointF(x, y), PointF(float(m), float(first)), PointF(float(m), float(second)),
                PointF(x, 0));
}

// The length of the horizontal guide, above it at its middle.
void AttribPoint::drawYLength(Painter& painter) const {
    const auto [scale, xZoom, yZoom] = painter.view();
    const auto [x, y] = position;
    const double mid = x / 2.0, bottom = y + 0.2;
    double left = 0, right = 0;
    if (axis[Y].lengthType == LABEL_VALUE) {
        const std::string text = MathEx::SmartNumber(std::fabs(x)).ToString();
        const double n = double(text.size());
        left = mid - 0.1 * n;
        right = mid + 0.1 * n;
        DrawStrokeText(painter, text, PointF(float(left), float(bottom)), kStrokeScale * scale * xZoom,
                       kStrokeScale * scale * yZoom, axis[Y].lengthTextColor);
    } else if (axis[Y].lengthType == LABEL_TEXT) {
        const double w = MeasureEquationLabel(painter, axis[Y].lengthText).width;
        left = mid - 0.15 * w;
        right = mid + 0.15 * w;
        painter.setPen(Pen(kBlack));
        DrawEquationLabel(painter, axis[Y].lengthText, PointF(float(left), float(y + 0.6)));
    } else {
        return;
    }
    if (axis[Y].guideType == LINE_NONE || !(right - left + 1 < std::fabs(x))) return;
    painter.setPen(Pen::Patterned(axis[Y].lengthColor, float(axis[Y].guideWidth), PatternOf(axis[Y].guideType)));
    // Through the ends of the box at its middle height, the nearer end first.
    const float level = float(y + 0.4);
    const double nearEnd = x >= 0 ? right : left, farEnd = x >= 0 ? left : right;
    drawBracket(painter, PointF(x, y), PointF(float(nearEnd), level), PointF(float(farEnd), level),
                PointF(0, y));
}

void AttribPoint::drawBracket(Painter& painter, PointF p1, PointF p2, PointF p3, PointF p4) {
    for (const PointF& p : {p1, p2, p3, p4})
        if (!Finite(p.x) || !Finite(p.y)) return;
    PointF centre;
    if (!Circumcentre(p1, p2, p4, centre)) {
        const PointF ends[] = {p1, p2, p3, p4};
        painter.segments(ends);
        return;
    }
    ArcAvoiding(painter, centre, p1, p2, p4);
    ArcAvoiding(painter, centre, p4, p3, p1);
}
