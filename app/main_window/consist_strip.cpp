#include "app/main_window/consist_strip.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

#include "app/catalogue/drag_payloads.h"
#include "app/pictures/picture_box.h"
#include "app/common/qt_text.h"
#include "app/pictures/wagon_pictures.h"
#include "app/common/widgets.h"
#include "reference/data_paths.h"
#include "reference/figure_source.h"

namespace rakewright {

namespace {

// The places of the six slots in the panel: picture, name label and number label.
struct SlotPlace {
  const char* picture;
  const char* name;
  const char* number;
  int pictureLeft, nameLeft, numberLeft;
};
constexpr std::array<SlotPlace, kStripSlots> kSlotPlaces = {{
    {"PrvImg1", "WagName1", "WagNum1", 5, 56, 68},
    {"PrvImg2", "WagName2", "WagNum2", 173, 224, 236},
    {"PrvImg3", "WagName3", "WagNum3", 341, 396, 396},
    {"PrvImg4", "WagName4", "WagNum4", 509, 559, 559},
    {"PrvImg5", "WagName5", "WagNum5", 677, 736, 736},
    {"PrvImg6", "WagName6", "WagNum6", 845, 903, 903},
}};
constexpr int kPictureTop = 20;
constexpr int kPictureWidth = 167;
constexpr int kPictureHeight = 60;
constexpr int kNumberTop = 83;

// A drag held this close to either end of the strip pages it, one position per interval.
constexpr int kPagingMargin = 24;
constexpr int kPagingInterval = 400;  // ms
// One notch of a mouse wheel.
constexpr int kWheelNotch = 120;

// What the picture of a wagon tells when the mouse rests on it.
QString wagonTip(const ConsistModel::Wagon& wagon, int position) {
  const auto figure = [](const std::string& text, const char* unit, FigureSource source) {
    return fromCp1251(text) + QString::fromUtf8(unit) + QStringLiteral(" (") +
           fromCp1251(figureSourceName(source)) + QLatin1Char(')');
  };
  return QStringLiteral("%1. %2\nДлина: %3\nВес: %4\nОсей: %5")
      .arg(QString::number(position), displayText(wagon.name),
           figure(wagon.lengthText, " м", wagon.lengthSource),
           figure(wagon.weightText, " т", wagon.weightSource),
           figure(std::to_string(wagon.axles), "", wagon.axlesSource));
}

}  // namespace

ConsistStrip::ConsistStrip(std::string dataRoot, QWidget* parent)
    : QFrame(parent), dataRoot_(std::move(dataRoot)) {
  setObjectName(QStringLiteral("Panel1"));
  setAcceptDrops(true);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  const QFont nameFont = uiFont(11, true);
  for (std::size_t slot = 0; slot < kSlotPlaces.size(); ++slot) {
    const SlotPlace& place = kSlotPlaces[slot];
    auto* picture = placed<PictureBox>(this, place.picture, place.pictureLeft, kPictureTop,
                                       kPictureWidth, kPictureHeight);
    pictures_[slot] = picture;
    // The design-time caption, which the first redraw replaces.
    names_[slot] =
        placedLabel(this, place.name, place.nameLeft, 0, QStringLiteral("Нет вагона!"), &nameFont);
    numbers_[slot] = placedLabel(this, place.number, place.numberLeft, kNumberTop, {});

    picture->setAccessibleName(QStringLiteral("Вагон в ячейке %1").arg(slot + 1));
    picture->setDragEnabled(true);
    connect(picture, &PictureBox::mouseReleased, this, [this, slot](Qt::MouseButton button) {
      pictureReleased(static_cast<int>(slot), button);
    });
    connect(picture, &PictureBox::dragStarted, this,
            [this, slot] { dragWagon(static_cast<int>(slot)); });
  }

  // The frame around the slot where a dragged wagon would land.
  dropMarker_ = new QFrame(this);
  dropMarker_->setObjectName(QStringLiteral("DropMarker"));
  dropMarker_->setFrameStyle(QFrame::Box | QFrame::Plain);
  dropMarker_->setLineWidth(3);
  QPalette marker = dropMarker_->palette();
  marker.setColor(QPalette::WindowText, QColor(0x1E, 0x64, 0xC8));
  dropMarker_->setPalette(marker);
  dropMarker_->setAttribute(Qt::WA_TransparentForMouseEvents);
  dropMarker_->hide();

  // The frame of the current wagon while the keyboard works on the strip. Only Tab brings the
  // focus here, so a click on a picture still only removes its wagon.
  setFocusPolicy(Qt::TabFocus);
  focusMarker_ = new QFrame(this);
  focusMarker_->setObjectName(QStringLiteral("CurrentWagonMarker"));
  focusMarker_->setFrameStyle(QFrame::Box | QFrame::Plain);
  focusMarker_->setLineWidth(2);
  focusMarker_->setPalette(marker);
  focusMarker_->setAttribute(Qt::WA_TransparentForMouseEvents);
  focusMarker_->hide();

  dragPager_.setInterval(kPagingInterval);
  connect(&dragPager_, &QTimer::timeout, this, [this] {
    if (!dragged_) {
      return;
    }
    emit pageRequested(dragged_->at.x() < width() / 2 ? PageStep::Back : PageStep::Forward);
    followDrag(*dragged_);
  });
}

void ConsistStrip::showLabels(const ConsistModel& model) {
  const int pageStart = model.pageStart();
  pageStart_ = pageStart;
  wagonCount_ = model.wagonCount();
  for (int slot = 0; slot < kStripSlots; ++slot) {
    const int position = pageStart + slot;
    pictures_[slot]->clear();
    setCaption(numbers_[slot], QString::number(position));
    setCaption(names_[slot], displayText(model.wagonName(position)));
    pictures_[slot]->setToolTip(
        position <= wagonCount_
            ? wagonTip(model.wagons()[static_cast<std::size_t>(position - 1)], position)
            : QString());
  }
  // The keys act on a wagon the strip shows: when an undo, a removal or paging left the current
  // wagon out of view (or took it away), the nearest wagon in view becomes the current one.
  const int lastShown = std::min(pageStart + kStripSlots - 1, wagonCount_);
  current_ = lastShown >= pageStart ? std::clamp(current_, pageStart, lastShown) : 0;
  showCurrent();
}

void ConsistStrip::showPictures(const ConsistModel& model) {
  // Slot by slot: when a required picture fails, this slot and the ones after it stay empty.
  const int pageStart = model.pageStart();
  // Each picture of one redraw is loaded once, however many slots show it.
  WagonPictures pictures(dataRoot_, pictures_[0]->pixelSize());
  for (int slot = 0; slot < kStripSlots; ++slot) {
    const int position = pageStart + slot;
    if (model.wagonName(position).empty()) {
      pictures_[slot]->setImage(pictures.required(paths::kNoWagonPicture));
    } else if (std::optional<QImage> own = pictures.ownPicture(model, position)) {
      pictures_[slot]->setImage(*own);
    } else {
      pictures_[slot]->setImage(pictures.required(paths::kNoPreviewPicture));
    }
  }
}

// The same for all six pictures: only the left button, only on a slot that shows a wagon.
void ConsistStrip::pictureReleased(int slot, Qt::MouseButton button) {
  const int position = pageStart_ + slot;
  if (button != Qt::LeftButton || position > wagonCount_) {
    return;
  }
  emit removeRequested(position - 1);
}

void ConsistStrip::setCurrent(int position) {
  if (wagonCount_ == 0) {
    return;
  }
  current_ = std::clamp(position, 1, wagonCount_);
  emit showRequested(current_);
  showCurrent();
}

void ConsistStrip::showCurrent() {
  const int slot = current_ - pageStart_;
  if (!hasFocus() || current_ == 0 || slot < 0 || slot >= kStripSlots) {
    focusMarker_->hide();
    return;
  }
  focusMarker_->setGeometry(pictures_[slot]->geometry().adjusted(-2, -2, 2, 2));
  focusMarker_->raise();
  focusMarker_->show();
}

void ConsistStrip::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  // The keyboard starts with the first wagon in view.
  if (current_ < pageStart_ || current_ >= pageStart_ + kStripSlots) {
    current_ = std::min(pageStart_, wagonCount_);
  }
  showCurrent();
}

