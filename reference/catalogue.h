// Catalogue, a list of rolling-stock names in the order of their catalogue file, duplicates and
// empty names included. A traffic list may hold a million names, so they are kept end to end in
// one buffer of Windows-1251 bytes with the end of each name beside it, instead of a string object
// per name: a name costs its bytes and one offset, and reading a name gives a view into the buffer.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace rakewright {

class Catalogue {
 public:
  // Walks the names in order, each as a view into the catalogue.
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    const_iterator(const Catalogue* catalogue, std::size_t at) : catalogue_(catalogue), at_(at) {}

    std::string_view operator*() const { return (*catalogue_)[at_]; }
    std::string_view operator[](difference_type n) const {
      return (*catalogue_)[at_ + static_cast<std::size_t>(n)];
    }
    const_iterator& operator++() {
      ++at_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++at_;
      return before;
    }
    const_iterator& operator--() {
      --at_;
      return *this;
    }
    const_iterator operator--(int) {
      const_iterator before = *this;
      --at_;
      return before;
    }
    const_iterator& operator+=(difference_type n) {
      at_ += static_cast<std::size_t>(n);
      return *this;
    }
    const_iterator& operator-=(difference_type n) {
      at_ -= static_cast<std::size_t>(n);
      return *this;
    }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.at_ == b.at_;
    }
    friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
      return a.at_ <=> b.at_;
    }

   private:
    const Catalogue* catalogue_ = nullptr;
    std::size_t at_ = 0;
  };
  using iterator = const_iterator;
  using value_type = std::string_view;
  using size_type = std::size_t;

  Catalogue() = default;
  Catalogue(std::initializer_list<std::string_view> names);

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  // The name at `position` (from 0); operator[] does not check the position, at() throws
  // std::out_of_range.
  std::string_view operator[](std::size_t position) const {
    const std::size_t start = position == 0 ? 0 : ends_[position - 1];
    return std::string_view(bytes_).substr(start, ends_[position] - start);
  }
  std::string_view at(std::size_t position) const;
  std::string_view front() const { return (*this)[0]; }
  std::string_view back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // The bytes of all names together.
  std::size_t bytes() const { return bytes_.size(); }

  void push_back(std::string_view name);
  void clear();
  // Room for `names` names of `bytes` bytes in all, so that building a large catalogue does not
  // copy it over and over.
  void reserve(std::size_t names, std::size_t bytes);

  bool operator==(const Catalogue& other) const = default;

 private:
  std::string bytes_;
  std::vector<std::size_t> ends_;  // where each name ends in bytes_
};

}  // namespace rakewright
