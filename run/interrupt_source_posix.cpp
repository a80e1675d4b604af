#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cassert>
#include <cerrno>
#include <csignal>

#include "run/interrupt_source.h"

namespace fortuna {

namespace {

constexpr std::array kSignals = {SIGINT, SIGTERM, SIGHUP};
volatile sig_atomic_t write_fd = -1;
std::array<struct sigaction, kSignals.size()> previous{};

extern "C" void on_signal(int number) {
  const int saved_errno = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  if (write_fd >= 0) [[maybe_unused]]
    auto written = ::write(write_fd, &byte, 1);
  errno = saved_errno;
}

}  // namespace

InterruptSource::InterruptSource() {
  assert(write_fd < 0 && "one interrupt source at a time");
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  read_fd_ = fds[0];
  write_fd = fds[1];
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    sigaction(kSignals[i], nullptr, &previous[i]);
    // An ignored signal stays ignored: nohup, or a shell that runs the program in background.
    if (previous[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
  }
}

InterruptSource::~InterruptSource() {
  if (read_fd_ < 0) return;
  for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &previous[i], nullptr);
  ::close(write_fd);
  write_fd = -1;
  ::close(read_fd_);
}

std::optional<int> InterruptSource::signal() {
  unsigned char byte;
  while (read_fd_ >= 0 && ::read(read_fd_, &byte, 1) == 1)
    if (!first_) first_ = byte;
  return first_;
}

}  // namespace fortuna
