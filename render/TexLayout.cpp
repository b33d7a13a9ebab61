// SPDX-License-Identifier: MIT
#include "render/TexLayout.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

namespace {

// Size of script text relative to the text it is attached to, and the
// smallest size any script gets relative to normal text.
constexpr double kScriptScale[] = {1.0, 0.72, 0.56};
constexpr double kMinimumPixels = 6.0;

bool IsRelation(QChar c) {
    return c == u'=' || c == u'<' || c == u'>' || c == u'\u2264' || c == u'\u2265' || c == u'\u2260' ||
           c == u'\u2248';
}

bool IsPunctuation(QChar c) { return c == u',' || c == u';' || c == u':'; }

// A function word keeps a thin space from a factor beside it, as in print:
// "2 sin x", "sin x cos x". After its parentheses ("sin(x) y") it needs none.
bool ThinSpaceBetween(const TexNode& left, const TexNode& right) {
    const auto ordinary = [](const TexNode& n) {
        return n.kind != TexNode::Kind::Operator && n.kind != TexNode::Kind::Space;
    };
    const bool bareWord = left.application && left.kids.size() > 1 && left.kids[1]->kind == TexNode::Kind::Space;
    return ordinary(left) && ordinary(right) && (right.application || bareWord);
}

QFont MakeFont(double pixels, bool italic) {
    QFont font;
    // A Times-like face reads as a textbook; any serif the system has will do.
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman"), QStringLiteral("TeX Gyre Termes"),
                      QStringLiteral("DejaVu Serif"), QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif, QFont::PreferAntialias);
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setItalic(italic);
    font.setKerning(true);
    return font;
}

}  // namespace

TexLayout::TexLayout(double pixelSize) : pixelSize_(std::max(1.0, pixelSize)) {}

const TexLayout::Face& TexLayout::face(int level, bool italic) const {
    Face& f = faces_[std::clamp(level, 0, 2)][italic ? 1 : 0];
    if (!f.metrics) {
        f.font = MakeFont(em(level), italic);
        f.metrics.emplace(f.font);
    }
    return f;
}

double TexLayout::em(int level) const {
    const double scaled = pixelSize_ * kScriptScale[std::clamp(level, 0, 2)];
    return std::max(scaled, std::min(pixelSize_, kMinimumPixels));
}

double TexLayout::axis(int level) const { return face(level, false).metrics->xHeight() * 0.5; }

double TexLayout::rule(int level) const { return std::max(1.0, em(level) * 0.055); }

void TexLayout::layout(TexNode& n) {
    n.kidX.assign(n.kids.size(), 0.0);
    n.kidY.assign(n.kids.size(), 0.0);
    n.italicCorrection = 0;
    switch (n.kind) {
        case TexNode::Kind::Text:
        case TexNode::Kind::Operator: layoutText(n); break;
        case TexNode::Kind::Space:
            n.width = n.space * em(n.level);
            n.ascent = n.descent = 0;
            break;
        case TexNode::Kind::Row: layoutRow(n); break;
        case TexNode::Kind::Fraction: layoutFraction(n); break;
        case TexNode::Kind::Scripts: layoutScripts(n); break;
        case TexNode::Kind::Root: layoutRoot(n); break;
        case TexNode::Kind::Fence: layoutFence(n); break;
        case TexNode::Kind::Bars: layoutBars(n); break;
    }
}

void TexLayout::layoutText(TexNode& n) const {
    const QFontMetricsF& m = *face(n.level, n.italic).metrics;
    n.width = m.horizontalAdvance(n.text);
    // Ink extent rather than the font's line height, so that fractions and
    // exponents sit as close as in print; never less than an x-height.
    const QRectF ink = m.tightBoundingRect(n.text);
    n.ascent = std::max(-ink.top(), m.xHeight());
    n.descent = std::max(0.0, ink.bottom());
    if (n.italic && !n.text.isEmpty()) n.italicCorrection = std::max(0.0, -m.rightBearing(n.text.back()));
}

