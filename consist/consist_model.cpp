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
      utf8ToCp1251("Название вагона не может содержать табуляцию или перевод строки!")
          .value_or("Invalid rolling-stock name");
  return text;
}

}  // namespace

std::vector<std::string> ConsistModel::lines() const {
  std::vector<std::string> result;
  result.reserve(wagons_.size());
  for (const Wagon& wagon : wagons_) {
    result.push_back(wagon.line);
  }
  return result;
}

const std::string& ConsistModel::WagonName(int position) const {
  if (position < 1 || position > WagonCount()) {
    return kNoText;
  }
  return wagons_[static_cast<std::size_t>(position - 1)].name;
}

const std::string& ConsistModel::WagonImage(int position) const {
  if (position < 1 || position > kPositions) {
    return kNoText;
  }
  return images_[static_cast<std::size_t>(position)];
}

void ConsistModel::setWagonImage(int position, std::string path) {
  if (position >= 1 && position <= kPositions) {
    images_[static_cast<std::size_t>(position)] = std::move(path);
  }
}

std::string ConsistModel::Wag_Num() const {
  return formatWhole(WagonCount());
}

ConsistModel::Sums ConsistModel::added(const Sums& sums, const Wagon& wagon) {
  Sums result;
  result.length = roundedSum(sums.length, parseDecimal(wagon.lengthText), wagon.lengthText);
  result.weight = roundedSum(sums.weight, parseDecimal(wagon.weightText), wagon.weightText);
  result.axles = wholeSum(sums.axles, wagon.axles);
  return result;
}

void ConsistModel::setSums(const Sums& sums) {
  sums_ = sums;
  length_ = formatDecimal(sums.length);
  weight_ = formatDecimal(sums.weight);
  axles_ = formatWhole(sums.axles);
}

ConsistModel::AddOutcome ConsistModel::addPS(std::string_view name, std::string_view lengthText,
                                             std::string_view weightText) {
  if (WagonCount() >= kMaxWagons) {
    return AddOutcome::LimitReached;
  }
  // An empty name could not be told from a free position of the tables.
  if (name.empty()) {
    return AddOutcome::EmptyName;
  }
  if (breaksLine(name)) {
    throw std::invalid_argument(badNameMessage());
  }

  Wagon wagon;
  wagon.name = std::string(name);
  wagon.lengthText = std::string(lengthText);
  wagon.weightText = std::string(weightText);
  // The figures are read in the order length, weight, axles, so the first bad one is reported.
  parseDecimal(lengthText);
  parseDecimal(weightText);
  wagon.axles = parseWhole(base_.open().axles(name));
  const Sums sums = added(sums_, wagon);

  wagon.line.reserve(kAmount.size() + name.size() + lengthText.size() + 2);
  wagon.line.append(kAmount).append(1, '\t').append(name).append(1, '\t').append(lengthText);

  // From the fourth wagon on, page so that the new wagon shows in the fourth slot, unless the
  // strip is already further on.
  const int countBefore = WagonCount();
  wagons_.push_back(std::move(wagon));
  setSums(sums);
  if (pageStart_ < countBefore - 2) {
    pageStart_ = countBefore - 2;
  }
  return AddOutcome::Added;
}

std::optional<ConsistModel::AddOutcome> ConsistModel::AddButtonClick(std::string_view name,
                                                                     std::string_view lengthText,
                                                                     std::string_view weightText) {
  if (kAmount.empty() || name.empty() || lengthText.empty()) {
    return std::nullopt;
  }
  return addPS(name, lengthText, weightText);
}

ConsistModel::Removed ConsistModel::DeleteWagon(int index) {
  if (index < 0 || index >= WagonCount()) {
    throw std::out_of_range("no wagon at consist line " + std::to_string(index));
  }
  const auto removedAt = static_cast<std::size_t>(index);

  // The totals of the wagons that stay, in their order; a failure changes nothing.
  Sums sums;
  for (std::size_t i = 0; i < wagons_.size(); ++i) {
    if (i != removedAt) {
      sums = added(sums, wagons_[i]);
    }
  }

  const int countBefore = WagonCount();
  // The strip's third slot was empty before the removal exactly when no wagon stood at
  // PageStart+2; then step back one page so the strip keeps showing wagons.
  const bool thirdSlotWasEmpty = pageStart_ + 2 > countBefore;

  Removed removed{std::move(wagons_[removedAt].lengthText),
                  std::move(wagons_[removedAt].weightText)};
  wagons_.erase(wagons_.begin() + index);
  setSums(sums);

  // The pictures move up with their wagons; the last filled position is freed. A picture
  // remembered for the position after the last wagon stays where it is.
  for (int p = index + 1; p < countBefore; ++p) {
    images_[static_cast<std::size_t>(p)] = std::move(images_[static_cast<std::size_t>(p + 1)]);
  }
  images_[static_cast<std::size_t>(countBefore)].clear();

  if (thirdSlotWasEmpty && pageStart_ > 1) {
    --pageStart_;
  }
  return removed;
}

std::optional<ConsistModel::Removed> ConsistModel::DeleteButtonClick() {
  if (wagons_.empty()) {
    return std::nullopt;
  }
  return DeleteWagon(WagonCount() - 1);
}

void ConsistModel::Clear() {
  for (int p = 1; p <= WagonCount(); ++p) {
    images_[static_cast<std::size_t>(p)].clear();
  }
  wagons_.clear();
  pageStart_ = 1;
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
  Sums sums = sums_;
  for (int i = 0; i < count; ++i) {
    sums = added(sums, wagon);
  }
  wagons_.insert(wagons_.end(), static_cast<std::size_t>(count), wagon);
  setSums(sums);
  return count;
}

}  // namespace rakewright
