// Fuzzes the reading of catalogue files (traffic.ref, consists.ref): the line splitting, the first
// column, and the whole reader on a file, which must all agree with a plain reading of the rules.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/text_file.h"
#include "reference/catalogues.h"

namespace rakewright {
namespace {

using fuzz::require;

fuzz::ScratchFolder& scratch() {
  static fuzz::ScratchFolder folder;
  return folder;
}

// The entry names by the rules read plainly: the text ends at Ctrl-Z, CRs are dropped, lines end
// at LF; a line that is empty or starts with ";" is no entry; the name runs to the first TAB.
std::vector<std::string> plainEntries(std::string_view text) {
  text = text.substr(0, text.find('\x1A'));
  std::string clean;
  for (const char c : text) {
    if (c != '\r') {
      clean.push_back(c);
    }
  }
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start <= clean.size()) {
    std::size_t end = clean.find('\n', start);
    if (end == std::string::npos) {
      end = clean.size();
    }
    const std::string_view line = std::string_view(clean).substr(start, end - start);
    if (!line.empty() && line.front() != ';') {
      entries.emplace_back(line.substr(0, line.find('\t')));
    }
    start = end + 1;
  }
  return entries;
}

}  // namespace
}  // namespace rakewright

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rakewright;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> lines = splitCatalogueLines(text);
  std::size_t characters = 0;
  std::vector<std::string> entries;
  for (const std::string& line : lines) {
    require(line.find_first_of("\r\n\x1A") == std::string::npos,
            "no CR, LF or Ctrl-Z inside a line");
    characters += line.size();
    if (!line.empty() && line.front() != ';') {
      entries.push_back(CopyUntil(line, '\t', 1));
    }
  }
  require(characters <= size, "lines hold no more than the text");

  const std::vector<std::string> expected = plainEntries(text);
  require(entries == expected, "entries follow the line rules");
  for (const std::string& entry : entries) {
    require(entry.find('\t') == std::string::npos, "a first column holds no TAB");
  }

  // CopyUntil from any start: the rest from there up to the delimiter.
  const std::size_t starts[] = {0, 1, 2, size / 2, size, size + 1, size + 1000};
  for (const std::size_t start : starts) {
    const std::size_t from = start == 0 ? 0 : start - 1;
    const std::string copy = CopyUntil(text, '\t', start);
    if (from >= size) {
      require(copy.empty(), "CopyUntil past the end is empty");
    } else {
      const std::string_view rest = text.substr(from);
      require(copy == rest.substr(0, rest.find('\t')), "CopyUntil stops at the delimiter");
    }
  }

  // The reader on a file gives the same catalogue, appended to what was there.
  const std::string& root = scratch().path();
  std::ofstream(root + "traffic.ref", std::ios::binary | std::ios::trunc) << std::string(text);
  Catalogue catalogue{"kept"};
  ReadCatalogueFile(root, "traffic.ref", catalogue);
  require(!catalogue.empty() && catalogue.front() == "kept", "reading appends");
  require(std::vector<std::string>(catalogue.begin() + 1, catalogue.end()) == expected,
          "the file reader gives the same entries");
  return 0;
}