void ConsistStrip::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  showCurrent();
}

void ConsistStrip::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  const int current = current_;
  switch (event->key()) {
    case Qt::Key_Left:
      if (ctrl && current > 1) {
        emit moveRequested(current - 1, current - 2);
      }
      setCurrent(current - 1);
      break;
    case Qt::Key_Right:
      if (ctrl && current >= 1 && current < wagonCount_) {
        emit moveRequested(current - 1, current);
      }
      setCurrent(current + 1);
      break;
    case Qt::Key_Home:
      setCurrent(1);
      break;
    case Qt::Key_End:
      setCurrent(wagonCount_);
      break;
    case Qt::Key_Delete:
      if (current >= 1) {
        emit removeRequested(current - 1);
        setCurrent(current);
      }
      break;
    case Qt::Key_Insert:
      // Before the current wagon; into an empty consist as its first.
      emit insertRequested(std::max(current, 1) - 1);
      setCurrent(std::max(current, 1));
      break;
    default:
      QFrame::keyPressEvent(event);
      return;
  }
  event->accept();
}

void ConsistStrip::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  wheelAngle_ += delta.y() != 0 ? delta.y() : delta.x();
  // A notch up (or left) goes back one position, a notch down forward, as "<-" and "->" do.
  while (wheelAngle_ >= kWheelNotch) {
    wheelAngle_ -= kWheelNotch;
    emit pageRequested(PageStep::Back);
  }
  while (wheelAngle_ <= -kWheelNotch) {
    wheelAngle_ += kWheelNotch;
    emit pageRequested(PageStep::Forward);
  }
  event->accept();
}

