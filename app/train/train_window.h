// TrainWindow, "Весь состав": the whole consist at once, as pictures (TrainPictureView) or as a
// table (TrainTableModel), with block editing. It follows the consist document live (changed(),
// and paged() for the wagons the main window's strip shows) and never holds a consist of its own:
// every change goes through ConsistDocument::edit, so each one is a single step of the undo
// history, the 100-wagon warning is the document's and nothing is done in part
// (consist/consist_blocks).
//
// The selection (consist lines) and the current position (where a paste goes) are held once, in
// the table's selection model, which the picture view shares. The clipboard holds copies of wagons with
// their counted figures and pictures and outlives loading another consist. A double-click pages the
// main window's strip to the wagon, and the picture view can be saved as a PNG file.
#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "app/train/train_drawing.h"
#include "app/pictures/wagon_pictures.h"
#include "consist/consist_blocks.h"

class QLabel;
class QStackedWidget;
class QTableView;
class QAction;

namespace rakewright {

class ConsistDocument;
struct SharedActions;
class TrainPictureView;
class TrainTableModel;

class TrainWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own over `owner`, which owns it; the keys of `actions` work in it.
  TrainWindow(ConsistDocument& document, const SharedActions& actions, QWidget* owner);

  // The selection, one for both views: consist lines from 0, sorted; and the current position
  // (0..number of wagons, the last meaning "after the last wagon"), where a paste goes.
  std::vector<int> selectedLines() const;
  int currentLine() const;
  const WagonBlock& clipboard() const { return clipboard_; }

  // Gives the keyboard to the train: to the view shown and, when `fromStrip`, with the wagon the
  // main window's strip shows first selected and current, so that the keys act on it at once.
  void focusTrain(bool fromStrip);
  // The rolling-stock name of the current wagon ("" after the last).
  std::string wagonInView() const;

  // The block operations on the selection, as the buttons and keys run them.
  void removeSelected();
  void copySelected();
  void cutSelected();
  void paste();
  void reverseSelected();
  void repeatSelected();
  void exportPicture();
  void showTable(bool table);

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildControls();
  void connectSignals();
  // Shows the consist as the document now holds it.
  void refresh();
  // The title names the consist file.
  void showTitle();
  // Marks the wagons the main window's strip shows.
  void showStripRange();
  // Shows the selection in both views.
  // Selects `lines` (those that name a wagon) with `current` as the current position.
  void select(const std::vector<int>& lines, int current);
  // How many wagons are selected and copied.
  void showNotice();
  // Runs a block operation as one step of the undo history; true when it was done.
  bool edit(const QString& text,
            const std::function<ConsistModel::AddOutcome(ConsistModel&)>& operation);
  void moveBlockTo(const std::vector<int>& dragged, int before);
  std::vector<TrainItem> trainItems();

  ConsistDocument& document_;
  WagonPictures pictures_;
  std::vector<ConsistModel::Wagon> shown_;
  WagonBlock clipboard_;
  // A change of the consist that this window makes keeps its selection; any other clears it.
  bool editing_ = false;

  QStackedWidget* views_ = nullptr;
  TrainPictureView* picture_ = nullptr;
  QTableView* table_ = nullptr;
  TrainTableModel* tableModel_ = nullptr;
  QLabel* totals_ = nullptr;
  QLabel* notice_ = nullptr;
  QAction* tableToggle_ = nullptr;
};

}  // namespace rakewright
