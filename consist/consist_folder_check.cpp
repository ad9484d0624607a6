#include "consist/consist_folder_check.h"

#include <optional>
#include <utility>

#include "platform/dir_search.h"
#include "platform/file_error.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

// The date shown for a file that could not be looked at (gone since it was listed): the start of
// the file clock, as it always was.
std::chrono::system_clock::time_point unknownTime() {
  return std::chrono::file_clock::to_sys(std::chrono::file_clock::time_point{});
}

}  // namespace

ConsistFolderCheck::ConsistFolderCheck(std::string dataRoot, std::string programFolder)
    : dataRoot_(std::move(dataRoot)),
      programFolder_(std::move(programFolder)),
      base_(programFolder_) {}

std::vector<ConsistFolderCheck::Stamp> ConsistFolderCheck::referenceStamps() const {
  const auto stampAt = [](const std::string& anchor, std::string_view path) {
    const ResolvedPath resolved = resolvePath(anchor, path);
    return resolved.status == ResolvedPath::Status::Found ? stampEntry(resolved.diskPath) : Stamp{};
  };
  // A preview picture added or removed changes its folder's modification time.
  return {stampAt(programFolder_, paths::kBaseIni), stampAt(dataRoot_, paths::kTrafficRef),
          stampAt(dataRoot_, paths::kConsistsRef), stampAt(dataRoot_, paths::kPreviewFolder)};
}

std::vector<ConsistFileEntry> ConsistFolderCheck::pass(bool full, std::stop_token stop) {
  lastChecked_ = 0;
  std::vector<Stamp> stamps = referenceStamps();
  if (full || stamps != referencesSeen_ || !references_.hasPreview) {
    references_ = readCheckReferences(dataRoot_);
    referencesSeen_ = std::move(stamps);
    checked_.clear();
  }

  std::vector<ConsistFileEntry> entries;
  const ResolvedPath folder = resolvePath(dataRoot_, paths::kConsistFolder);
  if (folder.status != ResolvedPath::Status::Found) {
    checked_.clear();
    return entries;
  }
  std::map<std::string, std::pair<Stamp, ConsistFileEntry>> stillThere;
  for (DirEntry& listed : findFiles(dataRoot_, paths::kConsistFiles)) {
    if (stop.stop_requested()) {
      break;
    }
    if (listed.isFolder) {
      continue;
    }
    // Joined by the platform layer: a std::filesystem path made of a std::string would take the
    // UTF-8 name in the ANSI code page on Windows, and name another file or none.
    const std::string diskPath = childPath(folder.diskPath, listed.diskName);
    const Stamp stamp = stampEntry(diskPath);
    const auto known = checked_.find(diskPath);
    if (known != checked_.end() && known->second.first == stamp) {
      entries.push_back(known->second.second);
    } else {
      ConsistFileEntry entry;
      entry.name = std::move(listed.name);
      entry.diskPath = diskPath;
      entry.size = static_cast<std::int64_t>(stamp.size);
      entry.modified = stamp.exists ? stamp.modified : unknownTime();
      bool keep = true;
      std::optional<std::string> text;
      try {
        text = readDiskFile(diskPath);
      } catch (const FileError& error) {
        entry.check = unreadableConsistFile(reasonOf(error));
      }
      if (text) {
        try {
          entry.check = checkConsistText(*text, base_, references_);
        } catch (const FileError& error) {
          // The base, held by another program beyond the waits: the file is not checked now,
          // and the message says why.
          entry.check = unreadableConsistFile(error.what());
          keep = false;
        }
      }
      ++lastChecked_;
      entries.push_back(std::move(entry));
      if (!keep) {
        continue;
      }
    }
    stillThere.emplace(diskPath, std::pair(stamp, entries.back()));
  }
  // A file that was not reached keeps its check for the next pass; one that is gone does not.
  if (!stop.stop_requested()) {
    checked_ = std::move(stillThere);
  } else {
    stillThere.merge(checked_);
    checked_ = std::move(stillThere);
  }
  return entries;
}

}  // namespace rakewright
