#include "reference/catalogues.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;

constexpr std::string_view kTraffic = "data/traffic/traffic.ref";
constexpr std::string_view kIndex = "data/traffic/consists.ref";

// The status text for `sum`, `traffic` and `folder`, in Windows-1251.
std::string countText(std::string_view sum, std::string_view traffic, std::string_view folder) {
  std::string text(sum);
  text += " \xEF\xEE\xE5\xE7\xE4\xED\xFB\xF5 \xE5\xE4\xE5\xED\xE8\xF6 ";
  text += "\xE7\xE0\xE3\xF0\xF3\xE6\xE5\xED\xEE. (";
  text.append(traffic).append(" + ").append(folder).append(")");
  return text;
}

Catalogue readCatalogue(const TempFolder& root, std::string_view path) {
  Catalogue catalogue;
  ReadCatalogueFile(root.path(), path, catalogue);
  return catalogue;
}

TEST(CopyUntil, CutsAtTheFirstDelimiterFromTheStart) {
  EXPECT_EQ(CopyUntil("name\tpath\t", '\t', 1), "name");
  EXPECT_EQ(CopyUntil("name", '\t', 1), "name");
  EXPECT_EQ(CopyUntil("\tpath", '\t', 1), "");
  EXPECT_EQ(CopyUntil("", '\t', 1), "");
  EXPECT_EQ(CopyUntil("ab\tcd\tef", '\t', 4), "cd");
  EXPECT_EQ(CopyUntil("ab\tcd", '\t', 3), "");
  EXPECT_EQ(CopyUntil("ab\tcd", '\t', 5), "d");
  EXPECT_EQ(CopyUntil("ab", '\t', 3), "");
  EXPECT_EQ(CopyUntil("ab", '\t', 100), "");
}

TEST(ReadCatalogueFile, EntryLinesGiveTheirFirstColumn) {
  TempFolder root;
  root.write(kTraffic,
             "first\tdata\\a\t1\r\n"
             "\r\n"
             ";comment\tx\r\n"
             " ;spaced\tx\r\n"
             "no_tab\r\n"
             "\tempty_name\r\n"
             "first\r\n"
             "\xC2\xE0\xE3\xEE\xED \xB9"
             "1\tx\r\n"
             "last_without_break");
  Catalogue catalogue = {"kept"};
  ReadCatalogueFile(root.path(), "data\\traffic\\traffic.ref", catalogue);
  EXPECT_EQ(catalogue, (Catalogue{"kept", "first", " ;spaced", "no_tab", "", "first",
                                  "\xC2\xE0\xE3\xEE\xED \xB9"
                                  "1",
                                  "last_without_break"}));
}

TEST(ReadCatalogueFile, LineBreaksCtrlZAndLongLines) {
  TempFolder root;
  root.write("data/traffic/crlf.ref", "a\tx\r\nb\r\n;c\r\nd\tx\r\n");
  root.write("data/traffic/lf.ref", "a\tx\nb\n;c\nd\tx\n");
  EXPECT_EQ(readCatalogue(root, "data\\traffic\\lf.ref"), (Catalogue{"a", "b", "d"}));
  EXPECT_EQ(readCatalogue(root, "data\\traffic\\crlf.ref"), (Catalogue{"a", "b", "d"}));

  // A lone CR is dropped without ending the line; Ctrl-Z ends the file.
  root.write("data/traffic/cr.ref",
             "ab\rc\td\r\ne\r\n\x1A"
             "after\r\n");
  EXPECT_EQ(readCatalogue(root, "data/traffic/cr.ref"), (Catalogue{"abc", "e"}));

  const std::string longName(100000, 'w');
  root.write("data/traffic/long.ref", "short\r\n" + longName + "\t" + longName + "\r\nend\r\n");
  const Catalogue longCatalogue = readCatalogue(root, "data/traffic/long.ref");
  ASSERT_EQ(longCatalogue.size(), 3u);
  EXPECT_EQ(longCatalogue[1], longName);
  EXPECT_EQ(longCatalogue[2], "end");

  root.write("data/traffic/empty.ref", "");
  EXPECT_TRUE(readCatalogue(root, "data/traffic/empty.ref").empty());
}

TEST(ReadCatalogueFile, MissingFileOrFolderIsAFileError) {
  TempFolder root;
  root.mkdir("data/traffic");
  Catalogue catalogue = {"kept"};
  try {
    ReadCatalogueFile(root.path(), "data\\traffic\\traffic.ref", catalogue);
    FAIL() << "no error for a missing file";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), FileError::kFileNotFound);
    EXPECT_STREQ(error.what(), "File not found");
  }
  try {
    ReadCatalogueFile(root.path(), "data\\nowhere\\traffic.ref", catalogue);
    FAIL() << "no error for a missing folder";
  } catch (const FileError& error) {
    EXPECT_EQ(error.code(), FileError::kPathNotFound);
    EXPECT_STREQ(error.what(), "Invalid filename");
  }
  EXPECT_EQ(catalogue, Catalogue{"kept"});
}

