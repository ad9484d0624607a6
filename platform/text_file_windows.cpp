#include <algorithm>
#include <cerrno>
#include <random>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/text_file_internal.h"
#include "platform/win32.h"

namespace rakewright {

namespace {

[[noreturn]] void throwLastError() {
  throw fileErrorFromWin32(GetLastError());
}

FileError notRegularFile() {
  return {FileError::kNotRegularFile, 0};
}

FileError tooLarge() {
  return {FileError::kFileTooLarge, 0};
}

// A folder where a file is wanted: the platform's "File access denied", as opening it as a file
// gives on Windows.
FileError isFolder() {
  const FileError mapped = fileErrorFromErrno(EISDIR);
  return {mapped.code(), EISDIR, mapped.what(), ERROR_ACCESS_DENIED};
}

std::uint64_t sizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

bool meansAbsent(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Refuses what must not be read or replaced before anything is opened: a device name ("nul"
// would read as empty and swallow a save), a folder as before ("File access denied"), and
// anything else that is no plain file. Returns the attributes, or INVALID_FILE_ATTRIBUTES (the
// last error telling which) when the path does not exist; an attribute read that fails for any
// other reason (access denied to a folder on the way, a network error) may hide a file, and
// throws.
DWORD checkPath(const std::string& diskPath, const std::wstring& path) {
  if (namesDevice(diskPath) || isDeviceNamespace(path)) {
    throw notRegularFile();
  }
  const DWORD attributes = win32Calls.getFileAttributes(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!meansAbsent(GetLastError())) {
      throwLastError();
    }
    return attributes;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw isFolder();
  }
  if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
    throw notRegularFile();
  }
  return attributes;
}

// Whether something stands under `path`. Only "not found" is absence: a failure of another kind
// may hide a file, which must then be neither overwritten nor given up.
bool stands(const std::wstring& path) {
  return win32Calls.getFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
         !meansAbsent(GetLastError());
}

// Opens with CreateFileW, waiting out a program that holds the file for a moment.
HANDLE openWaiting(const std::wstring& path, DWORD access, DWORD flags, BusyRetry& retry) {
  for (;;) {
    const HANDLE file = win32Calls.createFile(
        path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, flags, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      return file;
    }
    const DWORD error = GetLastError();
    if (!retry.again(error)) {
      throw fileErrorFromWin32(error);
    }
  }
}

void writeAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, content.data(), chunk, &written, nullptr)) {
      throwLastError();
    }
    content.remove_prefix(written);
  }
}

// Names of the temporary files of a folder (a disk path ending in a separator, or "" for the
// working folder): the prefix and random letters and digits.
class TemporaryNames {
 public:
  TemporaryNames()
      : random_(std::random_device()() ^ GetCurrentProcessId() ^
                static_cast<unsigned>(GetTickCount64())) {}

  std::string next(const std::string& folder) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = folder;
    name.append(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
      name.push_back(kLetters[pick(random_)]);
    }
    return name;
  }

 private:
  std::mt19937 random_;
};

// Creates the temporary file in `folder`. While the save writes, its open handle keeps cleaners
// away: a cleaner in another instance opens a candidate without sharing, which fails while any
// handle with data access is open.
HANDLE createTemporary(const std::string& folder, TemporaryNames& names, std::string& name) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    name = names.next(folder);
    const HANDLE file =
        win32Calls.createFile(win32Path(name).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      return file;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
      throwLastError();
    }
  }
  throw fileErrorFromWin32(ERROR_FILE_EXISTS);
}

// A free name for the old file while ReplaceFileW swaps the new one in: a temporary name, so that
// the stale-file cleaner removes one left behind, and no consist file name.
std::wstring backupName(const std::string& folder, TemporaryNames& names) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    std::wstring path = win32Path(names.next(folder));
    if (!stands(path)) {
      return path;
    }
  }
  throw fileErrorFromWin32(ERROR_FILE_EXISTS);
}

// How a move into place ended: `error` 0 when the target holds the new content. On failure the
// target holds the old content (or, for a new file, nothing of ours), and the temporary file may
// go, unless `keepTemporary` says that neither version could be put back under the target's name:
// then the new content lives only in the temporary file (and the old one under the backup name).
struct Placed {
  DWORD error = 0;
  bool keepTemporary = false;
};

// Renames `from` to `to` with `flags`, waiting out a program that holds either for a moment.
// Returns 0 or the error.
DWORD moveWaiting(const std::wstring& from, const std::wstring& to, DWORD flags, BusyRetry& retry) {
  while (!win32Calls.moveFile(from.c_str(), to.c_str(), flags)) {
    const DWORD error = GetLastError();
    if (!retry.again(error)) {
      return error;
    }
  }
  return 0;
}

