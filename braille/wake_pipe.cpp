#include "braille/wake_pipe.h"

#include <fcntl.h>
#include <unistd.h>

namespace fortuna {

WakePipe::WakePipe() {
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return;
  read_ = fds[0];
  write_ = fds[1];
}

WakePipe::~WakePipe() {
  if (read_ >= 0) close(read_);
  if (write_ >= 0) close(write_);
}

void WakePipe::raise() {
  if (write_ < 0) return;
  const char byte = 1;
  // A full pipe is readable already: nothing is lost by dropping the byte.
  [[maybe_unused]] const auto written = ::write(write_, &byte, 1);
}

void WakePipe::clear() {
  if (read_ < 0) return;
  char bytes[64];
  while (::read(read_, bytes, sizeof bytes) > 0) {
  }
}

}  // namespace fortuna
