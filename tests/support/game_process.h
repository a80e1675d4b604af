// A program run in the background with its keys typed in through a pipe, for tests that act on
// it while it runs. Ended (killed if need be) when the test is done with it.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace fortuna::testing {

class GameProcess {
 public:
  // The command (searched in PATH); environment entries "NAME=value" set a variable and "NAME"
  // alone unsets it. Standard output and error go to files in a scratch folder.
  GameProcess(const std::vector<std::string>& command,
              const std::vector<std::string>& environment = {});
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Signals this program alone: false when it never started (never a kill of -1, everyone's).
  bool signal(int number) const { return pid_ > 0 && status_ == -2 && ::kill(pid_, number) == 0; }
  void type(const std::string& keys);  // one key name a line
  void close_input();
  // The exit status (128 + n for signal n), or -1 when it did not end in time (it is then killed).
  int wait_exit(std::chrono::seconds limit = std::chrono::seconds(20));
  std::string out() const;
  std::string err() const;

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int status_ = -2;
  std::filesystem::path folder_;
};

// ASAN_OPTIONS without leak checks, for programs whose system libraries (X11, D-Bus, the speech
// service's) keep allocations for the life of the process.
std::string without_leak_checks();

}  // namespace fortuna::testing
