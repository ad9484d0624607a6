// Writes the large simulator folder of the benchmarks into a folder of one's choosing, for the
// measurements that run the program as a process (scripts/bench-startup):
//   make_large_folder FOLDER [TRAFFIC FREIGHT PASSENGER]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "bench/large_folder.h"

int main(int argc, char* argv[]) {
  if (argc != 2 && argc != 5) {
    std::fprintf(stderr, "usage: %s FOLDER [TRAFFIC FREIGHT PASSENGER]\n", argv[0]);
    return 2;
  }
  try {
    rakewright::bench::LargeFolderShape shape = rakewright::bench::shapeFromEnvironment();
    if (argc == 5) {
      shape.trafficEntries = std::stoi(argv[2]);
      shape.freightFolders = std::stoi(argv[3]);
      shape.passengerFolders = std::stoi(argv[4]);
    }
    std::filesystem::create_directories(argv[1]);
    rakewright::bench::generateLargeSimulatorRoot(argv[1], shape);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
