// The rolling-stock base base.ini as the base editor holds it: the file's bytes, exactly as read,
// and the edits a player makes to lengths, weights, axle counts and categories. An edit changes
// only what it must:
// - a changed value is rewritten inside its own line, which keeps the spelling of its key, the
//   blanks around it, quotation marks around the value and its line ending;
// - a name the section lacks gets a line "name=value" after the last entry of the section (before
//   the blank lines and comments that end it), with the line ending of the line before it;
// - a section the file lacks is added at the end, before the line breaks and the Ctrl-Z that end
//   the file;
// - a category change moves the length: its line leaves every other length section where the name
//   counts, and the length is written into the new one.
// Every other byte stays: order, blank lines, comments, unknown sections and keys, letter case,
// each line's own line ending, a Ctrl-Z at the end, the encoding and its byte-order mark.
//
// The file is read with the reader's own rules (forEachProfileLine), and the figures are those the
// lookups of RollingStockBase::View give over the bytes as they are now (figures() reads them from
// the editor's index of the lines, quicker for many names; the fuzzer holds the two together), so
// the editor shows and edits exactly what the rest of the program reads. Where a key stands twice
// in a section, the lookups take the first occurrence; so does the editor. An edit that the file's
// encoding could not read back as it was meant (a name whose bytes would turn a Windows-1251 file
// into UTF-8, say) is refused and leaves the bytes as they were.
//
// A BaseFile is a value: copying it is how the editor keeps the states for undo.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/profile_reader.h"
#include "platform/profile_text.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

// The five length sections, in the order of the length chain; they double as the categories of
// the traffic filter.
enum class LengthSection : std::uint8_t { Pass, Freight, Locos, Mvps, Special };
inline constexpr std::array<LengthSection, 5> kLengthSections = {
    LengthSection::Pass, LengthSection::Freight, LengthSection::Locos, LengthSection::Mvps,
    LengthSection::Special};

// "PASS", "FREIGHT", "LOCOS", "MVPS", "SPEC".
std::string_view sectionName(LengthSection section);

// A figure typed by the player, checked for the base: the text to write, or why it is refused.
struct CheckedFigure {
  std::optional<std::string> text;  // as it is written; nullopt when refused
  std::string message;              // Windows-1251: the refusal, or the note that "," became "."
};

// Lengths and weights: a decimal number with "." (a "," is taken for it, and the message says so),
// an optional sign, greater than zero; written in the general format ("024.50" becomes "24.5").
CheckedFigure checkLength(std::string_view typed);
CheckedFigure checkWeight(std::string_view typed);
// Axle counts: a whole number greater than zero.
CheckedFigure checkAxles(std::string_view typed);

// Why a rolling-stock name (Windows-1251) cannot stand as a key of base.ini so that a lookup finds
// it (a line break, "=", a leading "[", blanks other than spaces at its ends, nothing but spaces);
// nullopt when it can.
std::optional<std::string> baseNameProblem(std::string_view name);

// A name typed in the window (UTF-8) as the base holds it: Windows-1251, in which every encoding
// of base.ini is read. The message names a character that Windows-1251 cannot hold.
struct NameForBase {
  std::optional<std::string> name;  // Windows-1251; nullopt when refused
  std::string message;              // Windows-1251
};
NameForBase nameForBase(std::string_view utf8);

// What an edit did.
struct BaseEdit {
  bool changed = false;  // the bytes changed
  bool refused = false;  // nothing changed, and `message` says why
  std::string written;   // the value written (for a category change, the length moved)
  std::string message;   // Windows-1251: why it was refused, or a note for the status line
};

// What the lookups give for a name: RollingStockBase::View's knownLength(), knownWeight() and
// knownAxles(), and the length section the length comes from.
struct BaseFigures {
  std::optional<LengthSection> category;
  std::optional<std::string> length;
  std::optional<std::string> weight;
  std::optional<std::string> axles;
  // isMember() for each length section, in the order of kLengthSections.
  std::array<bool, 5> member{};
};

// Where a name stands in a section that a lookup reads, for the editor's remarks.
struct BaseOccurrence {
  std::string_view section;          // "PASS", ..., "WEIGHTS", "OSI"
  int line = 0;                      // from 1, as a text editor counts lines
  std::optional<std::string> value;  // as a lookup would give it; nullopt for a key without "="
  // Whether a lookup reads this line: the first occurrence in the first section of that name.
  bool counts = false;
};

class BaseFile {
 public:
  // An empty base, as when base.ini is missing: saved as Windows-1251 with CR LF line endings.
  BaseFile();
  explicit BaseFile(std::string bytes);

  // base.ini beside the program (programFolder + "data\consists\base.ini"); a missing file gives
  // an empty base. Throws FileError when the file is there and cannot be read.
  static BaseFile read(const std::string& programFolder);

  // Writes the bytes over base.ini beside the program through replaceFile(): a failure leaves the
  // old file whole. When the file on disk is no longer what was read (or last saved), it is left
  // as it is and ChangedOnDisk comes back, unless `overwrite` says to write anyway. Throws
  // FileError.
  enum class SaveOutcome { Saved, ChangedOnDisk };
  SaveOutcome save(const std::string& programFolder, bool overwrite = false);

  const std::string& bytes() const { return bytes_; }
  ProfileText::Encoding encoding() const { return index_->encoding; }
  std::size_t markLength() const { return index_->markLength; }
  // Whether the bytes differ from those read or last saved.
  bool modified() const { return bytes_ != *onDisk_; }

