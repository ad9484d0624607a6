#include "consist/consist_blocks.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace rakewright {

namespace {

using Outcome = ConsistModel::AddOutcome;

// Whether each line of the consist belongs to the block.
std::vector<bool> membership(const ConsistModel& model, const std::vector<int>& sorted) {
  std::vector<bool> inBlock(static_cast<std::size_t>(model.wagonCount()), false);
  for (const int line : sorted) {
    inBlock[static_cast<std::size_t>(line)] = true;
  }
  return inBlock;
}

}  // namespace

std::vector<int> blockLines(const ConsistModel& model, const std::vector<int>& lines) {
  std::vector<int> sorted = lines;
  for (const int line : sorted) {
    if (line < 0 || line >= model.wagonCount()) {
      throw std::out_of_range("no wagon at consist line " + std::to_string(line));
    }
  }
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  return sorted;
}

WagonBlock copyBlock(const ConsistModel& model, const std::vector<int>& lines) {
  const std::vector<int> sorted = blockLines(model, lines);
  WagonBlock block;
  block.reserve(sorted.size());
  for (const int line : sorted) {
    block.push_back(model.wagons()[static_cast<std::size_t>(line)]);
  }
  return block;
}

void removeBlock(ConsistModel& model, const std::vector<int>& lines) {
  const std::vector<bool> inBlock = membership(model, blockLines(model, lines));
  WagonBlock wagons = model.wagons();
  WagonBlock kept;
  kept.reserve(wagons.size());
  for (std::size_t i = 0; i < wagons.size(); ++i) {
    if (!inBlock[i]) {
      kept.push_back(std::move(wagons[i]));
    }
  }
  model.replaceAll(std::move(kept));
}

int moveBlock(ConsistModel& model, const std::vector<int>& lines, int before) {
  if (before < 0 || before > model.wagonCount()) {
    throw std::out_of_range("no consist line " + std::to_string(before) + " to move to");
  }
  const std::vector<bool> inBlock = membership(model, blockLines(model, lines));
  WagonBlock wagons = model.wagons();
  WagonBlock block;
  WagonBlock others;
  int othersBefore = 0;  // the wagons outside the block that stay in front of it
  for (std::size_t i = 0; i < wagons.size(); ++i) {
    if (inBlock[i]) {
      block.push_back(std::move(wagons[i]));
    } else {
      if (static_cast<int>(i) < before) {
        ++othersBefore;
      }
      others.push_back(std::move(wagons[i]));
    }
  }
  if (block.empty()) {
    return before;
  }
  others.insert(others.begin() + othersBefore, std::make_move_iterator(block.begin()),
                std::make_move_iterator(block.end()));
  model.replaceAll(std::move(others));
  return othersBefore;
}

Outcome insertBlock(ConsistModel& model, int at, const WagonBlock& block) {
  if (at < 0 || at > model.wagonCount()) {
    throw std::out_of_range("no consist line " + std::to_string(at) + " to insert at");
  }
  if (block.empty()) {
    return Outcome::Added;
  }
  if (static_cast<std::int64_t>(block.size()) > ConsistModel::kMaxWagons - model.wagonCount()) {
    return Outcome::LimitReached;
  }
  WagonBlock wagons = model.wagons();
  wagons.insert(wagons.begin() + at, block.begin(), block.end());
  return model.replaceAll(std::move(wagons));
}

void reverseBlock(ConsistModel& model, const std::vector<int>& lines) {
  const std::vector<int> sorted = blockLines(model, lines);
  if (sorted.size() < 2) {
    return;
  }
  WagonBlock wagons = model.wagons();
  for (std::size_t i = 0, j = sorted.size() - 1; i < j; ++i, --j) {
    std::swap(wagons[static_cast<std::size_t>(sorted[i])],
              wagons[static_cast<std::size_t>(sorted[j])]);
  }
  model.replaceAll(std::move(wagons));
}

Outcome repeatBlock(ConsistModel& model, const std::vector<int>& lines, int times) {
  if (times < 1) {
    throw std::invalid_argument("a block stands at least once");
  }
  const std::vector<int> sorted = blockLines(model, lines);
  if (sorted.empty() || times == 1) {
    return Outcome::Added;
  }
  const std::int64_t added = std::int64_t{times - 1} * static_cast<std::int64_t>(sorted.size());
  if (added > ConsistModel::kMaxWagons - model.wagonCount()) {
    return Outcome::LimitReached;
  }
  const WagonBlock block = copyBlock(model, sorted);
  WagonBlock wagons = model.wagons();
  WagonBlock copies;
  copies.reserve(static_cast<std::size_t>(added));
  for (int i = 1; i < times; ++i) {
    copies.insert(copies.end(), block.begin(), block.end());
  }
  wagons.insert(wagons.begin() + sorted.back() + 1, copies.begin(), copies.end());
  return model.replaceAll(std::move(wagons));
}

}  // namespace rakewright
