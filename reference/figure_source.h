// Where a wagon's length, weight or axle count came from: the rolling-stock base, the length
// guess from its name, a value the user typed over the offered one, the base's default for a name
// it does not know, or the consist file it was loaded from. The window shows it beside each
// figure, and the check of consist files reports guessed and defaulted figures.
#pragma once

#include <cstdint>
#include <string>

namespace rakewright {

enum class FigureSource : std::uint8_t { Base, Guess, Typed, Default, File };

// The source as the windows name it, in Windows-1251 ("из базы", ...).
const std::string& figureSourceName(FigureSource source);

}  // namespace rakewright