void ConsistStrip::dragWagon(int slot) {
  if (pageStart_ + slot > wagonCount_) {
    return;
  }
  const int index = pageStart_ + slot - 1;
  auto* data = new QMimeData;
  data->setData(QLatin1String(drag::kStripWagon), QByteArray::number(index));
  auto* drag = new QDrag(pictures_[slot]);
  drag->setMimeData(data);
  const QImage& image = pictures_[slot]->image();
  if (!image.isNull()) {
    const QSize size = pictures_[slot]->size() * 2 / 3;
    drag->setPixmap(
        QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    drag->setHotSpot(QPoint(size.width() / 2, size.height() / 2));
  }
  drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

std::optional<int> ConsistStrip::slotAt(const QPoint& point) const {
  for (int slot = 0; slot < kStripSlots; ++slot) {
    const QRect picture = pictures_[slot]->geometry();
    // The whole height of the strip belongs to the slot whose picture spans the point's column.
    if (point.x() >= picture.left() && point.x() <= picture.right()) {
      return slot;
    }
  }
  return std::nullopt;
}

std::optional<ConsistStrip::Dragged> ConsistStrip::draggedBy(const QDropEvent& event) {
  const QMimeData* data = event.mimeData();
  if (data == nullptr) {
    return std::nullopt;
  }
  Dragged dragged;
  dragged.at = event.position().toPoint();
  if (data->hasFormat(QLatin1String(drag::kStripWagon))) {
    dragged.wagon = true;
    dragged.copy = (event.modifiers() & Qt::ControlModifier) != 0;
    return dragged;
  }
  if (data->hasFormat(QLatin1String(drag::kCatalogueItem))) {
    return dragged;
  }
  return std::nullopt;
}

std::optional<int> ConsistStrip::landingSlot(const Dragged& dragged) const {
  const std::optional<int> slot = slotAt(dragged.at);
  if (!slot) {
    return std::nullopt;
  }
  const DropKind kind = dragged.wagon && !dragged.copy ? DropKind::Moved : DropKind::Added;
  const int landing = landingIndex(kind, pageStart_ + *slot, wagonCount_) + 1;
  const int landingSlot = landing - pageStart_;
  if (landingSlot < 0 || landingSlot >= kStripSlots) {
    return std::nullopt;
  }
  return landingSlot;
}

void ConsistStrip::followDrag(const Dragged& dragged) {
  dragged_ = dragged;
  if (const std::optional<int> slot = landingSlot(dragged)) {
    dropMarker_->setGeometry(pictures_[*slot]->geometry().adjusted(-3, -3, 3, 3));
    dropMarker_->raise();
    dropMarker_->show();
  } else {
    dropMarker_->hide();
  }
  const bool nearAnEnd =
      dragged.at.x() < kPagingMargin || dragged.at.x() >= width() - kPagingMargin;
  if (nearAnEnd && !dragPager_.isActive()) {
    dragPager_.start();
  } else if (!nearAnEnd) {
    dragPager_.stop();
  }
}

void ConsistStrip::endDrag() {
  dragged_.reset();
  dragPager_.stop();
  dropMarker_->hide();
}

void ConsistStrip::dragEnterEvent(QDragEnterEvent* event) {
  if (const std::optional<Dragged> dragged = draggedBy(*event)) {
    event->acceptProposedAction();
    followDrag(*dragged);
  }
}

void ConsistStrip::dragMoveEvent(QDragMoveEvent* event) {
  if (const std::optional<Dragged> dragged = draggedBy(*event)) {
    event->acceptProposedAction();
    followDrag(*dragged);
  }
}

void ConsistStrip::dragLeaveEvent(QDragLeaveEvent* /*event*/) {
  endDrag();
}

void ConsistStrip::dropEvent(QDropEvent* event) {
  const std::optional<Dragged> dragged = draggedBy(*event);
  const std::optional<int> slot = slotAt(event->position().toPoint());
  endDrag();
  if (!dragged || !slot) {
    return;
  }
  event->acceptProposedAction();
  const int position = pageStart_ + *slot;
  if (!dragged->wagon) {
    emit catalogueItemDropped(*event->mimeData(), position);
    return;
  }
  bool isNumber = false;
  const int from = event->mimeData()->data(QLatin1String(drag::kStripWagon)).toInt(&isNumber);
  if (isNumber) {
    emit wagonDropped(from, position, dragged->copy);
  }
}

}  // namespace rakewright
