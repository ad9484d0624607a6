#include "consist/paging.h"

#include <gtest/gtest.h>

#include <optional>

namespace rakewright {
namespace {

struct PagingCase {
  PageStep step;
  int pageStart;
  int wagonCount;
  std::optional<int> expected;
};

class Paging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(Paging, MovesWithinTheConsist) {
  const PagingCase& c = GetParam();
  EXPECT_EQ(pagedStart(c.step, c.pageStart, c.wagonCount), c.expected);
}

INSTANTIATE_TEST_SUITE_P(EmptyConsistStaysAtOne, Paging,
                         ::testing::Values(PagingCase{PageStep::Forward, 1, 0, std::nullopt},
                                           PagingCase{PageStep::NextPage, 1, 0, 1},
                                           PagingCase{PageStep::Last, 1, 0, 1},
                                           PagingCase{PageStep::Back, 1, 0, 1},
                                           PagingCase{PageStep::BackPage, 1, 0, 1},
                                           PagingCase{PageStep::First, 1, 0, 1}));

// Forward stops with the last wagon alone in the first slot; backward stops at the first.
INSTANTIATE_TEST_SUITE_P(StopsAtTheEnds, Paging,
                         ::testing::Values(PagingCase{PageStep::NextPage, 1, 7, 7},
                                           PagingCase{PageStep::NextPage, 7, 7, 7},
                                           PagingCase{PageStep::NextPage, 2, 20, 8},
                                           PagingCase{PageStep::BackPage, 7, 7, 1},
                                           PagingCase{PageStep::BackPage, 3, 10, 1},
                                           PagingCase{PageStep::BackPage, 14, 20, 8},
                                           PagingCase{PageStep::Forward, 9, 10, 10},
                                           PagingCase{PageStep::Forward, 10, 10, std::nullopt},
                                           PagingCase{PageStep::Back, 1, 10, 1},
                                           PagingCase{PageStep::Back, 5, 10, 4},
                                           PagingCase{PageStep::Last, 3, 100, 100},
                                           PagingCase{PageStep::First, 100, 100, 1}));

// A page start that a removal left beyond the last wagon comes back with the next step.
INSTANTIATE_TEST_SUITE_P(PastTheLastWagon, Paging,
                         ::testing::Values(PagingCase{PageStep::Forward, 9, 8, std::nullopt},
                                           PagingCase{PageStep::NextPage, 9, 8, 8},
                                           PagingCase{PageStep::Last, 9, 8, 8},
                                           PagingCase{PageStep::Back, 9, 8, 8}));

TEST(PagingToShow, PagesTheLeastAndStaysWithinTheConsist) {
  EXPECT_EQ(pageStartShowing(3, 1, 10), std::nullopt);  // already in view
  EXPECT_EQ(pageStartShowing(6, 1, 10), std::nullopt);
  EXPECT_EQ(pageStartShowing(7, 1, 10), 2);  // into the last slot
  EXPECT_EQ(pageStartShowing(2, 5, 10), 2);  // into the first slot
  EXPECT_EQ(pageStartShowing(1, 9, 3), 1);   // a page start left past the end
  EXPECT_EQ(pageStartShowing(1, 1, 0), std::nullopt);
}

TEST(DropLanding, OnAWagonOrAtTheEnd) {
  // On a wagon: its line, whatever comes.
  EXPECT_EQ(landingIndex(DropKind::Added, 2, 5), 1);
  EXPECT_EQ(landingIndex(DropKind::Moved, 5, 5), 4);
  // Past the last wagon: appended, or moved to be the last.
  EXPECT_EQ(landingIndex(DropKind::Added, 9, 5), 5);
  EXPECT_EQ(landingIndex(DropKind::Moved, 9, 5), 4);
  EXPECT_EQ(landingIndex(DropKind::Added, 1, 0), 0);
}

}  // namespace
}  // namespace rakewright
