#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace rakewright {

EntryKind entryKind(const std::string& diskPath) {
  struct stat info {};
  if (stat(diskPath.empty() ? "." : diskPath.c_str(), &info) != 0) {
    return EntryKind::Missing;
  }
  if (S_ISDIR(info.st_mode)) {
    return EntryKind::Folder;
  }
  return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
}

std::optional<FolderEntry> findByName(const std::string& diskFolder, const std::string& diskName) {
  const std::string path = diskFolder.empty()         ? diskName
                           : diskFolder.back() == '/' ? diskFolder + diskName
                                                      : diskFolder + "/" + diskName;
  const EntryKind kind = entryKind(path);
  if (kind == EntryKind::Missing) {
    return std::nullopt;
  }
  return FolderEntry{diskName, kind == EntryKind::Folder};
}

std::optional<std::vector<FolderEntry>> readFolder(const std::string& diskFolder) {
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(
      opendir(diskFolder.empty() ? "." : diskFolder.c_str()), &closedir);
  if (!dir) {
    return std::nullopt;
  }
  const std::string prefix =
      diskFolder.empty() ? "" : (diskFolder.back() == '/' ? diskFolder : diskFolder + "/");
  std::vector<FolderEntry> entries;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string diskName = entry->d_name;
    if (diskName == "." || diskName == "..") {
      continue;
    }
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      isFolder = entryKind(prefix + diskName) == EntryKind::Folder;
    }
    entries.push_back({diskName, isFolder});
  }
  return entries;
}

std::optional<FileIdentity> identifyFile(const std::string& diskPath) {
  struct stat info {};
  if (diskPath.empty() || stat(diskPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return std::nullopt;
  }
  return FileIdentity{info.st_dev, info.st_ino, info.st_size,
                      info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec,
                      info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec};
}

EntryStamp stampEntry(const std::string& diskPath) {
  EntryStamp stamp;
  struct stat info {};
  if (diskPath.empty() || stat(diskPath.c_str(), &info) != 0) {
    return stamp;
  }
  stamp.exists = true;
  stamp.size = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
  stamp.modified = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(info.st_mtim.tv_sec) +
          std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
  return stamp;
}

std::string childPath(const std::string& diskFolder, std::string_view diskName) {
  std::string path = diskFolder;
  if (!path.empty() && path.back() != '/') {
    path += '/';
  }
  path.append(diskName);
  return path;
}

bool sameDiskPath(std::string_view a, std::string_view b) {
  return a == b;
}

std::size_t rootLength(std::string_view path) {
  return !path.empty() && (path.front() == '/' || path.front() == '\\') ? 1 : 0;
}

std::string programFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) {
    return workingFolder();
  }
  std::string path(buffer, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

std::string workingFolder() {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) {
    return "./";
  }
  std::string path(buffer);
  return path.back() == '/' ? path : path + "/";
}

}  // namespace rakewright
