// speech-dispatcher, the real service: the engine on its own, and the game run with
// --speech speechd as a player would run it.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <regex>
#include <thread>

#include "audio/sound_server.h"
#include "audio/speechd_service.h"
#include "speech/speechd_engine.h"
#include "support/game_process.h"
#include "support/run_fortuna.h"
#include "support/sink_monitor.h"
#include "support/sound_analysis.h"

namespace fortuna::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

const std::string kLongText =
    "en el salón de la mansión los herederos esperan en silencio mientras el notario lee con "
    "calma cada línea del testamento y nadie se atreve a mirar a los demás a los ojos";

class Speechd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    // A service killed by the test before may still be going away: give it a few seconds.
    eventually([&] { return (engine = SpeechdEngine::open(error)) != nullptr; }, seconds(8));
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
  // In English, without leak reports on what the service's library keeps for the process's life.
  const std::vector<std::string> environment = {"LANG=en_US.UTF-8", "LC_ALL", "LANGUAGE",
                                                without_leak_checks()};
};

TEST_F(Speechd, WaitsForTheEndOfATextAndAPurgeOrANewTextCutsALongOne) {
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

TEST_F(Speechd, TheRateReachesBothEndsOfTheServiceAndAnyListedVoiceCanBeChosen) {
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

TEST_F(Speechd, ListVoicesPrintsTheServicesSpanishVoicesWithTheirIndex) {
  RunResult r = run_fortuna_raw({"--speech", "speechd", "--list-voices"}, "",
                                {"LANG=en_US.UTF-8", without_leak_checks()});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(std::regex_search(r.out, std::regex("^0\t[^\n]+\n1\t[^\n]+\n"))) << r.out;
  EXPECT_NE(r.err.find("fortuna: speaking through speech-dispatcher"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

TEST_F(Speechd, AServiceKilledMidGameHandsOverToEspeakWithOneLine) {
  const auto transcript = scratch_dir() / "transcript.jsonl";
  GameProcess game(
      {FORTUNA_BINARY, "--frontend", "headless", "--speech", "speechd", "--clock", "10:20:30",
       "--transcript", transcript.string()},
      {"LANG=en_US.UTF-8", "LC_ALL", "LANGUAGE", without_leak_checks(), "SDL_AUDIODRIVER=dummy"});
  game.type("Right\nSpace\n");
  eventually([&] { return read_file(transcript).find("\"Space\"") != std::string::npos; });
  const auto pid = speechd_service_pid();
  ASSERT_TRUE(pid);
  ASSERT_EQ(kill(*pid, SIGKILL), 0);
  std::this_thread::sleep_for(milliseconds(300));
  game.type("Right\nF5\n");
  game.close_input();
  ASSERT_EQ(game.wait_exit(seconds(30)), 0) << game.err();
  const std::string err = game.err();
  EXPECT_TRUE(std::regex_search(
      err, std::regex("\nfortuna: [^\n]*speech-dispatcher[^\n]*; speaking through espeak-ng "
                      "instead\n")))
      << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
  const std::string events = read_file(transcript);
  EXPECT_NE(events.find("\"F5\""), std::string::npos) << "the keys after the kill were lost";
  EXPECT_NE(events.find("\"exit\""), std::string::npos);
}

// Speaking the long greeting, the game ends: by Escape, or by a signal at the terminal.
TEST_F(Speechd, AClosedGameSaysNothingMore) {
  std::string error;
  auto monitor = SinkMonitor::start(error);
  FORTUNA_NEEDS_AUDIO(monitor, error);
  for (const bool by_signal : {false, true}) {
    const auto launched = Clock::now();
    GameProcess game({FORTUNA_BINARY, "--frontend", "headless", "--speech", "speechd"},
                     environment);
    ASSERT_TRUE(eventually([&] {
      return first_sound(monitor->samples(), monitor->index_at(launched)).has_value();
    })) << "the greeting was never heard: "
        << game.err();
    std::this_thread::sleep_for(milliseconds(300));
    if (by_signal)
      ASSERT_TRUE(game.signal(SIGTERM)) << game.err();
    else
      game.type("Escape\n");
    game.wait_exit(seconds(10));
    const auto ended = Clock::now();
    monitor->wait_until_recorded(ended + milliseconds(1500));
    const auto samples = monitor->samples();
    EXPECT_FALSE(first_sound(samples, monitor->index_at(ended + milliseconds(500))))
        << (by_signal ? "after SIGTERM" : "after Escape") << " the service went on talking";
  }
}

}  // namespace
}  // namespace fortuna::testing
