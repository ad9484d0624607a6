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
  selected_.assign(items_.size(), false);
  current_ = std::min(current_, static_cast<int>(items_.size()));
  anchor_ = std::min(anchor_, current_);
  updateScrollRange();
  viewport()->update();
}

void TrainPictureView::setSelection(const std::vector<int>& lines, int current) {
  selected_.assign(items_.size(), false);
  for (const int line : lines) {
    if (line >= 0 && line < static_cast<int>(items_.size())) {
      selected_[static_cast<std::size_t>(line)] = true;
    }
  }
  current_ = std::clamp(current, 0, static_cast<int>(items_.size()));
  if (lines.empty() || std::find(lines.begin(), lines.end(), anchor_) == lines.end()) {
    anchor_ = current_;
  }
  viewport()->update();
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
  TrainMarks marks{selected_, stripFirst_, stripLast_};
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
    painter.fillRect(QRect(gapX(current_) - 1, r.picturesTop - 3, 2, r.pictureHeight + 6),
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
  for (std::size_t i = 0; i < selected_.size(); ++i) {
    if (selected_[i]) {
      lines.push_back(static_cast<int>(i));
    }
  }
  return lines;
}

void TrainPictureView::selectOnly(int index) {
  selected_.assign(items_.size(), false);
  if (index >= 0 && index < static_cast<int>(items_.size())) {
    selected_[static_cast<std::size_t>(index)] = true;
  }
}

void TrainPictureView::selectRange(int from, int to) {
  selected_.assign(items_.size(), false);
  const int last = std::min(std::max(from, to), static_cast<int>(items_.size()) - 1);
  for (int i = std::max(0, std::min(from, to)); i <= last; ++i) {
    selected_[static_cast<std::size_t>(i)] = true;
  }
}

void TrainPictureView::report() {
  viewport()->update();
  emit selectionChanged(selectedLines(), current_);
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
      selectOnly(-1);
      current_ = anchor_ = static_cast<int>(items_.size());
      report();
    }
    return;
  }
  const auto at = static_cast<std::size_t>(*index);
  if (keys & Qt::ControlModifier) {
    selected_[at] = !selected_[at];
    current_ = anchor_ = *index;
  } else if (keys & Qt::ShiftModifier) {
    selectRange(anchor_, *index);
    current_ = *index;
  } else if (selected_[at]) {
    // The press may start a drag of the whole selection; released without one, it selects this
    // wagon alone.
    press_->selectOnRelease = true;
    current_ = anchor_ = *index;
  } else {
    selectOnly(*index);
    current_ = anchor_ = *index;
  }
  report();
}

void TrainPictureView::mouseMoveEvent(QMouseEvent* event) {
  if (!press_ || press_->index < 0 || !(event->buttons() & Qt::LeftButton) ||
      !selected_[static_cast<std::size_t>(press_->index)]) {
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
    selectOnly(press.index);
    report();
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
  int current = current_;
  switch (event->key()) {
    case Qt::Key_Left:
      current = std::max(0, current_ - 1);
      break;
    case Qt::Key_Right:
      current = std::min(count, current_ + 1);
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
  current_ = current;
  if (event->modifiers() & Qt::ShiftModifier) {
    selectRange(anchor_, std::min(current_, count - 1));
  } else {
    selectOnly(current_ < count ? current_ : -1);
    anchor_ = current_;
  }
  scrollTo(std::min(current_, count - 1));
  report();
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
