#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/run_fortuna.h"

namespace fortuna::testing {

// The bench's games are the game's behaviour in one number: a changed draw, text, wait or label
// changes it. After a deliberate change, record the new value in bench/signature.txt. It ends
// with status 0 only when every game ended and the rules alone agreed with the whole program.
TEST(Bench, EveryGameEndsTheRulesAloneAgreeAndTheSignatureIsTheRecordedOne) {
  std::ifstream file(std::string(FORTUNA_SOURCE_DIR) + "/bench/signature.txt");
  std::string recorded;
  file >> recorded;
  ASSERT_FALSE(recorded.empty()) << "bench/signature.txt is missing";
  const RunResult r = run_fortuna_raw({"bench"});
  EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
  for (const std::string& line : std::vector<std::string>{
           "\nsignature " + recorded + "\n", "\ngames per second ",
           "\nrules alone games per second ", "\nfloor games per second ", " times its draws\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
}

}  // namespace fortuna::testing
