// Windows helpers of the platform layer: disk paths (UTF-8 in the program) as the wide-character
// API takes them, the system's error codes as FileErrors, and the names Windows keeps for devices.
// UTF-8 and UTF-16 are converted here by our own code, never through the system's ANSI code page,
// so Cyrillic names work whatever code page a Windows installation has.
#pragma once

#ifdef _WIN32

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/file_error.h"

namespace rakewright {

// UTF-8 to UTF-16. A byte that is not part of valid UTF-8 becomes U+FFFD; the three-byte forms of
// lone surrogates, which narrow() writes, come back as those surrogates.
std::wstring widen(std::string_view utf8);

// UTF-16 to UTF-8; a lone surrogate (possible in an NTFS name) keeps its three-byte form, so every
// name the system lists can be opened again.
std::string narrow(std::wstring_view utf16);

// A disk path as the wide-character API takes it: made absolute against the working folder, "/"
// turned into "\", "." and ".." applied, and given the "\\?\" (or "\\?\UNC\") prefix, so paths
// longer than 260 characters work too. Paths into the device namespace ("\\.\") stay as they are.
std::wstring win32Path(const std::string& diskPath);

// Whether a name is one Windows keeps for a device: CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9, CONIN$ and CONOUT$, in any letter case, with or without an extension, with blanks before
// the extension ("nul", "NUL.con", "com1 .txt").
bool isReservedDeviceName(std::string_view name);

// Whether any component of a disk path is such a name, or the path leads into the device
// namespace: such a path is never opened.
bool namesDevice(std::string_view diskPath);

// The errno value that stands for a Windows error code, so that both systems give the same
// FileError codes and reasons.
int errnoFromWin32(DWORD error);

// A FileError for a Windows error code.
FileError fileErrorFromWin32(DWORD error);

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) {
      CloseHandle(handle_);
    }
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  // Closes now, reporting whether the close succeeded (it can report a delayed write failure).
  bool close() {
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

}  // namespace rakewright

#endif  // _WIN32
