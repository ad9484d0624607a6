#include "reference/catalogue.h"

#include <stdexcept>

namespace rakewright {

Catalogue::Catalogue(std::initializer_list<std::string_view> names) {
  for (const std::string_view name : names) {
    push_back(name);
  }
}

std::string_view Catalogue::at(std::size_t position) const {
  if (position >= size()) {
    throw std::out_of_range("catalogue position " + std::to_string(position) + " of " +
                            std::to_string(size()));
  }
  return (*this)[position];
}

void Catalogue::push_back(std::string_view name) {
  bytes_.append(name);
  ends_.push_back(bytes_.size());
}

void Catalogue::clear() {
  bytes_.clear();
  ends_.clear();
}

void Catalogue::reserve(std::size_t names, std::size_t bytes) {
  ends_.reserve(names);
  bytes_.reserve(bytes);
}

}  // namespace rakewright
