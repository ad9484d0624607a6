#include "reference/rolling_stock_base.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;

constexpr std::string_view kBasePath = "data/consists/base.ini";

// A base with one name per interesting case of the length chain and the categories.
constexpr std::string_view kBase =
    "[PASS]\r\n"
    "cup_wagon=24.5\r\n"
    "disputed=-1\r\n"
    "both=25\r\n"
    "minus_one_dot=-1.0\r\n"
    "blank=\r\n"
    "[FREIGHT]\r\n"
    "disputed=18\r\n"
    "zero=0\r\n"
    "[LOCOS]\r\n"
    "both=17\r\n"
    "chme3=13.3\r\n"
    "[MVPS]\r\n"
    "er2=20\r\n"
    "[SPEC]\r\n"
    "crane=12.5\r\n"
    "spec_minus=-1\r\n"
    "[WEIGHTS]\r\n"
    "cup_wagon=58\r\n"
    "blank=\r\n"
    "[OSI]\r\n"
    "chme3=6\r\n";

TEST(RollingStockBase, LengthChainTakesFirstValueThatIsNotTheMarker) {
  TempFolder root;
  root.write(kBasePath, kBase);
  RollingStockBase base(root.path());
  const RollingStockBase::View view = base.open();

  EXPECT_EQ(view.length("cup_wagon", "-1"), "24.5");
  EXPECT_EQ(view.length("CUP_WAGON", "-1"), "24.5");
  // "-1" in PASS is no entry, so FREIGHT answers.
  EXPECT_EQ(view.length("disputed", "-1"), "18");
  // PASS comes before LOCOS.
  EXPECT_EQ(view.length("both", "-1"), "25");
  EXPECT_EQ(view.length("chme3", "-1"), "13.3");
  EXPECT_EQ(view.length("er2", "-1"), "20");
  // Only in SPEC: found after four misses.
  EXPECT_EQ(view.length("crane", "-1"), "12.5");
  EXPECT_EQ(view.length("crane", "0"), "12.5");
  // Only the exact text "-1" is the marker; "-1.0" and the empty text are lengths.
  EXPECT_EQ(view.length("minus_one_dot", "-1"), "-1.0");
  EXPECT_EQ(view.length("blank", "-1"), "");
  // A SPEC value is taken whatever it is, even the marker.
  EXPECT_EQ(view.length("spec_minus", "0"), "-1");
  // Unknown names get the final default.
  EXPECT_EQ(view.length("unknown", "-1"), "-1");
  EXPECT_EQ(view.length("unknown", "0"), "0");
}

TEST(RollingStockBase, WeightAndAxlesWithTheirDefaults) {
  TempFolder root;
  root.write(kBasePath, kBase);
  RollingStockBase base(root.path());
  const RollingStockBase::View view = base.open();

  EXPECT_EQ(view.weight("cup_wagon"), "58");
  EXPECT_EQ(view.weight("blank"), "");
  EXPECT_EQ(view.weight("chme3"), "50");
  EXPECT_EQ(view.axles("chme3"), "6");
  EXPECT_EQ(view.axles("cup_wagon"), "4");
  // A length name is not a weight or axle key.
  EXPECT_EQ(view.weight("crane"), "50");
}

TEST(RollingStockBase, MissingBaseGivesEveryDefault) {
  TempFolder root;
  root.mkdir("data/consists");
  RollingStockBase base(root.path());
  const RollingStockBase::View view = base.open();

  EXPECT_EQ(view.length("cup_wagon", "-1"), "-1");
  EXPECT_EQ(view.length("cup_wagon", "0"), "0");
  EXPECT_EQ(view.weight("cup_wagon"), "50");
  EXPECT_EQ(view.axles("cup_wagon"), "4");
  EXPECT_FALSE(view.isMember(sections::kPass, "cup_wagon"));
}

TEST(RollingStockBase, CategoryMembershipIsAnyValueButTheMarker) {
  TempFolder root;
  root.write(kBasePath, kBase);
  RollingStockBase base(root.path());
  const RollingStockBase::View view = base.open();

  EXPECT_TRUE(view.isMember(sections::kPass, "blank"));
  EXPECT_TRUE(view.isMember(sections::kFreight, "zero"));
  EXPECT_TRUE(view.isMember(sections::kPass, "minus_one_dot"));
  EXPECT_FALSE(view.isMember(sections::kPass, "disputed"));
  EXPECT_TRUE(view.isMember(sections::kFreight, "disputed"));
  EXPECT_TRUE(view.isMember(sections::kPass, "both"));
  EXPECT_TRUE(view.isMember(sections::kLocos, "both"));
  EXPECT_TRUE(view.isMember(sections::kMvps, "er2"));
  EXPECT_TRUE(view.isMember(sections::kSpec, "crane"));
  EXPECT_FALSE(view.isMember(sections::kSpec, "spec_minus"));
  EXPECT_FALSE(view.isMember(sections::kLocos, "cup_wagon"));
  EXPECT_FALSE(view.isMember(sections::kPass, "unknown"));
}

