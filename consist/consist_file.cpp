#include "consist/consist_file.h"

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "platform/cp1251.h"
#include "platform/dir_search.h"
#include "platform/file_error.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// A file name is one entry of the consist folder; a separator would reach into another folder.
bool namesAnotherFolder(std::string_view name) {
  return name.find_first_of("\\/") != std::string_view::npos;
}

const std::string& separatorMessage() {
  static const std::string text =
      cp1251Text("Нельзя использовать символы \\ и / в названии файла!");
  return text;
}

// The error of a consist file that cannot be opened or created, naming the file as the program
// formed its path; the code of the file error is kept.
FileError consistFileError(std::string_view action, std::string_view name, const FileError& error) {
  return FileError(error.code(), error.systemError(),
                   cannotMessage(action, paths::consistFile(name), reasonOf(error)));
}

// The fields of one consist line, as the loader reads them.
struct LineFields {
  std::int32_t amount = 0;
  std::string_view name;
  std::string_view lengthText;
  double length = 0;
};

// amount TAB name TAB length, where the amount's TAB is searched from the second character on and
// the length is everything after the name's TAB. nullopt for a line that cannot be read: a field
// missing, an amount or length that is not a number, or an empty name (which the position tables
// could not tell from a free position).
std::optional<LineFields> readFields(std::string_view line) {
  const std::size_t amountEnd = line.find('\t', 1);
  if (amountEnd == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view rest = line.substr(amountEnd + 1);
  const std::size_t nameEnd = rest.find('\t');
  if (nameEnd == std::string_view::npos || nameEnd == 0) {
    return std::nullopt;
  }
  LineFields fields;
  fields.name = rest.substr(0, nameEnd);
  fields.lengthText = rest.substr(nameEnd + 1);
  try {
    fields.amount = parseWhole(line.substr(0, amountEnd));
    fields.length = parseDecimal(fields.lengthText);
  } catch (const ConversionError&) {
    return std::nullopt;
  }
  return fields;
}

// Drops the summary line: the last line goes when its first character is ";", and the line before
// it as well when its second character is ";".
void dropSummaryLine(std::vector<std::string>& lines) {
  if (lines.empty()) {
    return;
  }
  const std::string last = lines.back();
  if (!last.empty() && last[0] == ';') {
    lines.pop_back();
  }
  if (last.size() >= 2 && last[1] == ';' && !lines.empty()) {
    lines.pop_back();
  }
}

}  // namespace

std::vector<std::string> listConsistFiles(std::string_view dataRoot) {
  std::vector<std::string> names;
  for (DirEntry& entry : findFiles(dataRoot, paths::kConsistFiles)) {
    names.push_back(std::move(entry.name));
  }
  return names;
}

std::string summaryLine(const ConsistModel& model) {
  std::string line = ";";
  line.append(model.weightText()).append(1, '\t').append(model.axlesText());
  line.append(1, '\t').append(model.wagonCountText());
  return line;
}

std::string consistFileText(const ConsistModel& model) {
  std::string content;
  for (const ConsistModel::Wagon& wagon : model.wagons()) {
    content.append(wagon.line).append(kCrLf);
  }
  content.append(summaryLine(model)).append(kCrLf);
  return content;
}

SaveResult consistFileName(std::string_view typed) {
  SaveResult result;
  result.name = std::string(typed);
  if (result.name.empty() || result.name == paths::kConsistExtension) {
    return result;
  }
  if (result.name.find(paths::kConsistExtension) == std::string::npos) {
    result.name.append(paths::kConsistExtension);
  }
  if (result.name.find(' ') != std::string::npos) {
    result.outcome = SaveResult::Outcome::BlankRefused;
    return result;
  }
  if (namesAnotherFolder(result.name)) {
    throw std::runtime_error(separatorMessage());
  }
  result.outcome = SaveResult::Outcome::Saved;
  return result;
}

SaveResult saveConsist(std::string_view dataRoot, std::string_view comboText,
                       const ConsistModel& model) {
  SaveResult result = consistFileName(comboText);
  if (result.outcome != SaveResult::Outcome::Saved) {
    return result;
  }

  try {
    replaceFile(dataRoot, paths::consistFile(result.name), consistFileText(model));
  } catch (const FileError& error) {
    throw consistFileError("create", result.name, error);
  }
  return result;
}

LoadResult loadConsist(std::string_view dataRoot, std::string_view comboText, ConsistModel& model) {
  if (comboText.empty()) {
    model.clear();
    return {};
  }
  if (namesAnotherFolder(comboText)) {
    throw std::runtime_error(separatorMessage());
  }
  // A name typed without ".con" names the file that saving it would write, when only that one
  // exists.
  std::string name(comboText);
  if (name.find(paths::kConsistExtension) == std::string::npos &&
      resolvePath(dataRoot, paths::consistFile(name)).status != ResolvedPath::Status::Found) {
    const std::string saved = name + std::string(paths::kConsistExtension);
    if (resolvePath(dataRoot, paths::consistFile(saved)).status == ResolvedPath::Status::Found) {
      name = saved;
    }
  }
  std::string text;
  try {
    text = readWholeFile(dataRoot, paths::consistFile(name));
  } catch (const FileError& error) {
    throw consistFileError("open", name, error);
  }
  return loadConsistText(text, model);
}

LoadResult loadConsistText(std::string_view text, ConsistModel& model) {
  std::vector<std::string> lines = splitTextLines(text);
  dropSummaryLine(lines);

  // A base that another program holds (FileError) is reported before the consist changes; the
  // lookups of the lines below then find it read.
  model.base().open();
  model.clear();
  LoadResult result;
  // Dropping the summary line takes lines from the end only, so line i is line i+1 of the file.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const int lineNumber = static_cast<int>(i) + 1;
    if (line.empty()) {
      continue;
    }
    const std::optional<LineFields> fields = readFields(line);
    if (!fields) {
      ++result.skippedLines;
      result.skippedLineNumbers.push_back(lineNumber);
      continue;
    }

    ConsistModel::Wagon wagon;
    wagon.name = std::string(fields->name);
    std::int64_t copies = 1;
    try {
      const RollingStockBase::View base = model.base().open();
      const std::optional<std::string> weight = base.knownWeight(wagon.name);
      const std::optional<std::string> axles = base.knownAxles(wagon.name);
      wagon.weightText = weight ? *weight : std::string(kDefaultWeight);
      wagon.axles = parseWhole(axles ? *axles : kDefaultAxles);
      wagon.lengthSource = FigureSource::File;
      wagon.weightSource = weight ? FigureSource::Base : FigureSource::Default;
      wagon.axlesSource = axles ? FigureSource::Base : FigureSource::Default;
      if (fields->amount >= 2) {
        // An amount stands for that many single wagons, each line written as the program
        // writes lines, with the length in the usual number format.
        copies = fields->amount;
        wagon.lengthText = formatDecimal(fields->length);
        wagon.line = ConsistModel::consistLine(ConsistModel::kAmount, wagon.name, wagon.lengthText);
      } else {
        wagon.lengthText = std::string(fields->lengthText);
        wagon.line = line;
      }
      const int appended = model.appendLoaded(wagon, copies);
      result.wagonLineNumbers.insert(result.wagonLineNumbers.end(),
                                     static_cast<std::size_t>(appended), lineNumber);
      if (appended < copies) {
        result.limitReached = true;
        result.limitLine = lineNumber;
        break;
      }
    } catch (const ConversionError&) {
      ++result.skippedLines;
      result.skippedLineNumbers.push_back(lineNumber);
    }
  }
  return result;
}

}  // namespace rakewright
