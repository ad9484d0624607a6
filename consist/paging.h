// Paging of the consist strip: which position its first slot shows (PageStart) after one of the
// six paging buttons, or one notch of the mouse wheel; which PageStart brings a position into
// view; and where something dropped on a slot of the strip lands in the consist.
#pragma once

#include <optional>

namespace rakewright {

// The strip shows this many consecutive positions.
inline constexpr int kStripSlots = 6;

// The six paging buttons.
enum class PageStep {
  First,     // "В начало"
  BackPage,  // "<< - -"
  Back,      // "<-"
  Forward,   // "->"
  NextPage,  // "-->>"
  Last,      // "В конец"
};

// The new PageStart for a paging button, or nullopt when the button does nothing at all, not even
// the redraw ("->" at the last wagon). The backward buttons stop at 1, the forward ones at the last
// wagon, alone in slot 1; an empty consist keeps 1.
std::optional<int> pagedStart(PageStep step, int pageStart, int wagonCount);

// The PageStart that shows `position` (1-based) with the least paging, or nullopt when the strip
// already shows it. It stays within what the paging buttons reach: 1 to the last wagon.
std::optional<int> pageStartShowing(int position, int pageStart, int wagonCount);

// What is dropped on the strip: a wagon that the drop adds (a catalogue item, a copy) or one of the
// consist's own wagons moved to another place.
enum class DropKind { Added, Moved };

// The consist line (0-based) where something dropped on the slot that shows `position` lands: on a
// slot that shows a wagon, that wagon's line (it and the wagons after it move on); on a free slot,
// the end: after the last wagon for an added one, the last line for a moved one.
int landingIndex(DropKind kind, int position, int wagonCount);

}  // namespace rakewright
