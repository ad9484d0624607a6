// The rows of the base editor: one per rolling-stock name known anywhere (both catalogues, the
// seven sections of the base, the consist files), with the figures a lookup gives for it and where
// each comes from. Names that a lookup takes for one (the same letters ignoring case, spaces
// around them not counting) make one row, spelled as first met: traffic list, folder catalogue,
// base, consist files.
//
// A length the base lacks is the guess that selecting the name in its catalogue offers (the
// traffic list's guess before the folder catalogue's), and nothing for a name no catalogue holds;
// a weight or axle count it lacks is the lookup's default. The remarks point at the lines of the
// base that a lookup passes over (a second occurrence of a key, a repeated section, a length in a
// section that another one overrides) and at figures that are no number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/base_file.h"
#include "reference/catalogue.h"
#include "reference/figure_source.h"

namespace rakewright {

struct BaseFigure {
  std::string text;                             // empty for a length nobody gives
  FigureSource source = FigureSource::Default;  // Base, Guess (lengths only) or Default
};

struct BaseRow {
  std::string name;  // Windows-1251
  std::optional<LengthSection> category;
  BaseFigure length;
  BaseFigure weight;
  BaseFigure axles;
  bool inTraffic = false;
  bool inFolder = false;
  bool inBase = false;  // a key of one of the seven sections, with or without a value
  bool inConsists = false;
  std::vector<std::string> remarks;  // Windows-1251, each beginning with its line of base.ini

  bool inCatalogues() const { return inTraffic || inFolder; }
};

// The rows of every name of the two catalogues, the base and `consistNames` (the names of the
// consist files' wagons, as ConsistCheck::names gives them).
std::vector<BaseRow> baseRows(const BaseFile& base, const Catalogue& traffic,
                              const Catalogue& folder,
                              const std::vector<std::string>& consistNames);

// The category, figures, remarks and `inBase` of a row once more, after an edit; where the name
// was found stays.
void refreshBaseRow(const BaseFile& base, BaseRow& row);

}  // namespace rakewright
