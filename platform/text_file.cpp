#include "platform/text_file.h"

#include <algorithm>
#include <cerrno>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_file_internal.h"

namespace rakewright {

namespace {

std::string resolveExisting(std::string_view anchor, std::string_view path) {
  const ResolvedPath resolved = resolvePath(anchor, path);
  switch (resolved.status) {
    case ResolvedPath::Status::Found:
      return resolved.diskPath;
    case ResolvedPath::Status::MissingLeaf:
      // A name kept for a device (Windows' "nul") is not found by name, and is no file to read.
      if (entryKind(resolved.diskPath) == EntryKind::Other) {
        throw FileError(FileError::kNotRegularFile, 0);
      }
      throw FileError(FileError::kFileNotFound, ENOENT);
    case ResolvedPath::Status::MissingFolder:
      break;
  }
  throw FileError(FileError::kPathNotFound, ENOENT);
}

}  // namespace

bool isTemporaryName(std::string_view name) {
  if (name.size() != kTemporaryPrefix.size() + kTemporaryRandomLength ||
      !name.starts_with(kTemporaryPrefix)) {
    return false;
  }
  return std::all_of(
      name.begin() + static_cast<std::ptrdiff_t>(kTemporaryPrefix.size()), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
      });
}

std::string readWholeFile(std::string_view anchor, std::string_view path, std::size_t limit) {
  return readDiskFile(resolveExisting(anchor, path), limit);
}

std::vector<std::string> splitCatalogueLines(std::string_view text) {
  std::vector<std::string> lines;
  forEachCatalogueLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

void forEachCatalogueLine(std::string_view text,
                          const std::function<void(std::string_view line)>& visit) {
  text = text.substr(0, text.find('\x1A'));
  std::string withoutCr;  // a line that held a CR before its end, put together without it
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool broken = end != std::string_view::npos;
    if (!broken) {
      end = text.size();
    }
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t cr = line.find('\r');
    if (cr != std::string_view::npos && cr + 1 == line.size()) {
      line.remove_suffix(1);  // CR LF, the usual line end
    } else if (cr != std::string_view::npos) {
      withoutCr.clear();
      for (const char c : line) {
        if (c != '\r') {
          withoutCr.push_back(c);
        }
      }
      line = withoutCr;
    }
    visit(line);
    if (!broken) {
      break;
    }
  }
}

std::vector<std::string> splitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  if (start < text.size()) {
    lines.emplace_back(text.substr(start));
  }
  return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + 2;
  }
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace rakewright
