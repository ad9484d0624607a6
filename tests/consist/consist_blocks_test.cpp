#include "consist/consist_blocks.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "consist/consist_fixture.h"
#include "platform/numbers.h"

namespace rakewright {
namespace {

using testing::ConsistFixture;
using Outcome = ConsistModel::AddOutcome;
using Names = std::vector<std::string>;

// Each wagon's name and picture as "name/picture", in consist order.
Names wagonsOf(const ConsistModel& model) {
  Names wagons;
  for (int p = 1; p <= model.wagonCount(); ++p) {
    wagons.push_back(model.wagonName(p) + "/" + model.wagonPicture(p));
  }
  return wagons;
}

// The four totals in one text.
std::string totalsOf(const ConsistModel& model) {
  return model.wagonCountText() + " " + model.lengthText() + " " + model.weightText() + " " +
         model.axlesText();
}

// The totals of the same wagons added one by one to an empty consist: what they must read.
std::string addedUp(const ConsistModel& model, RollingStockBase& base) {
  ConsistModel fresh(base);
  for (const ConsistModel::Wagon& wagon : model.wagons()) {
    fresh.appendLoaded(wagon);
  }
  return totalsOf(fresh);
}

// Wagons A..F with pictures a..f and fractional lengths, B with 6 axles, "next" offered;
// page start 4.
void sixWagons(ConsistFixture& f) {
  f.writeBase("[OSI]\nB=6\n");
  const char* lengths[] = {"0.1", "0.2", "0.7", "1e-15", "3.3", "14"};
  for (int i = 0; i < 6; ++i) {
    const std::string name(1, static_cast<char>('A' + i));
    f.model.add(WagonChoice{name, lengths[i], "50.5", std::string(1, static_cast<char>('a' + i))});
  }
  f.model.setWagonPicture(7, "next");
  f.model.setPageStart(4);
}

// Runs a block operation and checks what every one of them must keep: the totals are the sum
// over the wagons in their new order, and restoring the state before undoes it completely.
template <typename Operation>
void undoable(ConsistFixture& f, Operation&& operation) {
  const ConsistModel::State before = f.model.state();
  operation();
  EXPECT_EQ(totalsOf(f.model), addedUp(f.model, f.base));
  EXPECT_EQ(f.model.lines().size(), static_cast<std::size_t>(f.model.wagonCount()));
  ConsistModel::State after = f.model.state();
  f.model.restore(before);
  EXPECT_EQ(f.model.state(), before);
  f.model.restore(std::move(after));
}

TEST(ConsistBlocks, RemovingMovingAndReversingCarryPicturesAndUndo) {
  ConsistFixture f;
  sixWagons(f);
  const std::string allTotals = totalsOf(f.model);

  // A block is taken in consist order, whatever order and repetitions it is given in.
  undoable(f, [&] { EXPECT_EQ(moveBlock(f.model, {4, 1, 4}, 0), 0); });
  EXPECT_EQ(wagonsOf(f.model), (Names{"B/b", "E/e", "A/a", "C/c", "D/d", "F/f"}));
  EXPECT_EQ(totalsOf(f.model), allTotals);  // "1e-15" is lost beside 0.1 in any order

  // Moved last; a target inside the block closes it up where it is.
  undoable(f, [&] { EXPECT_EQ(moveBlock(f.model, {0, 1}, 6), 4); });
  EXPECT_EQ(wagonsOf(f.model), (Names{"A/a", "C/c", "D/d", "F/f", "B/b", "E/e"}));
  undoable(f, [&] { EXPECT_EQ(moveBlock(f.model, {0, 2, 3}, 2), 1); });
  EXPECT_EQ(wagonsOf(f.model), (Names{"C/c", "A/a", "D/d", "F/f", "B/b", "E/e"}));

  // Reversed among its own lines: C, D, F, E turn round; A and B stay where they stand.
  undoable(f, [&] { reverseBlock(f.model, {0, 2, 3, 5}); });
  EXPECT_EQ(wagonsOf(f.model), (Names{"E/e", "A/a", "F/f", "D/d", "B/b", "C/c"}));
  EXPECT_EQ(f.model.lines()[0], "1\tE\t3.3");

  // Removal: the rest close up with their pictures; the picture offered for the next wagon goes,
  // as removing a wagon drops it; the page start comes back to the last wagon.
  undoable(f, [&] { removeBlock(f.model, {5, 0, 3, 4}); });
  EXPECT_EQ(wagonsOf(f.model), (Names{"A/a", "F/f"}));
  EXPECT_EQ(f.model.wagonPicture(3), "");
  EXPECT_EQ(f.model.pageStart(), 2);
  EXPECT_EQ(totalsOf(f.model), "2 14.1 101 8");

  // A line that names no wagon changes nothing.
  const ConsistModel::State before = f.model.state();
  EXPECT_THROW(removeBlock(f.model, {0, 2}), std::out_of_range);
  EXPECT_THROW(reverseBlock(f.model, {-1, 1}), std::out_of_range);
  EXPECT_THROW(moveBlock(f.model, {0}, 3), std::out_of_range);
  EXPECT_EQ(f.model.state(), before);
}

TEST(ConsistBlocks, PastingAndRepeatingAreAllOrNothingAtTheLimit) {
  ConsistFixture f;
  sixWagons(f);

  // Copied wagons keep their counted figures and pictures, also in another consist over another
  // base: what was counted for them is what they count there.
  const WagonBlock clipboard = copyBlock(f.model, {1, 5});
  ConsistFixture other;
  other.writeBase("[OSI]\nB=2\nX=8\n");
  other.model.add(WagonChoice{"X", "10", "20", "x"});
  other.model.setWagonPicture(2, "next");
  undoable(other, [&] { EXPECT_EQ(insertBlock(other.model, 0, clipboard), Outcome::Added); });
  undoable(other, [&] { EXPECT_EQ(insertBlock(other.model, 3, clipboard), Outcome::Added); });
  EXPECT_EQ(wagonsOf(other.model), (Names{"B/b", "F/f", "X/x", "B/b", "F/f"}));
  EXPECT_EQ(totalsOf(other.model), "5 38.4 222 28");
  EXPECT_EQ(other.model.wagonPicture(6), "next");  // after the last wagon, as inserting leaves it
  EXPECT_THROW(insertBlock(other.model, 6, clipboard), std::out_of_range);

  // Repeating: the block stands the given number of times in a row, the copies after its last
  // wagon.
  undoable(f, [&] { EXPECT_EQ(repeatBlock(f.model, {3, 1}, 3), Outcome::Added); });
  EXPECT_EQ(wagonsOf(f.model),
            (Names{"A/a", "B/b", "C/c", "D/d", "B/b", "D/d", "B/b", "D/d", "E/e", "F/f"}));
  EXPECT_EQ(f.model.wagonPicture(11), "next");
  EXPECT_EQ(repeatBlock(f.model, {0}, 1), Outcome::Added);
  EXPECT_EQ(f.model.wagonCount(), 10);
  EXPECT_THROW(repeatBlock(f.model, {0}, 0), std::invalid_argument);

  // At the limit nothing is done in part: 96 wagons take a block of two once more, not twice.
  f.addWagons(86);
  ASSERT_EQ(f.model.wagonCount(), 96);
  const ConsistModel::State full = f.model.state();
  EXPECT_EQ(repeatBlock(f.model, {0, 1}, 4), Outcome::LimitReached);
  EXPECT_EQ(repeatBlock(f.model, {0}, 2'000'000'000), Outcome::LimitReached);
  EXPECT_EQ(insertBlock(f.model, 0, WagonBlock(5, clipboard[0])), Outcome::LimitReached);
  EXPECT_EQ(f.model.state(), full);
  EXPECT_EQ(repeatBlock(f.model, {0, 1}, 3), Outcome::Added);
  EXPECT_EQ(f.model.wagonCount(), 100);
  EXPECT_EQ(insertBlock(f.model, 100, WagonBlock(1, clipboard[0])), Outcome::LimitReached);

  // A wagon that would break the consist line is refused before anything changes.
  WagonBlock broken = clipboard;
  broken[1].name = "F\tG";
  EXPECT_THROW(insertBlock(other.model, 0, broken), std::invalid_argument);
  EXPECT_EQ(other.model.wagonCount(), 5);
}

}  // namespace
}  // namespace rakewright
