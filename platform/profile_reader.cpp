#include "platform/profile_reader.h"

#include "platform/cp1251.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/profile_text.h"
#include "platform/text_file.h"

namespace rakewright {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// A name asked for: spaces around it do not count, other blanks do.
std::string_view withoutSpaces(std::string_view name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

// The text without the Ctrl-Z (byte 26) that old editors put at the end of a file, and without the
// blanks and line breaks around it, which end the last line anyway.
std::string_view withoutEndOfFileMark(std::string_view text) {
  const std::size_t last = text.find_last_not_of("\x1A \t\v\f\r\n");
  return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

std::string unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, ProfileData::kMaxValueLength));
}

}  // namespace

std::string_view profileLinesText(const ProfileText& decoded) {
  return withoutEndOfFileMark(decoded.text());
}

void forEachProfileLine(const ProfileText& decoded,
                        const std::function<void(const ProfileLine& line)>& visit) {
  const std::string_view text = profileLinesText(decoded);
  const auto unmatchable = [&](std::string_view name) {
    const auto begin = static_cast<std::size_t>(name.data() - text.data());
    return decoded.holdsUnrepresentable(begin, begin + name.size());
  };
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = trim(text.substr(start, end - start));
    start = end + 1;
    ProfileLine read;
    if (line.empty()) {
      visit(read);
      continue;
    }
    const std::size_t close = line.front() == '[' ? line.rfind(']') : std::string_view::npos;
    if (close != std::string_view::npos && close > 0) {
      read.kind = ProfileLine::Kind::Section;
      read.name = trim(line.substr(1, close - 1));
    } else {
      read.kind = ProfileLine::Kind::Key;
      const std::size_t equals = line.find('=');
      if (equals == std::string_view::npos) {
        read.name = line;
      } else {
        read.name = trim(line.substr(0, equals));
        read.value = trim(line.substr(equals + 1));
      }
    }
    read.unmatchable = unmatchable(read.name);
    visit(read);
  }
}

ProfileData ProfileData::parse(std::string_view bytes) {
  const ProfileText decoded(bytes);
  ProfileData data;
  Section* section = nullptr;  // lines before the first section belong to none
  forEachProfileLine(decoded, [&](const ProfileLine& line) {
    if (line.kind == ProfileLine::Kind::Section) {
      // A name holding a character that Windows-1251 cannot hold is kept out: no name asked for
      // can equal it. Only the first section of a name is ever searched.
      section = nullptr;
      if (!line.unmatchable) {
        const auto [it, inserted] = data.sections_.try_emplace(cp1251UpperCase(line.name));
        section = inserted ? &it->second : nullptr;
      }
      return;
    }
    if (line.kind != ProfileLine::Kind::Key || section == nullptr || line.unmatchable) {
      return;
    }
    if (line.value) {
      section->try_emplace(cp1251UpperCase(line.name), unquoted(*line.value));
    } else {
      section->try_emplace(cp1251UpperCase(line.name), std::nullopt);
    }
  });
  return data;
}

std::string ProfileData::value(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  const auto foundSection = sections_.find(cp1251UpperCase(withoutSpaces(section)));
  if (foundSection == sections_.end()) {
    return std::string(fallback);
  }
  const auto foundKey = foundSection->second.find(cp1251UpperCase(withoutSpaces(key)));
  if (foundKey == foundSection->second.end() || !foundKey->second) {
    return std::string(fallback);
  }
  return *foundKey->second;
}

std::string_view ProfileData::askedName(std::string_view name) {
  return withoutSpaces(name);
}

std::string ProfileData::lookedUpValue(std::string_view value) {
  return unquoted(value);
}

void ProfileData::forEachValue(
    std::string_view section,
    const std::function<void(std::string_view key, std::string_view value)>& visit) const {
  const auto found = sections_.find(cp1251UpperCase(withoutSpaces(section)));
  if (found == sections_.end()) {
    return;
  }
  for (const auto& [key, value] : found->second) {
    if (value) {
      visit(key, *value);
    }
  }
}

ProfileFile::ProfileFile(std::string anchor, std::string path)
    : anchor_(std::move(anchor)),
      path_(std::move(path)),
      data_(std::make_shared<const ProfileData>()) {}

std::shared_ptr<const ProfileData> ProfileFile::current() {
  // The last resolution is tried first: one stat per lookup while the file stays where it was.
  std::optional<FileIdentity> identity = identifyFile(resolvedDiskPath_);
  if (!identity) {
    const ResolvedPath resolved = resolvePath(anchor_, path_);
    resolvedDiskPath_ =
        resolved.status == ResolvedPath::Status::Found ? resolved.diskPath : std::string();
    identity = identifyFile(resolvedDiskPath_);
  }
  if (!identity) {
    identity_.reset();
    data_ = std::make_shared<const ProfileData>();
    return data_;
  }
  if (identity_ && *identity_ == *identity) {
    return data_;
  }
  try {
    data_ = std::make_shared<const ProfileData>(
        ProfileData::parse(readDiskFile(resolvedDiskPath_, kTextFileLimit)));
    identity_ = identity;
  } catch (const FileError& error) {
    // A file another program holds beyond the waits of the read is said so, never taken for an
    // empty base; what was read before stays, and the next look reads again.
    if (heldByAnotherProgram(error)) {
      throw FileError(error.code(), error.systemError(),
                      cannotMessage("open", path_, reasonOf(error)), error.windowsError());
    }
    // An unreadable base reads as a missing one, and so does one the reader refuses (put in the
    // place of the file since the look above, or over the limit): every lookup gives its default.
    identity_.reset();
    data_ = std::make_shared<const ProfileData>();
  }
  return data_;
}

}  // namespace rakewright
