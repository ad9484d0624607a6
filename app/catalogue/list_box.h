// ListBox, a list in the geometry of a classic list box: a sunken border of 2 pixels and rows of
// 13 pixels, so row k of a list at Top lies at Top + 2 + 13k. A view over a model (every row one
// line of text, of the same height, so a list of a million rows measures one); it keeps no items
// of its own.
//
// A click below the last row leaves the selection as it is, instead of clearing it, and a
// double-click anywhere in the list is reported, also one below the last row (where it concerns
// the selected row).
//
// Once its owner says what a dragged row carries (setDragData), a row can be dragged out of the
// list: a press of the left button on it and a move past the platform's drag distance start a
// drag that offers a copy. A drag must leave the selection as it was, so a press on a row that is
// not selected is held back and reaches the list only when the button goes up without a drag; the
// click then selects exactly as a click does in a plain list. Moving the mouse with the button
// held never moves the selection. When the rows change under the held button, the release selects
// nothing.
#pragma once

#include <QListView>
#include <QPersistentModelIndex>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class QDrag;
class QMimeData;
class QMouseEvent;

namespace rakewright {

class ListBox : public QListView {
  Q_OBJECT
 public:
  static constexpr int kBorder = 2;
  static constexpr int kRowHeight = 13;

  // What a drag of the row at `index` carries; nullptr starts no drag.
  using DragData = std::function<std::unique_ptr<QMimeData>(const QModelIndex& index)>;
  // Carries out a drag that has begun, offering `actions`. By default QDrag::exec, which runs the
  // platform's drag loop until the drop; a test records the drag here instead of entering that
  // loop. The list deletes the drag afterwards.
  using DragExec = std::function<void(QDrag& drag, Qt::DropActions actions)>;

  explicit ListBox(QWidget* parent = nullptr);
  ~ListBox() override;

  void setDragData(DragData data);
  void setDragExec(DragExec exec);

  // Keeps the lowest `pixels` of the list free of rows, for a control laid over them; the rows
  // above stay where they are and the last row can still be scrolled into view.
  void setBottomReserve(int pixels);

 signals:
  // A double-click of the left button in the list, after a click on a row has selected it.
  void listDoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The left-button press on a row while the button is down: where it was, on which row, and,
  // when the row was not selected, the press itself, not yet delivered to the list.
  struct HeldPress {
    QPoint position;
    QPersistentModelIndex index;
    std::unique_ptr<QMouseEvent> deferred;
  };
  // Delivers the press held back, if any, and forgets the held press.
  void deliverHeldPress();
  void startRowDrag(const HeldPress& press);

  DragData dragData_;
  DragExec dragExec_;
  std::optional<HeldPress> held_;
  // A drag was started by the button still down: its release is no click.
  bool dragging_ = false;
  // A press that Qt's own double-click handling makes goes to the list at once.
  bool passPresses_ = false;
};

}  // namespace rakewright
