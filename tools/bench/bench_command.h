// `fortuna bench`: fixed all-computer games, their figures, a signature of everything said and
// shown, and what the games cost next to the floor their random draws set.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "data/clock.h"
#include "data/game.h"
#include "screens/platform.h"
#include "speech/channel.h"

namespace fortuna {

struct BenchFigures {
  int games = 0;
  int days = 0;    // nights resolved
  int deaths = 0;  // characters dead when their game ended
  int keys_endings = 0, nobody_endings = 0, one_left_endings = 0;
  int unfinished = 0;  // games still running after far more keys than any game needs
  // Games where the rules alone ended otherwise than the full game: a fault, always 0.
  int rules_disagree = 0;
  std::uint64_t signature = 0;
  std::uint64_t draws = 0;  // random draws over all games
};

// Everything the game says, with its waits, folded into a hash.
class HashingObserver final : public SpeechObserver {
 public:
  explicit HashingObserver(std::uint64_t& hash) : hash_(hash) {}
  // Whom a text is for is not hashed: one keyboard hears the same texts whatever they are for.
  void on_speak(const std::string& text, Wait wait, const Address&) override;
  void on_rate(int) override {}
  void on_voice(int) override {}

 private:
  std::uint64_t& hash_;
};

// Nobody watches a bench: the labels and beeps only go into the hash.
class HashingPlatform final : public Platform {
 public:
  explicit HashingPlatform(std::uint64_t& hash) : hash_(hash) {}
  void show_window(WindowId) override {}
  void close_window(WindowId) override {}
  std::string input_box(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  void beep() override;
  void set_label(const std::string& caption) override;

 private:
  std::uint64_t& hash_;
};

// The clock each game of the bench starts from, game 0 to bench_game_count() - 1.
int bench_game_count();
TimeOfDay bench_clock(int game);

// One all-computer game through the whole program, from the start screen to its end, with every
// text and label folded into hash. The game as it ended.
inline constexpr std::uint64_t kSignatureStart = 0xcbf29ce484222325ULL;
Game play_full_game(TimeOfDay clock, std::uint64_t& hash, int& days);

// Plays every game of the list both ways and gathers the figures, printing nothing.
BenchFigures play_bench_games();

// The signature as sixteen hexadecimal digits.
std::string signature_hex(std::uint64_t signature);

// Plays the games, times them and prints the figures; 0, or 1 when a game went wrong.
int run_bench(std::ostream& out);

}  // namespace fortuna
