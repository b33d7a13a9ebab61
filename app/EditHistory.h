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

signals:
    // The graph was put back to an earlier or later state.
    void restored();

private:
    GraphManager& graph_;
    QUndoStack* stack_;
    std::optional<GraphState> before_;
    int depth_ = 0;
    bool edited_ = false;
};
