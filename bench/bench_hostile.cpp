// The window on the inputs that used to freeze it or eat the memory: a traffic list whose first
// name is 50 MB long, a consist file with a name of 10 MB, and a JPEG of a kilobyte that claims
// 8192 x 8192 pixels as the picture of six wagons and of the selection. Each benchmark reports the
// peak memory of the process so far (maxrss, MiB); run one at a time with --benchmark_filter to
// see each one's own peak. Runs on the offscreen platform unless another is asked for.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/common/application.h"
#include "app/common/user_messages.h"
#include "app/main_window/main_window.h"
#include "app/program.h"
#include "bench/large_folder.h"
#include "bench/window_bench.h"
#include "support/jpeg.h"

namespace rakewright::bench {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// A JPEG of a kilobyte whose header claims `width` x `height` pixels.
std::string jpegClaiming(int width, int height) {
  std::string bytes = testing::jpegBytes(16, 16, {150, 40, 150});
  const std::size_t frame = bytes.find("\xFF\xC0");
  bytes[frame + 5] = static_cast<char>(height >> 8);
  bytes[frame + 6] = static_cast<char>(height & 0xFF);
  bytes[frame + 7] = static_cast<char>(width >> 8);
  bytes[frame + 8] = static_cast<char>(width & 0xFF);
  return bytes;
}

// The hostile inputs, each in a simulator folder of its own (made once per process, on first use),
// so that the peak memory of one benchmark is not that of another's input.
enum class Hostile { HugeTrafficName, LongConsistName, EnormousPicture };

class HostileRoot {
 public:
  static const HostileRoot& of(Hostile kind) {
    switch (kind) {
      case Hostile::HugeTrafficName: {
        static const HostileRoot huge(kind);
        return huge;
      }
      case Hostile::LongConsistName: {
        static const HostileRoot longName(kind);
        return longName;
      }
      case Hostile::EnormousPicture:
        break;
    }
    static const HostileRoot picture(Hostile::EnormousPicture);
    return picture;
  }
  Anchors anchors() const { return Anchors{path_, path_}; }

  HostileRoot(const HostileRoot&) = delete;
  HostileRoot& operator=(const HostileRoot&) = delete;

 private:
  explicit HostileRoot(Hostile kind) {
    std::string pattern = (fs::temp_directory_path() / "rakewright-hostile-XXXXXX").string();
    path_ = std::string(mkdtemp(pattern.data())) + "/";
    const fs::path root = path_;
    const std::string traffic = "Enormous\r\nTank\r\n";
    if (kind == Hostile::HugeTrafficName) {
      // Written a megabyte at a time: the peak memory of the process is the window's, not the
      // generator's.
      fs::create_directories(root / "data/traffic");
      std::ofstream file(root / "data/traffic/traffic.ref", std::ios::binary);
      file << "Huge";
      const std::string megabyte(1'000'000, 'x');
      for (int i = 0; i < 50; ++i) {
        file.write(megabyte.data(),
                   static_cast<std::streamsize>(megabyte.size() - (i == 0 ? 4 : 0)));
      }
      file << "\r\n" << traffic;
    } else {
      writeFile(root / "data/traffic/traffic.ref", traffic);
    }
    writeFile(root / "data/consists/base.ini", "[FREIGHT]\r\nTank=12\r\n");
    writeFile(root / "data/consists/Preview/Logo.jpg", testing::jpegBytes(462, 157, {30, 60, 100}));
    writeFile(root / "data/consists/Preview/Not_Wag_Img.jpg",
              testing::jpegBytes(167, 60, {235, 235, 235}));
    writeFile(root / "data/consists/Preview/Not_Wagon.jpg",
              testing::jpegBytes(167, 60, {255, 255, 255}));
    writeFile(root / "data/freight_wags/Hopper/hopper.dmd", "model");
    if (kind == Hostile::LongConsistName) {
      writeFile(root / "data/consists/long.con",
                "1\tLong" + std::string(10'000'000 - 4, 'y') + "\t25\r\n;50\t4\t1\r\n");
    }
    if (kind == Hostile::EnormousPicture) {
      writeFile(root / "data/consists/Preview/Enormous.jpg", jpegClaiming(8192, 8192));
      std::string enormous;
      for (int i = 0; i < 6; ++i) {
        enormous += "1\tEnormous\t14\r\n";
      }
      writeFile(root / "data/consists/enormous.con", enormous + ";300\t24\t6\r\n");
    }
  }
  ~HostileRoot() { fs::remove_all(path_); }

