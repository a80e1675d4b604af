// SIGINT, SIGTERM and SIGHUP as something a loop can wait on: each signal is written to a
// pipe that poll() watches next to the program's input, so the loop ends in order (the
// transcript closed, the terminal given back) instead of dying where the signal found it.
#pragma once

#include <optional>

namespace fortuna {

class InterruptSource {
 public:
  // Takes over the three signals (those not ignored) until destroyed; only one may exist at a
  // time.
  InterruptSource();
  ~InterruptSource();
  InterruptSource(const InterruptSource&) = delete;
  InterruptSource& operator=(const InterruptSource&) = delete;

  // Readable once a signal has come.
  int fd() const { return read_fd_; }
  // The first signal that came, if any; it stays once it came.
  std::optional<int> signal();
  // The exit status that tells a signal ended the run.
  static int exit_status(int signal) { return 128 + signal; }

 private:
  int read_fd_ = -1;
  std::optional<int> first_;
};

}  // namespace fortuna
