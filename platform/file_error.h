// File errors with the texts of the platform the data folders come from ("File not found",
// "File access denied", ...), mapped from errno, plus the system's own reason for messages that
// quote it.
#pragma once

#include <stdexcept>
#include <string>

namespace rakewright {

// Error codes with their platform texts:
//   2 "File not found", 3 "Invalid filename" (a folder on the path is missing),
//   4 "Too many open files", 5 "File access denied", 100 "Read beyond end of file",
//   101 "Disk full", any other code "I/O error %d".
class FileError : public std::runtime_error {
 public:
  // `systemError` is the errno behind the failure (0 when there is none), kept for
  // systemReason().
  FileError(int code, int systemError);
  FileError(int code, int systemError, const std::string& text);
  int code() const { return code_; }
  int systemError() const { return systemError_; }

  static constexpr int kFileNotFound = 2;
  static constexpr int kPathNotFound = 3;
  static constexpr int kTooManyOpenFiles = 4;
  static constexpr int kAccessDenied = 5;
  static constexpr int kReadBeyondEnd = 100;
  static constexpr int kDiskFull = 101;

 private:
  int code_;
  int systemError_;
};

// The platform text of a code.
std::string fileErrorText(int code);

// A FileError for an errno value (ENOENT -> 2, ENOTDIR -> 3, EMFILE/ENFILE -> 4,
// EACCES/EPERM/EROFS/EISDIR -> 5, ENOSPC/EDQUOT -> 101, anything else -> "I/O error <errno>").
FileError fileErrorFromErrno(int errnoValue);

// The system's reason for an errno value, in English and independent of the locale
// ("No such file or directory").
std::string systemReason(int errnoValue);

}  // namespace rakewright
