// The figures of a simulation: whole-number counts that a game adds to and that several threads'
// counts add up to, exactly and in any order; and what is read from them (means, the median,
// shares with their 95 % intervals). Nothing here plays or prints.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/game.h"

namespace fortuna {

inline constexpr int kCardKindCount = 8;  // CardKind, Keys to WeakDefence
inline constexpr int kTemperCount = 2;    // Temper, Calm and Aggressive
inline constexpr int kEndingCount = 3;    // the heir left with the keys, one left, nobody left

// Where an ending is counted: 0 the keys, 1 one survivor, 2 nobody.
int ending_index(Ending ending);
Ending ending_at(int index);

// What one game gave, as a row of the CSV shows it.
struct GameRecord {
  std::uint64_t seed = 0;
  int days = 0;
  int deaths = 0;
  Ending ending = Ending::None;
  // Who the game names the winner: the heir who left with the keys, or the one survivor.
  std::optional<CharacterId> winner;
  // The winner's place in the line of succession when the game began: 0 for the first heir,
  // 1 for the next one the inheritance would pass to, and so on.
  int winner_place = 0;
  Temper winner_temper = Temper::Calm;
  int aggressive_characters = 0;
};

// For one kind of card: the days it was played, thrown away, and played with an effect on the
// night (what counts as one is said with the tally that counts them).
struct CardCounts {
  std::uint64_t played = 0;
  std::uint64_t discarded = 0;
  std::uint64_t changed_night = 0;
  bool operator==(const CardCounts&) const = default;
};

struct Figures {
  std::uint64_t games = 0;
  std::uint64_t days = 0;
  std::uint64_t deaths = 0;
  std::vector<std::uint64_t> games_by_days;  // index: the game's length in days
  std::array<std::uint64_t, kEndingCount> endings{};
  std::array<std::uint64_t, kCharacterCount> wins_by_character{};
  std::array<std::uint64_t, kCharacterCount> wins_by_place{};
  std::array<std::uint64_t, kTemperCount> wins_by_temper{};
  // Characters of each temper over all games: a game of ten adds ten.
  std::array<std::uint64_t, kTemperCount> characters_by_temper{};
  std::array<CardCounts, kCardKindCount> cards{};

  void add_game(const GameRecord& game);
  void add(const Figures& other);
  std::uint64_t games_with_a_winner() const;
  bool operator==(const Figures&) const = default;
};

// A share count / total with its 95 % interval (Wilson's score interval, which stays inside
// 0 to 1 and holds for counts near 0 or near the total). With no total: 0, from 0 to 1.
struct Share {
  std::uint64_t count = 0;
  std::uint64_t total = 0;
  double value = 0;
  double low = 0;
  double high = 1;
};
Share share_of(std::uint64_t count, std::uint64_t total);

struct DayFigures {
  double mean = 0;
  double mean_low = 0, mean_high = 0;  // 95 % interval of the mean
  double median = 0;                   // halfway between the middle two for an even count
  int longest = 0;
  double deaths_per_day = 0;
};
DayFigures day_figures(const Figures& figures);

}  // namespace fortuna
