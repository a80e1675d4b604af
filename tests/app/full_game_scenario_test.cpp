#include <gtest/gtest.h>

#include <string>

#include "support/run_fortuna.h"

namespace fortuna::testing {

namespace {

bool starts(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

// Bigotes is a person who always goes to the drawing room and throws his first card away; the
// others are the computer's. Forty such days are more than the game lasts, so the game ends,
// "1" starts another, and Escape leaves.
std::string one_person_script() {
  std::string script = "Space\nEnter\n";
  for (int day = 0; day < 40; ++day) script += "Space\n1\nSpace\nCtrl+1\nSpace\n";
  return script + "Escape\n";
}

const std::string kPerson = "Bigotes, el gato andalú";
const std::string kClosingPrompt =
    "La partida ha terminado, pulse 1 para volver a empezar o escape  para salir.";

}  // namespace

TEST(FullGameScenario, APersonPlaysUntilDeathTheGameEndsAndOneStartsAnother) {
  const RunResult r = run_fortuna(one_person_script(), {"--clock", "10:20:30"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_FALSE(r.events.empty());
  EXPECT_EQ(r.events.back()["event"], "exit");

  std::vector<nlohmann::json> speech;
  for (const auto& e : r.events)
    if (e["event"] == "speak") speech.push_back(e);

  std::size_t end = 0;  // the closing prompt of the first game
  while (end < speech.size() && speech[end]["text"] != kClosingPrompt) ++end;
  ASSERT_LT(end, speech.size()) << "the first game never ended";
  EXPECT_TRUE(speech[end]["wait_before"].get<bool>());
  const std::string scene = speech[end - 1]["text"];
  EXPECT_TRUE(starts(scene, "Tras salir en plena noche") || starts(scene, "El señor Mástiff") ||
              starts(scene, "Mister Paul Mástiff llega"))
      << scene;

  int prompts = 0, reports = 0, mornings = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const std::string text = speech[i]["text"];
    if (starts(text, kPerson + ", es su turno de jugar.")) {
      EXPECT_EQ(reports, 0) << "a dead person was asked to play: " << text;
      ++prompts;
    }
    if (speech[i]["wait_before"].get<bool>() && speech[i]["wait_after"].get<bool>()) {
      EXPECT_TRUE(starts(text, kPerson + " cuando estaba en El salón ha recibido un ataque de "))
          << text;
      EXPECT_NE(text.find(" que le elimina definitivamente como aspirante a la fortuna de vadod "
                          "brunilda"),
                std::string::npos);
      ++reports;
    }
    if (starts(text, "Un nuevo día comienza y Mister Paul Mastiff")) {
      ++mornings;
      ASSERT_LT(i + 1, end);
      // the aspirants wait for the news to be heard whole
      EXPECT_TRUE(starts(speech[i + 1]["text"], "Los actuales aspirantes a la fortuna"));
      EXPECT_TRUE(speech[i + 1]["wait_before"].get<bool>());
    }
  }
  EXPECT_EQ(reports, 1);
  EXPECT_GE(prompts, 2);
  EXPECT_GE(mornings, 2);

  // "1" after the end: a new first day, with the person asked again
  ASSERT_LT(end + 1, speech.size());
  EXPECT_TRUE(starts(speech[end + 1]["text"], "Los actuales aspirantes a la fortuna"));
  bool asked_again = false;
  for (std::size_t i = end + 1; i < speech.size(); ++i)
    if (starts(speech[i]["text"], kPerson + ", es su turno de jugar.")) asked_again = true;
  EXPECT_TRUE(asked_again);
}

}  // namespace fortuna::testing
