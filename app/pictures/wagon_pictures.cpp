#include "app/pictures/wagon_pictures.h"

#include <utility>

#include "app/pictures/picture_loader.h"
#include "consist/consist_model.h"
#include "reference/data_paths.h"

namespace rakewright {

WagonPictures::WagonPictures(std::string dataRoot, QSize box)
    : dataRoot_(std::move(dataRoot)), box_(box) {}

std::optional<QImage> WagonPictures::tryLoad(const std::string& path) {
  if (path.empty()) {
    return std::nullopt;
  }
  const auto known = loaded_.find(path);
  if (known != loaded_.end()) {
    return known->second;
  }
  std::optional<QImage> picture;
  try {
    picture = loadPicture(dataRoot_, path, box_);
  } catch (const PictureError&) {
  }
  return loaded_.emplace(path, std::move(picture)).first->second;
}

QImage WagonPictures::forPosition(const ConsistModel& model, int position) {
  if (model.wagonName(position).empty()) {
    return {};
  }
  if (std::optional<QImage> own = ownPicture(model, position)) {
    return *own;
  }
  return tryLoad(std::string(paths::kNoPreviewPicture)).value_or(QImage());
}

std::optional<QImage> WagonPictures::ownPicture(const ConsistModel& model, int position) {
  const std::string& name = model.wagonName(position);
  if (name.empty()) {
    return std::nullopt;
  }
  if (std::optional<QImage> preview = tryLoad(paths::previewPicture(name))) {
    return preview;
  }
  return tryLoad(model.wagonPicture(position));
}

QImage WagonPictures::required(std::string_view path) {
  std::optional<QImage> picture = tryLoad(std::string(path));
  return picture ? *picture : loadPicture(dataRoot_, path, box_);
}

}  // namespace rakewright
