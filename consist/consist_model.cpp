#include "consist/consist_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

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

const std::string& ConsistModel::WagonName(int position) const {
  if (position < 1 || position > WagonCount()) {
    return kNoText;
  }
  return state_.wagons[static_cast<std::size_t>(position - 1)].name;
}

const std::string& ConsistModel::WagonImage(int position) const {
  if (position < 1 || position > kPositions) {
    return kNoText;
  }
  return state_.images[static_cast<std::size_t>(position)];
}

void ConsistModel::setWagonImage(int position, std::string path) {
  if (position >= 1 && position <= kPositions) {
    state_.images[static_cast<std::size_t>(position)] = std::move(path);
  }
}

std::string ConsistModel::Wag_Num() const {
  return formatWhole(WagonCount());
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
  if (WagonCount() >= kMaxWagons) {
    return AddOutcome::LimitReached;
  }
  // An empty name could not be told from a free position of the tables.
  if (choice.name.empty()) {
    return AddOutcome::EmptyName;
  }
  Wagon wagon = chosenWagon(choice);
  const Sums sums = added(state_.sums, wagon);

  // From the fourth wagon on, page so that the new wagon shows in the fourth slot, unless the
  // strip is already further on.
  const int countBefore = WagonCount();
  state_.wagons.push_back(std::move(wagon));
  setSums(sums);
  state_.images[static_cast<std::size_t>(countBefore + 1)] = choice.picture;
  if (state_.pageStart < countBefore - 2) {
    state_.pageStart = countBefore - 2;
  }
  return AddOutcome::Added;
}

ConsistModel::AddOutcome ConsistModel::add(std::string_view name, std::string_view lengthText,
                                           std::string_view weightText) {
  return add(WagonChoice{std::string(name), std::string(lengthText), std::string(weightText),
                         WagonImage(WagonCount() + 1)});
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
  if (index < 0 || index > WagonCount()) {
    throw std::out_of_range("no consist line " + std::to_string(index) + " to insert at");
  }
  if (WagonCount() >= kMaxWagons) {
    return AddOutcome::LimitReached;
  }
  if (choice.name.empty()) {
    return AddOutcome::EmptyName;
  }
  std::vector<Wagon> wagons = state_.wagons;
  wagons.insert(wagons.begin() + index, chosenWagon(choice));
  replaceWagons(std::move(wagons));

  // Position index+1 takes the new wagon's picture; the rest move on by one.
  auto& images = state_.images;
  std::move_backward(images.begin() + index + 1, images.end() - 1, images.end());
  images[static_cast<std::size_t>(index + 1)] = choice.picture;
  return AddOutcome::Added;
}

ConsistModel::AddOutcome ConsistModel::insertAt(int index, std::string_view name,
                                                std::string_view lengthText,
                                                std::string_view weightText, std::string picture) {
  return insertAt(index, WagonChoice{std::string(name), std::string(lengthText),
                                     std::string(weightText), std::move(picture)});
}

void ConsistModel::move(int from, int to) {
  requireWagon(from, WagonCount());
  requireWagon(to, WagonCount());
  if (from == to) {
    return;
  }
  std::vector<Wagon> wagons = state_.wagons;
  auto& images = state_.images;
  // Lines and positions rotate over the same range: position = line + 1.
  const auto rotate = [from, to](auto first) {
    if (from < to) {
      std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
      std::rotate(first + to, first + from, first + from + 1);
    }
  };
  rotate(wagons.begin());
  replaceWagons(std::move(wagons));
  rotate(images.begin() + 1);
}

ConsistModel::AddOutcome ConsistModel::copy(int from, int to) {
  requireWagon(from, WagonCount());
  if (to < 0 || to > WagonCount()) {
    throw std::out_of_range("no consist line " + std::to_string(to) + " to copy to");
  }
  if (WagonCount() >= kMaxWagons) {
    return AddOutcome::LimitReached;
  }
  const Wagon wagon = state_.wagons[static_cast<std::size_t>(from)];
  std::string picture = WagonImage(from + 1);
  std::vector<Wagon> wagons = state_.wagons;
  wagons.insert(wagons.begin() + to, wagon);
  replaceWagons(std::move(wagons));
  auto& images = state_.images;
  std::move_backward(images.begin() + to + 1, images.end() - 1, images.end());
  images[static_cast<std::size_t>(to + 1)] = std::move(picture);
  return AddOutcome::Added;
}

