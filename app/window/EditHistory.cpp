// SPDX-License-Identifier: MIT
#include "app/window/EditHistory.h"

#include <QtGui/QUndoCommand>
#include <QtGui/QUndoStack>

#include <vector>

namespace {

class SnapshotStep : public QUndoCommand {
public:
    SnapshotStep(EditHistory& history, GraphState before, GraphState after, const QString& text, int mergeKey)
        : QUndoCommand(text), history_(history), before_(std::move(before)), after_(std::move(after)),
          mergeKey_(mergeKey)
    {
    }
    int id() const override { return mergeKey_ > 0 ? mergeKey_ : -1; }
    // The later step's end state becomes this one's; this one's start stays.
    bool mergeWith(const QUndoCommand* other) override
    {
        if (history_.rebuilding()) return false;  // the steps go back in as they were
        after_ = static_cast<const SnapshotStep*>(other)->after_;
        return true;
    }
    void undo() override
    {
        if (!history_.rebuilding()) history_.put(before_);
    }
    void redo() override
    {
        // Pushing a step calls redo(); the graph is already in that state.
        if (first_) {
            first_ = false;
            return;
        }
        if (!history_.rebuilding()) history_.put(after_);
    }

    const GraphState& before() const { return before_; }
    const GraphState& after() const { return after_; }
    int mergeKey() const { return mergeKey_; }

private:
    EditHistory& history_;
    GraphState before_, after_;
    int mergeKey_;
    bool first_ = true;
};

}  // namespace

EditHistory::EditHistory(GraphManager& graph, QObject* parent)
    : QObject(parent), graph_(graph), stack_(new QUndoStack(this))
{
    // Each step holds two whole graphs (sampled curves included, some tens of
    // kilobytes for a lesson); the oldest steps go beyond this many.
    stack_->setUndoLimit(kUndoLimit);
}

void EditHistory::begin()
{
    if (depth_++ > 0) return;
    before_ = graph_.snapshot();
    edited_ = false;
}

void EditHistory::end(const QString& text, int mergeKey)
{
    if (depth_ == 0 || --depth_ > 0) return;
    if (edited_ && before_)
        stack_->push(new SnapshotStep(*this, std::move(*before_), graph_.snapshot(), text, mergeKey));
    before_.reset();
    edited_ = false;
}

void EditHistory::clear()
{
    stack_->clear();
    before_.reset();
    depth_ = 0;
    edited_ = false;
    emit cleared();
}

void EditHistory::put(const GraphState& state)
{
    const Viewport& now = graph_.viewport();
    GraphState kept = state;
    kept.viewport.scale = now.scale;
    kept.viewport.pan = now.pan;
    graph_.restore(kept);
    emit restored();
}

// QUndoStack only grows at the top, so the history is pushed anew with the
// new step first; the steps' own undo and redo stay quiet meanwhile, and the
// saved state keeps its place.
bool EditHistory::undoBeyondStart(const QString& text, const std::function<void()>& undoOne)
{
    if (depth_ > 0 || stack_->index() != 0) return false;
    if (stack_->count() >= kUndoLimit) return false;  // the new step would be the one the limit drops
    struct Step {
        GraphState before, after;
        QString text;
        int mergeKey;
    };
    GraphState now = graph_.snapshot();
    undoOne();
    std::vector<Step> steps;
    steps.push_back({graph_.snapshot(), std::move(now), text, 0});
    for (int i = 0; i < stack_->count(); ++i) {
        const auto* step = static_cast<const SnapshotStep*>(stack_->command(i));
        steps.push_back({step->before(), step->after(), step->text(), step->mergeKey()});
    }
    const int clean = stack_->cleanIndex();

    rebuilding_ = true;
    stack_->clear();
    for (Step& s : steps) stack_->push(new SnapshotStep(*this, std::move(s.before), std::move(s.after), s.text, s.mergeKey));
    if (clean >= 0) {
        stack_->setIndex(clean + 1);
        stack_->setClean();
    } else {
        stack_->resetClean();
    }
    stack_->setIndex(0);
    rebuilding_ = false;
    put(static_cast<const SnapshotStep*>(stack_->command(0))->before());
    return true;
}
