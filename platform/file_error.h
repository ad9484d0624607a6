// File errors with the texts of the platform the data folders come from ("File not found",
// "File access denied", ...), mapped from errno, plus the system's own reason for messages that
// quote it: on Linux the English text of the errno, on Windows Windows' own text for its error
// code, in the user's language.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rakewright {

// Error codes with their platform texts:
//   2 "File not found", 3 "Invalid filename" (a folder on the path is missing),
//   4 "Too many open files", 5 "File access denied", 100 "Read beyond end of file",
//   101 "Disk full", 222 "Not a regular file", 223 "File too large", any other code
//   "I/O error %d".
class FileError : public std::runtime_error {
 public:
  // `systemError` is the errno behind the failure (0 when there is none), kept for
  // systemReason(); `windowsError` the Windows error code (0 when there is none, always on
  // Linux), kept for the text reasonOf() gives on Windows.
  FileError(int code, int systemError);
  FileError(int code, int systemError, const std::string& text, std::uint32_t windowsError = 0);
  int code() const { return code_; }
  int systemError() const { return systemError_; }
  std::uint32_t windowsError() const { return windowsError_; }

  static constexpr int kFileNotFound = 2;
  static constexpr int kPathNotFound = 3;
  static constexpr int kTooManyOpenFiles = 4;
  static constexpr int kAccessDenied = 5;
  static constexpr int kReadBeyondEnd = 100;
  static constexpr int kDiskFull = 101;
  // Refusals of a file that is not a regular file (a FIFO, a device, or a link to one) and of a
  // file larger than the limit of its kind. They carry no errno (systemError 0), so a message that
  // quotes the reason shows these texts. The codes lie above every errno value, so that no
  // "I/O error <errno>" can be taken for them.
  static constexpr int kNotRegularFile = 222;
  static constexpr int kFileTooLarge = 223;

 private:
  int code_;
  int systemError_;
  std::uint32_t windowsError_;
};

// The platform text of a code.
std::string fileErrorText(int code);

// A FileError for an errno value (ENOENT -> 2, ENOTDIR -> 3, EMFILE/ENFILE -> 4,
// EACCES/EPERM/EROFS/EISDIR -> 5, ENOSPC/EDQUOT -> 101, anything else -> "I/O error <errno>").
FileError fileErrorFromErrno(int errnoValue);

// The system's reason for an errno value, in English and independent of the locale
// ("No such file or directory").
std::string systemReason(int errnoValue);

// The reason a message quotes for a FileError (Windows-1251): the system's reason for its errno,
// or, for a failure without one ("Not a regular file"), its own text. On Windows the system's
// reason is Windows' own text for the error code (FormatMessageW in the user's language, without
// the line break and the full stop at its end, as the English reasons read), also for a failure
// known only by its errno (a missing file, a read-only file), which is given the code Windows has
// for it.
std::string reasonOf(const FileError& error);

// Whether another program holds the file so that it cannot be opened now (Windows' sharing and
// lock violations); Linux never refuses a file for that.
bool heldByAnotherProgram(const FileError& error);

// "Cannot " + action + " file \"" + path + "\". " + reason, the form of every message about a file
// that cannot be opened or created ("open", "create").
std::string cannotMessage(std::string_view action, std::string_view path, std::string_view reason);

}  // namespace rakewright