ConsistModel::Removed ConsistModel::removeAt(int index) {
  requireWagon(index, WagonCount());
  const auto removedAt = static_cast<std::size_t>(index);

  // The totals of the wagons that stay, in their order; a failure changes nothing.
  std::vector<Wagon> wagons = state_.wagons;
  Wagon removedWagon = std::move(wagons[removedAt]);
  wagons.erase(wagons.begin() + index);
  const Sums sums = summed(wagons);

  const int countBefore = WagonCount();
  // The strip's third slot was empty before the removal exactly when no wagon stood at
  // PageStart+2; then step back one page so the strip keeps showing wagons.
  const bool thirdSlotWasEmpty = state_.pageStart + 2 > countBefore;

  state_.wagons = std::move(wagons);
  setSums(sums);

  // The pictures move up with their wagons; the last filled position is freed. A picture
  // remembered for the position after the last wagon stays where it is.
  auto& images = state_.images;
  std::string removedPicture = std::move(images[removedAt + 1]);
  for (int p = index + 1; p < countBefore; ++p) {
    images[static_cast<std::size_t>(p)] = std::move(images[static_cast<std::size_t>(p + 1)]);
  }
  images[static_cast<std::size_t>(countBefore)].clear();

  if (thirdSlotWasEmpty && state_.pageStart > 1) {
    --state_.pageStart;
  }
  return WagonChoice{std::move(removedWagon.name),       std::move(removedWagon.lengthText),
                     std::move(removedWagon.weightText), std::move(removedPicture),
                     removedWagon.lengthSource,          removedWagon.weightSource};
}

std::optional<ConsistModel::Removed> ConsistModel::removeLast() {
  if (state_.wagons.empty()) {
    return std::nullopt;
  }
  return removeAt(WagonCount() - 1);
}

void ConsistModel::clear() {
  for (int p = 1; p <= WagonCount(); ++p) {
    state_.images[static_cast<std::size_t>(p)].clear();
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
  const std::int64_t room = kMaxWagons - WagonCount();
  const int count = static_cast<int>(std::clamp<std::int64_t>(copies, 0, room));
  Sums sums = state_.sums;
  for (int i = 0; i < count; ++i) {
    sums = added(sums, wagon);
  }
  state_.wagons.insert(state_.wagons.end(), static_cast<std::size_t>(count), wagon);
  setSums(sums);
  return count;
}

std::vector<ConsistModel::CarriedWagon> ConsistModel::carriedWagons() const {
  std::vector<CarriedWagon> carried;
  carried.reserve(state_.wagons.size());
  for (std::size_t i = 0; i < state_.wagons.size(); ++i) {
    carried.push_back({state_.wagons[i], state_.images[i + 1]});
  }
  return carried;
}

ConsistModel::AddOutcome ConsistModel::replaceAll(std::vector<CarriedWagon> carried) {
  if (carried.size() > static_cast<std::size_t>(kMaxWagons)) {
    return AddOutcome::LimitReached;
  }
  std::vector<Wagon> wagons;
  wagons.reserve(carried.size());
  for (CarriedWagon& each : carried) {
    if (each.wagon.name.empty() || breaksLine(each.wagon.name)) {
      throw std::invalid_argument(badNameMessage());
    }
    wagons.push_back(std::move(each.wagon));
  }
  const Sums sums = summed(wagons);

  const int oldCount = WagonCount();
  const int newCount = static_cast<int>(wagons.size());
  auto& images = state_.images;
  if (newCount > oldCount) {
    // What was remembered after the last wagon stays after it.
    std::move_backward(images.begin() + oldCount + 1, images.end() - (newCount - oldCount),
                       images.end());
  }
  for (int p = 1; p <= std::max(oldCount, newCount); ++p) {
    images[static_cast<std::size_t>(p)] =
        p <= newCount ? std::move(carried[static_cast<std::size_t>(p - 1)].picture) : std::string();
  }
  state_.wagons = std::move(wagons);
  setSums(sums);
  state_.pageStart = std::min(state_.pageStart, std::max(newCount, 1));
  return AddOutcome::Added;
}

}  // namespace rakewright
