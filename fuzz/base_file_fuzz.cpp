// Fuzzes the base editor's hold on base.ini. The first two bytes of an input choose an edit (which
// figure, which name, which value or category), the rest is the file. For any file:
// - reading it never fails, and with no edit the bytes are the file's, unchanged;
// - the editor's view of every name agrees with the lookups (the occurrence that counts has the
//   value a lookup gives; the category is the length section of the lookups' length chain, and a
//   name has one exactly when it has a length);
// - an edit that is refused leaves the bytes as they were;
// - a changed value rewrites the inside of one line (no line break comes or goes), and a new key
//   or section only adds bytes: every byte of the file stays, in order;
// - after the edit the lookups give the value written for the name edited, and every other key of
//   every section gives what it gave before; a category change leaves the length in the new
//   section alone.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/cp1251.h"
#include "platform/profile_reader.h"
#include "reference/base_file.h"
#include "reference/base_rows.h"

namespace rakewright {
namespace {

using fuzz::require;

constexpr std::array<std::string_view, 7> kSections = {
    sections::kPass, sections::kFreight, sections::kLocos, sections::kMvps,
    sections::kSpec, sections::kWeights, sections::kAxles};

constexpr std::array<std::string_view, 6> kValues = {"24.5", "7", "1,5", "0", "abc", "12"};

// Names to edit besides the file's own: plain, Cyrillic, spaced, one whose Windows-1251 bytes are
// UTF-8, and some the base cannot hold.
const std::vector<std::string>& extraNames() {
  static const std::vector<std::string> names = {
      "x", cp1251Text("Вагон"), " spaced ", cp1251Text("Рѕ"), "a=b", "[s]", ""};
  return names;
}

// The units of the file's text after its byte-order mark: bytes, or UTF-16 code units (a last odd
// byte left out).
std::u16string unitsOf(const BaseFile& file, std::string_view bytes) {
  bytes.remove_prefix(std::min(file.markLength(), bytes.size()));
  std::u16string units;
  const bool utf16 = file.encoding() == ProfileText::Encoding::Utf16Le ||
                     file.encoding() == ProfileText::Encoding::Utf16Be;
  if (!utf16) {
    for (const char c : bytes) {
      units.push_back(static_cast<unsigned char>(c));
    }
    return units;
  }
  const bool big = file.encoding() == ProfileText::Encoding::Utf16Be;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(big ? first << 8 | second : second << 8 | first));
  }
  return units;
}