// A new file: renamed into place, never over a file another program made meanwhile under that
// name (the rename then fails and nothing is overwritten). A failed rename changes nothing.
Placed moveNew(const std::wstring& temporary, const std::wstring& target, BusyRetry& retry) {
  return {moveWaiting(temporary, target, MOVEFILE_WRITE_THROUGH, retry), false};
}

// The target's name is empty after a failed replace (ReplaceFileW's
// ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: the old file stands under the backup name, the new one
// under the temporary name; or another program removed the old file meanwhile). The new content
// goes there, which completes the save; failing that the old one goes back, and the save fails;
// failing both, neither file is given up. Each rename gets waits of its own: the name must not
// stay empty because the replace used up the time.
Placed putBack(const std::wstring& temporary, const std::wstring& target,
               const std::wstring& backup) {
  BusyRetry newRetry;
  const DWORD error = moveWaiting(temporary, target, MOVEFILE_WRITE_THROUGH, newRetry);
  if (error == 0) {
    DeleteFileW(backup.c_str());
    return {};
  }
  BusyRetry oldRetry;
  if (stands(backup) && moveWaiting(backup, target, MOVEFILE_WRITE_THROUGH, oldRetry) == 0) {
    return {error, false};
  }
  return {error, true};
}

// Puts the written (and closed) temporary file in the place of the existing `target` with
// ReplaceFileW, which keeps the old file's attributes and access rights, the old file kept under
// `backup` until the new one stands. After a failure the names are looked at rather than the
// error trusted, since what the documented codes promise depends on the file system:
// - the target's name empty (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2): putBack();
// - both files under their own names (ERROR_UNABLE_TO_REMOVE_REPLACED,
//   ERROR_UNABLE_TO_MOVE_REPLACEMENT with a backup name, a sharing or lock violation, access
//   denied): nothing changed; tried again while another program may be holding a file for a
//   moment, else the error;
// - a full disk: the error;
// - any other error (a file system without ReplaceFileW): a rename over the old file, which
//   either happens whole or leaves the old file.
Placed replaceExisting(const std::wstring& temporary, const std::wstring& target,
                       const std::wstring& backup, BusyRetry& retry) {
  for (;;) {
    if (win32Calls.replaceFile(target.c_str(), temporary.c_str(), backup.c_str(),
                               REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                               nullptr, nullptr)) {
      DeleteFileW(backup.c_str());
      return {};
    }
    const DWORD error = GetLastError();
    if (!stands(target)) {
      return putBack(temporary, target, backup);
    }
    if (!stands(temporary)) {
      // Not a documented outcome: the new content is nowhere to be put back from.
      return {error, false};
    }
    // Both stand under their own names, the target with the old content: a copy of it that the
    // call may have left under the backup name is not needed.
    DeleteFileW(backup.c_str());
    switch (error) {
      case ERROR_UNABLE_TO_REMOVE_REPLACED:
      case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        // Both files keep their names; another program holding one of them is the usual cause.
        if (retry.again(ERROR_SHARING_VIOLATION)) {
          continue;
        }
        return {error, false};
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION:
      case ERROR_ACCESS_DENIED:
        if (retry.again(error)) {
          continue;
        }
        return {error, false};
      case ERROR_DISK_FULL:
      case ERROR_HANDLE_DISK_FULL:
        return {error, false};
      default:
        return {moveWaiting(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH,
                            retry),
                false};
    }
  }
}

bool isStaleCandidate(const WIN32_FIND_DATAW& found) {
  return (found.dwFileAttributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// Whether the file was written `minimumAge` or longer ago; a time ahead of the clock is recent.
bool unmodifiedFor(const FILETIME& written, std::chrono::seconds minimumAge) {
  FILETIME nowTime{};
  GetSystemTimeAsFileTime(&nowTime);
  const auto ticks = [](const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
  };
  // FILETIME counts 100-nanosecond steps.
  return ticks(nowTime) - ticks(written) >= minimumAge.count() * 10'000'000LL;
}

// Removes the temporary file `path` when nothing holds it open: it is opened without sharing,
// which fails while a save (or any other program) has it open, and deleted through that same
// handle, so no other file that took the name meanwhile can be hit. A link is not followed.
bool removeIfStale(const std::wstring& path, std::chrono::seconds minimumAge) {
  const Handle file(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.valid()) {
    return false;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes &
       (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY)) != 0 ||
      !unmodifiedFor(info.ftLastWriteTime, minimumAge)) {
    return false;
  }
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  return SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition) != FALSE;
}

}  // namespace

