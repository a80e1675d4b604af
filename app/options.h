// What the command line asked for.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "model/clock.h"

namespace fortuna {

struct Options {
  std::string frontend;   // "window" or "headless"; empty: the best available
  std::string speech;     // "espeak", "speechd", "text" or "none"; empty: the front end's default
  std::string keys_file;  // empty: standard input
  std::string transcript_file;  // empty: none; "-": standard output
  std::optional<TimeOfDay> clock;
};

// The clock a run reads: fixed by --clock, else the system's.
inline std::unique_ptr<Clock> make_clock(const Options& options) {
  if (options.clock) return std::make_unique<FixedClock>(*options.clock);
  return std::make_unique<SystemClock>();
}

}  // namespace fortuna
