#include "app/document/consist_history.h"

#include <QUndoCommand>

#include <utility>

namespace rakewright {

// One change of the consist. It is recorded after the change was made, so its first redo (which
// QUndoStack runs when the step is pushed) does nothing.
class ConsistHistory::Step : public QUndoCommand {
 public:
  Step(const QString& text, const Restore& restore, std::shared_ptr<const State> before,
       std::shared_ptr<const State> after)
      : QUndoCommand(text),
        restore_(restore),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void undo() override { restore_(*before_); }
  void redo() override {
    if (pushed_) {
      restore_(*after_);
    }
    pushed_ = true;
  }

 private:
  const Restore& restore_;
  std::shared_ptr<const State> before_;
  std::shared_ptr<const State> after_;
  bool pushed_ = false;
};

ConsistHistory::ConsistHistory(Restore restore, QObject* parent)
    : QObject(parent), restore_(std::move(restore)) {
  stack_.setUndoLimit(kSteps);
}

void ConsistHistory::record(const QString& text, State before, const State& after) {
  if (before == after) {
    return;
  }
  // The step before usually ended where this one starts: they share that state.
  std::shared_ptr<const State> from = last_ != nullptr && *last_ == before
                                          ? last_
                                          : std::make_shared<const State>(std::move(before));
  last_ = std::make_shared<const State>(after);
  stack_.push(new Step(text, restore_, std::move(from), last_));
}

void ConsistHistory::undo() {
  stack_.undo();
  last_.reset();
}

void ConsistHistory::redo() {
  stack_.redo();
  last_.reset();
}

}  // namespace rakewright
