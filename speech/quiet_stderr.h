// ALSA, probed by SDL when an audio device opens, writes its own complaints to stderr when there
// is no sound card; the player gets our one-line reason instead. Hold one of these while opening.
#pragma once

#include <fcntl.h>
#include <unistd.h>

namespace fortuna {

class QuietStderr {
 public:
  QuietStderr() : saved_(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0)) {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_;
};

}  // namespace fortuna
