// `fortuna bench`: fixed all-computer games, their figures and a signature of everything said.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "model/clock.h"

namespace fortuna {

struct BenchFigures {
  int games = 0;
  int days = 0;    // nights resolved
  int deaths = 0;  // characters dead when their game ended
  // Endings by kind: [1] the heir left with the keys, [2] nobody left, [3] one left.
  std::array<int, 4> endings{};
  int unfinished = 0;  // games that did not reach the end within the key limit
  std::uint64_t signature = 0;
  std::uint64_t draws = 0;  // random draws over all games
  double seconds = 0;
};

// The clock each game of the bench starts from, game 0 to bench_game_count() - 1.
int bench_game_count();
TimeOfDay bench_clock(int game);

// One all-computer game from the start screen to its end, with every text and label folded
// into hash.
struct GameOutcome {
  int days = 0;
  int deaths = 0;
  int ending = 0;  // 1, 2 or 3; 0 when the game did not end
  std::uint64_t draws = 0;
};
inline constexpr std::uint64_t kSignatureStart = 0xcbf29ce484222325ULL;
GameOutcome play_computer_game(TimeOfDay clock, std::uint64_t& hash);

// Plays every game of the list and gathers the figures, without printing anything.
BenchFigures play_bench_games();

// Nanoseconds per random draw on this machine now: the games' floor is their draws.
double ns_per_draw();

// The signature as sixteen hexadecimal digits.
std::string signature_hex(std::uint64_t signature);

// Plays the games and prints the figures; 0, or 1 when a game did not end.
int run_bench(std::ostream& out);

}  // namespace fortuna
