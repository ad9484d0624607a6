#include "consist/paging.h"

#include <algorithm>

namespace rakewright {

int pageStartAfterAdding(int pageStart, int countBefore) {
  return std::max(pageStart, countBefore - 2);
}

int pageStartAfterRemoving(int pageStart, int countBefore) {
  const bool thirdSlotWasEmpty = pageStart + 2 > countBefore;
  return thirdSlotWasEmpty && pageStart > 1 ? pageStart - 1 : pageStart;
}

int pageStartAfterReplacing(int pageStart, int count) {
  return std::min(pageStart, std::max(count, 1));
}

std::optional<int> pagedStart(PageStep step, int pageStart, int wagonCount) {
  switch (step) {
    case PageStep::First:
      return 1;
    case PageStep::BackPage:
      return std::max(pageStart - kStripSlots, 1);
    case PageStep::Back:
      return std::max(pageStart - 1, 1);
    case PageStep::Forward:
      if (pageStart < wagonCount) {
        return pageStart + 1;
      }
      return std::nullopt;
    case PageStep::NextPage:
      return std::max(std::min(pageStart + kStripSlots, wagonCount), 1);
    case PageStep::Last:
      return std::max(wagonCount, 1);
  }
  return std::nullopt;
}

std::optional<int> pageStartShowing(int position, int pageStart, int wagonCount) {
  if (position >= pageStart && position < pageStart + kStripSlots) {
    return std::nullopt;
  }
  const int wanted = position < pageStart ? position : position - kStripSlots + 1;
  const int bounded = std::max(std::min(wanted, wagonCount), 1);
  return bounded == pageStart ? std::nullopt : std::optional<int>(bounded);
}

int landingIndex(DropKind kind, int position, int wagonCount) {
  const int last = kind == DropKind::Moved ? wagonCount - 1 : wagonCount;
  return std::max(std::min(position - 1, last), 0);
}

}  // namespace rakewright
