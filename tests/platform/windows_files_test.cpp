// What Windows has in the place of Linux's FIFOs, links and mode bits: names kept for devices, the
// read-only attribute, files held open by another program, paths past 260 characters, short names
// and Cyrillic names; and every outcome of ReplaceFileW and MoveFileExW, played through injected
// calls, judged by which bytes stand under which name afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "consist/consist_file.h"
#include "consist/consist_fixture.h"
#include "consist/consist_folder_check.h"
#include "platform/cp1251.h"
#include "platform/dir_search.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/hostile_file_support.h"
#include "platform/paths.h"
#include "platform/profile_reader.h"
#include "platform/text_file.h"
#include "platform/win32.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::outcomeOf;
using testing::TempFolder;

HANDLE openShared(const std::string& diskPath, DWORD share) {
  return CreateFileW(win32Path(diskPath).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Another program that opens a file without sharing it and holds it for `hold`; the returned
// future is ready once the file is held.
std::future<void> holdFor(const std::string& diskPath, std::chrono::milliseconds hold,
                          std::thread& holder) {
  auto held = std::make_shared<std::promise<void>>();
  std::future<void> ready = held->get_future();
  holder = std::thread([diskPath, hold, held] {
    const Handle file(openShared(diskPath, 0));
    held->set_value();
    std::this_thread::sleep_for(hold);
  });
  return ready;
}

// The content of every file of a folder, by name.
std::map<std::string, std::string> contentsOf(const TempFolder& root, const std::string& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(testing::fsPath(root / folder))) {
    const std::u8string name = entry.path().filename().u8string();
    const std::string diskName(name.begin(), name.end());
    contents[diskName] = root.read(folder + "/" + diskName);
  }
  return contents;
}

// Puts the real calls back at the end of a test that replaced them.
struct InjectedCalls {
  InjectedCalls() : real(win32Calls) {}
  ~InjectedCalls() { win32Calls = real; }
  InjectedCalls(const InjectedCalls&) = delete;
  InjectedCalls& operator=(const InjectedCalls&) = delete;
  const Win32FileCalls real;
};

// Sets a file's write time ten minutes back, as a leftover of a save killed before this start
// would have it.
void backdate(const std::string& diskPath) {
  const Handle file(CreateFileW(win32Path(diskPath).c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file.valid()) << diskPath;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time{};
  time.LowPart = now.dwLowDateTime;
  time.HighPart = now.dwHighDateTime;
  time.QuadPart -= 600ULL * 10'000'000ULL;
  const FILETIME past{time.LowPart, time.HighPart};
  ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &past));
}

TEST(WindowsDevices, ReservedNamesAreKnownInEveryForm) {
  for (const char* name : {"nul", "NUL", "nul.con", "Con.txt", "aux", "prn.x.y", "com1", "COM9.con",
                           "lpt1", "lpt9.txt", "nul .con", "conin$", "CONOUT$.x", "COM\xC2\xB9",
                           "lpt\xC2\xB3.txt", "Com\xC2\xB2 .con"}) {
    EXPECT_TRUE(isReservedDeviceName(name)) << name;
  }
  for (const char* name : {"null", "nul_", "com0", "com10", "lpt", "console.con", "x.nul", "",
                           "anul", "com1a", "com\xC2\xB0", "lpt\xC2\xB9x", "com\xC2"}) {
    EXPECT_FALSE(isReservedDeviceName(name)) << name;
  }
  EXPECT_TRUE(namesDevice("C:/sim/data/consists/nul.con"));
  EXPECT_TRUE(namesDevice("data\\COM1\\x.con"));
  EXPECT_TRUE(namesDevice("\\\\.\\pipe\\x"));
  EXPECT_FALSE(namesDevice("C:/sim/data/consists/null.con"));
}

