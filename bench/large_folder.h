// A large simulator root folder for the benchmarks: a traffic list of 20,000 entries, 3,000 freight
// and 1,000 passenger wagon folders, a rolling-stock base of 20,000 names and a consist file of 100
// wagons. Names mix Latin and Cyrillic; text files are Windows-1251 with CR LF, file names UTF-8,
// as in a real simulator folder.
//
// The catalogues scale with the environment: RAKEWRIGHT_BENCH_TRAFFIC (traffic entries),
// RAKEWRIGHT_BENCH_FREIGHT and RAKEWRIGHT_BENCH_PASSENGER (wagon folders); the base keeps its
// 20,000 names. RAKEWRIGHT_BENCH_ROOT names a folder to use instead of a temporary one: the
// folder is generated there when it holds no traffic list yet, and kept at exit, so that several
// runs share one large folder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rakewright::bench {

struct LargeFolderShape {
  int trafficEntries = 20000;
  int freightFolders = 3000;
  int passengerFolders = 1000;
  int baseNames = 20000;
  int consistLines = 25;
  int consistAmount = 4;  // every consist line stands for this many wagons
  // Every n-th freight folder is named like a traffic entry (in upper case) and so is left out of
  // the folder index.
  int freightLikeTrafficEvery = 30;
};

// The consist file of the large folder, in data/consists/.
inline constexpr std::string_view kLargeConsist = "bench_100.con";

// Writes the folder tree below `folder` (which must exist).
void generateLargeSimulatorRoot(const std::string& folder,
                                const LargeFolderShape& shape = LargeFolderShape{});

// How many entries the folder catalogue of a generated root holds.
std::size_t expectedFolderCatalogueSize(const LargeFolderShape& shape);

// The default shape with the sizes the environment asks for.
LargeFolderShape shapeFromEnvironment();

// A large root generated once per process in a temporary folder and removed at exit (or the
// folder RAKEWRIGHT_BENCH_ROOT names, kept).
class LargeSimulatorRoot {
 public:
  static const LargeSimulatorRoot& shared();

  // The root's disk path, ending in "/": both the data root and the program folder.
  const std::string& path() const { return path_; }
  const LargeFolderShape& shape() const { return shape_; }

  LargeSimulatorRoot(const LargeSimulatorRoot&) = delete;
  LargeSimulatorRoot& operator=(const LargeSimulatorRoot&) = delete;

 private:
  LargeSimulatorRoot();
  ~LargeSimulatorRoot();

  LargeFolderShape shape_;
  std::string path_;
  bool temporary_ = true;
};

}  // namespace rakewright::bench
