// Fuzzes the INI reader behind the rolling-stock base: any text parses, and the lookups the program
// makes in it keep their promises (values cut at 2047 characters, names matched ignoring case and
// the spaces around them, defaults for what is absent, the length chain's not-found marker). A text
// read as Windows-1251 is also saved as UTF-16 (both byte orders) and as UTF-8 (with and without
// the byte-order mark), as an editor would, and every lookup must find the same in each.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/cp1251.h"
#include "platform/utf8.h"
#include "platform/profile_reader.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {
namespace {

using fuzz::require;

constexpr std::size_t kMaxProbes = 24;

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\v\f");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\v\f") - first + 1);
}

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    c = cp1251Lower(c);
  }
  return lower;
}

// Section and key names as the text spells them, to look up what is actually there.
void harvest(std::string_view text, std::vector<std::string>& sectionNames,
             std::vector<std::string>& keys) {
  std::size_t start = 0;
  while (start <= text.size() && (sectionNames.size() < kMaxProbes || keys.size() < kMaxProbes)) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = trimmed(text.substr(start, end - start));
    start = end + 1;
    const std::size_t close = line.rfind(']');
    if (!line.empty() && line.front() == '[' && close != std::string_view::npos && close > 0) {
      if (sectionNames.size() < kMaxProbes) {
        sectionNames.emplace_back(trimmed(line.substr(1, close - 1)));
      }
    } else if (!line.empty() && keys.size() < kMaxProbes) {
      keys.emplace_back(trimmed(line.substr(0, line.find('='))));
    }
  }
}

// Whether the reader takes `text` for Windows-1251: no byte-order mark, and not valid UTF-8 with a
// byte above 127.
bool readsAsCp1251(std::string_view text) {
  for (const std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    if (text.substr(0, mark.size()) == mark) {
      return false;
    }
  }
  bool high = false;
  std::size_t i = 0;
  while (i < text.size()) {
    high = high || static_cast<unsigned char>(text[i]) >= 0x80;
    char32_t cp = 0;
    if (!decodeUtf8(text, i, cp)) {
      return true;
    }
  }
  return !high;
}

// The same Windows-1251 text in the encodings other editors save.
std::vector<std::string> resaved(std::string_view cp1251) {
  const std::string utf8 = cp1251ToUtf8(cp1251);
  std::string littleEndian = "\xFF\xFE";
  std::string bigEndian = "\xFE\xFF";
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp = 0;
    require(decodeUtf8(utf8, i, cp) && cp <= 0xFFFF, "Windows-1251 converts to the BMP");
    const auto high = static_cast<char>(cp >> 8);
    const auto low = static_cast<char>(cp & 0xFF);
    littleEndian += {low, high};
    bigEndian += {high, low};
  }
  return {utf8, "\xEF\xBB\xBF" + utf8, littleEndian, bigEndian};
}

}  // namespace
}  // namespace rakewright

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rakewright;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto profile = std::make_shared<const ProfileData>(ProfileData::parse(text));

  std::vector<std::string> sectionNames = {"PASS", "FREIGHT", "LOCOS", "MVPS",
                                           "SPEC", "WEIGHTS", "OSI"};
  std::vector<std::string> keys;
  harvest(text, sectionNames, keys);
  keys.emplace_back("");

  constexpr std::string_view kFallback = "\x01";
  for (const std::string& key : keys) {
    require(profile->value("\x02 no such section", key, "fb") == "fb",
            "an absent section gives the default");
    for (const std::string& section : sectionNames) {
      const std::string value = profile->value(section, key, kFallback);
      require(value.size() <= ProfileData::kMaxValueLength, "values are at most 2047 characters");
      require(profile->value(cp1251UpperCase(section), cp1251UpperCase(key), kFallback) == value,
              "upper-case names find the same value");
      require(profile->value(lowerCase(section), lowerCase(key), kFallback) == value,
              "lower-case names find the same value");
      if (value != kFallback) {
        require(profile->value(section, key, "other") == value, "a present key ignores defaults");
      }
      require(profile->value("  " + section + " ", " " + key + "  ", kFallback) == value,
              "spaces around the names asked for are ignored");
    }

    // The lookups of the rolling-stock base on the same text.
    const RollingStockBase::View base(profile);
    const std::string length = base.length(key, kNoLength);
    const std::string orZero = base.length(key, "0");
    require(length.size() <= ProfileData::kMaxValueLength, "a length is at most 2047 characters");
    require(orZero == length || (length == kNoLength && orZero == "0"),
            "only the final default tells the two chains apart");
    require(base.weight(key).size() <= ProfileData::kMaxValueLength, "weights are cut");
    require(base.axles(key).size() <= ProfileData::kMaxValueLength, "axle counts are cut");
    for (const std::string_view section : {sections::kPass, sections::kFreight, sections::kLocos,
                                           sections::kMvps, sections::kSpec}) {
      require(base.isMember(section, key) == (profile->value(section, key, kNoLength) != kNoLength),
              "membership is a length other than -1");
    }
    if (length != kNoLength && !base.isMember(sections::kSpec, key)) {
      require(base.isMember(sections::kPass, key) || base.isMember(sections::kFreight, key) ||
                  base.isMember(sections::kLocos, key) || base.isMember(sections::kMvps, key),
              "a length comes from a section the name is a member of");
    }
  }

  if (readsAsCp1251(text)) {
    for (const std::string& other : resaved(text)) {
      const ProfileData again = ProfileData::parse(other);
      for (const std::string& key : keys) {
        for (const std::string& section : sectionNames) {
          require(again.value(section, key, kFallback) == profile->value(section, key, kFallback),
                  "a base resaved as UTF-8 or UTF-16 reads the same");
        }
      }
    }
  }
  return 0;
}
