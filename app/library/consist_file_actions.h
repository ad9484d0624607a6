// What the consist library does to the files of "data\consists\": copying and renaming under a
// name typed by the user, by Save's rules (no blank, no "\" or "/", ".con" appended where the name
// does not contain it), never over an existing file (one that differs only in letter case
// included, as the simulator's own file system would take it), and deleting into the system's
// trash after the user confirmed it, refused where there is no trash. Each tells the user through
// UserMessages what went wrong; a character that Windows-1251 cannot hold or a separator in the
// name is an exception for the caller's error box.
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace rakewright {

class UserMessages;

// Copies the file at `fromDiskPath` byte for byte to a new file named as `typed`; the new file's
// disk path, or nullopt when nothing was written.
std::optional<std::string> copyConsistFile(const std::string& dataRoot,
                                           const std::string& fromDiskPath, const QString& typed,
                                           UserMessages& messages);

// Renames the file at `fromDiskPath` to `typed`; the new disk path, or nullopt when nothing was
// renamed.
std::optional<std::string> renameConsistFile(const std::string& dataRoot,
                                             const std::string& fromDiskPath, const QString& typed,
                                             UserMessages& messages);

// Moves the file at `diskPath` into the trash once the user confirms the question naming it as
// `shownName`; true when it went.
bool trashConsistFile(const std::string& diskPath, const QString& shownName,
                      UserMessages& messages);

}  // namespace rakewright
