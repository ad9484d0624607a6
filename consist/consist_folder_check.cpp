#include "consist/consist_folder_check.h"

#include <system_error>
#include <utility>

#include "platform/dir_search.h"
#include "platform/file_error.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace fs = std::filesystem;

ConsistFolderCheck::ConsistFolderCheck(std::string dataRoot, std::string programFolder)
    : dataRoot_(std::move(dataRoot)),
      programFolder_(std::move(programFolder)),
      base_(programFolder_) {}

ConsistFolderCheck::Stamp ConsistFolderCheck::stampOf(const std::string& diskPath) {
  Stamp stamp;
  std::error_code error;
  const fs::file_status status = fs::status(diskPath, error);
  if (error || !fs::exists(status)) {
    return stamp;
  }
  stamp.exists = true;
  if (fs::is_regular_file(status)) {
    stamp.size = fs::file_size(diskPath, error);
  }
  stamp.modified = fs::last_write_time(diskPath, error);
  return stamp;
}

std::vector<ConsistFolderCheck::Stamp> ConsistFolderCheck::referenceStamps() const {
  const auto stampAt = [](const std::string& anchor, std::string_view path) {
    const ResolvedPath resolved = resolvePath(anchor, path);
    return resolved.status == ResolvedPath::Status::Found ? stampOf(resolved.diskPath) : Stamp{};
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
    const std::string diskPath = (fs::path(folder.diskPath) / listed.diskName).string();
    const Stamp stamp = stampOf(diskPath);
    const auto known = checked_.find(diskPath);
    if (known != checked_.end() && known->second.first == stamp) {
      entries.push_back(known->second.second);
    } else {
      ConsistFileEntry entry;
      entry.name = std::move(listed.name);
      entry.diskPath = diskPath;
      entry.size = static_cast<std::int64_t>(stamp.size);
      entry.modified = std::chrono::file_clock::to_sys(stamp.modified);
      try {
        entry.check = checkConsistText(readDiskFile(diskPath), base_, references_);
      } catch (const FileError& error) {
        entry.check = unreadableConsistFile(reasonOf(error));
      }
      ++lastChecked_;
      entries.push_back(std::move(entry));
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
