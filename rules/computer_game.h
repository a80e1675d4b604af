// A whole game with every character played by the computer, by the rules alone: nothing is
// said and no label is made. What the bench weighs against the full game, and what a
// simulation runs by the million.
#pragma once

#include <cstdint>

#include "data/clock.h"
#include "data/game.h"
#include "rules/night.h"

namespace fortuna {

struct GameSummary {
  int days = 0;    // nights resolved
  int deaths = 0;  // characters dead when the game ended
  Ending ending = Ending::None;
  std::optional<CharacterId> winner;
};

// What a caller may watch of each day without any narration: called once a day, first when
// every living character has chosen (the game holds the choices, the rooms and the heir as the
// night will read them), then with what the night did to the game.
class DayObserver {
 public:
  virtual ~DayObserver() = default;
  virtual void on_choices(const Game& game) = 0;
  virtual void on_night(const Game& game, const NightReport& report) = 0;
};

// Plays a new game, with the game's roster and generator as they are, to its end; the computer
// takes over every character.
GameSummary play_computer_game(Game& game, TimeOfDay clock, DayObserver* observer = nullptr);
// The same with the generator seeded by any value rather than by a clock.
GameSummary play_computer_game(Game& game, std::uint64_t seed, DayObserver* observer = nullptr);

}  // namespace fortuna
