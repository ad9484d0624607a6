#include "platform/file_error.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include "platform/win32.h"
#endif

namespace rakewright {

FileError::FileError(int code, int systemError)
    : FileError(code, systemError, fileErrorText(code)) {}

FileError::FileError(int code, int systemError, const std::string& text, std::uint32_t windowsError)
    : std::runtime_error(text),
      code_(code),
      systemError_(systemError),
      windowsError_(windowsError) {}

std::string fileErrorText(int code) {
  switch (code) {
    case FileError::kFileNotFound:
      return "File not found";
    case FileError::kPathNotFound:
      return "Invalid filename";
    case FileError::kTooManyOpenFiles:
      return "Too many open files";
    case FileError::kAccessDenied:
      return "File access denied";
    case FileError::kReadBeyondEnd:
      return "Read beyond end of file";
    case FileError::kDiskFull:
      return "Disk full";
    case FileError::kNotRegularFile:
      return "Not a regular file";
    case FileError::kFileTooLarge:
      return "File too large";
    default:
      return "I/O error " + std::to_string(code);
  }
}

FileError fileErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
    case ENOENT:
      return {FileError::kFileNotFound, errnoValue};
    case ENOTDIR:
    case ENAMETOOLONG:
      return {FileError::kPathNotFound, errnoValue};
    case EMFILE:
    case ENFILE:
      return {FileError::kTooManyOpenFiles, errnoValue};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return {FileError::kAccessDenied, errnoValue};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return {FileError::kDiskFull, errnoValue};
    default:
      // Spelled out here: an errno such as EIO (5) must not read as one of the codes above.
      return {errnoValue, errnoValue, "I/O error " + std::to_string(errnoValue)};
  }
}

std::string systemReason(int errnoValue) {
#ifdef _WIN32
  // The C runtime of Windows has its texts in English only.
  if (const char* text = std::strerror(errnoValue)) {
    return text;
  }
#else
  // strerrordesc_np gives the English text whatever the locale says.
  if (const char* text = strerrordesc_np(errnoValue)) {
    return text;
  }
#endif
  return "Unknown error " + std::to_string(errnoValue);
}

#ifdef _WIN32
namespace {

// The code Windows gives for a failure that the platform layer knows only by its errno.
DWORD windowsErrorOf(const FileError& error) {
  if (error.windowsError() != 0) {
    return error.windowsError();
  }
  switch (error.systemError()) {
    case ENOENT:
      return error.code() == FileError::kPathNotFound ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:  // what opening a folder as a file gives
      return ERROR_ACCESS_DENIED;
    case ENOSPC:
      return ERROR_DISK_FULL;
    case EMFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case EINVAL:
      return ERROR_INVALID_NAME;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    default:
      return 0;
  }
}

}  // namespace
#endif

std::string reasonOf(const FileError& error) {
#ifdef _WIN32
  if (const DWORD code = windowsErrorOf(error); code != 0) {
    if (std::string text = windowsReason(code); !text.empty()) {
      return text;
    }
  }
#endif
  return error.systemError() != 0 ? systemReason(error.systemError()) : std::string(error.what());
}

bool heldByAnotherProgram([[maybe_unused]] const FileError& error) {
#ifdef _WIN32
  return error.windowsError() == ERROR_SHARING_VIOLATION ||
         error.windowsError() == ERROR_LOCK_VIOLATION;
#else
  return false;
#endif
}

std::string cannotMessage(std::string_view action, std::string_view path, std::string_view reason) {
  std::string message = "Cannot ";
  message.append(action).append(" file \"").append(path).append("\". ").append(reason);
  return message;
}

}  // namespace rakewright