void TexLayout::layoutRow(TexNode& n) {
    double x = 0;
    n.ascent = n.descent = 0;
    const double e = em(n.level);
    const double scale = n.level > 0 ? 0.5 : 1.0;  // scripts are set tighter
    for (size_t i = 0; i < n.kids.size(); ++i) {
        TexNode& k = *n.kids[i];
        layout(k);
        double before = 0, after = 0;
        if (k.kind == TexNode::Kind::Operator && !k.text.isEmpty()) {
            const QChar c = k.text[0];
            const bool hasLeft = i > 0 && n.kids[i - 1]->kind != TexNode::Kind::Operator;
            if (IsPunctuation(c)) after = 0.17 * e;
            else if (IsRelation(c)) before = after = 0.28 * e * scale;
            else if (hasLeft) before = after = 0.22 * e * scale;  // binary; a sign at the start is unary
        }
        if (i > 0 && ThinSpaceBetween(*n.kids[i - 1], k)) before += 0.17 * e;
        // An italic letter leans into an upright neighbour; give it its overhang.
        if (i > 0 && n.kids[i - 1]->italicCorrection > 0 && !k.italic) x += n.kids[i - 1]->italicCorrection;
        x += before;
        n.kidX[i] = x;
        x += k.width + after;
        n.ascent = std::max(n.ascent, k.ascent);
        n.descent = std::max(n.descent, k.descent);
    }
    n.width = std::max(0.0, x);
    if (!n.kids.empty()) n.italicCorrection = n.kids.back()->italicCorrection;
}

void TexLayout::layoutFraction(TexNode& n) {
    TexNode& num = *n.kids[0];
    TexNode& den = *n.kids[1];
    layout(num);
    layout(den);
    const int level = num.level;
    const double e = em(level), a = axis(n.level), t = rule(level);
    const double gap = 0.16 * e, pad = 0.12 * e;
    const double inner = std::max(num.width, den.width);
    n.width = inner + 2 * pad;
    n.kidX[0] = pad + (inner - num.width) / 2;
    n.kidX[1] = pad + (inner - den.width) / 2;
    n.kidY[0] = -(a + t / 2 + gap + num.descent);
    n.kidY[1] = -a + t / 2 + gap + den.ascent;
    n.ascent = a + t / 2 + gap + num.descent + num.ascent;
    n.descent = std::max(0.0, n.kidY[1] + den.descent);
}

void TexLayout::layoutScripts(TexNode& n) {
    TexNode& base = *n.kids[0];
    layout(base);
    TexNode* sup = n.kids[1].get();
    TexNode* sub = n.kids[2].get();
    const double e = em(n.level);
    const double x = base.width + 0.04 * e;
    n.width = x;
    n.ascent = base.ascent;
    n.descent = base.descent;
    if (sup) {
        layout(*sup);
        // Raised by at least 0.42 em, and high enough that a tall base (a
        // fraction, a parenthesised sum) keeps its exponent at its shoulder.
        // The exponent's own bottom (a fraction's denominator, say) stays
        // clear of the base's baseline.
        const double up = std::max({0.42 * e, base.ascent - 0.55 * sup->ascent, sup->descent + 0.12 * e});
        n.kidX[1] = x + base.italicCorrection;
        n.kidY[1] = -up;
        n.width = std::max(n.width, n.kidX[1] + sup->width);
        n.ascent = std::max(n.ascent, up + sup->ascent);
        n.descent = std::max(n.descent, sup->descent - up);
    }
    if (sub) {
        layout(*sub);
        double down = std::max(0.22 * e, base.descent + 0.1 * e);
        // With both scripts, the subscript's top stays 0.1 em below the superscript's bottom.
        if (sup) down = std::max(down, sub->ascent - (-n.kidY[1] - sup->descent) + 0.1 * e);
        n.kidX[2] = x;
        n.kidY[2] = down;
        n.width = std::max(n.width, x + sub->width);
        n.ascent = std::max(n.ascent, sub->ascent - down);
        n.descent = std::max(n.descent, down + sub->descent);
    }
    n.width += 0.03 * e;
}

