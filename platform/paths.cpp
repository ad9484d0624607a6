#include "platform/paths.h"

#include <optional>

#include "platform/cp1251.h"
#include "platform/file_system.h"

namespace rakewright {

namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
#ifdef _WIN32
  const bool endsInSeparator = isSeparator(folder.back());  // "C:\sim\" from the system
#else
  const bool endsInSeparator = folder.back() == '/';  // "\" is a name's own character on disk
#endif
  return endsInSeparator ? folder + name : folder + "/" + name;
}

enum class Kind { Any, Folder };

bool exists(const std::string& diskPath, Kind kind) {
  const EntryKind found = entryKind(diskPath);
  return kind == Kind::Any ? found != EntryKind::Missing : found == EntryKind::Folder;
}

// The disk name of the entry of `folder` that is `name` (Windows-1251) ignoring letter case: the
// exact name first, then the first match in listing order.
std::optional<std::string> findEntry(const std::string& folder, const std::string& name,
                                     Kind kind) {
  if (name == "..") {
    return exists(join(folder, name), Kind::Folder) ? std::optional<std::string>(name)
                                                    : std::nullopt;
  }
  const auto exact = findByName(folder, nameToDisk(name));
  if (exact && (kind == Kind::Any || exact->isFolder)) {
    return exact->diskName;
  }
  const auto entries = readFolder(folder);
  if (!entries) {
    return std::nullopt;
  }
  // Every match, so that the first in listing order wins.
  std::optional<std::string> best;
  std::string bestName;
  for (const FolderEntry& entry : *entries) {
    const std::string converted = nameFromDisk(entry.diskName);
    if (!equalsIgnoreCase(converted, name) || (kind == Kind::Folder && !entry.isFolder)) {
      continue;
    }
    if (!best || listsBefore(converted, bestName)) {
      best = entry.diskName;
      bestName = converted;
    }
  }
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
  const std::size_t root = rootLength(path);
  const bool namesFolder = !path.empty() && isSeparator(path.back());
  std::string current =
      root > 0 ? std::string(path.substr(0, root)) : (anchor == "." ? "" : std::string(anchor));
  const std::vector<std::string> parts = splitPath(path.substr(root));

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

}  // namespace rakewright
