// Windows-1251 text: the single-byte encoding of every text inside the core (file contents, file
// names, rolling-stock names, messages). Conversion happens only at the edges: file names on disk
// are UTF-8, and the window shows QStrings. Every one of the 256 bytes round-trips; byte 0x98,
// which the code page leaves undefined, maps to U+0098.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rakewright {

// Windows-1251 bytes to UTF-8. Never fails.
std::string cp1251ToUtf8(std::string_view text);

// UTF-8 to Windows-1251 bytes; nullopt when the input is not valid UTF-8 or holds a character that
// Windows-1251 cannot represent.
std::optional<std::string> utf8ToCp1251(std::string_view text);

// The Windows-1251 byte of a Unicode character; nullopt when the code page has none.
std::optional<char> cp1251FromCodePoint(char32_t cp);

// One of the program's own texts, written in UTF-8 in the source, as Windows-1251 bytes. The text
// must be one the code page can hold (std::logic_error otherwise). Callers keep the result in a
// static, so each text is converted once.
std::string cp1251Text(std::string_view utf8);

// Letter case of Windows-1251 characters: Latin A-Z and the Cyrillic letters of the code page
// (А-Я, Ё, Ђ, Ѓ, Є, Ѕ, І, Ї, Ј, Љ, Њ, Ћ, Ќ, Ў, Џ, Ґ) with their lower-case forms. Other bytes are
// returned unchanged.
char cp1251Upper(char c);
char cp1251Lower(char c);
std::string cp1251UpperCase(std::string_view text);
// The same into `out`, replacing what it held: for upper-casing many names into one buffer.
void cp1251UpperCaseInto(std::string_view text, std::string& out);

// The order in which a listing gives names: by their upper-cased form, as an NTFS volume lists
// them, with the exact bytes breaking ties so that the order never depends on the file system.
bool listsBefore(std::string_view a, std::string_view b);

// Equality ignoring the letter case of Latin and Cyrillic letters.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Lower case for the letters A to Z only; every other byte, Cyrillic included, stays.
std::string asciiLowerCase(std::string_view text);

// A name as stored on disk (UTF-8, or any bytes) as Windows-1251: converted when it is valid UTF-8
// that the code page can hold, otherwise taken as raw Windows-1251 bytes.
std::string nameFromDisk(std::string_view diskName);

// A Windows-1251 name as the program writes it to disk: UTF-8.
std::string nameToDisk(std::string_view name);

}  // namespace rakewright
