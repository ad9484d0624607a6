#include "reference/base_file.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>
#include <utility>

#include "platform/cp1251.h"
#include "platform/utf8.h"
#include "platform/file_error.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "reference/data_paths.h"

namespace rakewright {

namespace {

using Encoding = ProfileText::Encoding;

// The seven sections a lookup reads; the first five are the length chain.
constexpr std::array<std::string_view, 7> kBaseSections = {
    sections::kPass, sections::kFreight, sections::kLocos, sections::kMvps,
    sections::kSpec, sections::kWeights, sections::kAxles};

constexpr std::string_view kDefaultLineEnding = "\r\n";

bool isBlankUnit(char32_t unit) {
  return unit == ' ' || unit == '\t' || unit == '\v' || unit == '\f';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimmedBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\v\f");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\v\f") - first + 1);
}

// A name as a message quotes it: a name may be very long.
std::string quoted(std::string_view name) {
  constexpr std::size_t kQuoted = 60;
  static const std::string open = cp1251Text("«");
  static const std::string close = cp1251Text("»");
  static const std::string ellipsis = cp1251Text("…");
  std::string text = open;
  if (name.size() > kQuoted) {
    text.append(name.substr(0, kQuoted)).append(ellipsis);
  } else {
    text.append(name);
  }
  return text.append(close);
}

struct FigureTexts {
  std::string notANumber;  // after the quoted text
  std::string notPositive;
};

// A decimal figure: an optional sign, digits with at most one "." or "," between or around them.
CheckedFigure checkDecimal(std::string_view typed, const FigureTexts& texts) {
  static const std::string commaNote = cp1251Text("Запятая заменена точкой: ");
  const std::string_view trimmed = trimmedBlanks(typed);
  std::string text(trimmed);
  bool comma = false;
  std::size_t digits = 0;
  std::size_t points = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char& c = text[i];
    if (isDigit(c)) {
      ++digits;
    } else if (c == '.' || c == ',') {
      comma = comma || c == ',';
      c = '.';
      ++points;
    } else if (!((c == '-' || c == '+') && i == 0)) {
      digits = 0;
      break;
    }
  }
  CheckedFigure checked;
  if (digits == 0 || points > 1) {
    checked.message = quoted(trimmed) + texts.notANumber;
    return checked;
  }
  double value = 0;
  try {
    value = parseDecimal(text);
  } catch (const ConversionError&) {
    checked.message = quoted(trimmed) + texts.notANumber;
    return checked;
  }
  if (!(value > 0)) {
    checked.message = texts.notPositive;
    return checked;
  }
  checked.text = formatDecimal(value);
  if (comma) {
    checked.message = commaNote + *checked.text;
  }
  return checked;
}

// The bytes of a unit of text: one for Windows-1251 and UTF-8, two for UTF-16.
std::size_t unitBytes(Encoding encoding) {
  return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be ? 2 : 1;
}

}  // namespace

std::string_view sectionName(LengthSection section) {
  return kBaseSections[static_cast<std::size_t>(section)];
}

CheckedFigure checkLength(std::string_view typed) {
  static const FigureTexts texts = {
      cp1251Text(" — не число. Длина записывается десятичным числом с точкой, например 24.5"),
      cp1251Text("Длина должна быть больше нуля")};
  return checkDecimal(typed, texts);
}

CheckedFigure checkWeight(std::string_view typed) {
  static const FigureTexts texts = {
      cp1251Text(" — не число. Вес записывается десятичным числом с точкой, например 58.5"),
      cp1251Text("Вес должен быть больше нуля")};
  return checkDecimal(typed, texts);
}

