// What selecting a catalogue entry offers for adding it: the length of the base's length chain, or
// the length guess of the entry's side where the base knows none, and the base's weight or its
// default, each with where it came from. Selecting an entry and dragging it out of its list offer
// exactly the same.
#pragma once

#include <string>
#include <string_view>

#include "reference/figure_source.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

enum class CatalogueSide { Traffic, Folder };

struct OfferedFigures {
  std::string length;
  std::string weight;
  FigureSource lengthSource = FigureSource::Base;
  FigureSource weightSource = FigureSource::Base;

  bool lengthGuessed() const { return lengthSource == FigureSource::Guess; }
};

OfferedFigures offeredFigures(const RollingStockBase::View& base, std::string_view name,
                              CatalogueSide side);

}  // namespace rakewright
