// The rolling-stock base editor's window on the large folder (a base of 20,000 names, 20,000
// traffic entries, the wagon folders and a library of 1,000 consist files): opening it until the
// window is shown and its table painted; one keystroke of the search and one filter, each until
// the table is painted again; and one edit with its save. Runs on the offscreen platform unless
// another is asked for.
#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableView>

#include <string>

#include "app/base_editor/base_editor_window.h"
#include "app/base_editor/base_table_model.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "bench/consist_library_folder.h"
#include "bench/large_folder.h"
#include "bench/window_bench.h"

namespace rakewright::bench {
namespace {

// The program on the large folder, with its editor opened once.
struct EditorOnLargeFolder {
  EditorOnLargeFolder()
      : program((writeConsistLibrary(LargeSimulatorRoot::shared().path()),
                 Anchors{LargeSimulatorRoot::shared().path(), LargeSimulatorRoot::shared().path()}),
                messages) {
    program.mainWindow().show();
    program.showBaseEditor({});
    editor = program.mainWindow().findChild<BaseEditorWindow*>();
    table = control<QTableView>(*editor, "BaseTable");
    search = control<QLineEdit>(*editor, "BaseSearch");
    QCoreApplication::processEvents();
  }
  // What the user waits for after a change: the events handled and the table painted.
  void painted() const {
    QCoreApplication::processEvents();
    table->viewport()->repaint();
  }

  RecordingMessages messages;
  Program program;
  BaseEditorWindow* editor = nullptr;
  QTableView* table = nullptr;
  QLineEdit* search = nullptr;
};

void BM_BaseEditorOpen(benchmark::State& state) {
  EditorOnLargeFolder e;
  for (auto _ : state) {
    e.editor->close();
    e.program.showBaseEditor({});
    e.painted();
  }
  state.counters["rows"] = e.table->model()->rowCount();
  state.counters["peak_MiB"] = peakMiB();
  if (e.messages.count() != 0) {
    state.SkipWithError(e.messages.last().toStdString().c_str());
  }
}
BENCHMARK(BM_BaseEditorOpen)->Unit(benchmark::kMillisecond);

// Two search keystrokes: "1" narrows the rows, and taking it away brings them all back; with the
// argument 1, in the table sorted by name, as after a click on that header.
void BM_BaseEditorSearchKey(benchmark::State& state) {
  EditorOnLargeFolder e;
  if (state.range(0) == 1) {
    e.table->sortByColumn(BaseTableModel::Name, Qt::AscendingOrder);
    e.painted();
  }
  for (auto _ : state) {
    e.search->setText(QStringLiteral("1"));
    e.painted();
    e.search->clear();
    e.painted();
  }
  state.counters["keys"] = 2;
}
BENCHMARK(BM_BaseEditorSearchKey)->ArgName("sorted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A filter ticked and unticked.
void BM_BaseEditorFilter(benchmark::State& state) {
  EditorOnLargeFolder e;
  auto* filter = control<QCheckBox>(*e.editor, "WithoutLengthFilter");
  for (auto _ : state) {
    filter->setChecked(true);
    e.painted();
    filter->setChecked(false);
    e.painted();
  }
  state.counters["changes"] = 2;
}
BENCHMARK(BM_BaseEditorFilter)->Unit(benchmark::kMillisecond);

// One edit of a length and its save over base.ini (the length goes back and forth).
void BM_BaseEditorEditAndSave(benchmark::State& state) {
  EditorOnLargeFolder e;
  const std::string name(e.editor->base().names().front());
  bool other = false;
  for (auto _ : state) {
    other = !other;
    e.editor->edit(name, BaseTableModel::Length,
                   other ? QStringLiteral("24.6") : QStringLiteral("24.5"));
    e.editor->save();
  }
  if (e.messages.count() != 0) {
    state.SkipWithError(e.messages.last().toStdString().c_str());
  }
}
BENCHMARK(BM_BaseEditorEditAndSave)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rakewright::bench

RAKEWRIGHT_WINDOW_BENCHMARK_MAIN()
