// Loading the 100-wagon consist file of the large folder against its 20,000-name base.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/large_folder.h"
#include "consist/consist_file.h"
#include "consist/consist_model.h"
#include "reference/rolling_stock_base.h"

namespace rakewright::bench {
namespace {

bool loadedWholly(const ConsistModel& model, const LoadResult& result,
                  const LargeFolderShape& shape) {
  return model.wagonCount() == shape.consistLines * shape.consistAmount &&
         result.skippedLines == 0 && !result.limitReached;
}

// The program's case: one base for the whole session, already read by an earlier lookup.
void BM_LoadConsist(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  RollingStockBase base(root.path());
  ConsistModel model(base);
  LoadResult result;
  for (auto _ : state) {
    result = loadConsist(root.path(), kLargeConsist, model);
    benchmark::DoNotOptimize(result);
  }
  if (!loadedWholly(model, result, root.shape())) {
    state.SkipWithError("the consist did not load wholly");
  }
  state.counters["wagons"] = model.wagonCount();
}
BENCHMARK(BM_LoadConsist)->Unit(benchmark::kMillisecond);

// The first load after the base changed on disk: the base is read and parsed within the load.
void BM_LoadConsistFreshBase(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  int wagons = 0;
  for (auto _ : state) {
    RollingStockBase base(root.path());
    ConsistModel model(base);
    const LoadResult result = loadConsist(root.path(), kLargeConsist, model);
    benchmark::DoNotOptimize(result);
    if (!loadedWholly(model, result, root.shape())) {
      state.SkipWithError("the consist did not load wholly");
      break;
    }
    wagons = model.wagonCount();
  }
  state.counters["wagons"] = wagons;
}
BENCHMARK(BM_LoadConsistFreshBase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rakewright::bench
