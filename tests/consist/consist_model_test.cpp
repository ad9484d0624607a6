#include "consist/consist_model.h"

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

struct Totals {
  std::string length, weight, axles, wagons;
  bool operator==(const Totals&) const = default;
};

Totals totalsOf(const ConsistModel& model) {
  return {model.ConsistLength(), model.Con_Weight(), model.Num_Osey(), model.Wag_Num()};
}

// The consist's own views of itself agree: lines, names table, count.
void expectInStep(const ConsistModel& model) {
  const std::vector<std::string> lines = model.lines();
  ASSERT_EQ(static_cast<int>(lines.size()), model.WagonCount());
  EXPECT_EQ(model.Wag_Num(), std::to_string(model.WagonCount()));
  for (int p = 1; p <= ConsistModel::kPositions; ++p) {
    EXPECT_EQ(model.WagonName(p).empty(), p > model.WagonCount()) << "position " << p;
  }
}

TEST(ConsistModel, AddingStopsAtOneHundredWagons) {
  ConsistFixture f;
  f.addWagons(99);
  EXPECT_EQ(f.model.WagonCount(), 99);

  EXPECT_EQ(f.model.add("Last", "25", "50"), Outcome::Added);
  EXPECT_EQ(f.model.WagonCount(), 100);
  EXPECT_EQ(f.model.WagonName(100), "Last");
  const Totals full = totalsOf(f.model);
  EXPECT_EQ(full.length, "1015");

  EXPECT_EQ(f.model.add("Extra", "25", "50"), Outcome::LimitReached);
  EXPECT_EQ(f.model.addIfComplete("Extra", "25", "50"), Outcome::LimitReached);
  EXPECT_EQ(f.model.WagonCount(), 100);
  EXPECT_EQ(totalsOf(f.model), full);
  EXPECT_EQ(f.model.WagonName(101), "");
  expectInStep(f.model);

  // One removed makes room for exactly one more.
  f.model.removeLast();
  EXPECT_EQ(f.model.add("Again", "25", "50"), Outcome::Added);
  EXPECT_EQ(f.model.add("Again", "25", "50"), Outcome::LimitReached);
}

TEST(ConsistModel, TotalsFollowAddingAndRemoving) {
  ConsistFixture f;
  f.writeBase("[OSI]\nLong=6\n[WEIGHTS]\nLong=64.5\nShort=20\n");

  EXPECT_EQ(f.model.add("Long", "25", "64.5"), Outcome::Added);
  EXPECT_EQ(f.model.add("Short", "24.5", "20"), Outcome::Added);
  EXPECT_EQ(totalsOf(f.model), (Totals{"49.5", "84.5", "10", "2"}));
  EXPECT_EQ(f.model.lines(), (std::vector<std::string>{"1\tLong\t25", "1\tShort\t24.5"}));

  const ConsistModel::Removed shortOne = f.model.removeAt(1);
  EXPECT_EQ(shortOne.lengthText, "24.5");
  EXPECT_EQ(shortOne.weightText, "20");
  EXPECT_EQ(totalsOf(f.model), (Totals{"25", "64.5", "6", "1"}));

  f.model.removeAt(0);
  EXPECT_EQ(totalsOf(f.model), (Totals{"0", "0", "0", "0"}));

  // A name the base does not know counts 4 axles and the weight given.
  f.model.add("Unknown", "016", "33.25");
  EXPECT_EQ(totalsOf(f.model), (Totals{"16", "33.25", "4", "1"}));
  EXPECT_EQ(f.model.lines().front(), "1\tUnknown\t016");  // the length as typed
}

TEST(ConsistModel, RemovalTakesBackExactlyWhatWasCounted) {
  ConsistFixture f;
  f.writeBase("[OSI]\nA=6\n[WEIGHTS]\nA=60\n");
  f.model.add("A", "0.1", "73.5");  // a weight typed over the base's 60
  f.model.add("B", "0.2", "50");
  f.model.add("A", "0.7", "60");
  EXPECT_EQ(totalsOf(f.model), (Totals{"1", "183.5", "16", "3"}));

  // The base changes meanwhile; the removals still take back what was counted.
  f.writeBase("[OSI]\nA=8\nB=2\n[WEIGHTS]\nA=99\nB=1\n");
  const ConsistModel::Removed first = f.model.removeAt(0);
  EXPECT_EQ(first.weightText, "73.5");
  EXPECT_EQ(first.lengthText, "0.1");
  EXPECT_EQ(totalsOf(f.model), (Totals{"0.9", "110", "10", "2"}));
  f.model.removeAt(1);
  f.model.removeAt(0);
  EXPECT_EQ(totalsOf(f.model), (Totals{"0", "0", "0", "0"}));

  // Running totals rounded to 15 digits lose small figures beside large ones; the totals are
  // still the sum over the wagons that stay.
  f.model.add("Big", "1e20", "50");
  f.model.add("Small", "1", "50");
  EXPECT_EQ(f.model.ConsistLength(), "1E20");
  f.model.removeAt(0);
  EXPECT_EQ(f.model.ConsistLength(), "1");
}

