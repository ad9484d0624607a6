// Reading and writing whole text files by their Windows-1251 paths (resolved like resolvePath()).
// Nothing is converted: files hold Windows-1251 bytes. Every failure is a FileError.
//
// The files come from other programs and people, so a reader never trusts them: it opens without
// blocking, reads only a regular file (after following links), and stops at a size limit of the
// file's kind. A FIFO, a device or a link to one gives FileError "Not a regular file", a file over
// the limit "File too large" (both with systemError 0), so neither can freeze or flood the program.
#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#endif

#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rakewright {

// The most a text file (consist file, catalogue, folder index, rolling-stock base) may hold.
inline constexpr std::size_t kTextFileLimit = std::size_t{64} * 1024 * 1024;
// The most a picture file may hold.
inline constexpr std::size_t kPictureFileLimit = std::size_t{32} * 1024 * 1024;

// The whole content of a file of at most `limit` bytes. A missing file gives FileError 2, a missing
// folder on the way 3. On Windows a file that another program holds for a moment is waited for,
// about two seconds in all.
std::string readWholeFile(std::string_view anchor, std::string_view path,
                          std::size_t limit = kTextFileLimit);

// The whole content of a file named by a disk path, taken as it is (no case-free resolution), with
// the same checks as readWholeFile().
std::string readDiskFile(const std::string& diskPath, std::size_t limit = kTextFileLimit);

// Replaces (or creates) a file: the content goes to a temporary file ".rakewright-XXXXXX" in the
// same folder, which is flushed and put in the place of the old file, so a failed write never
// destroys what was there.
// - On Linux the temporary file gets the old file's permissions and is renamed over it, and the
//   folder is flushed after the rename, so a saved file survives a power cut. While it is written
//   it is locked (flock), so that removeStaleTemporaryFiles() in another running instance leaves
//   it alone.
// - On Windows it is written through the cache and flushed, and ReplaceFileW swaps it in (keeping
//   the old file's attributes and access rights), the old file kept under a temporary name of the
//   same pattern until the new one stands; a new file is renamed into place, never over a file
//   another program made meanwhile. Windows has no call to flush a folder: the rename lasts
//   through a power cut as far as the file system's journal keeps it. There is no lock: while
//   it is written its open handle keeps a cleaner away, and after that its fresh write time.
//   After any failure the target holds the old content or the new one; should neither go back
//   under its name, both stay under their temporary names and nothing is deleted (a cleaner of a
//   later start takes them for leftovers). Another program
//   that holds the file for a moment (a virus scanner, an indexer, a sync client) is waited for,
//   about two seconds in all; one that holds it longer makes the save fail, writing nothing. A
//   name ending in a dot or a blank, which Windows would save under another name, is refused as
//   a name it cannot hold.
// An existing file is never replaced when the user may not write it (FileError for EACCES, as
// writing it in place would fail), when it is not a regular file after following links ("Not a
// regular file") or when it is a folder. Throws FileError.
void replaceFile(std::string_view anchor, std::string_view path, std::string_view content);

// How long a temporary file must have gone unmodified before removeStaleTemporaryFiles() takes it
// for a leftover. A save locks its file only just after creating it; the age covers that moment.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

// Removes from a folder (anchor + path, resolved like every path) the temporary files that a
// replaceFile() killed before its rename left behind (on Windows also an old file kept while a
// killed save swapped in the new one): regular files named exactly ".rakewright-" followed by six
// letters or digits, unmodified for `minimumAge`, and of those only the ones no running save
// holds (locked on Linux, open on Windows). Nothing else is touched: no other name, no folder, no
// symbolic link (nor what it points to), no FIFO, nothing in a subfolder. A missing folder, or one
// that cannot be read, is nothing to do. Returns the number of files removed; never throws a
// FileError.
std::size_t removeStaleTemporaryFiles(std::string_view anchor, std::string_view folder,
                                      std::chrono::seconds minimumAge = kStaleTemporaryAge);

#ifndef _WIN32
// Whether the permission bits of `info` let a process of user `uid`, member of `groups` (its
// effective group included), write the file: the owner by S_IWUSR, else a member of the file's
// group by S_IWGRP, else anyone by S_IWOTH. The superuser, whom the system lets write anything,
// counts as allowed only when at least one write bit is set, so that a file someone made read-only
// is respected even by a program run as root.
bool permitsWrite(const struct stat& info, uid_t uid, std::span<const gid_t> groups);
#endif

// Lines of a catalogue file: a line ends at LF or CR LF; a CR not followed by LF is dropped and
// does not end the line; byte 26 (Ctrl-Z) ends the text; a final line without a line break counts,
// an empty text after the last line break does not. Lines may be of any length.
std::vector<std::string> splitCatalogueLines(std::string_view text);

// The same lines handed one by one to `visit`, without a copy of the text: each view lies in
// `text` unless the line held a CR to drop, and is valid during the call only.
void forEachCatalogueLine(std::string_view text,
                          const std::function<void(std::string_view line)>& visit);

// Lines of a text read whole: CR LF, a lone CR and a lone LF each end a line; a line break at the
// very end does not make an empty last line.
std::vector<std::string> splitTextLines(std::string_view text);

// The lines, each followed by CR LF.
std::string joinCrLf(const std::vector<std::string>& lines);

}  // namespace rakewright