CheckedFigure checkAxles(std::string_view typed) {
  static const std::string notWhole =
      cp1251Text(" — не целое число. Число осей записывается целым числом, например 4");
  static const std::string notPositive = cp1251Text("Число осей должно быть больше нуля");
  const std::string_view trimmed = trimmedBlanks(typed);
  CheckedFigure checked;
  const bool signed_ = !trimmed.empty() && (trimmed.front() == '-' || trimmed.front() == '+');
  const std::string_view digits = trimmed.substr(signed_ ? 1 : 0);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
    checked.message = quoted(trimmed) + notWhole;
    return checked;
  }
  std::int32_t value = 0;
  try {
    value = parseWhole(trimmed);
  } catch (const ConversionError&) {
    checked.message = quoted(trimmed) + notWhole;
    return checked;
  }
  if (value <= 0) {
    checked.message = notPositive;
    return checked;
  }
  checked.text = formatWhole(value);
  return checked;
}

std::optional<std::string> baseNameProblem(std::string_view name) {
  struct Texts {
    std::string empty = cp1251Text("Пустое название нельзя записать в base.ini");
    std::string lineBreak = cp1251Text(" нельзя записать в base.ini: в нём перевод строки");
    std::string equals = cp1251Text(" нельзя записать в base.ini: в нём знак «=»");
    std::string bracket =
        cp1251Text(" нельзя записать в base.ini: строка с «[» в начале и «]» — это раздел");
    std::string blanks =
        cp1251Text(" нельзя записать в base.ini: табуляция по краям названия не читается");
  };
  static const Texts texts;
  const std::string_view asked = ProfileData::askedName(name);
  if (asked.empty()) {
    return texts.empty;
  }
  if (asked.find_first_of("\r\n") != std::string_view::npos) {
    return quoted(asked) + texts.lineBreak;
  }
  if (asked.find('=') != std::string_view::npos) {
    return quoted(asked) + texts.equals;
  }
  if (asked.front() == '[' && asked.find(']') != std::string_view::npos) {
    return quoted(asked) + texts.bracket;
  }
  if (trimmedBlanks(asked).size() != asked.size()) {
    return quoted(asked) + texts.blanks;
  }
  return std::nullopt;
}

NameForBase nameForBase(std::string_view utf8) {
  static const std::string notCp1251 = cp1251Text(
      " нельзя записать в base.ini: в нём есть знаки вне кодировки Windows-1251, в которой "
      "программа читает base.ini");
  static const std::string notUtf8 = cp1251Text("Название с неверными знаками");
  NameForBase result;
  std::optional<std::string> name = utf8ToCp1251(utf8);
  if (!name) {
    // Quote what can be quoted: the characters Windows-1251 holds, '?' for the others.
    std::string shown;
    std::size_t i = 0;
    while (i < utf8.size()) {
      char32_t cp = 0;
      if (!decodeUtf8(utf8, i, cp)) {
        result.message = notUtf8;
        return result;
      }
      shown.push_back(cp1251FromCodePoint(cp).value_or('?'));
    }
    result.message = quoted(shown) + notCp1251;
    return result;
  }
  if (std::optional<std::string> problem = baseNameProblem(*name)) {
    result.message = std::move(*problem);
    return result;
  }
  result.name = std::move(name);
  return result;
}

BaseFile::BaseFile() : BaseFile(std::string()) {}

BaseFile::BaseFile(std::string bytes)
    : bytes_(std::move(bytes)), onDisk_(std::make_shared<const std::string>(bytes_)) {
  index();
}

BaseFile BaseFile::read(const std::string& programFolder) {
  try {
    return BaseFile(readWholeFile(programFolder, paths::kBaseIni));
  } catch (const FileError& error) {
    // A missing base (or folder) is an empty one, as for every lookup; saving creates it.
    if (error.code() == FileError::kFileNotFound || error.code() == FileError::kPathNotFound) {
      return BaseFile();
    }
    throw;
  }
}

BaseFile::SaveOutcome BaseFile::save(const std::string& programFolder, bool overwrite) {
  if (!overwrite) {
    std::string now;
    try {
      now = readWholeFile(programFolder, paths::kBaseIni);
    } catch (const FileError& error) {
      if (error.code() != FileError::kFileNotFound && error.code() != FileError::kPathNotFound) {
        throw;
      }
    }
    if (now != *onDisk_) {
      return SaveOutcome::ChangedOnDisk;
    }
  }
  replaceFile(programFolder, paths::kBaseIni, bytes_);
  onDisk_ = std::make_shared<const std::string>(bytes_);
  return SaveOutcome::Saved;
}

