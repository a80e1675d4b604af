// Drives the real window under a private X server: Xvfb runs it, xdotool presses the keys and
// the transcript is read as it grows.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <optional>

#include "support/game_process.h"
#include "support/run_fortuna.h"
#include "support/virtual_braille.h"

namespace fortuna::testing {
namespace {

using Events = std::vector<nlohmann::json>;

std::vector<std::string> texts_of(const Events& events, const std::string& kind,
                                  const std::string& field) {
  std::vector<std::string> texts;
  for (const auto& e : events)
    if (e.value("event", "") == kind) texts.push_back(e[field]);
  return texts;
}

class WindowFrontEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "import", "convert"})
      if (std::system(("command -v " + std::string(tool) + " >/dev/null").c_str()) != 0)
        GTEST_SKIP() << tool << " is not installed";
    // The server writes its display number once it accepts clients.
    const auto number = scratch_dir() / "display";
    xvfb_.emplace(std::vector<std::string>{
        "sh", "-c",
        "exec Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>" + shell_quote(number)});
    if (!eventually([&] { return read_file(number).ends_with('\n'); }))
      GTEST_SKIP() << "Xvfb did not start";
    display_ = ":" + read_file(number);
    display_.pop_back();
  }
  // The program in a window on this display, given the keyboard.
  GameProcess& start(std::vector<std::string> args, std::vector<std::string> environment = {}) {
    transcript_ = scratch_dir() / "transcript.jsonl";
    args.insert(args.begin(), {FORTUNA_BINARY, "--frontend", "window", "--no-settings",
                               "--transcript", transcript_.string()});
    // The fonts through fontconfig, as where the data folders do not hold them. No session bus
    // for SDL to ask D-Bus to start: its autolaunch forks a helper, and under AddressSanitizer
    // the child can deadlock on the allocator's lock before it runs anything, holding the
    // window's start for ever.
    environment.insert(environment.end(),
                       {"DISPLAY=" + display_, "WAYLAND_DISPLAY", "XDG_DATA_DIRS=/nonexistent",
                        "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/fortuna/bus",
                        "SDL_AUDIODRIVER=dummy", without_leak_checks()});
    game_.emplace(args, environment);
    // By class: name searches depend on the locale.
    EXPECT_TRUE(
        x("timeout 20 xdotool search --sync --onlyvisible --class fortuna "
          "windowfocus --sync"))
        << game_->err();
    EXPECT_TRUE(wait_for("speak", 1));
    return *game_;
  }
  bool x(const std::string& command) {
    return std::system(("DISPLAY=" + display_ + " " + command).c_str()) == 0;
  }
  void keys(const std::string& names) { x("xdotool key --delay 60 " + names); }
  bool wait_for(const std::function<bool(const Events&)>& done) {
    return eventually([&] { return done(read_events(transcript_)); });
  }
  bool wait_for(const std::string& kind, std::size_t n) {
    return wait_for([&](const Events& e) {
      return static_cast<std::size_t>(std::count_if(e.begin(), e.end(), [&](const auto& event) {
               return event.value("event", "") == kind;
             })) >= n;
    });
  }

  std::optional<GameProcess> xvfb_, game_;
  std::string display_;
  std::filesystem::path transcript_;
};

