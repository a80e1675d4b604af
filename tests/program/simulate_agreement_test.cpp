// The games a simulation counts are the games people play: the same clock gives the same
// nights, by the rules alone and through the whole program.
#include <gtest/gtest.h>

#include <vector>

#include "program/bench.h"
#include "program/simulate_tally.h"
#include "support/test_program.h"

namespace fortuna::testing {
namespace {

struct DeathSeen {
  int day;
  CharacterId character;
  std::optional<Room> room;
  bool operator==(const DeathSeen&) const = default;
};

struct GameSeen {
  int days = 0;
  Ending ending = Ending::None;
  std::optional<CharacterId> winner;
  std::vector<DeathSeen> deaths;
};

class DeathRecorder final : public DayObserver {
 public:
  void on_choices(const Game&) override { ++days; }
  void on_night(const Game&, const NightReport& report) override {
    for (const Death& death : report.deaths) deaths.push_back({days, death.character, death.room});
  }
  int days = 0;
  std::vector<DeathSeen> deaths;
};

// The whole program, every key a Space: who was alive and where before each night, and who
// was alive after it.
GameSeen full_game(TimeOfDay clock) {
  TestProgram test(clock);
  test.key(keys::kEnter);
  GameSeen seen;
  for (int k = 0; k < 5000 && test.game().phase != Phase::Over; ++k) {
    const bool night = test.game().phase == Phase::Cards;
    const Roster before = test.game().roster;
    test.key(keys::kSpace);
    if (!night) continue;
    ++seen.days;
    for (std::size_t c = 0; c < before.size(); ++c)
      if (before[c].alive && !test.game().roster[c].alive)
        seen.deaths.push_back({seen.days, static_cast<CharacterId>(c), before[c].room});
  }
  seen.ending = test.game().ending;
  seen.winner = test.game().winner;
  return seen;
}

GameSeen rules_alone(TimeOfDay clock) {
  Game game;
  game.roster = initial_roster(game.random);
  DeathRecorder recorder;
  const GameSummary summary = play_computer_game(game, clock, &recorder);
  return {summary.days, summary.ending, summary.winner, recorder.deaths};
}

std::vector<TimeOfDay> sample_clocks() {
  std::vector<TimeOfDay> clocks;
  for (int i = 0; i < bench_game_count(); i += 5) clocks.push_back(bench_clock(i));
  std::uint64_t state = 12345;
  for (int i = 0; i < 40; ++i) {
    state = mix64(state + 0x9E3779B97F4A7C15ULL);
    clocks.push_back({static_cast<int>(state % 24), static_cast<int>(state / 24 % 60),
                      static_cast<int>(state / 1440 % 60)});
  }
  return clocks;
}

TEST(SimulationAgreement, EveryNightOfTheRulesAloneIsTheFullGamesNight) {
  int deaths = 0;
  for (const TimeOfDay clock : sample_clocks()) {
    const GameSeen full = full_game(clock);
    const GameSeen rules = rules_alone(clock);
    const std::string at = std::to_string(clock.hour) + ":" + std::to_string(clock.minute) + ":" +
                           std::to_string(clock.second);
    ASSERT_NE(full.ending, Ending::None) << at;
    EXPECT_EQ(rules.days, full.days) << at;
    EXPECT_EQ(rules.ending, full.ending) << at;
    EXPECT_EQ(rules.winner, full.winner) << at;
    EXPECT_EQ(rules.deaths, full.deaths) << at;
    deaths += static_cast<int>(full.deaths.size());

    // What the simulation writes of the game says the same.
    Game game;
    game.roster = initial_roster(game.random);
    Figures figures;
    const GameRecord record = GameTally(figures).play(game, clock);
    EXPECT_EQ(record.days, full.days) << at;
    EXPECT_EQ(record.ending, full.ending) << at;
    EXPECT_EQ(record.winner, full.winner) << at;
    EXPECT_EQ(record.deaths, static_cast<int>(full.deaths.size())) << at;
  }
  EXPECT_GT(deaths, 300);  // the sample holds many deaths, not a few quiet games
}

}  // namespace
}  // namespace fortuna::testing