TEST(ConsistModel, FailedConversionChangesNothing) {
  ConsistFixture f;
  f.writeBase("[OSI]\nBadAxles=x4\nHuge=2147483600\n");
  f.model.add("A", "25", "50");
  f.model.setWagonImage(2, "remembered.bmp");
  const Totals before = totalsOf(f.model);
  const std::vector<std::string> linesBefore = f.model.lines();

  const auto expectFailure = [&](std::string_view name, std::string_view length,
                                 std::string_view weight, const std::string& message) {
    try {
      f.model.add(name, length, weight);
      ADD_FAILURE() << "no error for " << name << " " << length << " " << weight;
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), message);
    }
    EXPECT_EQ(totalsOf(f.model), before);
    EXPECT_EQ(f.model.lines(), linesBefore);
    EXPECT_EQ(f.model.WagonName(2), "");
    EXPECT_EQ(f.model.WagonImage(2), "remembered.bmp");
    EXPECT_EQ(f.model.PageStart(), 1);
  };
  expectFailure("B", "24,5", "50", "'24,5' is not a valid floating point value");
  expectFailure("B", "24.5", "fifty", "'fifty' is not a valid floating point value");
  expectFailure("B", "", "50", "'' is not a valid floating point value");
  expectFailure("BadAxles", "24.5", "50", "'x4' is not a valid integer value");
  // The first bad figure is the one reported, whichever comes later.
  expectFailure("BadAxles", "x", "y", "'x' is not a valid floating point value");

  // Totals that would leave their range fail the same way.
  f.model.add("Huge", "1", "1");
  const Totals withHuge = totalsOf(f.model);
  EXPECT_THROW(f.model.add("Huge", "1", "1"), ConversionError);
  EXPECT_EQ(totalsOf(f.model), withHuge);
  f.model.add("Far", "1e308", "1");
  EXPECT_THROW(f.model.add("Far", "1e308", "1"), ConversionError);
  EXPECT_THROW(f.model.add("Heavy", "1", "-1.7976931348623157e308"), ConversionError);
  EXPECT_EQ(f.model.WagonCount(), 3);
  expectInStep(f.model);

  // Every wagon still comes off, and the totals end at zero.
  while (f.model.removeLast()) {
  }
  EXPECT_EQ(totalsOf(f.model), (Totals{"0", "0", "0", "0"}));
}

TEST(ConsistModel, EmptyFieldsAndButtons) {
  ConsistFixture f;
  EXPECT_EQ(f.model.add("", "25", "50"), Outcome::EmptyName);
  EXPECT_EQ(f.model.addIfComplete("A", "", "50"), std::nullopt);
  EXPECT_EQ(f.model.addIfComplete("", "25", "50"), std::nullopt);
  EXPECT_EQ(f.model.removeLast(), std::nullopt);
  EXPECT_EQ(f.model.WagonCount(), 0);
  EXPECT_EQ(f.model.ConsistLength(), "0");

  // A name that would split the consist line is refused.
  EXPECT_THROW(f.model.add("A\tB", "25", "50"), std::invalid_argument);
  EXPECT_THROW(f.model.add("A\r\nB", "25", "50"), std::invalid_argument);
  EXPECT_EQ(f.model.WagonCount(), 0);

  // The button does not look at the weight field; an empty weight is a conversion failure.
  EXPECT_THROW(f.model.addIfComplete("A", "25", ""), ConversionError);
  EXPECT_EQ(f.model.addIfComplete("A", "25", "50"), Outcome::Added);
}

