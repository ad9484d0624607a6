// `rakewright --check --root ROOT` as a whole process, the way a pack builder or a CI job waits for
// it: the real program started, its 1,000 consist files of 50 wagons
// (bench/consist_library_folder.h) checked against the large folder's base of 20,000 names and its
// catalogues, the problems printed (to /dev/null) and the process ended.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/consist_library_folder.h"
#include "bench/large_folder.h"

extern char** environ;

namespace rakewright::bench {
namespace {

void BM_CheckCommandProcess(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  writeConsistLibrary(root.path());
  std::string program = RAKEWRIGHT_PROGRAM;
  std::string check = "--check";
  std::string rootOption = "--root";
  std::string rootPath = root.path();
  std::vector<char*> arguments = {program.data(), check.data(), rootOption.data(), rootPath.data(),
                                  nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  int exitCode = -1;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, arguments.data(), environ) != 0) {
      state.SkipWithError("cannot start the program");
      break;
    }
    int status = 0;
    waitpid(child, &status, 0);
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (exitCode != 0 && exitCode != 1) {
      state.SkipWithError("the check could not run");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  state.counters["files"] = kLibraryFiles;
  state.counters["exit_code"] = exitCode;
}
BENCHMARK(BM_CheckCommandProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace rakewright::bench
