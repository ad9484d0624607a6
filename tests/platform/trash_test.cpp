// Moving files into the trash: on Linux the home trash made on first use with the record any
// desktop restores from, names already in the trash kept, and a file that cannot go staying where
// it was; on Windows what the Recycle Bin is asked, and the refusals of the shell (injected).
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <regex>
#include <string>

#include "platform/trash.h"
#include "platform/trash_calls.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;
using Outcome = TrashResult::Outcome;

#ifndef _WIN32

// Sets an environment variable for the length of a test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

unsigned modeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(HomeTrash, IsMadeOnFirstUseAndRecordsWhereTheFileCameFrom) {
  TempFolder root;
  // A data folder that does not exist yet, below one that does.
  const ScopedEnvironment dataHome("XDG_DATA_HOME", root / "home/share");
  root.mkdir("home");
  const std::string file = "sim/data/consists/Поезд №1 (100%).con";
  root.write(file, "wagons\r\n");

  const std::time_t before = std::time(nullptr);
  const TrashResult result = moveToTrash(root / file);
  const std::time_t after = std::time(nullptr);
  ASSERT_EQ(result.outcome, Outcome::Moved) << result.reason;
  EXPECT_FALSE(root.exists(file));
  for (const char* folder :
       {"home/share", "home/share/Trash", "home/share/Trash/files", "home/share/Trash/info"}) {
    EXPECT_EQ(modeOf(root / folder), 0700u) << folder;
  }
  EXPECT_EQ(root.read("home/share/Trash/files/Поезд №1 (100%).con"), "wagons\r\n");

  // The original path as a URL's path: bytes beyond ASCII, blanks, "%" and "№" encoded.
  const std::string record = root.read("home/share/Trash/info/Поезд №1 (100%).con.trashinfo");
  const std::string encodedName =
      "%D0%9F%D0%BE%D0%B5%D0%B7%D0%B4%20%E2%84%96"
      "1%20(100%25).con";
  const std::regex form("\\[Trash Info\\]\nPath=(.*)\nDeletionDate=(.*)\n");
  std::smatch parts;
  ASSERT_TRUE(std::regex_match(record, parts, form)) << record;
  EXPECT_EQ(parts[1].str(), root / "sim/data/consists/" + encodedName);
  // The local time of the deletion, to the second.
  std::tm date{};
  ASSERT_NE(strptime(parts[2].str().c_str(), "%Y-%m-%dT%H:%M:%S", &date), nullptr) << parts[2];
  date.tm_isdst = -1;
  const std::time_t deleted = std::mktime(&date);
  EXPECT_GE(deleted, before);
  EXPECT_LE(deleted, after);
}

TEST(HomeTrash, NamesAlreadyInTheTrashAreKept) {
  TempFolder root;
  const ScopedEnvironment dataHome("XDG_DATA_HOME", root / "share");
  // A file left in the trash without its record takes no record's name, and is not replaced.
  root.write("share/Trash/files/a.3.con", "left over");
  for (const char* content : {"first", "second", "third"}) {
    root.write("sim/a.con", content);
    ASSERT_EQ(moveToTrash(root / "sim/a.con").outcome, Outcome::Moved) << content;
  }
  EXPECT_EQ(root.read("share/Trash/files/a.con"), "first");
  EXPECT_EQ(root.read("share/Trash/files/a.2.con"), "second");
  EXPECT_EQ(root.read("share/Trash/files/a.3.con"), "left over");
  EXPECT_EQ(root.read("share/Trash/files/a.4.con"), "third");
  EXPECT_TRUE(root.exists("share/Trash/info/a.con.trashinfo"));
  EXPECT_TRUE(root.exists("share/Trash/info/a.2.con.trashinfo"));
  EXPECT_FALSE(root.exists("share/Trash/info/a.3.con.trashinfo"));
  EXPECT_TRUE(root.exists("share/Trash/info/a.4.con.trashinfo"));
}

// Renames nothing, as a file system that refuses the move would.
int failingRename(const char*, const char*) {
  errno = EIO;
  return -1;
}

TEST(HomeTrash, AFileThatCannotGoStaysWhereItWas) {
  TempFolder root;
  root.write("sim/a.con", "wagons");

  {
    // No trash can be made where the data folder is a file (which binds root as well).
    root.write("not a folder", "");
    const ScopedEnvironment dataHome("XDG_DATA_HOME", root / "not a folder");
    const TrashResult result = moveToTrash(root / "sim/a.con");
    EXPECT_EQ(result.outcome, Outcome::NoTrash);
    EXPECT_EQ(result.reason, "Not a directory");
  }

  // The rename fails: the record written before it goes again.
  const ScopedEnvironment dataHome("XDG_DATA_HOME", root / "share");
  const auto rename = trash_calls::renameNoReplace;
  trash_calls::renameNoReplace = &failingRename;
  const TrashResult result = moveToTrash(root / "sim/a.con");
  trash_calls::renameNoReplace = rename;
  EXPECT_EQ(result.outcome, Outcome::NotMoved);
  EXPECT_EQ(result.reason, "Input/output error");
  EXPECT_TRUE(root.exists("share/Trash/info"));
  EXPECT_FALSE(root.exists("share/Trash/info/a.con.trashinfo"));

  EXPECT_EQ(moveToTrash(root / "sim/missing.con").outcome, Outcome::NotMoved);
  EXPECT_EQ(root.read("sim/a.con"), "wagons");
}

