// CatalogueView, the catalogue side of the main window: the traffic catalogue (ListBox1, filtered
// into ListBox2 by ComboBox1, captioned by Label7) on the left and the folder catalogue (ListBox3,
// filtered into ListBox4 by ComboBox2, captioned by Label10) on the right.
//
// The view owns these controls and both catalogues as Windows-1251 bytes; each list item keeps the
// position of its entry in its catalogue (Qt::UserRole), so a selection or a filter pass reads the
// bytes and never converts a text back. Each side shows exactly one of its two lists.
//
// A selection (ListBox1Click, ListBox3Click) looks the item up in the rolling-stock base, guesses
// the length where the base knows none, and finds its picture; the view reports all of it to the
// window with selected(). A double-click or Enter asks the window to add the selection
// (addRequested). The status notices go out as lengthNotice() and previewNotice(). The view knows
// nothing of the window: the window connects these signals in one place.
//
// Each side has a search (CatalogueSearch, fields TrafficSearch and FolderSearch) that narrows its
// visible list; Enter in a search field adds as Enter in the list does, and a filter pass is
// followed by the search again. An item dragged out of a list carries "traffic:N" or "folder:N"
// (drag_payloads.h), which draggedItem() reads back.
#pragma once

#include <QImage>
#include <QObject>

#include <optional>
#include <string>
#include <string_view>

#include "consist/consist_model.h"
#include "reference/catalogues.h"
#include "reference/offered_figures.h"

class QComboBox;
class QLabel;
class QMimeData;
class QListWidget;
class QWidget;

namespace rakewright {

class CatalogueSearch;
class ListBox;
class RollingStockBase;
class UserMessages;

// What a selection puts on the screen.
struct CatalogueSelection {
  std::string name;    // for NameEdit
  std::string length;  // for LengthEdit: the base's length or the guess
  std::string weight;  // for Edit1
  // The picture that goes with the wagon into the strip when it is added ("" for none).
  std::string wagonPicture;
  FigureSource lengthSource = FigureSource::Base;
  FigureSource weightSource = FigureSource::Base;
  // The picture for PreviewImage; nullopt when none could be loaded (the preview keeps its own).
  std::optional<QImage> preview;

  // The wagon as adding it would take it.
  WagonChoice choice() const {
    return {name, length, weight, wagonPicture, lengthSource, weightSource};
  }
};

class CatalogueView : public QObject {
  Q_OBJECT
 public:
  // Creates the controls on `form` at their places. Lookups go to `base`, pictures are found
  // below `dataRoot` and loaded for a preview of `previewSize`, and a handler's error goes to
  // `messages`.
  CatalogueView(QWidget& form, RollingStockBase& base, std::string dataRoot, UserMessages& messages,
                QSize previewSize);

  // The catalogues built at start-up; the full lists show them.
  void setCatalogues(Catalogue traffic, Catalogue folder);

  // Selection in the traffic lists (ListBox1, ListBox2) and in the folder lists (ListBox3,
  // ListBox4).
  void ListBox1Click();
  void ListBox3Click();
  // Double-click and Enter add the selection.
  void ListBox1DblClick();
  void ListBox1KeyPress(int character);
  void ListBox3DblClick();
  void ListBox3KeyDown(int key);
  void ListBox4KeyPress(int character);
  // A change of either filter box re-applies both, traffic side first.
  void ComboBox1Change();
  void Filter(std::string_view keyword);

  // The catalogue item a drag carries (see drag_payloads.h) with exactly what selecting it would
  // put into the selection fields and remember as its picture, without selecting it; nullopt
  // when the data names no item.
  std::optional<CatalogueSelection> draggedItem(const QMimeData& data) const;

  // The controls that take the focus, in the window's tab order: the traffic filter box comes
  // first in the window, the rest after the selection row.
  QList<QWidget*> trafficFocusChain() const;
  QList<QWidget*> folderFocusChain() const;

  // The list of each side that is visible.
  QListWidget* activeTrafficList() const;
  QListWidget* activeFolderList() const;

 signals:
  void selected(const rakewright::CatalogueSelection& selection);
  void addRequested();
  // The notice of a length missing from the base ("" empties it) and of a missing preview.
  void lengthNotice(const QString& text);
  void previewNotice(const QString& text);

 protected:
  // Enter in a list: the lists see it before Qt's own key handling.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls(QWidget& form);
  // Tool tips, accessible names and the captions' buddies.
  void describeControls();
  void connectSignals();
  // Enter in `list` or in its side's search field: the list's key handlers, as for a key press in
  // the list. False when `list` is none of the four.
  bool enterIn(const QObject* list);
  // The search of the side that `list` belongs to.
  CatalogueSearch* searchOf(const QListWidget* list) const;
  // The catalogue entry of the selected item of a list; nullopt when nothing is selected.
  std::optional<std::string> selectedEntry(const QListWidget* list,
                                           const Catalogue& catalogue) const;
  // What selecting the entry would show: the base's figures with the guess where the base knows
  // no length, and the picture of its chain (the traffic side: preview, no-preview; the folder
  // side: folder wagon bitmap, remembered, then preview, no-preview).
  struct Looked {
    CatalogueSelection selection;
    bool lengthGuessed = false;
    bool previewMissing = false;
  };
  Looked trafficSelection(std::string name) const;
  Looked folderSelection(std::string name) const;
  Looked lookUp(std::string name, CatalogueSide side) const;
  std::optional<QImage> picture(std::string_view path) const;
  // Fills `list` with the entries of `catalogue` at `positions`, or all when none are given.
  static void fill(QListWidget* list, const Catalogue& catalogue,
                   const std::vector<std::size_t>* positions);
  void showFiltered(QListWidget* full, QListWidget* filtered, const Catalogue& catalogue,
                    const std::vector<std::size_t>& positions);
  void showFull(QListWidget* full, QListWidget* filtered);

  RollingStockBase& base_;
  std::string dataRoot_;
  QSize previewSize_;
  UserMessages& messages_;
  Catalogue traffic_;
  Catalogue folder_;

  QWidget* form_ = nullptr;
  QLabel* Label7 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QLabel* Label10 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  ListBox* ListBox1 = nullptr;
  ListBox* ListBox2 = nullptr;
  ListBox* ListBox3 = nullptr;
  ListBox* ListBox4 = nullptr;
  CatalogueSearch* trafficSearch_ = nullptr;
  CatalogueSearch* folderSearch_ = nullptr;
};

}  // namespace rakewright
