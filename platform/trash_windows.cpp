// The Windows half of moveToTrash(): the Recycle Bin, through the shell's SHFileOperationW with
// FOF_ALLOWUNDO. The shell deletes outright, without a word under FOF_NOCONFIRMATION, where it
// cannot recycle: on a drive without a Recycle Bin (a network share), or where the Recycle Bin is
// switched off or too small for the file. So a drive without a Recycle Bin is refused before the
// shell is asked, and FOF_WANTNUKEWARNING has the shell ask the user before any outright delete;
// a "no" leaves the file where it was.
#include <windows.h>

#include <shellapi.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/file_error.h"
#include "platform/trash.h"
#include "platform/trash_calls.h"
#include "platform/win32.h"

namespace rakewright {

namespace trash_calls {

namespace {

int shellFileOperation(SHFILEOPSTRUCTW* operation) {
  return SHFileOperationW(operation);
}

HRESULT shellQueryRecycleBin(const wchar_t* rootPath, SHQUERYRBINFO* info) {
  return SHQueryRecycleBinW(rootPath, info);
}

}  // namespace

int (*fileOperation)(SHFILEOPSTRUCTW* operation) = &shellFileOperation;
HRESULT (*queryRecycleBin)(const wchar_t* rootPath, SHQUERYRBINFO* info) = &shellQueryRecycleBin;

}  // namespace trash_calls

namespace {

using Outcome = TrashResult::Outcome;

// The shell takes a path of the classic form, fully qualified, without the "\\?\" prefix.
std::wstring shellPath(const std::string& diskPath) {
  const std::wstring path = win32Path(diskPath);
  if (path.starts_with(L"\\\\?\\UNC\\")) {
    return L"\\\\" + path.substr(8);
  }
  if (path.starts_with(L"\\\\?\\")) {
    return path.substr(4);
  }
  return path;
}

// The root folder of the drive or share holding `path` ("C:\", "\\server\share\").
std::wstring volumeRoot(const std::wstring& path) {
  std::wstring root(path.size() + 2, L'\0');
  if (GetVolumePathNameW(path.c_str(), root.data(), static_cast<DWORD>(root.size())) == FALSE) {
    return {};
  }
  root.resize(root.find(L'\0'));
  return root;
}

// The shell's failure codes are Win32 error codes, or (a legacy of Windows 95) codes of its own
// from 0x71 upwards.
std::string shellReason(int code) {
  if (code > 0 && code < 0x71) {
    return systemReason(errnoFromWin32(static_cast<DWORD>(code)));
  }
  char text[48];
  std::snprintf(text, sizeof text, "shell error 0x%X", static_cast<unsigned>(code));
  return text;
}

}  // namespace

TrashResult moveToTrash(const std::string& diskPath) {
  if (namesDevice(diskPath)) {
    return {Outcome::NotMoved, fileErrorText(FileError::kNotRegularFile)};
  }
  if (GetFileAttributesW(win32Path(diskPath).c_str()) == INVALID_FILE_ATTRIBUTES) {
    return {Outcome::NotMoved, systemReason(errnoFromWin32(GetLastError()))};
  }
  const std::wstring path = shellPath(diskPath);
  if (path.size() >= MAX_PATH) {
    // The shell's file operations end at MAX_PATH.
    return {Outcome::NoTrash, systemReason(ENAMETOOLONG)};
  }
  const std::wstring root = volumeRoot(path);
  SHQUERYRBINFO bin{};
  bin.cbSize = sizeof bin;
  if (root.empty() || FAILED(trash_calls::queryRecycleBin(root.c_str(), &bin))) {
    return {Outcome::NoTrash, {}};
  }

  // A list of paths, each ended by a NUL, the list by one more.
  std::wstring from = path;
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags =
      FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_WANTNUKEWARNING;
  if (const int code = trash_calls::fileOperation(&operation); code != 0) {
    return {Outcome::NotMoved, shellReason(code)};
  }
  if (operation.fAnyOperationsAborted != FALSE) {
    // The user would not have it deleted outright.
    return {Outcome::NoTrash, {}};
  }
  if (GetFileAttributesW(win32Path(diskPath).c_str()) != INVALID_FILE_ATTRIBUTES) {
    return {Outcome::NotMoved, "the shell left the file in its place"};
  }
  return {Outcome::Moved, {}};
}

}  // namespace rakewright
