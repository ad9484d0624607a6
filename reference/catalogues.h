// The two catalogues of rolling stock: the traffic catalogue read from the simulator's traffic
// list, and the folder catalogue, found by scanning the freight and passenger wagon folders,
// written as the folder index consists.ref and read back from it. Both are lists of names in file
// order (Catalogue); the names are the first column of each entry line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "reference/catalogue.h"

namespace rakewright {

// The characters of `text` from the 1-based position `start` up to, not including, the first
// `delimiter` at or after it; the rest when there is none; "" when start lies past the end.
std::string CopyUntil(std::string_view text, char delimiter, std::size_t start);

// Appends the first column of every entry line of the catalogue file at `path` (relative to the
// data root) to `catalogue`, in file order. Empty lines and lines starting with ";" are not entry
// lines. Throws FileError.
void ReadCatalogueFile(std::string_view dataRoot, std::string_view path, Catalogue& catalogue);

// The folder index lines for the wagon folders below the data root (each ends in a TAB; no line
// breaks). Freight wagon folders named like a traffic entry (ignoring case) are left out.
std::vector<std::string> folderIndexLines(std::string_view dataRoot, const Catalogue& traffic);

// Writes "data\traffic\consists.ref" anew with folderIndexLines(), lines ending in CR LF.
// Throws FileError.
void WriteFolderIndex(std::string_view dataRoot, const Catalogue& traffic);

// "<sum> поездных едениц загружено. (<traffic> + <folder>)" in Windows-1251.
std::string catalogueCountMessage(std::size_t trafficSize, std::size_t folderSize);

// Both catalogues built in the start-up order: traffic.ref read, the folder index written and read
// back. Both are emptied first. A file error ends the sequence: it is rethrown, and the catalogues
// keep what was added until then.
void buildCatalogues(std::string_view dataRoot, Catalogue& traffic, Catalogue& folder);

}  // namespace rakewright
