#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace rakewright::testing {

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "rakewright-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; make them writable so they can be removed.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

std::string TempFolder::operator/(std::string_view relative) const {
  return path_ + std::string(relative);
}

void TempFolder::write(std::string_view relative, std::string_view content) const {
  const fs::path file = *this / relative;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

void TempFolder::mkdir(std::string_view relative) const {
  fs::create_directories(*this / relative);
}

std::string TempFolder::read(std::string_view relative) const {
  std::ifstream in(*this / relative, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + std::string(relative));
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::exists(std::string_view relative) const {
  std::error_code ignored;
  return fs::exists(*this / relative, ignored);
}

}  // namespace rakewright::testing
