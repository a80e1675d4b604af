// Waiting on the terminal: the next bytes typed, the end of input, a signal, or the inbox's
// tasks, whichever comes first.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "run/interrupt_source.h"

namespace fortuna {

struct TerminalEvent {
  enum class Kind { Bytes, Timeout, End, Interrupt, Inbox } kind = Kind::Timeout;
  std::string bytes;          // Kind::Bytes: as read, at least one
  std::uint64_t read_at = 0;  // Kind::Bytes: when read() returned, in steady nanoseconds
  int signal = 0;             // Kind::Interrupt
};

class TerminalInput {
 public:
  TerminalInput(int fd, InterruptSource& interrupts) : fd_(fd), interrupts_(interrupts) {}

  // Waits at most timeout (none: for ever). A signal wins over bytes already waiting. inbox is
  // the inbox's descriptor, watched too (-1: not, as while a line is edited).
  TerminalEvent next(std::optional<std::chrono::milliseconds> timeout, int inbox = -1);

 private:
  int fd_;
  InterruptSource& interrupts_;
};

}  // namespace fortuna