char32_t BaseFile::unitAt(std::size_t at) const {
  const auto byte = [&](std::size_t k) { return char32_t{static_cast<unsigned char>(bytes_[k])}; };
  switch (index_->encoding) {
    case Encoding::Utf16Le:
      return byte(at) | byte(at + 1) << 8;
    case Encoding::Utf16Be:
      return byte(at) << 8 | byte(at + 1);
    default:
      return byte(at);
  }
}

void BaseFile::index() {
  auto made = std::make_shared<Index>();
  Index& index = *made;
  const ProfileText decoded(bytes_);
  index.encoding = decoded.encoding();
  index.markLength = decoded.markLength();
  index.unit = unitBytes(index.encoding);
  index_ = made;  // for unitAt() while the index is made
  // A last odd byte of a UTF-16 file is no unit: it stays after everything.
  index.bodyEnd = index.markLength + (bytes_.size() - index.markLength) / index.unit * index.unit;
  // The line breaks, blanks and Ctrl-Z after the lines are characters of one unit each.
  const std::string_view linesText = profileLinesText(decoded);
  index.linesEnd = index.bodyEnd - (decoded.text().size() - linesText.size()) * index.unit;
  index.text = std::string(decoded.text());
  index.upper = cp1251UpperCase(index.text);

  // The lines as a text editor shows them; the reader ends a line at every CR and every LF, so
  // the LF of a CR LF is a blank line of its own there (`joined`).
  std::vector<bool> joined;
  const std::string_view body = std::string_view(bytes_).substr(0, index.linesEnd);
  std::size_t at = index.markLength;
  while (true) {
    Line line;
    line.begin = static_cast<std::uint32_t>(at);
    if (index.unit == 1) {
      at = std::min(body.find_first_of("\r\n", at), body.size());
    } else {
      while (at < index.linesEnd && unitAt(at) != '\r' && unitAt(at) != '\n') {
        at += index.unit;
      }
    }
    line.end = static_cast<std::uint32_t>(at);
    joined.push_back(false);
    if (at >= index.linesEnd) {
      index.lines.push_back(line);
      break;
    }
    const bool crLf =
        unitAt(at) == '\r' && at + index.unit < index.linesEnd && unitAt(at + index.unit) == '\n';
    line.breakBytes = static_cast<std::uint8_t>((crLf ? 2 : 1) * index.unit);
    at += line.breakBytes;
    if (crLf) {
      joined.push_back(true);
    }
    index.lines.push_back(line);
  }

  std::size_t readerLine = 0;
  std::size_t lineIndex = 0;
  bool mismatch = false;
  const char* const text = decoded.text().data();
  const auto offset = [text](std::string_view part) {
    return static_cast<std::uint32_t>(part.data() - text);
  };
  forEachProfileLine(decoded, [&](const ProfileLine& read) {
    if (readerLine >= joined.size()) {
      mismatch = true;
      return;
    }
    if (joined[readerLine++]) {
      mismatch = mismatch || read.kind != ProfileLine::Kind::Blank;
      return;
    }
    Line& line = index.lines[lineIndex++];
    line.kind = read.kind;
    if (read.kind == ProfileLine::Kind::Blank) {
      return;
    }
    line.unmatchable = read.unmatchable;
    line.nameAt = offset(read.name);
    line.nameSize = static_cast<std::uint32_t>(read.name.size());
    if (read.value) {
      line.hasValue = true;
      line.valueAt = offset(*read.value);
      line.valueSize = static_cast<std::uint32_t>(read.value->size());
    }
    line.comment = read.kind == ProfileLine::Kind::Key && !read.name.empty() &&
                   (read.name.front() == ';' || read.name.front() == '#');
  });
  if (mismatch || readerLine != joined.size()) {
    throw std::logic_error("base.ini: the lines of the editor and of the reader differ");
  }

  // The sections of the seven names and their keys.
  std::unordered_set<std::string_view> seen;
  std::int32_t current = -1;
  for (std::size_t i = 0; i < index.lines.size(); ++i) {
    Line& line = index.lines[i];
    const std::string_view upper = std::string_view(index.upper).substr(line.nameAt, line.nameSize);
    if (line.kind == ProfileLine::Kind::Section) {
      current = -1;
      if (line.unmatchable) {
        continue;
      }
      const bool first = seen.insert(upper).second;
      const auto known = std::find(kBaseSections.begin(), kBaseSections.end(), upper);
      if (known != kBaseSections.end()) {
        current = static_cast<std::int32_t>(index.sections.size());
        index.sections.push_back({*known, i, i, first});
      }
      continue;
    }
    if (current < 0) {
      continue;
    }
    line.section = current;
    Section& section = index.sections[static_cast<std::size_t>(current)];
    section.last = i;
    if (line.kind != ProfileLine::Kind::Key || line.unmatchable) {
      continue;
    }
    const auto me = static_cast<std::int32_t>(i);
    const auto [key, added] = index.keys.try_emplace(upper, KeyLines{me, me});
    if (added) {
      index.keyOrder.push_back(me);
    } else {
      index.lines[static_cast<std::size_t>(key->second.last)].nextSame = me;
      key->second.last = me;
    }
    index.longestAnyKey = std::max<std::size_t>(index.longestAnyKey, line.nameSize);
    if (section.first) {
      index.longestKey = std::max<std::size_t>(index.longestKey, line.nameSize);
    }
  }
  view_.reset();
}