void TexLayout::layoutRoot(TexNode& n) {
    TexNode& r = *n.kids[0];
    layout(r);
    const double e = em(n.level), t = rule(n.level);
    const double ascent = std::max(r.ascent, face(n.level, false).metrics->xHeight());
    const double sign = 0.6 * e;  // width of the radical sign before the radicand
    n.kidX[0] = sign + 0.06 * e;
    n.width = n.kidX[0] + r.width + 0.1 * e;
    n.ascent = ascent + 0.14 * e + t;
    n.descent = std::max(r.descent, 0.05 * e) + t;
}

bool TexLayout::glyphFence(const TexNode& n) const {
    const TexNode& c = *n.kids[0];
    const QRectF paren = face(n.level, false).metrics->tightBoundingRect(QStringLiteral("("));
    // As in print, the font's parenthesis may end a little above a descender
    // ("(y + 2)") and below an exponent ("3(x² + 1)"); a fraction or a
    // subscript reaching further down asks for grown ones.
    const double e = em(n.level);
    return c.ascent <= -paren.top() + std::max(0.5, 0.3 * e) && c.descent <= paren.bottom() + std::max(0.5, 0.1 * e);
}

void TexLayout::layoutFence(TexNode& n) {
    TexNode& c = *n.kids[0];
    layout(c);
    const double e = em(n.level);
    if (glyphFence(n)) {
        const QFontMetricsF& m = *face(n.level, false).metrics;
        const QRectF paren = m.tightBoundingRect(QStringLiteral("("));
        const double open = n.open.isNull() ? 0 : m.horizontalAdvance(n.open);
        const double close = n.close.isNull() ? 0 : m.horizontalAdvance(n.close);
        n.kidX[0] = open;
        n.width = open + c.width + c.italicCorrection * (n.close.isNull() ? 0 : 1) + close;
        n.ascent = std::max(c.ascent, -paren.top());
        n.descent = std::max(c.descent, paren.bottom());
        return;
    }
    // Delimiters grown symmetrically about the axis to cover the content.
    const double a = axis(n.level);
    const double half = std::max(c.ascent - a, c.descent + a) + 0.1 * e;
    const double pw = std::min(0.26 * e + 0.04 * half, 0.6 * e);
    const double open = n.open.isNull() ? 0 : pw;
    const double close = n.close.isNull() ? 0 : pw;
    n.kidX[0] = open;
    n.width = open + c.width + close;
    n.ascent = a + half;
    n.descent = std::max(0.0, half - a);
}

void TexLayout::layoutBars(TexNode& n) {
    TexNode& c = *n.kids[0];
    layout(c);
    const double e = em(n.level);
    n.kidX[0] = 0.3 * e;  // italic letters overhang to the left; keep them off the bar
    n.width = c.width + c.italicCorrection + 0.5 * e;
    n.ascent = std::max(c.ascent, face(n.level, false).metrics->ascent() * 0.8) + 0.08 * e;
    n.descent = std::max(c.descent, 0.2 * e) + 0.04 * e;
}

void TexLayout::paint(const TexNode& n, QPainter& painter, double x, double y) const {
    switch (n.kind) {
        case TexNode::Kind::Text:
        case TexNode::Kind::Operator:
            painter.setFont(face(n.level, n.italic).font);
            painter.drawText(QPointF(x, y), n.text);
            return;
        case TexNode::Kind::Space: return;
        case TexNode::Kind::Fraction: {
            const double t = rule(n.kids[0]->level), a = axis(n.level);
            const double pad = 0.06 * em(n.level);
            painter.fillRect(QRectF(x + pad, y - a - t / 2, n.width - 2 * pad, t), Qt::black);
            break;
        }
        case TexNode::Kind::Root: paintRoot(n, painter, x, y); break;
        case TexNode::Kind::Fence: paintFence(n, painter, x, y); break;
        case TexNode::Kind::Bars: {
            const double t = rule(n.level), e = em(n.level);
            const QRectF bar(0, y - n.ascent, t, n.ascent + n.descent);
            painter.fillRect(bar.translated(x + 0.1 * e, 0), Qt::black);
            painter.fillRect(bar.translated(x + n.width - 0.1 * e - t, 0), Qt::black);
            break;
        }
        case TexNode::Kind::Row:
        case TexNode::Kind::Scripts: break;
    }
    for (size_t i = 0; i < n.kids.size(); ++i)
        if (n.kids[i]) paint(*n.kids[i], painter, x + n.kidX[i], y + n.kidY[i]);
}