TEST(WindowsDevices, AreNeverReadNorSavedTo) {
  testing::ConsistFixture f;
  const TempFolder& root = f.folder;
  root.mkdir("data/consists");
  for (const char* path : {"data\\consists\\nul", "data\\consists\\NUL.con", "data\\consists\\com1",
                           "data\\consists\\aux .txt"}) {
    EXPECT_EQ(outcomeOf([&] { readWholeFile(root.path(), path); }), "Not a regular file") << path;
    EXPECT_EQ(outcomeOf([&] { replaceFile(root.path(), path, "x"); }), "Not a regular file")
        << path;
  }
  // "nul" typed as the consist's name cannot swallow the save.
  f.model.add("A", "25", "50");
  try {
    saveConsist(root.path(), "nul", f.model);
    ADD_FAILURE() << "saved to a device";
  } catch (const FileError& error) {
    EXPECT_STREQ(error.what(),
                 "Cannot create file \"data\\consists\\nul.con\". Not a regular file");
  }
  EXPECT_TRUE(listConsistFiles(root.path()).empty());
  EXPECT_TRUE(findFiles(root.path(), "data\\consists\\*.*").empty());
}

TEST(WindowsFiles, TheReadOnlyAttributeProtectsAFile) {
  TempFolder root;
  root.write("data/keep.con", "1\tA\t25\r\n");
  const std::wstring path = win32Path(root / "data/keep.con");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    replaceFile(root.path(), "data\\keep.con", "lost?");
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), FileError::kAccessDenied);
    EXPECT_EQ(error.systemError(), EACCES);
  }
  EXPECT_EQ(root.read("data/keep.con"), "1\tA\t25\r\n");
  EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(findFiles(root.path(), "data\\*.*").size(), 1u);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsFiles, AFileHeldForAMomentIsWaitedFor) {
  TempFolder root;
  root.write("data/consists/t.con", "old\r\n");
  std::thread holder;
  // A virus scanner that opens the file just saved, unshared, for 300 ms.
  holdFor(root / "data/consists/t.con", std::chrono::milliseconds(300), holder).wait();
  EXPECT_EQ(readWholeFile(root.path(), "data\\consists\\t.con"), "old\r\n");
  holder.join();
  holdFor(root / "data/consists/t.con", std::chrono::milliseconds(300), holder).wait();
  replaceFile(root.path(), "data\\consists\\t.con", "new\r\n");
  holder.join();
  EXPECT_EQ(contentsOf(root, "data/consists"),
            (std::map<std::string, std::string>{{"t.con", "new\r\n"}}));
}