  std::string path_;
};

void finish(benchmark::State& state, const RecordingMessages& messages) {
  if (messages.count() != 0) {
    state.SkipWithError(messages.last().toStdString().c_str());
  }
  state.counters["peak_MiB"] = peakMiB();
}

// Start-up with the 50 MB name first in the traffic list, and one paint of the list showing it.
void BM_StartWithHugeTrafficName(benchmark::State& state) {
  RecordingMessages messages;
  for (auto _ : state) {
    Program program(HostileRoot::of(Hostile::HugeTrafficName).anchors(), messages);
    MainWindow& window = program.mainWindow();
    window.show();
    benchmark::DoNotOptimize(control<QAbstractItemView>(window, "ListBox1")->grab());
  }
  finish(state, messages);
}
BENCHMARK(BM_StartWithHugeTrafficName)->Unit(benchmark::kMillisecond);

// Selecting the 50 MB name and filtering the traffic list.
void BM_SelectAndFilterHugeTrafficName(benchmark::State& state) {
  RecordingMessages messages;
  Program program(HostileRoot::of(Hostile::HugeTrafficName).anchors(), messages);
  MainWindow& window = program.mainWindow();
  window.show();
  auto* list = control<QAbstractItemView>(window, "ListBox1");
  auto* filter = control<QComboBox>(window, "ComboBox1");
  for (auto _ : state) {
    list->setCurrentIndex(list->model()->index(1, 0));
    list->setCurrentIndex(list->model()->index(0, 0));
    filter->setCurrentIndex(2);
    emit filter->activated(2);
    filter->setCurrentIndex(0);
    emit filter->activated(0);
    benchmark::DoNotOptimize(list->grab());
  }
  finish(state, messages);
}
BENCHMARK(BM_SelectAndFilterHugeTrafficName)->Unit(benchmark::kMillisecond);

// Loading the consist whose only wagon has a name of 10 MB.
void BM_LoadConsistWithLongName(benchmark::State& state) {
  RecordingMessages messages;
  Program program(HostileRoot::of(Hostile::LongConsistName).anchors(), messages);
  MainWindow& window = program.mainWindow();
  window.show();
  control<QComboBox>(window, "ConsistsComboBox")->setEditText(QStringLiteral("long.con"));
  auto* load = control<QPushButton>(window, "LoadButton");
  for (auto _ : state) {
    load->click();
    benchmark::DoNotOptimize(window.grab());
  }
  finish(state, messages);
}
BENCHMARK(BM_LoadConsistWithLongName)->Unit(benchmark::kMillisecond);

// The six wagons of the picture that claims 8192 x 8192 pixels, redrawn ("В начало"), with that
// picture also in the preview.
void BM_RedrawEnormousPictures(benchmark::State& state) {
  RecordingMessages messages;
  Program program(HostileRoot::of(Hostile::EnormousPicture).anchors(), messages);
  MainWindow& window = program.mainWindow();
  window.show();
  auto* list = control<QAbstractItemView>(window, "ListBox1");
  list->setCurrentIndex(list->model()->index(1, 0));  // the preview
  control<QComboBox>(window, "ConsistsComboBox")->setEditText(QStringLiteral("enormous.con"));
  control<QPushButton>(window, "LoadButton")->click();
  auto* first = control<QPushButton>(window, "Button5");
  for (auto _ : state) {
    first->click();
    benchmark::DoNotOptimize(window.grab());
  }
  finish(state, messages);
}
BENCHMARK(BM_RedrawEnormousPictures)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rakewright::bench

RAKEWRIGHT_WINDOW_BENCHMARK_MAIN()
