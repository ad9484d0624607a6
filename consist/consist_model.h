// The consist being edited: its wagons in order, each with its consist line ("amount TAB name TAB
// length"), the two 102-position tables behind the strip (WagonNames, WagonImages), WagonCount,
// PageStart and the four totals held as text.
//
// The wagons are the single source of truth: WagonNames, WagonCount, the consist lines and
// Wag_Num are all read from them, so they cannot drift apart. Each wagon remembers the length,
// weight and axles that were counted for it, and the totals are always the running sum of those
// figures over the wagons in the consist, in consist order (each step rounded to 15 significant
// digits, as the totals are shown). Adding a wagon adds its figures; every other change recomputes
// the sum, so what typing into the weight field or editing the base did meanwhile cannot leave a
// remainder, and no sequence of changes makes the totals drift. Every operation checks all its
// figures before it changes anything: a conversion failure (ConversionError) leaves the consist as
// it was. A sum that leaves the range of its total (32 bits for axles, the double range for length
// and weight) is a conversion failure too.
//
// The whole state can be taken (state()) and put back (restore()), which is what undo needs.
// The window (TForm1) passes the selection fields in, shows what the operations report, and runs
// the strip redraw after each change.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reference/figure_source.h"
#include "reference/rolling_stock_base.h"

namespace rakewright {

// A wagon as it is offered for adding: the selection fields' texts, the alternative picture that
// goes with it into the strip, and where its length and weight came from. A catalogue selection
// makes one, and so does a removal (the removed wagon, so that "+" puts it back as it was).
struct WagonChoice {
  std::string name;
  std::string lengthText;
  std::string weightText;
  std::string picture;
  FigureSource lengthSource = FigureSource::Typed;
  FigureSource weightSource = FigureSource::Typed;
  bool operator==(const WagonChoice&) const = default;
};

class ConsistModel {
 public:
  static constexpr int kPositions = 102;            // positions 1..102 of the tables
  static constexpr int kMaxWagons = 100;            // adding stops here
  static constexpr std::string_view kAmount = "1";  // the amount of every line added

  // One wagon with what was counted for it.
  struct Wagon {
    std::string line;        // the consist line as stored
    std::string name;        // rolling-stock name, never empty
    std::string lengthText;  // the length field as written in the line
    std::string weightText;  // the weight counted, as it was given
    std::int32_t axles = 0;  // the axles counted
    // Where the figures came from.
    FigureSource lengthSource = FigureSource::Typed;
    FigureSource weightSource = FigureSource::Typed;
    FigureSource axlesSource = FigureSource::Base;
    bool operator==(const Wagon&) const = default;
  };

  // Running sums behind the total texts; each step is rounded to what its text shows.
  struct Sums {
    double length = 0;
    double weight = 0;
    std::int32_t axles = 0;
    bool operator==(const Sums&) const = default;
  };

  // Everything the consist holds, for undo: restore(state()) changes nothing.
  struct State {
    std::vector<Wagon> wagons;
    std::array<std::string, kPositions + 1> images{};  // [0] unused
    int pageStart = 1;
    Sums sums;
    bool operator==(const State&) const = default;
  };

  // The consist line "amount TAB name TAB length".
  static std::string consistLine(std::string_view amount, std::string_view name,
                                 std::string_view lengthText);

  explicit ConsistModel(RollingStockBase& base) : base_(base) {}

  RollingStockBase& base() { return base_; }

  // --- State -------------------------------------------------------------------------------
  const std::vector<Wagon>& wagons() const { return state_.wagons; }
  std::vector<std::string> lines() const;
  int WagonCount() const { return static_cast<int>(state_.wagons.size()); }
  // Position 1..102; "" for a free position or one outside the table.
  const std::string& WagonName(int position) const;
  const std::string& WagonImage(int position) const;
  // The remembered wagon picture: the folder selection writes it for position WagonCount()+1.
  // Positions outside 1..102 are ignored.
  void setWagonImage(int position, std::string path);

  int PageStart() const { return state_.pageStart; }
  void setPageStart(int pageStart) { state_.pageStart = pageStart < 1 ? 1 : pageStart; }

  // The totals as the window shows and saves them.
  std::string Wag_Num() const;
  const std::string& ConsistLength() const { return length_; }
  const std::string& Con_Weight() const { return weight_; }
  const std::string& Num_Osey() const { return axles_; }

  const State& state() const { return state_; }
  void restore(State state);

  // --- Operations ------------------------------------------------------------------------------
  enum class AddOutcome { Added, LimitReached, EmptyName };

