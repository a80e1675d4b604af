#include <gtest/gtest.h>

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

  struct Said {
    std::string text;
    bool before, after;
  };
  std::vector<Said> speech;
  for (const auto& e : r.events)
    if (e["event"] == "speak") speech.push_back({e["text"], e["wait_before"], e["wait_after"]});
  const std::string person = "Bigotes, el gato andalú";
  const std::string turn = person + ", es su turno de jugar.";

  std::size_t end = 0;  // the closing prompt of the first game
  while (end < speech.size() && speech[end].text !=
                                    "La partida ha terminado, pulse 1 para volver a empezar o "
                                    "escape  para salir.")
    ++end;
  ASSERT_LT(end + 1, speech.size()) << "the first game never ended";
  EXPECT_TRUE(speech[end].before);
  int prompts = 0, reports = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const std::string& text = speech[i].text;
    if (text.starts_with(turn)) {
      EXPECT_EQ(reports, 0) << "a dead person was asked to play: " << text;
      ++prompts;
    }
    if (speech[i].before && speech[i].after) {
      EXPECT_TRUE(text.starts_with(person + " cuando estaba en El salón ha recibido un ataque de "))
          << text;
      EXPECT_TRUE(text.ends_with(
          " que le elimina definitivamente como aspirante a la fortuna de vadod brunilda"))
          << text;
      ++reports;
    }
  }
  EXPECT_EQ(reports, 1);
  EXPECT_GE(prompts, 2);

  // "1" after the end: a new first day, with the person alive and asked again
  EXPECT_TRUE(speech[end + 1].text.starts_with("Los actuales aspirantes a la fortuna"));
  bool asked_again = false;
  for (std::size_t i = end + 1; i < speech.size(); ++i)
    asked_again = asked_again || speech[i].text.starts_with(turn);
  EXPECT_TRUE(asked_again);
}

}  // namespace fortuna::testing
