#include "platform/profile_text.h"

#include <algorithm>
#include <optional>

#include "platform/cp1251.h"
#include "platform/utf8.h"

namespace rakewright {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) : text_(bytes) {
  if (startsWith(bytes, kUtf16LeBom) || startsWith(bytes, kUtf16BeBom)) {
    const bool bigEndian = bytes.front() == '\xFE';
    readUtf16(bytes.substr(2), bigEndian);
    text_ = converted_;
    encoding_ = bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le;
    markLength_ = kUtf16LeBom.size();
    return;
  }
  if (startsWith(bytes, kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
    text_ = bytes;
    markLength_ = kUtf8Bom.size();
  }
  // Pure ASCII reads the same in both encodings and needs no copy.
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii && readUtf8(bytes)) {
    text_ = converted_;
    encoding_ = Encoding::Utf8;
  } else if (ascii && markLength_ > 0) {
    encoding_ = Encoding::Utf8;  // a mark and ASCII: UTF-8 as the editor saved it
  }
}

bool ProfileText::holdsUnrepresentable(std::size_t begin, std::size_t end) const {
  const auto first = std::lower_bound(unrepresentable_.begin(), unrepresentable_.end(), begin);
  return first != unrepresentable_.end() && *first < end;
}

void ProfileText::appendCodePoint(char32_t cp) {
  if (const std::optional<char> byte = cp1251FromCodePoint(cp)) {
    converted_.push_back(*byte);
  } else {
    appendUnrepresentable();
  }
}

void ProfileText::appendUnrepresentable() {
  unrepresentable_.push_back(converted_.size());
  converted_.push_back('?');
}

void ProfileText::readUtf16(std::string_view bytes, bool bigEndian) {
  const std::size_t units = bytes.size() / 2;
  const auto unit = [&](std::size_t k) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[2 * k]);
    const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
    return bigEndian ? char32_t{first} << 8 | second : char32_t{second} << 8 | first;
  };
  converted_.reserve(units);
  for (std::size_t k = 0; k < units; ++k) {
    const char32_t cp = unit(k);
    if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
        unit(k + 1) <= 0xDFFF) {
      ++k;  // a pair of surrogates: a character beyond U+FFFF, never in Windows-1251
      appendUnrepresentable();
    } else {
      appendCodePoint(cp);  // a lone surrogate has no byte of the code page either
    }
  }
}

bool ProfileText::readUtf8(std::string_view bytes) {
  std::size_t i = 0;
  char32_t cp = 0;
  while (i < bytes.size()) {
    if (!decodeUtf8(bytes, i, cp)) {
      return false;
    }
  }
  converted_.reserve(bytes.size());
  i = 0;
  while (i < bytes.size()) {
    decodeUtf8(bytes, i, cp);
    appendCodePoint(cp);
  }
  return true;
}

}  // namespace rakewright
