// The peak memory of the process so far, for the benchmarks and the start-up probe, which report
// it beside their times.
#pragma once

#ifdef _WIN32
#include <windows.h>
// <psapi.h> needs <windows.h> first.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace rakewright::bench {

// maxrss on Linux, the peak working set on Windows, in MiB.
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
