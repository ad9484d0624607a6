// A consist library for the benchmarks: 1,000 consist files of 50 wagons each in the consist
// folder of the large simulator folder, their wagons picked from its traffic list (so most names
// are in the base and the catalogues, a few are not, and many have no preview picture), written
// once per process.
#pragma once

#include <string>

namespace rakewright::bench {

inline constexpr int kLibraryFiles = 1000;
inline constexpr int kLibraryWagons = 50;

// Writes the files into `root` (a generated large simulator folder) unless they are there.
void writeConsistLibrary(const std::string& root);

}  // namespace rakewright::bench
