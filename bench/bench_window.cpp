// The main window on a large simulator folder: creating it runs the whole start-up sequence
// (traffic list, folder index written and read back, consist files listed, both lists filled,
// the strip drawn), which is what the user waits for before the window appears. Runs on the
// offscreen platform unless another is asked for.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/common/application.h"
#include "app/common/user_messages.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "bench/large_folder.h"
#include "bench/window_bench.h"

namespace rakewright::bench {
namespace {

int itemCount(const QWidget& window, const char* list) {
  return control<QAbstractItemView>(window, list)->model()->rowCount();
}

Anchors largeAnchors() {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  return Anchors{root.path(), root.path()};
}

void BM_WindowStartup(benchmark::State& state) {
  const Anchors anchors = largeAnchors();
  RecordingMessages messages;
  for (auto _ : state) {
    Program program(anchors, messages);
    MainWindow& window = program.mainWindow();
    benchmark::DoNotOptimize(itemCount(window, "ListBox3"));
  }
  if (messages.count() != 0) {
    state.SkipWithError(messages.last().toStdString().c_str());
  }
  Program program(anchors, messages);
  MainWindow& window = program.mainWindow();
  state.counters["traffic"] = itemCount(window, "ListBox1");
  state.counters["folder"] = itemCount(window, "ListBox3");
  state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_WindowStartup)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_LoadLargeConsistThroughButton(benchmark::State& state) {
  RecordingMessages messages;
  Program program(largeAnchors(), messages);
  MainWindow& window = program.mainWindow();
  control<QComboBox>(window, "ConsistsComboBox")
      ->setEditText(QString::fromLatin1(kLargeConsist.data(), kLargeConsist.size()));
  auto* load = control<QPushButton>(window, "LoadButton");
  for (auto _ : state) {
    load->click();
  }
  if (messages.count() != 0) {
    state.SkipWithError(messages.last().toStdString().c_str());
  }
  state.counters["wagons"] = control<QLabel>(window, "Wag_Num")->text().toInt();
}
BENCHMARK(BM_LoadLargeConsistThroughButton)->Unit(benchmark::kMillisecond);

// Undo and redo of loading the 100-wagon consist (each redraws the strip); Ctrl+Z and Ctrl+Y.
void BM_UndoRedoOfLargeLoad(benchmark::State& state) {
  RecordingMessages messages;
  Program program(largeAnchors(), messages);
  MainWindow& window = program.mainWindow();
  control<QComboBox>(window, "ConsistsComboBox")
      ->setEditText(QString::fromLatin1(kLargeConsist.data(), kLargeConsist.size()));
  control<QPushButton>(window, "LoadButton")->click();
  QAction* undo = program.actions().undo;
  QAction* redo = program.actions().redo;
  auto* wagons = control<QLabel>(window, "Wag_Num");
  for (auto _ : state) {
    undo->trigger();
    if (wagons->text() != QStringLiteral("0")) {
      state.SkipWithError("the undo did not empty the consist");
    }
    redo->trigger();
  }
  if (messages.count() != 0 || wagons->text() != QStringLiteral("100")) {
    state.SkipWithError("the redo did not bring the consist back");
  }
  state.counters["steps"] = 2;
}
BENCHMARK(BM_UndoRedoOfLargeLoad)->Unit(benchmark::kMillisecond);

// One traffic-side filter pass: choosing a category in ComboBox1 refills ListBox2 with the members
// of the category among the entries of ListBox1, and the list is laid out again.
void BM_TrafficFilterPass(benchmark::State& state) {
  RecordingMessages messages;
  Program program(largeAnchors(), messages);
  MainWindow& window = program.mainWindow();
  window.show();
  QCoreApplication::processEvents();
  auto* filterBox = control<QComboBox>(window, "ComboBox1");
  filterBox->setCurrentIndex(2);  // "Грузовые вагоны"
  for (auto _ : state) {
    emit filterBox->activated(2);
    QCoreApplication::processEvents();
  }
  if (messages.count() != 0 || itemCount(window, "ListBox2") == 0) {
    state.SkipWithError("the filter found no member");
  }
  state.counters["items"] = itemCount(window, "ListBox1");
  state.counters["members"] = itemCount(window, "ListBox2");
  state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_TrafficFilterPass)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rakewright::bench

RAKEWRIGHT_WINDOW_BENCHMARK_MAIN()
