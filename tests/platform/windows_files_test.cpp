// What Windows has in the place of Linux's FIFOs, links and mode bits: names kept for devices, the
// read-only attribute, files held open by another program, and paths past 260 characters.
#include <gtest/gtest.h>

#include <string>

#include "consist/consist_file.h"
#include "consist/consist_fixture.h"
#include "platform/dir_search.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/hostile_file_support.h"
#include "platform/paths.h"
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
                           "lpt1", "lpt9.txt", "nul .con", "conin$", "CONOUT$.x"}) {
    EXPECT_TRUE(isReservedDeviceName(name)) << name;
  }
  for (const char* name :
       {"null", "nul_", "com0", "com10", "lpt", "console.con", "x.nul", "", "anul", "com1a"}) {
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
    SaveConsist(root.path(), "nul", f.model);
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

TEST(WindowsFiles, AFileHeldOpenByAnotherProgramStaysAsItWas) {
  TempFolder root;
  root.write("data/consists/t.con", "old\r\n");
  {
    // An editor that lets others read the file but not delete or rename it.
    const Handle editor(
        openShared(root / "data/consists/t.con", FILE_SHARE_READ | FILE_SHARE_WRITE));
    ASSERT_TRUE(editor.valid());
    EXPECT_EQ(outcomeOf([&] { replaceFile(root.path(), "data\\consists\\t.con", "new\r\n"); }),
              "File access denied");
    EXPECT_EQ(readWholeFile(root.path(), "data\\consists\\t.con"), "old\r\n");
    const auto listed = findFiles(root.path(), "data\\consists\\*.*");
    EXPECT_EQ(listed.size(), 1u) << listed.front().name;
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

}  // namespace
}  // namespace rakewright
