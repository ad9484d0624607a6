#include "reference/base_rows.h"

#include <unordered_map>
#include <utility>

#include "platform/cp1251.h"
#include "platform/numbers.h"

namespace rakewright {

namespace {

// A name as a remark quotes it: a name may be very long.
std::string quoted(std::string_view text) {
  constexpr std::size_t kQuoted = 60;
  static const std::string open = cp1251Text("«");
  static const std::string close = cp1251Text("»");
  static const std::string ellipsis = cp1251Text("…");
  std::string quoted = open;
  if (text.size() > kQuoted) {
    quoted.append(text.substr(0, kQuoted)).append(ellipsis);
  } else {
    quoted.append(text);
  }
  return quoted.append(close);
}

std::string lineText(int line) {
  static const std::string prefix = cp1251Text("Строка ");
  return prefix + formatWhole(line) + ": ";
}

std::string sectionText(std::string_view section) {
  return "[" + std::string(section) + "]";
}

bool isLengthSection(std::string_view section) {
  for (const LengthSection length : kLengthSections) {
    if (sectionName(length) == section) {
      return true;
    }
  }
  return false;
}

// The remark for a figure of the base that the consist's sums could not take, or that the editor
// would refuse; nullopt for a good one.
std::optional<std::string> figureRemark(std::string_view section, const std::string& value) {
  struct Texts {
    std::string length = cp1251Text("длина ");
    std::string weight = cp1251Text("вес ");
    std::string axles = cp1251Text("число осей ");
    std::string notANumber = cp1251Text(" — не число");
    std::string notWhole = cp1251Text(" — не целое число");
    std::string notPositive = cp1251Text(" — не больше нуля");
  };
  static const Texts texts;
  const bool axles = section == sections::kAxles;
  const std::string& what = axles                           ? texts.axles
                            : section == sections::kWeights ? texts.weight
                                                            : texts.length;
  try {
    const double number = axles ? parseWhole(value) : parseDecimal(value);
    if (number > 0) {
      return std::nullopt;
    }
    return what + quoted(value) + texts.notPositive;
  } catch (const ConversionError&) {
    return what + quoted(value) + (axles ? texts.notWhole : texts.notANumber);
  }
}

void addRemarks(const std::vector<BaseOccurrence>& found, BaseRow& row) {
  struct Texts {
    std::string repeatedSection = cp1251Text(" стоит в повторном разделе ");
    std::string notRead = cp1251Text(", его программа не читает");
    std::string again = cp1251Text(" ещё раз; действует строка ");
    std::string inSection = cp1251Text(" в ");
    std::string overridden = cp1251Text(" не действует: длину даёт ");
    std::string lengthIn = cp1251Text("длина в ");
  };
  static const Texts texts;
  const std::string name = quoted(ProfileData::askedName(row.name));
  for (const BaseOccurrence& occurrence : found) {
    if (occurrence.counts) {
      if (!occurrence.value) {
        continue;
      }
      const bool length = isLengthSection(occurrence.section);
      if (length && *occurrence.value == kNoLength) {
        continue;
      }
      if (length && row.category && occurrence.section != sectionName(*row.category)) {
        row.remarks.push_back(lineText(occurrence.line) + texts.lengthIn +
                              sectionText(occurrence.section) + texts.overridden +
                              sectionText(sectionName(*row.category)));
        continue;
      }
      if (std::optional<std::string> remark = figureRemark(occurrence.section, *occurrence.value)) {
        row.remarks.push_back(lineText(occurrence.line) + *remark);
      }
      continue;
    }
    // The occurrence a lookup reads instead, if any: the first in the first section.
    const BaseOccurrence* counted = nullptr;
    for (const BaseOccurrence& other : found) {
      if (other.counts && other.section == occurrence.section) {
        counted = &other;
        break;
      }
    }
    if (counted != nullptr && counted->line < occurrence.line) {
      row.remarks.push_back(lineText(occurrence.line) + name + texts.inSection +
                            sectionText(occurrence.section) + texts.again +
                            formatWhole(counted->line));
    } else {
      row.remarks.push_back(lineText(occurrence.line) + name + texts.repeatedSection +
                            sectionText(occurrence.section) + texts.notRead);
    }
  }
}

}  // namespace

void refreshBaseRow(const BaseFile& base, BaseRow& row) {
  // The figures of the lookups, and for a length they lack what selecting the name in its
  // catalogue offers (offeredFigures): the guess of its side.
  BaseFigures figures = base.figures(row.name);
  row.category = figures.category;
  if (figures.length) {
    row.length = {std::move(*figures.length), FigureSource::Base};
  } else if (row.inTraffic) {
    row.length = {trafficLengthGuess(row.name), FigureSource::Guess};
  } else if (row.inFolder) {
    row.length = {folderLengthGuess(row.name), FigureSource::Guess};
  } else {
    row.length = {{}, FigureSource::Default};
  }
  row.weight = figures.weight ? BaseFigure{std::move(*figures.weight), FigureSource::Base}
                              : BaseFigure{std::string(kDefaultWeight), FigureSource::Default};
  row.axles = figures.axles ? BaseFigure{std::move(*figures.axles), FigureSource::Base}
                            : BaseFigure{std::string(kDefaultAxles), FigureSource::Default};
  const std::vector<BaseOccurrence> found = base.occurrences(row.name);
  row.inBase = !found.empty();
  row.remarks.clear();
  addRemarks(found, row);
}

std::vector<BaseRow> baseRows(const BaseFile& base, const Catalogue& traffic,
                              const Catalogue& folder,
                              const std::vector<std::string>& consistNames) {
  std::vector<BaseRow> rows;
  std::unordered_map<std::string, std::size_t> byKey;
  std::string key;
  // Marks the row of `name` with `where`, making it first; a name of nothing but spaces is no
  // rolling stock.
  const auto mark = [&](std::string_view name, bool BaseRow::*where) {
    const std::string_view asked = ProfileData::askedName(name);
    if (asked.empty()) {
      return;
    }
    cp1251UpperCaseInto(asked, key);
    const auto [at, added] = byKey.try_emplace(key, rows.size());
    if (added) {
      rows.emplace_back().name = std::string(name);
    }
    rows[at->second].*where = true;
  };
  for (const std::string_view name : traffic) {
    mark(name, &BaseRow::inTraffic);
  }
  for (const std::string_view name : folder) {
    mark(name, &BaseRow::inFolder);
  }
  for (const std::string_view name : base.names()) {
    mark(name, &BaseRow::inBase);
  }
  for (const std::string& name : consistNames) {
    mark(name, &BaseRow::inConsists);
  }
  for (BaseRow& row : rows) {
    refreshBaseRow(base, row);
  }
  return rows;
}

}  // namespace rakewright
