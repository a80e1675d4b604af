// The program's one pseudo-random generator: SplitMix64, pinned so that a game is the same on
// every platform and compiler given the same clock and keys.
#pragma once

#include <cstdint>

namespace fortuna {

class Random {
 public:
  static constexpr std::uint64_t kStartState = 0x2545F4914F6CDD1DULL;

  Random() = default;
  explicit Random(std::uint64_t state) : state_(state) {}

  // Uniform x in [0, 1).
  double x() {
    ++draws_;
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z = z ^ (z >> 31);
    return static_cast<double>(z >> 11) * 0x1.0p-53;
  }

  // A whole number from 1 to n: Int(x * n) + 1.
  int draw(int n) { return static_cast<int>(x() * n) + 1; }
  // The next count draws of draw(n) - 1, for n from 1 to 256, at once: exactly what the draws
  // one by one give, several at a time where the processor can.
  void draw_below(int n, std::uint8_t* out, int count);

  void seed(std::uint64_t s) { state_ = s; }
  std::uint64_t state() const { return state_; }
  // How many draws were taken so far; the benchmarks weigh a game by it.
  std::uint64_t draws() const { return draws_; }

 private:
  std::uint64_t state_ = kStartState;
  std::uint64_t draws_ = 0;
};

}  // namespace fortuna
