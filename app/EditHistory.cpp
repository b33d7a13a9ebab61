#include "app/EditHistory.h"

#include <QtGui/QUndoCommand>
#include <QtGui/QUndoStack>

namespace {

class SnapshotStep : public QUndoCommand {
public:
    SnapshotStep(EditHistory& history, GraphManager& graph, GraphState before, GraphState after, const QString& text,
                 int mergeKey)
        : QUndoCommand(text), history_(history), graph_(graph), before_(std::move(before)), after_(std::move(after)),
          mergeKey_(mergeKey)
    {
    }
    int id() const override { return mergeKey_ > 0 ? mergeKey_ : -1; }
    // The later step's end state becomes this one's; this one's start stays.
    bool mergeWith(const QUndoCommand* other) override
    {
        after_ = static_cast<const SnapshotStep*>(other)->after_;
        return true;
    }
    void undo() override { put(before_); }
    void redo() override
    {
        // Pushing a step calls redo(); the graph is already in that state.
        if (first_) {
            first_ = false;
            return;
        }
        put(after_);
    }

private:
    void put(const GraphState& state)
    {
        graph_.restore(state);
        emit history_.restored();
    }

    EditHistory& history_;
    GraphManager& graph_;
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
        stack_->push(new SnapshotStep(*this, graph_, std::move(*before_), graph_.snapshot(), text, mergeKey));
    before_.reset();
    edited_ = false;
}

void EditHistory::clear()
{
    stack_->clear();
    before_.reset();
    depth_ = 0;
    edited_ = false;
}
