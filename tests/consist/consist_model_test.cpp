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
  return {model.lengthText(), model.weightText(), model.axlesText(), model.wagonCountText()};
}

// The consist's own views of itself agree: lines, names table, count.
void expectInStep(const ConsistModel& model) {
  const std::vector<std::string> lines = model.lines();
  ASSERT_EQ(static_cast<int>(lines.size()), model.wagonCount());
  EXPECT_EQ(model.wagonCountText(), std::to_string(model.wagonCount()));
  for (int p = 1; p <= ConsistModel::kPositions; ++p) {
    EXPECT_EQ(model.wagonName(p).empty(), p > model.wagonCount()) << "position " << p;
  }
}

TEST(ConsistModel, AddingStopsAtOneHundredWagons) {
  ConsistFixture f;
  f.addWagons(99);
  EXPECT_EQ(f.model.wagonCount(), 99);

  EXPECT_EQ(f.model.add("Last", "25", "50"), Outcome::Added);
  EXPECT_EQ(f.model.wagonCount(), 100);
  EXPECT_EQ(f.model.wagonName(100), "Last");
  const Totals full = totalsOf(f.model);
  EXPECT_EQ(full.length, "1015");

  EXPECT_EQ(f.model.add("Extra", "25", "50"), Outcome::LimitReached);
  EXPECT_EQ(f.model.addIfComplete("Extra", "25", "50"), Outcome::LimitReached);
  EXPECT_EQ(f.model.wagonCount(), 100);
  EXPECT_EQ(totalsOf(f.model), full);
  EXPECT_EQ(f.model.wagonName(101), "");
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
  EXPECT_EQ(f.model.lengthText(), "1E20");
  f.model.removeAt(0);
  EXPECT_EQ(f.model.lengthText(), "1");
}

TEST(ConsistModel, FailedConversionChangesNothing) {
  ConsistFixture f;
  f.writeBase("[OSI]\nBadAxles=x4\nHuge=2147483600\n");
  f.model.add("A", "25", "50");
  f.model.setWagonPicture(2, "remembered.bmp");
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
    EXPECT_EQ(f.model.wagonName(2), "");
    EXPECT_EQ(f.model.wagonPicture(2), "remembered.bmp");
    EXPECT_EQ(f.model.pageStart(), 1);
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
  EXPECT_EQ(f.model.wagonCount(), 3);
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
  EXPECT_EQ(f.model.wagonCount(), 0);
  EXPECT_EQ(f.model.lengthText(), "0");

  // A name that would split the consist line is refused.
  EXPECT_THROW(f.model.add("A\tB", "25", "50"), std::invalid_argument);
  EXPECT_THROW(f.model.add("A\r\nB", "25", "50"), std::invalid_argument);
  EXPECT_EQ(f.model.wagonCount(), 0);

  // The button does not look at the weight field; an empty weight is a conversion failure.
  EXPECT_THROW(f.model.addIfComplete("A", "25", ""), ConversionError);
  EXPECT_EQ(f.model.addIfComplete("A", "25", "50"), Outcome::Added);
}

TEST(ConsistModel, PagingFollowsAddingAndRemoving) {
  ConsistFixture f;
  f.addWagons(2);
  f.model.add("Third", "10", "50");
  EXPECT_EQ(f.model.pageStart(), 1);
  f.model.add("Fourth", "10", "50");
  EXPECT_EQ(f.model.pageStart(), 1);
  f.model.add("Fifth", "10", "50");
  EXPECT_EQ(f.model.pageStart(), 2);  // the new wagon in the fourth slot

  // Ten wagons seen from the start: the eleventh shows in slot four.
  ConsistFixture g;
  g.addWagons(10);
  g.model.setPageStart(1);
  g.model.add("Eleventh", "10", "50");
  EXPECT_EQ(g.model.pageStart(), 8);
  // Paged further on already: left alone.
  g.model.setPageStart(10);
  g.model.add("Twelfth", "10", "50");
  EXPECT_EQ(g.model.pageStart(), 10);

  // Ten wagons from 9 on: the strip showed two wagons, so it steps back after a removal.
  ConsistFixture h;
  h.addWagons(10);
  h.model.setPageStart(9);
  h.model.removeAt(9);
  EXPECT_EQ(h.model.pageStart(), 8);
  h.model.setPageStart(7);  // 7, 8, 9 shown: the third slot was filled
  h.model.removeAt(0);
  EXPECT_EQ(h.model.pageStart(), 7);
}

