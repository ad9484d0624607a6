// NameSuggestions offers the names of an editable combo box that fit what the user types, in a list
// just below the box. Unlike a completer's popup the list takes neither the mouse nor the keyboard:
// typing goes on into the field, and a click anywhere else both closes the list and does what it
// always does (so "Load" or "Save" act at the first click). The names are only offered: the field
// holds what was typed until the user picks a name, with a click on it, or with Down/Up and Enter.
// Esc, leaving the field, or a click elsewhere closes the list.
#pragma once

#include <QListWidget>
#include <QObject>
#include <QPointer>

class QComboBox;

namespace rakewright {

class NameSuggestions : public QObject {
  Q_OBJECT
 public:
  // Takes over the completion of `box` (its own completer is removed).
  explicit NameSuggestions(QComboBox* box);
  ~NameSuggestions() override;

  // The list, for tests and for the accessibility tree; hidden while nothing is offered.
  QListWidget* list() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Offers the box's names that start with `typed`, ignoring letter case.
  void offer(const QString& typed);
  void pick(int row);
  void close();
  // Moves the marked row by `step`, without touching the field.
  void mark(int step);

  QComboBox* box_;
  QPointer<QListWidget> list_;
};

}  // namespace rakewright
