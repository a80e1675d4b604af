// One game of a simulation, from its seed to what it adds to the figures.
//
// Seeds: game i of a run with seed S has the seed g = the i-th number (from 0) of SplitMix64
// started at S, so any game can be played again alone and threads may share the games out as
// they like. The game's generator starts at g and draws the ten tempers and the line of
// succession; then it is seeded with mix64(g ^ kGameSeedSalt) instead of a clock's product.
//
// What "changes the night" means for each kind of card played (never for one thrown away):
// - the keys: their player left with them and won;
// - a change of heir: the papers moved the heir that night;
// - a card swap: the kept cards changed hands (the game went on after the night);
// - a hiding place or a defence: its player was attacked and lived (without it any attack kills);
// - an attack: its target died that night.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "data/game.h"
#include "rules/computer_game.h"
#include "tools/simulate/simulate_figures.h"

namespace fortuna {

// SplitMix64's output function.
constexpr std::uint64_t mix64(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

inline constexpr std::uint64_t kGameSeedSalt = 0x5851F42D4C957F2DULL;

constexpr std::uint64_t game_seed(std::uint64_t run_seed, std::uint64_t index) {
  return mix64(run_seed + (index + 1) * 0x9E3779B97F4A7C15ULL);
}

// Watches one game after another and adds each day's cards and each game to the figures.
class GameTally final : public DayObserver {
 public:
  explicit GameTally(Figures& figures) : figures_(figures) {}

  // Plays the game of this seed on a game kept from one to the next (its roster's names are
  // kept, everything else is drawn anew), adds it to the figures and returns it.
  GameRecord play(Game& game, std::uint64_t seed);
  // The same for a game already set up, started from a clock as the full game starts it.
  GameRecord play(Game& game, TimeOfDay clock);

  void on_choices(const Game& game) override;
  void on_night(const Game& game, const NightReport& report) override;

 private:
  struct Play {
    std::optional<CardKind> kind;  // nothing for a card thrown away or no play
    std::optional<CharacterId> target;
  };
  void start(const Game& game);
  GameRecord finish(const Game& game, const GameSummary& summary, std::uint64_t seed);
  CardCounts& counts(CardKind kind) { return figures_.cards[static_cast<std::size_t>(kind)]; }

  Figures& figures_;
  bool first_day_ = true;
  std::array<int, kCharacterCount> place_at_start_{};
  std::array<Play, kCharacterCount> plays_{};
};

}  // namespace fortuna