const RollingStockBase::View& BaseFile::view() const {
  if (!view_) {
    // Every key the lookups could find is at most longestKey long.
    view_ = std::make_shared<const RollingStockBase::View>(
        std::make_shared<const ProfileData>(ProfileData::parse(bytes_)), index_->longestKey);
  }
  return *view_;
}

std::string_view BaseFile::nameOf(const Line& line) const {
  return std::string_view(index_->text).substr(line.nameAt, line.nameSize);
}

std::optional<std::string> BaseFile::valueOf(const Line& line) const {
  if (!line.hasValue) {
    return std::nullopt;
  }
  return ProfileData::lookedUpValue(
      std::string_view(index_->text).substr(line.valueAt, line.valueSize));
}

const BaseFile::Section* BaseFile::firstSection(std::string_view name) const {
  for (const Section& section : index_->sections) {
    if (section.first && section.name == name) {
      return &section;
    }
  }
  return nullptr;
}

std::vector<std::size_t> BaseFile::keyLines(std::string_view name, std::string_view section) const {
  std::vector<std::size_t> found;
  const std::string_view asked = ProfileData::askedName(name);
  if (asked.size() > index_->longestAnyKey) {
    return found;  // longer than every key: not upper-cased to find that out (it may be huge)
  }
  const auto key = index_->keys.find(cp1251UpperCase(asked));
  if (key == index_->keys.end()) {
    return found;
  }
  for (std::int32_t line = key->second.first; line >= 0;
       line = index_->lines[static_cast<std::size_t>(line)].nextSame) {
    const Section& in = index_->sections[static_cast<std::size_t>(
        index_->lines[static_cast<std::size_t>(line)].section)];
    if (section.empty() || (in.first && in.name == section)) {
      found.push_back(static_cast<std::size_t>(line));
    }
  }
  return found;
}

