// The night: every play of the day takes effect at once. What happened comes back as a report;
// the rules never speak.
#pragma once

#include <optional>

#include "data/fixed_list.h"
#include "data/game.h"

namespace fortuna {

struct Death {
  CharacterId character;
  std::optional<Room> room;
  CharacterList attackers;  // whoever aimed a play at it this night, in roster order
};

struct NightReport {
  // The heir after the papers that pass the inheritance on, when they moved it.
  std::optional<CharacterId> heir_by_papers;
  FixedList<Death, kCharacterCount> deaths;  // in the order they happened
  FixedList<Room, kRoomCount> closed_rooms;  // in the order they closed
  int survivors = 0;
  Ending ending = Ending::None;
};

// The night of a day whose living characters have all chosen. When the game ends the rest of
// the night is skipped (no cards back, no rooms closed) and the game is Over; otherwise the
// game waits for the next day's deal.
NightReport resolve_night(Game& game);

}  // namespace fortuna
