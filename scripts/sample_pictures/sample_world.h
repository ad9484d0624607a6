// The sample simulator folder as data: the rolling stock with its traffic list columns, its entries
// in the rolling-stock base and its preview picture; the freight and passenger wagon folders with
// their files; and the consist files. Every name is UTF-8 here and becomes Windows-1251 in the text
// files and UTF-8 in file names on disk.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "drawings.h"

namespace sample {

// The length sections of the base, in the order of the length lookup.
enum class Section { Pass, Freight, Locos, Mvps, Special };

struct Stock {
  std::string name;
  bool traffic = false;   // listed in traffic.ref
  bool bareLine = false;  // in traffic.ref as the name alone, without any TAB
  int speed = 0;          // km/h, a further column of traffic.ref
  std::vector<std::pair<Section, std::string>> lengths;  // base entries, "-1" included
  std::string weight;                                    // WEIGHTS, "" for none
  std::string axles;                                     // OSI, "" for none
  std::optional<Look> preview;
};

// One file of a wagon folder: a placeholder of a few bytes, or a real wagon bitmap.
struct FolderFile {
  std::string name;
  std::optional<Look> bitmap;
};

struct WagonFolder {
  std::string name;
  std::vector<FolderFile> files;
};

struct ConsistEntry {
  ConsistEntry(int amount, std::string name, std::string length = {})
      : amount(amount), name(std::move(name)), length(std::move(length)) {}
  int amount = 1;
  std::string name;
  std::string length;  // as written in the file; empty: the base's length or the guess
};

struct ConsistDefinition {
  std::string file;
  std::vector<ConsistEntry> entries;
};

std::vector<Stock> rollingStock();
std::vector<WagonFolder> freightFolders();
std::vector<WagonFolder> passengerFolders();
std::vector<ConsistDefinition> consistFiles();

}  // namespace sample
