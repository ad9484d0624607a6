// The one crossing between the core's text and the window's: the core holds Windows-1251 bytes,
// the controls hold QStrings. Every byte converts to a character and back unchanged; a character
// typed by the user that Windows-1251 cannot hold is refused, never replaced. Disk paths, which
// are UTF-8 in the core on every system, cross here too, and nowhere else.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace rakewright {

// Windows-1251 bytes as a QString. Never fails.
QString fromCp1251(std::string_view text);

// The most characters a control is given of a text from a data file; a list row, a label or a
// field shows no more than this anyway, and laying out megabytes of text would freeze the window.
inline constexpr std::size_t kShownCharacters = 256;

// Windows-1251 text for a control to show: whole when it is short, else its first
// kShownCharacters characters and an ellipsis. The text itself stays whole where it is kept.
QString displayText(std::string_view text);

// A QString as Windows-1251 bytes; nullopt when a character has no Windows-1251 byte.
std::optional<std::string> toCp1251(const QString& text);

// The text of an input control as Windows-1251 bytes. Throws std::runtime_error naming the control
// by `caption` when a character cannot be held.
std::string inputText(const QString& text, const QString& caption);

// A disk path of the core (UTF-8) as Qt's file classes take it, and back, on both systems: never
// through the local 8-bit encoding (QFile::decodeName, encodeName), which is the ANSI code page on
// Windows and would garble every name outside it. Bytes that are not UTF-8 (a raw Windows-1251
// name on Linux) cannot be given to Qt.
QString fromDiskPath(std::string_view diskPath);
std::string toDiskPath(const QString& path);

}  // namespace rakewright
