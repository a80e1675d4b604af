#include <gtest/gtest.h>

#include "support/run_fortuna.h"

namespace fortuna::testing {

TEST(Headless, ScriptInTranscriptOutWithExitLast) {
  RunResult r = run_fortuna("Right\nSpace\nEscape\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_FALSE(r.events.empty());
  EXPECT_EQ(r.events.back()["event"], "exit");
  EXPECT_EQ(r.events.back()["code"], 0);
  auto spoken = r.spoken();
  ASSERT_GE(spoken.size(), 3u);
  EXPECT_EQ(spoken[1], "Sir Reginald, el apenado maridoNo seleccionado");
  EXPECT_EQ(spoken[2], "Seleccionado");
}

}  // namespace fortuna::testing
