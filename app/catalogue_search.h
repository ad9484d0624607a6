// CatalogueSearch, the search of one side of the catalogue view: a one-line field laid over the
// bottom of the side's visible list that narrows that list, at every keystroke, to the items
// holding the typed text, ignoring letter case, Latin and Cyrillic alike.
//
// The search hides the rows that do not match (QListWidget::setRowHidden) instead of rebuilding
// the list, so what the side's filter put into the list stays. It compares Windows-1251 bytes: the
// catalogue is upper-cased once, at the first search after it was set, and each item leads to its
// entry through the position it keeps in kCatalogueEntryRole. The view calls reapply() after a
// filter pass has rebuilt the visible list or shown the other one.
//
// Keys: Ctrl+F in the side's lists or filter box opens the field, and a printable character typed
// in a list opens it with that character. In the field, Down moves into the list and selects the
// next visible item; Up, PageUp and PageDown move into the list and act there; Enter is reported
// as enterPressed(), which the view answers as it answers Enter in the list; Esc (in the field or
// the list) or emptying the field closes the search: every row is shown again, the item selected
// when the search opened is selected again when it is still in the list, and the list has the
// focus. When a keystroke hides the selected item, the first visible match becomes the selection,
// with all that a selection does.
#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "reference/catalogues.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QWidget;

namespace rakewright {

class ListBox;

// The item data role in which each item of the catalogue lists keeps the position of its entry in
// its catalogue.
inline constexpr int kCatalogueEntryRole = Qt::UserRole;

class CatalogueSearch : public QObject {
  Q_OBJECT
 public:
  // The field is 21 pixels high, as the filter boxes are.
  static constexpr int kFieldHeight = 21;

  // Places a hidden field named `name` on `form`. `full` and `filtered` are the side's two lists
  // (the visible one is searched) showing entries of `catalogue`, which must outlive the search;
  // `filterBox` is the side's filter box.
  CatalogueSearch(QWidget& form, const char* name, const Catalogue& catalogue, ListBox* full,
                  ListBox* filtered, QComboBox* filterBox, QObject* parent);

  QLineEdit* field() const { return field_; }
  bool isOpen() const { return open_; }

  // Opens the field with `typed` in it and gives it the focus. When it is open already, `typed`
  // is added to its text, and without one its whole text is selected.
  void open(const QString& typed = QString());
  // Closes the field, shows every row and restores the selection of the time it opened.
  void close();
  // The catalogue was replaced: its upper-cased copy is made again at the next search.
  void catalogueChanged();
  // After a filter pass: the typed text narrows the visible list again.
  void reapply();

 signals:
  // Enter in the field.
  void enterPressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ListBox* activeList() const;
  // Lays the field over the bottom of `list`, leaving the rows above it visible.
  void place(ListBox* list);
  void narrow();
  void textChanged(const QString& text);
  bool fieldKey(QKeyEvent* key);
  bool listKey(QKeyEvent* key);
  void downIntoList();
  void restoreSelection(QListWidget* list) const;
  static void showAllRows(ListBox* list);
  const std::vector<std::string>& upperCatalogue();

  QWidget& form_;
  const Catalogue& catalogue_;
  ListBox* full_;
  ListBox* filtered_;
  QComboBox* filterBox_;
  QLineEdit* field_;
  bool open_ = false;
  // The list whose rows the search hides at present.
  ListBox* narrowed_ = nullptr;
  // The catalogue entry of the item selected when the search opened.
  std::optional<qulonglong> selectedAtOpen_;
  std::vector<std::string> upper_;
  bool upperReady_ = false;
};

}  // namespace rakewright