BaseFigures BaseFile::figures(std::string_view name) const {
  // The value of the first occurrence in the first section of each name, as a lookup reads it.
  std::array<bool, kBaseSections.size()> seen{};
  std::array<std::optional<std::string>, kBaseSections.size()> values;
  for (const std::size_t i : keyLines(name)) {
    const Line& line = index_->lines[i];
    const Section& in = index_->sections[static_cast<std::size_t>(line.section)];
    const auto k = static_cast<std::size_t>(
        std::find(kBaseSections.begin(), kBaseSections.end(), in.name) - kBaseSections.begin());
    if (in.first && !seen[k]) {
      seen[k] = true;
      values[k] = valueOf(line);
    }
  }
  BaseFigures figures;
  for (std::size_t k = 0; k < figures.member.size(); ++k) {
    figures.member[k] = values[k] && *values[k] != kNoLength;
    if (figures.member[k] && !figures.category) {
      figures.category = kLengthSections[k];
      figures.length = values[k];
    }
  }
  figures.weight = std::move(values[5]);
  figures.axles = std::move(values[6]);
  return figures;
}

std::vector<BaseOccurrence> BaseFile::occurrences(std::string_view name) const {
  std::vector<BaseOccurrence> found;
  std::vector<std::string_view> countedIn;
  for (const std::size_t i : keyLines(name)) {
    const Line& line = index_->lines[i];
    const Section& in = index_->sections[static_cast<std::size_t>(line.section)];
    BaseOccurrence occurrence;
    occurrence.section = in.name;
    occurrence.line = static_cast<int>(i + 1);
    occurrence.value = valueOf(line);
    occurrence.counts =
        in.first && std::find(countedIn.begin(), countedIn.end(), in.name) == countedIn.end();
    if (occurrence.counts) {
      countedIn.push_back(in.name);
    }
    found.push_back(std::move(occurrence));
  }
  return found;
}

std::vector<std::string_view> BaseFile::names() const {
  std::vector<std::string_view> names;
  names.reserve(index_->keyOrder.size());
  for (const std::int32_t line : index_->keyOrder) {
    names.push_back(nameOf(index_->lines[static_cast<std::size_t>(line)]));
  }
  return names;
}

std::string BaseFile::encoded(std::string_view cp1251) const {
  const Encoding encoding = index_->encoding;
  if (encoding == Encoding::Cp1251) {
    return std::string(cp1251);
  }
  const std::string utf8 = cp1251ToUtf8(cp1251);
  if (encoding == Encoding::Utf8) {
    return utf8;
  }
  std::string utf16;
  utf16.reserve(2 * cp1251.size());
  std::size_t i = 0;
  char32_t cp = 0;
  while (i < utf8.size() && decodeUtf8(utf8, i, cp)) {
    // Windows-1251 lies in the Basic Multilingual Plane: one unit per character.
    const auto high = static_cast<char>(cp >> 8);
    const auto low = static_cast<char>(cp & 0xFF);
    if (encoding == Encoding::Utf16Le) {
      utf16 += {low, high};
    } else {
      utf16 += {high, low};
    }
  }
  return utf16;
}

std::string BaseFile::lineEnding(std::size_t line) const {
  const std::vector<Line>& lines = index_->lines;
  if (lines[line].breakBytes > 0) {
    return bytes_.substr(lines[line].end, lines[line].breakBytes);
  }
  // The last line has none: the file's first line ending, from the lines or from what follows
  // them, else CR LF.
  for (const Line& other : lines) {
    if (other.breakBytes > 0) {
      return bytes_.substr(other.end, other.breakBytes);
    }
  }
  const std::size_t unit = index_->unit;
  for (std::size_t at = index_->linesEnd; at < index_->bodyEnd; at += unit) {
    if (unitAt(at) == '\n') {
      return bytes_.substr(at, unit);
    }
    if (unitAt(at) == '\r') {
      const bool crLf = at + unit < index_->bodyEnd && unitAt(at + unit) == '\n';
      return bytes_.substr(at, (crLf ? 2 : 1) * unit);
    }
  }
  return encoded(kDefaultLineEnding);
}

