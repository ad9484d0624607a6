// The start-up catalogue build and the traffic filter's category pass, on the large folder.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "bench/large_folder.h"
#include "reference/catalogue_filters.h"
#include "reference/catalogues.h"
#include "reference/rolling_stock_base.h"

namespace rakewright::bench {
namespace {

// traffic.ref read, consists.ref written from the wagon folders and read back.
void BM_BuildCatalogues(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  Catalogue traffic;
  Catalogue folder;
  for (auto _ : state) {
    buildCatalogues(root.path(), traffic, folder);
    benchmark::DoNotOptimize(folder.size());
  }
  if (traffic.size() != static_cast<std::size_t>(root.shape().trafficEntries) ||
      folder.size() != expectedFolderCatalogueSize(root.shape())) {
    state.SkipWithError("the catalogues do not have the sizes of the generated folder");
  }
  state.counters["traffic"] = static_cast<double>(traffic.size());
  state.counters["folder"] = static_cast<double>(folder.size());
}
BENCHMARK(BM_BuildCatalogues)->Unit(benchmark::kMillisecond);

// One category filter over the whole traffic catalogue, as the filter runs it: one look at the
// base (parsed at the first lookup, afterwards only checked for changes) and one membership test
// per name.
void BM_TrafficCategoryPass(benchmark::State& state) {
  static constexpr std::array<std::string_view, 5> kSections = {
      sections::kPass, sections::kFreight, sections::kLocos, sections::kMvps, sections::kSpec};
  const std::string_view section = kSections[static_cast<std::size_t>(state.range(0))];
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  Catalogue traffic;
  Catalogue folder;
  buildCatalogues(root.path(), traffic, folder);
  RollingStockBase base(root.path());
  base.open();  // the base is parsed at the first lookup; a pass after it only checks the file
  std::size_t members = 0;
  for (auto _ : state) {
    members = trafficCategory(traffic, section, base).size();
    benchmark::DoNotOptimize(members);
  }
  if (members == 0 || members == traffic.size()) {
    state.SkipWithError("the category pass found no members, or every name");
  }
  state.SetLabel(std::string(section));
  state.counters["members"] = static_cast<double>(members);
}
BENCHMARK(BM_TrafficCategoryPass)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rakewright::bench
