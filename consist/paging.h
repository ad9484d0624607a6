// Paging of the consist strip: which position its first slot shows (PageStart) after one of the
// six paging buttons, or one notch of the mouse wheel.
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

}  // namespace rakewright
