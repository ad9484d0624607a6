#include "app/train/train_picture_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace rakewright {

namespace {

constexpr int kMargin = 10;
constexpr double kZoomStep = 1.25;
// Zoomed in no further than a wagon of 14 m across about 560 pixels.
constexpr double kLargestScale = 40;
constexpr int kWheelNotch = 120;
// A drag held this close to either side of the view scrolls it.
constexpr int kScrollMargin = 24;

const QColor kCurrent(0xB0, 0x20, 0x20);
const QColor kDrop(0x1E, 0x64, 0xC8);

}  // namespace

TrainPictureView::TrainPictureView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  setMinimumHeight(150);
}

void TrainPictureView::setItems(std::vector<TrainItem> items) {
  items_ = std::move(items);
  starts_.clear();
  metres_ = 0;
  for (const TrainItem& item : items_) {
    starts_.push_back(metres_);
    metres_ += item.metres;
  }
  anchor_ = std::min(anchor_, static_cast<int>(items_.size()));
  updateScrollRange();
  viewport()->update();
}

void TrainPictureView::setSelectionModel(QItemSelectionModel* selection) {
  selection_ = selection;
  const auto repaint = [this] { viewport()->update(); };
  connect(selection_, &QItemSelectionModel::selectionChanged, this, repaint);
  connect(selection_, &QItemSelectionModel::currentChanged, this, repaint);
}

bool TrainPictureView::isSelected(int index) const {
  return selection_->isRowSelected(index);
}

int TrainPictureView::current() const {
  const QModelIndex index = selection_->currentIndex();
  return index.isValid() ? index.row() : static_cast<int>(items_.size());
}

void TrainPictureView::select(int from, int to, int current, QItemSelectionModel::SelectionFlags how) {
  const QAbstractItemModel* model = selection_->model();
  QItemSelection rows;
  const int last = std::min(std::max(from, to), static_cast<int>(items_.size()) - 1);
  const int first = std::max(0, std::min(from, to));
  if (first <= last) {
    rows.select(model->index(first, 0), model->index(last, model->columnCount() - 1));
  }
  selection_->select(rows, how | QItemSelectionModel::Rows);
  if (current >= 0 && current < static_cast<int>(items_.size())) {
    selection_->setCurrentIndex(model->index(current, 0), QItemSelectionModel::NoUpdate);
  } else {
    selection_->clearCurrentIndex();
  }
}

void TrainPictureView::selectOnly(int index, int current) {
  select(index, index, current, QItemSelectionModel::ClearAndSelect);
}

void TrainPictureView::setStripRange(int first, int last) {
  stripFirst_ = first;
  stripLast_ = last;
  viewport()->update();
}

double TrainPictureView::scale() const {
  const double room = std::max(1, viewport()->width() - 2 * kMargin);
  return metres_ > 0 ? room / metres_ * zoom_ : 1;
}

double TrainPictureView::xOf(double metres) const {
  return kMargin + metres * scale() - horizontalScrollBar()->value();
}

TrainRows TrainPictureView::rows() const {
  // Pictures as high as the view allows, within reason; the row in the middle of the view.
  const TrainRows bare = TrainRows::forPictures(0, fontMetrics());
  const int pictureHeight = std::clamp(viewport()->height() - bare.height - 4, 24, 110);
  TrainRows rows = TrainRows::forPictures(pictureHeight, fontMetrics());
  const int offset = std::max(0, (viewport()->height() - rows.height) / 2);
  for (int* top : {&rows.numbersTop, &rows.picturesTop, &rows.namesTop, &rows.scaleTop}) {
    *top += offset;
  }
  return rows;
}

void TrainPictureView::updateScrollRange() {
  const int content = static_cast<int>(std::ceil(metres_ * scale())) + 2 * kMargin;
  QScrollBar* bar = horizontalScrollBar();
  bar->setRange(0, std::max(0, content - viewport()->width()));
  bar->setPageStep(viewport()->width());
  bar->setSingleStep(std::max(1, viewport()->width() / 20));
}

