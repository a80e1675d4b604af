// Shared small types of the game's records.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace fortuna {

// The game's records keep 16-bit booleans: True is -1, False is 0, any non-zero counts as true.
using Bool16 = std::int16_t;
inline constexpr Bool16 kTrue = -1;
inline constexpr Bool16 kFalse = 0;
inline constexpr Bool16 to_bool16(bool b) {
  return b ? kTrue : kFalse;
}

// A fixed array indexed Low..High, as the game's tables are (rooms -1..4, pile 1..40).
// An index outside the bounds is a fault of the caller: asserted, never silently wrapped.
template <typename T, int Low, int High>
class OffsetArray {
 public:
  static constexpr int kLow = Low;
  static constexpr int kHigh = High;

  constexpr T& operator[](int i) {
    assert(i >= Low && i <= High);
    return items_[static_cast<std::size_t>(i - Low)];
  }
  constexpr const T& operator[](int i) const {
    assert(i >= Low && i <= High);
    return items_[static_cast<std::size_t>(i - Low)];
  }
  constexpr void fill(const T& value) { items_.fill(value); }
  constexpr bool operator==(const OffsetArray&) const = default;

 private:
  std::array<T, High - Low + 1> items_{};
};

}  // namespace fortuna
