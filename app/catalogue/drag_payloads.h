// What a drag carries inside the main window: a catalogue item dragged from one of the four
// lists, or a wagon dragged from the strip. Both are text: "traffic:N" or "folder:N" for the N-th
// entry (from 0) of a catalogue, and the wagon's consist line (from 0) for a wagon.
#pragma once

namespace rakewright::drag {

inline constexpr char kCatalogueItem[] = "application/x-rakewright-catalogue-item";
inline constexpr char kStripWagon[] = "application/x-rakewright-wagon";

inline constexpr char kTrafficSide[] = "traffic";
inline constexpr char kFolderSide[] = "folder";

}  // namespace rakewright::drag
