// The consist library window on 1,000 consist files of 50 wagons (bench/consist_library_folder):
// the time from opening the window until every file is listed and checked, and the longest time
// the window's thread was busy meanwhile (the longest gap between the ticks of a 1 ms timer),
// which must stay far below 100 ms: the files are read and checked on another thread.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "app/library/consist_library_window.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "bench/consist_library_folder.h"
#include "bench/large_folder.h"
#include "bench/window_bench.h"

namespace rakewright::bench {
namespace {

void BM_LibraryWindowListsAndChecks(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  writeConsistLibrary(root.path());
  RecordingMessages messages;
  Program program(Anchors{root.path(), root.path()}, messages);
  MainWindow& form = program.mainWindow();
  qint64 longestBlock = 0;
  int rows = 0;
  for (auto _ : state) {
    QElapsedTimer clock;
    qint64 lastTick = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      longestBlock = std::max(longestBlock, now - lastTick);
      lastTick = now;
    });
    QEventLoop loop;
    clock.start();
    ticks.start();
    auto library =
        std::make_unique<ConsistLibraryWindow>(program.document(), program.actions(), &form);
    QObject::connect(library.get(), &ConsistLibraryWindow::listed, &loop, &QEventLoop::quit);
    library->show();
    loop.exec();
    // The work that ended with the listing counts too.
    const qint64 end = clock.nsecsElapsed();
    longestBlock = std::max(longestBlock, end - lastTick);
    state.SetIterationTime(static_cast<double>(end) / 1e9);
    ticks.stop();
    rows = library->findChild<QTableView*>()->model()->rowCount();
  }
  if (rows < kLibraryFiles || messages.count() != 0) {
    state.SkipWithError("the library was not listed whole");
  }
  state.counters["files"] = rows;
  state.counters["longest_block_ms"] = static_cast<double>(longestBlock) / 1e6;
}
BENCHMARK(BM_LibraryWindowListsAndChecks)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace rakewright::bench

RAKEWRIGHT_WINDOW_BENCHMARK_MAIN()
