// Paths as the data folders name them: "\" and "/" both separate folders, and every name is found
// ignoring letter case (Latin and Cyrillic). A relative path is resolved against an anchor folder
// one component at a time: the exact name first (one stat), otherwise a scan of the folder for the
// entry whose Windows-1251 name matches ignoring case; where several match, the first in listing
// order wins (the exact one was already tried).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rakewright {

struct ResolvedPath {
  enum class Status {
    Found,        // every component exists; diskPath names it
    MissingLeaf,  // the folders exist, the last component does not; diskPath is where to create it
    MissingFolder,  // a folder on the way does not exist (or is not a folder)
  };
  Status status = Status::MissingFolder;
  std::string diskPath;  // the path as the operating system takes it (UTF-8 names)
};

// Splits a path at "\" and "/", dropping empty pieces and ".".
std::vector<std::string> splitPath(std::string_view path);

// Resolves `path` (Windows-1251) against the anchor folder `anchor` (a disk path; "" or "." is the
// working folder). A path that starts with "/" is absolute and ignores the anchor. A path ending in
// a separator names a folder.
ResolvedPath resolvePath(std::string_view anchor, std::string_view path);

// The folder of the running executable as an absolute disk path ending in a separator ("/" on
// Linux, from /proc/self/exe; "\" on Windows, from GetModuleFileNameW).
std::string programFolder();

// The working folder as an absolute disk path ending in a separator ("/" on Linux, "\" on
// Windows).
std::string workingFolder();

}  // namespace rakewright
