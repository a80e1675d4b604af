// A flag that a poll() can wait on: readable once raised, until cleared. Safe from any thread.
#pragma once

namespace fortuna {

class WakePipe {
 public:
  WakePipe();
  ~WakePipe();
  WakePipe(const WakePipe&) = delete;
  WakePipe& operator=(const WakePipe&) = delete;

  bool valid() const { return read_ >= 0; }
  int fd() const { return read_; }
  void raise();
  void clear();

 private:
  int read_ = -1, write_ = -1;
};

}  // namespace fortuna
