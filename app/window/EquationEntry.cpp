// SPDX-License-Identifier: MIT
#include "app/window/EquationEntry.h"

#include <QtGui/QKeyEvent>

EquationEntry::EquationEntry(QWidget* parent) : QLineEdit(parent) {}

void EquationEntry::accepted(const QString& equation)
{
    // Entering the same equation twice in a row keeps one entry, as shells do.
    if (history_.isEmpty() || history_.back() != equation) history_.append(equation);
    while (history_.size() > kHistoryLength) history_.removeFirst();
    position_ = int(history_.size());
    draft_.clear();
    clear();
}

void EquationEntry::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Up) {
            if (position_ > 0) recall(position_ - 1);
            return;
        }
        if (event->key() == Qt::Key_Down) {
            if (position_ < int(history_.size())) recall(position_ + 1);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void EquationEntry::recall(int index)
{
    if (position_ == int(history_.size())) draft_ = text();  // leaving the line being typed
    position_ = index;
    setText(index < int(history_.size()) ? history_[index] : draft_);
    end(false);
}
