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

std::uint64_t sizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

// Refuses what must not be read or replaced before anything is opened: a device name ("nul"
// would read as empty and swallow a save), a folder as before ("File access denied"), and
// anything else that is no plain file. Returns the attributes, or INVALID_FILE_ATTRIBUTES when the
// path does not exist.
DWORD checkPath(const std::string& diskPath, const std::wstring& path) {
  if (namesDevice(diskPath)) {
    throw notRegularFile();
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return attributes;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw fileErrorFromErrno(EISDIR);
  }
  if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
    throw notRegularFile();
  }
  return attributes;
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

// Creates the temporary file in `folder` (a disk path ending in a separator, or "" for the
// working folder). While the save writes, its open handle is the lock: a cleaner in another
// instance opens a candidate without sharing, which fails while any handle with data access is
// open.
HANDLE createTemporary(const std::string& folder, std::string& name) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 random(seed() ^ GetCurrentProcessId() ^ static_cast<unsigned>(GetTickCount64()));
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 64; ++attempt) {
    name = folder;
    name.append(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
      name.push_back(kLetters[pick(random)]);
    }
    const HANDLE file =
        CreateFileW(win32Path(name).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      return file;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
      throwLastError();
    }
  }
  throw fileErrorFromErrno(EEXIST);
}

// Puts the written (and closed) temporary file in the place of `target`. An existing file is
// replaced with ReplaceFileW, which keeps its attributes and access rights; where the file system
// cannot do that, and for a new file, MoveFileExW renames with write-through. On failure the old
// file is still there under its name.
void moveIntoPlace(const std::wstring& temporary, const std::wstring& target, bool targetExists) {
  if (targetExists) {
    if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr)) {
      return;
    }
    const DWORD error = GetLastError();
    switch (error) {
      case ERROR_UNABLE_TO_REMOVE_REPLACED:  // held open by another program: both files stay
      case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
      case ERROR_ACCESS_DENIED:
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION:
      case ERROR_DISK_FULL:
      case ERROR_FILE_NOT_FOUND:
        throw fileErrorFromWin32(error);
      default:
        // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 (the old file is gone from its name) or a file
        // system without ReplaceFile: the rename puts the new content there.
        break;
    }
  }
  if (!MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throwLastError();
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
  const Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) {
    throwLastError();
  }
  // A look at what was opened, which may have been put in place since.
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK) {
    throw notRegularFile();
  }
  if (!GetFileInformationByHandle(file.get(), &info)) {
    throwLastError();
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw fileErrorFromErrno(EISDIR);
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
    throw FileError(FileError::kPathNotFound, ENOENT);
  }
  const std::string& target = resolved.diskPath;
  const std::wstring targetPath = win32Path(target);
  const DWORD attributes = checkPath(target, targetPath);
  const bool targetExists = attributes != INVALID_FILE_ATTRIBUTES;
  // A rename needs only the folder's permission; a file the user protected stays as it is.
  if (targetExists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    throw fileErrorFromErrno(EACCES);
  }
  // The system decides whether this user may write the file (access rights) and whether it can
  // be replaced now (another program holding it open without sharing), before anything is
  // written: a replace that fails halfway can leave a file of its own behind.
  if (targetExists) {
    const Handle probe(CreateFileW(targetPath.c_str(), GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid()) {
      throwLastError();
    }
  }

  const std::size_t cut = target.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? "" : target.substr(0, cut + 1);
  std::string temporary;
  Handle file(createTemporary(folder, temporary));
  const std::wstring temporaryPath = win32Path(temporary);
  try {
    writeAll(file.get(), content);
    // ReplaceFileW needs the file unshared, so the handle goes before the rename; from here on
    // the file's fresh write time alone keeps cleaners away.
    if (!FlushFileBuffers(file.get()) || !file.close()) {
      throwLastError();
    }
    moveIntoPlace(temporaryPath, targetPath, targetExists);
  } catch (...) {
    if (file.valid()) {
      file.close();
    }
    DeleteFileW(temporaryPath.c_str());
    throw;
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
  } while (FindNextFileW(search, &found));
  FindClose(search);

  return static_cast<std::size_t>(
      std::count_if(candidates.begin(), candidates.end(),
                    [&](const std::wstring& path) { return removeIfStale(path, minimumAge); }));
}

}  // namespace rakewright
