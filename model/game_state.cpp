#include "model/game_state.h"

#include <algorithm>
#include <charconv>

namespace fortuna {

std::string occupant_entry(int character) {
  return "0" + std::to_string(character) + "; ";
}

bool room_holds(const std::string& occupants, int character) {
  // "0", the number and ";", built without touching the heap: this runs for every label line.
  char needle[8] = {'0'};
  const auto [end, error] = std::to_chars(needle + 1, needle + sizeof needle - 1, character);
  *end = ';';
  return occupants.find(needle, 0, static_cast<std::size_t>(end + 1 - needle)) != std::string::npos;
}

int occupant_count(const std::string& occupants) {
  return static_cast<int>(std::count(occupants.begin(), occupants.end(), ';'));
}

int occupant_at(const std::string& occupants, int k) {
  std::size_t start = 0;
  for (int i = 1; i < k; ++i) start = occupants.find("; ", start) + 2;
  return std::stoi(occupants.substr(start, occupants.find(';', start) - start));
}

}  // namespace fortuna
