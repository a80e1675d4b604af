#include "model/game_state.h"

#include <algorithm>

namespace fortuna {

std::string occupant_entry(int character) {
  return "0" + std::to_string(character) + "; ";
}

bool room_holds(const std::string& occupants, int character) {
  return occupants.find("0" + std::to_string(character) + ";") != std::string::npos;
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
