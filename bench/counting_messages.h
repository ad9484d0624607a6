// What the window benchmarks and the start-up probe share without Google Benchmark: a recorder that
// counts the boxes the window would show (a measurement that sees one is invalid), and the peak
// memory of the process.
#pragma once

#ifdef _WIN32
#include <windows.h>
// <psapi.h> needs <windows.h> first.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <QString>

#include <optional>

#include "app/user_messages.h"

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

// The peak memory of the process so far (maxrss; the peak working set on Windows), in MiB.
inline double peakMiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
    return 0.0;
  }
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
#endif
}

}  // namespace rakewright::bench
