#include <algorithm>
#include <chrono>
#include <ratio>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/win32.h"

namespace rakewright {

namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

// Opens an existing path for asking about it (no reading or writing), following links; folders
// too. Any other program may do anything with it meanwhile.
HANDLE openForQuery(const std::wstring& path) {
  return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::int64_t asInt(DWORD high, DWORD low) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

// FILETIME counts 100-nanosecond steps from 1601; the system clock counts from 1970.
std::chrono::system_clock::time_point systemTime(const FILETIME& time) {
  constexpr std::int64_t kStepsFrom1601To1970 = 116'444'736'000'000'000LL;
  const std::int64_t steps = asInt(time.dwHighDateTime, time.dwLowDateTime) - kStepsFrom1601To1970;
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>(steps)));
}

// Whether a failed look at a path means that nothing is there: not found, or a name no file can
// have (":" in it). Any other failure (access denied, a network error) may hide an entry.
bool meansAbsent(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME;
}

}  // namespace

EntryKind entryKind(const std::string& diskPath) {
  if (namesDevice(diskPath)) {
    return EntryKind::Other;
  }
  const std::wstring path = win32Path(diskPath);
  if (isDeviceNamespace(path)) {
    return EntryKind::Other;
  }
  const DWORD attributes = win32Calls.getFileAttributes(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // Something that cannot be looked at is no file to open, and no place for a new one.
    return meansAbsent(GetLastError()) ? EntryKind::Missing : EntryKind::Other;
  }
  if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
    return EntryKind::Other;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    // A link: what it leads to counts, as on Linux.
    const Handle handle(openForQuery(path));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &info)) {
      return EntryKind::Missing;
    }
    return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder
                                                                   : EntryKind::File;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder : EntryKind::File;
}

std::optional<FolderEntry> findByName(const std::string& diskFolder, const std::string& diskName) {
  // A wildcard would make the search a pattern; no Windows name holds one.
  if (diskName.find_first_of("*?<>\"") != std::string::npos) {
    return std::nullopt;
  }
  std::string path = diskFolder;
  if (!path.empty() && !isSeparator(path.back())) {
    path += '\\';
  }
  path += diskName;
  if (namesDevice(path)) {
    return std::nullopt;
  }
  const std::wstring fullPath = win32Path(path);
  if (isDeviceNamespace(fullPath)) {
    return std::nullopt;
  }
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW(fullPath.c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  FindClose(search);
  // The search also finds a file by its 8.3 short name ("ABCDEF~1.CON" for "abcdefghij.con"),
  // and by the name without dots and blanks at its end: only the long name itself, in any
  // letter case, is this entry.
  if (CompareStringOrdinal(found.cFileName, -1, widen(diskName).c_str(), -1, TRUE) != CSTR_EQUAL) {
    return std::nullopt;
  }
  FolderEntry entry{narrow(found.cFileName),
                    (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    // A link: what it leads to counts, as on Linux.
    const EntryKind kind = entryKind(path);
    if (kind == EntryKind::Missing) {
      return std::nullopt;
    }
    entry.isFolder = kind == EntryKind::Folder;
  }
  return entry;
}

std::optional<std::vector<FolderEntry>> readFolder(const std::string& diskFolder) {
  std::string pattern = diskFolder.empty() ? std::string(".") : diskFolder;
  if (!isSeparator(pattern.back())) {
    pattern += '\\';
  }
  pattern += '*';
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW(win32Path(pattern).c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // A drive's root lists no "." and "..", so an empty one finds nothing.
    if (GetLastError() == ERROR_FILE_NOT_FOUND) {
      return std::vector<FolderEntry>{};
    }
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") {
      continue;
    }
    entries.push_back({narrow(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (win32Calls.findNextFile(search, &found));
  // A listing cut short (a network drive gone, a folder removed while read) is no list.
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) {
    return std::nullopt;
  }
  return entries;
}

std::optional<FileIdentity> identifyFile(const std::string& diskPath) {
  if (diskPath.empty() || namesDevice(diskPath)) {
    return std::nullopt;
  }
  // Asked once per group of base lookups, thousands of times in a filter pass: one call that
  // opens nothing, and so no file index. The size and the last write time tell a change: a
  // rewrite sets the write time, and so does every save that puts a new file in the place of the
  // old (the new file was written just now). The creation time tells nothing: ReplaceFileW gives
  // the new file the old one's.
  const std::wstring path = win32Path(diskPath);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return std::nullopt;
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    // A link tells nothing of the file it leads to: that file's own figures.
    const Handle handle(openForQuery(path));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.valid() || GetFileType(handle.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handle.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return std::nullopt;
    }
    return FileIdentity{
        0, 0, asInt(info.nFileSizeHigh, info.nFileSizeLow),
        asInt(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime), 0};
  }
  return FileIdentity{
      0, 0, asInt(data.nFileSizeHigh, data.nFileSizeLow),
      asInt(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime), 0};
}

EntryStamp stampEntry(const std::string& diskPath) {
  EntryStamp stamp;
  if (diskPath.empty() || namesDevice(diskPath)) {
    return stamp;
  }
  const std::wstring path = win32Path(diskPath);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (isDeviceNamespace(path) ||
      !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    return stamp;
  }
  DWORD attributes = data.dwFileAttributes;
  std::uint64_t size = static_cast<std::uint64_t>(asInt(data.nFileSizeHigh, data.nFileSizeLow));
  FILETIME written = data.ftLastWriteTime;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    // A link: the figures of what it leads to, as on Linux.
    const Handle handle(openForQuery(path));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &info)) {
      return stamp;
    }
    attributes = info.dwFileAttributes;
    size = static_cast<std::uint64_t>(asInt(info.nFileSizeHigh, info.nFileSizeLow));
    written = info.ftLastWriteTime;
  }
  stamp.exists = true;
  stamp.size = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0 ? size : 0;
  stamp.modified = systemTime(written);
  return stamp;
}

std::string childPath(const std::string& diskFolder, std::string_view diskName) {
  std::string path = diskFolder;
  if (!path.empty() && !isSeparator(path.back()) && path.back() != ':') {
    path += '\\';
  }
  path.append(diskName);
  return path;
}

bool sameDiskPath(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return x == y || (isSeparator(x) && isSeparator(y)); });
}

std::size_t rootLength(std::string_view path) {
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
    // "\\server\share\": the server and the share belong to the root.
    std::size_t end = 2;
    for (int part = 0; part < 2 && end < path.size(); ++part) {
      while (end < path.size() && !isSeparator(path[end])) {
        ++end;
      }
      if (end < path.size()) {
        ++end;
      }
    }
    return end;
  }
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    return path.size() >= 3 && isSeparator(path[2]) ? 3 : 2;
  }
  return !path.empty() && isSeparator(path.front()) ? 1 : 0;
}

std::string programFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return workingFolder();
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  std::string path = narrow(buffer);
  if (path.starts_with("\\\\?\\UNC\\")) {
    path = "\\\\" + path.substr(8);
  } else if (path.starts_with("\\\\?\\")) {
    path = path.substr(4);
  }
  // Up to and including the last "\" or ":".
  return path.substr(0, path.find_last_of("\\:") + 1);
}

std::string workingFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring buffer(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  if (length == 0 || length >= size) {
    return ".\\";
  }
  buffer.resize(length);
  std::string path = narrow(buffer);
  return isSeparator(path.back()) ? path : path + "\\";
}

}  // namespace rakewright
