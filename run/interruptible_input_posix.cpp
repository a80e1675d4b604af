#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "run/interruptible_input.h"

namespace fortuna {

InterruptibleInput::int_type InterruptibleInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  for (;;) {
    if (interrupts_.signal()) return traits_type::eof();
    pollfd watched[2] = {{fd_, POLLIN, 0}, {interrupts_.fd(), POLLIN, 0}};
    if (::poll(watched, 2, -1) < 0 && errno != EINTR) return traits_type::eof();
    if (watched[1].revents != 0 || watched[0].revents == 0) continue;
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
    return traits_type::to_int_type(*gptr());
  }
}

}  // namespace fortuna
