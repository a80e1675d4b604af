#include <gtest/gtest.h>

#include "support/run_fortuna.h"

namespace fortuna::testing {

TEST(CommandLine, AKeyScriptAloneChoosesTheHeadlessFrontEnd) {
  RunResult r = run_fortuna_raw({"--keys", "/dev/null"});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  for (const char* frontend : {"window", "terminal"}) {
    RunResult both = run_fortuna_raw({"--frontend", frontend, "--keys", "/dev/null"});
    EXPECT_EQ(both.exit_code, 2);
    EXPECT_NE(both.err.find("--keys"), std::string::npos) << both.err;
  }
}

TEST(CommandLine, HelpListsTheKeysOfBothScreensAndVersionNamesTheProgram) {
  RunResult help = run_fortuna_raw({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("Pantalla de inicio"), std::string::npos);
  EXPECT_NE(help.out.find("Escape o Alt+F4"), std::string::npos);
  EXPECT_NE(help.out.find("Tabulador          callar la voz"), std::string::npos);
  EXPECT_NE(help.out.find("Alt+0 a Alt+9"), std::string::npos);
  RunResult version = run_fortuna_raw({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out.rfind("fortuna ", 0), 0u) << version.out;
}

}  // namespace fortuna::testing

namespace fortuna::testing {

TEST(CommandLine, TheSameScriptAndClockGiveTheSameTranscriptByteForByte) {
  const std::string script = "Right\nSpace\nEnter\nSpace\n1\nSpace\nSpace\nF5\nH\nEscape\n";
  RunResult a = run_fortuna(script, {"--clock", "10:20:30"});
  RunResult b = run_fortuna(script, {"--clock", "10:20:30"});
  ASSERT_EQ(a.exit_code, 0) << a.err;
  EXPECT_EQ(a.events, b.events);
  RunResult later = run_fortuna(script, {"--clock", "10:20:31"});
  EXPECT_NE(a.events, later.events);
}

}  // namespace fortuna::testing
