#include "bench/large_folder.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "platform/cp1251.h"
#include "platform/numbers.h"
#include "support/jpeg.h"

namespace rakewright::bench {
namespace {

namespace fs = std::filesystem;

enum class Section { Pass, Freight, Locos, Mvps, Special };

struct Kind {
  std::string_view prefix;  // UTF-8
  Section section;
  int axles;
};

constexpr std::array<Kind, 12> kLatinKinds = {{
    {"cup_wag", Section::Pass, 4},
    {"plac_wag", Section::Pass, 4},
    {"bagaz", Section::Pass, 4},
    {"box", Section::Freight, 4},
    {"tank", Section::Freight, 4},
    {"gon", Section::Freight, 4},
    {"flat", Section::Freight, 4},
    {"hop", Section::Freight, 4},
    {"avto_pass", Section::Freight, 4},
    {"loco_vl", Section::Locos, 8},
    {"emu_er", Section::Mvps, 4},
    {"crane", Section::Special, 6},
}};

constexpr std::array<Kind, 6> kCyrillicKinds = {{
    {"Купейный", Section::Pass, 4},
    {"Цистерна", Section::Freight, 4},
    {"Полувагон", Section::Freight, 4},
    {"Электровоз", Section::Locos, 8},
    {"Электропоезд", Section::Mvps, 4},
    {"Кран", Section::Special, 6},
}};

constexpr std::string_view kCrLf = "\r\n";

std::string cp1251(std::string_view utf8) {
  auto text = utf8ToCp1251(utf8);
  if (!text) {
    throw std::logic_error("not Windows-1251 text");
  }
  return *text;
}

std::string numbered(std::string_view prefix, int number, int width) {
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  }
  return std::string(prefix) + "_" + digits;
}

// One name of the large folder (Windows-1251) with its base entries.
struct Named {
  std::string name;
  Section section;
  int axles;
};

// Every fifth traffic entry has a Cyrillic name.
Named trafficEntry(int i) {
  if (i % 5 == 4) {
    const Kind& kind = kCyrillicKinds[static_cast<std::size_t>(i / 5) % kCyrillicKinds.size()];
    return {cp1251(kind.prefix) + numbered("", i, 5), kind.section, kind.axles};
  }
  const Kind& kind = kLatinKinds[static_cast<std::size_t>(i) % kLatinKinds.size()];
  return {numbered(kind.prefix, i, 5), kind.section, kind.axles};
}

std::string freightFolderName(int f, const LargeFolderShape& shape) {
  if (f % shape.freightLikeTrafficEvery == 0) {
    return cp1251UpperCase(trafficEntry((f * 7 + 3) % shape.trafficEntries).name);
  }
  if (f % 10 == 5) {
    return cp1251("Хоппер_фв") + numbered("", f, 4);
  }
  return numbered("fw", f, 4) + "_box";
}

std::string passengerFolderName(int p) {
  return p % 10 == 7 ? cp1251("Вагон_пасс") + numbered("", p, 4) : numbered("pw", p, 4);
}

// Lengths 12.0 .. 26.9 m and weights 20.0 .. 109.9 t, in tenths so that sums are exact.
int lengthTenths(int n) {
  return 120 + n % 150;
}
int weightTenths(int n) {
  return 200 + (n * 37) % 900;
}

std::string tenths(long long value) {
  return formatDecimal(static_cast<double>(value) / 10.0);
}

void writeFile(const fs::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out.flush()) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

fs::path diskPath(const fs::path& folder, std::string_view cp1251Name) {
  return folder / nameToDisk(cp1251Name);
}

// A plain-coloured JPEG with a darker band along the bottom, so the decoder has some work.

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

// A 24-bit bitmap of one colour.
std::string bitmap(int width, int height, std::array<std::uint8_t, 3> colour) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
  const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
  std::string out = "BM";
  putLittleEndian(out, 54 + pixels, 4);
  putLittleEndian(out, 0, 4);
  putLittleEndian(out, 54, 4);
  putLittleEndian(out, 40, 4);
  putLittleEndian(out, static_cast<std::uint32_t>(width), 4);
  putLittleEndian(out, static_cast<std::uint32_t>(height), 4);
  putLittleEndian(out, 1, 2);
  putLittleEndian(out, 24, 2);
  putLittleEndian(out, 0, 4);
  putLittleEndian(out, pixels, 4);
  putLittleEndian(out, 2835, 4);
  putLittleEndian(out, 2835, 4);
  putLittleEndian(out, 0, 4);
  putLittleEndian(out, 0, 4);
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      row += static_cast<char>(colour[2]);
      row += static_cast<char>(colour[1]);
      row += static_cast<char>(colour[0]);
    }
    row.resize(stride, '\0');
    out += row;
  }
  return out;
}

