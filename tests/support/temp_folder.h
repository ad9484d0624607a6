// A temporary folder that a test builds and that is removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rakewright::testing {

// A disk path of the platform layer (UTF-8) as a std::filesystem path; a plain std::string would
// be taken in the system's ANSI code page on Windows.
std::filesystem::path fsPath(std::string_view diskPath);

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's disk path, ending in "/".
  const std::string& path() const { return path_; }

  // The disk path of a relative path inside the folder ("/" separators).
  std::string operator/(std::string_view relative) const;

  // Writes a file (bytes as given), creating the folders on the way.
  void write(std::string_view relative, std::string_view content) const;
  // Creates a folder and the folders on the way.
  void mkdir(std::string_view relative) const;
  // The content of a file; throws std::runtime_error when it cannot be read.
  std::string read(std::string_view relative) const;
  bool exists(std::string_view relative) const;

 private:
  std::string path_;
};

}  // namespace rakewright::testing