void BaseFile::writeValue(std::string_view section, std::string_view name, std::string_view value,
                          std::vector<Splice>& splices) const {
  const std::vector<Line>& lines = index_->lines;
  const std::size_t unit = index_->unit;
  const std::vector<std::size_t> found = keyLines(name, section);
  if (!found.empty()) {
    // The value of the first occurrence, inside its quotation marks if it has them; a key
    // without "=" gets one after it.
    const Line& line = lines[found.front()];
    std::size_t at = line.begin;
    while (at < line.end && unitAt(at) != '=') {
      at += unit;
    }
    std::size_t end = line.end;
    while (end > at && isBlankUnit(unitAt(end - unit))) {
      end -= unit;
    }
    if (at == line.end) {
      splices.push_back({end, end, encoded("=" + std::string(value))});
      return;
    }
    std::size_t begin = at + unit;
    while (begin < end && isBlankUnit(unitAt(begin))) {
      begin += unit;
    }
    if (end - begin >= 2 * unit && (unitAt(begin) == '"' || unitAt(begin) == '\'') &&
        unitAt(end - unit) == unitAt(begin)) {
      begin += unit;
      end -= unit;
    }
    splices.push_back({begin, end, encoded(value)});
    return;
  }
  const std::string entry = std::string(ProfileData::askedName(name)) + "=" + std::string(value);
  if (const Section* in = firstSection(section)) {
    // After the last entry of the section; its blank lines and comments stay below the new line.
    std::size_t after = in->header;
    for (std::size_t i = in->header + 1; i <= in->last; ++i) {
      if (lines[i].kind == ProfileLine::Kind::Key && !lines[i].comment) {
        after = i;
      }
    }
    splices.push_back({lines[after].end, lines[after].end, lineEnding(after) + encoded(entry)});
    return;
  }
  // A new section at the end of the lines, before the line breaks and Ctrl-Z that end the file.
  const std::size_t linesEnd = index_->linesEnd;
  const std::string ending = lineEnding(lines.size() - 1);
  const std::string header = encoded("[" + std::string(section) + "]");
  if (linesEnd == index_->markLength) {
    // Nothing but those: the section is the first text of the file.
    splices.push_back(
        {linesEnd, linesEnd,
         header + ending + encoded(entry) + (linesEnd == index_->bodyEnd ? ending : "")});
    return;
  }
  splices.push_back({linesEnd, linesEnd, ending + header + ending + encoded(entry)});
}

void BaseFile::removeLines(std::vector<std::size_t> lines, std::vector<Splice>& splices) const {
  const std::vector<Line>& all = index_->lines;
  std::sort(lines.begin(), lines.end());
  for (std::size_t i = 0; i < lines.size();) {
    // A run of neighbouring lines goes as one: with their line endings, or, when the run ends the
    // lines, with the line ending before it, so what ends the file stays.
    std::size_t last = i;
    while (last + 1 < lines.size() && lines[last + 1] == lines[last] + 1) {
      ++last;
    }
    const Line& first = all[lines[i]];
    const Line& end = all[lines[last]];
    if (end.breakBytes > 0) {
      splices.push_back({first.begin, std::size_t{end.end} + end.breakBytes, {}});
    } else {
      // A key line always has its section's header above it.
      splices.push_back({all[lines[i] - 1].end, end.end, {}});
    }
    i = last + 1;
  }
}

BaseEdit BaseFile::apply(std::vector<Splice> splices, std::string_view name,
                         const std::function<bool(const BaseFile& edited)>& readsBack,
                         BaseEdit edit) {
  std::sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) {
    return std::pair(a.begin, a.end) < std::pair(b.begin, b.end);
  });
  std::string bytes;
  std::size_t size = bytes_.size();
  for (const Splice& splice : splices) {
    size += splice.bytes.size();
  }
  bytes.reserve(size);
  std::size_t from = 0;
  for (const Splice& splice : splices) {
    bytes.append(bytes_, from, splice.begin - from).append(splice.bytes);
    from = splice.end;
  }
  bytes.append(bytes_, from, std::string::npos);

  BaseFile edited(std::move(bytes));
  edited.onDisk_ = onDisk_;
  // The other lines keep their bytes; they read the same only in the same encoding.
  if (edited.encoding() != encoding() || edited.markLength() != markLength() ||
      !readsBack(edited)) {
    static const std::string unreadable = cp1251Text(
        " нельзя так записать в base.ini: в кодировке этого файла запись прочиталась бы иначе");
    return {false, true, {}, quoted(ProfileData::askedName(name)) + unreadable};
  }
  *this = std::move(edited);
  edit.changed = true;
  return edit;
}