TEST(ConsistModel, PagingFollowsAddingAndRemoving) {
  ConsistFixture f;
  f.addWagons(2);
  f.model.add("Third", "10", "50");
  EXPECT_EQ(f.model.PageStart(), 1);
  f.model.add("Fourth", "10", "50");
  EXPECT_EQ(f.model.PageStart(), 1);
  f.model.add("Fifth", "10", "50");
  EXPECT_EQ(f.model.PageStart(), 2);  // the new wagon in the fourth slot

  // Ten wagons seen from the start: the eleventh shows in slot four.
  ConsistFixture g;
  g.addWagons(10);
  g.model.setPageStart(1);
  g.model.add("Eleventh", "10", "50");
  EXPECT_EQ(g.model.PageStart(), 8);
  // Paged further on already: left alone.
  g.model.setPageStart(10);
  g.model.add("Twelfth", "10", "50");
  EXPECT_EQ(g.model.PageStart(), 10);

  // Ten wagons from 9 on: the strip showed two wagons, so it steps back after a removal.
  ConsistFixture h;
  h.addWagons(10);
  h.model.setPageStart(9);
  h.model.removeAt(9);
  EXPECT_EQ(h.model.PageStart(), 8);
  h.model.setPageStart(7);  // 7, 8, 9 shown: the third slot was filled
  h.model.removeAt(0);
  EXPECT_EQ(h.model.PageStart(), 7);
}

TEST(ConsistModel, RemovalMovesLaterWagonsAndTheirPicturesUp) {
  ConsistFixture f;
  f.addWagons(10);
  for (int p = 1; p <= 10; ++p) {
    f.model.setWagonImage(p, "pic" + std::to_string(p));
  }
  f.model.setWagonImage(11, "next");  // remembered for the wagon to come
  f.model.setPageStart(1);

  f.model.removeAt(3);
  EXPECT_EQ(f.model.PageStart(), 1);
  EXPECT_EQ(f.model.WagonCount(), 9);
  for (int p = 4; p <= 9; ++p) {
    EXPECT_EQ(f.model.WagonName(p), "W" + std::to_string(p + 1));
    EXPECT_EQ(f.model.WagonImage(p), "pic" + std::to_string(p + 1));
  }
  EXPECT_EQ(f.model.WagonName(3), "W3");
  EXPECT_EQ(f.model.WagonImage(3), "pic3");
  EXPECT_EQ(f.model.WagonName(10), "");
  EXPECT_EQ(f.model.WagonImage(10), "");
  EXPECT_EQ(f.model.WagonImage(11), "next");  // stays with its position
  EXPECT_EQ(f.model.lines()[3], "1\tW5\t10");
  expectInStep(f.model);

  // The last wagon takes its picture with it.
  f.model.removeAt(8);
  EXPECT_EQ(f.model.WagonImage(9), "");
  EXPECT_EQ(f.model.WagonImage(8), "pic9");

  EXPECT_THROW(f.model.removeAt(8), std::out_of_range);
  EXPECT_THROW(f.model.removeAt(-1), std::out_of_range);

  // Clearing empties the filled positions; the remembered picture stays.
  f.model.setPageStart(5);
  f.model.clear();
  EXPECT_EQ(totalsOf(f.model), (Totals{"0", "0", "0", "0"}));
  EXPECT_EQ(f.model.PageStart(), 1);
  EXPECT_EQ(f.model.WagonImage(1), "");
  EXPECT_EQ(f.model.WagonImage(9), "");
  EXPECT_EQ(f.model.WagonImage(11), "next");
  expectInStep(f.model);
}

TEST(ConsistModel, LoadedWagonsAreCheckedAndLimited) {
  ConsistFixture f;
  ConsistModel::Wagon wagon{"1\tA\t12.5", "A", "12.5", "40", 4};
  EXPECT_EQ(f.model.appendLoaded(wagon, 3), 3);
  EXPECT_EQ(totalsOf(f.model), (Totals{"37.5", "120", "12", "3"}));

  ConsistModel::Wagon bad = wagon;
  bad.weightText = "4O";
  EXPECT_THROW(f.model.appendLoaded(bad, 2), ConversionError);
  EXPECT_EQ(f.model.WagonCount(), 3);

  // A copy count beyond the limit fills up to it and no further, without building the rest.
  EXPECT_EQ(f.model.appendLoaded(wagon, 2'000'000'000), 97);
  EXPECT_EQ(f.model.WagonCount(), 100);
  EXPECT_FALSE(f.model.appendLoaded(wagon));
  EXPECT_EQ(f.model.ConsistLength(), "1250");
}

}  // namespace
}  // namespace rakewright