constexpr std::array<std::string_view, 5> kSectionNames = {"PASS", "FREIGHT", "LOCOS", "MVPS",
                                                           "SPEC"};

}  // namespace

std::size_t expectedFolderCatalogueSize(const LargeFolderShape& shape) {
  std::size_t freight = 0;
  for (int f = 0; f < shape.freightFolders; ++f) {
    freight += f % shape.freightLikeTrafficEvery == 0 ? 0 : 1;
  }
  return freight + 2 * static_cast<std::size_t>(shape.passengerFolders);
}

void generateLargeSimulatorRoot(const std::string& folder, const LargeFolderShape& shape) {
  const fs::path root(folder);
  const fs::path data = root / "data";
  const fs::path traffic = data / "traffic";
  const fs::path consists = data / "consists";
  const fs::path preview = consists / "Preview";
  const fs::path freight = data / "freight_wags";
  const fs::path passenger = data / "pass_wags";
  for (const fs::path& p : {traffic, preview, freight, passenger}) {
    fs::create_directories(p);
  }

  // Traffic list: entries with further columns, a comment every 1,000 lines, an empty line every
  // 2,500. A list longer than the default leaves out the texture path, so that a million entries
  // stay within the size limit of a text file.
  const bool texturePaths = shape.trafficEntries <= LargeFolderShape{}.trafficEntries;
  std::vector<Named> entries;
  entries.reserve(static_cast<std::size_t>(shape.trafficEntries));
  std::string list = "; traffic list of the benchmark folder" + std::string(kCrLf);
  for (int i = 0; i < shape.trafficEntries; ++i) {
    if (i % 1000 == 0) {
      list += "; --- " + std::to_string(i) + " ---";
      list += kCrLf;
    }
    if (i % 2500 == 1250) {
      list += kCrLf;
    }
    entries.push_back(trafficEntry(i));
    const std::string& name = entries.back().name;
    list += name + "\tmodels\\" + name + ".dmd\t";
    if (texturePaths) {
      list += "textures\\" + name + ".tga\t";
    }
    list += std::to_string(80 + i % 80) + "\t" + std::to_string(1 + i % 4);
    list += kCrLf;
  }
  writeFile(traffic / "traffic.ref", list);

  // Wagon folders with empty model and texture files; passenger bitmaps are tiny real pictures.
  std::vector<Named> folderNames;
  for (int f = 0; f < shape.freightFolders; ++f) {
    const std::string name = freightFolderName(f, shape);
    const fs::path wagon = diskPath(freight, name);
    fs::create_directories(wagon);
    writeFile(wagon / "model.dmd", "");
    writeFile(wagon / "texture.tga", "");
    writeFile(wagon / "wagon.bmp", "");
    if (f % shape.freightLikeTrafficEvery != 0) {
      folderNames.push_back({name, Section::Freight, 4});
    }
  }
  const std::string coachBitmap = bitmap(8, 3, {40, 90, 150});
  for (int p = 0; p < shape.passengerFolders; ++p) {
    const std::string name = passengerFolderName(p);
    const fs::path wagon = diskPath(passenger, name);
    fs::create_directories(wagon);
    for (std::string_view set : {"cup", "plac"}) {
      if (set == "plac" && p % 7 == 3) {
        continue;  // some folders hold the cup set only
      }
      const std::string stem = std::string(set) + "_wagon";
      writeFile(wagon / (stem + ".dmd"), "");
      writeFile(wagon / (stem + ".tga"), "");
      writeFile(wagon / (stem + ".bmp"), coachBitmap);
      writeFile(wagon / (stem + "_night.bmp"), "");
    }
    folderNames.push_back({name + "-cup", Section::Pass, 4});
    folderNames.push_back({name + "-plac", Section::Pass, 4});
  }

  // The base: three of four traffic names, every folder name, then more traffic names up to the
  // wanted count. Every name has a length, a weight and an axle count; every 97th also "-1" in
  // PASS before its length in another section.
  std::vector<const Named*> baseNames;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i % 4 != 3) {
      baseNames.push_back(&entries[i]);
    }
  }
  for (const Named& named : folderNames) {
    baseNames.push_back(&named);
  }
  for (std::size_t i = 3; i < entries.size(); i += 4) {
    baseNames.push_back(&entries[i]);
  }
  if (static_cast<int>(baseNames.size()) > shape.baseNames) {
    baseNames.resize(static_cast<std::size_t>(shape.baseNames));
  }
  std::array<std::string, 5> sections;
  std::string weights = "[WEIGHTS]" + std::string(kCrLf);
  std::string axles = "[OSI]" + std::string(kCrLf);
  for (std::size_t n = 0; n < baseNames.size(); ++n) {
    const Named& named = *baseNames[n];
    const int k = static_cast<int>(n);
    if (n % 97 == 0 && named.section != Section::Pass) {
      sections[0] += named.name + "=-1" + std::string(kCrLf);
    }
    sections[static_cast<std::size_t>(named.section)] +=
        named.name + "=" + tenths(lengthTenths(k)) + std::string(kCrLf);
    weights += named.name + "=" + tenths(weightTenths(k)) + std::string(kCrLf);
    axles += named.name + "=" + std::to_string(named.axles) + std::string(kCrLf);
  }
  std::string base = "; rolling-stock base of the benchmark folder" + std::string(kCrLf);
  for (std::size_t s = 0; s < sections.size(); ++s) {
    base += "[" + std::string(kSectionNames[s]) + "]" + std::string(kCrLf) + sections[s] +
            std::string(kCrLf);
  }
  base += weights + std::string(kCrLf) + axles;
  writeFile(consists / "base.ini", base);

  // The consist: lines spread over the base, each with the amount, and the summary line.
  std::string consist;
  long long weightTotal = 0;
  long long axleTotal = 0;
  int wagons = 0;
  const std::size_t step = baseNames.size() / static_cast<std::size_t>(shape.consistLines);
  const std::string previewJpeg = testing::jpegBytes(334, 120, {150, 40, 40});
  for (int line = 0; line < shape.consistLines; ++line) {
    const std::size_t n = static_cast<std::size_t>(line) * step;
    const Named& named = *baseNames[n];
    const int k = static_cast<int>(n);
    consist += std::to_string(shape.consistAmount) + "\t" + named.name + "\t" +
               tenths(lengthTenths(k)) + std::string(kCrLf);
    weightTotal += static_cast<long long>(shape.consistAmount) * weightTenths(k);
    axleTotal += static_cast<long long>(shape.consistAmount) * named.axles;
    wagons += shape.consistAmount;
    writeFile(diskPath(preview, named.name + ".jpg"), previewJpeg);
  }
  consist += ";" + tenths(weightTotal) + "\t" + std::to_string(axleTotal) + "\t" +
             std::to_string(wagons) + std::string(kCrLf);
  writeFile(consists / kLargeConsist, consist);

  writeFile(preview / "Logo.jpg", testing::jpegBytes(462, 157, {30, 60, 100}));
  writeFile(preview / "Not_Wag_Img.jpg", testing::jpegBytes(167, 60, {235, 235, 235}));
  writeFile(preview / "Not_Wagon.jpg", testing::jpegBytes(167, 60, {255, 255, 255}));
}

