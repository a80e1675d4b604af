#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <sstream>

#include "support/run_fortuna.h"
#include "window_session.h"

namespace fortuna::testing {
namespace {

// Share of the screenshot's pixels that are lighter than mid-grey: text on the dark window.
double light_share(const std::filesystem::path& shot) {
  return std::stod("0" + command_output("convert '" + shot.string() +
                                        "' -colorspace Gray -threshold 50% -format '%[fx:mean]' "
                                        "info: 2>/dev/null"));
}

// Share of the pixels in the notice's colour.
double notice_share(const std::filesystem::path& shot) {
  return std::stod("0" + command_output("convert '" + shot.string() +
                                        "' -alpha off -fuzz 6% -fill black +opaque "
                                        "'rgb(255,150,120)' -colorspace Gray -threshold 1% "
                                        "-format '%[fx:mean]' info: 2>/dev/null"));
}

std::filesystem::path build_dir() {
  return std::filesystem::path(FORTUNA_BINARY).parent_path();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

auto keys_reach(std::size_t n) {
  return [n](const Events& e) { return count_events(e, "key") >= n; };
}

class WindowFrontEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "import", "convert"})
      if (!have_program(tool)) GTEST_SKIP() << tool << " is not installed";
    xvfb_.emplace();
    if (xvfb_->display().empty()) GTEST_SKIP() << "Xvfb did not start";
  }
  std::optional<Xvfb> xvfb_;
};

