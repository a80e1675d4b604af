// fortuna simular: its games are the games people play, its figures add up whatever the threads,
// and the command stops on Ctrl+C with what it has.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <numeric>
#include <sstream>

#include "support/game_process.h"
#include "support/run_fortuna.h"
#include "tools/bench/bench_command.h"
#include "tools/simulate/simulate_figures.h"
#include "tools/simulate/simulate_report.h"
#include "tools/simulate/simulate_run.h"
#include "tools/simulate/simulate_tally.h"

namespace fortuna::testing {
namespace {

constexpr std::uint64_t kGames = 2500;  // more than two blocks, so threads share the work

std::uint64_t sum(const auto& counts) {
  return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
}

TEST(SimulationFigures, SharesAndDaysHaveTheirIntervalsAndCountsPastFourBillionStayExact) {
  const struct {
    std::uint64_t count, total;
    double low_below, high_above;  // the interval must reach at least this far
  } shares[] = {{0, 10, 0.0, 0.2}, {1, 1'000'000'000, 1e-9, 1e-9}, {3, 7, 0.2, 0.7}};
  for (const auto& c : shares) {
    const Share share = share_of(c.count, c.total);
    EXPECT_DOUBLE_EQ(share.value, static_cast<double>(c.count) / static_cast<double>(c.total));
    EXPECT_TRUE(0 <= share.low && share.low <= c.low_below && share.low <= share.value);
    EXPECT_TRUE(share.high <= 1 && share.high >= c.high_above && share.high >= share.value);
  }
  // Wilson's interval for 50 of 100, as published: 0.4038 to 0.5962.
  EXPECT_NEAR(share_of(50, 100).low, 0.4038, 1e-4);
  EXPECT_NEAR(share_of(50, 100).high, 0.5962, 1e-4);

  const struct {
    std::vector<int> days;
    double mean, median;
    int longest;
  } days[] = {{{3, 9, 4}, 16.0 / 3, 4, 9}, {{6, 6, 7, 7}, 6.5, 6.5, 7}};
  for (const auto& c : days) {
    Figures figures;
    for (int d : c.days) figures.add_game({.days = d, .ending = Ending::OneLeft, .winner = 0});
    const DayFigures result = day_figures(figures);
    EXPECT_DOUBLE_EQ(result.mean, c.mean);
    EXPECT_DOUBLE_EQ(result.median, c.median);
    EXPECT_EQ(result.longest, c.longest);
    EXPECT_TRUE(result.mean_low <= result.mean && result.mean <= result.mean_high);
  }

  Figures big;  // counts past four billion stay exact
  big.cards[0].played = 6'000'000'000;
  big.cards[0].changed_night = 4'500'000'000;
  big.add(big);
  EXPECT_EQ(big.cards[0].played, 12'000'000'000u);
  EXPECT_DOUBLE_EQ(share_of(big.cards[0].changed_night, big.cards[0].played).value, 0.75);
}

struct Simulated {
  SimulationOutcome outcome;
  std::string json, csv;
};

Simulated simulate(std::uint64_t games, std::uint64_t seed, int threads) {
  std::atomic<bool> stop{false};
  std::ostringstream csv;
  Simulated run;
  run.outcome = run_simulation({games, seed, threads, &csv}, stop);
  run.json = figures_json({games, seed, run.outcome.partial}, run.outcome.figures).dump();
  run.csv = csv.str();
  return run;
}

TEST(Simulation, TheSameSeedGivesTheSameFiguresAndRowsWhateverTheThreads) {
  const Simulated one = simulate(kGames, 77, 1);
  EXPECT_FALSE(one.outcome.partial);
  for (const int threads : {2, 7}) {
    const Simulated more = simulate(kGames, 77, threads);
    EXPECT_EQ(more.json, one.json) << threads << " threads";
    EXPECT_EQ(more.csv, one.csv) << threads << " threads";
  }
  EXPECT_NE(simulate(kGames, 78, 2).json, one.json);

  // Any leak from one game into the next would differ with the threads' share of the games.
  EXPECT_EQ(std::count(one.csv.begin(), one.csv.end(), '\n'), kGames + 1);
  EXPECT_TRUE(one.csv.starts_with("seed,days,ending,winner,deaths\n"));

  const Figures& f = one.outcome.figures;
  EXPECT_EQ(sum(f.endings), kGames);
  // Every game with the keys or one survivor has a winner; nobody left has none.
  EXPECT_EQ(sum(f.wins_by_place), f.endings[0] + f.endings[1]);
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
  EXPECT_TRUE(plays >= 2 * f.days && plays <= kCharacterCount * f.days);
  EXPECT_GT(f.endings[0] * f.endings[1] * f.endings[2], 0u);  // every ending happens
}

class DeathCounter final : public DayObserver {
 public:
  void on_choices(const Game&) override {}
  void on_night(const Game&, const NightReport& report) override {
    deaths += static_cast<int>(report.deaths.size());
  }
  int deaths = 0;
};

// The bench checks the rules alone against the whole program; the simulation's record of a
// game must say what the rules alone played.
TEST(Simulation, EachRecordIsTheGameTheRulesAlonePlay) {
  std::vector<TimeOfDay> clocks = {{0, 0, 0}, {23, 59, 59}, {0, 10, 20}};
  for (int i = 0; i < bench_game_count(); i += 3) clocks.push_back(bench_clock(i));
  for (const TimeOfDay clock : clocks) {
    Game game, again;
    game.roster = initial_roster(game.random);
    again.roster = initial_roster(again.random);
    DeathCounter counter;
    const GameSummary rules = play_computer_game(game, clock, &counter);
    Figures figures;
    const GameRecord record = GameTally(figures).play(again, clock);
    SCOPED_TRACE(::testing::Message() << clock.hour << ":" << clock.minute << ":" << clock.second);
    EXPECT_EQ(record.days, rules.days);
    EXPECT_EQ(record.ending, rules.ending);
    EXPECT_EQ(record.winner, rules.winner);
    EXPECT_EQ(record.deaths, counter.deaths);
    EXPECT_EQ(figures.games, 1u);
  }
}

// Whether the process has a handler of its own for SIGINT, as Linux shows it in /proc.
bool catches_interrupt(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("SigCgt:"))
      return (std::stoull(line.substr(7), nullptr, 16) >> (SIGINT - 1) & 1) != 0;
  return false;
}

// Ctrl+C on a run far too long to finish: it stops soon and still prints what it has, whole
// games and their rows only.
TEST(SimulateCommand, AnInterruptStopsSoonWithPartialFigures) {
  const auto csv = scratch_dir() / "games.csv";
  GameProcess run(
      {FORTUNA_BINARY, "simular", "--partidas", "1000000000", "--hilos", "2", "--csv", csv});
  // Before its handler is set, an interrupt would simply end it.
  ASSERT_TRUE(eventually([&] { return catches_interrupt(run.pid()); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(run.signal(SIGINT));
  // A generous bound: a stop that hangs fails here instead of hanging the tests.
  ASSERT_EQ(run.wait_exit(std::chrono::seconds(10)), 130);
  const std::string out = run.out(), rows = read_file(csv);
  const std::string partial = "PARCIAL: interrumpida tras ";
  const auto at = out.find(partial);
  ASSERT_NE(at, std::string::npos) << out;
  std::string games;
  for (std::size_t i = at + partial.size(); i < out.size() && out[i] != ' '; ++i)
    if (out[i] != '.') games += out[i];
  EXPECT_GT(std::stoull(games), 0u);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), std::stoll(games) + 1);
  EXPECT_NE(out.find(" partidas de 1.000.000.000\n", at), std::string::npos) << out;
}

}  // namespace
}  // namespace fortuna::testing
