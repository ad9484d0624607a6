#include "app/consist_strip.h"

#include <QLabel>

#include <algorithm>
#include <stdexcept>

#include "app/main_window.h"
#include "app/picture_loader.h"
#include "app/qt_text.h"
#include "app/widgets.h"

namespace rakewright {

namespace {

constexpr int kPageSize = TForm1::kSlots;

// A picture of a chain that may fail, giving way to the next one.
std::optional<QImage> tryPicture(const Anchors& anchors, std::string_view path) {
  if (path.empty()) {
    return std::nullopt;
  }
  try {
    return loadPicture(anchors.dataRoot, path);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<int> pagedStart(PageStep step, int pageStart, int wagonCount) {
  const int last = std::max(wagonCount, 1);
  switch (step) {
    case PageStep::First:
      return 1;
    case PageStep::BackPage:
      return std::max(pageStart - kPageSize, 1);
    case PageStep::Back:
      return std::max(pageStart - 1, 1);
    case PageStep::Forward:
      if (pageStart < wagonCount) {
        return pageStart + 1;
      }
      return std::nullopt;
    case PageStep::NextPage:
      return std::max(std::min(pageStart + kPageSize, wagonCount), 1);
    case PageStep::Last:
      return last;
  }
  return std::nullopt;
}

QImage slotPicture(const Anchors& anchors, const ConsistModel& model, int position) {
  const std::string& name = model.WagonName(position);
  if (name.empty()) {
    return loadPicture(anchors.dataRoot, paths::kNoWagonPicture);
  }
  if (std::optional<QImage> preview = tryPicture(anchors, paths::previewPicture(name))) {
    return *preview;
  }
  if (std::optional<QImage> alternative = tryPicture(anchors, model.WagonImage(position))) {
    return *alternative;
  }
  return loadPicture(anchors.dataRoot, paths::kNoPreviewPicture);
}

void TForm1::redraw() {
  ClearImages();
  RefreshConsistImage();
}

void TForm1::ClearImages() {
  const int pageStart = model_.PageStart();
  for (int slot = 0; slot < kSlots; ++slot) {
    const int position = pageStart + slot;
    slotPictures_[slot]->clear();
    setCaption(slotNumbers_[slot], QString::number(position));
    setCaption(slotNames_[slot], fromCp1251(model_.WagonName(position)));
  }
  setCaption(Wag_Num, fromCp1251(model_.Wag_Num()));
}

void TForm1::RefreshConsistImage() {
  // Slot by slot: when a required picture fails, this slot and the ones after it stay empty.
  const int pageStart = model_.PageStart();
  for (int slot = 0; slot < kSlots; ++slot) {
    slotPictures_[slot]->setImage(slotPicture(anchors_, model_, pageStart + slot));
  }
}

void TForm1::pageTo(int pageStart) {
  model_.setPageStart(pageStart);
  redraw();
}

void TForm1::Button5Click() {
  pageTo(*pagedStart(PageStep::First, model_.PageStart(), model_.WagonCount()));
}

void TForm1::Button3Click() {
  pageTo(*pagedStart(PageStep::BackPage, model_.PageStart(), model_.WagonCount()));
}

void TForm1::PrevPageBtnClick() {
  pageTo(*pagedStart(PageStep::Back, model_.PageStart(), model_.WagonCount()));
}

void TForm1::NextPageBtnClick() {
  if (const std::optional<int> next =
          pagedStart(PageStep::Forward, model_.PageStart(), model_.WagonCount())) {
    pageTo(*next);
  }
}

void TForm1::Button4Click() {
  pageTo(*pagedStart(PageStep::NextPage, model_.PageStart(), model_.WagonCount()));
}

void TForm1::Button6Click() {
  pageTo(*pagedStart(PageStep::Last, model_.PageStart(), model_.WagonCount()));
}

void TForm1::slotMouseUp(int slot, Qt::MouseButton button) {
  if (button != Qt::LeftButton || slotNames_[slot]->text().isEmpty()) {
    return;
  }
  // The slot's number label tells the position it shows.
  bool isNumber = false;
  const int position = slotNumbers_[slot]->text().toInt(&isNumber);
  if (isNumber) {
    DeleteWagon(position - 1);
  }
}

void TForm1::PrvImg1MouseUp(Qt::MouseButton button) {
  slotMouseUp(0, button);
}
void TForm1::PrvImg2MouseUp(Qt::MouseButton button) {
  slotMouseUp(1, button);
}
void TForm1::PrvImg3MouseUp(Qt::MouseButton button) {
  slotMouseUp(2, button);
}
void TForm1::PrvImg4MouseUp(Qt::MouseButton button) {
  slotMouseUp(3, button);
}
void TForm1::PrvImg5MouseUp(Qt::MouseButton button) {
  slotMouseUp(4, button);
}
void TForm1::PrvImg6MouseUp(Qt::MouseButton button) {
  slotMouseUp(5, button);
}

}  // namespace rakewright
