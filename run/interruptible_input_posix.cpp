#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "run/interruptible_input.h"

namespace fortuna {

InterruptibleInput::int_type InterruptibleInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (ended_) return traits_type::eof();
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

InterruptibleInput::Ready InterruptibleInput::wait_line(Inbox& inbox) {
  for (;;) {
    // A line longer than the buffer is read the ordinary way.
    const bool full = eback() == buffer_.data() && egptr() == buffer_.data() + buffer_.size();
    if (ended_ || full || std::find(gptr(), egptr(), '\n') != egptr()) return Ready::Line;
    if (interrupts_.signal()) return Ready::Line;
    pollfd watched[3] = {{fd_, POLLIN, 0}, {interrupts_.fd(), POLLIN, 0}, {inbox.fd(), POLLIN, 0}};
    if (::poll(watched, 3, -1) < 0 && errno != EINTR) return Ready::Line;
    if (watched[2].revents != 0) return Ready::Inbox;
    if (watched[1].revents != 0 || watched[0].revents == 0) continue;
    // What is left unread moves to the front, and the new bytes go after it.
    const auto kept = static_cast<std::size_t>(egptr() - gptr());
    if (kept > 0) std::memmove(buffer_.data(), gptr(), kept);
    setg(buffer_.data(), buffer_.data(), buffer_.data() + kept);
    const ssize_t n = ::read(fd_, buffer_.data() + kept, buffer_.size() - kept);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) {
      ended_ = true;
      continue;
    }
    setg(buffer_.data(), buffer_.data(), buffer_.data() + kept + n);
  }
}

}  // namespace fortuna