QRect TrainPictureView::wagonRect(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    return {};
  }
  const TrainRows r = rows();
  const auto i = static_cast<std::size_t>(index);
  const int left = static_cast<int>(std::lround(xOf(starts_[i])));
  const int right = static_cast<int>(std::lround(xOf(starts_[i] + items_[i].metres)));
  return QRect(left, r.picturesTop, std::max(1, right - left), r.pictureHeight);
}

void TrainPictureView::scrollTo(int index) {
  const QRect box = wagonRect(index);
  if (!box.isValid()) {
    return;
  }
  QScrollBar* bar = horizontalScrollBar();
  if (box.left() < 0) {
    bar->setValue(bar->value() + box.left() - kMargin);
  } else if (box.right() > viewport()->width()) {
    bar->setValue(bar->value() + box.right() - viewport()->width() + kMargin);
  }
}

std::optional<int> TrainPictureView::wagonAt(int x) const {
  if (items_.empty()) {
    return std::nullopt;
  }
  const double metres = (x - xOf(0)) / scale();
  if (metres < 0 || metres >= metres_) {
    return std::nullopt;
  }
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), metres);
  return static_cast<int>(after - starts_.begin()) - 1;
}

int TrainPictureView::gapAt(int x) const {
  const double metres = (x - xOf(0)) / scale();
  int gap = 0;
  while (gap < static_cast<int>(items_.size()) &&
         starts_[static_cast<std::size_t>(gap)] + items_[static_cast<std::size_t>(gap)].metres / 2 <
             metres) {
    ++gap;
  }
  return gap;
}

void TrainPictureView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setClipRect(event->rect());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const TrainRows r = rows();
  std::vector<bool> selected(items_.size());
  for (std::size_t i = 0; i < selected.size(); ++i) {
    selected[i] = isSelected(static_cast<int>(i));
  }
  TrainMarks marks{selected, stripFirst_, stripLast_};
  drawTrainRow(painter, items_, 0, items_.size(), xOf(0), scale(), 0, r, &marks);
  if (!items_.empty()) {
    drawScale(painter, 0, metres_, xOf(0), scale(), r.scaleTop);
  }

  // The current position: where a paste goes.
  const auto gapX = [&](int gap) {
    const double metres =
        gap < static_cast<int>(starts_.size()) ? starts_[static_cast<std::size_t>(gap)] : metres_;
    return static_cast<int>(std::lround(xOf(metres)));
  };
  if (hasFocus() || !items_.empty()) {
    painter.fillRect(QRect(gapX(current()) - 1, r.picturesTop - 3, 2, r.pictureHeight + 6),
                     kCurrent);
  }
  if (dragging_ && dropBefore_ >= 0) {
    painter.fillRect(QRect(gapX(dropBefore_) - 2, 0, 4, r.namesTop), kDrop);
  }
}

void TrainPictureView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollRange();
}

std::vector<int> TrainPictureView::selectedLines() const {
  std::vector<int> lines;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    if (isSelected(i)) {
      lines.push_back(i);
    }
  }
  return lines;
}

void TrainPictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const std::optional<int> index = wagonAt(event->position().toPoint().x());
  const Qt::KeyboardModifiers keys = event->modifiers();
  press_ = Press{event->position().toPoint(), index.value_or(-1), false};
  if (!index) {
    // Beside the train: nothing selected, and a paste goes at the end.
    if (!(keys & (Qt::ControlModifier | Qt::ShiftModifier))) {
      anchor_ = static_cast<int>(items_.size());
      selectOnly(-1, anchor_);
    }
    return;
  }
  if (keys & Qt::ControlModifier) {
    select(*index, *index, *index, QItemSelectionModel::Toggle);
    anchor_ = *index;
  } else if (keys & Qt::ShiftModifier) {
    select(anchor_, *index, *index, QItemSelectionModel::ClearAndSelect);
  } else if (isSelected(*index)) {
    // The press may start a drag of the whole selection; released without one, it selects this
    // wagon alone.
    press_->selectOnRelease = true;
    anchor_ = *index;
    select(0, -1, *index, QItemSelectionModel::NoUpdate);
  } else {
    anchor_ = *index;
    selectOnly(*index, *index);
  }
}