BaseEdit BaseFile::setLengthText(std::string_view name, const std::string& text,
                                 LengthSection section, std::string note) {
  std::vector<Splice> splices;
  const BaseFigures now = figures(name);
  if (now.category != section) {
    // The length moves: it leaves every other length section where the name counts (all its
    // lines there, so that no later duplicate takes over).
    std::vector<std::size_t> leaving;
    for (const LengthSection other : kLengthSections) {
      if (other != section && now.member[static_cast<std::size_t>(other)]) {
        const std::vector<std::size_t> lines = keyLines(name, sectionName(other));
        leaving.insert(leaving.end(), lines.begin(), lines.end());
      }
    }
    removeLines(std::move(leaving), splices);
  }
  writeValue(sectionName(section), name, text, splices);
  return apply(std::move(splices), name,
               [&](const BaseFile& edited) {
                 const BaseFigures after = edited.figures(name);
                 return after.category == section && after.length == text;
               },
               {false, false, text, std::move(note)});
}

BaseEdit BaseFile::setLength(std::string_view name, std::string_view typed, LengthSection section) {
  if (std::optional<std::string> problem = baseNameProblem(name)) {
    return {false, true, {}, std::move(*problem)};
  }
  CheckedFigure checked = checkLength(typed);
  if (!checked.text) {
    return {false, true, {}, std::move(checked.message)};
  }
  const BaseFigures now = figures(name);
  if (now.category == section && now.length == checked.text) {
    return {false, false, *checked.text, std::move(checked.message)};
  }
  return setLengthText(name, *checked.text, section, std::move(checked.message));
}

BaseEdit BaseFile::setCategory(std::string_view name, LengthSection section) {
  static const std::string noLength =
      cp1251Text(": в базе нет длины, её категорию не сменить. Сначала введите длину");
  if (std::optional<std::string> problem = baseNameProblem(name)) {
    return {false, true, {}, std::move(*problem)};
  }
  const BaseFigures now = figures(name);
  const std::optional<std::string>& length = now.length;
  if (!length) {
    return {false, true, {}, quoted(ProfileData::askedName(name)) + noLength};
  }
  if (now.category == section) {
    return {false, false, *length, {}};
  }
  return setLengthText(name, *length, section, {});
}

BaseEdit BaseFile::setFigure(std::string_view name, CheckedFigure checked,
                             std::string_view section) {
  if (std::optional<std::string> problem = baseNameProblem(name)) {
    return {false, true, {}, std::move(*problem)};
  }
  if (!checked.text) {
    return {false, true, {}, std::move(checked.message)};
  }
  const std::string text = *checked.text;
  const auto known = [&](const BaseFile& file) {
    const BaseFigures figures = file.figures(name);
    return section == sections::kWeights ? figures.weight : figures.axles;
  };
  if (known(*this) == text) {
    return {false, false, text, std::move(checked.message)};
  }
  std::vector<Splice> splices;
  writeValue(section, name, text, splices);
  return apply(std::move(splices), name,
               [&](const BaseFile& edited) { return known(edited) == text; },
               {false, false, text, std::move(checked.message)});
}

BaseEdit BaseFile::setWeight(std::string_view name, std::string_view typed) {
  return setFigure(name, checkWeight(typed), sections::kWeights);
}

BaseEdit BaseFile::setAxles(std::string_view name, std::string_view typed) {
  return setFigure(name, checkAxles(typed), sections::kAxles);
}

}  // namespace rakewright