TEST(FolderIndex, FreightLineListsFirstModelThenAllTexturesThenAllBitmaps) {
  TempFolder root;
  // Listing order is by upper-cased name: "a.dmd" comes before "B.dmd".
  root.write("data/freight_wags/Gon/B.dmd", "");
  root.write("data/freight_wags/Gon/a.dmd", "");
  root.write("data/freight_wags/Gon/y.tga", "");
  root.write("data/freight_wags/Gon/x.TGA", "");
  root.write("data/freight_wags/Gon/Z2.BMP", "");
  root.write("data/freight_wags/Gon/z.bmp", "");
  root.write("data/freight_wags/Gon/readme.txt", "");
  root.write("data/freight_wags/Gon/dmd", "");
  root.mkdir("data/freight_wags/Gon/old.bmp");  // any kind of entry fits a mask
  root.mkdir("data/freight_wags/Gon/sub");
  root.mkdir("data/freight_wags/Empty");

  const std::string p = "../freight_wags/Gon/";
  EXPECT_EQ(
      folderIndexLines(root.path(), {}),
      (std::vector<std::string>{"Empty\t", "Gon\t" + p + "a.dmd\t" + p + "x.TGA\t" + p + "y.tga\t" +
                                               p + "old.bmp\t" + p + "z.bmp\t" + p + "Z2.BMP\t"}));
}

TEST(FolderIndex, FreightFolderNamedLikeTrafficEntryIsLeftOut) {
  TempFolder root;
  root.mkdir("data/freight_wags/gon_A");
  root.mkdir("data/freight_wags/gon_A2");
  root.mkdir("data/freight_wags/\xD0\x92\xD0\xB0\xD0\xB3");  // "Ваг" on disk, in UTF-8
  root.mkdir("data/freight_wags/hop");
  root.mkdir("data/pass_wags/gon_A");
  const Catalogue traffic = {"GON_a", "\xE2\xE0\xE3", "ho"};  // "ваг"

  EXPECT_EQ(folderIndexLines(root.path(), traffic),
            (std::vector<std::string>{"gon_A2\t", "hop\t", "gon_A-cup\t", "gon_A-plac\t"}));
  // An empty traffic catalogue leaves every freight folder in.
  EXPECT_EQ(folderIndexLines(root.path(), {}).size(), 6u);
}

TEST(FolderIndex, PassengerFolderGivesCupAndPlacLinesAlways) {
  TempFolder root;
  root.write("data/pass_wags/Sk/plac_wagon.bmp", "");
  root.write("data/pass_wags/Sk/cup_wagon_night.bmp", "");
  root.write("data/pass_wags/Sk/cup_wagon.bmp", "");
  root.write("data/pass_wags/Sk/CUP_WAGON.TGA", "");
  root.write("data/pass_wags/Sk/cup_wagon.dmd", "");
  root.write("data/pass_wags/Sk/other.dmd", "");
  root.write("data/pass_wags/Night/cup_wagon_night.bmp", "");
  root.mkdir("data/pass_wags/Bare");

  const std::string sk = "../pass_wags/Sk/";
  EXPECT_EQ(folderIndexLines(root.path(), {}),
            (std::vector<std::string>{
                "Bare-cup\t",
                "Bare-plac\t",
                "Night-cup\t../pass_wags/Night/cup_wagon_night.bmp\t",
                "Night-plac\t",
                "Sk-cup\t" + sk + "cup_wagon.dmd\t" + sk + "CUP_WAGON.TGA\t" + sk +
                    "cup_wagon.bmp\t" + sk + "cup_wagon_night.bmp\t",
                "Sk-plac\t" + sk + "plac_wagon.bmp\t",
            }));
}

TEST(FolderIndex, OnlyFoldersOfTheWagonRootsCount) {
  TempFolder root;
  root.write("data/freight_wags/loose.dmd", "");
  root.write("data/pass_wags/cup_wagon.bmp", "");
  EXPECT_TRUE(folderIndexLines(root.path(), {}).empty());

  TempFolder bare;
  EXPECT_TRUE(folderIndexLines(bare.path(), {}).empty());
}

