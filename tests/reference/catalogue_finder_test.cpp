#include "reference/catalogue_finder.h"

#include <gtest/gtest.h>

#include <vector>

namespace rakewright {
namespace {

using Positions = std::vector<std::size_t>;

// The window's search tests cover letter case; these are the faults of searching all names in one
// buffer: a match across two names, a name counted twice, the candidates of a filtered list.
TEST(CatalogueFinder, FindsEachNameOnceAndNeverAcrossTwoNames) {
  const Catalogue catalogue = {"Tank", "tankTANK", "ab", "cd", "", "\xA8\xEB\xEA\xE0", "xta"};
  const CatalogueFinder finder(catalogue);

  EXPECT_EQ(finder.find("TA"), (Positions{0, 1, 6}));
  EXPECT_EQ(finder.find("k"), (Positions{0, 1}));
  EXPECT_EQ(finder.find("bc"), Positions{});     // "ab" then "cd"
  EXPECT_EQ(finder.find("b\nc"), Positions{});   // a line break is in no name
  EXPECT_EQ(finder.find("\xB8"), Positions{5});  // small yo finds capital yo
  EXPECT_EQ(finder.find(""), (Positions{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(finder.find("xta\n"), Positions{});

  const Positions candidates = {1, 2, 6};
  EXPECT_EQ(finder.find("ta", &candidates), (Positions{1, 6}));
  EXPECT_EQ(finder.find("", &candidates), candidates);
  EXPECT_TRUE(CatalogueFinder(Catalogue{}).find("a").empty());
}

}  // namespace
}  // namespace rakewright
