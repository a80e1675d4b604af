#include "program/bench.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

std::string recorded_signature() {
  std::ifstream file(std::string(FORTUNA_SOURCE_DIR) + "/bench/signature.txt");
  std::string recorded;
  file >> recorded;
  return recorded;
}

// The bench's games are the game's behaviour in one number: a changed draw, text, wait or label
// changes it. After a deliberate change, record the new value in bench/signature.txt.
TEST(Bench, TheFullGameMatchesTheRecordedSignatureAndTheRulesAloneAgreeWithIt) {
  const std::string recorded = recorded_signature();
  ASSERT_FALSE(recorded.empty()) << "bench/signature.txt is missing";
  const BenchFigures figures = play_bench_games();
  EXPECT_EQ(figures.unfinished, 0);
  EXPECT_EQ(figures.rules_disagree, 0);
  EXPECT_EQ(figures.keys_endings + figures.nobody_endings + figures.one_left_endings,
            bench_game_count());
  EXPECT_EQ(signature_hex(figures.signature), recorded);
}

TEST(Bench, TheCommandPrintsTheSignatureAndBothCostsNextToTheFloor) {
  const RunResult r = run_fortuna_raw({"bench"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  for (const std::string& line : std::vector<std::string>{
           "\nsignature " + recorded_signature() + "\n", "\ngames per second ",
           "\nrules alone games per second ", "\nfloor games per second ", " times its draws\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
}

}  // namespace
}  // namespace fortuna::testing
