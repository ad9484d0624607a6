// The catalogue search on a large simulator folder: a character typed into the open search field
// of the traffic side narrows the 20,000 entries of ListBox1, and the list is laid out and painted
// again, which is what the user waits for before the next key. Runs on the offscreen platform
// unless another is asked for.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/common/application.h"
#include "app/common/user_messages.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "bench/large_folder.h"
#include "bench/window_bench.h"

namespace rakewright::bench {
namespace {

// A key pressed in `widget`, and everything the program does until it waits for the next one:
// the handlers, the list's delayed layout and the repaint.
void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = QString()) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(widget, &event);
  QCoreApplication::processEvents();
}

int visibleRows(const QAbstractItemView* list) {
  return list->model()->rowCount();
}

// The window shown on the large folder, with the traffic list and its search field.
struct SearchWindow {
  SearchWindow()
      : program(Anchors{LargeSimulatorRoot::shared().path(), LargeSimulatorRoot::shared().path()},
                messages),
        window(program.mainWindow()) {
    window.show();
    QCoreApplication::processEvents();
    list = control<QAbstractItemView>(window, "ListBox1");
    field = control<QLineEdit>(window, "TrafficSearch");
  }
  void openSearch() const { press(list, Qt::Key_F, Qt::ControlModifier); }
  void closeSearch() const { press(field, Qt::Key_Escape); }
  bool valid(benchmark::State& state) const {
    if (messages.count() != 0) {
      state.SkipWithError(messages.last().toStdString().c_str());
      return false;
    }
    if (list == nullptr || field == nullptr) {
      state.SkipWithError("the window has no traffic search");
      return false;
    }
    return true;
  }

  RecordingMessages messages;
  Program program;
  MainWindow& window;
  QAbstractItemView* list = nullptr;
  QLineEdit* field = nullptr;
};

// The first character: every one of the 20,000 rows is looked at, and most of them are hidden.
void BM_TrafficSearchFirstKey(benchmark::State& state) {
  SearchWindow search;
  if (!search.valid(state)) {
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    search.openSearch();
    state.ResumeTiming();
    press(search.field, Qt::Key_T, Qt::NoModifier, QStringLiteral("T"));
    state.PauseTiming();
    search.closeSearch();
    state.ResumeTiming();
  }
  state.counters["items"] = visibleRows(search.list);
  search.openSearch();
  press(search.field, Qt::Key_T, Qt::NoModifier, QStringLiteral("T"));
  state.counters["matches"] = visibleRows(search.list);
  search.valid(state);
}
BENCHMARK(BM_TrafficSearchFirstKey)->Unit(benchmark::kMillisecond);

// A further character narrows the matches of the first, and Backspace widens them again: two
// keystrokes per iteration.
void BM_TrafficSearchNextKey(benchmark::State& state) {
  SearchWindow search;
  if (!search.valid(state)) {
    return;
  }
  search.openSearch();
  press(search.field, Qt::Key_T, Qt::NoModifier, QStringLiteral("T"));
  for (auto _ : state) {
    press(search.field, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    press(search.field, Qt::Key_Backspace);
  }
  state.counters["peak_MiB"] = peakMiB();
  search.valid(state);
}
BENCHMARK(BM_TrafficSearchNextKey)->Unit(benchmark::kMillisecond);

// Esc: every row shown again and the earlier selection back.
void BM_TrafficSearchClose(benchmark::State& state) {
  SearchWindow search;
  if (!search.valid(state)) {
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    search.openSearch();
    press(search.field, Qt::Key_T, Qt::NoModifier, QStringLiteral("T"));
    state.ResumeTiming();
    search.closeSearch();
  }
  search.valid(state);
}
BENCHMARK(BM_TrafficSearchClose)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rakewright::bench

RAKEWRIGHT_WINDOW_BENCHMARK_MAIN()
