// Drives the real window under a private X server: starts Xvfb, runs the program in it,
// presses keys with xdotool and reads the transcript as it grows.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace fortuna::testing {

using Events = std::vector<nlohmann::json>;

// Whether a program can be found on PATH.
bool have_program(const std::string& name);
// Runs a shell command; its standard output.
std::string command_output(const std::string& command);

// A private X server on a free display, stopped when this goes.
class Xvfb {
 public:
  Xvfb();
  ~Xvfb();
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;
  // ":N", or empty when the server did not start.
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// build/fortuna --frontend window --transcript FILE ARGS..., with the display and environment
// given (an empty value unsets the variable).
class WindowRun {
 public:
  WindowRun(const std::string& display, const std::vector<std::string>& args,
            const std::map<std::string, std::string>& env = {{"SDL_AUDIODRIVER", "dummy"}});
  ~WindowRun();
  WindowRun(const WindowRun&) = delete;
  WindowRun& operator=(const WindowRun&) = delete;

  // Finds the program's window and gives it the keyboard; false if none shows.
  bool focus_window();
  // xdotool key with these key names (xdotool's), one after another.
  void keys(const std::string& names);
  void type(const std::string& text);
  // Takes a screenshot of the whole screen into path.
  bool screenshot(const std::filesystem::path& path);
  void signal(int number);

  Events events() const;
  // Waits until the transcript satisfies done; false after the time-out.
  bool wait_for(const std::function<bool(const Events&)>& done,
                std::chrono::seconds limit = std::chrono::seconds(20));
  // The exit status, or -1 if the program has not ended within the time-out.
  int wait_exit(std::chrono::seconds limit = std::chrono::seconds(20));
  std::string out() const;
  std::string err() const;

 private:
  std::string x(const std::string& command) const;

  std::string display_;
  std::filesystem::path dir_;
  pid_t pid_ = -1;
  int status_ = -1;
  std::string window_;
};

// Helpers over transcripts.
std::size_t count_events(const Events& events, const std::string& kind);
std::vector<std::string> texts_of(const Events& events, const std::string& kind,
                                  const std::string& field);

}  // namespace fortuna::testing
