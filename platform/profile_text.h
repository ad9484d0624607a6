// The bytes of a profile file as the text the reader parses: Windows-1251, whatever encoding a
// player's editor saved the file in. The encoding is told from the bytes alone:
// - FF FE or FE FF first: UTF-16, little- or big-endian, after its byte-order mark; a last odd
//   byte is dropped;
// - otherwise UTF-8, with or without its byte-order mark EF BB BF, when everything after the mark
//   is valid UTF-8 (and, without the mark, holds a byte above 127: pure ASCII reads the same
//   either way). A Windows-1251 text with Cyrillic letters is practically never valid UTF-8;
// - otherwise Windows-1251, taken as it is (after a UTF-8 byte-order mark, when there is one).
// A Unicode character that Windows-1251 cannot hold (a CJK letter, an emoji, an unpaired UTF-16
// surrogate) is written as '?' and its position is kept, so that the reader can tell that '?' from
// a real question mark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rakewright {

class ProfileText {
 public:
  // text() may view `bytes` (when they are Windows-1251 already), which must outlive the object.
  explicit ProfileText(std::string_view bytes);
  ProfileText(const ProfileText&) = delete;
  ProfileText& operator=(const ProfileText&) = delete;

  std::string_view text() const { return text_; }

  // The encoding the bytes were taken for, and how many bytes of a byte-order mark came before
  // the text (0, 2 or 3; a UTF-8 mark before a text that is not valid UTF-8 is skipped too, and
  // the text is then Windows-1251). An editor that writes the file back keeps both.
  enum class Encoding : std::uint8_t { Cp1251, Utf8, Utf16Le, Utf16Be };
  Encoding encoding() const { return encoding_; }
  std::size_t markLength() const { return markLength_; }

  // Whether text()[begin, end) holds a character that Windows-1251 could not hold.
  bool holdsUnrepresentable(std::size_t begin, std::size_t end) const;

 private:
  void appendCodePoint(char32_t cp);
  void appendUnrepresentable();
  void readUtf16(std::string_view bytes, bool bigEndian);
  // False, with nothing read, when `bytes` are not valid UTF-8.
  bool readUtf8(std::string_view bytes);

  std::string converted_;
  std::string_view text_;
  Encoding encoding_ = Encoding::Cp1251;
  std::size_t markLength_ = 0;
  std::vector<std::size_t> unrepresentable_;  // positions in converted_, ascending
};

}  // namespace rakewright