namespace {

int sizeFromEnvironment(const char* variable, int fallback) {
  const char* text = std::getenv(variable);
  if (text == nullptr || *text == '\0') {
    return fallback;
  }
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 1 || value > 10'000'000) {
    throw std::runtime_error(std::string(variable) + " is not a size: " + text);
  }
  return static_cast<int>(value);
}

}  // namespace

LargeFolderShape shapeFromEnvironment() {
  LargeFolderShape shape;
  shape.trafficEntries = sizeFromEnvironment("RAKEWRIGHT_BENCH_TRAFFIC", shape.trafficEntries);
  shape.freightFolders = sizeFromEnvironment("RAKEWRIGHT_BENCH_FREIGHT", shape.freightFolders);
  shape.passengerFolders =
      sizeFromEnvironment("RAKEWRIGHT_BENCH_PASSENGER", shape.passengerFolders);
  return shape;
}

LargeSimulatorRoot::LargeSimulatorRoot() : shape_(shapeFromEnvironment()) {
  if (const char* kept = std::getenv("RAKEWRIGHT_BENCH_ROOT"); kept != nullptr && *kept != '\0') {
    temporary_ = false;
    path_ = std::string(kept);
    if (path_.back() != '/') {
      path_ += '/';
    }
    if (!fs::exists(fs::path(path_) / "data/traffic/traffic.ref")) {
      fs::create_directories(path_);
      generateLargeSimulatorRoot(path_, shape_);
    }
    return;
  }
  std::string pattern = (fs::temp_directory_path() / "rakewright-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  path_ = pattern + "/";
  try {
    generateLargeSimulatorRoot(path_, shape_);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(pattern, ignored);
    throw;
  }
}

LargeSimulatorRoot::~LargeSimulatorRoot() {
  if (!temporary_) {
    return;
  }
  std::error_code error;
  fs::remove_all(path_, error);
  if (error) {
    std::fprintf(stderr, "could not remove %s: %s\n", path_.c_str(), error.message().c_str());
  }
}

const LargeSimulatorRoot& LargeSimulatorRoot::shared() {
  static const LargeSimulatorRoot root;
  return root;
}

}  // namespace rakewright::bench