void TrainPictureView::mouseMoveEvent(QMouseEvent* event) {
  if (!press_ || press_->index < 0 || !(event->buttons() & Qt::LeftButton) ||
      !isSelected(press_->index)) {
    return;
  }
  const QPoint at = event->position().toPoint();
  if (!dragging_ && (at - press_->at).manhattanLength() < QApplication::startDragDistance()) {
    return;
  }
  dragging_ = true;
  QScrollBar* bar = horizontalScrollBar();
  if (at.x() < kScrollMargin) {
    bar->setValue(bar->value() - bar->singleStep());
  } else if (at.x() > viewport()->width() - kScrollMargin) {
    bar->setValue(bar->value() + bar->singleStep());
  }
  dropBefore_ = gapAt(at.x());
  viewport()->update();
}

void TrainPictureView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !press_) {
    return;
  }
  const Press press = *press_;
  press_.reset();
  if (dragging_) {
    dragging_ = false;
    const int before = dropBefore_;
    dropBefore_ = -1;
    viewport()->update();
    emit moveRequested(selectedLines(), before);
    return;
  }
  if (press.selectOnRelease) {
    selectOnly(press.index, press.index);
  }
}

void TrainPictureView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  if (const std::optional<int> index = wagonAt(event->position().toPoint().x())) {
    emit wagonActivated(*index);
  }
}

void TrainPictureView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const int angle = delta.y() != 0 ? delta.y() : delta.x();
  if (!(event->modifiers() & Qt::ControlModifier)) {
    // Without Ctrl the wheel runs along the train.
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() - angle * bar->singleStep() / kWheelNotch * 3);
    event->accept();
    return;
  }
  wheelAngle_ += angle;
  const int anchor = event->position().toPoint().x();
  while (wheelAngle_ >= kWheelNotch) {
    wheelAngle_ -= kWheelNotch;
    zoomTo(zoom_ * kZoomStep, anchor);
  }
  while (wheelAngle_ <= -kWheelNotch) {
    wheelAngle_ += kWheelNotch;
    zoomTo(zoom_ / kZoomStep, anchor);
  }
  event->accept();
}

void TrainPictureView::keyPressEvent(QKeyEvent* event) {
  const int count = static_cast<int>(items_.size());
  int current = this->current();
  switch (event->key()) {
    case Qt::Key_Left:
      current = std::max(0, current - 1);
      break;
    case Qt::Key_Right:
      current = std::min(count, current + 1);
      break;
    case Qt::Key_Home:
      current = 0;
      break;
    case Qt::Key_End:
      current = count;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  if (event->modifiers() & Qt::ShiftModifier) {
    select(anchor_, std::min(current, count - 1), current, QItemSelectionModel::ClearAndSelect);
  } else {
    selectOnly(current < count ? current : -1, current);
    anchor_ = current;
  }
  scrollTo(std::min(current, count - 1));
}

void TrainPictureView::zoomTo(double zoom, int anchor) {
  const double largest = std::max(1.0, kLargestScale / (scale() / zoom_));
  zoom = std::clamp(zoom, 1.0, largest);
  if (zoom == zoom_) {
    return;
  }
  const double metres = (anchor - xOf(0)) / scale();
  zoom_ = zoom;
  updateScrollRange();
  horizontalScrollBar()->setValue(
      static_cast<int>(std::lround(kMargin + metres * scale() - anchor)));
  viewport()->update();
}

void TrainPictureView::zoomIn() {
  zoomTo(zoom_ * kZoomStep, viewport()->width() / 2);
}

void TrainPictureView::zoomOut() {
  zoomTo(zoom_ / kZoomStep, viewport()->width() / 2);
}

void TrainPictureView::fitWidth() {
  zoomTo(1, 0);
}

}  // namespace rakewright
