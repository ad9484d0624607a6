// Moving a file into the desktop's trash, from where the user can restore it: on Linux the trash
// folders of the freedesktop.org trash rules (the home trash, made when it is first needed, or the
// trash at the top of the file's own file system), on Windows the Recycle Bin. The file is never
// deleted outright and never copied: where no trash can take it as it is, it stays where it was.
// trash_posix.cpp and trash_windows.cpp hold the two halves.
#pragma once

#include <string>

namespace rakewright {

struct TrashResult {
  enum class Outcome {
    Moved,     // the file is in the trash
    NoTrash,   // no trash on the file's drive or file system can take it
    NotMoved,  // a trash was at hand, but the file could not be moved into it
  };
  Outcome outcome = Outcome::NotMoved;
  // Why not, in the system's English words ("Permission denied"); empty after Moved.
  std::string reason;
};

// Moves the file (or folder) at `diskPath` into the trash.
TrashResult moveToTrash(const std::string& diskPath);

}  // namespace rakewright
