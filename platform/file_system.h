// The few questions about names and folders that the rest of the platform layer asks the
// operating system, answered by file_system_posix.cpp on Linux and file_system_windows.cpp on
// Windows. Disk paths are UTF-8 strings on both systems (Windows takes them as UTF-16, converted
// at the call), and "/" separates folders in the paths this layer builds.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rakewright {

enum class EntryKind { Missing, File, Folder, Other };

// What a disk path names, after following links. A name the system keeps for a device (Windows'
// NUL, CON, COM1, ...) is Other and is never opened.
EntryKind entryKind(const std::string& diskPath);

struct FolderEntry {
  std::string diskName;
  bool isFolder = false;
};

// The entries of a folder ("" is the working folder) in the system's order, "." and ".." left
// out; nullopt when the folder cannot be read, also when the listing breaks off before its end.
std::optional<std::vector<FolderEntry>> readFolder(const std::string& diskFolder);

// The entry of a folder ("" is the working folder) that the system finds under `diskName`,
// following links: on Linux only that exact name; on Windows the same name in any letter case,
// given back as the disk stores it, so that the user sees the disk's spelling (an 8.3 short name,
// or the name with dots or blanks added at its end, finds nothing).
std::optional<FolderEntry> findByName(const std::string& diskFolder, const std::string& diskName);

// What tells one state of a file from another: the same identity means the same file with the same
// content, as far as the system can tell without reading it.
// On Linux the device, inode, size, modification and status change; on Windows the size and the
// last write time alone (the one look that opens nothing gives no file index, and the creation
// time stays the old file's when ReplaceFileW puts a new one in its place).
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  std::int64_t size = 0;
  std::int64_t modified = 0;  // in the system's own units
  std::int64_t changed = 0;   // status change (Linux); 0 on Windows
  bool operator==(const FileIdentity&) const = default;
};

// The identity of a regular file; nullopt for anything else or when it cannot be asked.
std::optional<FileIdentity> identifyFile(const std::string& diskPath);

// What a listing shows of an entry and compares between two looks at it, following links.
struct EntryStamp {
  bool exists = false;
  std::uint64_t size = 0;                          // of a file; 0 for a folder or anything else
  std::chrono::system_clock::time_point modified;  // the last write
  bool operator==(const EntryStamp&) const = default;
};

// The stamp of what a disk path names; `exists` false when it cannot be asked.
EntryStamp stampEntry(const std::string& diskPath);

// The disk path of the entry `diskName` of a folder ("" is the working folder), joined with the
// system's own separator ("/" on Linux, "\" on Windows) unless the folder ends in one.
std::string childPath(const std::string& diskFolder, std::string_view diskName);

// Whether two disk paths are spelled alike as the system reads them: on Windows "/" and "\" are
// the same separator; on Linux the bytes must match.
bool sameDiskPath(std::string_view a, std::string_view b);

// The length of the root at the start of a path: "/" on Linux; "\" or "/", "C:\", "C:" and
// "\\server\share\" on Windows. 0 for a relative path.
std::size_t rootLength(std::string_view path);

}  // namespace rakewright
