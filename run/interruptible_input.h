// Standard input read through poll() beside the interrupt pipe, so that a signal ends the wait
// for the next line as the end of the input would; the inbox can be waited on beside it.
#pragma once

#include <array>
#include <streambuf>

#include "run/inbox.h"
#include "run/interrupt_source.h"

namespace fortuna {

class InterruptibleInput final : public std::streambuf {
 public:
  InterruptibleInput(int fd, InterruptSource& interrupts) : fd_(fd), interrupts_(interrupts) {}

  enum class Ready { Line, Inbox };
  // Waits until a whole line, the end of the input or a signal is there to read, or until the
  // inbox has tasks. Where reads cannot be watched (a Windows console), Line at once.
  Ready wait_line(Inbox& inbox);

 protected:
  int_type underflow() override;

 private:
  int fd_;
  InterruptSource& interrupts_;
  std::array<char, 4096> buffer_{};
  bool ended_ = false;  // the input ended, or failed, while a line was awaited
};

}  // namespace fortuna
