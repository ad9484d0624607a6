// Files that no reader may trust (FIFOs, links to devices, sparse files past a size limit), made by
// the tests in their own temporary folders, and a guard that keeps a reader stuck on one of them
// from hanging the test program.
#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/file_error.h"
#include "support/temp_folder.h"

namespace rakewright::testing {

#ifndef _WIN32
inline void makeFifo(const std::string& diskPath) {
  std::filesystem::create_directories(std::filesystem::path(diskPath).parent_path());
  if (mkfifo(diskPath.c_str(), 0644) != 0) {
    throw std::runtime_error("mkfifo " + diskPath + ": " + std::strerror(errno));
  }
}

inline void makeSymlink(const std::string& target, const std::string& diskPath) {
  std::filesystem::create_directories(std::filesystem::path(diskPath).parent_path());
  std::filesystem::create_symlink(target, diskPath);
}

#endif

// A file of `size` bytes that starts with `head` and is a hole after it, so that it takes no room
// on disk however large it claims to be (where the file system knows holes).
inline void makeSparseFile(const std::string& diskPath, std::size_t size,
                           std::string_view head = {}) {
  const std::filesystem::path path = fsPath(diskPath);
  std::filesystem::create_directories(path.parent_path());
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    if (!out) {
      throw std::runtime_error("cannot make the sparse file " + diskPath);
    }
  }
  std::filesystem::resize_file(path, size);
}

// How long an action on a hostile file may take; a correct reader refuses at once.
inline constexpr std::chrono::seconds kPatience{5};

// Runs `action` on a thread of its own and tells how it ended: "no error" when it returned, the
// text of the FileError it threw, "other exception: ..." for anything else. An action that has
// not ended after kPatience is taken to wait on the FIFO `fifo`: the FIFO is opened for writing
// and closed again, which gives a reader waiting on it end of file, and the outcome is "stuck".
// A reader that not even that releases cannot be stopped, so the test program ends with a
// failure rather than hang the suite.
inline std::string outcomeOf(const std::function<void()>& action, const std::string& fifo = {}) {
  std::future<std::string> done = std::async(std::launch::async, [&action]() -> std::string {
    try {
      action();
      return "no error";
    } catch (const FileError& error) {
      return error.what();
    } catch (const std::exception& error) {
      return std::string("other exception: ") + error.what();
    }
  });
  if (done.wait_for(kPatience) == std::future_status::ready) {
    return done.get();
  }
#ifdef _WIN32
  static_cast<void>(fifo);  // Windows has no FIFO in a folder
#else
  if (!fifo.empty()) {
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (writer >= 0) {
      close(writer);
    }
  }
#endif
  if (done.wait_for(kPatience) != std::future_status::ready) {
    std::fprintf(stderr, "A read of a hostile file did not end; the test program stops here.\n");
    std::_Exit(EXIT_FAILURE);
  }
  return "stuck";
}

}  // namespace rakewright::testing