#else  // _WIN32

// Stands in for the shell: records what it was asked, and answers as told.
struct FakeShell {
  static inline std::wstring from;
  static inline FILEOP_FLAGS flags = 0;
  static inline UINT function = 0;
  static inline int calls = 0;
  static inline HRESULT recycleBin = S_OK;
  static inline int answer = 0;
  static inline bool aborted = false;
  static inline bool deletes = true;

  static int fileOperation(SHFILEOPSTRUCTW* operation) {
    ++calls;
    function = operation->wFunc;
    flags = operation->fFlags;
    // Up to the list's closing second NUL.
    const wchar_t* end = operation->pFrom;
    while (*end != L'\0' || *(end + 1) != L'\0') {
      ++end;
    }
    from.assign(operation->pFrom, end + 2);
    operation->fAnyOperationsAborted = aborted ? TRUE : FALSE;
    if (answer == 0 && !aborted && deletes) {
      DeleteFileW(operation->pFrom);
    }
    return answer;
  }
  static HRESULT queryRecycleBin(const wchar_t*, SHQUERYRBINFO*) { return recycleBin; }

  FakeShell() {
    calls = 0;
    recycleBin = S_OK;
    answer = 0;
    aborted = false;
    deletes = true;
    trash_calls::fileOperation = &FakeShell::fileOperation;
    trash_calls::queryRecycleBin = &FakeShell::queryRecycleBin;
  }
  ~FakeShell() {
    trash_calls::fileOperation = saved;
    trash_calls::queryRecycleBin = savedQuery;
  }
  FakeShell(const FakeShell&) = delete;
  FakeShell& operator=(const FakeShell&) = delete;

  decltype(trash_calls::fileOperation) saved = trash_calls::fileOperation;
  decltype(trash_calls::queryRecycleBin) savedQuery = trash_calls::queryRecycleBin;
};

std::wstring backslashed(const std::string& path) {
  std::wstring out(path.begin(), path.end());
  for (wchar_t& c : out) {
    if (c == L'/') {
      c = L'\\';
    }
  }
  return out;
}

TEST(RecycleBin, TheShellRecyclesWithoutAskingButNeverDeletesUnasked) {
  TempFolder root;
  root.write("sim/a.con", "wagons");
  const FakeShell shell;
  const TrashResult result = moveToTrash(root / "sim/a.con");
  EXPECT_EQ(result.outcome, Outcome::Moved) << result.reason;
  EXPECT_EQ(FakeShell::function, static_cast<UINT>(FO_DELETE));
  // The plain path the shell takes, closed by two NULs.
  EXPECT_EQ(FakeShell::from, backslashed(root / "sim/a.con") + std::wstring(2, L'\0'));
  EXPECT_EQ(FakeShell::flags,
            FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_WANTNUKEWARNING);
}

TEST(RecycleBin, AFileThatCannotGoStaysWhereItWas) {
  TempFolder root;
  root.write("sim/a.con", "wagons");
  const FakeShell shell;

  // A drive without a Recycle Bin: the shell, which would delete outright, is not asked.
  FakeShell::recycleBin = E_FAIL;
  EXPECT_EQ(moveToTrash(root / "sim/a.con").outcome, Outcome::NoTrash);
  EXPECT_EQ(FakeShell::calls, 0);

  // The shell fails, the user declines its offer to delete outright, or it reports success but
  // leaves the file.
  FakeShell::recycleBin = S_OK;
  FakeShell::answer = ERROR_ACCESS_DENIED;
  const TrashResult denied = moveToTrash(root / "sim/a.con");
  EXPECT_EQ(denied.outcome, Outcome::NotMoved);
  EXPECT_EQ(denied.reason, "Permission denied");
  FakeShell::answer = 0x78;
  EXPECT_EQ(moveToTrash(root / "sim/a.con").reason, "shell error 0x78");
  FakeShell::answer = 0;
  FakeShell::aborted = true;
  EXPECT_EQ(moveToTrash(root / "sim/a.con").outcome, Outcome::NoTrash);
  FakeShell::aborted = false;
  FakeShell::deletes = false;
  EXPECT_EQ(moveToTrash(root / "sim/a.con").outcome, Outcome::NotMoved);
  EXPECT_EQ(FakeShell::calls, 4);
  EXPECT_EQ(root.read("sim/a.con"), "wagons");
}

#endif  // _WIN32

}  // namespace
}  // namespace rakewright
