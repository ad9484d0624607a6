#include "reference/offered_figures.h"

#include <optional>
#include <utility>

#include "platform/cp1251.h"

namespace rakewright {

const std::string& figureSourceName(FigureSource source) {
  static const std::string kBase = cp1251Text("из базы");
  static const std::string kGuess = cp1251Text("оценка по названию");
  static const std::string kTyped = cp1251Text("введено вручную");
  static const std::string kDefault = cp1251Text("по умолчанию");
  static const std::string kFile = cp1251Text("из файла состава");
  switch (source) {
    case FigureSource::Base:
      return kBase;
    case FigureSource::Guess:
      return kGuess;
    case FigureSource::Typed:
      return kTyped;
    case FigureSource::Default:
      return kDefault;
    case FigureSource::File:
      return kFile;
  }
  return kBase;
}

OfferedFigures offeredFigures(const RollingStockBase::View& base, std::string_view name,
                              CatalogueSide side) {
  OfferedFigures offered;
  if (std::optional<std::string> length = base.knownLength(name)) {
    offered.length = std::move(*length);
  } else {
    // The traffic side guesses from fragments of any letter case, the folder side from its own
    // fragments; both always give a length.
    offered.length =
        side == CatalogueSide::Traffic ? trafficLengthGuess(name) : folderLengthGuess(name);
    offered.lengthSource = FigureSource::Guess;
  }
  if (std::optional<std::string> weight = base.knownWeight(name)) {
    offered.weight = std::move(*weight);
  } else {
    offered.weight = std::string(kDefaultWeight);
    offered.weightSource = FigureSource::Default;
  }
  return offered;
}

}  // namespace rakewright
