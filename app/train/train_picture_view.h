// TrainPictureView, the picture view of the whole-train window: every wagon of the consist in one
// row, as wide as it is long (train_drawing), so that the whole train fits the view's width;
// zoomed in (Ctrl+wheel, or the window's keys) it scrolls sideways.
//
// The selection is the whole-train window's one selection model, which the table shares: the
// selected rows are the selected wagons, and the current row the current position (none: "after
// the last wagon"), which is where a paste goes. A click, a Shift+click (a range from the last
// clicked wagon), a Ctrl+click (one wagon more or less) and the arrow keys change it there;
// dragging a selected wagon shows where the block would land and asks for the move
// (moveRequested); a double-click asks to show the wagon in the main window's strip
// (wagonActivated).
#pragma once

#include <QAbstractScrollArea>
#include <QItemSelectionModel>

#include <optional>
#include <vector>

#include "app/train/train_drawing.h"

namespace rakewright {

class TrainPictureView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TrainPictureView(QWidget* parent = nullptr);

  void setItems(std::vector<TrainItem> items);
  const std::vector<TrainItem>& items() const { return items_; }
  // The selection model of the table over the same wagons; shown and changed by the view.
  void setSelectionModel(QItemSelectionModel* selection);
  // The positions the main window's strip shows, marked under the wagons.
  void setStripRange(int first, int last);

  // 1 shows the whole train in the view's width; more zooms in.
  double zoom() const { return zoom_; }
  void zoomIn();
  void zoomOut();
  void fitWidth();

  // Where wagon `index` stands in the view's viewport (for tests and for scrolling to it).
  QRect wagonRect(int index) const;
  // Makes the wagon at `index` visible, scrolling as little as needed.
  void scrollTo(int index);

 signals:
  // The selected block dropped before the wagon at line `before` (the number of wagons: last).
  void moveRequested(const std::vector<int>& lines, int before);
  void wagonActivated(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Pixels per metre at the current zoom.
  double scale() const;
  // The x of metre `metres` of the train in the viewport.
  double xOf(double metres) const;
  // The wagon under x of the viewport; nullopt beside the train.
  std::optional<int> wagonAt(int x) const;
  // The gap nearest to x of the viewport: the line a dropped block would go before.
  int gapAt(int x) const;
  TrainRows rows() const;
  void updateScrollRange();
  // Zooms to `zoom`, keeping the point of the train under viewport x `anchor` where it is.
  void zoomTo(double zoom, int anchor);
  std::vector<int> selectedLines() const;
  bool isSelected(int index) const;
  // The current position, 0..number of wagons.
  int current() const;
  // Applies `how` to the wagons from..to (either order, cut to the train) and makes `current` the
  // current position.
  void select(int from, int to, int current, QItemSelectionModel::SelectionFlags how);
  // Selects the wagon `index` alone (none for -1).
  void selectOnly(int index, int current);

  std::vector<TrainItem> items_;
  std::vector<double> starts_;  // the metre at which each wagon begins
  double metres_ = 0;           // the whole train
  QItemSelectionModel* selection_ = nullptr;
  int anchor_ = 0;
  int stripFirst_ = 0;
  int stripLast_ = 0;
  double zoom_ = 1;
  int wheelAngle_ = 0;

  // A press of the left button: where, on which wagon, and whether it may start a drag of the
  // selection or select that wagon alone when released.
  struct Press {
    QPoint at;
    int index = -1;
    bool selectOnRelease = false;
  };
  std::optional<Press> press_;
  bool dragging_ = false;
  int dropBefore_ = -1;
};

}  // namespace rakewright
