// What the catalogue side decides about an item without looking at a control: the wagon folder
// and picture kind of a folder-catalogue item, whether a folder item is a passenger wagon, and
// the two category filters as functions over the catalogues. A filter gives the positions of the
// items it keeps, in catalogue order, so the caller keeps the item texts where they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "reference/catalogues.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

// Filter keywords of the folder side; the traffic side's keywords are the base's length sections.
namespace filters {
inline constexpr std::string_view kPassWags = "PASS-WAGS";
inline constexpr std::string_view kFreightWags = "FREIGHT-WAGS";
}  // namespace filters

// Whether a keyword filters the folder side (otherwise it names a length section).
bool isFolderKeyword(std::string_view keyword);

// "X-cup" and "X-plac" are the two sets of the passenger folder X: every "-cup" is removed (letter
// case significant) and the kind is "cup"; failing that, every "-plac" and the kind is "plac";
// anything else is a folder of its own with the empty kind.
struct FolderWagon {
  std::string folder;
  std::string_view kind;  // "cup", "plac" or ""
};
FolderWagon folderWagonOf(std::string_view name);

// The folder wagon bitmap of a folder-catalogue item: "data/pass_wags/" folder "/" kind
// "_wagon.bmp".
std::string folderWagonBitmapOf(std::string_view name);

// A folder item counts as a passenger wagon when its text holds "cup" or "plac" anywhere.
bool isPassengerItem(std::string_view item);

// The traffic items that are members of the category `section`, looked up in the base as it is at
// the moment of the call.
std::vector<std::size_t> trafficCategory(const Catalogue& traffic, std::string_view section,
                                         RollingStockBase& base);

// The folder items of a folder keyword: the passenger items for kPassWags, the others for
// kFreightWags.
std::vector<std::size_t> folderCategory(const Catalogue& folder, std::string_view keyword);

}  // namespace rakewright
