// A one-line progress bar for a long run on a terminal: games done, games per second and time
// left, redrawn in place.
#pragma once

#include <cstdint>
#include <string>

namespace fortuna {

// The line for done of total after so many seconds, at most width characters wide, without
// the carriage return that redraws it.
std::string progress_line(std::uint64_t done, std::uint64_t total, double seconds, int width);

}  // namespace fortuna
