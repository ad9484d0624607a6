// Windows helpers of the platform layer: disk paths (UTF-8 in the program) as the wide-character
// API takes them, the system's error codes as FileErrors and texts, the names Windows keeps for
// devices, the waits for a file another program holds for a moment, and the file calls that tests
// replace to play outcomes a real disk does not give on demand. UTF-8 and UTF-16 are converted
// here by our own code, never through the system's ANSI code page, so Cyrillic names work whatever
// code page a Windows installation has.
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
// longer than 260 characters work too. GetFullPathNameW, which does this, also drops the dots and
// blanks at the end of the last name and turns a name it knows for a device into "\\.\NAME";
// paths into the device namespace ("\\.\") stay as they are (see isDeviceNamespace()).
std::wstring win32Path(const std::string& diskPath);

// Whether a path of the wide-character API leads into the device namespace ("\\.\"), as
// win32Path() gives it for a device name: such a path is never opened.
bool isDeviceNamespace(std::wstring_view path);

// Whether a name is one Windows keeps for a device: CON, PRN, AUX, NUL, COM1 to COM9, COM¹ to
// COM³, LPT1 to LPT9, LPT¹ to LPT³, CONIN$ and CONOUT$ (a disk name, UTF-8), in any letter case,
// with or without an extension, with blanks before the extension ("nul", "NUL.con", "com1 .txt").
bool isReservedDeviceName(std::string_view name);

// Whether any component of a disk path is such a name, or the path leads into the device
// namespace: such a path is never opened.
bool namesDevice(std::string_view diskPath);

// Whether a name typed for a new file ends in a dot or a blank. Windows drops those when it makes
// the path whole, so "x.con." would name "x.con": such a name is one Windows cannot hold.
bool endsInDotOrBlank(std::string_view name);

// The errno value that stands for a Windows error code, so that both systems give the same
// FileError codes.
int errnoFromWin32(DWORD error);

// A FileError for a Windows error code, which it keeps for reasonOf().
FileError fileErrorFromWin32(DWORD error);

// Windows' own text for an error code, in the user's language (FormatMessageW), as Windows-1251
// for the core's messages (a character the code page lacks becomes '?'): one line, without the
// line break and the full stop at its end, so that it reads well after "Cannot open file "PATH". ".
// Empty when Windows has no text for the code.
std::string windowsReason(DWORD error);

// The file calls of the Windows layer whose failures a test must be able to bring about: every
// use of them in the layer goes through win32Calls. Only a test changes it, and puts the
// original back, while no other thread uses the layer.
struct Win32FileCalls {
  decltype(&::CreateFileW) createFile = &::CreateFileW;
  decltype(&::GetFileAttributesW) getFileAttributes = &::GetFileAttributesW;
  decltype(&::ReplaceFileW) replaceFile = &::ReplaceFileW;
  decltype(&::MoveFileExW) moveFile = &::MoveFileExW;
  decltype(&::FindNextFileW) findNextFile = &::FindNextFileW;
  decltype(&::Sleep) sleep = &::Sleep;
};
extern Win32FileCalls win32Calls;

// Virus scanners, indexers and sync clients open a file for a moment, often one just written:
// the errors that gives (sharing and lock violations, and access denied, which a file being
// deleted gives too) are worth trying again.
bool isBusyError(DWORD error);

// The waits of one operation on a file another program may hold for a moment: after such an
// error, again() waits (10 ms, growing by 5 ms to 25 ms a step) and says to try again, until
// about two seconds have been waited in all; a lasting hold is then reported as the error it is.
// One object per operation, so that the waits of its steps add up to that bound.
class BusyRetry {
 public:
  static constexpr DWORD kTotalWaitMs = 2000;

  // Whether to try again after `error`, having waited; false for any other error, or when the
  // time is used up.
  bool again(DWORD error);

 private:
  DWORD waitedMs_ = 0;
  DWORD nextWaitMs_ = 10;
};

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
