// Helpers shared by the fuzz targets: an invariant check that stops the fuzzer, and a scratch
// folder that lives as long as the fuzzer runs.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace rakewright::fuzz {

// A broken invariant is a finding: say which, then crash so libFuzzer keeps the input.
inline void require(bool holds, const char* invariant) {
  if (!holds) {
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    __builtin_trap();
  }
}

// A folder below the temporary folder (TMPDIR), removed when the fuzzer ends normally.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "rakewright-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a scratch folder");
    }
    path_ = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace rakewright::fuzz
