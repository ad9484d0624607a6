// What the Linux and the Windows halves of text_file share: the names of the temporary files that
// replaceFile() writes (on Windows also the name the old file is kept under during the swap) and
// removeStaleTemporaryFiles() looks for.
#pragma once

#include <cstddef>
#include <string_view>

namespace rakewright {

// This prefix and six letters or digits. Short whatever the target's name, so a target of the
// longest name a folder allows can still be saved; one pattern of our own, so that leftovers can
// be found and removed.
inline constexpr std::string_view kTemporaryPrefix = ".rakewright-";
inline constexpr std::size_t kTemporaryRandomLength = 6;

// Whether a disk name is one of those temporary names.
bool isTemporaryName(std::string_view name);

}  // namespace rakewright
