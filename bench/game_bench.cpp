// What a key costs in each phase, what a night costs, what a whole game costs against the floor
// set by its random draws.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>

#include "app/bench_run.h"
#include "bench/quiet_platform.h"
#include "game/platform.h"
#include "game/program.h"
#include "speech/none_engine.h"

namespace fortuna {
namespace {

struct Game {
  explicit Game(TimeOfDay time = {10, 20, 30}) : clock(time), program(engine, platform, clock) {}
  void key(int code, int shift = 0) {
    program.key_down(static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift));
  }
  MainWindow& w() { return program.main_window; }

  NoneEngine engine;
  QuietPlatform platform;
  FixedClock clock;
  Program program;
};

// A game stopped where a key is about to be measured, and put back there before every key.
struct Snapshot {
  explicit Snapshot(Game& game)
      : state(game.w()), roster(game.program.Personajes), random(game.program.random) {}
  void restore(Game& game) const {
    static_cast<GameState&>(game.w()) = state;
    game.program.Personajes = roster;
    game.program.random = random;
  }
  GameState state;
  Roster roster;
  Random random;
};

// All-computer game advanced with Space until the phase is reached.
std::unique_ptr<Game> computer_game_at(int phase) {
  auto game = std::make_unique<Game>();
  game->program.start();
  game->key(keys::kEnter);
  while (game->w().Fase != phase) game->key(keys::kSpace);
  return game;
}

// Everybody a person, answering with the first card, until someone must name a target.
std::unique_ptr<Game> people_game_at_target_choice() {
  auto game = std::make_unique<Game>();
  game->program.start();
  for (int c = 1; c <= kCharacters; ++c) {
    game->key(keys::kSpace);
    game->key(keys::kRight);
  }
  game->key(keys::kEnter);
  for (int k = 0; k < 10000 && game->w().Fase != kFaseObjetivo; ++k) {
    MainWindow& w = game->w();
    const Personaje& p = game->program.Personajes[static_cast<std::size_t>(
        w.TurnoActual >= 1 && w.TurnoActual <= w.turn_count() ? w.current_character() : 0)];
    if (w.Fase == kFaseSalas && p.Sala < 1) {
      game->key(keys::k1);
    } else if (w.Fase == kFaseCartas && p.CartaElegida < 1) {
      game->key(k % 2 == 0 ? keys::k1 : keys::k0 + 2);
    } else if (w.Fase == kFaseFin) {
      game->key(keys::k1);
    } else {
      game->key(keys::kSpace);
    }
  }
  return game;
}

void measure_key(benchmark::State& state, Game& game, int code) {
  const Snapshot snapshot(game);
  for (auto _ : state) {
    state.PauseTiming();
    snapshot.restore(game);
    state.ResumeTiming();
    game.key(code);
  }
}

void BM_KeySpaceStartsRooms(benchmark::State& state) {
  auto game = computer_game_at(kFaseInicioDia);
  measure_key(state, *game, keys::kSpace);
}
BENCHMARK(BM_KeySpaceStartsRooms)->Unit(benchmark::kMicrosecond);

void BM_KeySpaceStartsCards(benchmark::State& state) {
  auto game = computer_game_at(kFaseSalas);
  measure_key(state, *game, keys::kSpace);
}
BENCHMARK(BM_KeySpaceStartsCards)->Unit(benchmark::kMicrosecond);

void BM_KeySpaceResolvesTheNight(benchmark::State& state) {
  auto game = computer_game_at(kFaseCartas);
  measure_key(state, *game, keys::kSpace);
}
BENCHMARK(BM_KeySpaceResolvesTheNight)->Unit(benchmark::kMicrosecond);

void BM_KeyTargetDigit(benchmark::State& state) {
  auto game = people_game_at_target_choice();
  if (game->w().Fase != kFaseObjetivo) {
    state.SkipWithError("no target choice reached");
    return;
  }
  measure_key(state, *game, keys::k1);
}
BENCHMARK(BM_KeyTargetDigit)->Unit(benchmark::kMicrosecond);

void BM_KeyOneStartsANewGame(benchmark::State& state) {
  auto game = computer_game_at(kFaseFin);
  measure_key(state, *game, keys::k1);
}
BENCHMARK(BM_KeyOneStartsANewGame)->Unit(benchmark::kMicrosecond);

void BM_KeyHeirHelp(benchmark::State& state) {
  auto game = computer_game_at(kFaseSalas);
  measure_key(state, *game, keys::kH);
}
BENCHMARK(BM_KeyHeirHelp)->Unit(benchmark::kMicrosecond);

void BM_ResuelveDia(benchmark::State& state) {
  auto game = computer_game_at(kFaseCartas);
  game->w().Fase = kFaseResolucion;
  const Snapshot snapshot(*game);
  for (auto _ : state) {
    state.PauseTiming();
    snapshot.restore(*game);
    state.ResumeTiming();
    game->w().ResuelveDia();
  }
}
BENCHMARK(BM_ResuelveDia)->Unit(benchmark::kMicrosecond);

void BM_RandomDraw(benchmark::State& state) {
  Random random;
  for (auto _ : state) benchmark::DoNotOptimize(random.x());
}
BENCHMARK(BM_RandomDraw);

// One whole all-computer game per iteration, from the start screen to the closing prompt, with
// nothing listening (the first) or with every text and label hashed as `fortuna bench` does (the
// second). games_per_s against floor_games_per_s: what the draws alone would allow.
void whole_games(benchmark::State& state, bool hashed) {
  std::uint64_t hash = kSignatureStart, draws = 0, games = 0;
  int clock = 0;
  for (auto _ : state) {
    if (hashed) {
      draws += play_computer_game(bench_clock(clock), hash).draws;
    } else {
      Game game(bench_clock(clock));
      game.program.start();
      game.key(keys::kEnter);
      for (int k = 0; k < 5000 && game.w().Fase != kFaseFin; ++k) game.key(keys::kSpace);
      draws += game.program.random.draws();
    }
    ++games;
    clock = (clock + 1) % bench_game_count();
  }
  benchmark::DoNotOptimize(hash);
  const double draws_per_game = static_cast<double>(draws) / static_cast<double>(games);
  state.counters["draws_per_game"] = draws_per_game;
  state.counters["games_per_s"] =
      benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["floor_games_per_s"] = 1e9 / (draws_per_game * ns_per_draw());
}

void BM_WholeComputerGame(benchmark::State& state) {
  whole_games(state, false);
}
BENCHMARK(BM_WholeComputerGame)->Unit(benchmark::kMicrosecond);

void BM_WholeComputerGameHashed(benchmark::State& state) {
  whole_games(state, true);
}
BENCHMARK(BM_WholeComputerGameHashed)->Unit(benchmark::kMicrosecond);

// Processor time of this thread, so that another process taking the core does not count.
double thread_us() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The slowest single key over whole games played by the computer, each ended by "1" for a new
// game: the 50 µs goal.
void BM_SlowestKeyInWholeGames(benchmark::State& state) {
  double slowest_us = 0;
  int clock = 0;
  auto timed_key = [&](Game& game, int code) {
    const double start = thread_us();
    game.key(code);
    slowest_us = std::max(slowest_us, thread_us() - start);
  };
  for (auto _ : state) {
    Game game(bench_clock(clock));
    clock = (clock + 1) % bench_game_count();
    game.program.start();
    game.key(keys::kEnter);
    for (int k = 0; k < 5000 && game.w().Fase != kFaseFin; ++k) timed_key(game, keys::kSpace);
    timed_key(game, keys::k1);
  }
  state.counters["slowest_key_us"] = slowest_us;
}
BENCHMARK(BM_SlowestKeyInWholeGames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fortuna
