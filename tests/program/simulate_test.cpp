#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "program/simulate_report.h"
#include "program/simulate_run.h"
#include "program/simulate_tally.h"

namespace fortuna {
namespace {

constexpr std::uint64_t kGames = 2500;  // more than two blocks, so threads share the work

struct Simulated {
  SimulationOutcome outcome;
  std::string json;
  std::string csv;
};

Simulated simulate(std::uint64_t games, std::uint64_t seed, int threads, bool with_csv = false) {
  std::atomic<bool> stop{false};
  std::ostringstream csv;
  Simulated run;
  run.outcome = run_simulation({games, seed, threads, with_csv ? &csv : nullptr}, stop);
  run.json = figures_json({games, seed, run.outcome.partial}, run.outcome.figures).dump();
  run.csv = csv.str();
  return run;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Simulation, TheSameGamesAndSeedGiveTheSameFiguresAndRowsWhateverTheThreads) {
  const Simulated one = simulate(kGames, 77, 1, true);
  EXPECT_FALSE(one.outcome.partial);
  for (const int threads : {2, 7}) {
    const Simulated more = simulate(kGames, 77, threads, true);
    EXPECT_EQ(more.json, one.json) << threads << " threads";
    EXPECT_EQ(more.csv, one.csv) << threads << " threads";
  }
  EXPECT_NE(simulate(kGames, 78, 2).json, one.json);
}

TEST(Simulation, RowsComeInGameOrderAndEachGamePlaysAgainAloneFromItsSeed) {
  const Simulated run = simulate(1200, 5, 3, true);
  const std::vector<std::string> lines = lines_of(run.csv);
  ASSERT_EQ(lines.size(), 1201u);
  EXPECT_EQ(lines[0], "seed,days,ending,winner,deaths");
  Random names;
  Game reused;
  reused.roster = initial_roster(names);
  Figures ignored;
  GameTally tally(ignored);
  for (const std::uint64_t i : {0u, 1u, 1023u, 1024u, 1199u}) {
    Game fresh;
    fresh.roster = initial_roster(names);
    std::string alone, after_another;
    append_csv_row(alone, tally.play(fresh, game_seed(5, i)));
    EXPECT_EQ(lines[i + 1] + "\n", alone) << "game " << i;
    tally.play(reused, game_seed(5, i + 1));  // whatever it played before must not matter
    append_csv_row(after_another, tally.play(reused, game_seed(5, i)));
    EXPECT_EQ(after_another, alone) << "game " << i;
  }
}

TEST(Simulation, FiguresAddUp) {
  const Figures f = simulate(kGames, 3, 2).outcome.figures;
  EXPECT_EQ(f.games, kGames);
  EXPECT_EQ(std::accumulate(f.endings.begin(), f.endings.end(), std::uint64_t{0}), kGames);
  EXPECT_EQ(std::accumulate(f.games_by_days.begin(), f.games_by_days.end(), std::uint64_t{0}),
            kGames);
  // Every game with the keys or one survivor has a winner; nobody left has none.
  const std::uint64_t with_a_winner = f.endings[0] + f.endings[1];
  EXPECT_EQ(f.games_with_a_winner(), with_a_winner);
  EXPECT_EQ(std::accumulate(f.wins_by_place.begin(), f.wins_by_place.end(), std::uint64_t{0}),
            with_a_winner);
  EXPECT_EQ(f.wins_by_temper[0] + f.wins_by_temper[1], with_a_winner);
  EXPECT_EQ(f.characters_by_temper[0] + f.characters_by_temper[1], kGames * kCharacterCount);
  // Each escape is one set of keys that won. Papers move the heir whenever another character
  // lives, unless two of them send it round to where it was.
  EXPECT_EQ(f.cards[static_cast<std::size_t>(CardKind::Keys)].changed_night, f.endings[0]);
  const CardCounts& papers = f.cards[static_cast<std::size_t>(CardKind::HeirChange)];
  EXPECT_GE(100 * papers.changed_night, 99 * papers.played);
  std::uint64_t plays = 0;
  for (const CardCounts& kind : f.cards) {
    EXPECT_LE(kind.changed_night, kind.played);
    EXPECT_EQ(kind.discarded, 0u);  // the computer never throws a card away
    plays += kind.played;
  }
  // Every living character plays once a day: at least two a day, at most ten.
  EXPECT_GE(plays, 2 * f.days);
  EXPECT_LE(plays, kCharacterCount * f.days);
  EXPECT_LE(f.deaths, kGames * kCharacterCount);
  EXPECT_GT(f.endings[0] * f.endings[1] * f.endings[2], 0u);  // every ending happens
}

TEST(Simulation, AStopEndsTheRunWithWholeGamesAndTheirRowsOnly) {
  std::atomic<bool> stop{true};
  std::ostringstream csv;
  const SimulationOutcome none = run_simulation({5000, 1, 2, &csv}, stop);
  EXPECT_TRUE(none.partial);
  EXPECT_EQ(none.figures.games, 0u);
  EXPECT_EQ(csv.str(), "seed,days,ending,winner,deaths\n");

  // Stopped from the progress report, as Ctrl+C does it, once some games are done.
  stop = false;
  std::ostringstream rows;
  const SimulationOutcome some =
      run_simulation({1'000'000'000, 1, 2, &rows}, stop, [&](std::uint64_t done, double) {
        if (done > 0) stop = true;
      });
  EXPECT_TRUE(some.partial);
  EXPECT_GT(some.figures.games, 0u);
  EXPECT_LT(some.figures.games, 1'000'000u);
  EXPECT_EQ(lines_of(rows.str()).size(), some.figures.games + 1);
  const std::uint64_t ends =
      std::accumulate(some.figures.endings.begin(), some.figures.endings.end(), std::uint64_t{0});
  EXPECT_EQ(ends, some.figures.games);
}

}  // namespace
}  // namespace fortuna
