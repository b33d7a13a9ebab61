// SPDX-License-Identifier: MIT
#pragma once
// Multi-level undo and redo of everything the user does to the graph. Each
// step holds the whole graph before and after it (GraphState is a value, and
// a lesson's graph is small), so every kind of edit — typing, deleting,
// dragging, reshaping, labels, dialog changes, painting — undoes the same way
// without a hand-written inverse per command.
//
// An edit is bracketed: begin() before the first change, markEdited() when
// something changed, end() when the gesture or command is over. Brackets
// nest; only the outermost records a step, and only when something changed.
#include <QtCore/QObject>
#include <QtCore/QString>
#include <functional>
#include <optional>

#include "graph/GraphManager.h"

class QUndoStack;

class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kUndoLimit = 500;  // steps kept

    EditHistory(GraphManager& graph, QObject* parent = nullptr);

    QUndoStack* stack() const { return stack_; }

    void begin();
    void markEdited() { edited_ = true; }
    // `mergeKey` > 0: a step right after one with the same key joins it (the
    // many moves of one slider make one step).
    void end(const QString& text, int mergeKey = 0);
    // Runs `edit` as one bracketed step that counts as a change.
    template <typename F>
    void record(const QString& text, F&& edit, int mergeKey = 0)
    {
        begin();
        edit();
        markEdited();
        end(text, mergeKey);
    }
    // Forgets every step (a new or opened document).
    void clear();
    // Whether a bracket is open (a gesture or command under way).
    bool isOpen() const { return depth_ > 0; }

    // Extends the history backwards when nothing is left to undo: `undoOne`
    // takes the graph one step back by its own rules, and that step goes in
    // before the oldest one, as if it had been undone. This is how Undo
    // reaches back past the start of the history (into a document as it was
    // opened) and still walks only back, with Redo bringing every step forth
    // again. Returns whether a step was made.
    bool undoBeyondStart(const QString& text, const std::function<void()>& undoOne);

signals:
    // The graph was put back to an earlier or later state.
    void restored();
    // Every step was forgotten.
    void cleared();

public:
    // Puts the graph in a recorded state. The view stays where the teacher
    // left it (wheel scale and pan are no edits); the zoom, which documents
    // keep, comes back with the state.
    void put(const GraphState& state);
    bool rebuilding() const { return rebuilding_; }

private:
    GraphManager& graph_;
    bool rebuilding_ = false;  // steps are being pushed anew: they leave the graph alone
    QUndoStack* stack_;
    std::optional<GraphState> before_;
    int depth_ = 0;
    bool edited_ = false;
};