  // The lookups over the bytes as they are now, made when first asked for (so a BaseFile is used
  // by one thread at a time).
  const RollingStockBase::View& view() const;

  // What the lookups give for `name`, read from the editor's own index of the lines (the fuzzer
  // holds the two to each other): quicker than the lookups for one name after another.
  BaseFigures figures(std::string_view name) const;
  // The length section whose value a length lookup takes for `name`; nullopt when the base holds
  // no length for it.
  std::optional<LengthSection> category(std::string_view name) const {
    return figures(name).category;
  }

  // Every place where `name` stands in the seven sections a lookup reads, in file order.
  std::vector<BaseOccurrence> occurrences(std::string_view name) const;
  // Every key of those sections once, as the file spells it at its first occurrence, in file
  // order (keys of repeated sections and duplicates included).
  std::vector<std::string_view> names() const;

  // The edits. `typed` is checked as checkLength(), checkWeight() or checkAxles() say, `name` as
  // baseNameProblem() says; a refused edit changes nothing. setLength() writes the length into
  // `section`, moving it there when the name counts in another length section; setCategory()
  // moves the length the base holds (and is refused when it holds none).
  BaseEdit setLength(std::string_view name, std::string_view typed, LengthSection section);
  BaseEdit setCategory(std::string_view name, LengthSection section);
  BaseEdit setWeight(std::string_view name, std::string_view typed);
  BaseEdit setAxles(std::string_view name, std::string_view typed);

 private:
  // A line as a text editor shows it: CR LF, a lone CR and a lone LF each end one.
  struct Line {
    std::uint32_t begin = 0;  // byte offsets of its text in bytes_
    std::uint32_t end = 0;
    std::uint8_t breakBytes = 0;  // the bytes of the line ending after it; 0 for the last line
    ProfileLine::Kind kind = ProfileLine::Kind::Blank;
    bool unmatchable = false;
    bool comment = false;  // a key line starting with ";" or "#": no new key goes after it
    bool hasValue = false;
    std::int32_t section = -1;   // into Index::sections: the section it stands in, -1 for none
    std::int32_t nextSame = -1;  // the next line of the same key in the seven sections
    std::uint32_t nameAt = 0;    // the key or section name, trimmed, in Index::text
    std::uint32_t nameSize = 0;
    std::uint32_t valueAt = 0;  // the text after "=", trimmed, in Index::text
    std::uint32_t valueSize = 0;
  };
  // A section of one of the seven names, in file order; `first` for the one lookups read.
  struct Section {
    std::string_view name;  // "PASS", ...
    std::size_t header = 0;
    std::size_t last = 0;  // its last line
    bool first = false;
  };
  struct KeyLines {
    std::int32_t first = -1;
    std::int32_t last = -1;
  };
  // What the bytes say, made once per state of the bytes and shared by its copies.
  struct Index {
    ProfileText::Encoding encoding = ProfileText::Encoding::Cp1251;
    std::size_t markLength = 0;
    std::size_t unit = 1;
    std::size_t bodyEnd = 0;   // the end of the text's units (before an odd byte of UTF-16)
    std::size_t linesEnd = 0;  // where the lines end: line breaks, blanks and Ctrl-Z may follow
    std::string text;          // the decoded text, Windows-1251
    std::string upper;         // the same, upper-cased: the keys as lookups match them
    std::vector<Line> lines;
    std::vector<Section> sections;
    std::unordered_map<std::string_view, KeyLines> keys;  // views into `upper`
    std::vector<std::int32_t> keyOrder;                   // each key's first line, in file order
    std::size_t longestKey = 0;     // of the keys in the sections lookups read
    std::size_t longestAnyKey = 0;  // of every key in the seven sections
  };
  // Bytes [begin, end) replaced by `bytes`.
  struct Splice {
    std::size_t begin;
    std::size_t end;
    std::string bytes;
  };

  void index();
  // The unit of text (a byte, or two in UTF-16) at byte offset `at`.
  char32_t unitAt(std::size_t at) const;
  std::string_view nameOf(const Line& line) const;
  std::optional<std::string> valueOf(const Line& line) const;
  const Section* firstSection(std::string_view name) const;
  // The lines of `name` in the seven sections, in file order; in the first section `section` only
  // when one is given.
  std::vector<std::size_t> keyLines(std::string_view name, std::string_view section = {}) const;
  std::string encoded(std::string_view cp1251) const;
  std::string lineEnding(std::size_t line) const;
  // Gives `name` the value `value` in `section`: its first occurrence rewritten, or a new line, or
  // a new section.
  void writeValue(std::string_view section, std::string_view name, std::string_view value,
                  std::vector<Splice>& splices) const;
  void removeLines(std::vector<std::size_t> lines, std::vector<Splice>& splices) const;
  // Takes the splices when the result keeps the encoding and `readsBack` finds the edit in it;
  // otherwise keeps the bytes and refuses.
  BaseEdit apply(std::vector<Splice> splices, std::string_view name,
                 const std::function<bool(const BaseFile& edited)>& readsBack, BaseEdit edit);
  BaseEdit setLengthText(std::string_view name, const std::string& text, LengthSection section,
                         std::string note);
  BaseEdit setFigure(std::string_view name, CheckedFigure checked, std::string_view section);

  std::string bytes_;
  std::shared_ptr<const std::string> onDisk_;  // what was read or last saved
  std::shared_ptr<const Index> index_;
  mutable std::shared_ptr<const RollingStockBase::View> view_;
};

}  // namespace rakewright
