#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <optional>

#include "platform/cp1251.h"

namespace rakewright {

namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

enum class Kind { Any, Folder };

bool exists(const std::string& diskPath, Kind kind) {
  struct stat info {};
  if (stat(diskPath.c_str(), &info) != 0) {
    return false;
  }
  return kind == Kind::Any || S_ISDIR(info.st_mode);
}

// The disk name of the entry of `folder` that is `name` (Windows-1251) ignoring letter case: the
// exact name first, then the first match in listing order.
std::optional<std::string> findEntry(const std::string& folder, const std::string& name,
                                     Kind kind) {
  if (name == "..") {
    return exists(join(folder, name), Kind::Folder) ? std::optional<std::string>(name)
                                                    : std::nullopt;
  }
  const std::string exact = nameToDisk(name);
  if (exists(join(folder, exact), kind)) {
    return exact;
  }
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) {
    return std::nullopt;
  }
  // Every match, so that the first in listing order wins.
  std::optional<std::string> best;
  std::string bestName;
  while (const dirent* entry = readdir(dir)) {
    const std::string diskName = entry->d_name;
    if (diskName == "." || diskName == "..") {
      continue;
    }
    const std::string converted = nameFromDisk(diskName);
    if (!equalsIgnoreCase(converted, name)) {
      continue;
    }
    if (kind == Kind::Folder && !exists(join(folder, diskName), Kind::Folder)) {
      continue;
    }
    if (!best || listsBefore(converted, bestName)) {
      best = diskName;
      bestName = converted;
    }
  }
  closedir(dir);
  return best;
}

}  // namespace

std::vector<std::string> splitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (const char c : path) {
    if (isSeparator(c)) {
      if (!current.empty() && current != ".") {
        parts.push_back(std::move(current));
      }
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty() && current != ".") {
    parts.push_back(std::move(current));
  }
  return parts;
}

ResolvedPath resolvePath(std::string_view anchor, std::string_view path) {
  const bool absolute = !path.empty() && isSeparator(path.front());
  const bool namesFolder = !path.empty() && isSeparator(path.back());
  std::string current = absolute ? "/" : (anchor == "." ? "" : std::string(anchor));
  const std::vector<std::string> parts = splitPath(path);

  ResolvedPath result;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    const Kind kind = (!last || namesFolder) ? Kind::Folder : Kind::Any;
    if (auto found = findEntry(current, parts[i], kind)) {
      current = join(current, *found);
      continue;
    }
    result.status = last ? ResolvedPath::Status::MissingLeaf : ResolvedPath::Status::MissingFolder;
    result.diskPath = join(current, nameToDisk(parts[i]));
    return result;
  }
  result.status = ResolvedPath::Status::Found;
  result.diskPath = current.empty() ? "." : current;
  return result;
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
