#include "data/clock.h"

#include <ctime>

namespace fortuna {

TimeOfDay SystemClock::now() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::optional<TimeOfDay> parse_time_of_day(std::string_view text) {
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  auto two_digits = [&](std::size_t at) -> int {
    char a = text[at], b = text[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
  };
  TimeOfDay t{two_digits(0), two_digits(3), two_digits(6)};
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59)
    return std::nullopt;
  return t;
}

std::uint64_t clock_seed(TimeOfDay time) {
  return static_cast<std::uint64_t>(time.hour) * static_cast<std::uint64_t>(time.minute) *
         static_cast<std::uint64_t>(time.second);
}

}  // namespace fortuna
