// Drives the real window under a private X server: starts Xvfb, runs the program in it,
// presses keys with xdotool and reads the transcript as it grows.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

#include "support/run_fortuna.h"

namespace fortuna::testing {
namespace {

using Events = std::vector<nlohmann::json>;

std::string command_output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// Polls until done holds; false after twenty seconds.
bool eventually(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

void stop(pid_t pid) {
  kill(pid, SIGTERM);
  int status;
  if (!eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
}

std::size_t count_events(const Events& events, const std::string& kind) {
  return std::count_if(events.begin(), events.end(),
                       [&](const auto& e) { return e.value("event", "") == kind; });
}

std::vector<std::string> texts_of(const Events& events, const std::string& kind,
                                  const std::string& field) {
  std::vector<std::string> texts;
  for (const auto& e : events)
    if (e.value("event", "") == kind) texts.push_back(e[field]);
  return texts;
}

// A private X server on a free display, stopped when this goes; display() is empty when it did
// not start.
class Xvfb {
 public:
  Xvfb() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      const int devnull = open("/dev/null", O_WRONLY);
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten",
             "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // The server writes its display number once it accepts clients.
    pollfd ready{fds[0], POLLIN, 0};
    std::string number;
    for (char c; poll(&ready, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n';) number += c;
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~Xvfb() {
    if (pid_ > 0) stop(pid_);
  }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// fortuna --frontend window --transcript FILE ARGS..., on the display given (none if empty),
// with these environment variables set (unset if empty).
class WindowRun {
 public:
  WindowRun(const std::string& display, std::vector<std::string> args,
            const std::map<std::string, std::string>& env = {{"SDL_AUDIODRIVER", "dummy"}})
      : display_(display), dir_(scratch_dir()) {
    args.insert(args.begin(), {FORTUNA_BINARY, "--frontend", "window", "--no-settings",
                               "--transcript", (dir_ / "transcript.jsonl").string()});
    const std::string out = (dir_ / "stdout.txt").string(), err = (dir_ / "stderr.txt").string();
    pid_ = fork();
    if (pid_ != 0) return;
    display.empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    // X11 and D-Bus keep allocations for the life of the process; a leak report on them would
    // fail a sanitized run for nothing of ours.
    const char* asan = getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    for (const auto& [name, value] : env)
      value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
    std::vector<char*> raw;
    for (auto& a : args) raw.push_back(a.data());
    raw.push_back(nullptr);
    execv(raw[0], raw.data());
    _exit(127);
  }
  ~WindowRun() {
    if (pid_ > 0 && status_ == -1) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // Runs an X client on this display; whether it succeeded.
  bool x(const std::string& command) {
    return std::system(("DISPLAY=" + display_ + " " + command).c_str()) == 0;
  }
  // Finds the window by class (name searches depend on locale) and gives it the keyboard.
  bool focus_window() {
    std::istringstream ids(command_output("DISPLAY=" + display_ +
                                          " timeout 20 xdotool search --sync --onlyvisible "
                                          "--class fortuna"));
    std::string window;
    return ids >> window && x("xdotool windowfocus --sync " + window);
  }
  void keys(const std::string& names) { x("xdotool key --delay 60 " + names); }
  void signal(int number) { kill(pid_, number); }

  Events events() const {
    Events events;
    std::istringstream lines(read_file(dir_ / "transcript.jsonl"));
    // A line still being written is read again next time.
    for (std::string line; std::getline(lines, line) && line.ends_with('}');)
      events.push_back(nlohmann::json::parse(line));
    return events;
  }
  bool wait_for(const std::function<bool(const Events&)>& done) {
    return eventually([&] { return done(events()); });
  }
  bool wait_for(const std::string& kind, std::size_t n) {
    return wait_for([&](const Events& e) { return count_events(e, kind) >= n; });
  }
  // The exit status, or -1 if the program has not ended in time.
  int wait_exit() {
    if (status_ == -1) eventually([&] { return waitpid(pid_, &status_, WNOHANG) == pid_; });
    if (status_ == -1) return -1;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
  }
  std::string out() const { return read_file(dir_ / "stdout.txt"); }
  std::string err() const { return read_file(dir_ / "stderr.txt"); }

 private:
  std::string display_;
  std::filesystem::path dir_;
  pid_t pid_ = -1;
  int status_ = -1;
};

// Share of a screenshot's pixels that pass these ImageMagick operations as white.
double share(const std::filesystem::path& shot, const std::string& operations) {
  return std::stod("0" + command_output("convert '" + shot.string() + "' " + operations +
                                        " -format '%[fx:mean]' info: 2>/dev/null"));
}

class WindowFrontEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "xdotool", "import", "convert"})
      if (std::system(("command -v " + std::string(tool) + " >/dev/null").c_str()) != 0)
        GTEST_SKIP() << tool << " is not installed";
    xvfb_.emplace();
    if (xvfb_->display().empty()) GTEST_SKIP() << "Xvfb did not start";
  }
  // Takes a screenshot of the whole screen next to the program.
  std::filesystem::path screenshot(WindowRun& run, const std::string& name) {
    const auto path = std::filesystem::path(FORTUNA_BINARY).parent_path() / name;
    EXPECT_TRUE(run.x("import -window root " + shell_quote(path.string())));
    return path;
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
  ASSERT_TRUE(run.wait_for("speak", 1));
  // The title, as a window manager reads it.
  EXPECT_EQ(command_output("DISPLAY=" + xvfb_->display() +
                           " xdotool search --class fortuna getwindowname 2>/dev/null"),
            "La fortuna de Zivi Brunilda\n");
  // xdotool does not wait for the program: each step waits for its keys to arrive.
  auto press = [&](const char* keys, std::size_t total) {
    run.keys(keys);
    return run.wait_for("key", total);
  };
  ASSERT_TRUE(press("Right Down Left space F2", 5));
  ASSERT_TRUE(run.wait_for("input", 1));
  // The accented letters get keys of their own first: otherwise xdotool maps each onto a spare
  // key only while it presses it, and a program still busy with the letters before (a
  // sanitized build on a busy machine) reads the key after the mapping is gone.
  ASSERT_TRUE(
      run.x("xmodmap -e 'keycode 248 = ntilde' -e 'keycode 249 = uacute' "
            "-e 'keycode 250 = eacute'"));
  run.x("xdotool type --delay 100 " + shell_quote("ñandú é"));
  run.keys("BackSpace Up Return");
  // The new name is announced after waiting for the prompt.
  ASSERT_TRUE(run.wait_for([](const Events& e) { return e.back().value("wait_before", false); }));
  const std::pair<const char*, std::size_t> steps[] = {
      {"shift+F7", 6},
      {"Return", 7},
      {"Control_L ctrl+1", 10},  // in the first phase a digit is refused with a beep
      {"space", 11},             // rooms
      {"1", 12},
      {"space", 13},    // cards
      {"ctrl+1", 15}};  // throws the first card away
  for (const auto& [keys, total] : steps) ASSERT_TRUE(press(keys, total)) << keys;
  run.keys("space");  // the night, the news and the next day
  ASSERT_TRUE(run.wait_for([](const Events& e) {
    const auto texts = texts_of(e, "speak", "text");
    return std::count_if(texts.begin(), texts.end(), [](const std::string& t) {
             return t.starts_with("Los actuales aspirantes");
           }) >= 2;
  }));
  const auto shot = screenshot(run, "window-main-after-first-day.png");
  run.keys("Escape");
  ASSERT_EQ(run.wait_exit(), 0) << run.err();

  const Events events = run.events();
  EXPECT_EQ(texts_of(events, "key", "key"),
            (std::vector<std::string>{"Right", "Down", "Left", "Space", "F2", "Shift+F7", "Enter",
                                      "Ctrl+Control", "Ctrl+Control", "Ctrl+1", "Space", "1",
                                      "Space", "Ctrl+Control", "Ctrl+1", "Space", "Escape"}));
  // The box spoke for itself, straight to the engine: each character, the one deleted, the
  // whole text on Up; the accents arrive whole.
  const std::string name = "ñandú ";
  EXPECT_NE(("\n" + run.out()).find("\nñ\na\nn\nd\nú\nespacio\né\né\n" + name + "\n"),
            std::string::npos)
      << run.out();
  const auto spoken = texts_of(events, "speak", "text");
  EXPECT_EQ(std::find(spoken.begin(), spoken.end(), "espacio"), spoken.end())
      << "echoes are not the game's texts";

  // The same keys and name through the headless front end make the same transcript.
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
  EXPECT_GT(share(shot, "-colorspace Gray -threshold 50%"), 0.01) << shot;
}

TEST_F(WindowFrontEnd, WithoutAudioItSpeaksAsTextAndSaysWhy) {
  WindowRun run(xvfb_->display(), {"--clock", "08:09:10"}, {{"SDL_AUDIODRIVER", "no-such-driver"}});
  ASSERT_TRUE(run.focus_window()) << run.err();
  ASSERT_TRUE(run.wait_for("speak", 1));
  run.keys("Escape");
  ASSERT_EQ(run.wait_exit(), 0) << run.err();
  EXPECT_TRUE(std::regex_search(run.err(), std::regex("(^|\n)fortuna:[^\n]*text"))) << run.err();
  EXPECT_NE(run.out().find("la fortuna de vadod brunilda"), std::string::npos) << run.out();
}

TEST_F(WindowFrontEnd, ASignalEndsTheRunWithItsNumberInTheRenameBoxToo) {
  for (const bool in_the_box : {false, true}) {
    WindowRun run(xvfb_->display(), {"--speech", "none"});
    ASSERT_TRUE(run.focus_window());
    ASSERT_TRUE(run.wait_for("speak", 1));
    if (in_the_box) {
      run.keys("F2");
      ASSERT_TRUE(run.wait_for("input", 1));
    }
    run.signal(SIGINT);
    EXPECT_EQ(run.wait_exit(), 130) << run.err();
    EXPECT_EQ(run.events().back(), (nlohmann::json{{"event", "exit"}, {"code", 130}}));
  }
}

}  // namespace
}  // namespace fortuna::testing
