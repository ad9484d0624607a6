#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace rakewright::testing {

fs::path fsPath(std::string_view diskPath) {
  return fs::path(std::u8string(diskPath.begin(), diskPath.end()));
}

TempFolder::TempFolder() {
#ifdef _WIN32
  // No mkdtemp: a random name, created only if it is new.
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const fs::path folder =
        fs::temp_directory_path() / ("rakewright-test-" + std::to_string(random()));
    if (fs::create_directory(folder)) {
      const std::u8string name = folder.generic_u8string();
      path_ = std::string(name.begin(), name.end()) + "/";
    }
  }
  if (path_.empty()) {
    throw std::runtime_error("cannot create a temporary folder");
  }
#else
  std::string pattern = (fs::temp_directory_path() / "rakewright-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  path_ = pattern + "/";
#endif
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; make them writable so they can be removed.
  for (auto it = fs::recursive_directory_iterator(fsPath(path_), ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(fsPath(path_), ignored);
}

std::string TempFolder::operator/(std::string_view relative) const {
  return path_ + std::string(relative);
}

void TempFolder::write(std::string_view relative, std::string_view content) const {
  const fs::path file = fsPath(*this / relative);
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + (*this / relative));
  }
}

void TempFolder::mkdir(std::string_view relative) const {
  fs::create_directories(fsPath(*this / relative));
}

std::string TempFolder::read(std::string_view relative) const {
  std::ifstream in(fsPath(*this / relative), std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + std::string(relative));
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::exists(std::string_view relative) const {
  std::error_code ignored;
  return fs::exists(fsPath(*this / relative), ignored);
}

}  // namespace rakewright::testing
