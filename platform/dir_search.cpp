#include "platform/dir_search.h"

#include <algorithm>

#include "platform/cp1251.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace rakewright {

bool fitsMask(std::string_view name, std::string_view mask) {
  if (mask == "*.*") {
    return true;
  }
  // Wildcard match with backtracking to the last "*".
  std::size_t n = 0;
  std::size_t m = 0;
  std::size_t starMask = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() &&
               (mask[m] == '?' || cp1251Upper(mask[m]) == cp1251Upper(name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') {
    ++m;
  }
  return m == mask.size();
}

std::vector<DirEntry> listFolder(const std::string& diskFolder) {
  std::vector<DirEntry> entries;
  if (auto found = readFolder(diskFolder)) {
    for (FolderEntry& entry : *found) {
      entries.push_back({nameFromDisk(entry.diskName), entry.isFolder, std::move(entry.diskName)});
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return listsBefore(a.name, b.name); });
  return entries;
}

std::vector<DirEntry> findFiles(std::string_view anchor, std::string_view pattern) {
  const std::size_t cut = pattern.find_last_of("\\/");
  const std::string_view folder =
      cut == std::string_view::npos ? std::string_view() : pattern.substr(0, cut + 1);
  const std::string_view mask = cut == std::string_view::npos ? pattern : pattern.substr(cut + 1);

  std::string diskFolder;
  if (folder.empty()) {
    diskFolder = std::string(anchor);
  } else {
    const ResolvedPath resolved = resolvePath(anchor, folder);
    if (resolved.status != ResolvedPath::Status::Found) {
      return {};
    }
    diskFolder = resolved.diskPath;
  }

  std::vector<DirEntry> matches;
  for (DirEntry& entry : listFolder(diskFolder)) {
    if (fitsMask(entry.name, mask)) {
      matches.push_back(std::move(entry));
    }
  }
  return matches;
}

}  // namespace rakewright
