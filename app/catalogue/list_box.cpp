#include "app/catalogue/list_box.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>

#include <algorithm>

namespace rakewright {

namespace {

// Every row of a ListBox has the same height, whatever the font asks for.
class FixedRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), ListBox::kRowHeight};
  }
};

}  // namespace

ListBox::ListBox(QWidget* parent) : QListView(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorder);
  setItemDelegate(new FixedRowDelegate(this));
  // Every row is one line of the same font: the list measures one row, not a million.
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

ListBox::~ListBox() = default;

void ListBox::setDragData(DragData data) {
  dragData_ = std::move(data);
}

void ListBox::setDragExec(DragExec exec) {
  dragExec_ = std::move(exec);
}

void ListBox::setBottomReserve(int pixels) {
  setViewportMargins(0, 0, 0, std::max(0, pixels));
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  // A press of another button while the left one holds a row: the held press happened first.
  deliverHeldPress();
  dragging_ = false;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) {
    event->accept();
    return;
  }
  if (!dragData_ || passPresses_ || event->button() != Qt::LeftButton) {
    QListView::mousePressEvent(event);
    return;
  }
  HeldPress press{event->position().toPoint(), QPersistentModelIndex(index), nullptr};
  if (selectionModel()->isSelected(index)) {
    QListView::mousePressEvent(event);
  } else {
    press.deferred.reset(event->clone());
    event->accept();
  }
  held_ = std::move(press);
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
  const bool leftDown = (event->buttons() & Qt::LeftButton) != 0;
  if (!leftDown) {
    // The release never came (the button went up outside the program): no click, no drag.
    held_.reset();
    dragging_ = false;
  }
  if (!dragData_ || !leftDown) {
    QListView::mouseMoveEvent(event);
    return;
  }
  // With the left button down the mouse drags a row, never the selection.
  event->accept();
  if (!held_ || (event->position().toPoint() - held_->position).manhattanLength() <
                    QApplication::startDragDistance()) {
    return;
  }
  const HeldPress press = std::move(*held_);
  held_.reset();
  dragging_ = true;
  startRowDrag(press);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (dragging_) {
      dragging_ = false;
      event->accept();
      return;
    }
    deliverHeldPress();
  }
  QListView::mouseReleaseEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  deliverHeldPress();
  dragging_ = false;
  // Qt answers a double-click on a row that the last press did not hit with a press of its own;
  // that press selects at once, as a press did before.
  passPresses_ = true;
  if (indexAt(event->position().toPoint()).isValid()) {
    QListView::mouseDoubleClickEvent(event);
  } else {
    event->accept();
  }
  passPresses_ = false;
  if (event->button() == Qt::LeftButton) {
    emit listDoubleClicked();
  }
}

void ListBox::deliverHeldPress() {
  if (!held_) {
    return;
  }
  const std::unique_ptr<QMouseEvent> press = std::move(held_->deferred);
  // When the list scrolled or changed under the held button, the press would hit another row.
  const bool rowStillThere =
      held_->index.isValid() && indexAt(held_->position) == QModelIndex(held_->index);
  held_.reset();
  if (press && rowStillThere) {
    QListView::mousePressEvent(press.get());
  }
}

void ListBox::startRowDrag(const HeldPress& press) {
  if (!press.index.isValid()) {
    return;
  }
  const QModelIndex index(press.index);
  std::unique_ptr<QMimeData> data = dragData_(index);
  if (!data) {
    return;
  }
  constexpr Qt::DropActions kActions = Qt::CopyAction;
  auto* drag = new QDrag(this);
  drag->setMimeData(data.release());
  // The row as it looks under the mouse goes with it.
  const QRect row = visualRect(index).intersected(viewport()->rect());
  if (!row.isEmpty()) {
    drag->setPixmap(viewport()->grab(row));
    drag->setHotSpot(press.position - row.topLeft());
  }
  if (dragExec_) {
    dragExec_(*drag, kActions);
    delete drag;
    return;
  }
  // The drag manager may schedule the drag's deletion itself when the drop is over.
  const QPointer<QDrag> running(drag);
  drag->exec(kActions, Qt::CopyAction);
  if (running) {
    running->deleteLater();
  }
}

}  // namespace rakewright
