#include "platform/profile_reader.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;

TEST(ProfileReader, FindsSectionsAndKeysIgnoringCase) {
  const auto data = ProfileData::parse(
      "orphan=1\r\n"
      "[Pass]\r\n"
      "  Cup_Wag = 24.5  \r\n"
      "\xC2\xE0\xE3\xEE\xED=25\n"  // Вагон
      "[\xD1\xCF\xC5\xD6]\r"       // [СПЕЦ]
      "x=7\r\n");
  EXPECT_EQ(data.value("PASS", "cup_wag", "-1"), "24.5");
  EXPECT_EQ(data.value("pass", "\xE2\xE0\xE3\xEE\xED", "-1"), "25");  // вагон
  EXPECT_EQ(data.value("\xF1\xEF\xE5\xF6", "X", "-1"), "7");          // спец
  EXPECT_EQ(data.value("PASS", "orphan", "-1"), "-1");
  EXPECT_EQ(data.value("NONE", "x", "50"), "50");
}

TEST(ProfileReader, ValueRules) {
  const auto data = ProfileData::parse(
      "[S]\n"
      "empty=\n"
      "nokey\n"
      "dq=\"quoted value\"\n"
      "sq='x'\n"
      "mixed=\"x'\n"
      "one=\"\n"
      "inner=a\"b\"\n"
      "eq=a=b\n"
      "tab=\t 5 \t\n"
      "dup=first\n"
      "DUP=second\n");
  EXPECT_EQ(data.value("S", "empty", "def"), "");
  EXPECT_EQ(data.value("S", "nokey", "def"), "def");
  EXPECT_EQ(data.value("S", "dq", ""), "quoted value");
  EXPECT_EQ(data.value("S", "sq", ""), "x");
  EXPECT_EQ(data.value("S", "mixed", ""), "\"x'");
  EXPECT_EQ(data.value("S", "one", ""), "\"");
  EXPECT_EQ(data.value("S", "inner", ""), "a\"b\"");
  EXPECT_EQ(data.value("S", "eq", ""), "a=b");
  EXPECT_EQ(data.value("S", "tab", ""), "5");
  EXPECT_EQ(data.value("S", "dup", ""), "first");
}

TEST(ProfileReader, OnlyTheFirstSectionOfANameIsSearched) {
  const auto data = ProfileData::parse("[A]\nx=1\n[B]\ny=2\n[a]\ny=3\nx=4\n");
  EXPECT_EQ(data.value("A", "x", "-"), "1");
  EXPECT_EQ(data.value("A", "y", "-"), "-");
  EXPECT_EQ(data.value("B", "y", "-"), "2");
}

TEST(ProfileReader, SectionNamesRunToTheLastBracket) {
  const auto data = ProfileData::parse("[ a]b ]\nk=v\n[broken\nk=w\n");
  EXPECT_EQ(data.value("a]b", "k", "-"), "v");
}

TEST(ProfileReader, ValuesAreCutAt2047Characters) {
  const std::string longValue(5000, 'z');
  const auto data = ProfileData::parse("[S]\nk=" + longValue + "\nq=\"" + longValue + "\"\n");
  EXPECT_EQ(data.value("S", "k", ""), std::string(2047, 'z'));
  EXPECT_EQ(data.value("S", "q", ""), std::string(2047, 'z'));
}

TEST(ProfileReader, Utf8WithByteOrderMarkIsConverted) {
  const auto data = ProfileData::parse("\xEF\xBB\xBF[PASS]\r\nВагон=24\r\n");
  EXPECT_EQ(data.value("PASS", "\xC2\xE0\xE3\xEE\xED", "-1"), "24");
}

TEST(ProfileFile, SeesEveryEditAndAMissingFile) {
  TempFolder root;
  ProfileFile file(root.path(), "data\\consists\\base.ini");
  EXPECT_EQ(file.current()->value("S", "k", "def"), "def");

  root.write("Data/Consists/BASE.INI", "[S]\nk=1\n");
  EXPECT_EQ(file.current()->value("S", "k", "def"), "1");
  const auto first = file.current();
  EXPECT_EQ(file.current(), first);  // unchanged file: the parse is reused

  root.write("Data/Consists/BASE.INI", "[S]\nk=22\n");
  EXPECT_EQ(file.current()->value("S", "k", "def"), "22");
  root.write("Data/Consists/BASE.INI", "[S]\nk=33\n");  // same size
  EXPECT_EQ(file.current()->value("S", "k", "def"), "33");

  std::remove((root / "Data/Consists/BASE.INI").c_str());
  EXPECT_EQ(file.current()->value("S", "k", "def"), "def");
  root.write("data/consists/base.ini", "[S]\nk=4\n");
  EXPECT_EQ(file.current()->value("S", "k", "def"), "4");
}

}  // namespace
}  // namespace rakewright
