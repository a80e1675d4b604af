// What one person at a table may see of the game: a status label holding their own character's
// cards and choices and nobody else's, and the names of the keys that do something now.
#pragma once

#include <optional>
#include <string>

#include "data/game.h"
#include "data/keys.h"
#include "narration/help.h"

namespace fortuna {

// The seat's own entry of the day's label (temper and cards), its room and play of the day once
// chosen; then what everyone knows: the living and the heir. Nothing is a seat nobody holds.
std::string seat_label(const Game& game, std::optional<CharacterId> seat);

// A key's name as a page shows it: "1. El salón", "2. <the card's short name>", "Continuar";
// empty for an action that is no choice of the game (the voice's, the history's, help).
std::string choice_name(const Game& game, Action action, Key key);

}  // namespace fortuna
