// The check of every consist file of "data\consists\", for the consist library. Each pass lists
// the folder and checks the files that are new or changed since the last pass (by size and
// modification time); the others keep their last check. When the rolling-stock base, a catalogue
// file or the preview folder changed, every file is checked again, since its problems may have
// changed with them.
//
// A pass runs off the window's thread: the object is used by one thread at a time, and a pass can
// be stopped between two files.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <stop_token>
#include <string>
#include <vector>

#include "consist/consist_check.h"
#include "platform/file_system.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

struct ConsistFileEntry {
  std::string name;      // as listed, Windows-1251
  std::string diskPath;  // the path as the operating system takes it
  std::int64_t size = 0;
  std::chrono::system_clock::time_point modified;
  ConsistCheck check;
};

class ConsistFolderCheck {
 public:
  // The consist folder below `dataRoot`, checked against the base beside `programFolder`.
  ConsistFolderCheck(std::string dataRoot, std::string programFolder);

  // Lists the folder (files only, in the listing order) and checks what changed; with `full`,
  // every file. A stopped pass returns the files checked so far.
  std::vector<ConsistFileEntry> pass(bool full = false, std::stop_token stop = {});

  // How many files the last pass read and checked (the others kept their check).
  int lastChecked() const { return lastChecked_; }

 private:
  using Stamp = EntryStamp;
  // The stamps of what every check depends on besides the file itself.
  std::vector<Stamp> referenceStamps() const;

  std::string dataRoot_;
  std::string programFolder_;
  RollingStockBase base_;
  CheckReferences references_;
  std::vector<Stamp> referencesSeen_;
  // The last check of each file, by disk path, with the stamp it was made for. A check that the
  // base could not be read for is not kept.
  std::map<std::string, std::pair<Stamp, ConsistFileEntry>> checked_;
  int lastChecked_ = 0;
};

}  // namespace rakewright
