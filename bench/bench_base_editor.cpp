// The base editor's core on the large folder: a base.ini of 20,000 names, catalogues of 20,000
// traffic entries and the wagon folders, and the names of a consist library of 1,000 files.
// - building the rows the editor opens with: base.ini read, one row per name of both catalogues,
//   the base and the consist files, each with the figures of the lookups;
// - one edit (a length rewritten in its line) and its save through replaceFile, into a copy of the
//   base, so that the large folder keeps the base it was generated with.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <unordered_set>
#include <vector>

#include "bench/consist_library_folder.h"
#include "bench/large_folder.h"
#include "consist/consist_folder_check.h"
#include "reference/base_file.h"
#include "reference/base_rows.h"
#include "reference/catalogues.h"

namespace rakewright::bench {
namespace {

struct EditorNames {
  Catalogue traffic;
  Catalogue folder;
  std::vector<std::string> consistNames;
};

// What the editor's window collects before it builds the rows, gathered once.
const EditorNames& editorNames() {
  static const EditorNames names = [] {
    const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
    writeConsistLibrary(root.path());
    EditorNames gathered;
    buildCatalogues(root.path(), gathered.traffic, gathered.folder);
    ConsistFolderCheck library(root.path(), root.path());
    std::unordered_set<std::string> seen;
    for (const ConsistFileEntry& entry : library.pass()) {
      for (const std::string& name : entry.check.names) {
        if (seen.insert(name).second) {
          gathered.consistNames.push_back(name);
        }
      }
    }
    return gathered;
  }();
  return names;
}

void BM_BaseEditorRows(benchmark::State& state) {
  const LargeSimulatorRoot& root = LargeSimulatorRoot::shared();
  const EditorNames& names = editorNames();
  std::size_t rows = 0;
  std::size_t baseNames = 0;
  for (auto _ : state) {
    const BaseFile base = BaseFile::read(root.path());
    const std::vector<BaseRow> built =
        baseRows(base, names.traffic, names.folder, names.consistNames);
    rows = built.size();
    baseNames = base.names().size();
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["base_names"] = static_cast<double>(baseNames);
  state.counters["consist_names"] = static_cast<double>(names.consistNames.size());
}
BENCHMARK(BM_BaseEditorRows)->Unit(benchmark::kMillisecond)->UseRealTime();

// A scratch simulator folder holding a copy of the large folder's base, removed at the end.
class BaseCopy {
 public:
  BaseCopy() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "rakewright-bench-base-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a scratch folder");
    }
    path_ = pattern + "/";
    std::filesystem::create_directories(path_ + "data/consists");
    std::filesystem::copy_file(LargeSimulatorRoot::shared().path() + "data/consists/base.ini",
                               path_ + "data/consists/base.ini");
  }
  ~BaseCopy() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  BaseCopy(const BaseCopy&) = delete;
  BaseCopy& operator=(const BaseCopy&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// One length typed over and saved; `save` 0 measures the edit alone.
void BM_BaseEditorEdit(benchmark::State& state) {
  const BaseCopy copy;
  BaseFile base = BaseFile::read(copy.path());
  const std::vector<std::string_view> names = base.names();
  const std::string name(names[names.size() / 2]);
  const LengthSection section = base.category(name).value_or(LengthSection::Freight);
  const bool save = state.range(0) != 0;
  int round = 0;
  for (auto _ : state) {
    const BaseEdit edit = base.setLength(name, ++round % 2 == 0 ? "24.5" : "25", section);
    if (!edit.changed) {
      state.SkipWithError("the edit changed nothing");
      break;
    }
    if (save && base.save(copy.path()) != BaseFile::SaveOutcome::Saved) {
      state.SkipWithError("the save found the file changed");
      break;
    }
  }
  state.counters["bytes"] = static_cast<double>(base.bytes().size());
}
BENCHMARK(BM_BaseEditorEdit)
    ->ArgName("save")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace rakewright::bench
