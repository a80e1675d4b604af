#include "run/key_timing.h"

#include <cstdlib>
#include <fstream>

namespace fortuna {

void TimedEngine::speak(std::string_view utf8) {
  inner_.speak(utf8);
  // A silence says nothing: the key's first text is still to come.
  if (!key_at_ || utf8.empty()) return;
  const std::uint64_t elapsed = now_() - *key_at_;
  samples_us_.push_back(1e6 * static_cast<double>(elapsed) /
                        static_cast<double>(ticks_per_second_));
  key_at_.reset();
}

void write_key_timings(const TimedEngine& timed) {
  const char* path = std::getenv("FORTUNA_KEY_TIMING");
  if (!path || !*path) return;
  std::ofstream out(path, std::ios::trunc);
  for (double us : timed.samples_us()) out << us << '\n';
}

}  // namespace fortuna
