// The speech-dispatcher engine against the real service.
#include "speech/speechd_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "audio/sound_server.h"

namespace fortuna::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const std::string kLongText =
    "en el salón de la mansión los herederos esperan en silencio mientras el notario lee con "
    "calma cada línea del testamento y nadie se atreve a mirar a los demás a los ojos";

class SpeechdOnService : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    engine = SpeechdEngine::open(error);
    FORTUNA_NEEDS_AUDIO(engine, "speech-dispatcher cannot speak here: " + error);
    engine->list_voices();  // the first list takes seconds: not in the timings
  }
  // Seconds from giving the text to the service's word that it was spoken.
  double seconds_to_say(const std::string& text) {
    const auto start = Clock::now();
    engine->speak(text);
    engine->wait_until_done();
    EXPECT_EQ(engine->fault(), "") << text;
    return std::chrono::duration<double>(Clock::now() - start).count();
  }
  std::unique_ptr<SpeechdEngine> engine;
};

TEST_F(SpeechdOnService, WaitsForTheEndOfATextAndAPurgeOrANewTextCutsALongOne) {
  const double short_text = seconds_to_say("hola a todos");
  EXPECT_GT(short_text, 0.2) << "the wait did not wait for the speech";
  EXPECT_LT(short_text, 10.0);
  for (const auto& [next, limit] : {std::pair{"", 0.5}, std::pair{"adiós", 4.0}}) {
    engine->speak(kLongText);
    std::this_thread::sleep_for(milliseconds(400));
    EXPECT_LT(seconds_to_say(next), limit) << "the long text went on after \"" << next << "\"";
  }
  // Markup is read as text.
  const double without = seconds_to_say("uno tres");
  const double plain = seconds_to_say("uno dos tres");
  ASSERT_GT(plain, without);
  EXPECT_GT(seconds_to_say("uno <dos> tres") - without, 0.6 * (plain - without));
}

TEST_F(SpeechdOnService, TheRateReachesBothEndsOfTheServiceAndAnyListedVoiceCanBeChosen) {
  const std::string sentence = "la cocina huele a pan recién hecho y nadie sabe dónde están";
  engine->set_rate(54);
  const double fast = seconds_to_say(sentence);
  engine->set_rate(-54);
  EXPECT_EQ(engine->rate(), -54);
  EXPECT_LT(fast * 1.5, seconds_to_say(sentence));

  const auto voices = engine->list_voices();
  ASSERT_GE(voices.size(), 2u);
  EXPECT_LT(voices.size(), 2000u) << "every language was kept";
  for (int index : {1, static_cast<int>(voices.size()) - 1, 0}) {
    engine->select_voice(index);
    EXPECT_GT(seconds_to_say("uno"), 0.05) << voices[static_cast<std::size_t>(index)];
  }
  engine->select_voice(static_cast<int>(voices.size()));  // beyond the list: nothing changes
  EXPECT_EQ(engine->fault(), "");
}

}  // namespace
}  // namespace fortuna::testing
