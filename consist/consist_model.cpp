#include "consist/consist_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

#include "consist/paging.h"
#include "platform/cp1251.h"
#include "platform/numbers.h"

namespace rakewright {

namespace {

const std::string kNoText;

// A decimal total after one step, rounded to the 15 significant digits its text shows. A sum
// beyond the double range fails with the figure that took it there.
double roundedSum(double total, double figure, std::string_view figureText) {
  const double sum = total + figure;
  if (!std::isfinite(sum)) {
    throw notADecimal(figureText);
  }
  try {
    // Rounding up at the top of the range can still leave it.
    return parseDecimal(formatDecimal(sum));
  } catch (const ConversionError&) {
    throw notADecimal(figureText);
  }
}

std::int32_t wholeSum(std::int32_t total, std::int32_t figure) {
  const std::int64_t sum = std::int64_t{total} + figure;
  if (sum < std::numeric_limits<std::int32_t>::min() ||
      sum > std::numeric_limits<std::int32_t>::max()) {
    throw notAWhole(formatWhole(sum));
  }
  return static_cast<std::int32_t>(sum);
}

// A TAB or a line break in a field would split the consist line when it is saved.
bool breaksLine(std::string_view field) {
  return field.find_first_of("\t\r\n") != std::string_view::npos;
}

const std::string& badNameMessage() {
  static const std::string text =
      cp1251Text("Название вагона не может содержать табуляцию или перевод строки!");
  return text;
}

void requireWagon(int index, int count) {
  if (index < 0 || index >= count) {
    throw std::out_of_range("no wagon at consist line " + std::to_string(index));
  }
}

}  // namespace

std::string ConsistModel::consistLine(std::string_view amount, std::string_view name,
                                      std::string_view lengthText) {
  std::string line;
  line.reserve(amount.size() + name.size() + lengthText.size() + 2);
  line.append(amount).append(1, '\t').append(name).append(1, '\t').append(lengthText);
  return line;
}

std::vector<std::string> ConsistModel::lines() const {
  std::vector<std::string> result;
  result.reserve(state_.wagons.size());
  for (const Wagon& wagon : state_.wagons) {
    result.push_back(wagon.line);
  }
  return result;
}

const std::string& ConsistModel::wagonName(int position) const {
  if (position < 1 || position > wagonCount()) {
    return kNoText;
  }
  return state_.wagons[static_cast<std::size_t>(position - 1)].name;
}

const std::string& ConsistModel::wagonPicture(int position) const {
  if (position >= 1 && position <= wagonCount()) {
    return state_.wagons[static_cast<std::size_t>(position - 1)].picture;
  }
  return position == wagonCount() + 1 ? state_.offeredPicture : kNoText;
}

void ConsistModel::setWagonPicture(int position, std::string path) {
  if (position >= 1 && position <= wagonCount()) {
    state_.wagons[static_cast<std::size_t>(position - 1)].picture = std::move(path);
  } else if (position == wagonCount() + 1) {
    state_.offeredPicture = std::move(path);
  }
}

std::string ConsistModel::wagonCountText() const {
  return formatWhole(wagonCount());
}

void ConsistModel::restore(State state) {
  state_ = std::move(state);
  setSums(state_.sums);
}

ConsistModel::Sums ConsistModel::added(const Sums& sums, const Wagon& wagon) {
  Sums result;
  result.length = roundedSum(sums.length, parseDecimal(wagon.lengthText), wagon.lengthText);
  result.weight = roundedSum(sums.weight, parseDecimal(wagon.weightText), wagon.weightText);
  result.axles = wholeSum(sums.axles, wagon.axles);
  return result;
}

ConsistModel::Sums ConsistModel::summed(const std::vector<Wagon>& wagons) {
  Sums sums;
  for (const Wagon& wagon : wagons) {
    sums = added(sums, wagon);
  }
  return sums;
}

void ConsistModel::setSums(const Sums& sums) {
  state_.sums = sums;
  length_ = formatDecimal(sums.length);
  weight_ = formatDecimal(sums.weight);
  axles_ = formatWhole(sums.axles);
}

void ConsistModel::replaceWagons(std::vector<Wagon> wagons) {
  const Sums sums = summed(wagons);
  state_.wagons = std::move(wagons);
  setSums(sums);
}

void ConsistModel::insertWagon(int index, Wagon wagon) {
  std::vector<Wagon> wagons = state_.wagons;
  wagons.insert(wagons.begin() + index, std::move(wagon));
  replaceWagons(std::move(wagons));
}

ConsistModel::Wagon ConsistModel::chosenWagon(const WagonChoice& choice) const {
  if (breaksLine(choice.name)) {
    throw std::invalid_argument(badNameMessage());
  }
  Wagon wagon;
  wagon.name = choice.name;
  wagon.lengthText = choice.lengthText;
  wagon.weightText = choice.weightText;
  wagon.lengthSource = choice.lengthSource;
  wagon.weightSource = choice.weightSource;
  wagon.picture = choice.picture;
  // The figures are read in the order length, weight, axles, so the first bad one is reported.
  parseDecimal(choice.lengthText);
  parseDecimal(choice.weightText);
  const std::optional<std::string> axles = base_.open().knownAxles(choice.name);
  wagon.axles = parseWhole(axles ? *axles : kDefaultAxles);
  wagon.axlesSource = axles ? FigureSource::Base : FigureSource::Default;
  wagon.line = consistLine(kAmount, choice.name, choice.lengthText);
  return wagon;
}

ConsistModel::AddOutcome ConsistModel::add(const WagonChoice& choice) {
  if (wagonCount() >= kMaxWagons) {
    return AddOutcome::LimitReached;
  }
  // An empty name could not be told from a free position of the strip.
  if (choice.name.empty()) {
    return AddOutcome::EmptyName;
  }
  Wagon wagon = chosenWagon(choice);
  const Sums sums = added(state_.sums, wagon);

  const int countBefore = wagonCount();
  state_.wagons.push_back(std::move(wagon));
  setSums(sums);
  state_.offeredPicture.clear();
  state_.pageStart = pageStartAfterAdding(state_.pageStart, countBefore);
  return AddOutcome::Added;
}

ConsistModel::AddOutcome ConsistModel::add(std::string_view name, std::string_view lengthText,
                                           std::string_view weightText) {
  return add(WagonChoice{std::string(name), std::string(lengthText), std::string(weightText),
                         state_.offeredPicture});
}

std::optional<ConsistModel::AddOutcome> ConsistModel::addIfComplete(const WagonChoice& choice) {
  if (choice.name.empty() || choice.lengthText.empty()) {
    return std::nullopt;
  }
  return add(choice);
}

std::optional<ConsistModel::AddOutcome> ConsistModel::addIfComplete(std::string_view name,
                                                                    std::string_view lengthText,
                                                                    std::string_view weightText) {
  if (name.empty() || lengthText.empty()) {
    return std::nullopt;
  }
  return add(name, lengthText, weightText);
}

ConsistModel::AddOutcome ConsistModel::insertAt(int index, const WagonChoice& choice) {
  if (index < 0 || index > wagonCount()) {
    throw std::out_of_range("no consist line " + std::to_string(index) + " to insert at");
  }
  if (wagonCount() >= kMaxWagons) {
    return AddOutcome::LimitReached;
  }
  if (choice.name.empty()) {
    return AddOutcome::EmptyName;
  }
  insertWagon(index, chosenWagon(choice));
  return AddOutcome::Added;
}

ConsistModel::AddOutcome ConsistModel::insertAt(int index, std::string_view name,
                                                std::string_view lengthText,
                                                std::string_view weightText, std::string picture) {
  return insertAt(index, WagonChoice{std::string(name), std::string(lengthText),
                                     std::string(weightText), std::move(picture)});
}

void ConsistModel::move(int from, int to) {
  requireWagon(from, wagonCount());
  requireWagon(to, wagonCount());
  if (from == to) {
    return;
  }
  std::vector<Wagon> wagons = state_.wagons;
  const auto first = wagons.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else {
    std::rotate(first + to, first + from, first + from + 1);
  }
  replaceWagons(std::move(wagons));
}

ConsistModel::AddOutcome ConsistModel::copy(int from, int to) {
  requireWagon(from, wagonCount());
  if (to < 0 || to > wagonCount()) {
    throw std::out_of_range("no consist line " + std::to_string(to) + " to copy to");
  }
  if (wagonCount() >= kMaxWagons) {
    return AddOutcome::LimitReached;
  }
  insertWagon(to, state_.wagons[static_cast<std::size_t>(from)]);
  return AddOutcome::Added;
}

ConsistModel::Removed ConsistModel::removeAt(int index) {
  requireWagon(index, wagonCount());

  // The totals of the wagons that stay, in their order; a failure changes nothing.
  std::vector<Wagon> wagons = state_.wagons;
  Wagon removed = std::move(wagons[static_cast<std::size_t>(index)]);
  wagons.erase(wagons.begin() + index);
  const Sums sums = summed(wagons);

  const int countBefore = wagonCount();
  state_.wagons = std::move(wagons);
  setSums(sums);
  state_.offeredPicture.clear();
  state_.pageStart = pageStartAfterRemoving(state_.pageStart, countBefore);
  return WagonChoice{std::move(removed.name),       std::move(removed.lengthText),
                     std::move(removed.weightText), std::move(removed.picture),
                     removed.lengthSource,          removed.weightSource};
}

std::optional<ConsistModel::Removed> ConsistModel::removeLast() {
  if (state_.wagons.empty()) {
    return std::nullopt;
  }
  return removeAt(wagonCount() - 1);
}

void ConsistModel::clear() {
  if (!state_.wagons.empty()) {
    // The first position, which the picture was offered for, held a wagon.
    state_.offeredPicture.clear();
  }
  state_.wagons.clear();
  state_.pageStart = 1;
  setSums(Sums{});
}

bool ConsistModel::appendLoaded(Wagon wagon) {
  return appendLoaded(wagon, 1) == 1;
}

int ConsistModel::appendLoaded(const Wagon& wagon, std::int64_t copies) {
  if (wagon.name.empty()) {
    throw std::invalid_argument("a wagon needs a name");
  }
  parseDecimal(wagon.lengthText);
  parseDecimal(wagon.weightText);
  const std::int64_t room = kMaxWagons - wagonCount();
  const int count = static_cast<int>(std::clamp<std::int64_t>(copies, 0, room));
  Sums sums = state_.sums;
  for (int i = 0; i < count; ++i) {
    sums = added(sums, wagon);
  }
  Wagon loaded = wagon;
  loaded.picture.clear();
  state_.wagons.insert(state_.wagons.end(), static_cast<std::size_t>(count), loaded);
  setSums(sums);
  if (count > 0) {
    state_.offeredPicture.clear();
  }
  return count;
}

ConsistModel::AddOutcome ConsistModel::replaceAll(std::vector<Wagon> wagons) {
  if (wagons.size() > static_cast<std::size_t>(kMaxWagons)) {
    return AddOutcome::LimitReached;
  }
  for (const Wagon& wagon : wagons) {
    if (wagon.name.empty() || breaksLine(wagon.name)) {
      throw std::invalid_argument(badNameMessage());
    }
  }
  const bool shrinks = wagons.size() < state_.wagons.size();
  replaceWagons(std::move(wagons));
  if (shrinks) {
    state_.offeredPicture.clear();
  }
  state_.pageStart = pageStartAfterReplacing(state_.pageStart, wagonCount());
  return AddOutcome::Added;
}

}  // namespace rakewright