void TexLayout::paintRoot(const TexNode& n, QPainter& painter, double x, double y) const {
    const double e = em(n.level), t = rule(n.level);
    const double top = y - n.ascent + t / 2;
    const double bottom = y + n.descent - t;
    const double sign = n.kidX[0] - 0.06 * e;
    const double tickY = bottom - std::min(0.5 * e, 0.45 * (bottom - top));
    QPainterPath thin;
    thin.moveTo(x + 0.02 * e, tickY + 0.06 * e);
    thin.lineTo(x + 0.14 * e, tickY);
    QPainterPath heavy;
    heavy.moveTo(x + 0.14 * e, tickY);
    heavy.lineTo(x + 0.32 * e, bottom);
    QPainterPath rise;
    rise.moveTo(x + 0.32 * e, bottom);
    rise.lineTo(x + sign, top);
    rise.lineTo(x + n.width, top);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, t, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(thin);
    painter.drawPath(rise);
    painter.setPen(QPen(Qt::black, 2.2 * t, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(heavy);
    painter.restore();
}

void TexLayout::paintFence(const TexNode& n, QPainter& painter, double x, double y) const {
    const TexNode& c = *n.kids[0];
    if (glyphFence(n)) {
        painter.setFont(face(n.level, false).font);
        if (!n.open.isNull()) painter.drawText(QPointF(x, y), QString(n.open));
        if (!n.close.isNull())
            painter.drawText(QPointF(x + n.kidX[0] + c.width + c.italicCorrection, y), QString(n.close));
        return;
    }
    if (!n.open.isNull()) paintDelimiter(n.open, n, painter, x, y);
    if (!n.close.isNull()) paintDelimiter(n.close, n, painter, x + n.kidX[0] + c.width, y);
}

// A grown parenthesis as a filled crescent between two curves, thickest at
// its middle, in the box [x, x + width of a grown delimiter].
void TexLayout::paintDelimiter(QChar c, const TexNode& n, QPainter& painter, double x, double y) const {
    const double e = em(n.level);
    const double top = y - n.ascent + 0.02 * e, bottom = y + n.descent - 0.02 * e;
    const double mid = (top + bottom) / 2;
    const double pw = n.open.isNull() ? n.width - n.kidX[0] - n.kids[0]->width : n.kidX[0];
    const double thick = std::max(1.0, 0.055 * e + 0.005 * (bottom - top));
    const bool left = c == u'(';
    // Local x measured from the delimiter's outer side; mirrored for ")".
    auto X = [&](double local) { return left ? x + local : x + pw - local; };
    const double tip = 0.8 * pw, bulge = 0.1 * pw;
    // A quadratic from (tip, top) to (tip, bottom) with its control at cx
    // passes the middle at (tip + cx) / 2: the outer curve at `bulge`, the
    // inner one `thick` further in.
    const double outerControl = 2 * bulge - tip;
    const double innerControl = 2 * (bulge + thick) - tip;
    QPainterPath path;
    path.moveTo(X(tip), top);
    path.quadTo(X(outerControl), mid, X(tip), bottom);
    path.lineTo(X(tip + 0.03 * e), bottom);
    path.quadTo(X(innerControl), mid, X(tip + 0.03 * e), top);
    path.closeSubpath();
    painter.fillPath(path, Qt::black);
}
