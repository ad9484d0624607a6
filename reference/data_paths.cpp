#include "reference/data_paths.h"

namespace rakewright::paths {

std::string previewPicture(std::string_view name) {
  std::string path;
  path.reserve(kPreviewFolder.size() + name.size() + kPreviewExtension.size());
  path.append(kPreviewFolder).append(name).append(kPreviewExtension);
  return path;
}

std::string folderWagonBitmap(std::string_view folder, std::string_view kind) {
  std::string path;
  path.reserve(kPassWags.size() + folder.size() + 1 + kind.size() + kWagonBitmapSuffix.size());
  path.append(kPassWags).append(folder).append("/").append(kind).append(kWagonBitmapSuffix);
  return path;
}

std::string consistFile(std::string_view file) {
  std::string path;
  path.reserve(kConsistFolder.size() + file.size());
  path.append(kConsistFolder).append(file);
  return path;
}

}  // namespace rakewright::paths
