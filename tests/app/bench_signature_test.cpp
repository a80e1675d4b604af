#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/bench_run.h"
#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

std::string recorded_signature() {
  std::ifstream file(std::string(FORTUNA_SOURCE_DIR) + "/bench/signature.txt");
  std::string recorded;
  file >> recorded;
  return recorded;
}

// The bench's games are the game's behaviour in one number: a changed draw, text, flag or
// label changes it. After a deliberate change, record the new value in bench/signature.txt.
TEST(BenchSignature, MatchesTheRecordedSignature) {
  const std::string recorded = recorded_signature();
  ASSERT_FALSE(recorded.empty()) << "bench/signature.txt is missing";
  const BenchFigures figures = play_bench_games();
  EXPECT_EQ(figures.unfinished, 0);
  EXPECT_EQ(figures.games, bench_game_count());
  EXPECT_EQ(figures.endings[1] + figures.endings[2] + figures.endings[3], figures.games);
  EXPECT_EQ(signature_hex(figures.signature), recorded);
}

TEST(BenchSignature, CommandPrintsTheFiguresAndTheSignature) {
  const RunResult r = run_fortuna_raw({"bench"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  for (const std::string line : {"games 200\n", "\ndays ", "\ndeaths ", "\nendings keys ",
                                 "\ndraws per game ", "\ngames per second "})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
  EXPECT_NE(r.out.find("\nsignature " + recorded_signature() + "\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace fortuna::testing
