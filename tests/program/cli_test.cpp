#include <gtest/gtest.h>

#include <algorithm>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

TEST(CommandLine, AKeyScriptAloneChoosesTheHeadlessFrontEndButNotWithTheWindow) {
  EXPECT_EQ(run_fortuna_raw({"--keys", "/dev/null"}).exit_code, 0);
  for (const char* frontend : {"window", "terminal"}) {
    const RunResult both = run_fortuna_raw({"--frontend", frontend, "--keys", "/dev/null"});
    EXPECT_EQ(both.exit_code, 2);
    EXPECT_NE(both.err.find("--keys"), std::string::npos) << both.err;
  }
}

TEST(CommandLine, HelpListsTheKeysOfBothScreensAndVersionNamesTheProgram) {
  const RunResult help = run_fortuna_raw({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("Pantalla de inicio"), std::string::npos);
  EXPECT_NE(help.out.find("Escape o Alt+F4"), std::string::npos);
  EXPECT_NE(help.out.find("Tabulador          callar la voz"), std::string::npos);
  EXPECT_NE(help.out.find("Alt+0 a Alt+9"), std::string::npos);
  const RunResult version = run_fortuna_raw({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out.rfind("fortuna ", 0), 0u) << version.out;
}

TEST(CommandLine, BadInputIsOneLineAndStatusTwo) {
  const struct {
    std::vector<std::string> args;
    std::string needle;
  } cases[] = {{{"--bogus"}, "--bogus"},
               {{"--clock", "7:00:00"}, "--clock"},
               {{"--clock", "24:00:00"}, "--clock"},
               {{"--speech", "sapi"}, "--speech"},
               {{"--keys", "/nonexistent/keys.txt"}, "/nonexistent/keys.txt"},
               {{"--keys", "/dev/null", "--transcript", "/nonexistent/t.jsonl"}, "/nonexistent"}};
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--frontend", "headless"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RunResult r = run_fortuna_raw(args);
    EXPECT_EQ(r.exit_code, 2) << c.needle;
    EXPECT_NE(r.err.find(c.needle), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(CommandLine, BadScriptsNameTheirLineAndAScriptIsCheckedBeforeItsFirstKey) {
  const std::pair<std::string, std::string> cases[] = {
      {"Right\nSpace\n\n# fine so far\nSpcae\n", "línea 5"},
      {"F2\nRight\n", "línea 2"},  // an input box needs its answer
      {"F2\n", "cuadro de texto"},
      {"text: Pepe\n", "línea 1"}};
  for (const auto& [script, needle] : cases) {
    const RunResult r = run_fortuna(script);
    EXPECT_EQ(r.exit_code, 2) << script;
    EXPECT_NE(r.err.find(needle), std::string::npos) << r.err;
    // A script file is checked whole first; a missing answer shows only when the box opens.
    EXPECT_EQ(r.events.empty(), needle == "línea 5");
  }
}

TEST(CommandLine, TheTextEngineSpeaksOneLineAText) {
  const RunResult r =
      run_fortuna_raw({"--frontend", "headless", "--speech", "text"}, "Right\nControl\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out,
            "la fortuna de vadod brunilda. escoja los personajes que desea controlar y pulse enter "
            "cuando esté listo. bigotes, el gato andalúno seleccionado\n"
            "sir reginald, el apenado maridono seleccionado\n");
}

}  // namespace
}  // namespace fortuna::testing