TEST(WindowStartup, WithoutADisplayItSaysHowToPlayAndStops) {
  WindowRun run("", {"--speech", "none"});
  EXPECT_EQ(run.wait_exit(), 2);
  const std::string err = run.err();
  EXPECT_NE(err.find("--frontend headless"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_EQ(run.out(), "");
}

TEST_F(WindowFrontEnd, PlaysADayWithRealKeysAsTheHeadlessFrontEndWould) {
  WindowRun run(xvfb_->display(), {"--speech", "text", "--clock", "10:20:30"});
  ASSERT_TRUE(run.focus_window()) << run.err();
  ASSERT_TRUE(run.wait_for([](const Events& e) { return count_events(e, "speak") >= 1; }));
  // The title, as a window manager reads it.
  EXPECT_EQ(command_output("DISPLAY=" + xvfb_->display() +
                           " xdotool search --class fortuna getwindowname 2>/dev/null"),
            "La fortuna de Zivi Brunilda\n");

  run.keys("Right Down Left space");
  ASSERT_TRUE(run.wait_for(keys_reach(4)));
  run.keys("F2");
  ASSERT_TRUE(run.wait_for([](const Events& e) { return count_events(e, "input") == 1; }));
  run.type("Ñandú é");
  run.keys("BackSpace Up Return");
  // The new name is announced after waiting for the prompt.
  ASSERT_TRUE(run.wait_for([](const Events& e) {
    return !e.empty() && e.back().value("event", "") == "speak" && e.back()["wait_before"];
  })) << run.events().back().dump();
  run.keys("shift+F7");
  ASSERT_TRUE(run.wait_for([](const Events& e) { return count_events(e, "rate") == 1; }));
  run.keys("Return");
  ASSERT_TRUE(run.wait_for([](const Events& e) { return count_events(e, "close") == 1; }));
  run.keys("Control_L ctrl+1");  // in the first phase a digit is refused with a beep
  ASSERT_TRUE(run.wait_for(keys_reach(10)));
  run.keys("space");  // rooms
  ASSERT_TRUE(run.wait_for(keys_reach(11)));
  run.keys("1");
  ASSERT_TRUE(run.wait_for(keys_reach(12)));
  run.keys("space");  // cards
  ASSERT_TRUE(run.wait_for(keys_reach(13)));
  run.keys("ctrl+1");  // throws the first card away
  ASSERT_TRUE(run.wait_for(keys_reach(15)));
  run.keys("space");  // the night, the news and the next day
  auto next_day = [](const Events& e) {
    auto texts = texts_of(e, "speak", "text");
    return std::count_if(texts.begin(), texts.end(), [](const std::string& t) {
             return t.starts_with("Los actuales aspirantes");
           }) >= 2;
  };
  ASSERT_TRUE(run.wait_for(next_day));
  const auto shot = build_dir() / "window-main-after-first-day.png";
  ASSERT_TRUE(run.screenshot(shot));
  run.keys("Escape");
  ASSERT_EQ(run.wait_exit(), 0) << run.err();

  const Events events = run.events();
  EXPECT_EQ(texts_of(events, "key", "key"),
            (std::vector<std::string>{"Right", "Down", "Left", "Space", "F2", "Shift+F7", "Enter",
                                      "Ctrl+Control", "Ctrl+Control", "Ctrl+1", "Space", "1",
                                      "Space", "Ctrl+Control", "Ctrl+1", "Space", "Escape"}));
  ASSERT_EQ(count_events(events, "input"), 1u);
  for (const auto& e : events)
    if (e["event"] == "input") {
      EXPECT_EQ(e["prompt"], "Escriba el nombre del personaje y pulse enter:");
      EXPECT_EQ(e["title"], "Cambiar el nombre al personaje");
      EXPECT_EQ(e["default"], "Sir Reginald, el apenado marido");
    }
  // xdotool types capitals as small letters; the accents arrive whole.
  const std::string name = "ñandú ";
  const auto spoken = texts_of(events, "speak", "text");
  EXPECT_NE(std::find(spoken.begin(), spoken.end(), name + "Seleccionado"), spoken.end());
  EXPECT_GE(count_events(events, "beep"), 1u);
  EXPECT_EQ(events.back()["event"], "exit");

  // The box spoke for itself, straight to the engine: each character, the one deleted, the
  // whole text on Up.
  const auto out = lines_of(run.out());
  const std::vector<std::string> echoes = {"ñ", "a", "n", "d", "ú", "espacio", "é", "é", name};
  EXPECT_NE(std::search(out.begin(), out.end(), echoes.begin(), echoes.end()), out.end())
      << run.out();
  EXPECT_EQ(std::find(spoken.begin(), spoken.end(), "espacio"), spoken.end())
      << "echoes are not the game's texts";

  // The same keys through the headless front end make the same transcript.
  std::string script;
  for (const auto& e : events) {
    if (e["event"] == "key") script += e["key"].get<std::string>() + "\n";
    if (e["event"] == "input") script += "text: " + name + "\n";
  }
  RunResult headless = run_fortuna(script, {"--speech", "text", "--clock", "10:20:30"});
  ASSERT_EQ(headless.exit_code, 0) << headless.err;
  ASSERT_EQ(headless.events.size(), events.size());
  for (std::size_t i = 0; i < events.size(); ++i)
    EXPECT_EQ(headless.events[i], events[i]) << "event " << i;

  // The status label is drawn: a good share of the window is lettering.
  EXPECT_GT(light_share(shot), 0.01) << shot;
}

TEST_F(WindowFrontEnd, WithoutAudioItSpeaksAsTextAndShowsWhy) {
  WindowRun run(xvfb_->display(), {"--clock", "08:09:10"}, {{"SDL_AUDIODRIVER", "no-such-driver"}});
  ASSERT_TRUE(run.focus_window()) << run.err();
  ASSERT_TRUE(run.wait_for([](const Events& e) { return count_events(e, "speak") >= 1; }));
  const auto shot = build_dir() / "window-start-without-audio.png";
  ASSERT_TRUE(run.screenshot(shot));
  run.keys("Return space space space space");
  ASSERT_TRUE(run.wait_for(keys_reach(5)));
  run.keys("Escape");
  ASSERT_EQ(run.wait_exit(), 0) << run.err();

  const std::string err = run.err();
  const auto err_lines = lines_of(err);
  EXPECT_TRUE(std::any_of(err_lines.begin(), err_lines.end(), [](const std::string& line) {
    return line.starts_with("fortuna:") && line.find("text") != std::string::npos;
  })) << err;
  EXPECT_NE(run.out().find("la fortuna de vadod brunilda"), std::string::npos) << run.out();
  EXPECT_EQ(run.events().back()["code"], 0);
  EXPECT_GT(notice_share(shot), 0.0005) << "the reason is shown in the window: " << shot;
}

TEST_F(WindowFrontEnd, AltF4OnTheStartScreenAndACloseRequestInTheGameEndTheProgram) {
  {
    WindowRun run(xvfb_->display(), {"--speech", "none"});
    ASSERT_TRUE(run.focus_window());
    ASSERT_TRUE(run.wait_for([](const Events& e) { return count_events(e, "speak") >= 1; }));
    run.keys("alt+F4");
    ASSERT_EQ(run.wait_exit(), 0) << run.err();
    const Events events = run.events();
    EXPECT_EQ(texts_of(events, "key", "key"), std::vector<std::string>{"Alt+F4"});
    EXPECT_EQ(texts_of(events, "close", "window"), std::vector<std::string>{"start"});
  }
  {
    WindowRun run(xvfb_->display(), {"--speech", "none"});
    ASSERT_TRUE(run.focus_window());
    run.keys("Return");
    ASSERT_TRUE(run.wait_for([](const Events& e) { return count_events(e, "close") == 1; }));
    run.signal(SIGINT);  // reaches the window as a request to close, like its close button
    ASSERT_EQ(run.wait_exit(), 0) << run.err();
    const Events events = run.events();
    EXPECT_EQ(texts_of(events, "key", "key"), (std::vector<std::string>{"Enter", "Escape"}));
    EXPECT_EQ(texts_of(events, "close", "window"), (std::vector<std::string>{"start", "main"}));
  }
}

}  // namespace
}  // namespace fortuna::testing
