// UTF-8 and UTF-16, the program's one codec for them: file names on disk and the window's texts
// are UTF-8, the Windows API and its console take UTF-16, and base.ini may come in either. Written
// here once, with no help from the system's code pages, so that a Cyrillic name converts the same
// whatever code page a machine has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rakewright {

// What decodeUtf8 makes of the three-byte form of a surrogate (U+D800..U+DFFF), which valid UTF-8
// never holds but which a lone surrogate of an NTFS name turns into (utf8FromUtf16 writes it).
enum class Surrogates { Refused, Kept };

// Decodes the UTF-8 sequence that starts at text[i] into `cp` and moves `i` past it. False, with
// `i` unchanged, for a malformed sequence: a stray or truncated byte, an overlong form, a value
// beyond U+10FFFF, or a surrogate unless `surrogates` keeps it.
bool decodeUtf8(std::string_view text, std::size_t& i, char32_t& cp,
                Surrogates surrogates = Surrogates::Refused);

// Appends the UTF-8 form of `cp` (up to U+10FFFF; a surrogate gets its three-byte form).
void appendUtf8(std::string& out, char32_t cp);

// UTF-8 as UTF-16 in units of `Char16` (char16_t, or wchar_t on Windows). A byte that is not part
// of valid UTF-8 becomes U+FFFD; the three-byte form of a surrogate comes back as that surrogate.
template <typename Char16>
std::basic_string<Char16> utf16FromUtf8(std::string_view utf8) {
  std::basic_string<Char16> utf16;
  utf16.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    if (!decodeUtf8(utf8, i, cp, Surrogates::Kept)) {
      cp = 0xFFFD;
      ++i;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      utf16.push_back(static_cast<Char16>(0xD800 + (cp >> 10)));
      utf16.push_back(static_cast<Char16>(0xDC00 + (cp & 0x3FF)));
    } else {
      utf16.push_back(static_cast<Char16>(cp));
    }
  }
  return utf16;
}

// UTF-16 as UTF-8; a lone surrogate keeps its three-byte form, so that every name the system
// lists converts back to the same units.
template <typename Char16>
std::string utf8FromUtf16(std::basic_string_view<Char16> utf16) {
  std::string utf8;
  utf8.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(utf16[i]));
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < utf16.size()) {
      const auto next = static_cast<char32_t>(static_cast<std::uint16_t>(utf16[i + 1]));
      if (next >= 0xDC00 && next < 0xE000) {
        appendUtf8(utf8, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    appendUtf8(utf8, unit);
  }
  return utf8;
}

}  // namespace rakewright
