#include "run/run_engine.h"

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace fortuna {

std::uint64_t steady_nanoseconds() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

void RunEngine::speak(std::string_view utf8) {
  inner_.speak(interrupts_.signal() ? std::string_view() : utf8);
  // A silence says nothing: the key's first text is still to come.
  if (!key_at_ || utf8.empty()) return;
  samples_us_.push_back(static_cast<double>(steady_nanoseconds() - *key_at_) / 1e3);
  key_at_.reset();
}

void RunEngine::write_key_timings() const {
  const char* path = std::getenv("FORTUNA_KEY_TIMING");
  if (!path || !*path) return;
  std::ofstream out(path, std::ios::trunc);
  for (double us : samples_us_) out << us << '\n';
}

}  // namespace fortuna
