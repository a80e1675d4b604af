#include "frontends/terminal/terminal_input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "run/run_engine.h"

namespace fortuna {

namespace {
TerminalEvent ended() {
  TerminalEvent event;
  event.kind = TerminalEvent::Kind::End;
  return event;
}
}  // namespace

TerminalEvent TerminalInput::next(std::optional<std::chrono::milliseconds> timeout, int inbox) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = timeout ? Clock::now() + *timeout : Clock::time_point::max();
  for (;;) {
    if (auto signal = interrupts_.signal())
      return {TerminalEvent::Kind::Interrupt, {}, {}, *signal};
    int wait_ms = -1;
    if (timeout) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return {};
      wait_ms = static_cast<int>(left.count());
    }
    pollfd watched[3] = {{fd_, POLLIN, 0}, {interrupts_.fd(), POLLIN, 0}, {inbox, POLLIN, 0}};
    const int ready = ::poll(watched, 3, wait_ms);
    if (ready < 0 && errno != EINTR) return ended();
    if (ready <= 0 || watched[1].revents) continue;
    if (watched[2].revents) return {TerminalEvent::Kind::Inbox, {}, {}, {}};
    if (!watched[0].revents) continue;
    char buffer[512];
    const ssize_t count = ::read(fd_, buffer, sizeof buffer);
    const std::uint64_t read_at = steady_nanoseconds();
    if (count > 0)
      return {TerminalEvent::Kind::Bytes, std::string(buffer, static_cast<std::size_t>(count)),
              read_at};
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    return ended();  // end of input, or the terminal hung up
  }
}

}  // namespace fortuna