TEST_F(WindowFrontEnd, PlaysADayWithRealKeysAsTheHeadlessFrontEndWould) {
  GameProcess& game = start({"--speech", "text", "--clock", "10:20:30"});
  EXPECT_TRUE(x("xdotool search --name '^La fortuna de Zivi Brunilda$' >/dev/null"))
      << "the title, as a window manager reads it";
  // xdotool does not wait for the program: each step waits for its keys to arrive.
  auto press = [&](const char* names, std::size_t total) {
    keys(names);
    return wait_for("key", total);
  };
  ASSERT_TRUE(press("Right Down Left space F2", 5));
  ASSERT_TRUE(wait_for("input", 1));
  // The accented letters get keys of their own first: otherwise xdotool maps each onto a spare
  // key only while it presses it, and a busy program reads the key after the mapping is gone.
  ASSERT_TRUE(
      x("xmodmap -e 'keycode 248 = ntilde' -e 'keycode 249 = uacute' "
        "-e 'keycode 250 = eacute'"));
  x("xdotool type --delay 100 " + shell_quote("ñandú é"));
  keys("BackSpace Up Return");
  // The new name is announced after waiting for the prompt.
  ASSERT_TRUE(wait_for([](const Events& e) { return e.back().value("wait_before", false); }));
  const std::pair<const char*, std::size_t> steps[] = {
      {"shift+F7", 6}, {"Return", 7}, {"Control_L ctrl+1", 10},  // a refused digit beeps
      {"space", 11},   {"1", 12},     {"space", 13},
      {"ctrl+1", 15}};  // throws the first card away
  for (const auto& [names, total] : steps) ASSERT_TRUE(press(names, total)) << names;
  keys("space");  // the night, the news and the next day
  ASSERT_TRUE(wait_for([](const Events& e) {
    const auto texts = texts_of(e, "speak", "text");
    return std::count_if(texts.begin(), texts.end(), [](const std::string& t) {
             return t.starts_with("Los actuales aspirantes");
           }) >= 2;
  }));
  // The status label is drawn: a good share of the screen is lettering.
  EXPECT_TRUE(
      x("import -window root png:- | convert - -colorspace Gray -threshold 50% "
        "-format '%[fx:mean>0.01]' info: | grep -qx 1"));
  keys("Escape");
  ASSERT_EQ(game.wait_exit(), 0) << game.err();

  const Events events = read_events(transcript_);
  // The box spoke for itself, straight to the engine: each character, the one deleted, the
  // whole text on Up; the accents arrive whole. Echoes are not the game's texts.
  const std::string name = "ñandú ";
  EXPECT_NE(("\n" + game.out()).find("\nñ\na\nn\nd\nú\nespacio\né\né\n" + name + "\n"),
            std::string::npos)
      << game.out();
  const auto spoken = texts_of(events, "speak", "text");
  EXPECT_EQ(std::find(spoken.begin(), spoken.end(), "espacio"), spoken.end());

  // The same keys and name through the headless front end make the same transcript.
  std::string script;
  for (const auto& e : events) {
    if (e["event"] == "key") script += e["key"].get<std::string>() + "\n";
    if (e["event"] == "input") script += "text: " + name + "\n";
  }
  EXPECT_EQ(script,
            "Right\nDown\nLeft\nSpace\nF2\ntext: ñandú \nShift+F7\nEnter\nCtrl+Control\n"
            "Ctrl+Control\nCtrl+1\nSpace\n1\nSpace\nCtrl+Control\nCtrl+1\nSpace\nEscape\n");
  const RunResult headless = run_fortuna(script, {"--speech", "text", "--clock", "10:20:30"});
  ASSERT_EQ(headless.exit_code, 0) << headless.err;
  EXPECT_EQ(headless.events, events);
}

TEST_F(WindowFrontEnd, ASignalEndsTheRunWithItsNumberInTheRenameBoxToo) {
  for (const bool in_the_box : {false, true}) {
    GameProcess& game = start({"--speech", "none"});
    if (in_the_box) {
      keys("F2");
      ASSERT_TRUE(wait_for("input", 1));
    }
    ASSERT_TRUE(game.signal(SIGINT));
    EXPECT_EQ(game.wait_exit(), 130) << game.err();
    EXPECT_EQ(read_events(transcript_).back(), (nlohmann::json{{"event", "exit"}, {"code", 130}}));
  }
}

// The braille display's keys wake the window's loop, which otherwise waits on SDL alone.
TEST_F(WindowFrontEnd, ARoutingKeyOnTheBrailleDisplayAnswersAsTheDigitWould) {
  if (!VirtualBraille::brltty_installed()) {
    if (VirtualBraille::required()) FAIL() << "brltty is not installed";
    GTEST_SKIP() << "brltty is not installed";
  }
  VirtualBraille brltty;
  ASSERT_EQ(brltty.error(), "");
  const BrlapiSettings where = brltty.settings();
  GameProcess& game = start({"--speech", "none", "--clock", "10:00:00", "--braille", "on"},
                            {"BRLAPI_HOST=" + *where.host, "BRLAPI_AUTH=" + *where.auth});
  const auto shows = [&](const char* text) {
    return brltty.wait_until(
        [&](const std::string& shown) { return shown.find(text) != std::string::npos; });
  };
  keys("space Return space");
  ASSERT_TRUE(wait_for("key", 3));
  ASSERT_TRUE(shows("Bigotes, el gato andalú, es su turno")) << brltty.shown();
  brltty.press("FWINRT");
  ASSERT_TRUE(shows("cartas son: 1.")) << brltty.shown();
  ASSERT_TRUE(brltty.route_to("1."));
  ASSERT_TRUE(wait_for("key", 4));
  EXPECT_EQ(texts_of(read_events(transcript_), "key", "key").back(), "1");
  EXPECT_TRUE(shows("salas asignadas.")) << brltty.shown();
  keys("Escape");
  EXPECT_EQ(game.wait_exit(), 0) << game.err();
}

}  // namespace
}  // namespace fortuna::testing
