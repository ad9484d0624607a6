#include "platform/win32.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/cp1251.h"
#include "platform/utf8.h"

namespace rakewright {

Win32FileCalls win32Calls;

namespace {

bool isSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

bool equalsAscii(std::string_view a, std::string_view upper) {
  if (a.size() != upper.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = (a[i] >= 'a' && a[i] <= 'z') ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
    if (c != upper[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::wstring widen(std::string_view utf8) {
  return utf16FromUtf8<wchar_t>(utf8);
}

std::string narrow(std::wstring_view utf16) {
  return utf8FromUtf16(utf16);
}

std::wstring win32Path(const std::string& diskPath) {
  std::wstring path = widen(diskPath.empty() ? std::string(".") : diskPath);
  for (wchar_t& c : path) {
    if (c == L'/') {
      c = L'\\';
    }
  }
  if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) {
    return path;
  }
  // GetFullPathNameW applies the working folder, "." and ".." by text alone, for any length.
  std::wstring full(path.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) {
      return path;
    }
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.resize(length + 1);
  }
  if (isDeviceNamespace(full) || full.starts_with(L"\\\\?\\")) {
    return full;
  }
  if (full.size() >= 2 && isSeparator(full[0]) && isSeparator(full[1])) {
    return L"\\\\?\\UNC\\" + full.substr(2);
  }
  return L"\\\\?\\" + full;
}

bool isDeviceNamespace(std::wstring_view path) {
  return path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] == L'.' &&
         isSeparator(path[3]);
}

bool isReservedDeviceName(std::string_view name) {
  // The part before the first dot, blanks at its end ignored, is what Windows compares.
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') {
    base.remove_suffix(1);
  }
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (equalsAscii(base, device)) {
      return true;
    }
  }
  if (base.size() < 4 ||
      !(equalsAscii(base.substr(0, 3), "COM") || equalsAscii(base.substr(0, 3), "LPT"))) {
    return false;
  }
  const std::string_view number = base.substr(3);
  // A digit, or the superscript one, two or three (U+00B9, U+00B2, U+00B3 in UTF-8).
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
         number == "\xC2\xB2" || number == "\xC2\xB3";
}

bool endsInDotOrBlank(std::string_view name) {
  return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

bool namesDevice(std::string_view diskPath) {
  if (diskPath.starts_with("\\\\.\\") || diskPath.starts_with("//./")) {
    return true;
  }
  std::size_t start = 0;
  while (start <= diskPath.size()) {
    const std::size_t end = diskPath.find_first_of("\\/", start);
    const std::string_view part = diskPath.substr(
        start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (isReservedDeviceName(part)) {
      return true;
    }
    if (end == std::string_view::npos) {
      break;
    }
    start = end + 1;
  }
  return false;
}

int errnoFromWin32(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_DRIVE:
      return ENOENT;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_NETWORK_ACCESS_DENIED:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return EINVAL;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    default:
      return EIO;
  }
}

FileError fileErrorFromWin32(DWORD error) {
  const int errnoValue = errnoFromWin32(error);
  if (errnoValue == EINVAL) {
    // A name the file system refuses (":" or "?" in it): the platform's "Invalid filename".
    return {FileError::kPathNotFound, errnoValue, fileErrorText(FileError::kPathNotFound), error};
  }
  if (errnoValue == EIO) {
    return {static_cast<int>(error), errnoValue, "I/O error " + std::to_string(error), error};
  }
  const FileError mapped = fileErrorFromErrno(errnoValue);
  return {mapped.code(), errnoValue, mapped.what(), error};
}

std::string windowsReason(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || buffer == nullptr) {
    return {};
  }
  std::wstring text(buffer, length);
  LocalFree(buffer);
  // Some texts run over lines; the message is one.
  for (wchar_t& c : text) {
    if (c == L'\r' || c == L'\n') {
      c = L' ';
    }
  }
  while (!text.empty() && text.back() == L' ') {
    text.pop_back();
  }
  if (!text.empty() && text.back() == L'.') {
    text.pop_back();
  }
  std::string reason;
  reason.reserve(text.size());
  bool blank = false;
  for (const wchar_t c : text) {
    // The line breaks made blanks: one blank between two parts.
    if (c == L' ' && blank) {
      continue;
    }
    blank = c == L' ';
    reason.push_back(cp1251FromCodePoint(static_cast<char32_t>(c)).value_or('?'));
  }
  return reason;
}

bool isBusyError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

bool BusyRetry::again(DWORD error) {
  if (!isBusyError(error) || waitedMs_ >= kTotalWaitMs) {
    return false;
  }
  win32Calls.sleep(nextWaitMs_);
  waitedMs_ += nextWaitMs_;
  nextWaitMs_ = std::min<DWORD>(nextWaitMs_ + 5, 25);
  return true;
}

}  // namespace rakewright
