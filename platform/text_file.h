// Reading and writing whole text files by their Windows-1251 paths (resolved like resolvePath()).
// Nothing is converted: files hold Windows-1251 bytes. Every failure is a FileError.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rakewright {

// The whole content of a file. A missing file gives FileError 2, a missing folder on the way 3.
std::string readWholeFile(std::string_view anchor, std::string_view path);

// The whole content of a file named by a disk path, taken as it is (no case-free resolution).
std::string readDiskFile(const std::string& diskPath);

// Replaces (or creates) a file: the content goes to a temporary file in the same folder, which is
// flushed, given the old file's permissions and renamed over the old file, so a failed write never
// destroys what was there. Returns nothing; throws FileError.
void replaceFile(std::string_view anchor, std::string_view path, std::string_view content);

// Lines of a catalogue file: a line ends at LF or CR LF; a CR not followed by LF is dropped and
// does not end the line; byte 26 (Ctrl-Z) ends the text; a final line without a line break counts,
// an empty text after the last line break does not. Lines may be of any length.
std::vector<std::string> splitCatalogueLines(std::string_view text);

// Lines of a text read whole: CR LF, a lone CR and a lone LF each end a line; a line break at the
// very end does not make an empty last line.
std::vector<std::string> splitTextLines(std::string_view text);

// The lines, each followed by CR LF.
std::string joinCrLf(const std::vector<std::string>& lines);

}  // namespace rakewright
