// Where the start-up's file work goes, phase by phase, inside one process: the steps the main
// window takes on a simulator folder before it shows (the traffic list read, the wagon folders
// listed, the folder index written and read back, the consist folder listed), each timed on its
// own, and the listing of the wagon folders once more through the plain system calls, so that the
// cost of our own path handling stands beside the system's. scripts/bench-startup runs it on both
// systems (under Wine on Windows) beside the whole-process times.
//   startup_phases FOLDER [RUNS]     (FOLDER: a simulator root; medians of RUNS runs, default 5)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

#include "platform/dir_search.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reference/catalogue.h"
#include "reference/catalogues.h"
#include "reference/data_paths.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()>& step) {
  const Clock::time_point start = Clock::now();
  step();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The disk paths of the wagon folders below a wagon root, as the start-up lists them.
std::vector<std::string> wagonFolderPaths(const std::string& root, std::string_view wagonRoot) {
  std::vector<std::string> paths;
  const rakewright::ResolvedPath resolved = rakewright::resolvePath(root, wagonRoot);
  if (resolved.status != rakewright::ResolvedPath::Status::Found) {
    return paths;
  }
  for (const rakewright::DirEntry& entry : rakewright::listFolder(resolved.diskPath)) {
    if (entry.isFolder) {
      paths.push_back(resolved.diskPath + "/" + entry.diskName);
    }
  }
  return paths;
}

// Lists a folder through the system's own calls, as a plain reader would; returns the entries.
std::size_t plainListing(const std::string& folder) {
  std::size_t count = 0;
#ifdef _WIN32
  // The path as the program holds it (UTF-8, "/" and "\" mixed) becomes a plain wide path.
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, folder.data(), static_cast<int>(folder.size()), nullptr, 0);
  std::wstring pattern(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, folder.data(), static_cast<int>(folder.size()), pattern.data(),
                      length);
  std::replace(pattern.begin(), pattern.end(), L'/', L'\\');
  pattern += L"\\*";
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return 0;
  }
  do {
    ++count;
  } while (FindNextFileW(search, &found));
  FindClose(search);
#else
  DIR* const dir = opendir(folder.c_str());
  if (dir == nullptr) {
    return 0;
  }
  while (readdir(dir) != nullptr) {
    ++count;
  }
  closedir(dir);
#endif
  return count;
}

// Lists the folders on `threads` threads, each taking every threads-th folder.
void listOnThreads(const std::vector<std::string>& folders, unsigned threads) {
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([&folders, t, threads] {
      for (std::size_t i = t; i < folders.size(); i += threads) {
        rakewright::listFolder(folders[i]);
      }
    });
  }
  for (std::thread& worker : workers) {
    worker.join();
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [RUNS]\n", argv[0]);
    return 2;
  }
  std::string root = argv[1];
  if (root.back() != '/' && root.back() != '\\') {
    root += '/';
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  namespace paths = rakewright::paths;

  struct Phase {
    const char* name;
    std::vector<double> times;
  };
  std::vector<Phase> phases = {{"read traffic.ref", {}},
                               {"list the wagon roots", {}},
                               {"list each wagon folder (listFolder)", {}},
                               {"the same folders, plain system listing", {}},
                               {"listFolder of each on 2 threads", {}},
                               {"listFolder of each on 4 threads", {}},
                               {"folder index lines (listing included)", {}},
                               {"write consists.ref", {}},
                               {"read consists.ref back", {}},
                               {"list the consist files", {}},
                               {"whole buildCatalogues", {}}};
  std::size_t trafficSize = 0;
  std::size_t folderSize = 0;
  std::size_t wagonFolders = 0;
  for (int run = 0; run < runs; ++run) {
    rakewright::Catalogue traffic;
    phases[0].times.push_back(
        millisecondsOf([&] { rakewright::ReadCatalogueFile(root, paths::kTrafficRef, traffic); }));
    std::vector<std::string> folders;
    phases[1].times.push_back(millisecondsOf([&] {
      folders = wagonFolderPaths(root, paths::kFreightWags);
      const std::vector<std::string> passenger = wagonFolderPaths(root, paths::kPassWags);
      folders.insert(folders.end(), passenger.begin(), passenger.end());
    }));
    wagonFolders = folders.size();
    phases[2].times.push_back(millisecondsOf([&] {
      for (const std::string& folder : folders) {
        rakewright::listFolder(folder);
      }
    }));
    phases[3].times.push_back(millisecondsOf([&] {
      for (const std::string& folder : folders) {
        plainListing(folder);
      }
    }));
    phases[4].times.push_back(millisecondsOf([&] { listOnThreads(folders, 2); }));
    phases[5].times.push_back(millisecondsOf([&] { listOnThreads(folders, 4); }));
    std::vector<std::string> lines;
    phases[6].times.push_back(
        millisecondsOf([&] { lines = rakewright::folderIndexLines(root, traffic); }));
    phases[7].times.push_back(millisecondsOf(
        [&] { rakewright::replaceFile(root, paths::kConsistsRef, rakewright::joinCrLf(lines)); }));
    rakewright::Catalogue folder;
    phases[8].times.push_back(
        millisecondsOf([&] { rakewright::ReadCatalogueFile(root, paths::kConsistsRef, folder); }));
    phases[9].times.push_back(
        millisecondsOf([&] { rakewright::findFiles(root, paths::kConsistFiles); }));
    phases[10].times.push_back(
        millisecondsOf([&] { rakewright::buildCatalogues(root, traffic, folder); }));
    trafficSize = traffic.size();
    folderSize = folder.size();
  }
  std::printf(
      "%zu traffic entries, %zu wagon folders, %zu folder catalogue entries; medians of %d\n",
      trafficSize, wagonFolders, folderSize, runs);
  for (const Phase& phase : phases) {
    std::printf("%-42s %9.1f ms\n", phase.name, median(phase.times));
  }
  return 0;
}