TEST(ConsistModel, RemovalMovesLaterWagonsAndTheirPicturesUp) {
  ConsistFixture f;
  f.addWagons(10);
  for (int p = 1; p <= 10; ++p) {
    f.model.setWagonPicture(p, "pic" + std::to_string(p));
  }
  f.model.setWagonPicture(11, "next");  // offered for the wagon to come
  f.model.setPageStart(1);

  f.model.removeAt(3);
  EXPECT_EQ(f.model.pageStart(), 1);
  EXPECT_EQ(f.model.wagonCount(), 9);
  for (int p = 4; p <= 9; ++p) {
    EXPECT_EQ(f.model.wagonName(p), "W" + std::to_string(p + 1));
    EXPECT_EQ(f.model.wagonPicture(p), "pic" + std::to_string(p + 1));
  }
  EXPECT_EQ(f.model.wagonName(3), "W3");
  EXPECT_EQ(f.model.wagonPicture(3), "pic3");
  EXPECT_EQ(f.model.wagonName(10), "");
  EXPECT_EQ(f.model.wagonPicture(10), "");  // the offered picture went with the removal
  EXPECT_EQ(f.model.wagonPicture(11), "");
  EXPECT_EQ(f.model.lines()[3], "1\tW5\t10");
  expectInStep(f.model);

  // The last wagon takes its picture with it.
  f.model.removeAt(8);
  EXPECT_EQ(f.model.wagonPicture(9), "");
  EXPECT_EQ(f.model.wagonPicture(8), "pic9");

  EXPECT_THROW(f.model.removeAt(8), std::out_of_range);
  EXPECT_THROW(f.model.removeAt(-1), std::out_of_range);

  // Clearing empties the consist; a picture offered to an empty consist stays offered.
  f.model.setPageStart(5);
  f.model.clear();
  EXPECT_EQ(totalsOf(f.model), (Totals{"0", "0", "0", "0"}));
  EXPECT_EQ(f.model.pageStart(), 1);
  EXPECT_EQ(f.model.wagonPicture(1), "");
  f.model.setWagonPicture(1, "next");
  f.model.clear();
  EXPECT_EQ(f.model.wagonPicture(1), "next");
  expectInStep(f.model);
}

TEST(ConsistModel, RemovalGivesBackTheWholeWagonWithItsSources) {
  ConsistFixture f;
  f.writeBase("[OSI]\nKnown=6\n");
  const WagonChoice guessed{
      "Known", "14.5", "50", "known.bmp", FigureSource::Guess, FigureSource::Default};
  ASSERT_EQ(f.model.add(guessed), Outcome::Added);
  f.model.add("Other", "20", "30");
  const ConsistModel::Wagon& wagon = f.model.wagons().front();
  EXPECT_EQ(wagon.lengthSource, FigureSource::Guess);
  EXPECT_EQ(wagon.weightSource, FigureSource::Default);
  EXPECT_EQ(wagon.axlesSource, FigureSource::Base);
  EXPECT_EQ(f.model.wagons().back().axlesSource, FigureSource::Default);
  EXPECT_EQ(f.model.wagons().back().lengthSource, FigureSource::Typed);

  // What a removal gives back is the wagon as it was offered, picture and sources included, so
  // adding it again restores the consist exactly.
  const ConsistModel::State before = f.model.state();
  const ConsistModel::Removed removed = f.model.removeAt(0);
  EXPECT_EQ(removed, guessed);
  f.model.insertAt(0, removed);
  EXPECT_EQ(f.model.state(), before);
}

