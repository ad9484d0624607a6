// CataloguePane, one side of the catalogue: the traffic catalogue on the left of the main window,
// the folder catalogue on the right. A pane owns its caption (Label7, Label10), its filter box
// (ComboBox1, ComboBox2), its full list (ListBox1, ListBox3) and filtered list (ListBox2,
// ListBox4) in the same place, of which exactly one is shown, and its search field
// (TrafficSearch, FolderSearch). The two sides are the same class; what differs, the names,
// places, texts, filter keywords and the side's rules, is the Description it is made with
// (catalogue_sides.h).
//
// The catalogue is held as Windows-1251 bytes; both lists are views over it (CatalogueListModel),
// converted to text only for the rows painted. The filter and the search replace what a list
// shows by vectors of catalogue positions.
//
// A selection in the visible list (by mouse or keyboard, or a click on the selected row) is looked
// up (CatalogueLookup) and reported as selected(), with the side's status notices; a double-click
// or Enter in a list or in the search field asks to add the selection (addRequested). Choosing an
// entry of the filter box is reported as filterChosen(): a change of either side's box re-applies
// both (the main window's wiring), each through applyFilterChoice().
//
// A row dragged out of a list carries its side and catalogue position (drag_payloads.h), which
// draggedItem() turns back into what selecting it would offer.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "app/catalogue/catalogue_lookup.h"
#include "reference/catalogue.h"
#include "reference/catalogue_finder.h"
#include "reference/offered_figures.h"

class QComboBox;
class QLabel;
class QMimeData;

namespace rakewright {

class CatalogueListModel;
class CatalogueSearch;
class ListBox;
class UserMessages;

class CataloguePane : public QWidget {
  Q_OBJECT
 public:
  // Places are in pixels of the main window's client area; the pane takes the rectangle that
  // holds its controls and places them within it.
  struct Description {
    CatalogueSide side = CatalogueSide::Traffic;
    const char* name = "";  // the pane's objectName
    // The caption: its top-left corner (it sizes itself to its text).
    const char* captionName = "";
    QPoint captionAt;
    QString caption;
    // The filter box: entry 0 shows the full list, entry k (from 1) filters by keywords[k - 1].
    const char* filterBoxName = "";
    QRect filterBoxPlace;
    QStringList filterEntries;
    std::vector<std::string_view> keywords;
    QString filterTip;
    QString filterAccessibleName;
    // The two lists and the search field laid over the bottom of the one shown.
    const char* fullListName = "";
    QRect fullListPlace;
    QString fullListAccessibleName;
    const char* filteredListName = "";
    QRect filteredListPlace;
    QString filteredListAccessibleName;
    QString listTip;
    const char* searchName = "";
    QString searchAccessibleName;
    // What a dragged row names as its side (drag_payloads.h).
    const char* dragSide = "";
    // The side's status notices: a length guessed because the base has none ("Не найдена длина
    // вагона в базе"), and pictures of the entry's own that could not be loaded, a notice that
    // every selection change empties first.
    bool noticesGuessedLength = false;
    bool noticesMissingPreview = false;
  };

  // `lookup` and `messages` (for a handler's error) must outlive the pane.
  CataloguePane(Description description, const CatalogueLookup& lookup, UserMessages& messages,
                QWidget* window);
  ~CataloguePane() override;

  // The catalogue built at start-up; the full list shows it.
  void setCatalogue(Catalogue catalogue);
  const Catalogue& catalogue() const { return catalogue_; }

  // Applies the filter box's chosen entry: entry 0 shows the full list, another entry runs
  // filterBy() with its keyword, and a box with no entry chosen (as at start) changes nothing.
  void applyFilterChoice();
  // Fills the filtered list with the entries of the category `keyword` and shows it.
  void filterBy(std::string_view keyword);

  // The catalogue entry a drag of this pane carries (see drag_payloads.h) with exactly what
  // selecting it would offer, without selecting it; nullopt when the data names no entry of it.
  std::optional<CatalogueSelection> draggedItem(const QMimeData& data) const;

  // The list shown: the full list or the filtered one.
  ListBox* activeList() const;
  ListBox* fullList() const { return lists_[0].view; }
  ListBox* filteredList() const { return lists_[1].view; }
  QComboBox* filterBox() const { return filterBox_; }
  // The pane's controls in their tab order: the filter box, then the list shown and, while it is
  // open, the search field (Tab passes over hidden controls). The window puts the block in its
  // place among its other controls.
  QList<QWidget*> focusChain() const;

  // For the search: what a list shows and the finder over the catalogue.
  CatalogueListModel& modelOf(const ListBox* list) const;
  const CatalogueFinder& finder();
  // The catalogue position of the entry selected in `list`, if one is.
  std::optional<std::size_t> selectedEntry(const ListBox* list) const;
  // Shows `shown` of the members of `list` (every member for nullopt). Its selected entry stays
  // selected, without a selection change, while it is shown; one that is not shown comes back
  // the same way when it is shown again. True when the list had a selected entry that is not
  // shown now.
  bool showRows(ListBox* list, std::optional<std::vector<std::size_t>> shown);
  // Selects `row` of `list` as the user does, with what a selection does.
  void selectRow(ListBox* list, int row);

 signals:
  void selected(const rakewright::CatalogueSelection& selection);
  void addRequested();
  // The notice of a length missing from the base ("" empties it), and of a missing preview.
  void lengthNotice(const QString& text);
  void previewNotice(const QString& text);
  void filterChosen();

 protected:
  // Enter in a list: the lists see it before Qt's own key handling.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct List {
    ListBox* view = nullptr;
    CatalogueListModel* model = nullptr;
    // The entry that was selected when the rows last changed and is not shown now.
    std::optional<std::size_t> heldEntry;
  };

  void buildControls();
  void connectSignals();
  List& listOf(const ListBox* view);
  const List& listOf(const ListBox* view) const;
  // A selection change in either list: the selected entry of the visible list looked up and
  // reported.
  void selectionChanged();
  // Shows the full list (false) or the filtered one (true); an open search narrows it again.
  void showList(bool filtered);

  Description description_;
  const CatalogueLookup& lookup_;
  UserMessages& messages_;
  Catalogue catalogue_;
  std::optional<CatalogueFinder> finder_;  // made at the first search

  QLabel* caption_ = nullptr;
  QComboBox* filterBox_ = nullptr;
  std::array<List, 2> lists_;  // the full list, then the filtered one
  CatalogueSearch* search_ = nullptr;
};

}  // namespace rakewright
