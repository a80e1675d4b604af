// A whole game with every character played by the computer, by the rules alone: nothing is
// said and no label is made. What the bench weighs against the full game, and what a
// simulation runs by the million.
#pragma once

#include "data/clock.h"
#include "data/game.h"

namespace fortuna {

struct GameSummary {
  int days = 0;    // nights resolved
  int deaths = 0;  // characters dead when the game ended
  Ending ending = Ending::None;
  std::optional<CharacterId> winner;
};

// Plays a new game, with the game's roster and generator as they are, to its end; the computer
// takes over every character.
GameSummary play_computer_game(Game& game, TimeOfDay clock);

}  // namespace fortuna