TEST(FolderIndex, WrittenWithCrLfAndNamesInWindows1251) {
  TempFolder root;
  root.mkdir("data/traffic");
  root.write("data/freight_wags/\xD0\xA6\xD0\xB8\xD1\x81/A.tga", "");  // "Цис" in UTF-8
  // "аб" as raw Windows-1251 bytes, which only Linux can have in a name.
#ifdef _WIN32
  const std::string rawLine;
#else
  root.write("data/freight_wags/\xE0\xE1/b.tga", "");
  const std::string rawLine = "\xE0\xE1\t../freight_wags/\xE0\xE1/b.tga\t\r\n";
#endif
  root.mkdir("data/pass_wags/Pw");
  root.write(kIndex, "old content that is longer than the new one\r\n");

  WriteFolderIndex(root.path(), {"x"});
  EXPECT_EQ(root.read(kIndex), rawLine +
                                   "\xD6\xE8\xF1\t../freight_wags/\xD6\xE8\xF1/A.tga\t\r\n"
                                   "Pw-cup\t\r\n"
                                   "Pw-plac\t\r\n");
}

TEST(BuildCatalogues, ReadsTrafficWritesIndexAndReadsItBack) {
  TempFolder root;
  root.write(kTraffic, "Gon\tx\r\nchme3\r\n;comment\r\n");
  root.mkdir("data/freight_wags/GON");
  root.mkdir("data/freight_wags/;draft");
  root.mkdir("data/freight_wags/Tank");
  root.mkdir("data/Pass_Wags/chme3");  // roots are found ignoring letter case

  Catalogue traffic = {"stale"};
  Catalogue folder = {"stale"};
  buildCatalogues(root.path(), traffic, folder);
  EXPECT_EQ(traffic, (Catalogue{"Gon", "chme3"}));
  // ";draft" is written to the index but is a comment when read back.
  EXPECT_EQ(root.read(kIndex), ";draft\t\r\nTank\t\r\nchme3-cup\t\r\nchme3-plac\t\r\n");
  EXPECT_EQ(folder, (Catalogue{"Tank", "chme3-cup", "chme3-plac"}));
  EXPECT_EQ(catalogueCountMessage(traffic.size(), folder.size()), countText("5", "2", "3"));
}

TEST(BuildCatalogues, MissingWagonRootsGiveAnEmptyIndex) {
  TempFolder root;
  root.write(kTraffic, "a\r\nb\r\nc\r\n");
  root.write(kIndex, "old\t\r\n");
  Catalogue traffic;
  Catalogue folder;
  buildCatalogues(root.path(), traffic, folder);
  EXPECT_EQ(root.read(kIndex), "");
  EXPECT_TRUE(folder.empty());
  EXPECT_EQ(catalogueCountMessage(traffic.size(), folder.size()), countText("3", "3", "0"));
}

TEST(BuildCatalogues, FirstFileErrorEndsTheSequence) {
  {
    // No traffic.ref: nothing read, the index left as it was.
    TempFolder root;
    root.write(kIndex, "old\t\r\n");
    root.mkdir("data/freight_wags/Gon");
    Catalogue traffic;
    Catalogue folder;
    try {
      buildCatalogues(root.path(), traffic, folder);
      FAIL() << "no error for a missing traffic.ref";
    } catch (const FileError& error) {
      EXPECT_EQ(error.code(), FileError::kFileNotFound);
      EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_TRUE(traffic.empty());
    EXPECT_TRUE(folder.empty());
    EXPECT_EQ(root.read(kIndex), "old\t\r\n");
  }
  {
    // No data/traffic folder at all.
    TempFolder root;
    root.mkdir("data/freight_wags/Gon");
    Catalogue traffic;
    Catalogue folder;
    try {
      buildCatalogues(root.path(), traffic, folder);
      FAIL() << "no error for a missing data/traffic";
    } catch (const FileError& error) {
      EXPECT_EQ(error.code(), FileError::kPathNotFound);
      EXPECT_STREQ(error.what(), "Invalid filename");
    }
    EXPECT_FALSE(root.exists("data/traffic"));
  }
  {
    // The index cannot be created: the traffic catalogue stands, the folder catalogue is empty.
    TempFolder root;
    root.write(kTraffic, "a\r\nb\r\n");
    root.mkdir(kIndex);
    root.mkdir("data/freight_wags/Gon");
    Catalogue traffic;
    Catalogue folder;
    EXPECT_THROW(buildCatalogues(root.path(), traffic, folder), FileError);
    EXPECT_EQ(traffic, (Catalogue{"a", "b"}));
    EXPECT_TRUE(folder.empty());
    EXPECT_TRUE(std::filesystem::is_directory(root / kIndex));
  }
}

TEST(CatalogueCountMessage, SumThenBothSizes) {
  EXPECT_EQ(catalogueCountMessage(120, 45), countText("165", "120", "45"));
  EXPECT_EQ(catalogueCountMessage(0, 0), countText("0", "0", "0"));
  EXPECT_EQ(catalogueCountMessage(20000, 4999), countText("24999", "20000", "4999"));
}

}  // namespace
}  // namespace rakewright
