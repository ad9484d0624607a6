// The directory search: the entries of one folder whose names fit a wildcard mask. "*.*" fits every
// name (with or without a dot), "*" any run of characters, "?" one character, anything else itself,
// all ignoring letter case. "." and ".." are never listed. Entries come sorted by their upper-cased
// names, which is the order an NTFS volume returns them in, so every listing is stable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rakewright {

struct DirEntry {
  std::string name;  // as stored, in Windows-1251
  bool isFolder = false;
  std::string diskName;  // the name as the operating system has it
};

// `pattern` is a path whose last component is the mask, such as "data/freight_wags/" + folder +
// "\*.dmd", resolved against `anchor` like resolvePath(). A missing folder gives an empty list.
std::vector<DirEntry> findFiles(std::string_view anchor, std::string_view pattern);

// Whether a Windows-1251 name fits a mask, ignoring letter case.
bool fitsMask(std::string_view name, std::string_view mask);

// All entries of a folder given as a disk path (names converted to Windows-1251), in the stable
// order above. Unreadable folders give an empty list.
std::vector<DirEntry> listFolder(const std::string& diskFolder);

}  // namespace rakewright
