// What the window benchmarks share: the recorder of the boxes the window would show and the peak
// memory (bench/counting_messages.h), controls found by their names, and main() on the offscreen
// platform with the application prepared as the program prepares it.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <QWidget>

#include "app/application.h"
#include "bench/counting_messages.h"

namespace rakewright::bench {

template <typename Control>
Control* control(const QWidget& window, const char* name) {
  return window.findChild<Control*>(QLatin1String(name));
}

}  // namespace rakewright::bench

#define RAKEWRIGHT_WINDOW_BENCHMARK_MAIN()                \
  int main(int argc, char* argv[]) {                      \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) { \
      qputenv("QT_QPA_PLATFORM", "offscreen");            \
    }                                                     \
    QApplication application(argc, argv);                 \
    rakewright::prepareApplication();                     \
    benchmark::Initialize(&argc, argv);                   \
    benchmark::RunSpecifiedBenchmarks();                  \
    benchmark::Shutdown();                                \
    return 0;                                             \
  }
