// The built game run in the background with its keys typed in through a pipe, for tests that
// act on it while it plays. Ended (killed if need be) when the test is done with it.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace fortuna::testing {

class GameProcess {
 public:
  // FORTUNA_BINARY with these arguments; environment entries "NAME=value" are added.
  GameProcess(const std::vector<std::string>& args, const std::vector<std::string>& environment);
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  void type(const std::string& keys);  // one key name a line
  void close_input();
  // The exit status, or -1 when it did not end in time (it is then killed).
  int wait_exit(std::chrono::seconds limit);
  std::string out() const;
  std::string err() const;

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  bool reaped_ = false;
  std::filesystem::path folder_;
};

}  // namespace fortuna::testing
