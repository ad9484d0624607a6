#include "reference/offered_pictures.h"

#include "reference/catalogue_filters.h"
#include "reference/data_paths.h"

namespace rakewright {

std::vector<OfferedPicture> offeredPictures(std::string_view name, CatalogueSide side) {
  std::vector<OfferedPicture> pictures;
  if (side == CatalogueSide::Folder) {
    pictures.push_back({folderWagonBitmapOf(name), true, true});
  }
  pictures.push_back({paths::previewPicture(name), false, true});
  pictures.push_back({std::string(paths::kNoPreviewPicture), false, false});
  return pictures;
}

}  // namespace rakewright
