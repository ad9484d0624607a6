// ConsistHistory, the undo and redo of the consist: every change of the consist (an add, an
// insert, a move or copy, a removal, clearing, loading) is recorded as the state before it and
// the state after it, and Ctrl+Z / Ctrl+Y put one back. The states are the model's whole state
// (ConsistModel::State); consecutive steps share the state between them, so a step costs one
// state, not two. The steps sit on a QUndoStack; the history itself never touches the model: it
// hands the state to put back to the function it was made with.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>

#include "consist/consist_model.h"

namespace rakewright {

class ConsistHistory : public QObject {
  Q_OBJECT
 public:
  // How many steps can be undone.
  static constexpr int kSteps = 100;

  using State = ConsistModel::State;
  // Puts a state back into the consist and onto the screen.
  using Restore = std::function<void(const State&)>;

  ConsistHistory(Restore restore, QObject* parent = nullptr);

  // Records a change from `before` to `after` (nothing when they are equal), named `text`.
  void record(const QString& text, State before, const State& after);

  void undo();
  void redo();

  // The stack of steps, whose canUndo() and canRedo() say what undo and redo would do.
  QUndoStack& stack() { return stack_; }

 private:
  class Step;

  Restore restore_;
  QUndoStack stack_;
  std::shared_ptr<const State> last_;  // the state after the last recorded step
};

}  // namespace rakewright