  // Appends the choice as one wagon: line "1 TAB name TAB length", the length and weight as
  // given, the axles from the base; the choice's picture becomes its alternative picture.
  // Refuses at 100 wagons and for an empty name. Moves PageStart so that from the fourth wagon on
  // the new wagon shows in the fourth slot. Throws ConversionError (nothing changed) when the
  // length, the weight or the base's axle count is not a number, or a total would leave its
  // range. A name holding a TAB or a line break, which no catalogue gives, would break the
  // consist line: std::invalid_argument, nothing changed.
  AddOutcome add(const WagonChoice& choice);
  // The same with the figures typed, and the picture already at the next position.
  AddOutcome add(std::string_view name, std::string_view lengthText, std::string_view weightText);

  // add() only when the name and the length are both non-empty; nullopt (nothing done, nothing
  // to show) otherwise.
  std::optional<AddOutcome> addIfComplete(const WagonChoice& choice);
  std::optional<AddOutcome> addIfComplete(std::string_view name, std::string_view lengthText,
                                          std::string_view weightText);

  // Inserts the choice at consist line `index` (0..WagonCount(), the end appends) with its
  // picture as its alternative picture; the wagons from there on and their pictures move one
  // position on (a picture at position 102 falls off). PageStart stays. Refuses and throws as
  // add() does; std::out_of_range for an index outside 0..WagonCount().
  AddOutcome insertAt(int index, const WagonChoice& choice);
  AddOutcome insertAt(int index, std::string_view name, std::string_view lengthText,
                      std::string_view weightText, std::string picture);

  // Moves the wagon of line `from` with its picture so that it becomes line `to`; the wagons in
  // between close up. Both must name a wagon (std::out_of_range). PageStart stays.
  void move(int from, int to);

  // Inserts a copy of the wagon of line `from`, with its figures and picture, at line `to`
  // (0..WagonCount()), as insertAt() does; refuses at 100 wagons.
  AddOutcome copy(int from, int to);

  // A removal gives back the removed wagon as a choice: its name, its length field, its counted
  // weight, its picture and their sources, so that adding it again puts it back as it was.
  using Removed = WagonChoice;

  // Removes the wagon of consist line `index` (0-based); the wagons after it and their pictures
  // move up one position. Throws std::out_of_range for an index that names no wagon. Removing the
  // last wagon always succeeds; removing another can fail with ConversionError (nothing changed)
  // only when the remaining wagons' sum leaves the range of a total, which takes negative figures.
  Removed removeAt(int index);

  // Removes the last wagon; nullopt when the consist is empty.
  std::optional<Removed> removeLast();

  // Removes every wagon: totals "0", PageStart 1, the filled positions of both tables emptied.
  void clear();

  // Appends a wagon read from a consist file with what was counted for it (the file reader's
  // lookups). Throws ConversionError, changing nothing, when a figure is not a number or a total
  // would leave its range; returns false, changing nothing, when the consist already holds
  // kMaxWagons wagons. std::invalid_argument for an empty name.
  bool appendLoaded(Wagon wagon);

  // Appends up to `copies` equal wagons, as many as the limit leaves room for, all or none:
  // the figures of every copy are checked first. Returns the number appended.
  int appendLoaded(const Wagon& wagon, std::int64_t copies);

  // --- The whole consist at once (consist/consist_blocks builds its block operations on these) --
  // A wagon with its alternative picture: what a block operation moves and a clipboard holds.
  struct CarriedWagon {
    Wagon wagon;
    std::string picture;
    bool operator==(const CarriedWagon&) const = default;
  };
  std::vector<CarriedWagon> carriedWagons() const;

  // Puts `wagons` with their pictures in place of the consist's wagons, all or nothing. Refuses
  // (LimitReached, nothing changed) more than kMaxWagons wagons; throws ConversionError (nothing
  // changed) when a total would leave its range, and std::invalid_argument for a wagon without a
  // name or with a TAB or line break in it. The remembered picture after the last wagon moves on
  // when the consist grows (as inserting moves it) and stays when it shrinks (as removing leaves
  // it); positions that no longer hold a wagon lose their pictures. PageStart stays, but never
  // beyond the last wagon.
  AddOutcome replaceAll(std::vector<CarriedWagon> wagons);

 private:
  // The sums with `wagon` counted once more; throws ConversionError.
  static Sums added(const Sums& sums, const Wagon& wagon);
  // The sums over `wagons` in their order; throws ConversionError.
  static Sums summed(const std::vector<Wagon>& wagons);
  void setSums(const Sums& sums);
  // A wagon from a choice, checked; throws as add() does.
  Wagon chosenWagon(const WagonChoice& choice) const;
  // Puts `wagons` (already checked) in place of the consist's wagons, with their sums.
  void replaceWagons(std::vector<Wagon> wagons);

  RollingStockBase& base_;
  State state_;
  std::string length_ = "0";
  std::string weight_ = "0";
  std::string axles_ = "0";
};

}  // namespace rakewright
