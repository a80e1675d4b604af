// The inbox's bell as a pipe that poll() watches: a byte in it while tasks wait.
#include <fcntl.h>
#include <unistd.h>

#include "run/inbox.h"

namespace fortuna {

struct Inbox::Bell {
  int read = -1, write = -1;
};

Inbox::Inbox() : bell_(std::make_unique<Bell>()) {
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return;
  bell_->read = fds[0];
  bell_->write = fds[1];
}

Inbox::~Inbox() {
  if (bell_->read >= 0) close(bell_->read);
  if (bell_->write >= 0) close(bell_->write);
}

int Inbox::fd() const {
  return bell_->read;
}

void Inbox::ring() {
  if (bell_->write < 0) return;
  const char byte = 1;
  // A full pipe is readable already: nothing is lost with the byte.
  [[maybe_unused]] const auto written = ::write(bell_->write, &byte, 1);
}

void Inbox::hush() {
  if (bell_->read < 0) return;
  char bytes[64];
  while (::read(bell_->read, bytes, sizeof bytes) > 0) {
  }
}

}  // namespace fortuna
