#include "platform/paths.h"

#include <gtest/gtest.h>

#include "platform/dir_search.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;
using Status = ResolvedPath::Status;

std::vector<std::string> names(const std::vector<DirEntry>& entries) {
  std::vector<std::string> out;
  for (const auto& entry : entries) {
    out.push_back(entry.name + (entry.isFolder ? "/" : ""));
  }
  return out;
}

TEST(Paths, SplitAtBothSeparators) {
  EXPECT_EQ(splitPath("data/freight_wags/Box\\*.dmd"),
            (std::vector<std::string>{"data", "freight_wags", "Box", "*.dmd"}));
  EXPECT_EQ(splitPath("data\\\\consists\\.\\x/"),
            (std::vector<std::string>{"data", "consists", "x"}));
}

TEST(Paths, ResolveIgnoringLetterCaseLatinAndCyrillic) {
  TempFolder root;
  root.write("Data/Consists/Preview/Logo.jpg", "x");
  root.write("data2/Вагоны/Ёлка.TXT", "y");

  const auto logo = resolvePath(root.path(), "data\\consists\\preview\\Logo.jpg");
  EXPECT_EQ(logo.status, Status::Found);
  EXPECT_EQ(logo.diskPath, root / "Data/Consists/Preview/Logo.jpg");
  EXPECT_EQ(resolvePath(root.path(), "DATA/consists/PREVIEW/logo.JPG").diskPath, logo.diskPath);

  // Windows-1251 names: "data2\вагоны\ёлка.txt"
  const auto cyrillic =
      resolvePath(root.path(), "data2\\\xE2\xE0\xE3\xEE\xED\xFB\\\xB8\xEB\xEA\xE0.txt");
  EXPECT_EQ(cyrillic.status, Status::Found);
  EXPECT_EQ(cyrillic.diskPath, root / "data2/Вагоны/Ёлка.TXT");
}

// Names that differ only in letter case: NTFS keeps one spelling per name.
#ifndef _WIN32
TEST(Paths, ExactNameWinsOverOtherCase) {
  TempFolder root;
  root.write("dir/Name.txt", "1");
  root.write("dir/name.txt", "2");
  root.write("dir/NAME.txt", "3");
  EXPECT_EQ(resolvePath(root.path(), "dir/name.txt").diskPath, root / "dir/name.txt");
  EXPECT_EQ(resolvePath(root.path(), "dir/Name.txt").diskPath, root / "dir/Name.txt");
  // No exact match: the first in listing order (upper-cased, then exact bytes).
  EXPECT_EQ(resolvePath(root.path(), "dir/nAme.txt").diskPath, root / "dir/NAME.txt");
}
#endif

TEST(Paths, TellMissingFileFromMissingFolder) {
  TempFolder root;
  root.write("data/file", "x");
  const auto leaf = resolvePath(root.path(), "DATA\\new.con");
  EXPECT_EQ(leaf.status, Status::MissingLeaf);
  EXPECT_EQ(leaf.diskPath, root / "data/new.con");
  EXPECT_EQ(resolvePath(root.path(), "nodata\\new.con").status, Status::MissingFolder);
  // A file where a folder is expected is a missing folder.
  EXPECT_EQ(resolvePath(root.path(), "data/file/x").status, Status::MissingFolder);
  // New names are created as UTF-8.
  EXPECT_EQ(resolvePath(root.path(), "data/\xCF\xEE\xE5\xE7\xE4").diskPath, root / "data/Поезд");
}

TEST(Paths, AbsolutePathsIgnoreTheAnchor) {
  TempFolder root;
  root.write("Data/Consists/base.ini", "x");
  const auto found = resolvePath("/nonexistent/anchor", root.path() + "data\\consists\\BASE.INI");
  EXPECT_EQ(found.status, Status::Found);
  EXPECT_EQ(found.diskPath, root / "Data/Consists/base.ini");
}

TEST(Paths, ProgramAndWorkingFoldersEndInSlash) {
#ifdef _WIN32
  EXPECT_EQ(programFolder().back(), '\\');
  EXPECT_EQ(programFolder().substr(1, 2), ":\\");
  EXPECT_EQ(workingFolder().back(), '\\');
#else
  EXPECT_EQ(programFolder().back(), '/');
  EXPECT_EQ(programFolder().front(), '/');
  EXPECT_EQ(workingFolder().back(), '/');
#endif
}

TEST(DirSearch, MasksFitIgnoringCase) {
  EXPECT_TRUE(fitsMask("noext", "*.*"));
  EXPECT_TRUE(fitsMask("A.DMD", "*.dmd"));
  EXPECT_TRUE(fitsMask("x.tar.dmd", "*.dmd"));
  EXPECT_FALSE(fitsMask("x.dmd2", "*.dmd"));
  EXPECT_FALSE(fitsMask("dmd", "*.dmd"));
  EXPECT_TRUE(fitsMask("Cup_Wagon.BMP", "cup_wagon.bmp"));
  EXPECT_FALSE(fitsMask("cup_wagon.bmp.bak", "cup_wagon.bmp"));
  EXPECT_TRUE(fitsMask("\xC2\xE0\xE3.con", "\xE2\xE0\xE3.CON"));
  EXPECT_TRUE(fitsMask("ab", "a?"));
  EXPECT_TRUE(fitsMask("abcbd", "*b*d"));
}

TEST(DirSearch, ListsInStableUpperCaseOrderWithKinds) {
  TempFolder root;
  root.write("w/b.tga", "");
  root.write("w/A.dmd", "");
  root.write("w/a2.DMD", "");
  root.mkdir("w/C_folder");
  root.write("w/_x.bmp", "");
  root.write("w/Вагон.bmp", "");
  EXPECT_EQ(names(findFiles(root.path(), "w\\*.*")),
            (std::vector<std::string>{"A.dmd", "a2.DMD", "b.tga", "C_folder/", "_x.bmp",
                                      "\xC2\xE0\xE3\xEE\xED.bmp"}));
  EXPECT_EQ(names(findFiles(root.path(), "W/*.dmd")),
            (std::vector<std::string>{"A.dmd", "a2.DMD"}));
  EXPECT_EQ(names(findFiles(root.path(), "w/c_FOLDER")), (std::vector<std::string>{"C_folder/"}));
  EXPECT_TRUE(findFiles(root.path(), "missing/*.*").empty());
  EXPECT_TRUE(findFiles(root.path(), "w/*.con").empty());
}

}  // namespace
}  // namespace rakewright
