#include "reference/rolling_stock_base.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/cp1251.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

struct Fragment {
  std::string_view text;
  std::string_view length;
};

// Tested in this order; the first one found in the name gives the length.
constexpr std::array<Fragment, 12> kTrafficFragments = {{
    {"cup_wag", "25"},
    {"plac_wag", "25"},
    {"avto_pass", "24"},
    {"auto_pass", "24"},
    {"bagaz", "24.5"},
    {"tank", "12"},
    {"flat", "14.5"},
    {"avto", "24"},
    {"auto", "24"},
    {"box", "14.5"},
    {"hop", "16.5"},
    {"gon", "14"},
}};
constexpr std::string_view kTrafficFallback = "15";

// All tested; the last one found in the name gives the length.
constexpr std::array<Fragment, 4> kFolderFragments = {{
    {"cup", "25"},
    {"plac", "25"},
    {"chme", "17"},
    {"skop", "25"},
}};
constexpr std::string_view kFolderFallback = "14";

// The length sections tried before SPEC, which is read with the caller's final default.
constexpr std::array<std::string_view, 4> kLengthChain = {sections::kPass, sections::kFreight,
                                                          sections::kLocos, sections::kMvps};

// Every section a lookup reads.
constexpr std::array<std::string_view, 7> kLookedUpSections = {
    sections::kPass, sections::kFreight, sections::kLocos, sections::kMvps,
    sections::kSpec, sections::kWeights, sections::kAxles};

}  // namespace

RollingStockBase::RollingStockBase(std::string programFolder)
    : file_(std::move(programFolder), std::string(paths::kBaseIni)) {}

RollingStockBase::View RollingStockBase::open() {
  std::shared_ptr<const ProfileData> data = file_.current();
  if (data != measured_) {
    longestName_ = View::longestName(*data);
    measured_ = data;
  }
  return View(std::move(data), longestName_);
}

RollingStockBase::View::View(std::shared_ptr<const ProfileData> data)
    : data_(std::move(data)), longestName_(longestName(*data_)) {}

std::size_t RollingStockBase::View::longestName(const ProfileData& data) {
  std::size_t longest = 0;
  for (const std::string_view section : kLookedUpSections) {
    data.forEachValue(section, [&longest](std::string_view key, std::string_view /*value*/) {
      longest = std::max(longest, key.size());
    });
  }
  return longest;
}

std::string RollingStockBase::View::value(std::string_view section, std::string_view name,
                                          std::string_view fallback) const {
  if (ProfileData::askedName(name).size() > longestName_) {
    return std::string(fallback);
  }
  return data_->value(section, name, fallback);
}

std::string RollingStockBase::View::length(std::string_view name,
                                           std::string_view finalDefault) const {
  for (std::string_view section : kLengthChain) {
    std::string found = value(section, name, kNoLength);
    if (found != kNoLength) {
      return found;
    }
  }
  return value(sections::kSpec, name, finalDefault);
}

std::string RollingStockBase::View::weight(std::string_view name) const {
  return value(sections::kWeights, name, kDefaultWeight);
}

std::string RollingStockBase::View::axles(std::string_view name) const {
  return value(sections::kAxles, name, kDefaultAxles);
}

std::optional<std::string> RollingStockBase::View::find(std::string_view section,
                                                        std::string_view name) const {
  // No value holds a line break (the reader splits lines there), so this fallback comes back only
  // for a key the section does not hold.
  constexpr std::string_view kAbsent = "\n";
  std::string found = value(section, name, kAbsent);
  if (found == kAbsent) {
    return std::nullopt;
  }
  return found;
}

std::optional<std::string> RollingStockBase::View::knownLength(std::string_view name) const {
  for (std::string_view section : kLengthChain) {
    std::optional<std::string> value = find(section, name);
    if (value && *value != kNoLength) {
      return value;
    }
  }
  std::optional<std::string> value = find(sections::kSpec, name);
  if (value && *value == kNoLength) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> RollingStockBase::View::knownWeight(std::string_view name) const {
  return find(sections::kWeights, name);
}

std::optional<std::string> RollingStockBase::View::knownAxles(std::string_view name) const {
  return find(sections::kAxles, name);
}

bool RollingStockBase::View::isMember(std::string_view section, std::string_view name) const {
  return value(section, name, kNoLength) != kNoLength;
}

RollingStockBase::View::Members RollingStockBase::View::members(std::string_view section) const {
  Members members;
  data_->forEachValue(section, [&members](std::string_view key, std::string_view value) {
    if (value != kNoLength) {
      members.names_.insert(key);
      members.longest_ = std::max(members.longest_, key.size());
    }
  });
  return members;
}

bool RollingStockBase::View::Members::contains(std::string_view name) const {
  // A name longer than every member is none, and is not upper-cased to find that out.
  const std::string_view asked = ProfileData::askedName(name);
  if (names_.empty() || asked.size() > longest_) {
    return false;
  }
  cp1251UpperCaseInto(asked, upper_);
  return names_.contains(upper_);
}

std::string trafficLengthGuess(std::string_view name) {
  // The name is folded a piece at a time, each piece overlapping the last by one character less
  // than the longest fragment, so that no fragment is missed at a seam and a name of megabytes is
  // never copied whole.
  constexpr std::size_t kPiece = 64 * 1024;
  std::size_t overlap = 0;
  for (const Fragment& fragment : kTrafficFragments) {
    overlap = std::max(overlap, fragment.text.size() - 1);
  }
  std::array<bool, kTrafficFragments.size()> found{};
  for (std::size_t start = 0;; start += kPiece) {
    const std::string folded = asciiLowerCase(name.substr(start, kPiece + overlap));
    for (std::size_t i = 0; i < kTrafficFragments.size(); ++i) {
      found[i] = found[i] || folded.find(kTrafficFragments[i].text) != std::string::npos;
    }
    if (start + kPiece + overlap >= name.size()) {
      break;
    }
  }
  for (std::size_t i = 0; i < kTrafficFragments.size(); ++i) {
    if (found[i]) {
      return std::string(kTrafficFragments[i].length);
    }
  }
  return std::string(kTrafficFallback);
}

std::string folderLengthGuess(std::string_view name) {
  std::string_view length;
  for (const Fragment& fragment : kFolderFragments) {
    if (name.find(fragment.text) != std::string_view::npos) {
      length = fragment.length;
    }
  }
  return std::string(length.empty() ? kFolderFallback : length);
}

}  // namespace rakewright
