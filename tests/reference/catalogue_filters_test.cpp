#include "reference/catalogue_filters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace rakewright {
namespace {

using testing::TempFolder;

std::vector<std::string> kept(const Catalogue& catalogue, const std::vector<std::size_t>& at) {
  std::vector<std::string> names;
  for (const std::size_t i : at) {
    names.emplace_back(catalogue.at(i));
  }
  return names;
}

TEST(FolderWagonOf, TakesTheSetFromTheSuffix) {
  struct Case {
    std::string_view name, folder, kind;
  };
  for (const Case& c : {Case{"Blue-cup", "Blue", "cup"}, Case{"Blue-plac", "Blue", "plac"},
                        // Only "-cup" is removed when it is there; the folder keeps "-plac".
                        Case{"A-plac-cup", "A-plac", "cup"}, Case{"A-cup-plac", "A-plac", "cup"},
                        // Every occurrence goes.
                        Case{"A-cup-cup", "A", "cup"}, Case{"-cup", "", "cup"},
                        // Letter case counts: these are folders of their own.
                        Case{"Blue-CUP", "Blue-CUP", ""}, Case{"Hopper", "Hopper", ""},
                        Case{"cupboard", "cupboard", ""}, Case{"", "", ""}}) {
    const FolderWagon wagon = folderWagonOf(c.name);
    EXPECT_EQ(wagon.folder, c.folder) << c.name;
    EXPECT_EQ(wagon.kind, c.kind) << c.name;
  }
  EXPECT_EQ(folderWagonBitmapOf("Blue-cup"), "data/pass_wags/Blue/cup_wagon.bmp");
  // A freight folder leads to "_wagon.bmp" in the passenger folder of its name.
  EXPECT_EQ(folderWagonBitmapOf("Boxcar"), "data/pass_wags/Boxcar/_wagon.bmp");
}

TEST(FolderFilter, PassengerItemsHoldCupOrPlacAnywhere) {
  const Catalogue folder = {"Hopper",  "Blue-cup", "Blue-plac", "cupola_car",
                            "Placard", "Tank",     "Grey-CUP"};
  EXPECT_TRUE(isPassengerItem("cupola_car"));
  EXPECT_FALSE(isPassengerItem("Placard"));  // letter case counts
  EXPECT_EQ(kept(folder, folderCategory(folder, filters::kPassWags)),
            (std::vector<std::string>{"Blue-cup", "Blue-plac", "cupola_car"}));
  EXPECT_EQ(kept(folder, folderCategory(folder, filters::kFreightWags)),
            (std::vector<std::string>{"Hopper", "Placard", "Tank", "Grey-CUP"}));
  EXPECT_TRUE(isFolderKeyword(filters::kPassWags));
  EXPECT_FALSE(isFolderKeyword(sections::kPass));
}

TEST(TrafficFilter, KeepsTheMembersOfACategoryInCatalogueOrder) {
  TempFolder root;
  root.write("data/consists/base.ini",
             "[PASS]\r\nCoach=24.5\r\nNotACoach=-1\r\nEmptyValue=\r\n"
             "[FREIGHT]\r\nNotACoach=18\r\ntank=12\r\n"
             "[LOCOS]\r\nCoach=20\r\n");
  RollingStockBase base(root.path());
  const Catalogue traffic = {"Tank", "Coach", "NotACoach", "Unknown", "EmptyValue", "Coach"};

  // "-1" is no value; the empty value and duplicates are members; names match ignoring case.
  EXPECT_EQ(kept(traffic, trafficCategory(traffic, sections::kPass, base)),
            (std::vector<std::string>{"Coach", "EmptyValue", "Coach"}));
  EXPECT_EQ(kept(traffic, trafficCategory(traffic, sections::kFreight, base)),
            (std::vector<std::string>{"Tank", "NotACoach"}));
  EXPECT_EQ(kept(traffic, trafficCategory(traffic, sections::kLocos, base)),
            (std::vector<std::string>{"Coach", "Coach"}));
  EXPECT_TRUE(trafficCategory(traffic, sections::kSpec, base).empty());
  // The pass asks for each name as a lookup does: spaces around it do not count, a TAB does.
  const Catalogue spaced = {" tank  ", "tank\t", "  "};
  EXPECT_EQ(trafficCategory(spaced, sections::kFreight, base), std::vector<std::size_t>{0});

  // Each pass sees the base as it is now.
  root.write("data/consists/base.ini", "[SPEC]\r\nUnknown=16\r\n");
  EXPECT_EQ(kept(traffic, trafficCategory(traffic, sections::kSpec, base)),
            (std::vector<std::string>{"Unknown"}));
}

}  // namespace
}  // namespace rakewright
