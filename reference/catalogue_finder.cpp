#include "reference/catalogue_finder.h"

#include <algorithm>
#include <numeric>

#include "platform/cp1251.h"

namespace rakewright {

namespace {

constexpr char kSeparator = '\n';

// The entries among `candidates` that are also in `found` (both ascending).
std::vector<std::size_t> common(const std::vector<std::size_t>& found,
                                const std::vector<std::size_t>& candidates) {
  std::vector<std::size_t> kept;
  std::set_intersection(found.begin(), found.end(), candidates.begin(), candidates.end(),
                        std::back_inserter(kept));
  return kept;
}

}  // namespace

CatalogueFinder::CatalogueFinder(const Catalogue& catalogue) {
  ends_.reserve(catalogue.size());
  std::size_t bytes = catalogue.size();
  for (const std::string_view name : catalogue) {
    bytes += name.size();
  }
  folded_.reserve(bytes);
  std::string upper;
  for (const std::string_view name : catalogue) {
    cp1251UpperCaseInto(name, upper);
    folded_.append(upper);
    for (const char c : upper) {
      ++byteCounts_[static_cast<unsigned char>(c)];
    }
    ends_.push_back(folded_.size());
    folded_.push_back(kSeparator);
  }
}

std::vector<std::size_t> CatalogueFinder::find(std::string_view text,
                                               const std::vector<std::size_t>* candidates) const {
  std::vector<std::size_t> found;
  if (text.empty()) {
    if (candidates != nullptr) {
      return *candidates;
    }
    found.resize(ends_.size());
    std::iota(found.begin(), found.end(), std::size_t{0});
    return found;
  }
  // A text with a line break is in no name, and must not match across two of them.
  if (text.find(kSeparator) != std::string_view::npos) {
    return found;
  }
  const std::string needle = cp1251UpperCase(text);
  const std::string_view folded(folded_);
  // The needle's byte that the names hold least often is looked for with memchr (which skips
  // through the buffer many bytes at a time); each place it stands is then checked whole.
  std::size_t rare = 0;
  for (std::size_t i = 1; i < needle.size(); ++i) {
    if (byteCounts_[static_cast<unsigned char>(needle[i])] <
        byteCounts_[static_cast<unsigned char>(needle[rare])]) {
      rare = i;
    }
  }
  // The first position at or after `from` where the needle stands, or npos.
  const auto next = [&](std::size_t from) -> std::size_t {
    for (std::size_t at = from + rare; at < folded.size();) {
      at = folded.find(needle[rare], at);
      if (at == std::string_view::npos) {
        break;
      }
      const std::size_t start = at - rare;
      if (folded.compare(start, needle.size(), needle) == 0) {
        return start;
      }
      ++at;
    }
    return std::string_view::npos;
  };
  auto searched = ends_.begin();
  for (std::size_t at = next(0); at != std::string_view::npos;) {
    // The name holding the hit; the search goes on after it, so that each name counts once.
    searched = std::lower_bound(searched, ends_.end(), at);
    found.push_back(static_cast<std::size_t>(searched - ends_.begin()));
    at = next(*searched + 1);
    ++searched;
  }
  return candidates != nullptr ? common(found, *candidates) : found;
}

}  // namespace rakewright
