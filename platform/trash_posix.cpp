// The Linux half of moveToTrash(): the trash folders as the desktops keep them by the
// freedesktop.org trash rules, so that any file manager lists the file and can put it back.
//
// A file on the file system of the home trash ($XDG_DATA_HOME/Trash, by default
// ~/.local/share/Trash) goes there; the home trash, its "files" and "info" folders and the missing
// folders above it are made when first needed, each with mode 700. A file on another file system
// goes to the trash at the top of that file system: $topdir/.Trash/$uid where the administrator
// made $topdir/.Trash (a folder with the sticky bit, not a link), else $topdir/.Trash-$uid. The
// file is renamed, never copied, so a file that no trash on its own file system can take stays
// where it is.
//
// The record of where the file came from, info/NAME.trashinfo, is written first and created
// exclusively, which reserves NAME; then the file is renamed to files/NAME without replacing
// anything there. When the rename fails the record is removed again.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_error.h"
#include "platform/trash.h"
#include "platform/trash_calls.h"

namespace rakewright {

namespace trash_calls {

namespace {

int renameWithoutReplacing(const char* from, const char* to) {
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    return -1;
  }
  // A file system that cannot be asked not to replace (some network ones): look first.
  struct stat info {};
  if (lstat(to, &info) == 0) {
    errno = EEXIST;
    return -1;
  }
  return std::rename(from, to);
}

}  // namespace

int (*renameNoReplace)(const char* from, const char* to) = &renameWithoutReplacing;

}  // namespace trash_calls

namespace {

using Outcome = TrashResult::Outcome;

TrashResult refusal(Outcome outcome, int error) {
  return {outcome, systemReason(error)};
}

std::string parentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    return home;
  }
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return {};
}

// The home trash's folder; a relative $XDG_DATA_HOME does not count, as the desktops take it.
std::string homeTrashFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    return std::string(data) + "/Trash";
  }
  const std::string home = homeFolder();
  return home.empty() ? std::string() : home + "/.local/share/Trash";
}

// Whether `path` is a folder, following links; errno is set when not.
bool isFolder(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return true;
}

// Makes the folder `path` and the missing folders above it, each with mode 700; 0 when `path` is
// a folder now, else the errno why not.
int makeFolders(const std::string& path) {
  if (isFolder(path)) {
    return 0;
  }
  if (errno != ENOENT) {
    return errno;
  }
  if (const std::string parent = parentOf(path); parent != path) {
    if (const int error = makeFolders(parent); error != 0) {
      return error;
    }
  }
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    return errno;
  }
  return isFolder(path) ? 0 : errno;
}

// Gives an existing trash folder its "files" and "info" folders; 0, or the errno why not.
int completeTrash(const std::string& trash) {
  for (const char* part : {"/files", "/info"}) {
    const std::string folder = trash + part;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      return errno;
    }
    if (!isFolder(folder)) {
      return errno;
    }
  }
  return 0;
}

// The device of the file system that `path` is on, or would be made on: that of its nearest
// existing folder.
dev_t deviceOf(std::string path) {
  struct stat info {};
  while (stat(path.c_str(), &info) != 0 && path != "/") {
    path = parentOf(path);
  }
  return info.st_dev;
}

// The top folder of the file system holding `folder` (an absolute path without links): the
// highest folder above it on the same device.
std::string topFolderOf(const std::string& folder, dev_t device) {
  std::string top = folder;
  while (top != "/") {
    const std::string parent = parentOf(top);
    struct stat info {};
    if (stat(parent.c_str(), &info) != 0 || info.st_dev != device) {
      break;
    }
    top = parent;
  }
  return top;
}

// Makes a trash folder of this user's own at `path` (mode 700) unless there is one; it must be a
// folder, not a link, owned by this user.
bool ownTrashFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
    return false;
  }
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
         completeTrash(path) == 0;
}

// The trash at the top of a file system other than the home trash's, or nullopt when there is
// none and none can be made.
std::optional<std::string> topTrashFolder(const std::string& top) {
  const std::string base = top == "/" ? std::string() : top;
  const std::string user = std::to_string(getuid());
  // The administrator's shared trash: used only if it is a real folder with the sticky bit, so
  // that no user can take away another's folder in it.
  const std::string shared = base + "/.Trash";
  struct stat info {};
  if (lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX) != 0 &&
      ownTrashFolder(shared + "/" + user)) {
    return shared + "/" + user;
  }
  if (ownTrashFolder(base + "/.Trash-" + user)) {
    return base + "/.Trash-" + user;
  }
  return std::nullopt;
}

