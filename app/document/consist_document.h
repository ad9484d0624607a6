// ConsistDocument, the consist being edited as every window of the program sees it: the consist
// (ConsistModel over the rolling-stock base), its undo history (ConsistHistory, on Qt's
// QUndoStack), the name of its consist file (the text of the file box) and what was last loaded or
// saved, and the watch of the consist folder. The windows talk to the document and never to each
// other: they change the consist through it, one step of the history per change, and learn of
// changes from its signals.
//
// changed() follows every change of the consist (an edit, an undo or redo, a load): the totals,
// the strip and the whole-train window show it. paged() follows every paging step that asks for a
// redraw of the strip, also one that leaves the page start where it is ("<-" at the first wagon).
// The operations throw what the consist throws (a figure that is not a number, a file that cannot
// be read): the caller runs them through guarded(). An edit is recorded for undo also when it
// fails after changing the consist.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

#include "consist/consist_file.h"
#include "consist/consist_model.h"
#include "consist/paging.h"
#include "reference/data_paths.h"
#include "reference/rolling_stock_base.h"

class QUndoStack;

namespace rakewright {

class ConsistFolderWatch;
class ConsistHistory;
class UserMessages;

class ConsistDocument : public QObject {
  Q_OBJECT
 public:
  using Outcome = ConsistModel::AddOutcome;
  using Edit = std::function<Outcome(ConsistModel&)>;

  // Paths are resolved against `anchors`; warnings go to `messages`, which must outlive the
  // document.
  ConsistDocument(Anchors anchors, UserMessages& messages, QObject* parent = nullptr);
  ~ConsistDocument() override;

  const Anchors& anchors() const { return anchors_; }
  UserMessages& messages() const { return messages_; }
  RollingStockBase& base() { return base_; }
  const ConsistModel& model() const { return model_; }
  ConsistFolderWatch& folderWatch() { return *folderWatch_; }
  QUndoStack& history() const;

  // The consist file's name as typed or picked: what Load reads and Save writes.
  QString fileName() const { return fileName_; }
  void setFileName(const QString& name);

  // Whether the consist differs from what was last loaded or saved.
  bool hasUnsavedChanges() const;
  // The consist as it stands counts as saved (the empty consist at start-up).
  void markSaved();
  // Before the consist goes with its window: a consist that differs from what was last loaded or
  // saved asks whether to save it. True when it may go: saved, left unsaved on purpose, or
  // unchanged; false when the user went back or the save failed (its error shown).
  bool mayClose();

  // Runs `edit` on the consist as one step of the history named `text`. The 100-wagon refusal
  // shows its warning; a change that was made is announced (edited(), changed()).
  Outcome edit(const QString& text, const Edit& edit);

  // The consist's own operations, each one step of the history.
  Outcome add(const WagonChoice& wagon);
  // "+": adds only when the name and the length are given (EmptyName, nothing done, otherwise).
  Outcome addIfComplete(const WagonChoice& wagon);
  Outcome insert(int index, const WagonChoice& wagon);
  Outcome copy(int from, int to);
  void move(int from, int to);
  // Removes the wagon of line `index`; wagonRemoved() offers it before the change is announced.
  void remove(int index);
  void removeLast();
  void clear();

  // Writes the consist under fileName() by Save's rules; true when the file was written.
  bool save();
  // Replaces the consist by the file named fileName(), as one step of the history.
  void load();

  void undo();
  void redo();

  // Tells the windows that base.ini was written by the program (the base editor), so that what
  // they show from it is looked at anew (baseChanged()).
  void announceBaseChange() { emit baseChanged(); }

  // Paging of the strip.
  void page(PageStep step);
  // Pages so that `position` shows, as little as needed.
  void showPosition(int position);

 signals:
  void changed();
  // A change that the history recorded with a consist that differs from before.
  void edited();
  void paged();
  void fileNameChanged(const QString& name);
  // A removed wagon, offered for adding again.
  void wagonRemoved(const rakewright::WagonChoice& wagon);
  // A save wrote the file `name` (shown as the file box shows it); the list of consist files may
  // have changed.
  void saved(const QString& name);
  // A load ended with `result`, before the change is announced.
  void loaded(const rakewright::LoadResult& result);
  void baseChanged();

 private:
  // Runs `change` on the consist and records it for undo as `text`, also when it throws after
  // changing the consist.
  template <typename Change>
  void recorded(const QString& text, Change&& change);
  void restore(const ConsistModel::State& state);

  Anchors anchors_;
  UserMessages& messages_;
  RollingStockBase base_;
  ConsistModel model_;
  ConsistHistory* history_ = nullptr;
  ConsistFolderWatch* folderWatch_ = nullptr;
  QString fileName_;
  // The consist file's content as last loaded or saved.
  std::string savedText_;
};

}  // namespace rakewright
