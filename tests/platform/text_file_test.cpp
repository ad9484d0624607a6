#include "platform/text_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/file_error.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;
using Lines = std::vector<std::string>;

TEST(TextFile, CatalogueLineRules) {
  EXPECT_EQ(splitCatalogueLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(splitCatalogueLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitCatalogueLines("a\n\nb\n\n"), (Lines{"a", "", "b", ""}));
  // A lone CR is dropped and does not end the line.
  EXPECT_EQ(splitCatalogueLines("a\rb\r\nc\r"), (Lines{"ab", "c"}));
  // Ctrl-Z ends the text.
  EXPECT_EQ(splitCatalogueLines("a\r\nb\x1A\r\nc\r\n"), (Lines{"a", "b"}));
  EXPECT_TRUE(splitCatalogueLines("").empty());
  EXPECT_EQ(splitCatalogueLines(std::string(100000, 'x') + "\tmore\n")[0].size(), 100005u);
}

TEST(TextFile, WholeTextLineRules) {
  EXPECT_EQ(splitTextLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitTextLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(splitTextLines("a\n\nb\r\n\r\n"), (Lines{"a", "", "b", ""}));
  EXPECT_TRUE(splitTextLines("").empty());
  EXPECT_EQ(joinCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(TextFile, ReadsThroughCaseFreePaths) {
  TempFolder root;
  root.write("Data/Traffic/TRAFFIC.REF", "x\r\n");
  EXPECT_EQ(readWholeFile(root.path(), "data\\traffic\\traffic.ref"), "x\r\n");
}

TEST(TextFile, ReportsPlatformErrors) {
  TempFolder root;
  root.mkdir("data/folder");
  const auto codeOf = [&](std::string_view path) {
    try {
      readWholeFile(root.path(), path);
    } catch (const FileError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(codeOf("data/missing.ref"), "File not found");
  EXPECT_EQ(codeOf("nodata/missing.ref"), "Invalid filename");
  EXPECT_EQ(codeOf("data/folder"), "File access denied");
  EXPECT_EQ(fileErrorFromErrno(ENOSPC).what(), std::string("Disk full"));
  EXPECT_EQ(fileErrorFromErrno(EMFILE).what(), std::string("Too many open files"));
  EXPECT_EQ(fileErrorFromErrno(EIO).what(), std::string("I/O error 5"));
  EXPECT_EQ(FileError(FileError::kReadBeyondEnd, 0).what(), std::string("Read beyond end of file"));
  EXPECT_EQ(systemReason(ENOENT), "No such file or directory");
}

#ifndef _WIN32
TEST(TextFile, ReplaceKeepsPermissionsAndLeavesNoTemporaryFile) {
  TempFolder root;
  root.write("data/a.con", "old");
  ASSERT_EQ(chmod((root / "data/a.con").c_str(), 0640), 0);
  replaceFile(root.path(), "DATA\\A.CON", "new\r\n");
  EXPECT_EQ(root.read("data/a.con"), "new\r\n");
  struct stat info {};
  ASSERT_EQ(stat((root / "data/a.con").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  replaceFile(root.path(), "data\\\xCD\xEE\xE2\xFB\xE9.con", "x");  // "Новый.con"
  EXPECT_EQ(root.read("data/Новый.con"), "x");
  EXPECT_EQ(root.read("data/a.con"), "new\r\n");
}
#endif  // _WIN32

TEST(TextFile, FailedReplaceKeepsTheOldFile) {
  TempFolder root;
  root.mkdir("data/taken.con");  // a folder where the file should go
  EXPECT_THROW(replaceFile(root.path(), "data/taken.con", "x"), FileError);
  try {
    replaceFile(root.path(), "nodata/x.con", "x");
    FAIL();
  } catch (const FileError& error) {
    EXPECT_STREQ(error.what(), "Invalid filename");
  }
#ifndef _WIN32
  if (geteuid() != 0) {  // permission bits do not stop root
    root.write("ro/keep.con", "keep");
    chmod((root / "ro").c_str(), 0555);
    EXPECT_THROW(replaceFile(root.path(), "ro/keep.con", "lost?"), FileError);
    EXPECT_EQ(root.read("ro/keep.con"), "keep");
  }
#endif
}

}  // namespace
}  // namespace rakewright
