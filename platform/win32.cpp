#include "platform/win32.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/cp1251.h"

namespace rakewright {

Win32FileCalls win32Calls;

namespace {

bool isSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// The code point of the UTF-8 sequence at `text[i]`, or -1 when the bytes there are not one;
// `length` receives the number of bytes taken. Surrogates are accepted, as narrow() writes them.
long decodeUtf8(std::string_view text, std::size_t i, std::size_t& length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  length = 1;
  if (lead < 0x80) {
    return lead;
  }
  std::size_t count = 0;
  long point = 0;
  long minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    count = 1;
    point = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 2;
    point = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    count = 3;
    point = lead & 0x07;
    minimum = 0x10000;
  } else {
    return -1;
  }
  if (i + count >= text.size()) {
    return -1;
  }
  for (std::size_t k = 1; k <= count; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      return -1;
    }
    point = (point << 6) | (byte(i + k) & 0x3F);
  }
  if (point < minimum || point > 0x10FFFF) {
    return -1;
  }
  length = count + 1;
  return point;
}

void appendUtf8(std::string& out, std::uint32_t point) {
  const auto put = [&](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
  if (point < 0x80) {
    put(point);
  } else if (point < 0x800) {
    put(0xC0 | (point >> 6));
    put(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    put(0xE0 | (point >> 12));
    put(0x80 | ((point >> 6) & 0x3F));
    put(0x80 | (point & 0x3F));
  } else {
    put(0xF0 | (point >> 18));
    put(0x80 | ((point >> 12) & 0x3F));
    put(0x80 | ((point >> 6) & 0x3F));
    put(0x80 | (point & 0x3F));
  }
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
  std::wstring out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = 1;
    const long point = decodeUtf8(utf8, i, length);
    i += length;
    if (point < 0) {
      out.push_back(L'\xFFFD');
    } else if (point >= 0x10000) {
      const long rest = point - 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (rest >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (rest & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(point));
    }
  }
  return out;
}

std::string narrow(std::wstring_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const auto unit = static_cast<std::uint32_t>(utf16[i]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < utf16.size()) {
      const auto next = static_cast<std::uint32_t>(utf16[i + 1]);
      if (next >= 0xDC00 && next < 0xE000) {
        appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    appendUtf8(out, unit);
  }
  return out;
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
