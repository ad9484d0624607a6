// CatalogueSearch, the search of one catalogue pane: a one-line field laid over the bottom of the
// pane's visible list that narrows that list, at every keystroke, to the entries holding the typed
// text, ignoring letter case, Latin and Cyrillic alike.
//
// The search asks the pane which list is shown and what is selected in it, and has the pane show
// only the matches of that list's members (CatalogueFinder over the catalogue), so what the side's
// filter put into the list stays. The pane calls reapply() after a filter pass has rebuilt the
// visible list or shown the other one.
//
// Keys: Ctrl+F in the pane's lists or filter box opens the field, and a printable character typed
// in a list opens it with that character. In the field, Down moves into the list and selects the
// next row; Up, PageUp and PageDown move into the list and act there; Enter is reported as
// enterPressed(), which the pane answers as it answers Enter in the list; Esc (in the field or the
// list) or emptying the field closes the search: every member is shown again, the entry selected
// when the search opened is selected again when it is still in the list, and the list has the
// focus. When a keystroke leaves the selected entry out, the first match becomes the selection,
// with all that a selection does; with no match at all, the list shows nothing and its selection
// comes back when a later keystroke shows it again.
#pragma once

#include <QObject>
#include <QString>

#include <cstddef>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace rakewright {

class CataloguePane;
class ListBox;

class CatalogueSearch : public QObject {
  Q_OBJECT
 public:
  // The field is 21 pixels high, as the filter boxes are.
  static constexpr int kFieldHeight = 21;

  // Places a hidden field named `name` in `pane`, which owns the search.
  CatalogueSearch(CataloguePane& pane, const char* name);

  QLineEdit* field() const { return field_; }

  // Opens the field with `typed` in it and gives it the focus. When it is open already, `typed`
  // is added to its text, and without one its whole text is selected.
  void open(const QString& typed = QString());
  // Closes the field, shows every member again and restores the selection of the time it opened.
  void close();
  // After a filter pass or a new catalogue: the typed text narrows the visible list again.
  void reapply();

 signals:
  // Enter in the field.
  void enterPressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Lays the field over the bottom of `list`, leaving the rows above it visible.
  void place(ListBox* list);
  // Shows every member of `list` again and frees its bottom.
  void release(ListBox* list);
  void narrow();
  void textChanged(const QString& text);
  bool fieldKey(QKeyEvent* key);
  bool listKey(QKeyEvent* key);
  void downIntoList();

  CataloguePane& pane_;
  QLineEdit* field_;
  bool open_ = false;
  // The list the search narrows at present.
  ListBox* narrowed_ = nullptr;
  // The catalogue entry selected when the search opened.
  std::optional<std::size_t> selectedAtOpen_;
};

}  // namespace rakewright
