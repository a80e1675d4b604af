// The real program with a braille display: brltty runs with its virtual driver, the test plays
// the display (reads its cells, presses its keys) while the program plays headless from keys
// typed through a pipe, or in a terminal in tmux. Skipped where brltty is not installed, unless
// FORTUNA_BRAILLE_REQUIRED=1 (as in CI).
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <thread>

#include "support/game_process.h"
#include "support/run_fortuna.h"
#include "support/virtual_braille.h"

namespace fortuna::testing {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> keys_in(const std::vector<nlohmann::json>& events) {
  std::vector<std::string> keys;
  for (const auto& event : events)
    if (event["event"] == "key") keys.push_back(event["key"]);
  return keys;
}

bool said(const std::vector<nlohmann::json>& events, const std::string& start) {
  for (const auto& event : events)
    if (event["event"] == "speak" && event["text"].get<std::string>().starts_with(start))
      return true;
  return false;
}

// Unicode braille patterns (U+2800 to U+28FF), as liblouis's contracted cells come, and blanks.
bool all_braille_patterns(const std::string& shown) {
  std::size_t patterns = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == ' ') continue;
    if (i + 2 >= shown.size() || shown[i] != '\xE2' ||
        (static_cast<unsigned char>(shown[i + 1]) & 0xFC) != 0xA0)
      return false;
    i += 2;
    ++patterns;
  }
  return patterns > 0;
}

// One private tmux server, ended with the test however it ends.
struct Tmux {
  std::filesystem::path dir = scratch_dir();
  std::string tmux = "tmux -S " + shell_quote((dir / "socket").string()) + " -f /dev/null ";
  ~Tmux() { run("kill-server 2>/dev/null"); }
  bool run(const std::string& arguments) const {
    return std::system((tmux + arguments).c_str()) == 0;
  }
};

class BrailleRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!VirtualBraille::brltty_installed()) {
      if (VirtualBraille::required()) FAIL() << "brltty is not installed";
      GTEST_SKIP() << "brltty is not installed";
    }
    brltty_ = std::make_unique<VirtualBraille>();
    ASSERT_EQ(brltty_->error(), "");
    transcript_ = scratch_dir() / "transcript.jsonl";
  }

  // Where the program finds this brltty: as every BrlAPI program does.
  std::vector<std::string> environment() const {
    const BrlapiSettings settings = brltty_->settings();
    return {"BRLAPI_HOST=" + *settings.host, "BRLAPI_AUTH=" + *settings.auth,
            without_leak_checks()};
  }
  GameProcess& start(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {FORTUNA_BINARY, "--frontend",   "headless",
                                     "--braille",    "on",           "--clock",
                                     "10:00:00",     "--transcript", transcript_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    game_.emplace(args, environment());
    return *game_;
  }
  std::vector<nlohmann::json> events() const { return read_events(transcript_); }

  bool shows(const std::string& start) {
    return brltty_->wait_until([&](const std::string& shown) { return shown.starts_with(start); },
                               10s);
  }
  // brltty has the display back: its own command redraws it with its own screen. Held by a
  // client, the key would have gone to the client.
  bool released(const std::string& game_text) {
    brltty_->press("TIME");
    return brltty_->wait_until(
        [&](const std::string& shown) { return !shown.empty() && !shown.starts_with(game_text); });
  }

  std::unique_ptr<VirtualBraille> brltty_;
  std::filesystem::path transcript_;
  std::optional<GameProcess> game_;
};

TEST_F(BrailleRun, TheGameIsReadPannedWalkedAndAnsweredOnTheDisplay) {
  GameProcess& game = start();
  EXPECT_TRUE(shows("La fortuna de Vadod Brunilda.")) << brltty_->shown() << brltty_->log();
  game.type("Space\nEnter\nSpace\n");
  ASSERT_TRUE(shows("Bigotes, el gato andalú, es su turno")) << brltty_->shown();
  const std::string first = brltty_->shown();
  brltty_->press("FWINRT");
  ASSERT_TRUE(brltty_->wait_until([](const std::string& shown) {
    return shown.find("cartas son: 1.") != std::string::npos;
  })) << brltty_->shown();
  // The first card's number, pressed on the display, answers the room question as 1 would.
  ASSERT_TRUE(brltty_->route_to("1."));
  EXPECT_TRUE(shows("salas asignadas.")) << brltty_->shown();
  EXPECT_EQ(keys_in(events()), (std::vector<std::string>{"Space", "Enter", "Space", "1"}));
  EXPECT_TRUE(said(events(), "salas asignadas."));
  brltty_->press("LNUP");
  EXPECT_TRUE(shows(first)) << brltty_->shown();
  brltty_->press("LNDN");
  EXPECT_TRUE(shows("salas asignadas.")) << brltty_->shown();
  game.close_input();
  EXPECT_EQ(game.wait_exit(), 0) << game.err();
  EXPECT_EQ(game.err(), "");
  EXPECT_TRUE(released("salas asignadas.")) << brltty_->shown();
}

TEST_F(BrailleRun, ABrlttyKilledMidGameLeavesTheGamePlayingToItsEnd) {
  GameProcess& game = start();
  ASSERT_TRUE(shows("La fortuna de Vadod Brunilda.")) << brltty_->shown();
  brltty_->kill();
  std::string script = "Enter\n";
  for (int i = 0; i < 60; ++i) script += "Space\n";
  game.type(script + "Escape\n");
  EXPECT_EQ(game.wait_exit(), 0) << game.err();
  const auto played = events();
  EXPECT_EQ(keys_in(played).size(), 62u);
  EXPECT_TRUE(said(played, "La partida ha terminado"));
  EXPECT_EQ(played.back(), (nlohmann::json{{"event", "exit"}, {"code", 0}}));
  // Asked for with "on", the loss is said in one line, if the run outlasted its noticing.
  const std::string err = game.err();
  EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_TRUE(err.empty() || err.find("brltty") != std::string::npos) << err;
}

