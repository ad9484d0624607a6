// Paging of the consist strip, every rule in one place: which position its first slot shows (the
// page start) after one of the six paging buttons or one notch of the mouse wheel, after a wagon
// was added or removed and after the whole consist was replaced; which page start brings a
// position into view; and where something dropped on a slot of the strip lands in the consist.
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

// The page start after a wagon was appended to `countBefore` wagons: from the fourth wagon on, the
// new wagon shows in the fourth slot, unless the strip is already further on.
int pageStartAfterAdding(int pageStart, int countBefore);

// The page start after one of `countBefore` wagons was removed: one step back when the strip's
// third slot showed no wagon before the removal (so the strip keeps showing wagons), never below 1.
int pageStartAfterRemoving(int pageStart, int countBefore);

// The page start after the consist was replaced by `count` wagons: unchanged, but never beyond the
// last wagon.
int pageStartAfterReplacing(int pageStart, int count);

// The new page start for a paging button, or nullopt when the button does nothing at all, not even
// the redraw ("->" at the last wagon). The backward buttons stop at 1, the forward ones at the last
// wagon, alone in slot 1; an empty consist keeps 1.
std::optional<int> pagedStart(PageStep step, int pageStart, int wagonCount);

// The page start that shows `position` (1-based) with the least paging, or nullopt when the strip
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
