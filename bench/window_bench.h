// What the window benchmarks share: a recorder that counts the boxes the window would show (a
// benchmark that sees one is invalid), the peak memory of the process, controls found by their
// names, and main() on the offscreen platform with the application prepared as the program
// prepares it.
#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QString>
#include <QWidget>

#include <optional>

#include "app/common/application.h"
#include "app/common/user_messages.h"

namespace rakewright::bench {

class CountingMessages final : public UserMessages {
 public:
  void error(const QString& text) override { record(text); }
  void warning(const QString& text) override { record(text); }
  SaveAnswer askToSave(const QString& text) override {
    record(text);
    return SaveAnswer::Cancel;
  }
  bool confirm(const QString& text) override {
    record(text);
    return false;
  }
  std::optional<QString> askText(const QString& prompt, const QString&) override {
    record(prompt);
    return std::nullopt;
  }
  std::optional<int> askNumber(const QString& prompt, int, int, int) override {
    record(prompt);
    return std::nullopt;
  }
  std::optional<QString> askSaveFile(const QString& caption, const QString&,
                                     const QString&) override {
    record(caption);
    return std::nullopt;
  }
  void record(const QString& text) {
    lastError = text;
    ++count;
  }
  int count = 0;
  QString lastError;
};

// The peak memory of the process so far (maxrss), in MiB.
inline double peakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

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