// A path in the form of a URL's path: every byte except letters, digits, "-_.!~*'()" and "/" as
// "%" and two hex digits.
std::string percentEncoded(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  static constexpr std::string_view kPlain = "-_.!~*'()/";
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9') || kPlain.find(c) != std::string_view::npos) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
    }
  }
  return out;
}

// The local time as the record wants it: 2024-05-01T14:03:59.
std::string deletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

// The name under which a file named `name` goes into the trash at the `attempt`-th try: the name
// itself, then "stem.2.ext", "stem.3.ext" and so on. A name too long to take ".trashinfo" in a
// folder is shortened, never within a UTF-8 character.
std::string trashName(const std::string& name, int attempt) {
  constexpr std::size_t kLongest = NAME_MAX - (sizeof ".trashinfo" - 1);
  const std::size_t dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > 0 && name.size() - dot <= 16;
  std::string stem = hasExtension ? name.substr(0, dot) : name;
  const std::string extension = hasExtension ? name.substr(dot) : std::string();
  const std::string number = attempt == 1 ? std::string() : "." + std::to_string(attempt);
  const std::size_t room = kLongest - extension.size() - number.size();
  if (stem.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) {
      --cut;
    }
    stem.resize(cut);
  }
  return stem + number + extension;
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Moves the file at `path` (absolute, its folder without links) into `trash` (a folder with
// "files" and "info"), recording `recordedPath` as where it came from.
TrashResult moveInto(const std::string& trash, const std::string& path,
                     const std::string& recordedPath) {
  const std::string name = path.substr(path.find_last_of('/') + 1);
  const std::string record = "[Trash Info]\nPath=" + percentEncoded(recordedPath) +
                             "\nDeletionDate=" + deletionDate() + "\n";
  constexpr int kAttempts = 10000;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const std::string trashed = trashName(name, attempt);
    const std::string info = trash + "/info/" + trashed + ".trashinfo";
    const int fd = open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      if (errno == EEXIST) {
        continue;
      }
      return refusal(Outcome::NoTrash, errno);
    }
    bool written = writeAll(fd, record);
    int error = errno;
    if (close(fd) != 0 && written) {
      written = false;
      error = errno;
    }
    if (!written) {
      unlink(info.c_str());
      return refusal(Outcome::NotMoved, error);
    }
    const std::string target = trash + "/files/" + trashed;
    if (trash_calls::renameNoReplace(path.c_str(), target.c_str()) == 0) {
      return {Outcome::Moved, {}};
    }
    error = errno;
    unlink(info.c_str());
    if (error != EEXIST) {
      // EXDEV: the two folders lie on one device but in different mounts.
      return refusal(error == EXDEV ? Outcome::NoTrash : Outcome::NotMoved, error);
    }
  }
  return refusal(Outcome::NoTrash, EEXIST);
}

}  // namespace

TrashResult moveToTrash(const std::string& diskPath) {
  // The file's own name, and its folder as an absolute path without links.
  std::string path = diskPath;
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  const std::size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name == "." || name == ".." || name == "/") {
    return refusal(Outcome::NotMoved, EINVAL);
  }
  const std::string folderText = slash == std::string::npos ? std::string(".")
                                 : slash == 0               ? std::string("/")
                                                            : path.substr(0, slash);
  const std::unique_ptr<char, void (*)(void*)> realFolder(realpath(folderText.c_str(), nullptr),
                                                          &std::free);
  if (!realFolder) {
    return refusal(Outcome::NotMoved, errno);
  }
  const std::string folder = realFolder.get();
  const std::string absolute = (folder == "/" ? std::string() : folder) + "/" + name;
  struct stat file {};
  if (lstat(absolute.c_str(), &file) != 0) {
    return refusal(Outcome::NotMoved, errno);
  }

  const std::string homeTrash = homeTrashFolder();
  if (!homeTrash.empty() && deviceOf(homeTrash) == file.st_dev) {
    int error = makeFolders(homeTrash);
    if (error == 0) {
      error = completeTrash(homeTrash);
    }
    if (error != 0) {
      return refusal(Outcome::NoTrash, error);
    }
    return moveInto(homeTrash, absolute, absolute);
  }
  const std::string top = topFolderOf(folder, file.st_dev);
  if (const std::optional<std::string> trash = topTrashFolder(top)) {
    // Where it came from relative to the top folder, so the file goes back wherever the file
    // system is mounted then.
    return moveInto(*trash, absolute,
                    top == "/" ? absolute.substr(1) : absolute.substr(top.size() + 1));
  }
  return refusal(Outcome::NoTrash, EXDEV);
}

}  // namespace rakewright
