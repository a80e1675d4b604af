#include <gtest/gtest.h>

#include <algorithm>

#include "support/run_fortuna.h"

namespace fortuna::testing {

TEST(Headless, KeysRateVoiceWindowsAndExitAreRecordedInOrder) {
  RunResult r = run_fortuna("Shift+F8\nF10\nControl\nEnter\nEscape\n", {"--clock", "10:20:30"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  std::vector<std::string> kinds;
  for (const auto& e : r.events) kinds.push_back(e["event"]);
  auto at = [&](const std::string& kind) {
    return std::find(kinds.begin(), kinds.end(), kind) - kinds.begin();
  };
  EXPECT_EQ(r.events[1], (nlohmann::json{{"event", "key"}, {"key", "Shift+F8"}}));
  EXPECT_EQ(r.events[2], (nlohmann::json{{"event", "rate"}, {"value", 1}}));
  EXPECT_LT(at("voice"), at("show"));
  EXPECT_LT(at("show"), at("close"));
  EXPECT_EQ(r.events.back(), (nlohmann::json{{"event", "exit"}, {"code", 0}}));
}

TEST(Headless, BadInputIsOneLineAndStatusTwo) {
  // clang-format off
  const struct { std::vector<std::string> args; std::string needle; } cases[] = {
      {{"--bogus"}, "--bogus"}, {{"--clock", "7:00:00"}, "--clock"},
      {{"--clock", "24:00:00"}, "--clock"}, {{"--speech", "sapi"}, "--speech"},
      {{"--keys", "/nonexistent/keys.txt"}, "/nonexistent/keys.txt"},
      {{"--keys", "/dev/null", "--transcript", "/nonexistent/t.jsonl"}, "/nonexistent/t.jsonl"}};
  // clang-format on
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--frontend", "headless"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RunResult r = run_fortuna_raw(args);
    EXPECT_EQ(r.exit_code, 2) << c.needle;
    EXPECT_NE(r.err.find(c.needle), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(Headless, BadScriptsNameTheirLineAndAScriptIsCheckedBeforeItsFirstKey) {
  const std::pair<std::string, std::string> cases[] = {
      {"Right\nSpace\n\n# fine so far\nSpcae\n", "line 5"},
      {"F2\nRight\n", "line 2"},  // an input box needs its answer
      {"F2\n", "input box"},
      {"text: Pepe\n", "line 1"}};
  for (const auto& [script, needle] : cases) {
    RunResult r = run_fortuna(script);
    EXPECT_EQ(r.exit_code, 2) << script;
    EXPECT_NE(r.err.find(needle), std::string::npos) << r.err;
    // A script file is checked whole first; a missing answer shows only when the box opens.
    EXPECT_TRUE(needle != "line 5" || r.events.empty());
    EXPECT_TRUE(needle != "line 2" ||
                r.events.back() == (nlohmann::json{{"event", "exit"}, {"code", 2}}));
  }
}

TEST(Headless, RenameAnswersAndCancelAppearInTheTranscript) {
  RunResult r = run_fortuna("F2\ntext: Doña Ñandú\nRight\nF2\ncancel\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const auto input = std::find_if(r.events.begin(), r.events.end(),
                                  [](const auto& e) { return e["event"] == "input"; });
  ASSERT_NE(input, r.events.end());
  EXPECT_EQ(*input, (nlohmann::json{{"event", "input"},
                                    {"prompt", "Escriba el nombre del personaje y pulse enter:"},
                                    {"title", "Cambiar el nombre al personaje"},
                                    {"default", "Bigotes, el gato andalú"}}));
  EXPECT_EQ(r.spoken().back(), "Cancelado");
}

TEST(Headless, TheTextEngineSpeaksOneLineAText) {
  RunResult r = run_fortuna_raw({"--frontend", "headless", "--speech", "text"}, "Right\nControl\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out,
            "la fortuna de vadod brunilda. escoja los personajes que desea controlar y pulse enter "
            "cuando esté listo. bigotes, el gato andalúno seleccionado\n"
            "sir reginald, el apenado maridono seleccionado\n");
}

}  // namespace fortuna::testing
