#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/bench_run.h"
#include "support/run_fortuna.h"

namespace fortuna::testing {

// The bench's games are the game's behaviour in one number: a changed draw, text, flag or
// label changes it. After a deliberate change, record the new value in bench/signature.txt.
TEST(BenchSignature, MatchesTheRecordedSignature) {
  std::ifstream file(std::string(FORTUNA_SOURCE_DIR) + "/bench/signature.txt");
  std::string recorded;
  ASSERT_TRUE(file >> recorded) << "bench/signature.txt is missing";

  const BenchFigures figures = play_bench_games();
  EXPECT_EQ(figures.unfinished, 0);
  EXPECT_EQ(figures.games, bench_game_count());
  EXPECT_EQ(figures.endings[1] + figures.endings[2] + figures.endings[3], figures.games);
  EXPECT_EQ(signature_hex(figures.signature), recorded);
}

TEST(BenchSignature, SameGamesGiveTheSameSignatureAndAnotherClockAnother) {
  std::uint64_t first = kSignatureStart, again = kSignatureStart, other = kSignatureStart;
  const GameOutcome a = play_computer_game(bench_clock(3), first);
  const GameOutcome b = play_computer_game(bench_clock(3), again);
  play_computer_game(bench_clock(4), other);
  EXPECT_EQ(first, again);
  EXPECT_EQ(a.days, b.days);
  EXPECT_EQ(a.draws, b.draws);
  EXPECT_NE(first, other);
  EXPECT_NE(a.ending, 0);
}

TEST(BenchSignature, CommandPrintsTheFiguresAndTheSignature) {
  const RunResult r = run_fortuna_raw({"bench"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  std::ifstream file(std::string(FORTUNA_SOURCE_DIR) + "/bench/signature.txt");
  std::string recorded;
  file >> recorded;
  for (const char* line : {"games 200\n", "\ndays ", "\ndeaths ", "\nendings keys ",
                           "\ndraws per game ", "\ngames per second "})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
  EXPECT_NE(r.out.find("\nsignature " + recorded + "\n"), std::string::npos) << r.out;
}

}  // namespace fortuna::testing
