// CatalogueFinder, the search in a catalogue: which entries hold a typed text anywhere in their
// names, ignoring letter case, Latin and Cyrillic alike (as cp1251UpperCase folds it).
//
// The names are upper-cased once, when the finder is made, into one buffer with a line break after
// each name (no name holds one, as a catalogue line ends there), so a search is one pass over that
// buffer: a keystroke over a million names stays within a frame or two.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "reference/catalogue.h"

namespace rakewright {

class CatalogueFinder {
 public:
  CatalogueFinder() = default;
  explicit CatalogueFinder(const Catalogue& catalogue);

  // The positions of the entries among `candidates` (ascending catalogue positions; every entry
  // when it is null) whose names hold `text` (Windows-1251), ignoring letter case, in ascending
  // order. The empty text is in every name.
  std::vector<std::size_t> find(std::string_view text,
                                const std::vector<std::size_t>* candidates = nullptr) const;

  std::size_t size() const { return ends_.size(); }

 private:
  std::string folded_;                         // the upper-cased names, each followed by '\n'
  std::vector<std::size_t> ends_;              // where each name's '\n' stands in folded_
  std::array<std::size_t, 256> byteCounts_{};  // how often each byte stands in the names
};

}  // namespace rakewright
