#include "reference/catalogue_filters.h"

#include "reference/data_paths.h"

namespace rakewright {

namespace {

constexpr std::string_view kCupSuffix = "-cup";
constexpr std::string_view kPlacSuffix = "-plac";

// Removes every occurrence of `what` in one pass from the left; true when anything was removed.
bool removeAll(std::string& text, std::string_view what) {
  std::string result;
  bool removed = false;
  std::size_t from = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, from)) {
    result.append(text, from, at - from);
    from = at + what.size();
    removed = true;
  }
  if (removed) {
    result.append(text, from, std::string::npos);
    text = std::move(result);
  }
  return removed;
}

}  // namespace

bool isFolderKeyword(std::string_view keyword) {
  return keyword == filters::kPassWags || keyword == filters::kFreightWags;
}

FolderWagon folderWagonOf(std::string_view name) {
  FolderWagon wagon{std::string(name), {}};
  if (removeAll(wagon.folder, kCupSuffix)) {
    wagon.kind = kCupSuffix.substr(1);
  } else if (removeAll(wagon.folder, kPlacSuffix)) {
    wagon.kind = kPlacSuffix.substr(1);
  }
  return wagon;
}

std::string folderWagonBitmapOf(std::string_view name) {
  const FolderWagon wagon = folderWagonOf(name);
  return paths::folderWagonBitmap(wagon.folder, wagon.kind);
}

bool isPassengerItem(std::string_view item) {
  return item.find("cup") != std::string_view::npos || item.find("plac") != std::string_view::npos;
}

std::vector<std::size_t> trafficCategory(const Catalogue& traffic, std::string_view section,
                                         RollingStockBase& base) {
  // One look at the base serves the whole pass: the base as it is now, with its members in a set,
  // so that a pass over a million names costs a hash lookup per name.
  const RollingStockBase::View view = base.open();
  const RollingStockBase::View::Members members = view.members(section);
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < traffic.size(); ++i) {
    if (members.contains(traffic[i])) {
      kept.push_back(i);
    }
  }
  return kept;
}

std::vector<std::size_t> folderCategory(const Catalogue& folder, std::string_view keyword) {
  const bool passengers = keyword == filters::kPassWags;
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    if (isPassengerItem(folder[i]) == passengers) {
      kept.push_back(i);
    }
  }
  return kept;
}

}  // namespace rakewright