TEST(WindowsFiles, AFileHeldOpenByAnotherProgramStaysAsItWas) {
  testing::ConsistFixture f;
  const TempFolder& root = f.folder;
  root.write("data/consists/t.con", "old\r\n");
  f.model.add("A", "25", "50");
  {
    // An editor that lets others read the file but not delete or rename it, for longer than a
    // save waits: refused with Windows' own reason, nothing written.
    const Handle editor(
        openShared(root / "data/consists/t.con", FILE_SHARE_READ | FILE_SHARE_WRITE));
    ASSERT_TRUE(editor.valid());
    try {
      saveConsist(root.path(), "t", f.model);
      ADD_FAILURE() << "saved over a file held open";
    } catch (const FileError& error) {
      EXPECT_EQ(error.code(), FileError::kAccessDenied);
      EXPECT_EQ(std::string(error.what()), "Cannot create file \"data\\consists\\t.con\". " +
                                               windowsReason(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(contentsOf(root, "data/consists"),
              (std::map<std::string, std::string>{{"t.con", "old\r\n"}}));
  }
  replaceFile(root.path(), "data\\consists\\t.con", "new\r\n");
  EXPECT_EQ(root.read("data/consists/t.con"), "new\r\n");

  // A leftover that some program holds open is no leftover yet.
  const std::string leftover = root / "data/consists/.rakewright-Ab3xY9";
  root.write("data/consists/.rakewright-Ab3xY9", "half");
  backdate(leftover);
  {
    const Handle reader(
        openShared(leftover, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
    ASSERT_TRUE(reader.valid());
    EXPECT_EQ(removeStaleTemporaryFiles(root.path(), "data\\consists"), 0u);
    EXPECT_TRUE(root.exists("data/consists/.rakewright-Ab3xY9"));
  }
  EXPECT_EQ(removeStaleTemporaryFiles(root.path(), "DATA\\CONSISTS"), 1u);
  EXPECT_FALSE(root.exists("data/consists/.rakewright-Ab3xY9"));
  EXPECT_EQ(root.read("data/consists/t.con"), "new\r\n");
}

TEST(WindowsPaths, LongDriveAndUncPaths) {
  EXPECT_EQ(win32Path("C:/sim/data/../data/consists/t.con"),
            L"\\\\?\\C:\\sim\\data\\consists\\t.con");
  EXPECT_EQ(win32Path("\\\\server\\share\\sim\\data"), L"\\\\?\\UNC\\server\\share\\sim\\data");
  EXPECT_EQ(win32Path("//server/share/sim/"), L"\\\\?\\UNC\\server\\share\\sim\\");
  EXPECT_EQ(rootLength("C:\\sim"), 3u);
  EXPECT_EQ(rootLength("c:/sim"), 3u);
  EXPECT_EQ(rootLength("\\\\server\\share\\sim"), 15u);
  EXPECT_EQ(rootLength("\\sim"), 1u);
  EXPECT_EQ(rootLength("data\\consists"), 0u);

  // Well past 260 characters, below a folder given as C:\...
  TempFolder root;
  std::string deep = "data";
  for (int i = 0; i < 12; ++i) {
    deep += "\\" + std::string(30, static_cast<char>('a' + i));
  }
  std::string anchor = root.path();
  for (char& c : anchor) {
    c = c == '/' ? '\\' : c;
  }
  ASSERT_TRUE(CreateDirectoryW(win32Path(anchor + "data").c_str(), nullptr));
  std::string made = anchor + "data";
  for (const std::string& part : splitPath(deep.substr(5))) {
    made += "\\" + part;
    ASSERT_TRUE(CreateDirectoryW(win32Path(made).c_str(), nullptr)) << made;
  }
  const std::string file = deep + "\\\xCF\xEE\xE5\xE7\xE4.con";  // "Поезд.con"
  ASSERT_GT(anchor.size() + file.size(), 400u);
  replaceFile(anchor, file, "1\tA\t25\r\n");
  replaceFile(anchor, file, "1\tB\t25\r\n");
  EXPECT_EQ(readWholeFile(anchor, file), "1\tB\t25\r\n");
  const auto listed = findFiles(anchor, deep + "\\*.con");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "\xCF\xEE\xE5\xE7\xE4.con");
  EXPECT_EQ(resolvePath("C:\\nonexistent", anchor + file).status, ResolvedPath::Status::Found);
}

TEST(WindowsPaths, NamesConvertWithoutTheAnsiCodePage) {
  EXPECT_EQ(widen("\xD0\x9F\xD0\xBE\xD0\xB5\xD0\xB7\xD0\xB4"), L"\x041F\x043E\x0435\x0437\x0434");
  EXPECT_EQ(narrow(L"\x041F\x043E\x0435\x0437\x0434"), "\xD0\x9F\xD0\xBE\xD0\xB5\xD0\xB7\xD0\xB4");
  EXPECT_EQ(widen("\xF0\x9F\x9A\x82"), L"\xD83D\xDE82");  // outside the basic plane
  EXPECT_EQ(narrow(L"\xD83D\xDE82"), "\xF0\x9F\x9A\x82");
  // A lone surrogate, which NTFS allows in a name, survives the round trip.
  EXPECT_EQ(widen(narrow(std::wstring(1, L'\xD800'))), std::wstring(1, L'\xD800'));
  EXPECT_EQ(widen("a\xFF"
                  "b"),
            L"a\xFFFD"
            L"b");
  EXPECT_EQ(widen("\xE2\x82"), L"\xFFFD\xFFFD");  // cut short
}

// ReplaceFileW and MoveFileExW as a test plays them: the first `failures` calls fail with `error`,
// having done `effect` to the files first (what Windows documents for that error); later calls
// are the real ones. The waits are counted, not waited.
enum class Effect { None, OldToBackup, OldCopiedToBackup, OldRemoved, TheirsMade };
struct Play {
  const char* name;
  bool oldExists = true;
  DWORD replaceError = 0;
  Effect replaceEffect = Effect::None;
  int replaceFailures = 0;
  DWORD moveError = 0;  // for moves of the new content
  Effect moveEffect = Effect::None;
  int moveFailures = 0;
  bool backupMoveFails = false;  // moves of the old content back under its name
  // Afterwards: the target's content ("" for none), the contents of the temporary names left.
  const char* target = "";
  std::vector<std::string> leftovers = {};
  bool fails = false;
};

struct Played {
  const Play* play = nullptr;
  Win32FileCalls real;
  int replaces = 0;
  int moves = 0;
  DWORD slept = 0;
  std::wstring backup;
} played;

void startPlaying(const Play* play, const Win32FileCalls& real) {
  played = Played{};
  played.play = play;
  played.real = real;
}

void applyEffect(Effect effect, LPCWSTR target) {
  switch (effect) {
    case Effect::None:
      break;
    case Effect::OldToBackup:
      played.real.moveFile(target, played.backup.c_str(), 0);
      break;
    case Effect::OldCopiedToBackup:
      CopyFileW(target, played.backup.c_str(), FALSE);
      break;
    case Effect::OldRemoved:
      DeleteFileW(target);
      break;
    case Effect::TheirsMade: {
      const Handle theirs(CreateFileW(target, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
      DWORD written = 0;
      WriteFile(theirs.get(), "theirs", 6, &written, nullptr);
      break;
    }
  }
}

BOOL WINAPI playedReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                          LPVOID exclude, LPVOID reserved) {
  played.backup = backup != nullptr ? backup : L"";
  if (played.replaces++ >= played.play->replaceFailures) {
    return played.real.replaceFile(replaced, replacement, backup, flags, exclude, reserved);
  }
  applyEffect(played.play->replaceEffect, replaced);
  SetLastError(played.play->replaceError);
  return FALSE;
}

BOOL WINAPI playedMove(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (!played.backup.empty() && played.backup == from) {
    if (played.play->backupMoveFails) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
  } else if (played.moves++ < played.play->moveFailures) {
    applyEffect(played.play->moveEffect, to);
    SetLastError(played.play->moveError);
    return FALSE;
  }
  return played.real.moveFile(from, to, flags);
}

void WINAPI playedSleep(DWORD milliseconds) {
  played.slept += milliseconds;
}

TEST(WindowsReplace, EveryOutcomeLeavesTheOldOrTheNewContentUnderTheName) {
  constexpr int kAlways = 1'000'000;
  const std::vector<Play> plays = {
      {.name = "replaced", .target = "new"},
      // Both files keep their names: tried again for about two seconds.
      {.name = "replaced file held (1175), for a moment",
       .replaceError = 1175,
       .replaceFailures = 3,
       .target = "new"},
      {.name = "replaced file held (1175)",
       .replaceError = 1175,
       .replaceFailures = kAlways,
       .target = "old",
       .fails = true},
      {.name = "replacement not renamed (1176), for a moment",
       .replaceError = 1176,
       .replaceFailures = 3,
       .target = "new"},
      {.name = "replacement not renamed (1176)",
       .replaceError = 1176,
       .replaceFailures = kAlways,
       .target = "old",
       .fails = true},
      {.name = "replacement not renamed (1176), old file copied to the backup name",
       .replaceError = 1176,
       .replaceEffect = Effect::OldCopiedToBackup,
       .replaceFailures = kAlways,
       .target = "old",
       .fails = true},
      // What 1176 leaves where no backup name is taken: the old file gone.
      {.name = "replacement not renamed (1176), old file gone",
       .replaceError = 1176,
       .replaceEffect = Effect::OldRemoved,
       .replaceFailures = 1,
       .target = "new"},
      {.name = "sharing violation",
       .replaceError = ERROR_SHARING_VIOLATION,
       .replaceFailures = kAlways,
       .target = "old",
       .fails = true},
      {.name = "lock violation, for a moment",
       .replaceError = ERROR_LOCK_VIOLATION,
       .replaceFailures = 5,
       .target = "new"},
      {.name = "access denied",
       .replaceError = ERROR_ACCESS_DENIED,
       .replaceFailures = kAlways,
       .target = "old",
       .fails = true},
      {.name = "disk full",
       .replaceError = ERROR_DISK_FULL,
       .replaceFailures = kAlways,
       .target = "old",
       .fails = true},
      // The old file under the backup name, the new one under the temporary name (1177).
      {.name = "old file moved away (1177)",
       .replaceError = 1177,
       .replaceEffect = Effect::OldToBackup,
       .replaceFailures = 1,
       .target = "new"},
      {.name = "old file moved away (1177), new one held for a moment",
       .replaceError = 1177,
       .replaceEffect = Effect::OldToBackup,
       .replaceFailures = 1,
       .moveError = ERROR_SHARING_VIOLATION,
       .moveFailures = 4,
       .target = "new"},
      {.name = "old file moved away (1177), new one not movable",
       .replaceError = 1177,
       .replaceEffect = Effect::OldToBackup,
       .replaceFailures = 1,
       .moveError = ERROR_ACCESS_DENIED,
       .moveFailures = kAlways,
       .target = "old",
       .fails = true},
      // The one state where neither goes back: both contents stay under temporary names.
      {.name = "old file moved away (1177), neither movable",
       .replaceError = 1177,
       .replaceEffect = Effect::OldToBackup,
       .replaceFailures = 1,
       .moveError = ERROR_ACCESS_DENIED,
       .moveFailures = kAlways,
       .backupMoveFails = true,
       .leftovers = {"new", "old"},
       .fails = true},
      {.name = "old file removed by another program",
       .replaceError = ERROR_FILE_NOT_FOUND,
       .replaceEffect = Effect::OldRemoved,
       .replaceFailures = 1,
       .target = "new"},
      // A file system without ReplaceFileW: a rename over the old file.
      {.name = "no ReplaceFileW",
       .replaceError = ERROR_INVALID_FUNCTION,
       .replaceFailures = kAlways,
       .target = "new"},
      {.name = "no ReplaceFileW, rename refused",
       .replaceError = ERROR_INVALID_FUNCTION,
       .replaceFailures = kAlways,
       .moveError = ERROR_ACCESS_DENIED,
       .moveFailures = kAlways,
       .target = "old",
       .fails = true},
      // A new file: renamed into place, never over one another program made meanwhile.
      {.name = "new file", .oldExists = false, .target = "new"},
      {.name = "new file, held for a moment",
       .oldExists = false,
       .moveError = ERROR_SHARING_VIOLATION,
       .moveFailures = 3,
       .target = "new"},
      {.name = "new file, refused",
       .oldExists = false,
       .moveError = ERROR_ACCESS_DENIED,
       .moveFailures = kAlways,
       .fails = true},
      {.name = "new file, another program made one meanwhile",
       .oldExists = false,
       .moveError = ERROR_ALREADY_EXISTS,
       .moveEffect = Effect::TheirsMade,
       .moveFailures = 1,
       .target = "theirs",
       .fails = true},
  };
  for (const Play& play : plays) {
    TempFolder root;
    if (play.oldExists) {
      root.write("data/t.con", "old");
    } else {
      root.mkdir("data");
    }
    bool failed = false;
    {
      const InjectedCalls injected;
      startPlaying(&play, injected.real);
      win32Calls.replaceFile = &playedReplace;
      win32Calls.moveFile = &playedMove;
      win32Calls.sleep = &playedSleep;
      try {
        replaceFile(root.path(), "data\\t.con", "new");
      } catch (const FileError&) {
        failed = true;
      }
    }
    std::map<std::string, std::string> left = contentsOf(root, "data");
    const auto target = left.find("t.con");
    EXPECT_EQ(target == left.end() ? "" : target->second, play.target) << play.name;
    std::vector<std::string> leftovers;
    for (const auto& [name, content] : left) {
      if (name != "t.con") {
        EXPECT_TRUE(name.starts_with(".rakewright-")) << play.name << ": " << name;
        leftovers.push_back(content);
      }
    }
    std::sort(leftovers.begin(), leftovers.end());
    EXPECT_EQ(leftovers, play.leftovers) << play.name;
    EXPECT_EQ(failed, play.fails) << play.name;
  }
}

TEST(WindowsReplace, AHoldIsWaitedForAboutTwoSecondsInAll) {
  TempFolder root;
  root.write("data/t.con", "old");
  const InjectedCalls injected;
  const Play play{
      .name = "held", .replaceError = ERROR_SHARING_VIOLATION, .replaceFailures = 1'000'000};
  startPlaying(&play, injected.real);
  win32Calls.replaceFile = &playedReplace;
  win32Calls.sleep = &playedSleep;
  EXPECT_THROW(replaceFile(root.path(), "data\\t.con", "new"), FileError);
  EXPECT_GE(played.slept, BusyRetry::kTotalWaitMs);
  EXPECT_LE(played.slept, BusyRetry::kTotalWaitMs + 25);
  // Steps of 10 ms growing to 25 ms: about 80 tries.
  EXPECT_GE(played.replaces, 80);
  EXPECT_LE(played.replaces, 100);
}

DWORD failedAttributeRead = 0;
DWORD WINAPI attributesUnreadable(LPCWSTR path) {
  if (std::wstring_view(path).ends_with(L"t.con")) {
    SetLastError(failedAttributeRead);
    return INVALID_FILE_ATTRIBUTES;
  }
  return played.real.getFileAttributes(path);
}

BOOL WINAPI listingBreaksOff(HANDLE search, LPWIN32_FIND_DATAW found) {
  if (!played.real.findNextFile(search, found)) {
    return FALSE;
  }
  SetLastError(ERROR_NETNAME_DELETED);
  return FALSE;
}

TEST(WindowsLookups, FailuresAreNotTakenForAbsenceOrAShortList) {
  TempFolder root;
  root.write("data/t.con", "old");
  root.write("data/u.con", "");
  root.write("data/v.con", "");
  const InjectedCalls injected;
  startPlaying(nullptr, injected.real);
  // An attribute read that fails for another reason than "not found" may hide the file: the save
  // is refused, never made as for a new file over it.
  win32Calls.getFileAttributes = &attributesUnreadable;
  for (const DWORD error : {ERROR_ACCESS_DENIED, ERROR_NETNAME_DELETED}) {
    failedAttributeRead = error;
    EXPECT_THROW(replaceFile(root.path(), "data\\t.con", "new"), FileError) << error;
    EXPECT_EQ(contentsOf(root, "data").at("t.con"), "old");
    EXPECT_EQ(contentsOf(root, "data").size(), 3u);
  }
  win32Calls.getFileAttributes = injected.real.getFileAttributes;
  // A listing that breaks off is no list.
  ASSERT_TRUE(readFolder(root / "data").has_value());
  win32Calls.findNextFile = &listingBreaksOff;
  EXPECT_FALSE(readFolder(root / "data").has_value());
}

TEST(WindowsLookups, OnlyTheLongNameItselfFindsAFile) {
  testing::ConsistFixture f;
  const TempFolder& root = f.folder;
  root.write("data/consists/abcdefghij.con", "mine");
  wchar_t shortPath[MAX_PATH * 4];
  const std::wstring longPath = win32Path(root / "data/consists/abcdefghij.con");
  const DWORD length = GetShortPathNameW(longPath.c_str(), shortPath, MAX_PATH * 4);
  ASSERT_GT(length, 0u);
  const std::wstring_view shortened(shortPath, length);
  const std::string shortName = narrow(shortened.substr(shortened.find_last_of(L'\\') + 1));
  f.model.add("A", "25", "50");
  // Where the file system gives the file a short name of its own, that name finds nothing, and a
  // save under it never overwrites the long one (NTFS refuses to make a file of that name).
  if (shortName != "abcdefghij.con") {
    EXPECT_EQ(resolvePath(root.path(), "data\\consists\\" + shortName).status,
              ResolvedPath::Status::MissingLeaf);
    try {
      saveConsist(root.path(), shortName, f.model);
    } catch (const FileError&) {
    }
    EXPECT_EQ(root.read("data/consists/abcdefghij.con"), "mine");
  }
  // Dots and blanks at the end, which Windows drops: another name, refused as one Windows cannot
  // hold, with the message a name with "?" gets.
  EXPECT_EQ(resolvePath(root.path(), "data\\consists\\abcdefghij.con.").status,
            ResolvedPath::Status::MissingLeaf);
  std::string invalidName;
  try {
    saveConsist(root.path(), "a?b.con", f.model);
  } catch (const FileError& error) {
    invalidName = error.what();
  }
  EXPECT_EQ(invalidName,
            "Cannot create file \"data\\consists\\a?b.con\". " + windowsReason(ERROR_INVALID_NAME));
  EXPECT_THROW(replaceFile(root.path(), "data\\consists\\abcdefghij.con ", "x"), FileError);
  for (const char* typed : {"abcdefghij.con.", "abcdefghij.con.."}) {
    try {
      saveConsist(root.path(), typed, f.model);
      ADD_FAILURE() << "saved as " << typed;
    } catch (const FileError& error) {
      EXPECT_EQ(error.code(), FileError::kPathNotFound) << typed;
      EXPECT_EQ(std::string(error.what()), "Cannot create file \"data\\consists\\" +
                                               std::string(typed) + "\". " +
                                               windowsReason(ERROR_INVALID_NAME));
    }
    EXPECT_EQ(root.read("data/consists/abcdefghij.con"), "mine");
  }
}

TEST(WindowsLookups, ABaseHeldLongerThanTheWaitsIsSaidSo) {
  testing::ConsistFixture f;
  f.writeBase("[WEIGHTS]\r\nA=60\r\n");
  f.folder.write("data/consists/t.con", "1\tA\t25\r\n");
  f.model.add("B", "25", "50");
  EXPECT_EQ(f.base.open().weight("A"), "60");
  f.writeBase("[WEIGHTS]\r\nA=70\r\n\r\n");
  {
    const InjectedCalls injected;
    startPlaying(nullptr, injected.real);
    win32Calls.sleep = &playedSleep;
    const Handle editor(openShared(f.folder / "data/consists/base.ini", 0));
    // Neither a lookup nor a load takes it for an empty base; the consist stays as it was.
    const std::string said =
        "Cannot open file \"data\\consists\\base.ini\". " + windowsReason(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(outcomeOf([&] { f.base.open(); }), said);
    EXPECT_EQ(outcomeOf([&] { loadConsist(f.folder.path(), "t", f.model); }), said);
    EXPECT_EQ(f.model.lines(), std::vector<std::string>{"1\tB\t25"});
    EXPECT_GE(played.slept, BusyRetry::kTotalWaitMs);
  }
  EXPECT_EQ(f.base.open().weight("A"), "70");
}

TEST(WindowsReasons, AreWindowsOwnTextsOnOneLine) {
  for (const DWORD error : {ERROR_FILE_NOT_FOUND, ERROR_SHARING_VIOLATION, ERROR_NETNAME_DELETED,
                            ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}) {
    const std::string reason = windowsReason(error);
    EXPECT_FALSE(reason.empty()) << error;
    EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
    EXPECT_NE(reason.back(), '.') << reason;
    EXPECT_NE(reason.back(), ' ') << reason;
  }
  // Also where the platform layer knows a failure by its errno alone (no file there).
  EXPECT_EQ(reasonOf(FileError(FileError::kFileNotFound, ENOENT)),
            windowsReason(ERROR_FILE_NOT_FOUND));
  EXPECT_NE(reasonOf(fileErrorFromWin32(ERROR_SHARING_VIOLATION)), "Permission denied");
  EXPECT_NE(reasonOf(fileErrorFromWin32(ERROR_NETNAME_DELETED)), "I/O error 64");
}

TEST(WindowsNames, CyrillicFileInACyrillicFolderIsListedAndChecked) {
  TempFolder parent;
  // "Симулятор" and "Грузовой состав.con" (UTF-8 on disk, Windows-1251 in the program).
  const std::string folder =
      "\xD0\xA1\xD0\xB8\xD0\xBC\xD1\x83\xD0\xBB\xD1\x8F\xD1\x82\xD0\xBE\xD1\x80";
  const std::string file =
      "\xD0\x93\xD1\x80\xD1\x83\xD0\xB7\xD0\xBE\xD0\xB2\xD0\xBE\xD0\xB9 "
      "\xD1\x81\xD0\xBE\xD1\x81\xD1\x82\xD0\xB0\xD0\xB2.con";
  const std::string content = "2\tTank\t12.5\r\n;100\t8\t2\r\n";
  parent.write(folder + "/data/consists/" + file, content);
  parent.write(folder + "/data/consists/base.ini", "[WEIGHTS]\r\nTank=50\r\n");
  const std::string root = parent / (folder + "/");
  EXPECT_EQ(listConsistFiles(root), std::vector<std::string>{nameFromDisk(file)});
  ConsistFolderCheck check(root, root);
  const std::vector<ConsistFileEntry> entries = check.pass();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, nameFromDisk(file));
  EXPECT_EQ(entries[0].check.wagons, 2);
  for (const ConsistProblem& problem : entries[0].check.problems) {
    EXPECT_NE(problem.kind, ConsistProblem::Kind::UnreadableFile) << problem.text;
  }
  EXPECT_EQ(entries[0].size, static_cast<std::int64_t>(content.size()));
  const auto age = std::chrono::system_clock::now() - entries[0].modified;
  EXPECT_LT(std::chrono::abs(age), std::chrono::hours(1));
}

}  // namespace
}  // namespace rakewright
