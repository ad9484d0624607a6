// Operations on a block of wagons: the wagons of a set of consist lines (0-based), taken in
// consist order whatever order the lines are given in, and not necessarily next to each other.
// The whole-train window selects such a block and removes, moves, copies, reverses or repeats it.
//
// Each operation changes the whole consist at once or not at all (ConsistModel::replaceAll): a
// block that would take the consist past ConsistModel::kMaxWagons is refused as a whole
// (LimitReached), the totals are the exact sum over the wagons afterwards, and every wagon keeps
// its picture. A line that names no wagon throws std::out_of_range before anything changes.
#pragma once

#include <vector>

#include "consist/consist_model.h"

namespace rakewright {

// Wagons with their pictures, as a clipboard holds them; they may come from another consist.
using WagonBlock = std::vector<ConsistModel::Wagon>;

// The lines of a block sorted, each once; std::out_of_range for a line that names no wagon.
std::vector<int> blockLines(const ConsistModel& model, const std::vector<int>& lines);

// Copies of the block's wagons in consist order.
WagonBlock copyBlock(const ConsistModel& model, const std::vector<int>& lines);

// Removes the block; the wagons after it close up.
void removeBlock(ConsistModel& model, const std::vector<int>& lines);

// Moves the block so that it stands, in its order, before the wagon that stands at line `before`
// now (wagonCount() puts it last); a `before` inside the block leaves the block there closed up.
// Returns the line of the block's first wagon afterwards. std::out_of_range for a `before`
// outside 0..wagonCount().
int moveBlock(ConsistModel& model, const std::vector<int>& lines, int before);

// Inserts copies of `block` at line `at` (0..wagonCount(); the end appends).
ConsistModel::AddOutcome insertBlock(ConsistModel& model, int at, const WagonBlock& block);

// Turns the block end for end: its first wagon takes the line of its last and so on; the wagons
// between its lines stay where they are.
void reverseBlock(ConsistModel& model, const std::vector<int>& lines);

// Makes the block stand `times` times in a row: times-1 copies of it follow its last wagon.
// `times` below 1 throws std::invalid_argument; 1 changes nothing.
ConsistModel::AddOutcome repeatBlock(ConsistModel& model, const std::vector<int>& lines, int times);

}  // namespace rakewright
