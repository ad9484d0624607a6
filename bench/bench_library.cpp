// The check of a consist library of 1,000 files of 50 wagons against the large folder's base
// (20,000 names) and catalogues: what one pass of the consist library's checking thread costs,
// first (every file read and checked) and then again with nothing changed (a listing and a look
// at each file's size and time).
#include <benchmark/benchmark.h>

#include "bench/consist_library_folder.h"
#include "bench/large_folder.h"
#include "consist/consist_folder_check.h"

namespace rakewright::bench {
namespace {

void BM_CheckConsistLibrary(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  writeConsistLibrary(root.path());
  std::size_t files = 0;
  int broken = 0;
  for (auto _ : state) {
    ConsistFolderCheck folder(root.path(), root.path());
    const std::vector<ConsistFileEntry> entries = folder.pass();
    files = entries.size();
    broken = 0;
    for (const ConsistFileEntry& entry : entries) {
      broken += entry.check.errors() > 0 ? 1 : 0;
    }
  }
  if (files < static_cast<std::size_t>(kLibraryFiles)) {
    state.SkipWithError("the library was not listed whole");
  }
  state.counters["files"] = static_cast<double>(files);
  state.counters["with_errors"] = broken;
}
BENCHMARK(BM_CheckConsistLibrary)->Unit(benchmark::kMillisecond);

void BM_CheckConsistLibraryUnchanged(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  writeConsistLibrary(root.path());
  ConsistFolderCheck folder(root.path(), root.path());
  folder.pass();
  for (auto _ : state) {
    benchmark::DoNotOptimize(folder.pass());
  }
  if (folder.lastChecked() != 0) {
    state.SkipWithError("files were checked again though nothing changed");
  }
}
BENCHMARK(BM_CheckConsistLibraryUnchanged)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rakewright::bench