TEST(ConsistModel, LoadedWagonsAreCheckedAndLimited) {
  ConsistFixture f;
  ConsistModel::Wagon wagon{"1\tA\t12.5", "A", "12.5", "40", 4};
  EXPECT_EQ(f.model.appendLoaded(wagon, 3), 3);
  EXPECT_EQ(totalsOf(f.model), (Totals{"37.5", "120", "12", "3"}));

  ConsistModel::Wagon bad = wagon;
  bad.weightText = "4O";
  EXPECT_THROW(f.model.appendLoaded(bad, 2), ConversionError);
  EXPECT_EQ(f.model.wagonCount(), 3);

  // A copy count beyond the limit fills up to it and no further, without building the rest.
  EXPECT_EQ(f.model.appendLoaded(wagon, 2'000'000'000), 97);
  EXPECT_EQ(f.model.wagonCount(), 100);
  EXPECT_FALSE(f.model.appendLoaded(wagon));
  EXPECT_EQ(f.model.lengthText(), "1250");
}

// The names of the wagons in order, and the pictures of their positions.
std::vector<std::string> namesOf(const ConsistModel& model) {
  std::vector<std::string> names;
  for (int p = 1; p <= model.wagonCount(); ++p) {
    names.push_back(model.wagonName(p));
  }
  return names;
}

std::vector<std::string> picturesOf(const ConsistModel& model, int upTo) {
  std::vector<std::string> pictures;
  for (int p = 1; p <= upTo; ++p) {
    pictures.push_back(model.wagonPicture(p));
  }
  return pictures;
}

// Three wagons A (10 m, 50 t), B (20.5 m, 60 t), C (30 m, 70 t) with pictures a, b, c and the
// picture "next" remembered for the fourth position; PageStart 2.
void threeWagons(ConsistFixture& f) {
  f.writeBase("[OSI]\r\nB=6\r\n");
  f.model.setWagonPicture(1, "a");
  f.model.add("A", "10", "50");
  f.model.setWagonPicture(2, "b");
  f.model.add("B", "20.5", "60");
  f.model.setWagonPicture(3, "c");
  f.model.add("C", "30", "70");
  f.model.setWagonPicture(4, "next");
  f.model.setPageStart(2);
}

TEST(ConsistModel, InsertingPutsTheWagonAndItsPictureInPlace) {
  ConsistFixture f;
  threeWagons(f);
  EXPECT_EQ(f.model.insertAt(0, "X", "5.25", "40", "x"), Outcome::Added);
  EXPECT_EQ(f.model.insertAt(2, "Y", "1", "1", ""), Outcome::Added);
  EXPECT_EQ(f.model.insertAt(5, "Z", "2", "2", "z"), Outcome::Added);  // appended
  EXPECT_EQ(namesOf(f.model), (std::vector<std::string>{"X", "A", "Y", "B", "C", "Z"}));
  EXPECT_EQ(picturesOf(f.model, 7),
            (std::vector<std::string>{"x", "a", "", "b", "c", "z", "next"}));
  EXPECT_EQ(f.model.lines()[0], "1\tX\t5.25");
  EXPECT_EQ(totalsOf(f.model), (Totals{"68.75", "223", "26", "6"}));
  EXPECT_EQ(f.model.pageStart(), 2);  // the strip stays where the user dropped
  expectInStep(f.model);

  // Refused as an add is, changing nothing.
  const ConsistModel::State before = f.model.state();
  EXPECT_EQ(f.model.insertAt(1, "", "1", "1", "p"), Outcome::EmptyName);
  EXPECT_THROW(f.model.insertAt(1, "W", "1,5", "1", "p"), ConversionError);
  EXPECT_THROW(f.model.insertAt(7, "W", "1", "1", "p"), std::out_of_range);
  EXPECT_THROW(f.model.insertAt(-1, "W", "1", "1", "p"), std::out_of_range);
  EXPECT_EQ(f.model.state(), before);

  ConsistFixture full;
  full.addWagons(100);
  EXPECT_EQ(full.model.insertAt(3, "W", "1", "1", ""), Outcome::LimitReached);
  EXPECT_EQ(full.model.copy(3, 3), Outcome::LimitReached);
  EXPECT_EQ(full.model.wagonCount(), 100);
}

TEST(ConsistModel, MovingAndCopyingKeepPicturesAndExactTotals) {
  ConsistFixture f;
  threeWagons(f);
  const Totals totals = totalsOf(f.model);

  f.model.move(0, 2);  // right
  EXPECT_EQ(namesOf(f.model), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(picturesOf(f.model, 4), (std::vector<std::string>{"b", "c", "a", "next"}));
  f.model.move(2, 1);  // left
  EXPECT_EQ(namesOf(f.model), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(picturesOf(f.model, 4), (std::vector<std::string>{"b", "a", "c", "next"}));
  EXPECT_EQ(f.model.lines()[1], "1\tA\t10");
  EXPECT_EQ(totalsOf(f.model), totals);
  EXPECT_EQ(f.model.pageStart(), 2);
  EXPECT_THROW(f.model.move(0, 3), std::out_of_range);

  EXPECT_EQ(f.model.copy(0, 3), Outcome::Added);  // the copy of B goes last
  EXPECT_EQ(f.model.copy(2, 0), Outcome::Added);  // the copy of C goes first
  EXPECT_EQ(namesOf(f.model), (std::vector<std::string>{"C", "B", "A", "C", "B"}));
  EXPECT_EQ(picturesOf(f.model, 6), (std::vector<std::string>{"c", "b", "a", "c", "b", "next"}));
  EXPECT_EQ(totalsOf(f.model), (Totals{"111", "310", "24", "5"}));
  expectInStep(f.model);

  // A total summed in another order could differ in its last digit; every change recomputes the
  // sum in consist order, so moving back and forth never makes it drift.
  ConsistFixture g;
  for (const char* length : {"0.1", "0.2", "0.7", "1e-15", "3.3"}) {
    g.model.add("W", length, "0.1");
  }
  const Totals start = totalsOf(g.model);
  for (int round = 0; round < 20; ++round) {
    g.model.move(0, 4);
    g.model.move(4, 0);
  }
  EXPECT_EQ(totalsOf(g.model), start);
}

TEST(ConsistModel, RestoringAStatePutsEverythingBack) {
  ConsistFixture f;
  threeWagons(f);
  const ConsistModel::State before = f.model.state();
  const std::vector<std::string> lines = f.model.lines();
  const Totals totals = totalsOf(f.model);

  f.model.removeAt(1);
  f.model.insertAt(0, "X", "1", "1", "x");
  f.model.clear();
  f.model.restore(before);
  EXPECT_EQ(f.model.lines(), lines);
  EXPECT_EQ(totalsOf(f.model), totals);
  EXPECT_EQ(f.model.pageStart(), 2);
  EXPECT_EQ(picturesOf(f.model, 4), (std::vector<std::string>{"a", "b", "c", "next"}));
  EXPECT_EQ(f.model.state(), before);
  expectInStep(f.model);
}

}  // namespace
}  // namespace rakewright
