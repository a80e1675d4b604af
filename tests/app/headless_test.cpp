#include <gtest/gtest.h>

#include <algorithm>

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

namespace fortuna::testing {

TEST(Headless, BadInputIsOneLineAndStatusTwo) {
  struct Case {
    std::vector<std::string> args;
    std::string needle;
  } cases[] = {
      {{"--frontend", "headless", "--bogus"}, "--bogus"},
      {{"--frontend", "headless", "--clock", "7:00:00"}, "--clock"},
      {{"--frontend", "headless", "--clock", "24:00:00"}, "--clock"},
      {{"--frontend", "headless", "--speech", "sapi"}, "--speech"},
      {{"--frontend", "headless", "--keys", "/nonexistent/keys.txt"}, "/nonexistent/keys.txt"},
      {{"--frontend", "headless", "--keys", "/dev/null", "--transcript", "/nonexistent/t.jsonl"},
       "/nonexistent/t.jsonl"},
  };
  for (const auto& c : cases) {
    RunResult r = run_fortuna_raw(c.args);
    EXPECT_EQ(r.exit_code, 2) << c.needle;
    EXPECT_NE(r.err.find(c.needle), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(Headless, AScriptIsCheckedWholeBeforeItsFirstKey) {
  RunResult r = run_fortuna("Right\nSpace\n\n# fine so far\nSpcae\n");
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("line 5"), std::string::npos) << r.err;
  EXPECT_TRUE(r.events.empty()) << "nothing may run before the script is known good";
}

TEST(Headless, AnInputBoxNeedsItsAnswer) {
  RunResult missing = run_fortuna("F2\nRight\n");
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_NE(missing.err.find("line 2"), std::string::npos) << missing.err;
  EXPECT_EQ(missing.events.back()["event"], "exit");
  EXPECT_EQ(missing.events.back()["code"], 2);

  RunResult ended = run_fortuna("F2\n");
  EXPECT_EQ(ended.exit_code, 2);
  EXPECT_NE(ended.err.find("input box"), std::string::npos) << ended.err;

  RunResult stray = run_fortuna("text: Pepe\n");
  EXPECT_EQ(stray.exit_code, 2);
  EXPECT_NE(stray.err.find("line 1"), std::string::npos) << stray.err;
}

TEST(Headless, RenameAnswersAndCancelAppearInTheTranscript) {
  RunResult r = run_fortuna("F2\ntext: Doña Ñandú\nRight\nF2\ncancel\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  std::vector<nlohmann::json> inputs;
  for (const auto& e : r.events)
    if (e["event"] == "input") inputs.push_back(e);
  ASSERT_EQ(inputs.size(), 2u);
  EXPECT_EQ(inputs[0]["prompt"], "Escriba el nombre del personaje y pulse enter:");
  EXPECT_EQ(inputs[0]["title"], "Cambiar el nombre al personaje");
  EXPECT_EQ(inputs[0]["default"], "Bigotes, el gato andalú");
  auto spoken = r.spoken();
  EXPECT_NE(std::find(spoken.begin(), spoken.end(), "Doña ÑandúNo seleccionado"), spoken.end());
  EXPECT_EQ(spoken.back(), "Cancelado");
}

TEST(Headless, KeysRateVoiceAndWindowsAreRecordedInOrder) {
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
  EXPECT_EQ(kinds.back(), "exit");
}

TEST(Headless, TheSameScriptAndClockGiveTheSameTranscript) {
  const std::string script = "Right\nSpace\nEnter\nSpace\nSpace\nF5\nH\nEscape\n";
  RunResult a = run_fortuna(script, {"--clock", "10:20:30"});
  RunResult b = run_fortuna(script, {"--clock", "10:20:30"});
  ASSERT_EQ(a.exit_code, 0) << a.err;
  EXPECT_EQ(a.events, b.events);
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
