#include "consist/paging.h"

#include <algorithm>

namespace rakewright {

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

}  // namespace rakewright
