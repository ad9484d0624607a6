// What the window benchmarks share beyond support/window_support.h (the recorder of the boxes,
// the control lookup and RAKEWRIGHT_WINDOW_BENCHMARK_MAIN): the peak memory of the process.
#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "support/window_support.h"

namespace rakewright::bench {

// A benchmark that sees a box of the window is invalid.
using testing::control;
using testing::RecordingMessages;

// The peak memory of the process so far (maxrss), in MiB.
inline double peakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace rakewright::bench
