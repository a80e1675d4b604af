// SIGINT, SIGTERM and SIGHUP as something a loop can wait on: each signal is written to a
// pipe that poll() watches next to the program's input, so the loop ends in order (the
// transcript closed, the terminal given back) instead of dying where the signal found it.
// On Windows the console's Control+C, Control+Break and closing stand for them, and an event
// takes the pipe's place.
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

#ifdef _WIN32
  // Signalled once a signal has come.
  void* event() const {
    return event_;
  }
#else
  // Readable once a signal has come.
  int fd() const {
    return read_fd_;
  }
#endif
  // The first signal that came, if any; it stays once it came.
  std::optional<int> signal();

 private:
#ifdef _WIN32
  void* event_ = nullptr;
#else
  int read_fd_ = -1;
#endif
  std::optional<int> first_;
};

}  // namespace fortuna
