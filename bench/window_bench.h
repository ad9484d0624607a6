// What the window benchmarks share beyond support/window_support.h (the recorder of the boxes,
// the control lookup and RAKEWRIGHT_WINDOW_BENCHMARK_MAIN) and bench/peak_memory.h.
#pragma once

#include <benchmark/benchmark.h>

#include "bench/peak_memory.h"
#include "support/window_support.h"

namespace rakewright::bench {

// A benchmark that sees a box of the window is invalid.
using testing::control;
using testing::RecordingMessages;

}  // namespace rakewright::bench
