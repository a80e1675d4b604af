// The local clock, as the game reads it (hour, minute, second).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fortuna {

struct TimeOfDay {
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeOfDay now() = 0;
};

class SystemClock final : public Clock {
 public:
  TimeOfDay now() override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(TimeOfDay time) : time_(time) {}
  TimeOfDay now() override { return time_; }
  void set(TimeOfDay time) { time_ = time; }

 private:
  TimeOfDay time_;
};

// "HH:MM:SS" with hour 0-23, minute and second 0-59; nothing for anything else.
std::optional<TimeOfDay> parse_time_of_day(std::string_view text);

// The generator's seed for a game started at this time: hour x minute x second, so 0 whenever
// one of the three is 0.
std::uint64_t clock_seed(TimeOfDay time);

}  // namespace fortuna
