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

// UTF-16 bytes with their byte-order mark, as Notepad saves "Unicode" files.
std::string utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

// One base saved by different editors reads the same; names are asked for in Windows-1251.
TEST(ProfileReader, ReadsTheEncodingsPlayersSaveIn) {
  const std::string wagon = "\xC2\xE0\xE3\xEE\xED";  // Вагон
  const std::string section = "\xD1\xCF\xC5\xD6";    // СПЕЦ
  const std::string mark = "\xB9";                   // №, outside the Cyrillic letters
  for (const std::string& text :
       {"[PASS]\r\nbox=14.5\r\n" + wagon + "=24\r\n[" + section + "]\r\n" + mark + "=7\r\n",
        std::string("[PASS]\r\nbox=14.5\r\nВагон=24\r\n[СПЕЦ]\r\n№=7\r\n"),
        std::string("\xEF\xBB\xBF[PASS]\r\nbox=14.5\r\nВагон=24\r\n[СПЕЦ]\r\n№=7\r\n"),
        utf16(u"[PASS]\r\nbox=14.5\r\nВагон=24\r\n[СПЕЦ]\r\n№=7\r\n", false),
        utf16(u"[PASS]\r\nbox=14.5\r\nВагон=24\r\n[СПЕЦ]\r\n№=7\r\n", true)}) {
    SCOPED_TRACE(::testing::PrintToString(text));
    const auto data = ProfileData::parse(text);
    EXPECT_EQ(data.value("pass", "BOX", "-1"), "14.5");
    EXPECT_EQ(data.value("PASS", wagon, "-1"), "24");
    EXPECT_EQ(data.value("PASS", "\xE2\xE0\xE3\xEE\xED", "-1"), "24");  // вагон
    EXPECT_EQ(data.value(section, mark, "-1"), "7");
  }

  // A UTF-16 file whose last byte lost its partner still reads up to it.
  EXPECT_EQ(ProfileData::parse(utf16(u"[S]\nk=5\n", false) + "\x35").value("S", "k", "-"), "5");

  // Windows-1251 bytes that happen to form valid UTF-8 in one place do not make the file UTF-8 when
  // another place is not: "Рђ" (D0 90) is the UTF-8 form of "Р" only by chance.
  const auto cp1251 = ProfileData::parse("[S]\n\xD0\x90=1\n\xC2\xE0\xE3\xEE\xED=2\n");
  EXPECT_EQ(cp1251.value("S", "\xD0\x90", "-"), "1");
  EXPECT_EQ(cp1251.value("S", "\xC0", "-"), "-");  // А
  EXPECT_EQ(cp1251.value("S", wagon, "-"), "2");
  // A UTF-8 file with one stray Windows-1251 byte is read as Windows-1251 all through, as before.
  const auto mixed = ProfileData::parse("[S]\nВагон=1\n\xC2\xE0\xE3\xEE\xED=2\n");
  EXPECT_EQ(mixed.value("S", wagon, "-"), "2");
  EXPECT_EQ(mixed.value("S", "\xD0\x92\xD0\xB0\xD0\xB3\xD0\xBE\xD0\xBD", "-"), "1");
}

// Characters Windows-1251 cannot hold: a value keeps a '?' that fails where it is added up, a name
// holding one matches nothing and hides nothing.
TEST(ProfileReader, CharactersOutsideWindows1251) {
  for (const std::string& text :
       {utf16(u"[PASS]\nBox\u4E2D=2\nBox\U0001F682=4\nBox?=1\nlen=2\u4E2D5\nemoji=\U0001F682\n"
              u"[S\u4E2D]\nin_bad=6\n[\u4E2D]\nk=8\n[T]\nk=7\n",
              false),
        std::string(
            "[PASS]\nBox中=2\nBox🚂=4\nBox?=1\nlen=2中5\nemoji=🚂\n[S中]\nin_bad=6\n[中]\nk=8\n"
            "[T]\nk=7\n")}) {
    SCOPED_TRACE(::testing::PrintToString(text));
    const auto data = ProfileData::parse(text);
    EXPECT_EQ(data.value("PASS", "Box?", "-1"), "1");  // only the real question mark
    EXPECT_EQ(data.value("PASS", "len", "-1"), "2?5");
    EXPECT_EQ(data.value("PASS", "emoji", "-1"), "?");
    EXPECT_EQ(data.value("S?", "in_bad", "-1"), "-1");
    EXPECT_EQ(data.value("PASS", "in_bad", "-1"), "-1");
    EXPECT_EQ(data.value("?", "k", "-1"), "-1");
    EXPECT_EQ(data.value("T", "k", "-1"), "7");
  }
  // Lone surrogates of a damaged UTF-16 file are such characters too, the last unit included.
  const auto damaged = ProfileData::parse(utf16(u"[S]\nk=1\xD800\nj=\xDC00\nz=\xD83D", false));
  EXPECT_EQ(damaged.value("S", "k", "-"), "1?");
  EXPECT_EQ(damaged.value("S", "j", "-"), "?");
  EXPECT_EQ(damaged.value("S", "z", "-"), "?");
}

// A traffic name written with a blank before its TAB is found; so is a value before a final Ctrl-Z.
TEST(ProfileReader, SpacesAroundNamesAskedForAndAFinalCtrlZ) {
  const auto data = ProfileData::parse("[PASS]\nBox_Red=13.9\n\t=tab\n[WEIGHTS]\nBox_Red=58\x1A");
  EXPECT_EQ(data.value("PASS", "Box_Red ", "-1"), "13.9");
  EXPECT_EQ(data.value("  PASS ", "  Box_Red", "-1"), "13.9");
  EXPECT_EQ(data.value("PASS", "Box_Red\t", "-1"), "-1");  // only spaces are ignored
  EXPECT_EQ(data.value("\tPASS", "\tBox_Red", "-1"), "-1");
  EXPECT_EQ(data.value("PASS", "  ", "-1"), "tab");  // an empty name is a name
  EXPECT_EQ(data.value("WEIGHTS", "Box_Red", "50"), "58");

  EXPECT_EQ(ProfileData::parse("[S]\nk=58 \x1A\x1A\r\n\x1A").value("S", "k", "-"), "58");
  EXPECT_EQ(ProfileData::parse(utf16(u"[S]\r\nk=58\x1A", true)).value("S", "k", "-"), "58");
  EXPECT_EQ(ProfileData::parse("[S]\nk=5\x1A"
                               "8\n")
                .value("S", "k", "-"),
            "5\x1A"
            "8");
  EXPECT_EQ(ProfileData::parse("[S]\nk=\"5\"\x1A").value("S", "k", "-"), "5");
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
