#include "platform/cp1251.h"

#include <array>
#include <stdexcept>
#include <unordered_map>

#include "platform/utf8.h"

namespace rakewright {

namespace {

// Unicode code points of the bytes 0x80..0xFF. 0x98 is undefined in the code page and maps to
// U+0098 so that every byte survives a round trip.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

// Upper/lower pairs of the code page's letters outside A-Z and А-я.
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kOtherCasePairs = {{
    {0x80, 0x90},  // Ђ ђ
    {0x81, 0x83},  // Ѓ ѓ
    {0x8A, 0x9A},  // Љ љ
    {0x8C, 0x9C},  // Њ њ
    {0x8D, 0x9D},  // Ќ ќ
    {0x8E, 0x9E},  // Ћ ћ
    {0x8F, 0x9F},  // Џ џ
    {0xA1, 0xA2},  // Ў ў
    {0xA3, 0xBC},  // Ј ј
    {0xA5, 0xB4},  // Ґ ґ
    {0xA8, 0xB8},  // Ё ё
    {0xAA, 0xBA},  // Є є
    {0xAF, 0xBF},  // Ї ї
    {0xB2, 0xB3},  // І і
    {0xBD, 0xBE},  // Ѕ ѕ
}};

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
  CaseTables() {
    for (int c = 0; c < 256; ++c) {
      upper[c] = lower[c] = static_cast<unsigned char>(c);
    }
    for (int c = 'a'; c <= 'z'; ++c) {
      upper[c] = static_cast<unsigned char>(c - 32);
      lower[c - 32] = static_cast<unsigned char>(c);
    }
    for (int c = 0xE0; c <= 0xFF; ++c) {
      upper[c] = static_cast<unsigned char>(c - 32);
      lower[c - 32] = static_cast<unsigned char>(c);
    }
    for (const auto& [up, low] : kOtherCasePairs) {
      upper[low] = up;
      lower[up] = low;
    }
  }
};

const CaseTables& caseTables() {
  static const CaseTables tables;
  return tables;
}

const std::unordered_map<char32_t, unsigned char>& reverseTable() {
  static const auto table = [] {
    std::unordered_map<char32_t, unsigned char> map;
    for (int i = 0; i < 128; ++i) {
      map.emplace(kHighHalf[static_cast<std::size_t>(i)], static_cast<unsigned char>(0x80 + i));
    }
    return map;
  }();
  return table;
}

}  // namespace

std::optional<char> cp1251FromCodePoint(char32_t cp) {
  if (cp < 0x80) {
    return static_cast<char>(cp);
  }
  if (cp >= 0x0410 && cp <= 0x044F) {  // А-я, bytes C0-FF: most of a Cyrillic text, without a hash
    return static_cast<char>(0xC0 + (cp - 0x0410));
  }
  const auto& reverse = reverseTable();
  const auto found = reverse.find(cp);
  if (found == reverse.end()) {
    return std::nullopt;
  }
  return static_cast<char>(found->second);
}

std::string cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
    } else {
      appendUtf8(out, kHighHalf[byte - 0x80]);
    }
  }
  return out;
}

std::optional<std::string> utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t cp = 0;
    if (!decodeUtf8(text, i, cp)) {
      return std::nullopt;
    }
    const std::optional<char> byte = cp1251FromCodePoint(cp);
    if (!byte) {
      return std::nullopt;
    }
    out.push_back(*byte);
  }
  return out;
}

std::string cp1251Text(std::string_view utf8) {
  std::optional<std::string> text = utf8ToCp1251(utf8);
  if (!text) {
    throw std::logic_error("a text of the program that Windows-1251 cannot hold");
  }
  return std::move(*text);
}

char cp1251Upper(char c) {
  return static_cast<char>(caseTables().upper[static_cast<unsigned char>(c)]);
}

char cp1251Lower(char c) {
  return static_cast<char>(caseTables().lower[static_cast<unsigned char>(c)]);
}

std::string cp1251UpperCase(std::string_view text) {
  const auto& upper = caseTables().upper;
  std::string out(text);
  for (char& c : out) {
    c = static_cast<char>(upper[static_cast<unsigned char>(c)]);
  }
  return out;
}

void cp1251UpperCaseInto(std::string_view text, std::string& out) {
  const auto& upper = caseTables().upper;
  out.resize(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[i] = static_cast<char>(upper[static_cast<unsigned char>(text[i])]);
  }
}

bool listsBefore(std::string_view a, std::string_view b) {
  const auto& upper = caseTables().upper;
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char ua = upper[static_cast<unsigned char>(a[i])];
    const unsigned char ub = upper[static_cast<unsigned char>(b[i])];
    if (ua != ub) {
      return ua < ub;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return a < b;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  const auto& upper = caseTables().upper;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper[static_cast<unsigned char>(a[i])] != upper[static_cast<unsigned char>(b[i])]) {
      return false;
    }
  }
  return true;
}

std::string asciiLowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c + ('a' - 'A'));
    }
  }
  return out;
}

std::string nameFromDisk(std::string_view diskName) {
  if (auto converted = utf8ToCp1251(diskName)) {
    return std::move(*converted);
  }
  return std::string(diskName);
}

std::string nameToDisk(std::string_view name) {
  return cp1251ToUtf8(name);
}

}  // namespace rakewright
