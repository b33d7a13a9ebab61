// SPDX-License-Identifier: MIT
#pragma once
// Draws the entries of the style lists: a sample of the line or marker the
// entry stands for (StyleSample), on the selection colours when selected.
// An entry's value is its Qt::UserRole data: the stipple pattern, the width in
// pixels, the guide line type or the marker type. Entries with no sample
// ("none") are drawn as their text.
#include <QtWidgets/QStyledItemDelegate>

class SampleDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum Kind {
        CurveStipple,  // value: 16-bit pattern
        CurveWidth,    // value: width in pixels
        GuideStipple,  // value: AttribPoint line type (0 none)
        GuideWidth,    // value: width in pixels
        Marker         // value: AttribPoint point type (0 none)
    };

    explicit SampleDelegate(Kind kind, QObject* parent = nullptr);

    Kind kind() const { return kind_; }
    // Whether an entry of this value is drawn as a sample (not as its text).
    bool hasSample(int value) const;
    // The sample of `value` inside `rect`, lines in `colour`.
    void paintSample(QPainter& painter, const QRectF& rect, int value, const QColor& colour) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    Kind kind_;
};
