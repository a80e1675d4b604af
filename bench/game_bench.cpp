// What a key costs in each phase, what a night costs, and what a whole game costs, with and
// without narration, against the floor set by its random draws.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <ctime>

#include "rules/computer_game.h"
#include "rules/day.h"
#include "rules/deal.h"
#include "rules/night.h"
#include "screens/program.h"
#include "speech/none_engine.h"
#include "tools/bench/bench_command.h"

namespace fortuna {
namespace {

// Processor time of this thread, so that another process taking the core does not count.
double thread_us() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// Every key of whole all-computer games through the program, each ended by "1" for a new game,
// timed one by one: the mean of each kind of key, and the slowest of all (the 50 µs goal).
void BM_KeysOfWholeGames(benchmark::State& state) {
  constexpr const char* kKinds[] = {"space_starts_rooms_us", "space_starts_cards_us",
                                    "space_ends_the_day_us", "one_starts_a_game_us"};
  std::array<double, 4> total{}, count{};
  double slowest = 0;
  int clock = 0;
  for (auto _ : state) {
    NoneEngine engine;
    std::uint64_t hash = kSignatureStart;
    HashingPlatform platform(hash);
    FixedClock fixed(bench_clock(clock));
    clock = (clock + 1) % bench_game_count();
    Program program(engine, platform, fixed);
    program.start();
    program.key_down({keys::kEnter, {}});
    const Game& game = program.game_screen().game();
    for (int k = 0; k < 5000; ++k) {
      const bool over = game.phase == Phase::Over;
      const auto kind = static_cast<std::size_t>(over ? 3 : static_cast<int>(game.phase));
      const double start = thread_us();
      program.key_down({over ? keys::k1 : keys::kSpace, {}});
      const double took = thread_us() - start;
      total[kind] += took;
      ++count[kind];
      slowest = std::max(slowest, took);
      if (over) break;
    }
  }
  for (std::size_t i = 0; i < total.size(); ++i)
    state.counters[kKinds[i]] = count[i] > 0 ? total[i] / count[i] : 0;
  state.counters["slowest_key_us"] = slowest;
}
BENCHMARK(BM_KeysOfWholeGames)->Unit(benchmark::kMillisecond);

// Five people's whole games, every key timed: from one keyboard, or from each person's seat with
// every text routed to its listeners (the seats' own texts, whose turn it is). The same keys
// either way; the difference is what routing costs a key.
void people_keys(benchmark::State& state, bool seated) {
  double total = 0, keys_pressed = 0;
  int clock = 0;
  for (auto _ : state) {
    NoneEngine engine;
    std::uint64_t hash = kSignatureStart;
    HashingPlatform platform(hash);
    FixedClock fixed(bench_clock(clock));
    clock = (clock + 1) % bench_game_count();
    Program program(engine, platform, fixed);
    program.start();
    for (int c = 0; c < 5; ++c) {
      program.key_down({keys::kSpace, {}});
      program.key_down({keys::kRight, {}});
      program.key_down({keys::kRight, {}});
    }
    if (seated) program.use_seats();
    program.key_down({keys::kEnter, {}});
    const Game& game = program.game_screen().game();
    for (int k = 0; k < 5000 && game.phase != Phase::Over; ++k) {
      const auto person = on_turn(game);
      const Key key{person ? keys::k1 : keys::kSpace, {}};
      const double start = thread_us();
      program.key_down(key, seated ? person : std::nullopt);
      total += thread_us() - start;
      ++keys_pressed;
    }
  }
  state.counters["us_per_key"] = keys_pressed > 0 ? total / keys_pressed : 0;
}
void BM_PeoplesKeysFromOneKeyboard(benchmark::State& state) {
  people_keys(state, false);
}
void BM_PeoplesKeysFromTheirSeats(benchmark::State& state) {
  people_keys(state, true);
}
BENCHMARK(BM_PeoplesKeysFromOneKeyboard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeoplesKeysFromTheirSeats)->Unit(benchmark::kMillisecond);

// The night alone, on copies of one day whose plays are all chosen.
void BM_ResolveNight(benchmark::State& state) {
  Game day;
  day.roster = initial_roster(day.random);
  start_new_game(day, {10, 20, 30});
  walk_rooms(day, Walk::FromFirst);
  walk_cards(day, Walk::FromFirst);
  for (auto _ : state) {
    state.PauseTiming();
    Game night = day;
    state.ResumeTiming();
    benchmark::DoNotOptimize(resolve_night(night));
  }
}
BENCHMARK(BM_ResolveNight)->Unit(benchmark::kMicrosecond);

void BM_RandomDraw(benchmark::State& state) {
  Random random;
  for (auto _ : state) benchmark::DoNotOptimize(random.x());
}
BENCHMARK(BM_RandomDraw);

// One whole all-computer game per iteration: by the rules alone, or through the program with
// every text and label hashed as `fortuna bench` does. draws_per_game times the draw's own cost
// is the floor.
void BM_WholeGameRulesAlone(benchmark::State& state) {
  std::uint64_t draws = 0;
  int clock = 0;
  for (auto _ : state) {
    Game game;
    game.roster = initial_roster(game.random);
    benchmark::DoNotOptimize(play_computer_game(game, bench_clock(clock)));
    draws += game.random.draws();
    clock = (clock + 1) % bench_game_count();
  }
  state.counters["draws_per_game"] =
      static_cast<double>(draws) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeGameRulesAlone)->Unit(benchmark::kMicrosecond);

void BM_WholeGameNarratedAndHashed(benchmark::State& state) {
  std::uint64_t hash = kSignatureStart;
  int clock = 0, days = 0;
  for (auto _ : state) {
    play_full_game(bench_clock(clock), hash, days);
    clock = (clock + 1) % bench_game_count();
  }
  benchmark::DoNotOptimize(hash);
}
BENCHMARK(BM_WholeGameNarratedAndHashed)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fortuna