TEST(RollingStockBase, EditIsSeenByTheNextLookup) {
  TempFolder root;
  root.write(kBasePath, "[PASS]\r\nvl80=30\r\n");
  RollingStockBase base(root.path());
  const RollingStockBase::View before = base.open();
  EXPECT_EQ(before.length("vl80", "-1"), "30");

  root.write(kBasePath, "[PASS]\r\nvl80=32.5\r\n[WEIGHTS]\r\nvl80=184\r\n");
  const RollingStockBase::View after = base.open();
  EXPECT_EQ(after.length("vl80", "-1"), "32.5");
  EXPECT_EQ(after.weight("vl80"), "184");
  // A view already taken keeps the file as it was when it was opened.
  EXPECT_EQ(before.length("vl80", "-1"), "30");

  std::filesystem::remove(root / kBasePath);
  EXPECT_EQ(base.open().length("vl80", "-1"), "-1");
}

TEST(RollingStockBase, FoundInDifferentlyCasedFolders) {
  TempFolder root;
  root.write("Data/Consists/BASE.INI", "[pass]\r\n\xD2\xE5\xF1\xF2=21\r\n");
  RollingStockBase base(root.path());
  const RollingStockBase::View view = base.open();
  // Section and key names ignore letter case, Cyrillic included ("Тест" and "тЕСТ").
  EXPECT_EQ(view.length("\xF2\xC5\xD1\xD2", "-1"), "21");
  EXPECT_TRUE(view.isMember(sections::kPass, "\xD2\xE5\xF1\xF2"));
}

TEST(LengthGuess, TrafficGuessFoldsLatinCaseAndStopsAtFirstFragment) {
  EXPECT_EQ(trafficLengthGuess("Gon_12"), "14");
  EXPECT_EQ(trafficLengthGuess("TANK_cistern"), "12");
  EXPECT_EQ(trafficLengthGuess("box_hop"), "14.5");
  EXPECT_EQ(trafficLengthGuess("avto_pass_1"), "24");
  EXPECT_EQ(trafficLengthGuess("cup_3"), "15");
  EXPECT_EQ(trafficLengthGuess("Cup_Wagon"), "25");
  EXPECT_EQ(trafficLengthGuess("plac_wag2"), "25");
  EXPECT_EQ(trafficLengthGuess("BAGAZ"), "24.5");
  EXPECT_EQ(trafficLengthGuess("flat_auto"), "14.5");  // flat is tested before auto
  EXPECT_EQ(trafficLengthGuess("gon_hop"), "16.5");    // hop is tested before gon
  EXPECT_EQ(trafficLengthGuess("gon_tank"), "12");     // order of the table, not of the name
  // Cyrillic letters are neither folded nor matched.
  EXPECT_EQ(trafficLengthGuess("\xCF\xEE\xEB\xF3\xE2\xE0\xE3\xEE\xED"), "15");
  EXPECT_EQ(trafficLengthGuess("\xC2\xE0\xE3\xEE\xED_GON"), "14");
  EXPECT_EQ(trafficLengthGuess(""), "15");
  // A long name is folded piece by piece: a fragment across every place where a piece could end
  // is still found, and the table's order still wins over the name's.
  for (std::size_t at = 65'530; at < 65'540; ++at) {
    std::string name(200'000, '_');
    name.replace(at, 9, "AVTO_PASS");
    name.replace(150'000, 3, "gon");
    EXPECT_EQ(trafficLengthGuess(name), "24") << at;
  }
}

TEST(LengthGuess, FolderGuessKeepsCaseAndLastFragmentWins) {
  EXPECT_EQ(folderLengthGuess("chme3-cup"), "17");
  EXPECT_EQ(folderLengthGuess("skop-plac"), "25");
  EXPECT_EQ(folderLengthGuess("chme-skop"), "25");
  EXPECT_EQ(folderLengthGuess("Chme3"), "14");
  EXPECT_EQ(folderLengthGuess("open_car"), "14");
  EXPECT_EQ(folderLengthGuess("x-cup"), "25");
  EXPECT_EQ(folderLengthGuess("x-plac"), "25");
  EXPECT_EQ(folderLengthGuess("X-CUP"), "14");
  EXPECT_EQ(folderLengthGuess(""), "14");
}

}  // namespace
}  // namespace rakewright
