// The consist being edited: its wagons in order, each with its consist line ("amount TAB name TAB
// length") and its alternative picture, the picture offered for the next wagon added, the first
// position the strip shows (the page start) and the four totals held as text.
//
// The wagons are the single source of truth: the names by position, the wagon count, the consist
// lines and the count's text are all read from them, so they cannot drift apart. Each wagon remembers the length,
// weight and axles that were counted for it, and the totals are always the running sum of those
// figures over the wagons in the consist, in consist order (each step rounded to 15 significant
// digits, as the totals are shown). Adding a wagon adds its figures; every other change recomputes
// the sum, so what typing into the weight field or editing the base did meanwhile cannot leave a
// remainder, and no sequence of changes makes the totals drift. Every operation checks all its
// figures before it changes anything: a conversion failure (ConversionError) leaves the consist as
// it was. A sum that leaves the range of its total (32 bits for axles, the double range for length
// and weight) is a conversion failure too.
//
// Where the page start goes when wagons come and go is the strip's paging rule (consist/paging.h);
// the model applies it at each change, so that the consist and what the strip shows stay in step.
//
// The whole state can be taken (state()) and put back (restore()), which is what undo needs.
// The consist document (app/document) passes the selection in, and the windows show what the
// operations report.
#pragma once

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
    // The alternative picture the strip falls back to (a folder wagon's bitmap), "" for none.
    std::string picture{};
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
    std::string offeredPicture;  // for the wagon added next, at position wagonCount() + 1
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
  int wagonCount() const { return static_cast<int>(state_.wagons.size()); }
  // The name of the wagon at `position` (1-based); "" where no wagon stands.
  const std::string& wagonName(int position) const;
  // The alternative picture of the wagon at `position`; at wagonCount() + 1 the picture offered
  // for the next wagon; "" elsewhere.
  const std::string& wagonPicture(int position) const;
  // Sets what wagonPicture(position) gives; other positions are ignored.
  void setWagonPicture(int position, std::string path);

  int pageStart() const { return state_.pageStart; }
  void setPageStart(int pageStart) { state_.pageStart = pageStart < 1 ? 1 : pageStart; }

  // The totals as the window shows and saves them.
  std::string wagonCountText() const;
  const std::string& lengthText() const { return length_; }
  const std::string& weightText() const { return weight_; }
  const std::string& axlesText() const { return axles_; }

  const State& state() const { return state_; }
  void restore(State state);

  // --- Operations ------------------------------------------------------------------------------
  enum class AddOutcome { Added, LimitReached, EmptyName };

  // Appends the choice as one wagon: line "1 TAB name TAB length", the length and weight as
  // given, the axles from the base; the choice's picture becomes its alternative picture, and no
  // picture is offered any more. Refuses at 100 wagons and for an empty name. Pages as adding
  // pages (pageStartAfterAdding). Throws ConversionError (nothing changed) when the
  // length, the weight or the base's axle count is not a number, or a total would leave its
  // range. A name holding a TAB or a line break, which no catalogue gives, would break the
  // consist line: std::invalid_argument, nothing changed.
  AddOutcome add(const WagonChoice& choice);
  // The same with the figures typed, and the picture offered.
  AddOutcome add(std::string_view name, std::string_view lengthText, std::string_view weightText);

  // add() only when the name and the length are both non-empty; nullopt (nothing done, nothing
  // to show) otherwise.
  std::optional<AddOutcome> addIfComplete(const WagonChoice& choice);
  std::optional<AddOutcome> addIfComplete(std::string_view name, std::string_view lengthText,
                                          std::string_view weightText);

  // Inserts the choice at consist line `index` (0..wagonCount(), the end appends) with its
  // picture as its alternative picture; the wagons from there on move one position on, and the
  // offered picture stays offered. The page start stays. Refuses and throws as
  // add() does; std::out_of_range for an index outside 0..wagonCount().
  AddOutcome insertAt(int index, const WagonChoice& choice);
  AddOutcome insertAt(int index, std::string_view name, std::string_view lengthText,
                      std::string_view weightText, std::string picture);

  // Moves the wagon of line `from` with its picture so that it becomes line `to`; the wagons in
  // between close up. Both must name a wagon (std::out_of_range). The page start stays.
  void move(int from, int to);

  // Inserts a copy of the wagon of line `from`, with its figures and picture, at line `to`
  // (0..wagonCount()), as insertAt() does; refuses at 100 wagons.
  AddOutcome copy(int from, int to);

  // A removal gives back the removed wagon as a choice: its name, its length field, its counted
  // weight, its picture and their sources, so that adding it again puts it back as it was.
  using Removed = WagonChoice;

  // Removes the wagon of consist line `index` (0-based); the wagons after it move up one
  // position, no picture is offered any more, and the strip pages as removing pages
  // (pageStartAfterRemoving). Throws std::out_of_range for an index that names no wagon. Removing the
  // last wagon always succeeds; removing another can fail with ConversionError (nothing changed)
  // only when the remaining wagons' sum leaves the range of a total, which takes negative figures.
  Removed removeAt(int index);

  // Removes the last wagon; nullopt when the consist is empty.
  std::optional<Removed> removeLast();

  // Removes every wagon: totals "0", page start 1; a picture offered to the empty consist stays.
  void clear();

  // Appends a wagon read from a consist file with what was counted for it (the file reader's
  // lookups), without a picture; a picture offered before belongs to no loaded wagon and is
  // dropped. Throws ConversionError, changing nothing, when a figure is not a number or a total
  // would leave its range; returns false, changing nothing, when the consist already holds
  // kMaxWagons wagons. std::invalid_argument for an empty name.
  bool appendLoaded(Wagon wagon);

  // Appends up to `copies` equal wagons, as many as the limit leaves room for, all or none:
  // the figures of every copy are checked first. Returns the number appended.
  int appendLoaded(const Wagon& wagon, std::int64_t copies);

  // --- The whole consist at once (consist/consist_blocks builds its block operations on these) --
  // Puts `wagons` with their pictures in place of the consist's wagons, all or nothing. Refuses
  // (LimitReached, nothing changed) more than kMaxWagons wagons; throws ConversionError (nothing
  // changed) when a total would leave its range, and std::invalid_argument for a wagon without a
  // name or with a TAB or line break in it. The offered picture stays offered when the consist
  // keeps its length or grows (as inserting leaves it) and is dropped when it shrinks (as removing
  // drops it). The page start stays, but never beyond the last wagon.
  AddOutcome replaceAll(std::vector<Wagon> wagons);

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
  // Inserts `wagon` (already checked) at line `index`; the sums are checked first.
  void insertWagon(int index, Wagon wagon);

  RollingStockBase& base_;
  State state_;
  std::string length_ = "0";
  std::string weight_ = "0";
  std::string axles_ = "0";
};

}  // namespace rakewright
