// The check of a consist file, for the consist library: what loading it would give (the wagons and
// the four totals, computed by the loader itself on a consist of its own, never the one being
// edited) and what is wrong with it, by the numbers of the lines concerned.
//
// Errors make the simulator fail on the file or the loader drop part of it: the file cannot be
// read, a line cannot be read, the file holds more than 100 wagons, or a name is in neither
// catalogue. Warnings are figures that the base does not give (a length that was guessed or typed
// when the wagon was added, the default weight or axle count) and wagons without a preview
// picture, which the strip shows as the no-preview picture. Problems of one kind and one name are
// reported once, with all their lines.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "reference/rolling_stock_base.h"

namespace rakewright {

struct ConsistProblem {
  // In the order in which problems of the same line are listed.
  enum class Kind : std::uint8_t {
    UnreadableFile,
    UnreadableLine,
    TooManyWagons,
    UnknownName,
    GuessedLength,
    DefaultWeight,
    DefaultAxles,
    NoPreview,
  };
  Kind kind = Kind::UnreadableLine;
  std::vector<int> lines;  // line numbers from 1, ascending; none for the whole file
  std::string name;        // the rolling-stock name concerned, if any
  std::string text;        // the message, Windows-1251, beginning with the lines

  bool isError() const { return kind <= Kind::UnknownName; }
  bool operator==(const ConsistProblem&) const = default;
};

struct ConsistCheck {
  // As loading the file would show them.
  int wagons = 0;
  std::string length = "0";
  std::string weight = "0";
  std::string axles = "0";
  // The rolling-stock names of the loaded wagons, each once, in consist order.
  std::vector<std::string> names;
  // By their first line; whole-file problems first.
  std::vector<ConsistProblem> problems;

  int errors() const;
  int warnings() const;
};

// What files are checked against.
struct CheckReferences {
  // The names of both catalogues, upper-cased (cp1251UpperCase), so that letter case is ignored.
  std::unordered_set<std::string> catalogueNames;
  // Whether the strip finds a preview picture for a name.
  std::function<bool(std::string_view name)> hasPreview;

  // What the check found out about each name, kept while these references stand, so that a name
  // met in many files is looked up once. Whoever keeps references must make new ones when the
  // base, the catalogues or the pictures change (ConsistFolderCheck does).
  struct NameFacts {
    bool inCatalogue = false;
    bool hasLength = false;
    bool hasPreview = false;
  };
  std::shared_ptr<std::unordered_map<std::string, NameFacts>> facts =
      std::make_shared<std::unordered_map<std::string, NameFacts>>();
};

// The catalogues as the window builds them (the traffic list and the folder index below
// `dataRoot`; a traffic list that cannot be read counts as empty, a folder index that cannot be
// read is made from the wagon folders) and the preview pictures of the data folder, listed once.
CheckReferences readCheckReferences(const std::string& dataRoot);

// Checks the content of a consist file against the base and the references.
ConsistCheck checkConsistText(std::string_view text, RollingStockBase& base,
                              const CheckReferences& references);

// The check of a file that cannot be read: one error with `reason` (Windows-1251).
ConsistCheck unreadableConsistFile(std::string_view reason);

}  // namespace rakewright
