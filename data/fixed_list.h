// A list of at most Capacity values kept in place: the game's lists are short and bounded, and
// a game's state stays one flat value that copies without allocating.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace fortuna {

template <typename T, int Capacity>
class FixedList {
 public:
  void clear() { size_ = 0; }
  void push_back(const T& value) {
    assert(size_ < Capacity);
    items_[static_cast<std::size_t>(size_++)] = value;
  }
  int size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](int index) {
    assert(index >= 0 && index < size_);
    return items_[static_cast<std::size_t>(index)];
  }
  const T& operator[](int index) const {
    assert(index >= 0 && index < size_);
    return items_[static_cast<std::size_t>(index)];
  }
  bool contains(const T& value) const {
    for (const T& item : *this)
      if (item == value) return true;
    return false;
  }
  T* begin() { return items_.data(); }
  T* end() { return items_.data() + size_; }
  const T* begin() const { return items_.data(); }
  const T* end() const { return items_.data() + size_; }

 private:
  std::array<T, static_cast<std::size_t>(Capacity)> items_{};
  int size_ = 0;
};

}  // namespace fortuna
