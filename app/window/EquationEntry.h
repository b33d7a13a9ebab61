// SPDX-License-Identifier: MIT
#pragma once
// The entry bar's edit: one equation at a time, with the equations entered
// since start-up a key away. Up and Down walk back and forth through them as
// a shell's history does; Down past the newest brings back what was being
// typed.
#include <QtCore/QStringList>
#include <QtWidgets/QLineEdit>

class EquationEntry : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kHistoryLength = 100;  // equations remembered

    explicit EquationEntry(QWidget* parent = nullptr);

    // An equation was entered: it joins the history and the edit is emptied
    // for the next one.
    void accepted(const QString& equation);
    const QStringList& history() const { return history_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void recall(int index);

    QStringList history_;  // oldest first
    int position_ = 0;     // history_.size() while not walking the history
    QString draft_;        // the text typed before walking began
};
