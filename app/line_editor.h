// The rename box on a terminal: one line, the name already in it, edited with GNU readline's
// usual keys (arrows, Home, End, Backspace, Control+U, Control+W, ...), UTF-8 throughout.
// Enter accepts, Escape alone cancels.
#pragma once

#include <string>

#include "app/terminal_input.h"

namespace fortuna {

struct LineEdit {
  enum class Outcome { Accepted, Cancelled, End, Interrupt } outcome = Outcome::Cancelled;
  std::string text;  // Accepted: the line as typed
  int signal = 0;    // Interrupt: the signal that came
};

// Reads the line from input after typed_ahead (bytes already read and not yet used), and
// leaves in typed_ahead whatever came after the line.
LineEdit edit_line(TerminalInput& input, const std::string& prompt, const std::string& initial,
                   std::string& typed_ahead);

}  // namespace fortuna
