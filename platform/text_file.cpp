#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_error.h"
#include "platform/paths.h"

namespace rakewright {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting the error a close can bring (a delayed write failure).
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

[[noreturn]] void throwErrno() {
  throw fileErrorFromErrno(errno);
}

std::string resolveExisting(std::string_view anchor, std::string_view path) {
  const ResolvedPath resolved = resolvePath(anchor, path);
  switch (resolved.status) {
    case ResolvedPath::Status::Found:
      return resolved.diskPath;
    case ResolvedPath::Status::MissingLeaf:
      throw FileError(FileError::kFileNotFound, ENOENT);
    case ResolvedPath::Status::MissingFolder:
      break;
  }
  throw FileError(FileError::kPathNotFound, ENOENT);
}

mode_t defaultFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      throwErrno();
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

std::string readWholeFile(std::string_view anchor, std::string_view path) {
  return readDiskFile(resolveExisting(anchor, path));
}

std::string readDiskFile(const std::string& diskPath) {
  Descriptor fd(::open(diskPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    throwErrno();
  }
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) {
    throwErrno();
  }
  if (S_ISDIR(info.st_mode)) {
    throw fileErrorFromErrno(EISDIR);
  }
  std::string content;
  if (info.st_size > 0) {
    content.reserve(static_cast<std::size_t>(info.st_size));
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      throwErrno();
    }
    if (got == 0) {
      break;
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

void replaceFile(std::string_view anchor, std::string_view path, std::string_view content) {
  const ResolvedPath resolved = resolvePath(anchor, path);
  if (resolved.status == ResolvedPath::Status::MissingFolder) {
    throw FileError(FileError::kPathNotFound, ENOENT);
  }
  const std::string& target = resolved.diskPath;

  mode_t mode = defaultFileMode();
  struct stat old {};
  if (stat(target.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) {
      throw fileErrorFromErrno(EISDIR);
    }
    mode = old.st_mode & 07777;
  }

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "." + base + ".XXXXXX";
  Descriptor fd(mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.get() < 0) {
    throwErrno();
  }
  try {
    writeAll(fd.get(), content);
    if (fchmod(fd.get(), mode) != 0 || fsync(fd.get()) != 0 || fd.close() != 0) {
      throwErrno();
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
      throwErrno();
    }
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
}

std::vector<std::string> splitCatalogueLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string current;
  bool pending = false;  // something was read since the last line break
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\x1A') {
      break;
    }
    if (c == '\n') {
      lines.push_back(std::move(current));
      current.clear();
      pending = false;
      continue;
    }
    pending = true;
    if (c != '\r') {
      current.push_back(c);
    }
  }
  if (pending) {
    lines.push_back(std::move(current));
  }
  return lines;
}

std::vector<std::string> splitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  if (start < text.size()) {
    lines.emplace_back(text.substr(start));
  }
  return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + 2;
  }
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace rakewright
