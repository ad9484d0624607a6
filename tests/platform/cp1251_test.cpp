#include "platform/cp1251.h"

#include <gtest/gtest.h>

namespace rakewright {
namespace {

TEST(Cp1251, EveryByteRoundTripsThroughUtf8) {
  std::string all;
  for (int c = 0; c < 256; ++c) {
    all.push_back(static_cast<char>(c));
  }
  const auto back = utf8ToCp1251(cp1251ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
  // Byte 0x98 is undefined in the code page and still survives.
  EXPECT_EQ(cp1251ToUtf8("\x98"), "\xC2\x98");
}

TEST(Cp1251, ConvertsCyrillicAndPunctuation) {
  EXPECT_EQ(cp1251ToUtf8("\xC2\xE0\xE3\xEE\xED"), "Вагон");
  EXPECT_EQ(cp1251ToUtf8("\xA8\xB8\xB9\x96"), "Ёё№–");
  EXPECT_EQ(utf8ToCp1251("Ёлка №5"), std::optional<std::string>("\xA8\xEB\xEA\xE0 \xB9"
                                                                "5"));
}

TEST(Cp1251, RefusesWhatTheCodePageCannotHold) {
  EXPECT_FALSE(utf8ToCp1251("日本").has_value());
  EXPECT_FALSE(utf8ToCp1251("\xFF\xFE").has_value());      // not UTF-8
  EXPECT_FALSE(utf8ToCp1251("\xC0\xAF").has_value());      // overlong "/"
  EXPECT_FALSE(utf8ToCp1251("\xED\xA0\x80").has_value());  // surrogate
  EXPECT_FALSE(utf8ToCp1251("\xD0").has_value());          // cut short
}

TEST(Cp1251, FoldsLatinAndCyrillicCase) {
  EXPECT_TRUE(equalsIgnoreCase("Preview", "PREVIEW"));
  EXPECT_TRUE(equalsIgnoreCase("\xE2\xE0\xE3\xEE\xED", "\xC2\xC0\xC3\xCE\xCD"));  // вагон ВАГОН
  EXPECT_TRUE(equalsIgnoreCase("\xB8\xB3\xBF", "\xA8\xB2\xAF"));                  // ёії ЁІЇ
  EXPECT_FALSE(equalsIgnoreCase("\xE5", "\xB8"));                                 // е is not ё
  EXPECT_FALSE(equalsIgnoreCase("ab", "abc"));
  EXPECT_EQ(cp1251UpperCase("gon_12\xFF"), "GON_12\xDF");
  EXPECT_EQ(cp1251Lower('\xC0'), '\xE0');
}

TEST(Cp1251, AsciiLowerCaseLeavesCyrillicAlone) {
  EXPECT_EQ(asciiLowerCase("TANK_\xC2\xE0"), "tank_\xC2\xE0");
}

TEST(Cp1251, DiskNamesAreUtf8AndRawBytesAreKept) {
  EXPECT_EQ(nameToDisk("\xC2\xE0\xE3\xEE\xED"), "Вагон");
  EXPECT_EQ(nameFromDisk("Вагон"), "\xC2\xE0\xE3\xEE\xED");
  // A name that is not UTF-8 is taken as Windows-1251 bytes.
  EXPECT_EQ(nameFromDisk("\xC2\xE0\xE3"), "\xC2\xE0\xE3");
}

}  // namespace
}  // namespace rakewright
