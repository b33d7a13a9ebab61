// SPDX-License-Identifier: MIT
#pragma once
// The side bar's "Candidates" page: the library documents closest to the
// graph, each with its picture and "[rank] file [score: s]". Double-clicking
// one asks the window to open it.
#include <vector>

#include <QtWidgets/QWidget>

#include "io/Library.h"

class QListWidget;

class CCandidatesDialog : public QWidget {
    Q_OBJECT
public:
    explicit CCandidatesDialog(QWidget* parent = nullptr);

    // Lists `candidates` in order, replacing what was listed.
    void refresh(const std::vector<Candidate>& candidates);
    QListWidget* list() const { return list_; }

    // The item text: "[%d] %s [score: %f]" with the rank from 1.
    static QString itemText(int index, const Candidate& candidate);
    // The picture as a 200 × 200 icon: scaled to fit, aspect kept, centred.
    static QPixmap iconPicture(const QImage& thumbnail);

    static constexpr int kIconSide = 200;

signals:
    // Candidate `index` (from 0) was double-clicked.
    void candidateActivated(int index);

private:
    QListWidget* list_;
};
