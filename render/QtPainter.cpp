// SPDX-License-Identifier: MIT
#include "render/QtPainter.h"

#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>
#include <cmath>
#include <limits>

#include "core/RectClip.h"
#include "render/StrokeFont.h"
#include "render/Typesetter.h"

namespace {

// A capital of the Roman stroke font is 100 glyph units high; a serif
// capital is about 0.66 of its font's pixel size.
constexpr double kCapitalUnits = 100.0, kCapitalPerEm = 0.66;
// Nothing reaches the painter further than this from the view (in view
// pixels): its rasteriser works in fixed point and wraps around beyond about
// ±2^23. Clipping is done here, geometrically, because not every painter
// device clips (the SVG generator ignores clip paths).
constexpr double kFar = 1.0e6;
const QRectF kFarRect(-kFar, -kFar, 2 * kFar, 2 * kFar);

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

ClipBounds bounds(const QRectF& r) { return ClipBounds{r.left(), r.top(), r.right(), r.bottom()}; }

// The part of segment ab inside r; false when none of it is.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r)
{
    ClipPoint from{a.x(), a.y()}, to{b.x(), b.y()};
    if (!ClipSegment(bounds(r), from, to)) return false;
    a = QPointF(from.x, from.y);
    b = QPointF(to.x, to.y);
    return true;
}

QPolygonF clipPolygon(const QPolygonF& polygon, const QRectF& r)
{
    std::vector<ClipPoint> points;
    points.reserve(size_t(polygon.size()));
    for (const QPointF& p : polygon) points.push_back(ClipPoint{p.x(), p.y()});
    QPolygonF out;
    for (const ClipPoint& p : ClipPolygon(bounds(r), points)) out << QPointF(p.x, p.y);
    return out;
}

}  // namespace

QtPainter::QtPainter(QPainter& painter, const Projection& projection, int height)
    : painter_(painter), projection_(projection), height_(height)
{
    painter_.setRenderHint(QPainter::Antialiasing);
    setPen(Pen());
}

QPointF QtPainter::toPainter(double x, double y) const
{
    const Affine& t = transforms_.back();
    double wx = 0, wy = 0;
    if (!projection_.Project(t.dx + t.sx * x, t.dy + t.sy * y, 0, wx, wy))
        return QPointF(std::numeric_limits<double>::quiet_NaN(), 0);
    return QPointF(wx, height_ - wy);
}

// Dashes are given to the painter in units of the pen width, as it wants them.
void QtPainter::setPen(const Pen& p)
{
    const ColorF& c = p.color;
    colour_ = QColor::fromRgbF(std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f),
                               std::clamp(c.b, 0.0f, 1.0f), std::clamp(c.a, 0.0f, 1.0f));
    lineWidth_ = std::isfinite(p.width) && p.width > 0 ? p.width : 1.0f;
    QPen pen(colour_, lineWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (!p.solid()) {
        QList<qreal> dashes;
        for (float d : p.dashes) dashes << qreal(d) / lineWidth_;
        pen.setDashPattern(dashes);
    }
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void QtPainter::project(std::span<const PointF> points)
{
    points_.clear();
    points_.reserve(points.size());
    for (const PointF& p : points) points_.push_back(toPainter(p.x, p.y));
}

void QtPainter::polyline(std::span<const PointF> points, bool closed)
{
    project(points);
    drawOpen(closed);
}

void QtPainter::segments(std::span<const PointF> ends)
{
    project(ends);
    drawSegments(false);
}

void QtPainter::arrows(std::span<const PointF> ends)
{
    project(ends);
    drawSegments(true);
}

void QtPainter::drawSegments(bool withArrows)
{
    for (size_t i = 0; i + 1 < points_.size(); i += 2) {
        QPointF a = points_[i], b = points_[i + 1];
        if (!finite(a) || !finite(b)) continue;
        const QPointF tail = a, tip = b;
        if (!clipSegment(a, b, clip_)) continue;
        painter_.drawLine(a, b);
        if (withArrows && tip == b) drawArrow(tail, tip);
    }
}

void QtPainter::dots(std::span<const PointF> points, float)
{
    project(points);
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(colour_);
    for (const QPointF& p : points_)
        if (finite(p) && clip_.contains(p)) painter_.drawEllipse(p, 1.5, 1.5);
    painter_.restore();
}

void QtPainter::fillPolygon(std::span<const PointF> corners)
{
    project(corners);
    QPolygonF polygon;
    for (const QPointF& p : points_)
        if (finite(p)) polygon << p;
    const QPolygonF clipped = clipPolygon(polygon, clip_);
    if (clipped.size() < 3) return;
    painter_.save();
    painter_.setBrush(colour_);
    painter_.drawPolygon(clipped);
    painter_.restore();
}

// One path of all the rings, winding fill: PDF and SVG viewers then fill it
// in one pass, with no hairline where two rings meet.
void QtPainter::fillRegion(const std::vector<std::vector<PointF>>& rings)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const std::vector<PointF>& ring : rings) {
        project(ring);
        QPolygonF polygon;
        for (const QPointF& p : points_)
            if (finite(p)) polygon << p;
        const QPolygonF clipped = clipPolygon(polygon, clip_);
        if (clipped.size() < 3) continue;
        path.addPolygon(clipped);
        path.closeSubpath();
    }
    if (path.isEmpty()) return;
    painter_.fillPath(path, colour_);
}

void QtPainter::discs(std::span<const PointF> centres, double radius, bool filled)
{
    for (const PointF& c : centres) circle(c, radius, filled);
}