std::size_t lineBreaks(std::u16string_view units) {
  return static_cast<std::size_t>(
      std::count_if(units.begin(), units.end(), [](char16_t c) { return c == '\r' || c == '\n'; }));
}

}  // namespace
}  // namespace rakewright

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rakewright;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::uint8_t choice = size > 0 ? data[0] : 0;
  const std::uint8_t value = size > 1 ? data[1] : 0;
  const std::string_view bytes = input.substr(std::min<std::size_t>(size, 2));

  BaseFile base{std::string(bytes)};
  require(base.bytes() == bytes && !base.modified(), "a file read is kept byte for byte");

  // The editor's view agrees with the lookups, for every name of the base, the same in lower case
  // and with spaces around it, and names the base may lack.
  const ProfileData before = ProfileData::parse(bytes);
  const RollingStockBase::View& view = base.view();
  std::vector<std::string> keys;
  std::vector<std::string> probes = extraNames();
  for (const std::string_view name : base.names()) {
    keys.emplace_back(name);
    if (probes.size() < 64) {
      std::string lower(name);
      for (char& c : lower) {
        c = cp1251Lower(c);
      }
      probes.push_back(" " + lower + "  ");
    }
    probes.emplace_back(name);
    const std::vector<BaseOccurrence> found = base.occurrences(name);
    require(!found.empty(), "a name of the base stands somewhere");
    for (const BaseOccurrence& occurrence : found) {
      if (occurrence.counts && occurrence.value) {
        require(before.value(occurrence.section, name, "\n") == *occurrence.value,
                "the occurrence that counts has the value a lookup gives");
      }
    }
  }
  for (const std::string& name : probes) {
    const BaseFigures figures = base.figures(name);
    require(figures.length == view.knownLength(name) && figures.weight == view.knownWeight(name) &&
                figures.axles == view.knownAxles(name),
            "the editor's figures are the lookups'");
    std::optional<LengthSection> chain;
    for (const LengthSection section : kLengthSections) {
      const bool member = view.isMember(sectionName(section), name);
      require(figures.member[static_cast<std::size_t>(section)] == member,
              "membership is the lookups'");
      if (!chain && member) {
        chain = section;
      }
    }
    require(figures.category == chain, "the category is the lookups' length section");
    require(chain.has_value() == figures.length.has_value(),
            "a name has a category exactly when it has a length");
  }
  const std::vector<BaseRow> rows = baseRows(base, {}, {}, {});
  require(rows.size() <= keys.size(), "one row per name at most");

  // One edit.
  std::vector<std::string> names = keys;
  names.insert(names.end(), extraNames().begin(), extraNames().end());
  const std::string name = names[(choice >> 2) % names.size()];
  const std::string typed(kValues[value % kValues.size()]);
  const LengthSection section = kLengthSections[(value / kValues.size()) % kLengthSections.size()];
  const std::optional<LengthSection> category = base.category(name);
  const std::optional<std::string> length = base.view().knownLength(name);

  BaseFile edited = base;
  BaseEdit edit;
  std::string_view editedSection;
  switch (choice & 3) {
    case 0:
      // Within the name's own category, or into a section for a name without one: no move.
      edit = edited.setLength(name, typed, category.value_or(section));
      editedSection = sectionName(category.value_or(section));
      break;
    case 1:
      edit = edited.setWeight(name, typed);
      editedSection = sections::kWeights;
      break;
    case 2:
      edit = edited.setAxles(name, typed);
      editedSection = sections::kAxles;
      break;
    default:
      edit = edited.setCategory(name, section);
      break;
  }
  if (!edit.changed) {
    require(edited.bytes() == base.bytes(), "an edit that changes nothing keeps the bytes");
    return 0;
  }
  require(!edit.refused, "a changed file is no refusal");

  const std::string& after = edited.bytes();
  const std::string upperKey = cp1251UpperCase(ProfileData::askedName(name));
  if ((choice & 3) != 3) {
    // The text around the change is the file's; what changed lies inside one line, or is new.
    const std::u16string old = unitsOf(base, bytes);
    const std::u16string now = unitsOf(edited, after);
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) {
      ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
      ++suffix;
    }
    const std::u16string_view removed =
        std::u16string_view(old).substr(prefix, old.size() - prefix - suffix);
    const std::u16string_view added =
        std::u16string_view(now).substr(prefix, now.size() - prefix - suffix);
    require(after.substr(0, edited.markLength()) == bytes.substr(0, base.markLength()),
            "the byte-order mark stays");
    if (removed.empty()) {
      // At most a line ending, a header, another and the key: CR LF counts two.
      require(lineBreaks(added) <= 6, "a new key or section adds a few lines");
    } else {
      require(lineBreaks(removed) == 0 && lineBreaks(added) == 0,
              "a changed value stays inside its line");
    }
  }

  // The lookups: the edit is there, and nothing else changed.
  const ProfileData now = ProfileData::parse(after);
  for (const std::string_view key : edited.names()) {
    keys.emplace_back(key);
  }
  keys.push_back(name);
  for (const std::string& key : keys) {
    const bool same = cp1251UpperCase(ProfileData::askedName(key)) == upperKey;
    for (const std::string_view in : kSections) {
      const bool lengthSection =
          std::find(kSections.begin(), kSections.begin() + 5, in) != kSections.begin() + 5;
      if (same && (in == editedSection || ((choice & 3) == 3 && lengthSection))) {
        continue;
      }
      require(now.value(in, key, "\n") == before.value(in, key, "\n"),
              "every other key keeps its value");
    }
  }
  if ((choice & 3) == 3) {
    require(edited.category(name) == section && edited.view().knownLength(name) == length,
            "a category change moves the length");
    for (const LengthSection other : kLengthSections) {
      require(other == section || !edited.view().isMember(sectionName(other), name),
              "the length leaves the other sections");
    }
  } else {
    require(now.value(editedSection, name, "\n") == edit.written, "the value is written");
  }
  return 0;
}
