#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <clocale>

namespace rakewright {
namespace {

TEST(Numbers, FormatsInGeneralFormatWithFifteenDigits) {
  EXPECT_EQ(formatDecimal(25 + 24.5), "49.5");
  EXPECT_EQ(formatDecimal(100), "100");
  EXPECT_EQ(formatDecimal(0.1 + 0.2), "0.3");
  EXPECT_EQ(formatDecimal(-0.0), "0");
  EXPECT_EQ(formatDecimal(-12.25), "-12.25");
  EXPECT_EQ(formatDecimal(0.0001), "0.0001");
  EXPECT_EQ(formatDecimal(0.00001), "1E-5");
  EXPECT_EQ(formatDecimal(4.42615029219009e-5), "4.42615029219009E-5");
  EXPECT_EQ(formatDecimal(1e15), "1E15");
  EXPECT_EQ(formatDecimal(999999999999999), "999999999999999");
  EXPECT_EQ(formatDecimal(9999999999999999), "1E16");
  EXPECT_EQ(formatDecimal(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(formatDecimal(2.0 / 3 * 1000), "666.666666666667");
}

TEST(Numbers, ParsesDecimalsStrictly) {
  EXPECT_DOUBLE_EQ(parseDecimal("24.5"), 24.5);
  EXPECT_DOUBLE_EQ(parseDecimal(" 016 "), 16);
  EXPECT_DOUBLE_EQ(parseDecimal("+1e3"), 1000);
  EXPECT_DOUBLE_EQ(parseDecimal("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(parseDecimal("5."), 5);
  EXPECT_DOUBLE_EQ(parseDecimal("2.5E-1"), 0.25);
  for (const char* bad :
       {"", " ", "24,5", "1 000", "nan", "inf", "0x10", "1e", ".", "-", "1e+", "12a", "1e400"}) {
    EXPECT_THROW(parseDecimal(bad), ConversionError) << bad;
  }
  try {
    parseDecimal("24,5");
    FAIL();
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'24,5' is not a valid floating point value");
  }
}

TEST(Numbers, ParsesWholeNumbersWithinThirtyTwoBits) {
  EXPECT_EQ(parseWhole("4"), 4);
  EXPECT_EQ(parseWhole("  -12"), -12);
  EXPECT_EQ(parseWhole("+7"), 7);
  EXPECT_EQ(parseWhole("2147483647"), 2147483647);
  EXPECT_EQ(parseWhole("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "4.0", "4 ", "2147483648", "99999999999999999999", "x", "-"}) {
    EXPECT_THROW(parseWhole(bad), ConversionError) << bad;
  }
  try {
    parseWhole("4.5");
    FAIL();
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'4.5' is not a valid integer value");
  }
}

TEST(Numbers, IgnoreADecimalCommaLocale) {
  const char* locale = nullptr;
  // The last two are the names Windows gives the Russian locale.
  for (const char* name :
       {"ru_RU.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "Russian_Russia.1251", "ru-RU"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      locale = name;
      break;
    }
  }
  if (locale == nullptr) {
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  EXPECT_DOUBLE_EQ(parseDecimal("24.5"), 24.5);
  EXPECT_THROW(parseDecimal("24,5"), ConversionError);
  EXPECT_EQ(formatDecimal(49.5), "49.5");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace rakewright
