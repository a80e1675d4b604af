#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/run_fortuna.h"

namespace fortuna::testing {

// Bigotes is a person who always goes to the drawing room and throws his first card away; the
// others are the computer's. Forty such days are more than the game lasts, so the game ends,
// "1" starts another, and Escape leaves.
TEST(FullGameScenario, APersonPlaysUntilDeathTheGameEndsAndANewGameRevivesHim) {
  std::string script = "Space\nEnter\n";
  for (int day = 0; day < 40; ++day) script += "Space\n1\nSpace\nCtrl+1\nSpace\n";
  const RunResult r = run_fortuna(script + "Escape\n", {"--clock", "10:20:30"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.events.back()["event"], "exit");

  std::vector<nlohmann::json> speech;
  for (const auto& e : r.events)
    if (e["event"] == "speak") speech.push_back(e);
  const std::string person = "Bigotes, el gato andalú";
  const std::string turn = person + ", es su turno de jugar.";
  const auto end = std::find_if(speech.begin(), speech.end(), [](const auto& e) {
    return e["text"] ==
           "La partida ha terminado, pulse 1 para volver a empezar o escape  para salir.";
  });  // the closing prompt of the first game
  ASSERT_LT(end + 1, speech.end()) << "the first game never ended";
  EXPECT_TRUE((*end)["wait_before"]);
  int prompts = 0, reports = 0;
  for (auto e = speech.begin(); e != end; ++e) {
    const std::string text = (*e)["text"];
    if (text.starts_with(turn)) {
      EXPECT_EQ(reports, 0) << "a dead person was asked to play: " << text;
      ++prompts;
    }
    if ((*e)["wait_before"] && (*e)["wait_after"]) {
      EXPECT_TRUE(text.starts_with(person + " cuando estaba en El salón ha recibido un ataque de "))
          << text;
      ++reports;
    }
  }
  EXPECT_EQ(reports, 1);
  EXPECT_GE(prompts, 2);

  // "1" after the end: a new first day, with the person alive and asked again
  EXPECT_TRUE(
      std::string((*(end + 1))["text"]).starts_with("Los actuales aspirantes a la fortuna"));
  EXPECT_NE(std::find_if(end + 1, speech.end(),
                         [&](const auto& e) { return std::string(e["text"]).starts_with(turn); }),
            speech.end());
}

}  // namespace fortuna::testing
