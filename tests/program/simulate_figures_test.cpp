#include "program/simulate_figures.h"

#include <gtest/gtest.h>

namespace fortuna {
namespace {

GameRecord game_of(int days, Ending ending, std::optional<CharacterId> winner = std::nullopt,
                   int place = 0) {
  GameRecord game;
  game.days = days;
  game.deaths = days / 2;
  game.ending = ending;
  game.winner = winner;
  game.winner_place = place;
  game.winner_temper = winner && *winner % 2 ? Temper::Aggressive : Temper::Calm;
  game.aggressive_characters = 4;
  return game;
}

TEST(SimulationShares, IntervalsHoldTheirShareAndStayWithinZeroAndOne) {
  const struct {
    std::uint64_t count, total;
    double low_below, high_above;  // the interval must reach at least this far
  } cases[] = {{0, 10, 0.0, 0.2},
               {10, 10, 0.8, 1.0},
               {1, 1'000'000'000, 1e-9, 1e-9},
               {500'000, 1'000'000, 0.4995, 0.5005},
               {999'999'999, 1'000'000'000, 0.999'999'995, 0.999'999'999},
               {3, 7, 0.2, 0.7}};
  for (const auto& c : cases) {
    const Share share = share_of(c.count, c.total);
    EXPECT_DOUBLE_EQ(share.value, static_cast<double>(c.count) / static_cast<double>(c.total));
    EXPECT_LE(share.low, share.value) << c.count << " of " << c.total;
    EXPECT_GE(share.high, share.value) << c.count << " of " << c.total;
    EXPECT_GE(share.low, 0.0);
    EXPECT_LE(share.high, 1.0);
    EXPECT_LE(share.low, c.low_below) << c.count << " of " << c.total;
    EXPECT_GE(share.high, c.high_above) << c.count << " of " << c.total;
  }
  // Wilson's interval for 50 of 100, as published: 0.4038 to 0.5962.
  const Share half = share_of(50, 100);
  EXPECT_NEAR(half.low, 0.4038, 1e-4);
  EXPECT_NEAR(half.high, 0.5962, 1e-4);
  const Share none = share_of(0, 0);
  EXPECT_EQ(none.value, 0.0);
  EXPECT_EQ(none.low, 0.0);
  EXPECT_EQ(none.high, 1.0);
}

TEST(SimulationDays, MeanMedianLongestAndDeathsPerDay) {
  const struct {
    std::vector<int> days;
    double mean, median;
    int longest;
  } cases[] = {{{5}, 5, 5, 5},
               {{3, 9, 4}, 16.0 / 3, 4, 9},
               {{2, 7, 3, 40}, 13, 5, 40},
               {{6, 6, 7, 7}, 6.5, 6.5, 7}};
  for (const auto& c : cases) {
    Figures figures;
    for (int days : c.days) figures.add_game(game_of(days, Ending::OneLeft, CharacterId{0}));
    const DayFigures result = day_figures(figures);
    EXPECT_DOUBLE_EQ(result.mean, c.mean);
    EXPECT_DOUBLE_EQ(result.median, c.median);
    EXPECT_EQ(result.longest, c.longest);
    EXPECT_LE(result.mean_low, result.mean);
    EXPECT_GE(result.mean_high, result.mean);
    EXPECT_DOUBLE_EQ(result.deaths_per_day,
                     static_cast<double>(figures.deaths) / static_cast<double>(figures.days));
  }
  EXPECT_EQ(day_figures(Figures{}).longest, 0);
}

TEST(SimulationFigures, GamesCountWhereTheyBelongAndSumsDoNotDependOnTheOrder) {
  const std::vector<GameRecord> games = {
      game_of(4, Ending::HeirEscaped, CharacterId{3}, 0),
      game_of(9, Ending::OneLeft, CharacterId{7}, 5),
      game_of(12, Ending::NobodyLeft),
      game_of(6, Ending::HeirEscaped, CharacterId{3}, 1),
  };
  Figures all, first_half, second_half;
  for (std::size_t i = 0; i < games.size(); ++i) {
    all.add_game(games[i]);
    (i % 2 ? second_half : first_half).add_game(games[i]);
  }
  Figures merged = second_half;
  merged.add(first_half);
  EXPECT_EQ(merged, all);

  EXPECT_EQ(all.games, 4u);
  EXPECT_EQ(all.days, 31u);
  EXPECT_EQ(all.endings, (std::array<std::uint64_t, kEndingCount>{2, 1, 1}));
  EXPECT_EQ(all.wins_by_character[3], 2u);
  EXPECT_EQ(all.wins_by_character[7], 1u);
  EXPECT_EQ(all.wins_by_place[0] + all.wins_by_place[1] + all.wins_by_place[5], 3u);
  EXPECT_EQ(all.games_with_a_winner(), 3u);
  EXPECT_EQ(all.wins_by_temper[static_cast<std::size_t>(Temper::Aggressive)], 3u);
  EXPECT_EQ(all.characters_by_temper[static_cast<std::size_t>(Temper::Aggressive)], 16u);
  EXPECT_EQ(all.characters_by_temper[static_cast<std::size_t>(Temper::Calm)], 24u);
  EXPECT_EQ(all.games_by_days.size(), 13u);
}

TEST(SimulationFigures, CountsPastFourBillionStayExact) {
  Figures big;
  big.games = 1'000'000'000;
  big.cards[0].played = 6'000'000'000;
  big.cards[0].changed_night = 4'500'000'000;
  Figures sum = big;
  sum.add(big);
  EXPECT_EQ(sum.games, 2'000'000'000u);
  EXPECT_EQ(sum.cards[0].played, 12'000'000'000u);
  EXPECT_DOUBLE_EQ(share_of(sum.cards[0].changed_night, sum.cards[0].played).value, 0.75);
}

TEST(SimulationFigures, EndingsHaveOnePlaceEach) {
  for (int e = 0; e < kEndingCount; ++e) EXPECT_EQ(ending_index(ending_at(e)), e);
}

}  // namespace
}  // namespace fortuna
