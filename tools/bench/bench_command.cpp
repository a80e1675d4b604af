#include "tools/bench/bench_command.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>

#include "rules/computer_game.h"
#include "run/failure.h"
#include "screens/program.h"
#include "speech/none_engine.h"

namespace fortuna {

namespace {

constexpr int kGames = 200;
constexpr int kKeyLimit = 5000;

// Eight bytes at a time, read little-endian so the signature is the same on every machine.
void fold(std::uint64_t& hash, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  for (; left >= 8; left -= 8, p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
    hash ^= hash >> 32;
  }
  for (; left > 0; --left, ++p) hash = (hash ^ static_cast<unsigned char>(*p)) * 0x100000001b3ULL;
  hash = (hash ^ bytes.size()) * 0x100000001b3ULL;
}

void fold_byte(std::uint64_t& hash, char c) {
  fold(hash, std::string_view(&c, 1));
}

GameSummary play_rules_only(TimeOfDay clock) {
  Game game;
  game.roster = initial_roster(game.random);
  return play_computer_game(game, clock);
}

// The best of a few rounds, in seconds per round: the least disturbed by the rest of the machine.
double best_seconds(int rounds, const std::function<void()>& round) {
  double best = 1e300;
  for (int r = 0; r < rounds; ++r) {
    const auto start = std::chrono::steady_clock::now();
    round();
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

double seconds_per_draw() {
  constexpr int kDraws = 20'000'000;
  Random random;
  double sum = 0;
  const double seconds = best_seconds(3, [&] {
    for (int i = 0; i < kDraws; ++i) sum += random.x();
  });
  volatile double keep = sum;
  (void)keep;
  return seconds / kDraws;
}

}  // namespace

void HashingObserver::on_speak(const std::string& text, Wait wait, const Address&) {
  fold_byte(hash_, 'S');
  fold(hash_, text);
  fold_byte(hash_,
            static_cast<char>('0' + (waits_before(wait) ? 2 : 0) + (waits_after(wait) ? 1 : 0)));
}

void HashingPlatform::beep() {
  fold_byte(hash_, 'B');
}

void HashingPlatform::set_label(const std::string& caption) {
  fold_byte(hash_, 'L');
  fold(hash_, caption);
}

int bench_game_count() {
  return kGames;
}

TimeOfDay bench_clock(int game) {
  // Never a zero hour, minute or second: those all seed the generator with 0.
  return {1 + game % 23, 1 + (game * 7) % 59, 1 + (game * 13) % 59};
}

Game play_full_game(TimeOfDay time, std::uint64_t& hash, int& days) {
  NoneEngine engine;
  HashingPlatform platform(hash);
  FixedClock clock(time);
  Program program(engine, platform, clock);
  HashingObserver observer(hash);
  program.speech().set_observer(&observer);
  program.start();
  program.key_down({keys::kEnter, {}});
  const Game& game = program.game_screen().game();
  days = 0;
  for (int k = 0; k < kKeyLimit && game.phase != Phase::Over; ++k) {
    if (game.phase == Phase::Cards) ++days;
    program.key_down({keys::kSpace, {}});
  }
  return game;
}

BenchFigures play_bench_games() {
  BenchFigures figures;
  std::uint64_t hash = kSignatureStart;
  for (int i = 0; i < kGames; ++i) {
    int days = 0;
    const Game game = play_full_game(bench_clock(i), hash, days);
    ++figures.games;
    figures.days += days;
    figures.draws += game.random.draws();
    for (const Character& character : game.roster) figures.deaths += character.alive ? 0 : 1;
    figures.keys_endings += game.ending == Ending::HeirEscaped ? 1 : 0;
    figures.nobody_endings += game.ending == Ending::NobodyLeft ? 1 : 0;
    figures.one_left_endings += game.ending == Ending::OneLeft ? 1 : 0;
    figures.unfinished += game.ending == Ending::None ? 1 : 0;
    const GameSummary rules = play_rules_only(bench_clock(i));
    if (rules.ending != game.ending || rules.winner != game.winner || rules.days != days)
      ++figures.rules_disagree;
  }
  figures.signature = hash;
  return figures;
}

std::string signature_hex(std::uint64_t signature) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(signature));
  return text;
}

int run_bench(std::ostream& out) {
  const BenchFigures f = play_bench_games();
  const double full = best_seconds(5, [] {
    std::uint64_t hash = kSignatureStart;
    int days = 0;
    for (int i = 0; i < kGames; ++i) play_full_game(bench_clock(i), hash, days);
  });
  const double rules = best_seconds(10, [] {
    for (int i = 0; i < kGames; ++i) play_rules_only(bench_clock(i));
  });
  const double draws = seconds_per_draw() * static_cast<double>(f.draws);
  out << "games " << f.games << '\n'
      << "days " << f.days << '\n'
      << "deaths " << f.deaths << '\n'
      << "endings keys " << f.keys_endings << " nobody " << f.nobody_endings << " one "
      << f.one_left_endings << '\n';
  if (f.unfinished != 0) out << "unfinished " << f.unfinished << '\n';
  if (f.rules_disagree != 0) out << "rules alone disagree " << f.rules_disagree << '\n';
  out << "draws per game " << f.draws / static_cast<std::uint64_t>(f.games) << '\n'
      << "signature " << signature_hex(f.signature) << '\n'
      << "games per second " << static_cast<long long>(f.games / full) << '\n'
      << "rules alone games per second " << static_cast<long long>(f.games / rules) << '\n'
      << "floor games per second " << static_cast<long long>(f.games / draws) << " ("
      << 1e9 * draws / static_cast<double>(f.draws) << " ns per draw)\n"
      << "rules alone per game " << rules / draws << " times its draws\n";
  return f.unfinished == 0 && f.rules_disagree == 0 ? exit_status::kSuccess
                                                    : exit_status::kCheckFailed;
}

}  // namespace fortuna
