// Fuzzes the reading of consist files: any text loads into a consist whose lines, names, count
// and totals agree, which saves and loads back unchanged, and whose wagons all come off again.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "consist/consist_file.h"
#include "consist/consist_model.h"
#include "fuzz/fuzz_support.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {
namespace {

using fuzz::require;

// Names with ordinary figures, with figures that are no numbers, and with figures at the edges of
// the totals' ranges, so that loading meets every kind of failure.
constexpr std::string_view kBase =
    "[WEIGHTS]\n"
    "A=60.5\n"
    "B=20\n"
    "Neg=-20.25\n"
    "Huge=1e308\n"
    "Bad=heavy\n"
    "Quoted=\"12.5\"\n"
    "Empty=\n"
    "[OSI]\n"
    "A=6\n"
    "B=2\n"
    "Neg=-3\n"
    "Huge=2000000000\n"
    "Bad=four\n"
    "Quoted='8'\n"
    "[PASS]\n"
    "A=24.5\n";

struct Setup {
  fuzz::ScratchFolder folder;
  std::unique_ptr<RollingStockBase> base;

  Setup() {
    std::filesystem::create_directories(folder.path() + "data/consists");
    std::ofstream(folder.path() + "data/consists/base.ini", std::ios::binary) << std::string(kBase);
    base = std::make_unique<RollingStockBase>(folder.path());
  }
};

Setup& setup() {
  static Setup instance;
  return instance;
}

// The totals as adding the wagons one by one from an empty consist gives them.
struct Totals {
  std::string length = "0", weight = "0", axles = "0";
};

Totals summed(const ConsistModel& model) {
  double length = 0;
  double weight = 0;
  std::int64_t axles = 0;
  for (const ConsistModel::Wagon& wagon : model.wagons()) {
    length = parseDecimal(formatDecimal(length + parseDecimal(wagon.lengthText)));
    weight = parseDecimal(formatDecimal(weight + parseDecimal(wagon.weightText)));
    axles += wagon.axles;
  }
  return {formatDecimal(length), formatDecimal(weight), formatWhole(axles)};
}

void checkConsist(const ConsistModel& model) {
  const int count = model.wagonCount();
  require(count >= 0 && count <= ConsistModel::kMaxWagons, "WagonCount within 0..100");
  const std::vector<std::string> lines = model.lines();
  require(static_cast<int>(lines.size()) == count, "one line per wagon");
  require(model.wagonCountText() == formatWhole(count), "Wag_Num is the wagon count");
  for (int p = 1; p <= ConsistModel::kPositions; ++p) {
    require(model.wagonName(p).empty() == (p > count), "names fill exactly positions 1..count");
  }
  for (int i = 0; i < count; ++i) {
    const ConsistModel::Wagon& wagon = model.wagons()[static_cast<std::size_t>(i)];
    require(model.wagonName(i + 1) == wagon.name, "WagonNames follows the wagons");
    require(!wagon.name.empty(), "no empty name");
    require(lines[static_cast<std::size_t>(i)].find_first_of("\r\n") == std::string::npos,
            "no line break inside a line");
    // The line reads back as the wagon it stands for.
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    const std::size_t amountEnd = line.find('\t', 1);
    require(amountEnd != std::string_view::npos, "line has an amount");
    const std::string_view rest = line.substr(amountEnd + 1);
    const std::size_t nameEnd = rest.find('\t');
    require(nameEnd != std::string_view::npos, "line has a length");
    require(rest.substr(0, nameEnd) == wagon.name, "line names its wagon");
    require(rest.substr(nameEnd + 1) == wagon.lengthText, "line holds its length");
  }
  Totals expected;
  try {
    parseDecimal(model.lengthText());
    parseDecimal(model.weightText());
    parseWhole(model.axlesText());
    expected = summed(model);
  } catch (const ConversionError&) {
    require(false, "every total parses");
  }
  require(model.lengthText() == expected.length, "length total is the sum over the wagons");
  require(model.weightText() == expected.weight, "weight total is the sum over the wagons");
  require(model.axlesText() == expected.axles, "axle total is the sum over the wagons");
}

bool sameConsist(const ConsistModel& a, const ConsistModel& b) {
  return a.lines() == b.lines() && a.lengthText() == b.lengthText() &&
         a.weightText() == b.weightText() && a.axlesText() == b.axlesText();
}

}  // namespace
}  // namespace rakewright

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rakewright;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RollingStockBase& base = *setup().base;

  ConsistModel model(base);
  model.setWagonPicture(1, "remembered.bmp");
  const LoadResult result = loadConsistText(text, model);
  checkConsist(model);
  require(result.skippedLines >= 0, "skipped lines counted");
  require(result.skippedLines <= static_cast<int>(splitTextLines(text).size()),
          "no more lines skipped than there are");
  require(!result.limitReached || model.wagonCount() == ConsistModel::kMaxWagons,
          "the limit is reached only at 100 wagons");
  for (int p = 1; p <= model.wagonCount(); ++p) {
    require(model.wagonPicture(p).empty(), "loaded wagons have no remembered picture");
  }

  // What is saved loads back as the same consist.
  std::vector<std::string> saved = model.lines();
  saved.push_back(summaryLine(model));
  ConsistModel reloaded(base);
  const LoadResult again = loadConsistText(joinCrLf(saved), reloaded);
  require(again.skippedLines == 0 && !again.limitReached, "a saved consist loads cleanly");
  require(sameConsist(model, reloaded), "a saved consist loads back the same");

  // Removing the first wagon either works or, only with negative figures, changes nothing.
  if (reloaded.wagonCount() > 0) {
    try {
      reloaded.removeAt(0);
      checkConsist(reloaded);
    } catch (const ConversionError&) {
      require(sameConsist(model, reloaded), "a failed removal changes nothing");
    }
  }

  // Every wagon comes off from the end, and the totals end at zero.
  try {
    while (model.removeLast()) {
    }
  } catch (...) {
    require(false, "removing the last wagon never fails");
  }
  require(model.lengthText() == "0" && model.weightText() == "0" && model.axlesText() == "0",
          "an empty consist totals zero");
  return 0;
}
