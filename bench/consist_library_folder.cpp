#include "bench/consist_library_folder.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/cp1251.h"
#include "reference/catalogues.h"
#include "reference/data_paths.h"

namespace rakewright::bench {

void writeConsistLibrary(const std::string& root) {
  const std::filesystem::path folder = std::filesystem::path(root) / "data" / "consists";
  if (std::filesystem::exists(folder / "library_0999.con")) {
    return;
  }
  Catalogue traffic;
  ReadCatalogueFile(root, paths::kTrafficRef, traffic);
  for (int file = 0; file < kLibraryFiles; ++file) {
    std::string text;
    for (int wagon = 0; wagon < kLibraryWagons; ++wagon) {
      // Every 40th wagon of a file is one that no catalogue knows.
      const std::size_t pick = static_cast<std::size_t>(file * 131 + wagon * 17) % traffic.size();
      const std::string name =
          wagon % 40 == 39 ? "gone_" + std::to_string(file) : std::string(traffic[pick]);
      text += "1\t" + name + "\t14.5\r\n";
    }
    text += ";2500\t200\t50\r\n";
    char name[32];
    std::snprintf(name, sizeof name, "library_%04d.con", file);
    std::ofstream(folder / name, std::ios::binary) << text;
  }
}

}  // namespace rakewright::bench
