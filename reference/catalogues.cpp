#include "reference/catalogues.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "platform/cp1251.h"
#include "platform/dir_search.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

constexpr char kTab = '\t';

// The wagon folders of a wagon root ("data/freight_wags/" or "data/pass_wags/"), in listing
// order, each with its disk path. A missing root gives none.
struct WagonFolder {
  std::string name;      // as stored, Windows-1251
  std::string diskPath;  // the root's disk path joined with the entry's disk name
};

std::vector<WagonFolder> wagonFolders(std::string_view dataRoot, std::string_view root) {
  std::vector<WagonFolder> folders;
  const ResolvedPath resolved = resolvePath(dataRoot, root);
  if (resolved.status != ResolvedPath::Status::Found) {
    return folders;
  }
  std::string rootPath = resolved.diskPath;
  if (rootPath.back() != '/') {
    rootPath.push_back('/');
  }
  for (DirEntry& entry : listFolder(resolved.diskPath)) {
    if (!entry.isFolder) {
      continue;
    }
    folders.push_back({std::move(entry.name), rootPath + entry.diskName});
  }
  return folders;
}

void appendPath(std::string& line, std::string_view prefix, std::string_view folder,
                std::string_view file) {
  line.append(prefix).append(folder).append("/").append(file).push_back(kTab);
}

// The freight masks matched against one listing of the folder (one directory read instead of one
// search per mask): the first "*.dmd" entry, then every "*.tga", then every "*.bmp", each in
// listing order.
std::string freightLine(const WagonFolder& folder) {
  const std::vector<DirEntry> entries = listFolder(folder.diskPath);
  std::string line = folder.name;
  line.push_back(kTab);
  for (std::size_t mask = 0; mask < paths::kFreightMasks.size(); ++mask) {
    const bool firstOnly = mask == 0;
    for (const DirEntry& entry : entries) {
      if (fitsMask(entry.name, paths::kFreightMasks[mask])) {
        appendPath(line, paths::kFreightIndexPrefix, folder.name, entry.name);
        if (firstOnly) {
          break;
        }
      }
    }
  }
  return line;
}

// A passenger line: the folder name with its suffix, then each file of the set that exists, in
// the set's order. Where a case-sensitive disk holds several spellings of one name, the first in
// listing order is taken, as a lookup by that name would find one file.
template <std::size_t N>
std::string passengerLine(const WagonFolder& folder, const std::vector<DirEntry>& entries,
                          std::string_view suffix, const std::array<std::string_view, N>& fileSet) {
  std::string line = folder.name;
  line.append(suffix).push_back(kTab);
  for (std::string_view fileName : fileSet) {
    const auto match = std::find_if(entries.begin(), entries.end(), [&](const DirEntry& entry) {
      return fitsMask(entry.name, fileName);
    });
    if (match != entries.end()) {
      appendPath(line, paths::kPassIndexPrefix, folder.name, match->name);
    }
  }
  return line;
}

}  // namespace

std::string CopyUntil(std::string_view text, char delimiter, std::size_t start) {
  // Positions count from 1; a start of 0 reads from the beginning.
  const std::size_t from = start == 0 ? 0 : start - 1;
  if (from >= text.size()) {
    return {};
  }
  const std::string_view rest = text.substr(from);
  return std::string(rest.substr(0, rest.find(delimiter)));
}

void ReadCatalogueFile(std::string_view dataRoot, std::string_view path, Catalogue& catalogue) {
  const std::string text = readWholeFile(dataRoot, path);
  const auto forEachName = [&text](const std::function<void(std::string_view name)>& visit) {
    forEachCatalogueLine(text, [&visit](std::string_view line) {
      if (!line.empty() && line.front() != ';') {
        visit(line.substr(0, line.find(kTab)));
      }
    });
  };
  // Measured first, so that the catalogue takes its room once: growing it name by name would
  // hold the old buffer and one of twice its size at the same time.
  std::size_t names = catalogue.size();
  std::size_t bytes = catalogue.bytes();
  forEachName([&](std::string_view name) {
    ++names;
    bytes += name.size();
  });
  catalogue.reserve(names, bytes);
  forEachName([&catalogue](std::string_view name) { catalogue.push_back(name); });
}

std::vector<std::string> folderIndexLines(std::string_view dataRoot, const Catalogue& traffic) {
  // The freight folders named like a traffic entry are found by looking each traffic name up among
  // the folder names, so the memory this takes grows with the folders, not with the traffic list.
  const std::vector<WagonFolder> freight = wagonFolders(dataRoot, paths::kFreightWags);
  std::unordered_map<std::string, bool> namedInTraffic;  // by upper-cased folder name
  namedInTraffic.reserve(freight.size());
  std::size_t longest = 0;
  for (const WagonFolder& folder : freight) {
    namedInTraffic.emplace(cp1251UpperCase(folder.name), false);
    longest = std::max(longest, folder.name.size());
  }
  std::string upper;
  for (const std::string_view name : traffic) {
    if (name.size() > longest) {
      continue;  // longer than every folder name
    }
    cp1251UpperCaseInto(name, upper);
    if (const auto found = namedInTraffic.find(upper); found != namedInTraffic.end()) {
      found->second = true;
    }
  }

  std::vector<std::string> lines;
  for (const WagonFolder& folder : freight) {
    if (namedInTraffic.at(cp1251UpperCase(folder.name))) {
      continue;
    }
    lines.push_back(freightLine(folder));
  }
  for (const WagonFolder& folder : wagonFolders(dataRoot, paths::kPassWags)) {
    // One listing serves both file sets.
    const std::vector<DirEntry> entries = listFolder(folder.diskPath);
    lines.push_back(passengerLine(folder, entries, "-cup", paths::kCupSet));
    lines.push_back(passengerLine(folder, entries, "-plac", paths::kPlacSet));
  }
  return lines;
}

void WriteFolderIndex(std::string_view dataRoot, const Catalogue& traffic) {
  replaceFile(dataRoot, paths::kConsistsRef, joinCrLf(folderIndexLines(dataRoot, traffic)));
}

std::string catalogueCountMessage(std::size_t trafficSize, std::size_t folderSize) {
  static const std::string kLoaded = cp1251Text(" поездных едениц загружено. (");
  std::string message = formatWhole(static_cast<std::int64_t>(trafficSize + folderSize));
  message.append(kLoaded)
      .append(formatWhole(static_cast<std::int64_t>(trafficSize)))
      .append(" + ")
      .append(formatWhole(static_cast<std::int64_t>(folderSize)))
      .append(")");
  return message;
}

void buildCatalogues(std::string_view dataRoot, Catalogue& traffic, Catalogue& folder) {
  traffic.clear();
  folder.clear();
  ReadCatalogueFile(dataRoot, paths::kTrafficRef, traffic);
  WriteFolderIndex(dataRoot, traffic);
  ReadCatalogueFile(dataRoot, paths::kConsistsRef, folder);
}

}  // namespace rakewright
