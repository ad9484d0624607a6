// The INI reader for the rolling-stock base, with the rules of the Windows private-profile reader:
// - the file may be saved as Windows-1251, UTF-8 (with or without its byte-order mark) or UTF-16
//   with its byte-order mark; it is read as the same text in Windows-1251 (ProfileText tells the
//   encodings apart). Without a mark, a file is UTF-8 only when all of it is valid UTF-8 and it
//   holds a byte above 127;
// - Ctrl-Z (byte 26) at the end of the file, as old editors write it, is not part of the last
//   value;
// - the text is split into lines at every CR or LF, and each line is trimmed of blanks;
// - "[name]" starts a section whose name runs to the last "]", trimmed; lines before the first
//   section belong to no section;
// - any other line is a key up to the first "=" and a value after it, both trimmed; a line without
//   "=" is a key without a value (a lookup gives the default);
// - section and key names match ignoring letter case (Latin and Cyrillic); the first matching
//   section is the only one searched, and in it the first matching key wins; spaces (not TABs or
//   other blanks) around the section and key names asked for are ignored;
// - a value of two or more characters that starts and ends with the same quotation mark (' or ")
//   loses both marks; "k=" gives the empty text; at most 2047 characters of a value are returned.
// A character that Windows-1251 cannot hold (possible only in a UTF-8 or UTF-16 file) never stops
// the reading: in a value it becomes '?', as the Windows reader writes it, so a length or weight
// holding one fails where it is added up, with its text in the message; a section or key name
// holding one can equal no name asked for (those are Windows-1251), so it is left out: such a key,
// and every key below such a section, is found by no lookup, which gives its default.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/file_system.h"

namespace rakewright {

class ProfileText;

// One line of a profile text as the reader takes it. The lookups and the editor of the base both
// read lines through forEachProfileLine(), so that they agree on every line.
struct ProfileLine {
  enum class Kind : std::uint8_t { Blank, Section, Key };
  Kind kind = Kind::Blank;
  // The section's name or the key, trimmed; a view into the decoded text.
  std::string_view name;
  // A key's text after the first "=", trimmed, its quotation marks kept; nullopt without "=".
  std::optional<std::string_view> value;
  // The name holds a character that Windows-1251 cannot hold: no name asked for can equal it.
  bool unmatchable = false;
};

// The decoded text without the Ctrl-Z at its end and the blanks and line breaks around it: the
// part that forEachProfileLine() splits into lines.
std::string_view profileLinesText(const ProfileText& decoded);

// Calls `visit` with every line of profileLinesText(decoded), in order: a line ends at every CR and
// at every LF, so a text with n line breaks has n + 1 lines (an empty text has one blank line).
void forEachProfileLine(const ProfileText& decoded,
                        const std::function<void(const ProfileLine& line)>& visit);

class ProfileData {
 public:
  static ProfileData parse(std::string_view text);

  // The value of `key` in `section`, or `fallback` when the section or key is absent or the key has
  // no "=". Spaces around `section` and `key` do not count; callers keep a name as it is written.
  std::string value(std::string_view section, std::string_view key,
                    std::string_view fallback) const;

  // A section or key name as a lookup takes it: without the spaces around it.
  static std::string_view askedName(std::string_view name);

  // What a lookup gives for a key whose trimmed text after "=" is `value` (ProfileLine::value):
  // without the quotation marks around it, cut at kMaxValueLength.
  static std::string lookedUpValue(std::string_view value);

  // Calls `visit` with every key of `section` that has a value (upper-cased, as keys match), and
  // that value: what value() would give for the key. The views are valid while this lives.
  void forEachValue(
      std::string_view section,
      const std::function<void(std::string_view key, std::string_view value)>& visit) const;

  static constexpr std::size_t kMaxValueLength = 2047;

 private:
  // Upper-cased key -> value (nullopt for a key line without "="), first occurrence only.
  using Section = std::unordered_map<std::string, std::optional<std::string>>;
  std::unordered_map<std::string, Section> sections_;  // by upper-cased name, first only
};

// A profile file read by path, reused while the file is unchanged. Each call of current() looks at
// the file as it is at that moment (a stat of the path), and parses it again only when its size,
// modification time or inode changed, so an edit shows at the next lookup.
class ProfileFile {
 public:
  ProfileFile(std::string anchor, std::string path);

  // The file's content as it is now; an empty profile when the file is missing or unreadable.
  // A file that another program holds beyond the waits of the read (Windows) throws FileError
  // with `Cannot open file "PATH". REASON`, PATH as given: the lookups never get defaults for it
  // unsaid.
  std::shared_ptr<const ProfileData> current();

 private:
  std::string anchor_;
  std::string path_;
  std::string resolvedDiskPath_;  // the last resolution of path_, tried before resolving again
  std::optional<FileIdentity> identity_;
  std::shared_ptr<const ProfileData> data_;
};

}  // namespace rakewright
