// What must hold after every key; the tests check it, the game never needs to.
#pragma once

#include <string>

#include "data/game.h"

namespace fortuna {

// The first broken invariant, or the empty text when all hold: every card in exactly one place
// (none only when its room has closed), the turn inside the turn order while the day walks it,
// no character in two rooms, the dead in none, the ending set exactly when the game is over.
std::string check_invariants(const Game& game);

}  // namespace fortuna
