// The game with --speech speechd, run as a player would run it, against the real service.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
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

class SpeechdGame : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    // A service killed by the test before may still be going away: give it a few seconds.
    const bool speaks =
        eventually([&] { return SpeechdEngine::open(error) != nullptr; }, seconds(8));
    FORTUNA_NEEDS_AUDIO(speaks, "speech-dispatcher cannot speak here: " + error);
  }
  // In English, without leak reports on what the service's library keeps for the process's life.
  const std::vector<std::string> environment = {"LANG=en_US.UTF-8", "LC_ALL", "LANGUAGE",
                                                without_leak_checks()};
};

TEST_F(SpeechdGame, ListVoicesPrintsTheServicesSpanishVoicesWithTheirIndex) {
  RunResult r = run_fortuna_raw({"--speech", "speechd", "--list-voices"}, "",
                                {"LANG=en_US.UTF-8", without_leak_checks()});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(std::regex_search(r.out, std::regex("^0\t[^\n]+\n1\t[^\n]+\n"))) << r.out;
  EXPECT_NE(r.err.find("fortuna: speaking through speech-dispatcher"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

TEST_F(SpeechdGame, AServiceKilledMidGameHandsOverToEspeakWithOneLine) {
  const auto transcript = scratch_dir() / "transcript.jsonl";
  std::vector<std::string> env = environment;
  env.push_back("SDL_AUDIODRIVER=dummy");
  GameProcess game({FORTUNA_BINARY, "--frontend", "headless", "--speech", "speechd", "--clock",
                    "10:20:30", "--transcript", transcript.string()},
                   env);
  ASSERT_TRUE(game.started());
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
TEST_F(SpeechdGame, AClosedGameSaysNothingMore) {
  std::string error;
  auto monitor = SinkMonitor::start(error);
  FORTUNA_NEEDS_AUDIO(monitor, error);
  for (const bool by_signal : {false, true}) {
    const auto launched = Clock::now();
    GameProcess game({FORTUNA_BINARY, "--frontend", "headless", "--speech", "speechd"},
                     environment);
    ASSERT_TRUE(game.started());
    ASSERT_TRUE(eventually([&] {
      return first_sound(monitor->samples(), monitor->index_at(launched)).has_value();
    })) << "the greeting was never heard: "
        << game.err();
    std::this_thread::sleep_for(milliseconds(300));
    if (by_signal)
      kill(game.pid(), SIGTERM);
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