std::string readDiskFile(const std::string& diskPath, std::size_t limit) {
  const std::wstring path = win32Path(diskPath);
  if (checkPath(diskPath, path) == INVALID_FILE_ATTRIBUTES) {
    throwLastError();
  }
  BusyRetry retry;
  const Handle file(openWaiting(path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN, retry));
  // A look at what was opened, which may have been put in place since.
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK) {
    throw notRegularFile();
  }
  if (!GetFileInformationByHandle(file.get(), &info)) {
    throwLastError();
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw isFolder();
  }
  if (sizeOf(info) > limit) {
    throw tooLarge();
  }

  std::string content;
  content.reserve(static_cast<std::size_t>(sizeOf(info)));
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      throwLastError();
    }
    if (got == 0) {
      break;
    }
    // A file that grows while it is read is held to the limit too.
    if (got > limit - content.size()) {
      throw tooLarge();
    }
    content.append(buffer, got);
  }
  return content;
}

void replaceFile(std::string_view anchor, std::string_view path, std::string_view content) {
  const ResolvedPath resolved = resolvePath(anchor, path);
  if (resolved.status == ResolvedPath::Status::MissingFolder) {
    throw FileError(FileError::kPathNotFound, ENOENT, fileErrorText(FileError::kPathNotFound),
                    ERROR_PATH_NOT_FOUND);
  }
  // Windows would drop the dots and blanks at the end and save under another file's name.
  const std::vector<std::string> parts = splitPath(path);
  if (!parts.empty() && endsInDotOrBlank(parts.back())) {
    throw fileErrorFromWin32(ERROR_INVALID_NAME);
  }
  const std::string& target = resolved.diskPath;
  const std::wstring targetPath = win32Path(target);
  const DWORD attributes = checkPath(target, targetPath);
  // Only the file the lookup found under its own (long) name is replaced. A name that the system
  // takes for another file all the same (the 8.3 short name of a longer one), or a file another
  // program made since, is "created" instead, which fails rather than overwrite it.
  const bool targetExists =
      resolved.status == ResolvedPath::Status::Found && attributes != INVALID_FILE_ATTRIBUTES;
  // A rename needs only the folder's permission; a file the user protected stays as it is.
  if (targetExists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    throw fileErrorFromWin32(ERROR_ACCESS_DENIED);
  }
  // The system decides whether this user may write the file (access rights) and whether it can
  // be replaced now (another program holding it open without sharing), before anything is
  // written. A program that holds it for a moment is waited for.
  BusyRetry retry;
  if (targetExists) {
    const Handle probe(
        openWaiting(targetPath, GENERIC_WRITE | DELETE, FILE_ATTRIBUTE_NORMAL, retry));
  }

  const std::size_t cut = target.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? "" : target.substr(0, cut + 1);
  TemporaryNames names;
  std::string temporary;
  Handle file(createTemporary(folder, names, temporary));
  const std::wstring temporaryPath = win32Path(temporary);
  Placed placed;
  try {
    writeAll(file.get(), content);
    // ReplaceFileW needs the file unshared, so the handle goes before the rename; from here on
    // the file's fresh write time alone keeps cleaners away.
    if (!FlushFileBuffers(file.get()) || !file.close()) {
      throwLastError();
    }
    placed = targetExists
                 ? replaceExisting(temporaryPath, targetPath, backupName(folder, names), retry)
                 : moveNew(temporaryPath, targetPath, retry);
  } catch (...) {
    if (file.valid()) {
      file.close();
    }
    DeleteFileW(temporaryPath.c_str());
    throw;
  }
  if (placed.error != 0) {
    if (!placed.keepTemporary) {
      DeleteFileW(temporaryPath.c_str());
    }
    throw fileErrorFromWin32(placed.error);
  }
}

std::size_t removeStaleTemporaryFiles(std::string_view anchor, std::string_view folder,
                                      std::chrono::seconds minimumAge) {
  const ResolvedPath resolved = resolvePath(anchor, folder);
  if (resolved.status != ResolvedPath::Status::Found) {
    return 0;
  }
  std::string prefix = resolved.diskPath;
  if (prefix.back() != '\\' && prefix.back() != '/') {
    prefix += '\\';
  }
  // The names first: removing entries while the folder is read may make the listing skip some.
  std::vector<std::wstring> candidates;
  WIN32_FIND_DATAW found{};
  const HANDLE search =
      FindFirstFileExW(win32Path(prefix + std::string(kTemporaryPrefix) + "*").c_str(),
                       FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) {
    return 0;
  }
  do {
    const std::string name = narrow(found.cFileName);
    if (isTemporaryName(name) && isStaleCandidate(found) &&
        unmodifiedFor(found.ftLastWriteTime, minimumAge)) {
      candidates.push_back(win32Path(prefix + name));
    }
  } while (win32Calls.findNextFile(search, &found));
  FindClose(search);

  return static_cast<std::size_t>(
      std::count_if(candidates.begin(), candidates.end(),
                    [&](const std::wstring& path) { return removeIfStale(path, minimumAge); }));
}

}  // namespace rakewright
