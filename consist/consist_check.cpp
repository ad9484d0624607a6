#include "consist/consist_check.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "consist/consist_file.h"
#include "consist/consist_model.h"
#include "platform/cp1251.h"
#include "platform/dir_search.h"
#include "platform/file_error.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "reference/catalogues.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

using Kind = ConsistProblem::Kind;

// A name as a message quotes it: a name of a hostile file may be very long.
constexpr std::size_t kQuotedName = 60;

std::string quoted(std::string_view name) {
  static const std::string open = cp1251Text("«");
  static const std::string close = cp1251Text("»");
  static const std::string ellipsis = cp1251Text("…");
  std::string text = open;
  if (name.size() > kQuotedName) {
    text.append(name.substr(0, kQuotedName)).append(ellipsis);
  } else {
    text.append(name);
  }
  return text.append(close);
}

// "Строка 5" or "Строки 2–4, 7".
std::string linesText(const std::vector<int>& lines) {
  static const std::string one = cp1251Text("Строка ");
  static const std::string many = cp1251Text("Строки ");
  static const std::string dash = cp1251Text("–");
  std::string text = lines.size() == 1 ? one : many;
  for (std::size_t i = 0; i < lines.size();) {
    std::size_t end = i;
    while (end + 1 < lines.size() && lines[end + 1] == lines[end] + 1) {
      ++end;
    }
    if (i > 0) {
      text.append(", ");
    }
    text.append(formatWhole(lines[i]));
    if (end > i) {
      text.append(end == i + 1 ? ", " : dash).append(formatWhole(lines[end]));
    }
    i = end + 1;
  }
  return text;
}

std::string problemText(const ConsistProblem& problem) {
  struct Texts {
    std::string unreadableOne = cp1251Text(": не читается и в состав не войдёт");
    std::string unreadableMany = cp1251Text(": не читаются и в состав не войдут");
    std::string tooMany =
        cp1251Text(": больше 100 вагонов; загрузятся только первые 100, отсюда состав обрезан");
    std::string unknown = cp1251Text(" нет ни в одном каталоге");
    std::string noLength = cp1251Text(": в базе нет длины ");
    std::string guessed = cp1251Text(", длина в файле угадана или введена вручную");
    std::string noWeight = cp1251Text(": в базе нет веса ");
    std::string defaultWeight =
        cp1251Text(", считается ") + std::string(kDefaultWeight) + cp1251Text(" т");
    std::string noAxles = cp1251Text(": в базе нет числа осей ");
    std::string defaultAxles = cp1251Text(", считается ") + std::string(kDefaultAxles);
    std::string noPicture = cp1251Text(": нет картинки ");
    std::string fallback =
        cp1251Text(" в data\\consists\\Preview, в ленте будет «нет изображения»");
  };
  static const Texts texts;
  const std::string name = quoted(problem.name);
  std::string text = linesText(problem.lines);
  switch (problem.kind) {
    case Kind::UnreadableFile:
      return problem.text;
    case Kind::UnreadableLine:
      return text.append(problem.lines.size() == 1 ? texts.unreadableOne : texts.unreadableMany);
    case Kind::TooManyWagons:
      return text.append(texts.tooMany);
    case Kind::UnknownName:
      return text.append(": ").append(name).append(texts.unknown);
    case Kind::GuessedLength:
      return text.append(texts.noLength).append(name).append(texts.guessed);
    case Kind::DefaultWeight:
      return text.append(texts.noWeight).append(name).append(texts.defaultWeight);
    case Kind::DefaultAxles:
      return text.append(texts.noAxles).append(name).append(texts.defaultAxles);
    case Kind::NoPreview:
      return text.append(texts.noPicture).append(name).append(texts.fallback);
  }
  return text;
}

// Problems of one kind and one name, gathered over the lines.
class ProblemList {
 public:
  void add(Kind kind, int line, std::string_view name = {}) {
    const auto [at, added] = index_.try_emplace({kind, std::string(name)}, problems_.size());
    if (added) {
      problems_.push_back({kind, {}, std::string(name), {}});
    }
    std::vector<int>& lines = problems_[at->second].lines;
    if (lines.empty() || lines.back() != line) {
      lines.push_back(line);
    }
  }

  std::vector<ConsistProblem> take() {
    for (ConsistProblem& problem : problems_) {
      problem.text = problemText(problem);
    }
    std::stable_sort(
        problems_.begin(), problems_.end(), [](const ConsistProblem& a, const ConsistProblem& b) {
          return std::pair(a.lines.front(), a.kind) < std::pair(b.lines.front(), b.kind);
        });
    return std::move(problems_);
  }

