// The day's two walks along the turn order (rooms, then cards) and the answers people give.
// A walk serves the computer's characters at once and stops at the first person who must
// answer; the person's answer resumes it.
#pragma once

#include <optional>

#include "data/game.h"

namespace fortuna {

// From the first in today's order, from the one after the character last served, or from that
// character itself (the computer now plays the one the walk stopped at).
enum class Walk { FromFirst, FromNext, FromCurrent };

// The room phase. From the first, the day's turn order is drawn: the living in roster order,
// then 200 exchanges of neighbours. Returns the person to ask, or nothing once everyone living
// has a room.
std::optional<CharacterId> walk_rooms(Game& game, Walk walk);

// The card phase, the same way: the person to ask, or nothing once everyone has chosen.
std::optional<CharacterId> walk_cards(Game& game, Walk walk);

// A person's room. False, changing nothing, when the character being served already has one.
bool place_current(Game& game, Room room);

enum class Discard : bool { No, Yes };
enum class CardAnswer {
  Refused,       // the character being served is the computer's
  Chosen,        // nothing more to ask: the walk goes on
  TargetNeeded,  // the targets are in offered_targets, the phase is Target
  NoTarget,      // the card needs a target and nobody qualifies: played at nobody
};
// A person's card: the hand slot (0 or 1), thrown away or not.
CardAnswer choose_current_card(Game& game, int slot, Discard discard);

// A person's target, by its place in the offered list (0 for the first). False when there is
// no such place.
bool choose_target(Game& game, int place);

// Who chooses for a character from now on: the computer when its person leaves, the person again
// when they come back. Nothing else changes, but that a card whose target was still to come is
// taken back, for the computer to choose as it always does.
void set_player(Game& game, CharacterId id, Player player);

// The person the game waits for: the one a walk stopped at, while their answer is missing.
std::optional<CharacterId> on_turn(const Game& game);

}  // namespace fortuna
