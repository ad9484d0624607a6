#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>

#include "platform/file_error.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "platform/text_file_internal.h"

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
  // Hands the descriptor over to the caller.
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now, reporting the error a close can bring (a delayed write failure).
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Opening never waits (a FIFO without a writer, a device) and never makes a terminal the
// controlling one.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

[[noreturn]] void throwErrno() {
  throw fileErrorFromErrno(errno);
}

FileError notRegularFile() {
  return {FileError::kNotRegularFile, 0};
}

FileError tooLarge() {
  return {FileError::kFileTooLarge, 0};
}

// Refuses what must not be read: a folder as before ("File access denied"), anything else that is
// not a regular file, and a file larger than `limit`.
void checkReadable(const struct stat& info, std::size_t limit) {
  if (S_ISDIR(info.st_mode)) {
    throw fileErrorFromErrno(EISDIR);
  }
  if (!S_ISREG(info.st_mode)) {
    throw notRegularFile();
  }
  if (info.st_size > 0 && static_cast<std::uintmax_t>(info.st_size) > limit) {
    throw tooLarge();
  }
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

// Whether this process may write the existing file `path`. For anyone but the superuser the
// system's own check decides, as it also knows access control lists and read-only mounts; the
// superuser, whom it always allows, is held to the mode bits.
bool userMayWrite(const std::string& path, const struct stat& info) {
  const uid_t uid = geteuid();
  if (uid == 0) {
    return permitsWrite(info, uid, {});
  }
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Creates the temporary file in `folder` (a disk path ending in "/", or "" for the working
// folder) and locks it, so that a cleaner in another instance leaves it alone while it is
// written. Returns the descriptor; `name` receives the file's disk path.
int createLockedTemporary(const std::string& folder, std::string& name) {
  // A cleaner may remove the file between its creation and the lock; then a new one is made.
  for (int attempt = 0; attempt < 8; ++attempt) {
    name = folder;
    name.append(kTemporaryPrefix).append(kTemporaryRandomLength, 'X');
    Descriptor fd(mkostemp(name.data(), O_CLOEXEC));
    if (fd.get() < 0) {
      throwErrno();
    }
    int locked = 0;
    do {
      locked = flock(fd.get(), LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    // On a file system without flock the save goes on unlocked; a cleaner cannot lock such a file
    // either, and so leaves it alone.
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
      const int error = errno;
      ::unlink(name.c_str());
      throw fileErrorFromErrno(error);
    }
    if (info.st_nlink > 0) {
      return fd.release();
    }
  }
  throw fileErrorFromErrno(EAGAIN);
}

// Flushes a folder's entries, so that a rename in it survives a power cut. A folder that cannot be
// opened for reading, or a file system that cannot flush folders, is left as it is: the file has
// its new content under its name already.
void syncFolder(const std::string& folder) {
  Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0) {
    return;
  }
  if (fsync(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EROFS) {
    throwErrno();
  }
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the file was modified `minimumAge` or longer ago; a time ahead of the clock is recent.
bool unmodifiedFor(const struct stat& info, std::chrono::seconds minimumAge) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const auto nanoseconds = [](const timespec& time) {
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
  };
  return nanoseconds(now) - nanoseconds(info.st_mtim) >= minimumAge;
}

// Removes the temporary file `name` of the folder `folderFd` when it is a regular file (not a
// link), unmodified for `minimumAge`, that no save holds locked. The lock taken here is released
// with the descriptor.
bool removeIfStale(int folderFd, const std::string& name, std::chrono::seconds minimumAge) {
  struct stat entry {};
  if (fstatat(folderFd, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(entry.st_mode) || !unmodifiedFor(entry, minimumAge)) {
    return false;
  }
  // flock needs a descriptor; a leftover whose mode forbids reading may still allow writing.
  int opened = openat(folderFd, name.c_str(), kReadFlags | O_NOFOLLOW);
  if (opened < 0 && errno == EACCES) {
    opened =
        openat(folderFd, name.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW);
  }
  const Descriptor fd(opened);
  if (fd.get() < 0) {
    return false;
  }
  // A save in progress holds its lock; a file system without flock gives no proof of staleness.
  struct stat locked {};
  if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || fstat(fd.get(), &locked) != 0) {
    return false;
  }
  // The name must still be the file that was locked (a finished save renames its file away).
  struct stat now {};
  if (fstatat(folderFd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || !sameFile(now, locked) ||
      !S_ISREG(now.st_mode)) {
    return false;
  }
  return unlinkat(folderFd, name.c_str(), 0) == 0;
}

}  // namespace

bool permitsWrite(const struct stat& info, uid_t uid, std::span<const gid_t> groups) {
  if (uid == 0) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  }
  if (info.st_uid == uid) {
    return (info.st_mode & S_IWUSR) != 0;
  }
  if (std::find(groups.begin(), groups.end(), info.st_gid) != groups.end()) {
    return (info.st_mode & S_IWGRP) != 0;
  }
  return (info.st_mode & S_IWOTH) != 0;
}

std::string readDiskFile(const std::string& diskPath, std::size_t limit) {
  // A look before opening: opening a device can have effects of its own.
  struct stat info {};
  if (stat(diskPath.c_str(), &info) != 0) {
    throwErrno();
  }
  checkReadable(info, limit);
  Descriptor fd(::open(diskPath.c_str(), kReadFlags));
  if (fd.get() < 0) {
    throwErrno();
  }
  // And a look at what was opened, which may have been put in place since.
  if (fstat(fd.get(), &info) != 0) {
    throwErrno();
  }
  checkReadable(info, limit);

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
    // A file that grows while it is read, or one that tells no size, is held to the limit too.
    if (static_cast<std::size_t>(got) > limit - content.size()) {
      throw tooLarge();
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
    if (!S_ISREG(old.st_mode)) {
      throw notRegularFile();
    }
    // A rename needs only the folder's permission; a file the user protected stays as it is.
    if (!userMayWrite(target, old)) {
      throw fileErrorFromErrno(EACCES);
    }
    mode = old.st_mode & 07777;
  }

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  std::string temporary;
  Descriptor fd(createLockedTemporary(folder, temporary));
  // The lock lives on in a second descriptor until the file has its new name, so that no cleaner
  // takes it away between the close (which reports delayed write failures) and the rename.
  const Descriptor lock(fcntl(fd.get(), F_DUPFD_CLOEXEC, 0));
  try {
    if (lock.get() < 0) {
      throwErrno();
    }
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
  syncFolder(folder);
}

std::size_t removeStaleTemporaryFiles(std::string_view anchor, std::string_view folder,
                                      std::chrono::seconds minimumAge) {
  const ResolvedPath resolved = resolvePath(anchor, folder);
  if (resolved.status != ResolvedPath::Status::Found) {
    return 0;
  }
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(resolved.diskPath.c_str()), &closedir);
  if (!dir) {
    return 0;
  }
  // The names first: removing entries while the folder is read may make the listing skip some.
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir.get())) {
    if (isTemporaryName(entry->d_name)) {
      names.emplace_back(entry->d_name);
    }
  }
  std::size_t removed = 0;
  for (const std::string& name : names) {
    if (removeIfStale(dirfd(dir.get()), name, minimumAge)) {
      ++removed;
    }
  }
  return removed;
}

}  // namespace rakewright
