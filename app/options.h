// What the command line asked for.
#pragma once

#include <optional>
#include <string>

#include "model/clock.h"

namespace fortuna {

struct Options {
  std::string frontend;         // "window" or "headless"; empty: the best available
  std::string speech;           // "espeak", "text" or "none"; empty: the front end's default
  std::string keys_file;        // empty: standard input
  std::string transcript_file;  // empty: none; "-": standard output
  std::optional<TimeOfDay> clock;
};

}  // namespace fortuna
