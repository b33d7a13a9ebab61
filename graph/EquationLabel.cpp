// SPDX-License-Identifier: MIT
#include "graph/EquationLabel.h"

#include <algorithm>
#include <vector>

#include "mathex/ExpressionPainter.h"

namespace {
constexpr double kPixelsPerUnit = 40.0;  // at scale 1 and zoom 1
constexpr double kLayoutScale = 0.3;     // layout cells to graph units at scale 1
}  // namespace

LabelSize MeasureEquationLabel(Painter& painter, const MathEx::MathExp& exp, double scale, double xZoom,
                               double yZoom) {
    const MathEx::ExpNode* root = exp.GetRoot();
    if (!root) return {};
    if (painter.typesets()) {
        const PixelSize px = painter.equationImageSize(exp.ToText(MathEx::TEXT_TEXTBOOK));
        return {px.width * scale * xZoom / kPixelsPerUnit, px.height * scale * yZoom / kPixelsPerUnit};
    }
    return {root->box.width() * kLayoutScale * scale * xZoom, root->box.height() * kLayoutScale * scale * yZoom};
}

LabelSize DrawEquationLabel(Painter& painter, const MathEx::MathExp& exp, PointF corner, double scale,
                            double xZoom, double yZoom) {
    const MathEx::ExpNode* root = exp.GetRoot();
    if (!root) return {};
    if (painter.typesets()) {
        const PixelSize px = painter.equationImage(exp.ToText(MathEx::TEXT_TEXTBOOK), corner);
        return {px.width * scale * xZoom / kPixelsPerUnit, px.height * scale * yZoom / kPixelsPerUnit};
    }
    // A page that cannot typeset (PostScript) is given the laid-out tree,
    // whose layout y grows downward from the top: lift it by its height.
    const double sx = kLayoutScale * scale * xZoom, sy = kLayoutScale * scale * yZoom;
    const RectF& box = root->box;
    painter.pushTransform(corner.x - box.left * sx, corner.y + box.bottom * sy, sx, sy);
    MathEx::PaintExpression(*root, painter);
    painter.popTransform();
    return {box.width() * sx, box.height() * sy};
}

namespace {

// On vector output a user label is a row of pieces in layout cells (a
// capital is one cell high): words in the stroke font, maths as laid-out
// trees, all centred on one line as the typesetter centres them on the axis.
struct PiecePlace {
    const MathEx::UserLabel::Piece* piece;
    double left;           // cells from the label's left edge
    double above, below;   // cells above and below the centre line
    double width;
};

constexpr double kGlyphsPerCell = 100.0;   // stroke-font units to a capital's height
constexpr double kRelationSpace = 0.5;     // cells either side of "=", "<", …
constexpr double kTextDescent = 0.35;      // a stroke-font descender, in cells

// A text's characters, each with its UTF-8 continuation bytes.
std::vector<std::string> Glyphs(const std::string& text) {
    std::vector<std::string> glyphs;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) == 0x80 && !glyphs.empty()) glyphs.back() += c;
        else glyphs.emplace_back(1, c);
    }
    return glyphs;
}

struct PieceRow {
    std::vector<PiecePlace> places;
    double width = 0, above = 0, below = 0;
};

PieceRow PlacePieces(const Painter& painter, const MathEx::UserLabel& label) {
    PieceRow row;
    for (const MathEx::UserLabel::Piece& piece : label.pieces()) {
        PiecePlace place{&piece, row.width, 0.5, 0.5, 0};
        const MathEx::ExpNode* root = piece.expression ? piece.expression->GetRoot() : nullptr;
        if (piece.kind == MathEx::UserLabel::Piece::Kind::Maths && root) {
            place.width = root->box.width();
            place.above = root->refPoint.y - root->box.top;
            place.below = root->box.bottom - root->refPoint.y;
        } else {
            const double space = piece.kind == MathEx::UserLabel::Piece::Kind::Relation ? kRelationSpace : 0.0;
            place.left += space;
            for (const std::string& glyph : Glyphs(piece.text)) place.width += painter.strokeTextWidth(glyph);
            place.width = place.width / kGlyphsPerCell + 2 * space;
            place.below += kTextDescent;
        }
        row.width += place.width;
        row.above = std::max(row.above, place.above);
        row.below = std::max(row.below, place.below);
        row.places.push_back(place);
    }
    return row;
}

}  // namespace

LabelSize MeasureUserLabel(Painter& painter, const MathEx::UserLabel& label, double scale, double xZoom,
                           double yZoom) {
    if (painter.typesets()) {
        const PixelSize px = painter.equationImageSize(label.latex());
        return {px.width * scale * xZoom / kPixelsPerUnit, px.height * scale * yZoom / kPixelsPerUnit};
    }
    const PieceRow row = PlacePieces(painter, label);
    const double sx = kLayoutScale * scale * xZoom, sy = kLayoutScale * scale * yZoom;
    return {row.width * sx, (row.above + row.below) * sy};
}

LabelSize DrawUserLabel(Painter& painter, const MathEx::UserLabel& label, PointF corner, double scale,
                        double xZoom, double yZoom) {
    if (painter.typesets()) {
        const PixelSize px = painter.equationImage(label.latex(), corner);
        return {px.width * scale * xZoom / kPixelsPerUnit, px.height * scale * yZoom / kPixelsPerUnit};
    }
    const PieceRow row = PlacePieces(painter, label);
    const double sx = kLayoutScale * scale * xZoom, sy = kLayoutScale * scale * yZoom;
    const double line = corner.y + row.below * sy;  // the centre line, in graph units
    for (const PiecePlace& p : row.places) {
        const double left = corner.x + p.left * sx;
        const MathEx::ExpNode* root = p.piece->expression ? p.piece->expression->GetRoot() : nullptr;
        if (p.piece->kind == MathEx::UserLabel::Piece::Kind::Maths && root) {
            // Layout y grows downward; the painter turns it up about the transform's origin.
            painter.pushTransform(left - root->box.left * sx, line + root->refPoint.y * sy, sx, sy);
            MathEx::PaintExpression(*root, painter);
            painter.popTransform();
        } else {
            // Glyph by glyph at the stroke font's advances, as the laid-out
            // trees are drawn: a page drawing another face keeps the spacing measured here.
            double pen = 0;
            for (const std::string& glyph : Glyphs(p.piece->text)) {
                painter.strokeText(glyph, PointF(float(left + pen * sx), float(line - 0.5 * sy)), sx / kGlyphsPerCell,
                                   sy / kGlyphsPerCell);
                pen += painter.strokeTextWidth(glyph) / kGlyphsPerCell;
            }
        }
    }
    return {row.width * sx, (row.above + row.below) * sy};
}
