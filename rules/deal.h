// The start of a game and of each day: the line of succession, the seeding, the deal.
#pragma once

#include <cstdint>

#include "data/clock.h"
#include "data/game.h"

namespace fortuna {

// A new game for the roster and generator the game holds: everyone alive, every room open, the
// line of succession drawn (before the seeding), the generator seeded from the clock, a first
// card for everyone, the first day dealt, and then the first heir drawn.
void start_new_game(Game& game, TimeOfDay now);
// The same with the generator seeded by any value, not only a clock's product: what lets a
// simulation play more different games than there are seconds in a day.
void start_new_game(Game& game, std::uint64_t seed);

// A new day: choices cleared, each living character takes the card at its own position of the
// pile, then the pile is shuffled and closed up.
void start_day(Game& game);

}  // namespace fortuna
