// Standard input read through poll() beside the interrupt pipe, so that a signal ends the wait
// for the next line as the end of the input would.
#pragma once

#include <array>
#include <streambuf>

#include "run/interrupt_source.h"

namespace fortuna {

class InterruptibleInput final : public std::streambuf {
 public:
  InterruptibleInput(int fd, InterruptSource& interrupts) : fd_(fd), interrupts_(interrupts) {}

 protected:
  int_type underflow() override;

 private:
  int fd_;
  InterruptSource& interrupts_;
  std::array<char, 4096> buffer_{};
};

}  // namespace fortuna