 private:
  std::vector<ConsistProblem> problems_;
  std::map<std::pair<Kind, std::string>, std::size_t> index_;
};

}  // namespace

int ConsistCheck::errors() const {
  return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                        [](const ConsistProblem& p) { return p.isError(); }));
}

int ConsistCheck::warnings() const {
  return static_cast<int>(problems.size()) - errors();
}

CheckReferences readCheckReferences(const std::string& dataRoot) {
  CheckReferences references;
  Catalogue traffic;
  try {
    ReadCatalogueFile(dataRoot, paths::kTrafficRef, traffic);
  } catch (const FileError&) {
    // The window has no such catalogue either; its names count as unknown.
  }
  for (const std::string_view name : traffic) {
    references.catalogueNames.insert(cp1251UpperCase(name));
  }
  Catalogue folder;
  try {
    ReadCatalogueFile(dataRoot, paths::kConsistsRef, folder);
    for (const std::string_view name : folder) {
      references.catalogueNames.insert(cp1251UpperCase(name));
    }
  } catch (const FileError&) {
    // The window writes the folder index on every start; where it never ran (a check from the
    // command line on a fresh copy), the index is made from the wagon folders as the window would
    // make it, without writing it, so that no folder wagon counts as unknown.
    for (const std::string& line : folderIndexLines(dataRoot, traffic)) {
      references.catalogueNames.insert(cp1251UpperCase(line.substr(0, line.find('\t'))));
    }
  }
  // The preview pictures by their upper-cased file names; a name that reaches into another
  // folder is resolved as the strip resolves it.
  std::unordered_set<std::string> pictures;
  for (const DirEntry& entry : findFiles(dataRoot, std::string(paths::kPreviewFolder) + "*.jpg")) {
    if (!entry.isFolder) {
      pictures.insert(cp1251UpperCase(entry.name));
    }
  }
  references.hasPreview = [dataRoot, pictures = std::move(pictures)](std::string_view name) {
    if (name.find_first_of("\\/") != std::string_view::npos) {
      return resolvePath(dataRoot, paths::previewPicture(name)).status ==
             ResolvedPath::Status::Found;
    }
    return pictures.contains(
        cp1251UpperCase(std::string(name) + std::string(paths::kPreviewExtension)));
  };
  return references;
}

ConsistCheck checkConsistText(std::string_view text, RollingStockBase& base,
                              const CheckReferences& references) {
  ConsistModel scratch(base);
  const LoadResult loaded = loadConsistText(text, scratch);

  ConsistCheck check;
  check.wagons = scratch.wagonCount();
  check.length = scratch.lengthText();
  check.weight = scratch.weightText();
  check.axles = scratch.axlesText();

  ProblemList problems;
  for (const int line : loaded.skippedLineNumbers) {
    problems.add(Kind::UnreadableLine, line);
  }
  if (loaded.limitReached) {
    problems.add(Kind::TooManyWagons, loaded.limitLine);
  }

  const RollingStockBase::View view = base.open();
  std::unordered_set<std::string_view> named;
  const std::vector<ConsistModel::Wagon>& wagons = scratch.wagons();
  for (std::size_t i = 0; i < wagons.size(); ++i) {
    const ConsistModel::Wagon& wagon = wagons[i];
    const int line = loaded.wagonLineNumbers[i];
    const std::string& name = wagon.name;
    if (named.insert(name).second) {
      check.names.push_back(name);
    }
    const auto [at, firstTime] = references.facts->try_emplace(name);
    CheckReferences::NameFacts& facts = at->second;
    if (firstTime) {
      facts.hasLength = view.knownLength(name).has_value();
      facts.inCatalogue = references.catalogueNames.contains(cp1251UpperCase(name));
      facts.hasPreview = !references.hasPreview || references.hasPreview(name);
    }
    if (!facts.inCatalogue) {
      problems.add(Kind::UnknownName, line, name);
    }
    if (!facts.hasLength) {
      problems.add(Kind::GuessedLength, line, name);
    }
    if (wagon.weightSource == FigureSource::Default) {
      problems.add(Kind::DefaultWeight, line, name);
    }
    if (wagon.axlesSource == FigureSource::Default) {
      problems.add(Kind::DefaultAxles, line, name);
    }
    if (!facts.hasPreview) {
      problems.add(Kind::NoPreview, line, name);
    }
  }
  check.problems = problems.take();
  return check;
}

ConsistCheck unreadableConsistFile(std::string_view reason) {
  ConsistCheck check;
  ConsistProblem problem;
  problem.kind = Kind::UnreadableFile;
  static const std::string unreadable = cp1251Text("Файл не читается: ");
  problem.text = unreadable + std::string(reason);
  check.problems.push_back(std::move(problem));
  return check;
}

}  // namespace rakewright