TEST_F(BrailleRun, ASignalEndsTheRunInOrderAndGivesTheDisplayBack) {
  GameProcess& game = start();
  ASSERT_TRUE(shows("La fortuna de Vadod Brunilda.")) << brltty_->shown();
  ASSERT_TRUE(game.signal(SIGTERM));
  EXPECT_EQ(game.wait_exit(), 128 + SIGTERM);
  EXPECT_EQ(events().back(), (nlohmann::json{{"event", "exit"}, {"code", 128 + SIGTERM}}));
  EXPECT_TRUE(released("La fortuna de Vadod")) << brltty_->shown();
}

// Contracted braille is a remembered choice, which the game keeps when it saves its own; the
// command line chooses for one run.
TEST_F(BrailleRun, ContractedBrailleComesFromTheSettingsOrTheCommandLine) {
  const auto settings = scratch_dir() / "ajustes.toml";
  std::ofstream(settings) << "braille = 'abreviado'\n";
  GameProcess& game = start({"--settings", settings.string()});
  EXPECT_TRUE(brltty_->wait_until(all_braille_patterns, 10s)) << brltty_->shown();
  game.type("Space\n");  // selecting a character saves the settings
  ASSERT_TRUE(eventually([&] { return keys_in(events()).size() == 1; }));
  game.close_input();
  EXPECT_EQ(game.wait_exit(), 0) << game.err();
  EXPECT_NE(read_file(settings).find("braille = 'abreviado'"), std::string::npos);
  EXPECT_NE(read_file(settings).find("persona = true"), std::string::npos);

  GameProcess& again = start({"--settings", settings.string(), "--braille-code", "integral"});
  EXPECT_TRUE(shows("La fortuna de Vadod Brunilda.")) << brltty_->shown();
  again.close_input();
  EXPECT_EQ(again.wait_exit(), 0) << again.err();
}

// Played in a terminal, the display's keys reach the game between the terminal's own.
TEST_F(BrailleRun, InATerminalARoutingKeyAnswersAsTheDigitWould) {
  if (std::system("command -v tmux >/dev/null") != 0) GTEST_SKIP() << "tmux is not installed";
  const Tmux tmux;
  const auto status = tmux.dir / "status";
  std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER";
  for (const auto& entry : environment()) command += " " + shell_quote(entry);
  command += " " + shell_quote(FORTUNA_BINARY) +
             " --frontend terminal --braille on --no-settings --clock 10:00:00 --transcript " +
             shell_quote(transcript_.string()) + "; echo $? > " + shell_quote(status.string());
  ASSERT_TRUE(tmux.run("new-session -d -s game -x 100 -y 30 " + shell_quote(command)));
  EXPECT_TRUE(shows("La fortuna de Vadod Brunilda.")) << brltty_->shown();
  EXPECT_TRUE(tmux.run("send-keys -t game Space Enter Space"));
  EXPECT_TRUE(shows("Bigotes, el gato andalú, es su turno")) << brltty_->shown();
  brltty_->press("FWINRT");
  EXPECT_TRUE(brltty_->wait_until(
      [](const std::string& shown) { return shown.find("cartas son: 1.") != std::string::npos; }));
  EXPECT_TRUE(brltty_->route_to("1."));
  EXPECT_TRUE(shows("salas asignadas.")) << brltty_->shown();
  EXPECT_TRUE(tmux.run("send-keys -t game Escape"));
  EXPECT_TRUE(eventually([&] { return read_file(status) == "0\n"; }, 10s));
  EXPECT_EQ(keys_in(events()),
            (std::vector<std::string>{"Space", "Enter", "Space", "1", "Escape"}));
}

// Without brltty the game plays on: asked for, the display's absence is said in one line.
TEST(BrailleAbsent, OnSaysWhyInOneLineAutoSaysNothingAndTheGameIsTheSame) {
  std::vector<std::vector<nlohmann::json>> played;
  for (const char* mode : {"on", "auto", "off"}) {
    const auto transcript = scratch_dir() / "transcript.jsonl";
    // A BrlAPI port nobody listens on.
    GameProcess game({FORTUNA_BINARY, "--frontend", "headless", "--braille", mode, "--clock",
                      "10:00:00", "--transcript", transcript.string()},
                     {"BRLAPI_HOST=127.0.0.1:59", "BRLAPI_AUTH=none", without_leak_checks()});
    game.type("Space\nEnter\nSpace\n1\n");
    // The first attempt ends long before this: a key script that ended at once could end the
    // run first, and then the line comes at its end.
    std::this_thread::sleep_for(200ms);
    game.close_input();
    EXPECT_EQ(game.wait_exit(), 0) << mode;
    const std::string err = game.err();
    if (std::string(mode) == "on") {
      EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
      EXPECT_NE(err.find("127.0.0.1:59"), std::string::npos) << err;
    } else {
      EXPECT_EQ(err, "") << mode;
    }
    played.push_back(read_events(transcript));
  }
  EXPECT_EQ(played[0], played[1]);
  EXPECT_EQ(played[1], played[2]);
}

}  // namespace
}  // namespace fortuna::testing
