#include "app/consist_strip.h"

#include <QLabel>

#include <optional>

#include "app/picture_loader.h"
#include "app/qt_text.h"
#include "app/widgets.h"
#include "reference/data_paths.h"

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

// A picture of a chain that may fail, giving way to the next one.
std::optional<QImage> tryPicture(const std::string& dataRoot, std::string_view path) {
  if (path.empty()) {
    return std::nullopt;
  }
  try {
    return loadPicture(dataRoot, path);
  } catch (const PictureError&) {
    return std::nullopt;
  }
}

QImage slotPicture(const std::string& dataRoot, const ConsistModel& model, int position) {
  const std::string& name = model.WagonName(position);
  if (name.empty()) {
    return loadPicture(dataRoot, paths::kNoWagonPicture);
  }
  if (std::optional<QImage> preview = tryPicture(dataRoot, paths::previewPicture(name))) {
    return *preview;
  }
  if (std::optional<QImage> alternative = tryPicture(dataRoot, model.WagonImage(position))) {
    return *alternative;
  }
  return loadPicture(dataRoot, paths::kNoPreviewPicture);
}

}  // namespace

ConsistStrip::ConsistStrip(std::string dataRoot, QWidget* parent)
    : QFrame(parent), dataRoot_(std::move(dataRoot)) {
  setObjectName(QStringLiteral("Panel1"));
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

    connect(picture, &PictureBox::mouseReleased, this, [this, slot](Qt::MouseButton button) {
      PrvImgMouseUp(static_cast<int>(slot), button);
    });
  }
}

void ConsistStrip::ClearImages(const ConsistModel& model) {
  const int pageStart = model.PageStart();
  for (int slot = 0; slot < kStripSlots; ++slot) {
    const int position = pageStart + slot;
    pictures_[slot]->clear();
    setCaption(numbers_[slot], QString::number(position));
    setCaption(names_[slot], fromCp1251(model.WagonName(position)));
  }
}

void ConsistStrip::RefreshConsistImage(const ConsistModel& model) {
  // Slot by slot: when a required picture fails, this slot and the ones after it stay empty.
  const int pageStart = model.PageStart();
  for (int slot = 0; slot < kStripSlots; ++slot) {
    pictures_[slot]->setImage(slotPicture(dataRoot_, model, pageStart + slot));
  }
}

// The same for all six pictures: only the left button, only on a slot that shows a wagon, and the
// position is the one the slot's number label shows.
void ConsistStrip::PrvImgMouseUp(int slot, Qt::MouseButton button) {
  if (button != Qt::LeftButton || names_[slot]->text().isEmpty()) {
    return;
  }
  bool isNumber = false;
  const int position = numbers_[slot]->text().toInt(&isNumber);
  if (isNumber) {
    emit removeRequested(position - 1);
  }
}

}  // namespace rakewright
