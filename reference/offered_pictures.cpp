#include "reference/offered_pictures.h"

#include "reference/catalogue_filters.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

// No file system the program runs on holds a file or folder name of more than 255 characters
// (bytes on Linux, UTF-16 units on Windows; a Windows-1251 character takes at least one of either).
constexpr std::size_t kLongestFileName = 255;

// Whether every part of `path` between separators, the last one with `appended` more characters,
// is a name a file system can hold.
bool holdable(std::string_view path, std::size_t appended = 0) {
  std::size_t part = 0;
  for (const char c : path) {
    part = c == '/' || c == '\\' ? 0 : part + 1;
    if (part > kLongestFileName) {
      return false;
    }
  }
  return part + appended <= kLongestFileName;
}

}  // namespace

std::vector<OfferedPicture> offeredPictures(std::string_view name, CatalogueSide side) {
  // A picture whose path holds a name longer than any file system allows cannot be loaded; it is
  // left out before its path is made, as a catalogue entry may be megabytes long.
  std::vector<OfferedPicture> pictures;
  if (side == CatalogueSide::Folder) {
    std::string bitmap = folderWagonBitmapOf(name);
    if (holdable(bitmap)) {
      pictures.push_back({std::move(bitmap), true, true});
    }
  }
  constexpr std::string_view kExtension = ".jpg";  // what previewPicture() appends
  if (holdable(name, kExtension.size())) {
    pictures.push_back({paths::previewPicture(name), false, true});
  }
  pictures.push_back({std::string(paths::kNoPreviewPicture), false, false});
  return pictures;
}

}  // namespace rakewright