// A polyline breaks where a point is not a number, and each piece is cut to
// the region the painter can hold.
void QtPainter::drawOpen(bool loop)
{
    if (loop && !points_.empty()) points_.push_back(points_.front());
    QPainterPath path;
    bool open = false;
    for (size_t i = 0; i + 1 < points_.size(); ++i) {
        QPointF a = points_[i], b = points_[i + 1];
        if (!finite(a) || !finite(b)) {
            open = false;
            continue;
        }
        const QPointF tip = b;
        if (!clipSegment(a, b, clip_)) {
            open = false;
            continue;
        }
        if (!open || path.currentPosition() != a) path.moveTo(a);
        path.lineTo(b);
        open = b == tip;
    }
    painter_.drawPath(path);
}

// The head of the page's arrow procedure: 6 line widths long, 3 wide.
void QtPainter::drawArrow(QPointF tail, QPointF tip)
{
    const QPointF d = tip - tail;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0) return;
    const QPointF u = d / length, n(-u.y(), u.x());
    const double w = std::max(1.0f, lineWidth_), headLength = 6 * w, halfWidth = 1.5 * w;
    const QPointF base = tip - u * std::min(headLength, length);
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(colour_);
    painter_.drawPolygon(QPolygonF({tip, base + n * halfWidth, base - n * halfWidth}));
    painter_.restore();
}

void QtPainter::setClipRect(const RectF& rect)
{
    const QPointF a = toPainter(rect.left, rect.top), b = toPainter(rect.right, rect.bottom);
    clip_ = finite(a) && finite(b) ? QRectF(a, b).normalized().intersected(viewClip_) : viewClip_;
}

void QtPainter::clearClip()
{
    clip_ = viewClip_;
}

void QtPainter::setViewClip(const QRectF& rect)
{
    viewClip_ = rect.intersected(kFarRect);
    clip_ = viewClip_;
}

void QtPainter::pushTransform(double dx, double dy, double sx, double sy)
{
    const Affine& t = transforms_.back();
    transforms_.push_back(Affine{t.dx + t.sx * dx, t.dy + t.sy * dy, t.sx * sx, t.sy * sy});
}

void QtPainter::popTransform()
{
    if (transforms_.size() > 1) transforms_.pop_back();
}

float QtPainter::text(const std::string& text, PointF origin, double, double sy, TextStyle style)
{
    const float advance = strokeTextWidth(text);
    if (text.empty()) return advance;
    const QPointF base = toPainter(origin.x, origin.y), top = toPainter(origin.x, origin.y + kCapitalUnits * sy);
    if (!finite(base) || !finite(top) || !clip_.contains(base)) return advance;
    const double capital = std::fabs(base.y() - top.y());
    if (capital < 0.01 || capital > kFar) return advance;
    QFont font(QStringLiteral("Times"));
    font.setStyleHint(QFont::Serif);
    font.setItalic(style == TextStyle::Italic);
    font.setPixelSize(std::max(1, int(std::lround(capital / kCapitalPerEm))));
    painter_.save();
    painter_.setFont(font);
    painter_.setPen(colour_);
    painter_.drawText(base, QString::fromStdString(text));
    painter_.restore();
    return advance;
}

float QtPainter::strokeTextWidth(const std::string& text) const
{
    return StrokeFont::Width(text);
}

PixelSize QtPainter::equationImageSize(const std::string& latex)
{
    const std::shared_ptr<const LabelBitmap> bitmap = Typesetter::Typeset(latex);
    return bitmap ? PixelSize{bitmap->width, bitmap->height} : PixelSize{};
}

PixelSize QtPainter::equationImage(const std::string& latex, PointF corner)
{
    const QPointF lowerLeft = toPainter(corner.x, corner.y);
    const PixelSize size = equationImageSize(latex);
    if (!finite(lowerLeft) || size.width <= 0 || !clip_.intersects(QRectF(lowerLeft.x(), lowerLeft.y() - size.height,
                                                                           size.width, size.height)))
        return size;
    Typesetter::PaintLabel(latex, painter_, QPointF(lowerLeft.x(), lowerLeft.y() - size.height));
    return size;
}

void QtPainter::circle(PointF centre, double radius, bool filled)
{
    const QPointF c = toPainter(centre.x, centre.y), edge = toPainter(centre.x + radius, centre.y);
    const double r = std::fabs(edge.x() - c.x());
    if (!finite(c) || !std::isfinite(r) || r > kFar || !clip_.adjusted(-r, -r, r, r).contains(c)) return;
    painter_.save();
    if (filled) painter_.setBrush(colour_);
    painter_.drawEllipse(c, r, r);
    painter_.restore();
}

void QtPainter::arc(PointF centre, double radius, double startDegrees, double endDegrees)
{
    const QPointF c = toPainter(centre.x, centre.y), edge = toPainter(centre.x + radius, centre.y);
    const double r = std::fabs(edge.x() - c.x());
    if (!finite(c) || !std::isfinite(r) || !std::isfinite(startDegrees) || !std::isfinite(endDegrees)) return;
    if (r > kFar || !clip_.adjusted(-r, -r, r, r).contains(c)) return;
    double sweep = endDegrees - startDegrees;
    while (sweep < 0) sweep += 360;
    // Painter angles run counter-clockwise on screen in 1/16 degree, as the page's do.
    painter_.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), int(std::lround(startDegrees * 16)),
                     int(std::lround(sweep * 16)));
}
